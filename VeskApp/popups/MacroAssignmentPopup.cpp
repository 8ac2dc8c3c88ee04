#include "MacroAssignmentPopup.h"

#include "ItemLookup.h"
#include "ItemIds.h"

const int kMacroModeOfButton[4] = {kPlayOnce, kPlayRepeat, kPlayWhilePressed, kPlayUntilPressed};

CKyrthMacroAssignmentPopup::CKyrthMacroAssignmentPopup(CWnd* parent, MacroChoice* choice, UINT templateId)
    : CVeskPopup(templateId, L"SelectMacroPopup.xml", parent), m_choice(choice)
{
}

void CKyrthMacroAssignmentPopup::BindItems()
{
    m_list = FindTypedItem<CDropdownListItem>(&m_items, LIST_DROPDOWN_POPUP, ITEM_DROPDOWNLIST);
    const int ids[4] = {BUTTON_MACRO_PLAY_ONCE, BUTTON_MACRO_PLAY_MULTIPLE, BUTTON_MACRO_PLAY_WHILEPRESSED,
                        BUTTON_MACRO_PLAY_UNTILPRESSED};
    for (int i = 0; i < 4; ++i)
        m_modeButtons[i] = FindTypedItem<CBitmapBtn>(&m_items, ids[i], ITEM_BITMAPBTN);
    m_ok = FindTypedItem<CBitmapBtn>(&m_items, BUTTON_POPUP_OK, ITEM_BITMAPBTN);
    m_cancel = FindTypedItem<CBitmapBtn>(&m_items, BUTTON_POPUP_CANCEL, ITEM_BITMAPBTN);
}

BOOL CKyrthMacroAssignmentPopup::OnInitDialog()
{
    CVeskPopup::OnInitDialog();
    if (!m_background)
        return FALSE;  // ended: the file could not be read
    if (m_list && m_choice) {
        m_list->ResetContent();
        int chosen = -1;
        for (const CString& name : m_choice->names) {
            int i = m_list->AddString(name);
            if (chosen < 0 && !m_choice->name.IsEmpty() && name.CompareNoCase(m_choice->name) == 0)
                chosen = i;
        }
        if (chosen >= 0)
            m_list->SetCurSel(chosen);
    }
    for (CBitmapBtn* b : m_modeButtons)
        if (b)
            b->m_toggleOnClick = 0;  // one choice: the popup sets the states
    SelectMode(m_choice ? m_choice->mode : kPlayOnce);
    return TRUE;
}

void CKyrthMacroAssignmentPopup::SelectMode(int mode)
{
    m_mode = 0;
    for (int i = 0; i < 4; ++i) {
        bool on = kMacroModeOfButton[i] == mode;
        if (on)
            m_mode = mode;
        if (m_modeButtons[i] && m_modeButtons[i]->IsSelected() != on) {
            m_modeButtons[i]->SetSelected(on);
            m_modeButtons[i]->Invalidate(FALSE);
        }
    }
}

bool CKyrthMacroAssignmentPopup::OnItemCommand(CGUIItem* item, UINT)
{
    for (int i = 0; i < 4; ++i) {
        if (item == m_modeButtons[i]) {
            SelectMode(kMacroModeOfButton[i]);
            return true;
        }
    }
    return false;
}

void CKyrthMacroAssignmentPopup::OnPopupOK()
{
    if (m_choice) {
        int i = m_list ? m_list->GetCurSel() : -1;
        m_choice->name = i >= 0 ? m_list->GetItemText(i) : CString();
        m_choice->mode = m_mode ? m_mode : kPlayOnce;
    }
    EndDialog(IDOK);
}

namespace {
MacroAssignmentPopupRunner g_runner = nullptr;
}

void SetMacroAssignmentPopupRunner(MacroAssignmentPopupRunner runner)
{
    g_runner = runner;
}

bool RunMacroAssignmentPopup(CWnd* owner, MacroChoice& choice)
{
    if (g_runner)
        return g_runner(owner, choice);
    CKyrthMacroAssignmentPopup popup(owner, &choice);
    return popup.DoModal() == IDOK;
}
