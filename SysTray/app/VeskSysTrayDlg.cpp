#include "VeskSysTrayDlg.h"

#include "resource.h"

BEGIN_MESSAGE_MAP(CVeskSysTrayDlg, CDialog)
    ON_WM_CLOSE()
END_MESSAGE_MAP()

CVeskSysTrayDlg::CVeskSysTrayDlg() : CDialog(IDD_VESKSYSTRAY_DIALOG) {}

BOOL CVeskSysTrayDlg::Create()
{
    return CDialog::Create(IDD_VESKSYSTRAY_DIALOG, nullptr);
}

BOOL CVeskSysTrayDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    return TRUE;
}

void CVeskSysTrayDlg::OnClose()
{
    DestroyWindow();
}

void CVeskSysTrayDlg::PostNcDestroy()
{
    delete this;
}
