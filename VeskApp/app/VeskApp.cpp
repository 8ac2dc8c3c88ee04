#include "VeskApp.h"

#include <commctrl.h>
#include <objbase.h>

#include "VeskAppDlg.h"

CVeskAppApp theApp;

// The window class that the main dialog's template names.
static const wchar_t kSingleInstanceClass[] = L"SINGLE_INSTANCE_APP_KOVU";

CVeskAppApp::CVeskAppApp() : CWinApp(L"TanduKovuConfig") {}

static bool RegisterSingleInstanceClass(HINSTANCE inst)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (::GetClassInfoExW(inst, kSingleInstanceClass, &wc))
        return true;
    // A dialog class: the dialog manager's procedure and its window bytes.
    ::GetClassInfoExW(nullptr, MAKEINTRESOURCEW(0x8002), &wc);  // WC_DIALOG
    wc.cbSize = sizeof(wc);
    wc.hInstance = inst;
    wc.lpszClassName = kSingleInstanceClass;
    wc.hIcon = ::LoadIconW(inst, MAKEINTRESOURCEW(128));
    wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    return ::RegisterClassExW(&wc) != 0;
}

BOOL CVeskAppApp::InitInstance()
{
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&icc);
    ::CoInitialize(nullptr);
    if (!RegisterSingleInstanceClass(m_hInstance)) {
        m_exitCode = 1;
        return FALSE;
    }
    CVeskAppDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    ::CoUninitialize();
    return FALSE;  // the dialog has ended: no message loop of our own
}

int CVeskAppApp::ExitInstance()
{
    return m_exitCode;
}
