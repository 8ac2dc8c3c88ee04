#include "DeviceInterfacePath.h"

#include <cstddef>
#include <cstring>

#include "DeviceManager.h"

namespace {

// Longer paths than this are cut; real ones are a few hundred characters.
const size_t kMaxPathChars = 4096;

}  // namespace

bool InterfacePathOf(const DEV_BROADCAST_HDR* header, CString& path)
{
    const size_t nameAt = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name);
    if (!header || header->dbch_devicetype != DBT_DEVTYP_DEVICEINTERFACE || header->dbch_size < nameAt)
        return false;
    const BYTE* name = reinterpret_cast<const BYTE*>(header) + nameAt;
    size_t chars = (header->dbch_size - nameAt) / sizeof(wchar_t);
    if (chars > kMaxPathChars)
        chars = kMaxPathChars;
    path.Empty();
    for (size_t i = 0; i < chars; ++i) {
        wchar_t ch = 0;
        std::memcpy(&ch, name + i * sizeof(wchar_t), sizeof(ch));
        if (!ch)
            break;
        path += ch;
    }
    path.MakeUpper();
    return true;
}

int TrayProductOfPath(const CString& path)
{
    if (path.Find(L"VID_2F7C") < 0)
        return 0;
    if (path.Find(L"PID_001F") >= 0)
        return kProductWireless;
    if (path.Find(L"PID_0021") >= 0)
        return kProductDock;
    if (path.Find(L"PID_0015") >= 0)
        return kProductWired;
    return 0;
}
