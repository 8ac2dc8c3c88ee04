// The macros page: records, edits, previews, imports, exports, renames and
// deletes the configuration's macros. The flows live in CMacroPageCore and
// the control rules in MacroControls; this module binds the page's items,
// answers the core with popups and file dialogs, and keeps the items in
// step with the core's state.
#pragma once
#include <vector>

#include "MacroControls.h"
#include "MacroPageCore.h"
#include "PageModule.h"

class CBitmapBtn;
class CDropdownListItem;
class CEditItem;
class CListPanelItem;
class CMacroDisplayItem;
class CTextItem;

class CMacrosPage : public CPageModule, private IMacroPageSide {
public:
    explicit CMacrosPage(IPageHost& host);

    void Bind(const PageLists& lists) override;
    void Fill() override;
    void Refresh() override;
    void OnPageShown(int currentPage) override;
    bool OnCommand(const Command& command) override;
    bool OnWidgetMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    const CMacroPageCore& Core() const { return m_core; }

    // Tests answer the file dialogs, which would block them.
    using FileAsker = bool (*)(bool open, CString& path);
    static void SetFileAsker(FileAsker asker);

private:
    // IMacroPageSide
    IMouseConfig& Config() override;
    GenDevice* Device() override;
    void MarkUnsaved() override;
    INT_PTR Warn(const wchar_t* file, const wchar_t* data, const wchar_t* heading) override;
    bool AskName(const wchar_t* file, const CString& current, CString& name) override;
    bool AskKey(ChosenKey& key) override;
    bool AskMacroFile(bool open, CString& path) override;

    // SetMacroControls: the state and every control of the table.
    void SetMacroControls(int state);
    // The drop-down, the selection and the display from the core.
    void ShowMacros();
    void ShowEvents(int selectRow = -1);
    void Record();
    void StopRecording();
    void StopPreview();
    void Play();
    void MoveToEnd(bool last);
    void InsertDelay();
    void AddCommand(CDropdownListItem* list);
    void EditKeyRow();
    void DelayOptionChanged(bool fixedClicked);
    void DelayBoxChanged(CEditItem* box, bool left);
    CString BoxText(CEditItem* box) const;
    void SetBoxText(CEditItem* box, DWORD ms);
    void ShowNote(bool show);
    size_t EventLimit() const;

    CMacroPageCore m_core;
    CDropdownListItem* m_macroList = nullptr;
    CDropdownListItem* m_basicCommands = nullptr;
    CDropdownListItem* m_moreCommands = nullptr;
    CMacroDisplayItem* m_display = nullptr;
    CMacroDisplayItem* m_preview = nullptr;
    CListPanelItem* m_keyMenu = nullptr;
    CListPanelItem* m_delayMenu = nullptr;
    CListPanelItem* m_mouseMenu = nullptr;
    CBitmapBtn* m_ignoreDelay = nullptr;
    CBitmapBtn* m_fixedDelay = nullptr;
    CEditItem* m_defaultDelayBox = nullptr;
    CEditItem* m_insertDelayBox = nullptr;
    CBitmapBtn* m_record = nullptr;
    CBitmapBtn* m_stop = nullptr;
    CTextItem* m_note = nullptr;
    bool m_noteShown = false;
    // The items of the control table that the page files hold.
    std::vector<std::pair<const MacroControlRule*, CGUIItem*>> m_controls;
};
