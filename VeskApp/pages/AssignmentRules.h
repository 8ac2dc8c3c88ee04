// What the button and key assignment pages do to the configuration, without
// any window: which control a drop-down stands for, which functions its menu
// offers, how a menu choice becomes an assignment record, the rule that some
// control must still click, the thumb grid's two layouts and its on/off
// switch, and the texts the drop-downs show.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "AssignmentRecord.h"
#include "MouseConfigInterface.h"
#include "SingleKeyPopup.h"
#include "String.h"

class CMacro;

// Device button numbers: 1-5 the buttons, 12/13 the wheel directions,
// 14-25 the thumb-grid keys 1-12.
struct AssignControl {
    int itemId;  // the drop-down's skin item id
    int button;
};
constexpr int kAssignControlCount = 19;
extern const AssignControl kAssignControls[kAssignControlCount];

// The button number of a drop-down item id; 0 when it is not one.
int AssignButtonOfItem(int itemId);
bool IsThumbButton(int button);

// The menu entry that shows a record of this type: a macro or profile kept
// by name shows under the same entry as one kept by GUID.
int MenuFunctionOfType(int type);

// The system's name of a key (scan code, virtual key, extended bit).
using KeyNameFunction = std::function<CString(uint16_t, uint16_t, bool)>;
CString SystemKeyName(uint16_t scanCode, uint16_t virtualKey, bool extended);

// "Shift+Ctrl+F5": the modifiers held, then the key's name when there is a
// key; "Ctrl" alone for a modifier without a key.
CString KeyAssignmentText(const AssignmentRecord& record, const KeyNameFunction& keyName = SystemKeyName);

// The questions a choice may ask the user; the pages answer them with
// popups, tests with scripted answers.
class AssignPrompts {
public:
    virtual ~AssignPrompts() = default;
    // "NoClickPopup.xml" was due: no control clicks any more.
    virtual void NoClickWarning() = 0;
    // The single-key popup; false when it was cancelled.
    virtual bool SingleKey(SingleKeyResult& result) = 0;
    // The macro popup over the control's current record (preselecting the
    // macro named by the sub-menu, when one was chosen there); true when it
    // built a new record into `record`.
    virtual bool AssignMacro(AssignmentRecord& record, const CString& preselect) = 0;
};

class AssignmentRules {
public:
    // keypadLayout is the configuration's thumb-grid layout (0 number row,
    // 1 keypad), which the pages read and write directly.
    AssignmentRules(IMouseConfig& config, int& keypadLayout);

    int Layout() const { return m_layout; }
    void SetLayout(int layout) { m_layout = layout ? 1 : 0; }

    // The key id a thumb-grid button carries in the current layout (0 for a
    // mouse button); a thumb button without one is left out everywhere.
    uint32_t KeyIdOf(int button) const;
    bool HasSlot(int button) const;

    // The stored record of a control in the active profile.
    AssignmentRecord Stored(int button);
    // What the page shows: thumb keys count as off while the grid is off.
    AssignmentRecord Shown(int button);
    void Store(int button, const AssignmentRecord& record);
    // The control's default: its layout key, or the button's fixed default.
    AssignmentRecord DefaultOf(int button) const;

    // Whether the active profile accepts what a menu function builds on this
    // control, and the menu of a control: the skin's functions that it
    // accepts, in skin order, or every accepted function when the skin
    // gives none.
    bool Offers(int button, int function) const;
    std::vector<int> MenuFunctions(int button, const std::vector<int>& skinFunctions) const;

    // The text shown after the entry: the key, the macro's or the profile's
    // name; empty when there is none (or the macro or profile is gone).
    CString DetailText(const AssignmentRecord& record, const KeyNameFunction& keyName = SystemKeyName) const;

    enum class Outcome {
        Nothing,    // no change was tried
        Stored,     // the new record is in place
        Refused,    // the profile did not accept the record's type
        KeptClick,  // it would have left no control clicking: the old record is back
        Cancelled,  // a popup was cancelled
    };
    // A menu choice on a control: function is the entry's function id
    // (-1 for an entry whose text is not a function), subText the name
    // chosen in its sub-menu.
    Outcome ApplyChoice(int button, int function, const CString& subText, AssignPrompts& prompts);

    // False (after the warning) when no control clicks.
    bool CheckClickAssigned(AssignPrompts& prompts);

    // Every thumb key of both layouts is off.
    bool AllThumbKeysOff();
    void RestoreThumbKeyDefaults();
    // The keys-off switch was set to `off`; returns whether the keys are
    // off afterwards (they stay on when nothing else would click).
    bool SetKeysOff(bool off, AssignPrompts& prompts);

    // A profile or macro is about to go: every control of every profile
    // that switches to it or plays it gets its default back.
    void ClearProfileAssignments(IMouseProfile* profile);
    void ClearMacroAssignments(const CMacro* macro);

private:
    bool BuildRecord(int button, int function, const CString& subText, AssignPrompts& prompts,
                     AssignmentRecord& out, Outcome& stop);

    IMouseConfig& m_config;
    int& m_layout;
};

// The thumb-grid layout value a configuration keeps (0 number row, 1 keypad);
// null for a configuration of another kind.
int* KeypadLayoutOf(IMouseConfig* config);

// A record's four GUID words and a GUID compared.
bool RecordGuidIs(const AssignmentRecord& record, const GUID& guid);
bool IsNullGuid(const GUID& guid);
