// The tray's own rules: its menu and tooltip, which device notifications
// count, the linked-program choice, the registry, starting a program, the
// macro recorder's events and the battery text.
#include <windows.h>

#include <dbt.h>
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <vector>

#include "BatteryMonitor.h"
#include "LangTable.h"
#include "DeviceBroadcast.h"
#include "DeviceInterfacePath.h"
#include "LinkedProfile.h"
#include "MacroRecorder.h"
#include "PcManager.h"
#include "ProbeFolder.h"
#include "RecordingWnd.h"
#include "TrayMenu.h"
#include "TrayNotifyIcon.h"
#include "TrayServiceFixture.h"
#include "TrayText.h"
#include "resource.h"

namespace {

// The items of a menu as "text", "-" for a separator, with "*" for a check.
std::vector<std::wstring> MenuItems(HMENU menu)
{
    std::vector<std::wstring> items;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        wchar_t text[128] = {};
        MENUITEMINFOW mi{};
        mi.cbSize = sizeof(mi);
        mi.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_STRING;
        mi.dwTypeData = text;
        mi.cch = 127;
        ::GetMenuItemInfoW(menu, i, TRUE, &mi);
        if (mi.fType & MFT_SEPARATOR)
            items.push_back(L"-");
        else
            items.push_back(std::wstring((mi.fState & MFS_CHECKED) ? L"*" : L"") + text);
    }
    return items;
}

std::vector<CString> Names(int n)
{
    std::vector<CString> names;
    for (int i = 1; i <= n; ++i) {
        CString s;
        s.Format(L"P%d", i);
        names.push_back(s);
    }
    return names;
}

using Battery = TrayServiceTest;

}  // namespace

TEST(TrayMenu, ListsUpToTwentyProfilesWithTheActiveOneChecked)
{
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_TRAYMENU));
    BuildTrayMenu(menu.GetSubMenu(0), {L"Work", L"R&D", L"Play"}, L"R&D", L"Open", L"Close");
    EXPECT_EQ((std::vector<std::wstring>{L"Open", L"-", L"Work", L"*R&&D", L"Play", L"-", L"Close"}),
              MenuItems(menu.GetSubMenu(0)));

    CMenu many, none;
    ASSERT_TRUE(many.LoadMenu(IDR_TRAYMENU) && none.LoadMenu(IDR_TRAYMENU));
    BuildTrayMenu(many.GetSubMenu(0), Names(25), L"P25", nullptr, nullptr);
    std::vector<std::wstring> items = MenuItems(many.GetSubMenu(0));
    ASSERT_EQ(24u, items.size());  // the item, a separator, 20 names, a separator, close
    EXPECT_EQ(L"P20", items[21]);
    EXPECT_EQ(L"Close Tray Icon", items[23]);
    BuildTrayMenu(none.GetSubMenu(0), {}, L"", nullptr, nullptr);
    EXPECT_EQ(3u, MenuItems(none.GetSubMenu(0)).size());
}

TEST(TrayMenu, TheTooltipCarriesTheBatteryOnlyForWirelessProductsAndIsCutAt127)
{
    EXPECT_EQ(CString(L"Zent : Battery [80%]"), ComposeTooltip(L"Zent", 0x1F, L" : Battery [80%]"));
    EXPECT_EQ(CString(L"Kovu"), ComposeTooltip(L"Kovu", 0x15, L" : Battery [80%]"));
    EXPECT_EQ(CString(L"Zent"), ComposeTooltip(L"Zent", 0, L" : Battery [80%]"));
    NOTIFYICONDATAW record{};
    CString longTip(L'x', 200);
    SetRecordTip(record, 3, longTip);
    EXPECT_EQ(127u, wcsnlen(record.szTip, 128));
    SetRecordTip(record, 0, longTip);
    EXPECT_EQ(63u, wcsnlen(record.szTip, 128));
    EXPECT_EQ(sizeof(NOTIFYICONDATAW), NotifyRecordSize(3));
    EXPECT_EQ(NOTIFYICONDATAW_V1_SIZE, NotifyRecordSize(0));
}

TEST(TrayNotifyIcon, TheIconIsAddedAgainWhenTheShellStartsAgain)
{
    CRecordingWnd owner;
    ASSERT_TRUE(owner.CreateTopLevel());
    CTrayNotifyIcon icon;
    ASSERT_TRUE(icon.Create(&owner, L"Tandu Kovu Zent", ::LoadIconW(nullptr, IDI_APPLICATION)));
    EXPECT_EQ(NotifyRecordSize(ShellVersionLevel()), icon.Record().cbSize);
    ::SendMessageW(icon.HelperWindow(), ::RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    EXPECT_TRUE(icon.IsAdded());
    EXPECT_STREQ(L"Tandu Kovu Zent", icon.Record().szTip);
    EXPECT_EQ(0, icon.OnTrayNotification(kTrayIconId + 1, WM_RBUTTONUP));  // another icon's
}

TEST(TrayText, AKeyTheLanguageLacksComesFromEnglishThenFromTheProgram)
{
    const wchar_t en[] = L"English\r\nx\r\nCloseTrayIcon\r\nClose\r\n";
    const wchar_t de[] = L"Deutsch\r\nx\r\nBattery\r\nAkku\r\n";
    CLangTable english, german;
    ASSERT_TRUE(english.Parse(en, sizeof(en) - sizeof(wchar_t)));
    ASSERT_TRUE(german.Parse(de, sizeof(de) - sizeof(wchar_t)));
    LangTableMap[0] = &english;
    LangTableMap[5] = &german;
    SetCurrentLangTable(&german);
    EXPECT_EQ(CString(L"Akku"), TrayText(L"$Battery", L"Battery"));
    EXPECT_EQ(CString(L"Close"), TrayText(L"$CloseTrayIcon", L"Close Tray Icon"));
    EXPECT_EQ(CString(L"Open"), TrayText(L"$LoadKovuConfigurator", L"Open"));
}

TEST(DeviceInterfacePath, OnlyTheVendorsThreeProductsCountAndPathsStayInTheirRecord)
{
    CString path;
    std::vector<BYTE> wireless =
        InterfaceBroadcast(L"\\\\?\\hid#vid_2f7c&pid_001f#7&1&0000#{378de44c-56ef-11d1-bc8c-00a0c91405dd}");
    ASSERT_TRUE(InterfacePathOf(Header(wireless), path));
    EXPECT_EQ(0x1F, TrayProductOfPath(path));
    EXPECT_EQ(0x21, TrayProductOfPath(L"HID#VID_2F7C&PID_0021#1"));
    EXPECT_EQ(0x15, TrayProductOfPath(L"HID#VID_2F7C&PID_0015#1"));
    EXPECT_EQ(0, TrayProductOfPath(L"HID#VID_046D&PID_001F#1"));
    EXPECT_EQ(0, TrayProductOfPath(L"HID#VID_2F7C&PID_0016#1"));

    // A record that claims less than its text: the text ends where it does.
    std::vector<BYTE> cut = InterfaceBroadcast(L"HID#VID_2F7C&PID_001F");
    Header(cut)->dbch_size = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name) + 8 * sizeof(wchar_t);
    ASSERT_TRUE(InterfacePathOf(Header(cut), path));
    EXPECT_EQ(CString(L"HID#VID_"), path);
    Header(cut)->dbch_size = 4;
    EXPECT_FALSE(InterfacePathOf(Header(cut), path));
    DEV_BROADCAST_HDR volume{sizeof(DEV_BROADCAST_HDR), DBT_DEVTYP_VOLUME, 0};
    EXPECT_FALSE(InterfacePathOf(&volume, path));
}

TEST(LinkedProfile, TheFirstEnabledExactMatchWinsUnlessItIsActive)
{
    std::vector<_Profile_Setting_> s(4);
    s[0] = {L"A", L"game.exe", 0, 0, 0};  // link off
    s[1] = {L"B", L"C:\\games\\game.exe", 1, 0, 0};
    s[2] = {L"C", L"game.exe", 1, 0, 1};
    s[3] = {L"D", L"game.exe", 1, 0, 0};
    auto foreground = [](const CString& name) { return name == L"game.exe"; };
    EXPECT_EQ(2, ChooseLinkedProfile(s, L"A", foreground));
    EXPECT_EQ(-1, ChooseLinkedProfile(s, L"C", foreground));  // already active: no switch to D
    auto upper = [](const CString& name) { return name == L"GAME.EXE"; };
    EXPECT_EQ(-1, ChooseLinkedProfile(s, L"A", upper));
}

TEST(PcManager, RegistryTextsAreBoundedAndTheConfiguratorStartsFromItsFolder)
{
    const wchar_t* key = L"Software\\TanduKovuTrayTest";
    HKEY h = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_WRITE, nullptr, &h, nullptr));
    std::wstring withSlash = L"C:\\Program Files\\Tandu\\";
    ::RegSetValueExW(h, L"InstallDir", 0, REG_SZ, reinterpret_cast<const BYTE*>(withSlash.c_str()),
                     static_cast<DWORD>(withSlash.size() * sizeof(wchar_t)));  // no terminator stored
    std::wstring tooLong(400, L'x');
    ::RegSetValueExW(h, L"Long", 0, REG_SZ, reinterpret_cast<const BYTE*>(tooLong.c_str()),
                     static_cast<DWORD>((tooLong.size() + 1) * sizeof(wchar_t)));
    // An expandable value is expanded, within the same bound.
    std::wstring expandable = L"%TK_TRAY_ROOT%\\Tandu";
    ::RegSetValueExW(h, L"Expandable", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(expandable.c_str()),
                     static_cast<DWORD>((expandable.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(h);
    CString dir, text;
    ASSERT_TRUE(CPcManager::ReadRegistryText(HKEY_CURRENT_USER, key, L"InstallDir", dir));
    EXPECT_EQ(CString(withSlash.c_str()), dir);
    EXPECT_FALSE(CPcManager::ReadRegistryText(HKEY_CURRENT_USER, key, L"Long", text));
    EXPECT_FALSE(CPcManager::ReadRegistryText(HKEY_CURRENT_USER, key, L"Missing", text));
    ASSERT_TRUE(::SetEnvironmentVariableW(L"TK_TRAY_ROOT", L"C:\\Programs"));
    ASSERT_TRUE(CPcManager::ReadRegistryText(HKEY_CURRENT_USER, key, L"Expandable", text));
    EXPECT_EQ(CString(L"C:\\Programs\\Tandu"), text);
    ASSERT_TRUE(::SetEnvironmentVariableW(L"TK_TRAY_ROOT", std::wstring(300, L'x').c_str()));
    EXPECT_FALSE(CPcManager::ReadRegistryText(HKEY_CURRENT_USER, key, L"Expandable", text));
    ::SetEnvironmentVariableW(L"TK_TRAY_ROOT", nullptr);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, key);

    // A recording stand-in under the configurator's name, started from its
    // folder as the registry gives it, with a trailing backslash.
    CProbeFolder probe(kConfiguratorExe);
    ASSERT_TRUE(probe.Ready());
    wchar_t before[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, before);
    ASSERT_TRUE(CPcManager::LaunchProgramIn((probe.Folder() + L"\\").c_str(), kConfiguratorExe));
    wchar_t now[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, now);
    ::SetCurrentDirectoryW(before);
    EXPECT_EQ(probe.Folder(), std::wstring(now));
    ASSERT_TRUE(PumpUntil([&] { return probe.Launched(); }));
    // A folder that is empty or gone starts nothing from the current one.
    EXPECT_FALSE(CPcManager::LaunchProgramIn(L"", kConfiguratorExe));
    EXPECT_FALSE(CPcManager::LaunchProgramIn((probe.Folder() + L"\\gone").c_str(), kConfiguratorExe));
    EXPECT_TRUE(CPcManager::IsProcessRunning(L"systray_tests.exe"));
    EXPECT_FALSE(CPcManager::IsProcessRunning(L"SYSTRAY_TESTS.EXE"));  // names are exact
}

TEST(MacroRecorder, KeysDelaysAndSingleButtonsAreKeptRepeatsAndWheelsAreNot)
{
    CDelayTimer t;
    t.Start(1000);
    t.AddKey(0x1E, 0, 1000);
    t.AddKey(0x1E, 0, 1100);  // auto-repeat
    t.AddKey(0x1E, RI_KEY_BREAK, 1250);
    t.AddMouseButtons(RI_MOUSE_WHEEL, 120, 1300);
    t.AddMouseButtons(RI_MOUSE_LEFT_BUTTON_DOWN | RI_MOUSE_RIGHT_BUTTON_DOWN, 0, 1300);
    t.AddMouseButtons(RI_MOUSE_LEFT_BUTTON_DOWN, 0, 1300 + 0x2000000);
    std::vector<RecordedEvent> expected = {
        {2, 0x1E}, {3, 250}, {2, 0x1E | (RI_KEY_BREAK << 16)}, {3, 0xFFFFFF}, {1, RI_MOUSE_LEFT_BUTTON_DOWN}};
    ASSERT_EQ(expected.size(), t.Events().size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(expected[i].type, t.Events()[i].type) << i;
        EXPECT_EQ(expected[i].data, t.Events()[i].data) << i;
    }
}

TEST_F(Battery, AReadingAsksTheDeviceAtMostEveryFiveMinutesUnlessADeviceArrived)
{
    CBatteryMonitor battery;
    EXPECT_TRUE(battery.ReadBattery(L"Battery", 1000));
    EXPECT_EQ(CString(L" : Battery [80%]"), battery.Text());
    ASSERT_EQ(S_OK, Control()->SetBattery(0x1F, 55, 0));
    EXPECT_FALSE(battery.ReadBattery(L"Battery", 1299));
    EXPECT_EQ(1, CountCalls(L"IPowerStatus.GetLevel"));
    battery.MarkDue();
    EXPECT_TRUE(battery.ReadBattery(L"Akku", 1300));
    EXPECT_EQ(CString(L" : Akku [55%]"), battery.Text());
    ASSERT_EQ(S_OK, Control()->SetBattery(0x1F, 101, 0));
    EXPECT_FALSE(battery.ReadBattery(L"Battery", 2000));
    EXPECT_EQ(CString(L" : Akku [55%]"), battery.Text());
    // On the cable there is no reading; the wired mouse never has one.
    ASSERT_EQ(S_OK, Control()->SetBattery(0x1F, 40, 2));
    EXPECT_FALSE(battery.ReadBattery(L"Battery", 3000));
    ASSERT_EQ(S_OK, Control()->Detach(0x1F));
    ASSERT_EQ(S_OK, Control()->Attach(0x15));
    EXPECT_FALSE(battery.ReadBattery(L"Battery", 4000));
}
