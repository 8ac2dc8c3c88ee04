#include "ProfilesPage.h"

#include <optional>

#include "ActiveProfileFile.h"
#include "AssignmentRules.h"
#include "BitmapBtn.h"
#include "CommonDialogs.h"
#include "DropdownListItem.h"
#include "ItemIds.h"
#include "KeywordTables.h"
#include "LangTable.h"
#include "LightingState.h"
#include "ListPanel.h"
#include "ListRedrawOff.h"
#include "MouseConfigInterface.h"
#include "NameEntryPopup.h"
#include "PreviewPopup.h"
#include "ProfilePreview.h"
#include "WidgetMessages.h"
#include "XListCtrl.h"

namespace {

constexpr COLORREF kActiveRowColour = RGB(0, 255, 0);
enum ProfileColumn { kColCurrent = 0, kColNumber = 1, kColName = 2, kColProgram = 3, kColAutoSwitch = 4 };

// The language's text of a key, or the English fallback when it has none.
CString Translated(const wchar_t* key, const wchar_t* fallback)
{
    CString text = TranslateText(key);
    return text.IsEmpty() || text == key ? CString(fallback) : text;
}

void RunPreviewPopup(IPageHost& host, int index)
{
    IMouseConfig* config = host.Config();
    IMouseProfile* profile = config ? config->GetProfile((uint32_t)index) : nullptr;
    if (!profile) return;
    const AssignmentDescriber describe = [config](const AssignmentRecord& r) { return PreviewAssignmentText(*config, r); };
    CVeskPreviewPopup popup(host.OwnerWindow(), host.ModelFlag(),
                            BuildProfilePreview(*config, profile, host.ModelFlag(), describe));
    popup.DoModal();
}

bool RunProfileFileDialog(CWnd* owner, bool save, CString& path)
{
    CString filter;
    filter.Format(L"%s Profile Files (*.%s)|*.%s||", kProfileFileExt, kProfileFileExt, kProfileFileExt);
    const CString initialName = CString(L".") + kProfileFileExt;
    CFileDialog dialog(save ? FALSE : TRUE, kProfileFileExt, initialName, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       filter, owner);
    const wchar_t* folder = ConfigSaveFolder();
    if (folder && *folder) dialog.m_ofn.lpstrInitialDir = folder;
    if (dialog.DoModal() != IDOK) return false;
    path = dialog.GetPathName();
    return true;
}

CProfilesPage::PreviewRunner g_previewRunner = &RunPreviewPopup;
CProfilesPage::FileDialogRunner g_fileDialogRunner = &RunProfileFileDialog;

}  // namespace

void CProfilesPage::SetPreviewRunner(PreviewRunner runner) { g_previewRunner = runner ? runner : &RunPreviewPopup; }
void CProfilesPage::SetFileDialogRunner(FileDialogRunner runner)
{
    g_fileDialogRunner = runner ? runner : &RunProfileFileDialog;
}

CProfilesPage::CProfilesPage(IPageHost& host) : CPageModule(host, PAGE_PROFILES) {}

CProfilesPage::~CProfilesPage() = default;

void CProfilesPage::Bind(const PageLists& lists)
{
    if (IMouseConfig* config = m_host.Config())
        m_actions = std::make_unique<ProfileActions>(*config, *this, [this] { return m_host.Device(); });
    const CGUIItems* page = lists.lists[LIST_PAGE_PROFILES];
    m_list = FindTypedItem<CXListCtrl>(page, LIST_PROFILELIST, ITEM_XLISTCTRL);
    m_menu = FindTypedItem<CListPanelItem>(page, LISTPANEL_PROFILEOPTIONS, ITEM_LISTPANEL);
    m_osd = FindTypedItem<CBitmapBtn>(page, BUTTON_ENABLE_PROFILE_OSD, ITEM_BITMAPBTN);
    m_stripDropDown = FindTypedItem<CDropdownListItem>(lists.lists[LIST_STRIP], LIST_GLOBALPROFILELIST, ITEM_DROPDOWNLIST);
    m_lightingDropDown =
        FindTypedItem<CDropdownListItem>(lists.lists[LIST_PAGE_LIGHTING], LIST_GLOBALPROFILELIST, ITEM_DROPDOWNLIST);
    if (m_list) {
        // Rows stay in device order: row k is profile k, whatever the skin says.
        m_list->m_sorted = false;
        if (m_menu) m_list->SetContextList(m_menu);
    }
}

void CProfilesPage::Fill()
{
    if (!m_actions) return;
    FillProfileList();
    UpdateOsdButton();
}

void CProfilesPage::Refresh()
{
    if (!m_actions) return;
    FillProfileList();
    UpdateOsdButton();
}

void CProfilesPage::UpdateOsdButton()
{
    IMouseConfig* config = m_host.Config();
    IMouseProfile* active = config->GetActiveProfile();
    if (m_osd && m_osd->GetSafeHwnd()) {
        m_osd->SetSelected(active && config->GetProfileOsd(active) != 0);
        m_osd->Invalidate(FALSE);
    }
}

void CProfilesPage::FillProfileList()
{
    IMouseConfig* config = m_host.Config();
    CDropdownListItem* dropDowns[] = {m_stripDropDown, m_lightingDropDown};
    for (CDropdownListItem* d : dropDowns)
        if (d && d->GetSafeHwnd()) d->ResetContent();

    const int count = (int)config->GetProfileCount();
    IMouseProfile* active = config->GetActiveProfile();
    int activeRow = 0;
    const bool haveList = m_list && m_list->GetSafeHwnd();
    // Rows and cells go in with the list's redraw off; it scrolls to the
    // active row and repaints once, below.
    std::optional<CListRedrawOff> filling;
    if (haveList) {
        filling.emplace(*m_list);
        // Row k carries key k, so surplus rows go from the end and new rows
        // are added there.
        while (m_list->GetItemCount() > count) m_list->DeleteItem(m_list->GetItemCount() - 1);
        while (m_list->GetItemCount() < count)
            if (m_list->InsertRow(m_list->GetItemCount()) < 0) break;
    }
    for (int k = 0; k < count; ++k) {
        IMouseProfile* profile = config->GetProfile((uint32_t)k);
        if (profile == active) activeRow = k;
        if (haveList && m_list->FindRowByKey(k) >= 0) {
            CString number;
            number.Format(L"%02d", k + 1);
            m_list->SetCellData(k, kColCurrent, 0);
            m_list->SetCellText(k, kColNumber, number);
            m_list->SetCellText(k, kColName, profile->GetName());
            m_list->SetCellText(k, kColProgram, LinkedProgramText(profile));
            m_list->SetCellData(k, kColAutoSwitch, config->GetAppLinkEnabled(profile) ? 1 : 0);
            m_list->SetRowColours(k, m_list->m_textColour, m_list->m_backColour, m_list->m_selTextColour,
                                  m_list->m_selBackColour);
        }
        for (CDropdownListItem* d : dropDowns)
            if (d && d->GetSafeHwnd()) d->AddString(profile->GetName());
    }
    filling.reset();
    if (haveList && count > 0) {
        m_list->SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        m_list->SetItemState(activeRow, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        m_list->EnsureVisible(activeRow, FALSE);
        m_list->SetCellData(activeRow, kColCurrent, 1);
        // Green marks the active row; selected, it keeps the selection's
        // text colour so that it stays readable on the highlight.
        m_list->SetRowColours(activeRow, kActiveRowColour, m_list->m_backColour, m_list->m_selTextColour,
                              m_list->m_selBackColour);
        m_list->Invalidate(FALSE);
        if (CVScrollBar* bar = m_list->ScrollBarWnd())
            if (bar->GetSafeHwnd()) bar->UpdateThumb();
    }
    for (CDropdownListItem* d : dropDowns) {
        if (!d || !d->GetSafeHwnd()) continue;
        if (count > 0) d->SetCurSel(activeRow);
        d->Invalidate(FALSE);
    }
}

void CProfilesPage::SelectProfile(IMouseProfile* profile)
{
    IMouseConfig* config = m_host.Config();
    if (!profile || ProfileIndexOf(*config, profile) < 0) return;
    // The profile left keeps its edited lights in its live snapshot and gets
    // back those it had when it was chosen; the device shows them again.
    m_host.RestoreLightingState();
    m_host.StartSendLighting();
    config->SetActiveProfile(profile);
    // The new one's lights are kept for the next switch, and it shows what
    // the user last saw on it.
    m_host.SaveLightingState();
    ApplyLightSnapshot(profile, kLiveSnapshot);
    FillProfileList();
    m_host.RefreshPages();
    m_host.StartSendLighting();
    m_host.MarkUnsaved();
}

void CProfilesPage::ClearProfileAssignments(IMouseProfile* profile)
{
    int layout = 0;
    AssignmentRules(*m_host.Config(), layout).ClearProfileAssignments(profile);
}

INT_PTR CProfilesPage::Warn(const wchar_t* file, const wchar_t* dataText, const wchar_t* heading)
{
    return m_host.ShowWarning(file, dataText, heading);
}

bool CProfilesPage::AskName(const wchar_t* currentName, CString& name)
{
    name.Empty();
    if (!currentName) {
        CVeskNameEntryPopup popup(m_host.OwnerWindow(), L"ProfileNamePopup.xml", &name);
        return popup.DoModal() == IDOK;
    }
    CKyrthNameEntryPopup popup(m_host.OwnerWindow(), currentName, &name);
    return popup.DoModal() == IDOK;
}

bool CProfilesPage::ChooseProfileFile(bool save, CString& path)
{
    return g_fileDialogRunner(m_host.OwnerWindow(), save, path);
}

bool CProfilesPage::WaitUntil(const std::function<bool()>& ready, DWORD ms)
{
    // The device settles a write in its own time: look again every tenth
    // of a second until the time is up.
    const ULONGLONG end = ::GetTickCount64() + ms;
    while (!ready()) {
        if (::GetTickCount64() >= end) return false;
        ::Sleep(100);
    }
    return true;
}

bool CProfilesPage::IsOurDropDown(LPARAM window) const
{
    for (CDropdownListItem* d : {m_stripDropDown, m_lightingDropDown})
        if (d && d->GetSafeHwnd() && (HWND)window == d->m_hWnd) return true;
    return false;
}

bool CProfilesPage::IsOurList(WPARAM window) const
{
    return m_list && m_list->GetSafeHwnd() && (HWND)window == m_list->m_hWnd;
}

int CProfilesPage::SelectedIndex() const
{
    return m_list && m_list->GetSafeHwnd() ? m_list->GetSelectedKey() : -1;
}

void CProfilesPage::UpdateUnassignEntry(int index)
{
    if (!m_menu) return;
    if (index < 0) index = SelectedIndex();
    const int row = m_menu->FindRow(ListPanelEntry(L"$UnassignApplication"));
    if (row >= 0) m_menu->SetRowDisabled(row, !HasLinkedProgram(m_host.Config()->GetProfile((uint32_t)index)));
}

bool CProfilesPage::OnCommand(const Command& command)
{
    if (!m_actions || m_host.CurrentPage() != PAGE_PROFILES || command.list != LIST_PAGE_PROFILES) return false;
    switch (command.id) {
    case BUTTON_NEWPROFILE: m_actions->New(); return true;
    case BUTTON_IMPORTPROFILE: m_actions->Import(); return true;
    case BUTTON_EXPORTPROFILE:
    case BUTTON_SAVEPROFILE: m_actions->Export(SelectedIndex()); return true;
    case BUTTON_DELETEPROFILE: m_actions->Delete(SelectedIndex()); return true;
    case BUTTON_ENABLE_PROFILE_OSD:
        if (m_osd) m_actions->SetProfileOsd(m_osd->IsSelected());
        return true;
    default: return false;
    }
}

void CProfilesPage::RunMenuCommand(int index, const CString& key)
{
    if (key == L"$SetActive") m_actions->Activate(index);
    else if (key == L"$Rename") m_actions->Rename(index);
    else if (key == L"$New") m_actions->New();
    else if (key == L"$Preview") {
        if (m_host.Config()->GetProfile((uint32_t)index)) g_previewRunner(m_host, index);
    } else if (key == L"$Delete") m_actions->Delete(index);
    else if (key == L"$Copy") m_actions->Copy(index);
    else if (key == L"$Import") m_actions->Import();
    else if (key == L"$Export") m_actions->Export(index);
    else if (key == L"$RestoreDefault") {
        m_actions->RestoreDefaults(index, Translated(L"$RestoreDefaults", L"Restore Defaults"));
        UpdateOsdButton();
    }
}

bool CProfilesPage::OnWidgetMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (!m_actions) return false;
    if (message == WM_DROPDOWN_SELECTED) {
        if (!IsOurDropDown(lParam)) return false;
        // Entries are filled in profile order: the entry's index is the profile's.
        if ((int)wParam >= 0) m_actions->Activate((int)wParam);
        return true;
    }
    const bool listMessage = message == WM_XLIST_COMMAND || message == WM_XLIST_ROW_ACTIVATED ||
                             message == WM_XLIST_CONTEXT || message == WM_XLIST_CELL_CHANGED ||
                             message == WM_XLIST_CHECK_CHANGED;
    if (!listMessage || !IsOurList(wParam) || !lParam) return false;
    const XListCellNotify& n = *reinterpret_cast<const XListCellNotify*>(lParam);
    switch (message) {
    case WM_XLIST_COMMAND:
        RunMenuCommand(n.rowKey, n.value ? CString((const wchar_t*)n.value) : CString());
        break;
    case WM_XLIST_ROW_ACTIVATED:
        UpdateUnassignEntry(n.rowKey);
        m_actions->Activate(n.rowKey);
        break;
    case WM_XLIST_CONTEXT: UpdateUnassignEntry(n.rowKey); break;
    case WM_XLIST_CHECK_CHANGED: {
        const bool on = n.value && *(const BYTE*)n.value != 0;
        if (n.column == kColCurrent && on) {
            m_actions->Activate(n.rowKey);
            FillProfileList();  // a click on the active row's own mark sets it again
        } else if (n.column == kColAutoSwitch) {
            if (!m_actions->SetAutoSwitch(n.rowKey, on) && m_list) m_list->SetCellData(n.rowKey, kColAutoSwitch, 0);
        }
        break;
    }
    case WM_XLIST_CELL_CHANGED:
        if (n.column == kColProgram) {
            m_actions->SetLinkedProgram(n.rowKey, n.value ? (const wchar_t*)n.value : L"");
            FillProfileList();
        }
        break;
    }
    if (result) *result = 0;
    return true;
}
