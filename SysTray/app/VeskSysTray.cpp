#include "VeskSysTray.h"

#include <commctrl.h>
#include <objbase.h>

#include "DeviceService.h"
#include "InterfaceKeeper.h"
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
    // This thread stays in its apartment until its message loop has ended:
    // the dialog goes while the loop still runs, and a call from the device
    // service that arrives then must still find an apartment to run in.
    m_com = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    // The device service calls the sinks' interfaces in this process: they
    // stay served for its whole life (InterfaceKeeper.h says why).
    static const IID* const kEventInterfaces[] = {&__uuidof(_IDPIEvents), &__uuidof(_IProfileManagerEvents),
                                                  &__uuidof(_IApplicationEvent),
                                                  &__uuidof(_IOTFMacroRecordingEvents)};
    if (m_com)
        KeepInterfacesServed(kEventInterfaces, sizeof(kEventInterfaces) / sizeof(kEventInterfaces[0]));
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
    if (m_com)
        ::CoUninitialize();
    m_com = false;
    return static_cast<int>(m_msgCur.wParam);
}
