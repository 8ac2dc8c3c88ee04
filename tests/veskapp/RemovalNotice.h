// A WM_DEVICECHANGE notice of a device interface, as the system sends it.
#pragma once
#include <windows.h>

#include <dbt.h>

#include <cstddef>
#include <cwchar>
#include <vector>

// The notice for `path`; `sizeCut` bytes less in its size field (a notice
// that ends inside its path); `type` its device type.
inline std::vector<BYTE> RemovalNotice(const wchar_t* path, UINT type = DBT_DEVTYP_DEVICEINTERFACE, int sizeCut = 0)
{
    size_t bytes = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name) + (wcslen(path) + 1) * sizeof(wchar_t);
    std::vector<BYTE> data(bytes, 0);
    auto* n = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(data.data());
    n->dbcc_size = (DWORD)(bytes - sizeCut);
    n->dbcc_devicetype = type;
    wcscpy(n->dbcc_name, path);
    return data;
}

// The path of a mouse interface of this vendor and product `pid` ("001F").
inline std::wstring MouseInterfacePath(const wchar_t* pid)
{
    return std::wstring(L"\\\\?\\HID#VID_2F7C&PID_") + pid + L"#7&1&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";
}
