#include "WarningPopup.h"

#include "ItemIds.h"
#include "ItemLookup.h"
#include "resource.h"

CVeskWarningDlg::CVeskWarningDlg(CWnd* owner, const wchar_t* file, const wchar_t* dataText)
    : CVeskPopup(IDD_POPUP_PANEL, file, owner), m_dataText(dataText ? dataText : L"")
{
}

void CVeskWarningDlg::BindItems()
{
    m_heading = FindTypedItem<CTextItem>(&m_items, TEXT_WARNDLG_HEADING, ITEM_TEXT);
    if (!m_heading)
        return;
    // The skin's text is already translated; the data text (a name) is
    // appended as it stands.
    if (!m_dataText.IsEmpty())
        m_heading->SetText(m_heading->GetText() + m_dataText);
    if (!m_replacementHeading.IsEmpty())
        m_heading->SetText(m_replacementHeading);
}

namespace {
WarningPopupRunner g_runner = nullptr;
}

void SetWarningPopupRunner(WarningPopupRunner runner)
{
    g_runner = runner;
}

INT_PTR RunWarningPopup(CWnd* owner, const wchar_t* file, const wchar_t* dataText, const wchar_t* heading)
{
    if (g_runner)
        return g_runner(owner, file, dataText, heading);
    CVeskWarningDlg popup(owner, file, dataText);
    if (heading)
        popup.SetHeading(heading);
    INT_PTR result = popup.DoModal();
    return result == IDOK ? IDOK : IDCANCEL;
}
