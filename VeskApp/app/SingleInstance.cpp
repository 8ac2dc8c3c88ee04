#include "SingleInstance.h"

InstanceCheck CheckSingleInstance(const wchar_t* windowClass)
{
    HANDLE mutex = ::CreateMutexW(nullptr, FALSE, L"CSingleInstanceApp{B98C6AA5-57C0}");
    if (!mutex)
        return InstanceCheck::Busy;
    DWORD wait = ::WaitForSingleObject(mutex, 1000);
    if (wait != WAIT_OBJECT_0 && wait != WAIT_ABANDONED) {
        ::CloseHandle(mutex);
        return InstanceCheck::Busy;
    }
    InstanceCheck result = InstanceCheck::First;
    if (HWND running = ::FindWindowW(windowClass, nullptr)) {
        HWND popup = ::GetLastActivePopup(running);
        ::BringWindowToTop(running);
        if (popup && ::IsIconic(popup))
            ::ShowWindow(popup, SW_RESTORE);
        else
            ::SetForegroundWindow(popup ? popup : running);
        result = InstanceCheck::OtherRunning;
    }
    ::ReleaseMutex(mutex);
    ::CloseHandle(mutex);
    return result;
}
