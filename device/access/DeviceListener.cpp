#include "DeviceListener.h"

#include <string>

#include "DeviceNotices.h"
#include "Wnd.h"

const GUID CDeviceListener::kHidInterfaceClass = *tknotices::kConfiguratorNotices.interfaceClass;

CDeviceListener::~CDeviceListener()
{
    UnregisterAll();
}

void CDeviceListener::RegisterWindow(CWnd* window)
{
    if (!window || !window->GetSafeHwnd())
        return;
    DEV_BROADCAST_DEVICEINTERFACE_W filter;
    ZeroMemory(&filter, sizeof(filter));
    filter.dbcc_size = sizeof(filter);
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = kHidInterfaceClass;
    HDEVNOTIFY handle =
        ::RegisterDeviceNotificationW(window->GetSafeHwnd(), &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
    if (handle)
        m_handles.push_back(handle);
}

void CDeviceListener::UnregisterAll()
{
    while (!m_handles.empty()) {
        HDEVNOTIFY handle = m_handles.back();
        m_handles.pop_back();
        if (handle)
            ::UnregisterDeviceNotification(handle);
    }
}

unsigned CDeviceListener::ReadHexAfterTag(const wchar_t* path, const wchar_t* tag)
{
    if (!path || !*path || !tag || !*tag)
        return 0;
    std::wstring upper(path);
    ::CharUpperBuffW(&upper[0], (DWORD)upper.size());
    size_t at = upper.find(tag);
    if (at == std::wstring::npos)
        return 0;
    // Hex digits only: a sign or a "0x" in a path is garbage, not a number.
    unsigned value = 0;
    size_t pos = at + wcslen(tag);
    for (size_t n = 0; n < 4 && pos < upper.size(); ++n, ++pos) {
        wchar_t c = upper[pos];
        unsigned digit;
        if (c >= L'0' && c <= L'9')
            digit = c - L'0';
        else if (c >= L'A' && c <= L'F')
            digit = c - L'A' + 10;
        else
            break;
        value = value * 16 + digit;
    }
    return value;
}
