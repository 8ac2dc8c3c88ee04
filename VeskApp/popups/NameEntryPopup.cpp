#include "NameEntryPopup.h"

#include "ItemIds.h"
#include "ItemLookup.h"
#include "resource.h"

CVeskNameEntryPopup::CVeskNameEntryPopup(CWnd* owner, const wchar_t* file, CString* result)
    : CVeskPopup(IDD_POPUP_SPLASH, file, owner), m_result(result)
{
}

void CVeskNameEntryPopup::BindItems()
{
    m_edit = FindTypedItem<CEditItem>(&m_items, EDITCTRL_POPUP_NAMEENTRY, ITEM_EDIT);
}

BOOL CVeskNameEntryPopup::OnInitDialog()
{
    CVeskPopup::OnInitDialog();
    if (m_edit && m_edit->m_hWnd) {
        m_edit->SetWindowText(L"");
        m_edit->SendMessage(EM_SETLIMITTEXT, kMaxNameLength);
        m_edit->SetFocus();
    }
    return FALSE;  // the focus is set
}

void CVeskNameEntryPopup::OnPopupOK()
{
    if (m_result)
        *m_result = m_edit && m_edit->m_hWnd ? m_edit->GetWindowText() : CString();
    EndDialog(IDOK);
}

CKyrthNameEntryPopup::CKyrthNameEntryPopup(CWnd* owner, const wchar_t* currentName, CString* result,
                                           const wchar_t* file)
    : CVeskNameEntryPopup(owner, file, result), m_currentName(currentName ? currentName : L"")
{
}

void CKyrthNameEntryPopup::BindItems()
{
    CVeskNameEntryPopup::BindItems();
    CTextItem* heading = FindTypedItem<CTextItem>(&m_items, TEXT_WARNDLG_HEADING, ITEM_TEXT);
    if (heading && !m_currentName.IsEmpty())
        heading->SetText(heading->GetText() + L": " + m_currentName);
}
