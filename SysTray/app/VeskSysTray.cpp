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
    if (m_instanceMutex && ::GetLastError() == ERROR_ALREADY_EXISTS)
        return FALSE;
    INITCOMMONCONTROLSEX icc{sizeof(icc), 0xFF};
    ::InitCommonControlsEx(&icc);
    auto* dlg = new CVeskSysTrayDlg();
    m_pMainWnd = dlg;
    if (dlg->Create())
        return TRUE;  // the dialog now deletes itself with its window
    m_pMainWnd = nullptr;
    delete dlg;
    return FALSE;
}

int CVeskSysTrayApp::ExitInstance()
{
    // Only a loop that ended while the window still existed leaves the
    // dialog here; its window went with the loop's end otherwise.
    delete m_pMainWnd;
    m_pMainWnd = nullptr;
    return static_cast<int>(m_msgCur.wParam);
}
