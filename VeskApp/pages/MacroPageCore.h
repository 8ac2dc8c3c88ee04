// The macros page without its windows: which macro is selected, the page's
// recording state, and what New, Rename, Delete, Import, Export and the
// event edits do to the configuration. The page module shows the result;
// the popups and file dialogs it answers through come in by the side
// interface, so tests script them.
#pragma once
#include <windows.h>

#include <vector>

#include "MacroEditing.h"
#include "MousePicker.h"
#include "String.h"

class CMacro;
class IMouseConfig;

// The page's recording states.
enum MacroPageState : int {
    kMacroStateNone = 0,       // no macro selected
    kMacroStateIdle = 1,       // a macro selected
    kMacroStatePreview = 2,    // the read-only display plays it
    kMacroStateRecording = 3,
};

// What the page asks the user and the frame for.
class IMacroPageSide {
public:
    virtual IMouseConfig& Config() = 0;
    // Null when there is no device object.
    virtual GenDevice* Device() = 0;
    virtual void MarkUnsaved() = 0;
    // A warning popup: `data` appended to its heading, `heading` replacing
    // it. IDOK or IDCANCEL.
    virtual INT_PTR Warn(const wchar_t* file, const wchar_t* data = nullptr, const wchar_t* heading = nullptr) = 0;
    // A name popup on `file`; `current` (when not empty) goes into its
    // heading. False when cancelled.
    virtual bool AskName(const wchar_t* file, const CString& current, CString& name) = 0;
    // The single-key popup, starting from `key`. False when cancelled.
    virtual bool AskKey(ChosenKey& key) = 0;
    // The ".qvm" open or save dialog. False when cancelled.
    virtual bool AskMacroFile(bool open, CString& path) = 0;

protected:
    ~IMacroPageSide() = default;
};

class CMacroPageCore {
public:
    static const uint32_t kMaxMacros = 65536;
    // The open and save dialogs start with this name.
    static const wchar_t* const kInitialFileName;

    explicit CMacroPageCore(IMacroPageSide& side) : m_side(side) {}

    // The selected macro, null when none (or when it left the configuration).
    CMacro* Selected() const;
    int SelectedIndex() const;
    // Selects macro `index` (none when out of range) and sets the state to
    // idle or none to match.
    void Select(int index);
    int State() const { return m_state; }
    void SetState(int state) { m_state = state; }
    std::vector<CString> MacroNames() const;

    // Each returns true when the macro list or the selection changed (the
    // page then shows it all again).
    bool New();
    bool Rename();
    bool Delete();
    bool Import();
    void Export();

    // The display's events changed: they become the selected macro's.
    // Marks unsaved when they differ.
    bool StoreEvents(const std::vector<MacroEvent>& events);
    // The edited copy of the key event at `row` of `events`, from the
    // single-key popup. False: nothing to replace.
    bool EditKeyEvent(const std::vector<MacroEvent>& events, int row, MacroEvent& edited);
    // Inserts `delay` ms after `selectedRow` (none selected: nothing).
    // Returns the new event's row, or -1.
    int InsertDelay(int selectedRow, DWORD delay, size_t limit);
    // Inserts the named built-in command after the selected row (at the
    // start when none is). Returns the row to select, -1 for none, -2 when
    // nothing changed at all.
    int AddCommand(const CString& name, int selectedRow, size_t limit);

    // A delay box's text as a delay; an invalid one shows the delay warning
    // (never twice at once: the popup takes the focus from the box, which
    // checks again) and gives false, and the caller puts the default back.
    bool CheckDelayBox(const wchar_t* text, DWORD& milliseconds);

private:
    bool NameTakenByOther(const CString& name, const CMacro* self) const;

    IMacroPageSide& m_side;
    CMacro* m_selected = nullptr;
    int m_state = kMacroStateNone;
    bool m_warningDelay = false;
};
