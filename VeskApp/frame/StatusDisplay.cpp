#include "StatusDisplay.h"

#include <dbt.h>

#include <cstddef>
#include <string>

#include "DeviceListener.h"
#include "ModelFlags.h"

int CBatterySegments::Tick(int state, uint32_t level, bool statusRead)
{
    if (!statusRead)
        return -1;
    if (state == 1) {
        m_count = (m_count + 1) % 4;
        return m_count;
    }
    if (state != 0)
        return -1;
    m_count = (int)((level > 99 ? 99 : level) / 25);
    return m_count;
}

bool IsRunningModelRemoval(UINT event, LPARAM data, int modelFlag)
{
    if (event != DBT_DEVICEREMOVECOMPLETE || !data)
        return false;
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
    if (header->dbch_devicetype != DBT_DEVTYP_DEVICEINTERFACE ||
        header->dbch_size < offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name))
        return false;
    const auto* notice = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(data);
    // The path ends at its terminator or at the notice's end, whichever
    // comes first.
    size_t room = (header->dbch_size - offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name)) / sizeof(wchar_t);
    std::wstring path;
    for (size_t i = 0; i < room && notice->dbcc_name[i]; ++i)
        path += notice->dbcc_name[i];
    uint32_t product = ProductIdFromModelFlag(modelFlag);
    return product != 0 && CDeviceListener::ReadHexAfterTag(path.c_str(), L"VID_") == 0x2F7C &&
           CDeviceListener::ReadHexAfterTag(path.c_str(), L"PID_") == product;
}
