// A device-interface notification record as the system sends it with
// WM_DEVICECHANGE: the header, then the interface path with its terminator.
#pragma once
#include <windows.h>

#include <dbt.h>

#include <cstddef>
#include <cstring>
#include <cwchar>
#include <vector>

inline std::vector<BYTE> InterfaceBroadcast(const wchar_t* path)
{
    size_t chars = wcslen(path) + 1;
    std::vector<BYTE> bytes(offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name) + chars * sizeof(wchar_t));
    auto* b = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(bytes.data());
    b->dbcc_size = static_cast<DWORD>(bytes.size());
    b->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    std::memcpy(b->dbcc_name, path, chars * sizeof(wchar_t));
    return bytes;
}

inline DEV_BROADCAST_HDR* Header(std::vector<BYTE>& record)
{
    return reinterpret_cast<DEV_BROADCAST_HDR*>(record.data());
}
