#include <gtest/gtest.h>

#include <windows.h>
#include <dbt.h>

#include <vector>

#include "DeviceListener.h"
#include "RecordingWnd.h"

TEST(DeviceListener, ReadsTheHexNumberAfterATagInAnyCase)
{
    const wchar_t* path = L"\\\\?\\hid#vid_1b1c&pid_001f&mi_01#7&2a0f&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}";
    EXPECT_EQ(0x1Fu, CDeviceListener::ReadHexAfterTag(path, L"PID_"));
    EXPECT_EQ(0x1B1Cu, CDeviceListener::ReadHexAfterTag(path, L"VID_"));
    EXPECT_EQ(0x1Fu, CDeviceListener::ReadHexAfterTag(L"HID#VID_1B1C&PID_001F", L"PID_"));
    EXPECT_EQ(0xABCDu, CDeviceListener::ReadHexAfterTag(L"x#pId_aBcD", L"PID_"));
    // The path is upper-cased, the tag is not.
    EXPECT_EQ(0u, CDeviceListener::ReadHexAfterTag(path, L"pid_"));
    // At most four digits; the first occurrence counts.
    EXPECT_EQ(0x1234u, CDeviceListener::ReadHexAfterTag(L"PID_123456", L"PID_"));
    EXPECT_EQ(0x15u, CDeviceListener::ReadHexAfterTag(L"PID_15&PID_21", L"PID_"));
    // Fewer digits stop at the first non-digit.
    EXPECT_EQ(0x2Eu, CDeviceListener::ReadHexAfterTag(L"PID_2E#", L"PID_"));
}

TEST(DeviceListener, MissingTagsAndGarbageReadAsZero)
{
    EXPECT_EQ(0u, CDeviceListener::ReadHexAfterTag(L"HID#VID_1B1C", L"PID_"));
    EXPECT_EQ(0u, CDeviceListener::ReadHexAfterTag(L"HID#VID_1B1C&PID_", L"PID_"));  // tag at the end
    EXPECT_EQ(0u, CDeviceListener::ReadHexAfterTag(L"", L"PID_"));
    EXPECT_EQ(0u, CDeviceListener::ReadHexAfterTag(nullptr, L"PID_"));
    EXPECT_EQ(0u, CDeviceListener::ReadHexAfterTag(L"PID_1F", L""));
    EXPECT_EQ(0u, CDeviceListener::ReadHexAfterTag(L"PID_1F", nullptr));
    EXPECT_EQ(0u, CDeviceListener::ReadHexAfterTag(L"PID_ZZZZ", L"PID_"));
    EXPECT_EQ(0u, CDeviceListener::ReadHexAfterTag(L"PID_-001", L"PID_"));   // no sign
    EXPECT_EQ(0u, CDeviceListener::ReadHexAfterTag(L"PID_ 1F", L"PID_"));    // no blanks
    EXPECT_EQ(0x3u, CDeviceListener::ReadHexAfterTag(L"PID_3\x00e9\x4e2d", L"PID_"));
}

namespace {

// The notification as the system builds it: the header and the path.
std::vector<BYTE> InterfaceBroadcast(const wchar_t* path)
{
    size_t chars = wcslen(path) + 1;
    std::vector<BYTE> buffer(offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name) + chars * sizeof(wchar_t));
    auto* b = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(buffer.data());
    b->dbcc_size = (DWORD)buffer.size();
    b->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    b->dbcc_classguid = CDeviceListener::kHidInterfaceClass;
    memcpy(b->dbcc_name, path, chars * sizeof(wchar_t));
    return buffer;
}

}  // namespace

TEST(DeviceListener, RegisteredWindowsReadThePathOfADeviceChange)
{
    CRecordingWnd wnd([](UINT m) { return m == WM_DEVICECHANGE; });
    ASSERT_TRUE(wnd.CreateTopLevel());
    std::vector<unsigned> seen;
    wnd.m_answer = [&](UINT m, WPARAM w, LPARAM l, LRESULT* result) {
        if (m != WM_DEVICECHANGE)
            return false;
        auto* hdr = reinterpret_cast<const DEV_BROADCAST_HDR*>(l);
        if ((w == DBT_DEVICEARRIVAL || w == DBT_DEVICEREMOVECOMPLETE) && hdr &&
            hdr->dbch_devicetype == DBT_DEVTYP_DEVICEINTERFACE)
            seen.push_back(CDeviceListener::ReadHexAfterTag(
                reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(l)->dbcc_name, L"PID_"));
        *result = TRUE;
        return true;
    };

    {
        CDeviceListener listener;
        listener.RegisterWindow(nullptr);
        EXPECT_EQ(0u, listener.RegistrationCount());
        CWnd unattached;
        listener.RegisterWindow(&unattached);
        EXPECT_EQ(0u, listener.RegistrationCount());

        listener.RegisterWindow(&wnd);
        listener.RegisterWindow(&wnd);
        EXPECT_EQ(2u, listener.RegistrationCount());

        // The system does not send these under Wine; send what it would.
        std::vector<BYTE> arrival = InterfaceBroadcast(L"\\\\?\\HID#VID_1B1C&PID_0021#1");
        std::vector<BYTE> removal = InterfaceBroadcast(L"\\\\?\\hid#vid_1b1c&pid_0015#1");
        wnd.SendMessage(WM_DEVICECHANGE, DBT_DEVICEARRIVAL, (LPARAM)arrival.data());
        wnd.SendMessage(WM_DEVICECHANGE, DBT_DEVICEREMOVECOMPLETE, (LPARAM)removal.data());
        EXPECT_EQ(std::vector<unsigned>({0x21, 0x15}), seen);
        EXPECT_EQ(2, wnd.Count(WM_DEVICECHANGE));

        listener.UnregisterAll();
        EXPECT_EQ(0u, listener.RegistrationCount());
        listener.RegisterWindow(&wnd);
        EXPECT_EQ(1u, listener.RegistrationCount());
        // The destructor releases the remaining registration.
    }
    wnd.DestroyWindow();
}
