#include "VeskSysTray.h"

#include <commctrl.h>

#include "VeskSysTrayDlg.h"

CVeskSysTrayApp theApp;

CVeskSysTrayApp::CVeskSysTrayApp() : CWinApp(L"TanduKovuSysTray") {}

CVeskSysTrayApp::~CVeskSysTrayApp()
{
    if (m_instanceMutex)
        ::CloseHandle(m_instanceMutex);
}

BOOL CVeskSysTrayApp::InitInstance()
{
    // One tray program per session: a second start ends at once.
    m_instanceMutex = ::CreateMutexW(nullptr, FALSE, L"KovuZentSysTray");
    if (!m_instanceMutex || ::GetLastError() == ERROR_ALREADY_EXISTS)
        return FALSE;
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&icc);
    CVeskSysTrayDlg* dlg = new CVeskSysTrayDlg();
    if (!dlg->Create()) {
        delete dlg;
        return FALSE;
    }
    m_pMainWnd = dlg;  // hidden; destroying it ends the message loop
    return TRUE;
}

int CVeskSysTrayApp::ExitInstance()
{
    return (int)m_msgCur.wParam;
}
