#include "AssignPageBase.h"

#include "ItemIds.h"
#include "KeywordTables.h"
#include "Macro.h"
#include "MacroAssignmentPopup.h"
#include "NumEntryPopup.h"
#include "SingleKeyPopup.h"
#include "WidgetMessages.h"

namespace {

RepeatCountRunner g_repeatRunner = nullptr;

const wchar_t* KeyOf(const KeywordMap& map, int code)
{
    auto it = map.find(code);
    return it != map.end() ? it->second : nullptr;
}

}  // namespace

void SetRepeatCountRunner(RepeatCountRunner runner)
{
    g_repeatRunner = runner;
}

CAssignPageBase::CAssignPageBase(IPageHost& host, int pageMask, int listIndex, int firstButton, int lastButton)
    : CPageModule(host, pageMask), m_listIndex(listIndex), m_firstButton(firstButton), m_lastButton(lastButton)
{
}

int& CAssignPageBase::Layout()
{
    int* layout = KeypadLayoutOf(m_host.Config());
    return layout ? *layout : m_ownLayout;
}

void CAssignPageBase::Bind(const PageLists& lists)
{
    m_controls.clear();
    const CGUIItems* list = lists.lists[m_listIndex];
    for (const AssignControl& c : kAssignControls) {
        if (c.button < m_firstButton || c.button > m_lastButton)
            continue;
        Control control;
        control.button = c.button;
        control.box = FindTypedItem<CDropdownListItem>(list, c.itemId, ITEM_DROPDOWNLIST);
        if (control.box) {
            // The skin's entries say which functions the menu offers, in
            // which order; an entry that names no function is left out.
            for (const ListPanelEntry& e : control.box->Entries()) {
                int fn = FindButtonFunctionId(e.label);
                if (fn >= 0)
                    control.skinFunctions.push_back(fn);
            }
        }
        m_controls.push_back(control);
    }
    // Both pages hang the sub-menus of the button page's file under their
    // "$profile" and "$macro" entries.
    const CGUIItems* buttons = lists.lists[LIST_PAGE_BUTTONS];
    m_profileMenu = FindTypedItem<CListPanelItem>(buttons, LISTPANEL_ASSIGNSUBMENU_PR, ITEM_LISTPANEL);
    m_macroMenu = FindTypedItem<CListPanelItem>(buttons, LISTPANEL_ASSIGNSUBMENU_MA, ITEM_LISTPANEL);
}

CDropdownListItem* CAssignPageBase::DropdownOf(int button) const
{
    for (const Control& c : m_controls)
        if (c.button == button)
            return c.box;
    return nullptr;
}

void CAssignPageBase::FillMenu(const Control& control)
{
    control.box->ResetContent();
    for (int fn : Rules().MenuFunctions(control.button, control.skinFunctions)) {
        const wchar_t* key = KeyOf(ButtonFunctionMap, fn);
        if (!key)
            continue;
        CListPanelItem* sub = fn == kFnProfileByGuid ? m_profileMenu : fn == kFnMacroByGuid ? m_macroMenu : nullptr;
        control.box->AddItem(ListPanelEntry(key, sub, KeyOf(ButtonTooltipMap, fn)));
    }
}

void CAssignPageBase::UpdateAssignmentTexts()
{
    IMouseConfig* config = m_host.Config();
    if (!config)
        return;
    AssignmentRules rules = Rules();
    const bool keysOn = config->GetKeyMode(nullptr) != 0;
    for (const Control& control : m_controls) {
        if (!control.box)
            continue;
        FillMenu(control);
        if (IsThumbButton(control.button))
            control.box->SetDisabled(!keysOn);
        AssignmentRecord record = rules.Shown(control.button);
        const wchar_t* key = KeyOf(ButtonFunctionMap, MenuFunctionOfType(record.type));
        int entry = key ? ListPanelRowOfText(control.box->Entries(), key) : -1;
        if (entry >= 0)
            control.box->SetCurSel(entry, rules.DetailText(record));
        else
            control.box->ClearCurSel();  // a function the menu does not offer
    }
}

void CAssignPageBase::ApplyChoice(const Control& control)
{
    CString sub;
    int entry = control.box->GetCurSelText(sub);
    if (entry < 0)
        return;
    // A text key that names no function stores nothing.
    int fn = FindButtonFunctionId(control.box->GetItemText(entry));
    Rules().ApplyChoice(control.button, fn, sub, *this);
    UpdateAssignmentTexts();
}

void CAssignPageBase::RefillSubMenus()
{
    IMouseConfig* config = m_host.Config();
    if (!config)
        return;
    if (m_macroMenu) {
        ListPanelRows rows;
        for (uint32_t i = 0; i < config->GetMacroCount(); ++i)
            if (const CMacro* m = config->GetMacro(i))
                rows.emplace_back(m->GetName());
        m_macroMenu->SetRows(rows);
    }
    if (m_profileMenu) {
        // Switching to the profile that is already active does nothing, so
        // it is left out.
        IMouseProfile* active = config->GetActiveProfile();
        ListPanelRows rows;
        for (uint32_t i = 0; i < config->GetProfileCount(); ++i) {
            IMouseProfile* p = config->GetProfile(i);
            if (p && p != active)
                rows.emplace_back(p->GetName());
        }
        m_profileMenu->SetRows(rows);
    }
}

bool CAssignPageBase::OnWidgetMessage(UINT message, WPARAM, LPARAM lParam, LRESULT* result)
{
    if (message != WM_DROPDOWN_SELECTED && message != WM_DROPDOWN_CLICKED)
        return false;
    for (const Control& control : m_controls) {
        if (!control.box || !control.box->m_hWnd || control.box->m_hWnd != (HWND)lParam)
            continue;
        if (message == WM_DROPDOWN_CLICKED) {
            RefillSubMenus();
        } else {
            ApplyChoice(control);
            m_host.MarkUnsaved();  // after every choice, also when nothing changed
        }
        *result = 0;
        return true;
    }
    return false;
}

void CAssignPageBase::NoClickWarning()
{
    m_host.ShowWarning(L"NoClickPopup.xml");
}

bool CAssignPageBase::SingleKey(SingleKeyResult& result)
{
    return RunSingleKeyPopup(m_host.OwnerWindow(), result);
}

bool CAssignPageBase::AssignMacro(AssignmentRecord& record, const CString& preselect)
{
    return AssignMacroToButton(*m_host.Config(), record, preselect, *this);
}

bool CAssignPageBase::ChooseMacro(MacroChoice& choice)
{
    return RunMacroAssignmentPopup(m_host.OwnerWindow(), choice);
}

bool CAssignPageBase::AskRepeatCount(int& count)
{
    if (g_repeatRunner)
        return g_repeatRunner(m_host.OwnerWindow(), count);
    // The edit takes 0 too, so that the warning can say why it is refused.
    CKyrthNumEntryPopup popup(m_host.OwnerWindow(), L"MacroRepeatEntryPopup.xml", 0, kMaxRepeatCount, &count);
    return popup.DoModal() == IDOK;
}

void CAssignPageBase::RepeatCountWarning()
{
    m_host.ShowWarning(L"MacroRepeatWarningPopup.xml");
}
