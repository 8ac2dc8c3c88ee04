// CDeviceListener: registers windows for arrival and removal notifications
// of HID device interfaces, and reads numbers out of interface paths.
#pragma once
#include <windows.h>
#include <dbt.h>
#include <vector>

class CWnd;

class CDeviceListener {
public:
    CDeviceListener() = default;
    CDeviceListener(const CDeviceListener&) = delete;
    CDeviceListener& operator=(const CDeviceListener&) = delete;
    // Unregisters every registration still held.
    virtual ~CDeviceListener();

    // The window gets WM_DEVICECHANGE for HID interfaces. A null window is
    // ignored; a failed registration is not reported. Registering the same
    // window twice keeps two registrations.
    void RegisterWindow(CWnd* window);
    // Unregisters from the most recent registration back to the first.
    void UnregisterAll();

    size_t RegistrationCount() const { return m_handles.size(); }

    // The hexadecimal number of at most four digits that follows the first
    // occurrence of tag in path, compared without case (the path is
    // upper-cased, so the tag is given in upper case). 0 when path or tag is
    // empty, the tag is absent, or no hex digit follows it.
    static unsigned ReadHexAfterTag(const wchar_t* path, const wchar_t* tag);

    // The HID interface class the registrations filter on.
    static const GUID kHidInterfaceClass;

private:
    std::vector<HDEVNOTIFY> m_handles;  // in registration order
};
