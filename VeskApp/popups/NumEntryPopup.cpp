#include "NumEntryPopup.h"

#include <cwchar>

#include "ItemIds.h"
#include "ItemLookup.h"
#include "resource.h"

CKyrthNumEntryPopup::CKyrthNumEntryPopup(CWnd* owner, const wchar_t* file, int minValue, int maxValue, int* result)
    : CVeskPopup(IDD_POPUP_PANEL, file, owner), m_min(minValue), m_max(maxValue), m_result(result)
{
}

void CKyrthNumEntryPopup::BindItems()
{
    m_edit = FindTypedItem<CEditItem>(&m_items, EDITCTRL_POPUP_NUMENTRY, ITEM_EDIT);
    if (m_edit) {
        m_edit->m_digitsOnly = 1;
        m_edit->m_minValue = m_min;
        m_edit->m_maxValue = m_max;
    }
}

BOOL CKyrthNumEntryPopup::OnInitDialog()
{
    CVeskPopup::OnInitDialog();
    if (m_edit && m_edit->m_hWnd)
        m_edit->SetFocus();
    return FALSE;
}

void CKyrthNumEntryPopup::OnPopupOK()
{
    if (m_result) {
        // The edit holds digits only, within the range; a pasted or set
        // text is still read safely and clamped.
        CString text = m_edit && m_edit->m_hWnd ? m_edit->GetWindowText() : CString();
        long long value = text.IsEmpty() ? 0 : std::wcstoll(text, nullptr, 10);
        if (value < 0) value = 0;
        if (value > m_max && m_max >= 0) value = m_max;
        *m_result = (int)value;
    }
    EndDialog(IDOK);
}
