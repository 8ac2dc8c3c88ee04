// The status rules without a window: battery segments per tick, and which
// device-change notices mean the running model went away.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "ModelFlags.h"
#include "RemovalNotice.h"
#include "StatusDisplay.h"

TEST(BatterySegments, LevelsChargingAndOtherStates)
{
    CBatterySegments s;
    EXPECT_EQ(-1, s.Tick(0, 80, false));  // nothing before the first read
    const struct { uint32_t level; int count; } levels[] = {{0, 0}, {24, 0}, {25, 1}, {74, 2}, {75, 3}, {100, 3}, {255, 3}};
    for (const auto& row : levels)
        EXPECT_EQ(row.count, s.Tick(0, row.level, true)) << row.level;
    // Charging counts up from where it stood, round and round.
    s.Tick(0, 30, true);
    std::vector<int> charging;
    for (int i = 0; i < 5; ++i)
        charging.push_back(s.Tick(1, 30, true));
    EXPECT_EQ((std::vector<int>{2, 3, 0, 1, 2}), charging);
    EXPECT_EQ(-1, s.Tick(2, 30, true));  // on the cable: none
    EXPECT_TRUE(BatterySegmentShown(0, 0));
    EXPECT_FALSE(BatterySegmentShown(1, 0));
    EXPECT_FALSE(BatterySegmentShown(0, -1));
}


TEST(DeviceRemoval, OnlyTheRunningModelsInterfaceCounts)
{
    auto wireless = RemovalNotice(L"\\\\?\\HID#VID_2F7C&PID_001F#7&1&0000#{4d1e55b2}");
    auto dock = RemovalNotice(L"\\\\?\\hid#vid_2f7c&pid_0021#7&1&0000#{4d1e55b2}");
    auto other = RemovalNotice(L"\\\\?\\HID#VID_046D&PID_001F#7&1&0000#{4d1e55b2}");
    auto port = RemovalNotice(L"\\\\?\\HID#VID_2F7C&PID_001F#", DBT_DEVTYP_PORT);
    LPARAM w = (LPARAM)wireless.data();
    EXPECT_TRUE(IsRunningModelRemoval(DBT_DEVICEREMOVECOMPLETE, w, MODEL_WIRELESS));
    EXPECT_FALSE(IsRunningModelRemoval(DBT_DEVICEARRIVAL, w, MODEL_WIRELESS));
    EXPECT_FALSE(IsRunningModelRemoval(DBT_DEVICEREMOVECOMPLETE, w, MODEL_DOCK));
    EXPECT_FALSE(IsRunningModelRemoval(DBT_DEVICEREMOVECOMPLETE, w, MODEL_NONE));
    EXPECT_TRUE(IsRunningModelRemoval(DBT_DEVICEREMOVECOMPLETE, (LPARAM)dock.data(), MODEL_DOCK));
    EXPECT_FALSE(IsRunningModelRemoval(DBT_DEVICEREMOVECOMPLETE, (LPARAM)other.data(), MODEL_WIRELESS));
    EXPECT_FALSE(IsRunningModelRemoval(DBT_DEVICEREMOVECOMPLETE, (LPARAM)port.data(), MODEL_WIRELESS));
    EXPECT_FALSE(IsRunningModelRemoval(DBT_DEVICEREMOVECOMPLETE, 0, MODEL_WIRELESS));
    // A notice whose size ends inside the path: the rest is not read.
    auto cut = RemovalNotice(L"\\\\?\\HID#VID_2F7C&PID_001F", DBT_DEVTYP_DEVICEINTERFACE, 6 * sizeof(wchar_t));
    EXPECT_FALSE(IsRunningModelRemoval(DBT_DEVICEREMOVECOMPLETE, (LPARAM)cut.data(), MODEL_WIRELESS));
}
