// The profiles page, the current-profile strip and the lighting page's
// profile drop-down: every place that lists the profiles or picks the
// active one. The rules live in ProfileActions; this module binds the
// items, answers the actions' questions with popups and dialogs, and keeps
// the list and both drop-downs in step with the configuration.
#pragma once
#include <memory>

#include "PageModule.h"
#include "ProfileActions.h"

class CBitmapBtn;
class CDropdownListItem;
class CListPanelItem;
class CXListCtrl;

class CProfilesPage : public CPageModule, public ProfileUi {
public:
    explicit CProfilesPage(IPageHost& host);
    ~CProfilesPage() override;

    void Bind(const PageLists& lists) override;
    void Fill() override;
    void Refresh() override;
    bool OnCommand(const Command& command) override;
    bool OnWidgetMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    // The preview popup's runner, replaceable for tests (the profile's index).
    using PreviewRunner = void (*)(IPageHost& host, int profileIndex);
    static void SetPreviewRunner(PreviewRunner runner);
    // The profile file dialog, replaceable for tests: true with the path.
    using FileDialogRunner = bool (*)(CWnd* owner, bool save, CString& path);
    static void SetFileDialogRunner(FileDialogRunner runner);

private:
    // ProfileUi
    INT_PTR Warn(const wchar_t* file, const wchar_t* dataText, const wchar_t* heading) override;
    bool AskName(const wchar_t* currentName, CString& name) override;
    bool ChooseProfileFile(bool save, CString& path) override;
    bool WaitUntil(const std::function<bool()>& ready, DWORD ms) override;
    void SelectProfile(IMouseProfile* profile) override;
    void FillProfileList() override;
    void RefreshPages() override { m_host.RefreshPages(); }
    void MarkUnsaved() override { m_host.MarkUnsaved(); }
    void ClearProfileAssignments(IMouseProfile* profile) override;

    bool IsOurDropDown(LPARAM window) const;
    bool IsOurList(WPARAM window) const;
    // The row the buttons work on: the selected row's profile index, -1 none.
    int SelectedIndex() const;
    void UpdateUnassignEntry(int index);
    void UpdateOsdButton();
    void RunMenuCommand(int index, const CString& key);

    std::unique_ptr<ProfileActions> m_actions;
    CXListCtrl* m_list = nullptr;
    CListPanelItem* m_menu = nullptr;
    CDropdownListItem* m_stripDropDown = nullptr;
    CDropdownListItem* m_lightingDropDown = nullptr;
    CBitmapBtn* m_osd = nullptr;
};
