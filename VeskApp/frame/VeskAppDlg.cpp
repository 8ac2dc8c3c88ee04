#include "VeskAppDlg.h"

#include "resource.h"

BEGIN_MESSAGE_MAP(CVeskAppDlg, CDialog)
END_MESSAGE_MAP()

CVeskAppDlg::CVeskAppDlg(CWnd* parent) : CDialog(IDD_VESKAPP_DIALOG, parent) {}

BOOL CVeskAppDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    HICON icon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
    SetIcon(icon, TRUE);
    SetIcon(icon, FALSE);
    return TRUE;
}
