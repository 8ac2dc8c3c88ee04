#include "AssignButtonsPage.h"

#include "ItemIds.h"
#include "LangTable.h"
#include "MouseConfigInterface.h"
#include "ThumbKeyDefaults.h"

CString RestoreDefaultsHeading(const CString& profileName)
{
    CString heading = TranslateText(L"$RestoreDefaults");
    if (heading.IsEmpty() || heading == L"$RestoreDefaults")
        heading = L"Restore Defaults";
    CString name = profileName;
    if (name.GetLength() > 20)
        name = name.Left(17) + L"...";
    return heading + L" : " + name;
}

CAssignButtonsPage::CAssignButtonsPage(IPageHost& host)
    : CAssignPageBase(host, PAGE_BUTTONS, LIST_PAGE_BUTTONS, 1, kThumbGridFirstButton - 1)
{
}

void CAssignButtonsPage::Bind(const PageLists& lists)
{
    CAssignPageBase::Bind(lists);
    m_reset = FindTypedItem<CBitmapBtn>(lists.lists[LIST_PAGE_BUTTONS], BUTTON_RESET, ITEM_BITMAPBTN);
    if (m_reset)
        m_reset->m_toggleOnClick = 0;  // a push button, not a switch
}

bool CAssignButtonsPage::OnCommand(const Command& command)
{
    if (command.list != LIST_PAGE_BUTTONS || command.item != m_reset || !m_reset)
        return false;
    RestoreDefaults();
    return true;
}

void CAssignButtonsPage::RestoreDefaults()
{
    IMouseConfig* config = m_host.Config();
    IMouseProfile* profile = config ? config->GetActiveProfile() : nullptr;
    if (!profile)
        return;
    if (m_host.ShowWarning(L"RestorePopup.xml", nullptr, RestoreDefaultsHeading(profile->GetName())) != IDOK)
        return;
    config->ResetToDefaults(profile);
    m_host.RefreshPages();
    if (m_hooks.fillProfileList)
        m_hooks.fillProfileList();
    m_host.MarkUnsaved();
    if (m_hooks.sendLighting)
        m_hooks.sendLighting();
}
