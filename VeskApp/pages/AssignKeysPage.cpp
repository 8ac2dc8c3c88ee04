#include "AssignKeysPage.h"

#include "ItemIds.h"
#include "MouseConfigInterface.h"
#include "ThumbKeyDefaults.h"

CAssignKeysPage::CAssignKeysPage(IPageHost& host)
    : CAssignPageBase(host, PAGE_KEYS, LIST_PAGE_KEYS, kThumbGridFirstButton, kThumbGridLastButton)
{
}

void CAssignKeysPage::Bind(const PageLists& lists)
{
    CAssignPageBase::Bind(lists);
    const CGUIItems* list = lists.lists[LIST_PAGE_KEYS];
    m_numberRow = FindTypedItem<CBitmapBtn>(list, BUTTON_KEYASSIGN_123NUM_123, ITEM_BITMAPBTN);
    m_keypad = FindTypedItem<CBitmapBtn>(list, BUTTON_KEYASSIGN_123NUM_NUM, ITEM_BITMAPBTN);
    m_keysOff = FindTypedItem<CBitmapBtn>(list, BUTTON_DISABLE_KEYS, ITEM_BITMAPBTN);
    // The page sets these buttons' states itself.
    for (CBitmapBtn* b : {m_numberRow, m_keypad, m_keysOff})
        if (b)
            b->m_toggleOnClick = 0;
}

void CAssignKeysPage::ShowLayoutButtons()
{
    const bool keypad = Layout() == 1;
    if (m_numberRow)
        m_numberRow->SetSelected(!keypad);
    if (m_keypad)
        m_keypad->SetSelected(keypad);
}

void CAssignKeysPage::Refresh()
{
    ShowLayoutButtons();
    if (m_keysOff && m_host.Config())
        m_keysOff->SetSelected(m_host.Config()->GetKeyMode(nullptr) == 0);
    UpdateAssignmentTexts();
}

void CAssignKeysPage::SetLayout(int layout)
{
    Layout() = layout ? 1 : 0;
    ShowLayoutButtons();
    UpdateAssignmentTexts();
}

void CAssignKeysPage::ToggleKeysOff()
{
    m_host.MarkUnsaved();
    const bool wantOff = m_keysOff ? !m_keysOff->IsSelected() : m_host.Config()->GetKeyMode(nullptr) != 0;
    const bool off = Rules().SetKeysOff(wantOff, *this);
    if (m_keysOff)
        m_keysOff->SetSelected(off);
    UpdateAssignmentTexts();
}

bool CAssignKeysPage::OnCommand(const Command& command)
{
    if (command.list != LIST_PAGE_KEYS || !command.item)
        return false;
    if (command.item == m_numberRow)
        SetLayout(0);
    else if (command.item == m_keypad)
        SetLayout(1);
    else if (command.item == m_keysOff)
        ToggleKeysOff();
    else
        return false;
    return true;
}
