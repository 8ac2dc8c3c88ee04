#include "MacrosPage.h"

#include "ActiveProfileFile.h"
#include "BitmapBtn.h"
#include "CommonDialogs.h"
#include "DropdownListItem.h"
#include "EditItems.h"
#include "ItemIds.h"
#include "ListPanel.h"
#include "Macro.h"
#include "MacroDisplayItem.h"
#include "NameEntryPopup.h"
#include "PredefinedMacros.h"
#include "SingleKeyPopup.h"
#include "TextItems.h"
#include "WidgetMessages.h"

namespace {

CMacrosPage::FileAsker g_fileAsker = nullptr;

// The record button blinks at this period while a recording runs.
const UINT kRecordBlinkMs = 500;

void EnableItem(CGUIItem* item, bool on)
{
    if (item->m_type == ITEM_DROPDOWNLIST)
        static_cast<CDropdownListItem*>(item)->SetDisabled(!on);
    else if (item->HasWindow())
        ::EnableWindow(item->m_window, on);
}

}  // namespace

void CMacrosPage::SetFileAsker(FileAsker asker) { g_fileAsker = asker; }

CMacrosPage::CMacrosPage(IPageHost& host) : CPageModule(host, PAGE_MACROS), m_core(*this) {}

// ---- binding and filling ------------------------------------------------

void CMacrosPage::Bind(const PageLists& lists)
{
    const CGUIItems* page = lists.lists[LIST_PAGE_MACROS];
    m_macroList = FindTypedItem<CDropdownListItem>(page, LIST_GLOBALMACROLIST, ITEM_DROPDOWNLIST);
    m_basicCommands = FindTypedItem<CDropdownListItem>(page, LIST_GLOBAL_BASIC_COMMANDS, ITEM_DROPDOWNLIST);
    m_moreCommands = FindTypedItem<CDropdownListItem>(page, LIST_GLOBAL_ADDITIONAL_COMMANDS, ITEM_DROPDOWNLIST);
    m_display = FindTypedItem<CMacroDisplayItem>(page, MACRO_DISPLAY, ITEM_MACRODISPLAY);
    m_preview = FindTypedItem<CMacroDisplayItem>(page, MACRO_DISPLAY_READONLY, ITEM_MACRODISPLAY);
    m_keyMenu = FindTypedItem<CListPanelItem>(page, LISTPANEL_MACROOPTIONS_KEYSTROKE, ITEM_LISTPANEL);
    m_delayMenu = FindTypedItem<CListPanelItem>(page, LISTPANEL_MACROOPTIONS_DELAY, ITEM_LISTPANEL);
    m_mouseMenu = FindTypedItem<CListPanelItem>(page, LISTPANEL_MACROOPTIONS_MOUSECLICK, ITEM_LISTPANEL);
    m_ignoreDelay = FindTypedItem<CBitmapBtn>(page, BUTTON_IGNORE_DELAY, ITEM_BITMAPBTN);
    m_fixedDelay = FindTypedItem<CBitmapBtn>(page, BUTTON_INSERTDEFAULT_DELAY, ITEM_BITMAPBTN);
    m_defaultDelayBox = FindTypedItem<CEditItem>(page, EDITCTRL_DEFAULT_DELAY, ITEM_EDIT);
    m_insertDelayBox = FindTypedItem<CEditItem>(page, EDITCTRL_INSERT_DELAY, ITEM_EDIT);
    m_record = FindTypedItem<CBitmapBtn>(page, BUTTON_MACRO_RECORD, ITEM_BITMAPBTN);
    m_stop = FindTypedItem<CBitmapBtn>(page, BUTTON_MACRO_RECORD_STOP, ITEM_BITMAPBTN);
    // The page's note that a recording stopped at the event limit.
    m_note = FindTypedItem<CTextItem>(page, TEXT_WARNDLG_MESSAGE, ITEM_TEXT);

    m_controls.clear();
    for (size_t i = 0; i < kMacroControlRuleCount; ++i) {
        const MacroControlRule& rule = kMacroControlRules[i];
        CGUIItem* item = page ? page->FindById(rule.itemId) : nullptr;
        if (!item && lists.main)
            item = lists.main->FindById(rule.itemId);  // the page tabs
        if (item)
            m_controls.push_back({&rule, item});
    }
}

void CMacrosPage::Fill()
{
    std::vector<CString> names;
    if (m_basicCommands) {
        g_predefinedMacros.GetShortcutNames(names);
        for (const CString& n : names)
            m_basicCommands->AddString(n);
        m_basicCommands->SetCurSel(0);
    }
    if (m_moreCommands) {
        g_predefinedMacros.GetShortcutNames2(names);
        for (const CString& n : names)
            m_moreCommands->AddString(n);
        m_moreCommands->SetCurSel(0);
    }
    for (CEditItem* box : {m_defaultDelayBox, m_insertDelayBox}) {
        if (!box)
            continue;
        box->m_digitsOnly = 1;
        box->m_minValue = 1;
        box->m_maxValue = (int)kDelayBoxMax;
    }
    if (m_display) {
        m_display->SetContextLists(m_keyMenu, m_mouseMenu, m_delayMenu);
        m_display->SetEventLimit(EventLimit());
        if (m_stop)
            m_display->SetRecordingButton(m_stop->m_hWnd);
        if (m_ignoreDelay)
            m_ignoreDelay->SetSelected(m_display->GetNoDelays());
        if (m_fixedDelay)
            m_fixedDelay->SetSelected(m_display->GetFixedDelay());
        SetBoxText(m_defaultDelayBox, m_display->FixedDelayMs());
        SetBoxText(m_insertDelayBox, m_display->InsertDelay());
    }
    ShowNote(false);
    m_core.Select(0);
    ShowMacros();
}

void CMacrosPage::Refresh()
{
    if (m_core.State() == kMacroStateNone || m_core.State() == kMacroStateIdle)
        ShowMacros();
}

void CMacrosPage::OnPageShown(int currentPage)
{
    if (currentPage != PAGE_MACROS)
        return;
    SetMacroControls(m_core.Selected() ? m_core.State() : kMacroStateNone);
    if (m_note)
        m_note->Show(m_noteShown);
}

// ---- the state and what shows it ----------------------------------------

void CMacrosPage::SetMacroControls(int state)
{
    m_core.SetState(state);
    const bool fixed = m_fixedDelay && m_fixedDelay->IsSelected();
    // Items of a page that is not shown stay hidden.
    const bool shown = m_host.CurrentPage() == PAGE_MACROS;
    for (const auto& control : m_controls) {
        EnableItem(control.second, MacroControlEnabled(*control.first, state, fixed));
        if (shown)
            control.second->Show(MacroControlShown(*control.first, state));
    }
    if (m_stop)
        m_stop->SetToolTip(MacroStopToolTip(state));
}

void CMacrosPage::ShowMacros()
{
    if (m_macroList) {
        m_macroList->ResetContent();
        for (const CString& name : m_core.MacroNames())
            m_macroList->AddString(name);
        const int selected = m_core.SelectedIndex();
        if (selected >= 0)
            m_macroList->SetCurSel(selected);
        else
            m_macroList->ClearCurSel();
    }
    ShowEvents();
    SetMacroControls(m_core.Selected() ? kMacroStateIdle : kMacroStateNone);
}

void CMacrosPage::ShowEvents(int selectRow)
{
    if (!m_display)
        return;
    if (const CMacro* macro = m_core.Selected())
        m_display->SetEvents(macro->events);
    else
        m_display->DeleteAllEvents();
    m_display->DeselectItem();
    if (selectRow >= 0 && selectRow < m_display->GetItemCount()) {
        m_display->SetItemState(selectRow, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        m_display->EnsureVisible(selectRow, FALSE);
    }
    m_display->Invalidate(FALSE);
}

void CMacrosPage::ShowNote(bool show)
{
    m_noteShown = show;
    if (m_note && m_host.CurrentPage() == PAGE_MACROS)
        m_note->Show(show);
}

size_t CMacrosPage::EventLimit() const { return MacroEventLimit(m_display ? m_display->m_max : 0); }

// ---- commands ---------------------------------------------------------------

bool CMacrosPage::OnCommand(const Command& command)
{
    if (command.list != LIST_PAGE_MACROS)
        return false;
    switch (command.id) {
    case BUTTON_MACRO_CREATE:
        if (m_core.New())
            ShowMacros();
        return true;
    case BUTTON_MACRO_IMPORT:
        if (m_core.Import())
            ShowMacros();
        return true;
    case BUTTON_MACRO_EXPORT:
    case BUTTON_MACRO_SAVE:
        m_core.Export();
        return true;
    case BUTTON_MACRO_RENAME:
        if (m_core.Rename())
            ShowMacros();
        return true;
    case BUTTON_MACRO_DELETE:
        if (m_core.Delete())
            ShowMacros();
        return true;
    case BUTTON_MACRO_RECORD_BACKWARD:
    case BUTTON_MACRO_RECORD_FORWARD:
        MoveToEnd(command.id == BUTTON_MACRO_RECORD_FORWARD);
        return true;
    case BUTTON_MACRO_RECORD:
        Record();
        return true;
    case BUTTON_MACRO_RECORD_PLAY:
        Play();
        return true;
    case BUTTON_MACRO_RECORD_STOP:
        if (m_core.State() == kMacroStatePreview)
            StopPreview();
        else
            StopRecording();
        return true;
    case BUTTON_INSERT_DELAY:
        InsertDelay();
        return true;
    case BUTTON_ADD_BASIC_MACRO_CMDS:
        AddCommand(m_basicCommands);
        return true;
    case BUTTON_ADD_ADV_MACRO_CMDS:
        AddCommand(m_moreCommands);
        return true;
    case BUTTON_IGNORE_DELAY:
    case BUTTON_INSERTDEFAULT_DELAY:
        DelayOptionChanged(command.id == BUTTON_INSERTDEFAULT_DELAY);
        return true;
    default:
        return false;
    }
}

bool CMacrosPage::OnWidgetMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT*)
{
    const int id = (int)lParam;
    switch (message) {
    case WM_DROPDOWN_SELECTED:
        if (!m_macroList || (HWND)lParam != m_macroList->m_hWnd)
            return false;
        m_core.Select((int)wParam);
        ShowNote(false);
        ShowEvents();
        SetMacroControls(m_core.State());
        return true;
    case WM_MACRO_EVENTS_CHANGED:
        if (!m_display || id != m_display->m_id)
            return false;
        m_core.StoreEvents(m_display->GetEvents());
        return true;
    case WM_MACRO_EVENT_EDIT:
        if (!m_display || id != m_display->m_id)
            return false;
        EditKeyRow();
        return true;
    case WM_MACRO_RECORD_FULL:
        if (!m_display || id != m_display->m_id)
            return false;
        StopRecording();
        ShowNote(true);
        return true;
    case WM_MACRO_PLAYBACK_DONE:
        if (!m_preview || id != m_preview->m_id)
            return false;
        if (m_core.State() == kMacroStatePreview)
            StopPreview();
        return true;
    case WM_EDITITEM_CHANGED:
    case WM_EDITITEM_LEFT:
        for (CEditItem* box : {m_defaultDelayBox, m_insertDelayBox}) {
            if (box && (HWND)lParam == box->m_hWnd) {
                DelayBoxChanged(box, message == WM_EDITITEM_LEFT);
                return true;
            }
        }
        return false;
    default:
        return false;
    }
}

// ---- recording and preview ----------------------------------------------

void CMacrosPage::Record()
{
    if (!m_core.Selected()) {
        if (m_core.New())
            ShowMacros();
        return;
    }
    if (!m_display || m_display->IsRecording())
        return;
    if (m_fixedDelay && m_fixedDelay->IsSelected()) {
        DWORD ms = 0;
        if (!m_core.CheckDelayBox(BoxText(m_defaultDelayBox), ms)) {
            SetBoxText(m_defaultDelayBox, kDefaultDelayMs);
            return;
        }
        m_display->SetFixedDelay(true, ms);
    }
    ShowNote(false);
    m_display->SetEventLimit(EventLimit());
    if (!m_display->ToggleRecording())
        return;
    SetMacroControls(kMacroStateRecording);
    m_display->SetFocus();
    if (m_record)
        m_record->StartBlinking(kRecordBlinkMs);
    m_host.SetRecording(true);
}

void CMacrosPage::StopRecording()
{
    if (!m_display || !m_display->IsRecording())
        return;
    m_display->ToggleRecording();
    m_host.SetRecording(false);
    if (m_record)
        m_record->StopBlinking();
    m_core.StoreEvents(m_display->GetEvents());
    SetMacroControls(kMacroStateIdle);
    // The recording delay follows its box, as Record takes it.
    DWORD ms = 0;
    if (ParseDelayBox(BoxText(m_defaultDelayBox), ms) == DelayBoxState::Valid)
        m_display->SetFixedDelay(m_fixedDelay && m_fixedDelay->IsSelected(), ms);
}

void CMacrosPage::Play()
{
    const CMacro* macro = m_core.Selected();
    if (!macro || !m_preview)
        return;
    SetMacroControls(kMacroStatePreview);
    // An empty macro ends its playback at once (and so the preview).
    m_preview->StartPlayback(macro->events);
}

void CMacrosPage::StopPreview()
{
    if (m_preview)
        m_preview->StopPlayback();
    SetMacroControls(m_core.Selected() ? kMacroStateIdle : kMacroStateNone);
    if (m_display)
        m_display->Invalidate(FALSE);
}

// ---- editing ------------------------------------------------------------

void CMacrosPage::MoveToEnd(bool last)
{
    if (!m_display || m_display->GetItemCount() == 0)
        return;
    const int row = last ? m_display->GetItemCount() - 1 : 0;
    m_display->SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_display->EnsureVisible(row, FALSE);
}

void CMacrosPage::InsertDelay()
{
    DWORD ms = 0;
    if (!m_core.CheckDelayBox(BoxText(m_insertDelayBox), ms)) {
        SetBoxText(m_insertDelayBox, kDefaultDelayMs);
        return;
    }
    const int selected = m_display ? m_display->GetNextItem(-1, LVNI_SELECTED) : -1;
    const int row = m_core.InsertDelay(selected, ms, EventLimit());
    if (row >= 0)
        ShowEvents(row);
}

void CMacrosPage::AddCommand(CDropdownListItem* list)
{
    if (!list)
        return;
    const int selected = m_display ? m_display->GetNextItem(-1, LVNI_SELECTED) : -1;
    const int row = m_core.AddCommand(list->GetItemText(list->GetCurSel()), selected, EventLimit());
    if (row != -2)
        ShowEvents(row);
}

void CMacrosPage::EditKeyRow()
{
    const int row = m_display->GetNextItem(-1, LVNI_SELECTED);
    MacroEvent edited{};
    // The display reports the replacement, which stores it.
    if (m_core.EditKeyEvent(m_display->GetEvents(), row, edited))
        m_display->ReplaceEvent(row, edited);
}

void CMacrosPage::DelayOptionChanged(bool fixedClicked)
{
    // The check boxes have toggled themselves; they exclude each other.
    CBitmapBtn* clicked = fixedClicked ? m_fixedDelay : m_ignoreDelay;
    CBitmapBtn* other = fixedClicked ? m_ignoreDelay : m_fixedDelay;
    if (!clicked || !m_display)
        return;
    if (clicked->IsSelected() && other)
        other->SetSelected(false);
    m_display->SetNoDelays(m_ignoreDelay && m_ignoreDelay->IsSelected());
    m_display->SetFixedDelay(m_fixedDelay && m_fixedDelay->IsSelected(), m_display->FixedDelayMs());
    SetMacroControls(m_core.State());
}

void CMacrosPage::DelayBoxChanged(CEditItem* box, bool left)
{
    DWORD ms = 0;
    const CString text = BoxText(box);
    if (!left) {
        // Typing checks nothing: an empty box is a step on the way.
        if (ParseDelayBox(text, ms) != DelayBoxState::Valid)
            return;
    } else {
        if (!box->IsWindowEnabled())
            return;
        if (!m_core.CheckDelayBox(text, ms)) {
            SetBoxText(box, kDefaultDelayMs);  // its change notification takes it
            return;
        }
    }
    if (!m_display)
        return;
    // The insert box feeds what "Insert" and "$InsertDelay" insert; the
    // default box the delay a recording puts between events.
    if (box == m_insertDelayBox)
        m_display->SetInsertDelay(ms);
    else
        m_display->SetFixedDelay(m_fixedDelay && m_fixedDelay->IsSelected(), ms);
}

CString CMacrosPage::BoxText(CEditItem* box) const
{
    return box && box->GetSafeHwnd() ? box->GetWindowText() : CString();
}

void CMacrosPage::SetBoxText(CEditItem* box, DWORD ms)
{
    if (!box || !box->GetSafeHwnd())
        return;
    CString text;
    text.Format(L"%lu", (unsigned long)ms);
    box->SetWindowText(text);
}

// ---- the side the core asks -----------------------------------------------

IMouseConfig& CMacrosPage::Config() { return *m_host.Config(); }

GenDevice* CMacrosPage::Device() { return m_host.Device(); }

void CMacrosPage::MarkUnsaved() { m_host.MarkUnsaved(); }

INT_PTR CMacrosPage::Warn(const wchar_t* file, const wchar_t* data, const wchar_t* heading)
{
    return m_host.ShowWarning(file, data, heading);
}

bool CMacrosPage::AskName(const wchar_t* file, const CString& current, CString& name)
{
    if (current.IsEmpty()) {
        CVeskNameEntryPopup popup(m_host.OwnerWindow(), file, &name);
        return popup.DoModal() == IDOK;
    }
    CKyrthNameEntryPopup popup(m_host.OwnerWindow(), current, &name, file);
    return popup.DoModal() == IDOK;
}

bool CMacrosPage::AskKey(ChosenKey& key)
{
    SingleKeyResult result;
    if (!RunSingleKeyPopup(m_host.OwnerWindow(), result))
        return false;
    key.scanCode = result.scanCode;
    key.virtualKey = result.virtualKey;
    key.flags = result.flags;
    return true;
}

bool CMacrosPage::AskMacroFile(bool open, CString& path)
{
    if (g_fileAsker)
        return g_fileAsker(open, path);
    const wchar_t* ext = L"qvm";
    CString filter;
    filter.Format(L"%s Macro Files (*.%s)|*.%s||", ext, ext, ext);
    CFileDialog dialog(open ? TRUE : FALSE, ext, CMacroPageCore::kInitialFileName,
                       OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter, m_host.OwnerWindow());
    dialog.m_ofn.lpstrInitialDir = ConfigSaveFolder();
    if (dialog.DoModal() != IDOK)
        return false;
    path = dialog.GetPathName();
    return true;
}
