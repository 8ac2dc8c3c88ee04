// The tray's device-service client against the service's object model: which
// device a manager picks, how profiles and their properties are read, and
// the event connections, made and let go per product.
#include <gtest/gtest.h>

#include <vector>

#include "DeviceManager.h"
#include "RecordingWnd.h"
#include "ServiceText.h"
#include "SinkConnections.h"
#include "TrayServiceFixture.h"

namespace {

// Writes down every event the sinks forward.
struct EventLog : IDpiEventHandler, IProfileEventHandler, ILaunchAppEventHandler {
    std::vector<std::wstring> events;
    void OnDpiChanged(unsigned x, unsigned y, unsigned rangeMax) override
    {
        events.push_back(L"dpi " + std::to_wstring(x) + L" " + std::to_wstring(y) + L" of " +
                         std::to_wstring(rangeMax));
    }
    void OnProfileChanged(int index) override { events.push_back(L"profile " + std::to_wstring(index)); }
    void OnLaunchApp(int code, const wchar_t* path) override
    {
        events.push_back(L"launch " + std::to_wstring(code) + L" " + path);
    }
};

using Client = TrayServiceTest;

}  // namespace

TEST_F(Client, TheManagerPicksTheWirelessProductBeforeTheWiredOne)
{
    ASSERT_EQ(S_OK, Control()->Attach(0x15));
    EXPECT_EQ(0x1F, CDeviceManager().GetProductId());
    ASSERT_EQ(S_OK, Control()->Detach(0x1F));
    ASSERT_EQ(S_OK, Control()->Attach(0x21));
    EXPECT_EQ(0x21, CDeviceManager().GetProductId());
    ASSERT_EQ(S_OK, Control()->Detach(0x21));
    ASSERT_EQ(S_OK, Control()->Detach(0x15));
    CDeviceManager none;
    EXPECT_FALSE(none.IsDevicePresent());
    std::vector<CString> names;
    EXPECT_FALSE(none.GetProfileNames(names));
    EXPECT_TRUE(names.empty());
}

TEST_F(Client, ProfilesAreReadWithTheirPropertiesAndFoundByExactName)
{
    SetProfileProperties(1, 0x5, L"notepad.exe");
    SetProfileProperties(2, 0x0, L"");
    CDeviceManager manager;
    std::vector<_Profile_Setting_> settings;
    ASSERT_TRUE(manager.GetProfileSettings(settings));
    ASSERT_EQ(5u, settings.size());
    EXPECT_EQ(CString(L"Profile 2"), settings[1].name);
    EXPECT_EQ(CString(L"notepad.exe"), settings[1].linkedAppPath);
    EXPECT_EQ(1, settings[1].appLinkEnabled);
    EXPECT_EQ(0, settings[1].dpiOsd);
    EXPECT_EQ(1, settings[1].profileOsd);
    EXPECT_EQ(0, settings[2].profileOsd + settings[2].dpiOsd + settings[2].appLinkEnabled);
    EXPECT_EQ(1, settings[0].dpiOsd);  // the default profile shows both

    _Profile_Setting_ one;
    EXPECT_FALSE(manager.GetProfileSetting(L"profile 2", one));
    EXPECT_TRUE(manager.GetProfileSetting(L"Profile 2", one));
    EXPECT_EQ(CString(L"notepad.exe"), one.linkedAppPath);
    EXPECT_FALSE(manager.ActivateProfile(L"PROFILE 3"));
    ASSERT_TRUE(manager.ActivateProfile(L"Profile 3"));
    CString active;
    ASSERT_TRUE(manager.GetActiveProfileName(active));
    EXPECT_EQ(CString(L"Profile 3"), active);

    // Profiles whose properties cannot be had are left out.
    Control()->SetFault(L"IProfile.GetFeature", E_NOINTERFACE, 0, -1);
    EXPECT_FALSE(manager.GetProfileSettings(settings));
    EXPECT_TRUE(settings.empty());
}

TEST_F(Client, LinkedProgramsAndFlagsAreWrittenAndTheChosenDeviceIsConnected)
{
    CDeviceManager manager;
    EXPECT_TRUE(manager.SetLinkedAppName(L"Profile 2", CString(L'g', 200)));  // cut to 127
    EXPECT_TRUE(manager.SetProfileFlagBits(L"Profile 2", 1, 0, 1));
    EXPECT_FALSE(manager.SetProfileFlagBits(L"profile 2", 1, 1, 1));  // names are exact
    _Profile_Setting_ s;
    ASSERT_TRUE(manager.GetProfileSetting(L"Profile 2", s));
    EXPECT_EQ(CString(L'g', 127), s.linkedAppPath);
    EXPECT_EQ(5, s.appLinkEnabled + s.dpiOsd * 2 + s.profileOsd * 4);
    EXPECT_TRUE(manager.SetProfileFlags(L"Profile 2", 0));
    ASSERT_TRUE(manager.GetProfileSetting(L"Profile 2", s));
    EXPECT_EQ(4, s.appLinkEnabled + s.dpiOsd * 2 + s.profileOsd * 4);  // the link bit only
    EXPECT_FALSE(manager.SetProfileFlags(L"Profile 2", 2));  // one bit takes 0 or 1

    EXPECT_FALSE(manager.IsPowerState1());
    ASSERT_EQ(S_OK, Control()->SetBattery(0x1F, 60, 1));
    EXPECT_TRUE(manager.IsPowerState1());

    EventLog log;
    {
        auto dpi = manager.ConnectDpiEventsCurrent(&log);
        auto profile = manager.ConnectProfileEventsCurrent(&log);
        auto launch = manager.ConnectLaunchAppEventsCurrent(&log);
        ASSERT_TRUE(dpi && profile && launch);
        EXPECT_EQ(3, HeldSinks());
        ASSERT_EQ(S_OK, Control()->PressSensitivityButton(0x1F));
        ASSERT_TRUE(PumpUntil([&] { return !log.events.empty(); }));
    }
    EXPECT_EQ(0, HeldSinks());
}

TEST(ServiceText, BufferTextsAreBoundedByTheBufferTheSizeAndTheLimit)
{
    wchar_t buffer[128];
    for (wchar_t& ch : buffer)
        ch = L'a';  // no terminator anywhere
    const BYTE* bytes = reinterpret_cast<const BYTE*>(buffer);
    EXPECT_EQ(127, BufferText(bytes, sizeof(buffer), sizeof(buffer), 127).GetLength());
    EXPECT_EQ(3, BufferText(bytes, sizeof(buffer), 7, 127).GetLength());  // an odd size
    EXPECT_TRUE(BufferText(bytes, sizeof(buffer), sizeof(buffer) + 2, 127).IsEmpty());
    buffer[2] = 0;
    EXPECT_EQ(CString(L"aa"), BufferText(bytes, sizeof(buffer), sizeof(buffer), 127));
}

TEST_F(Client, SinksForwardTheMousesEventsUntilTheirProductIsDisconnected)
{
    EventLog log;
    CSinkConnections sinks(&log, &log, &log);
    sinks.AddProducts();
    sinks.ConnectAll();
    ASSERT_EQ(0x1F, sinks.Entry(0x1F)->productId);
    EXPECT_EQ(0, sinks.Entry(0x15)->productId);
    EXPECT_EQ(3, HeldSinks());

    ASSERT_EQ(S_OK, Control()->PressSensitivityButton(0x1F));
    ASSERT_EQ(S_OK, Control()->PressProfileButton(0x1F));
    ASSERT_EQ(S_OK, Control()->PressLaunchButton(0x1F, L"C:\\windows\\notepad.exe"));
    ASSERT_TRUE(PumpUntil([&] { return log.events.size() == 3; }));
    EXPECT_EQ((std::vector<std::wstring>{L"dpi 4000 4000 of 5600", L"profile 1",
                                         L"launch 1 C:\\windows\\notepad.exe"}),
              log.events);

    // Connecting again keeps the connections there are.
    sinks.ConnectAll();
    EXPECT_EQ(3, HeldSinks());
    sinks.DisconnectAll();
    EXPECT_EQ(0, HeldSinks());
    EXPECT_FALSE(sinks.Entry(0x1F)->dpi);
    ASSERT_EQ(S_OK, Control()->PressSensitivityButton(0x1F));
    PumpPending();
    EXPECT_EQ(3u, log.events.size());
}

TEST_F(Client, AProductThatIsNotAttachedIsLeftEmpty)
{
    EventLog log;
    CSinkConnections sinks(&log, &log, &log);
    sinks.AddProducts();
    sinks.ConnectProduct(0x15);
    EXPECT_EQ(0, sinks.Entry(0x15)->productId);
    EXPECT_FALSE(sinks.Entry(0x15)->dpi || sinks.Entry(0x15)->profile || sinks.Entry(0x15)->launch);
}

TEST_F(Client, ADetachedProductLosesItsSinksAndTheOtherKeepsThem)
{
    ASSERT_EQ(S_OK, Control()->Attach(0x15));
    EventLog log;
    CSinkConnections sinks(&log, &log, &log);
    sinks.AddProducts();
    sinks.ConnectAll();
    EXPECT_EQ(6, HeldSinks());
    // Each product's launch button reaches one connection: its own.
    ASSERT_EQ(S_OK, Control()->PressLaunchButton(0x1F, L"a.exe"));
    ASSERT_TRUE(PumpUntil([&] { return !log.events.empty(); }));
    PumpPending();
    EXPECT_EQ((std::vector<std::wstring>{L"launch 1 a.exe"}), log.events);

    ASSERT_EQ(S_OK, Control()->Detach(0x15));
    EXPECT_TRUE(sinks.DisconnectAbsent());
    EXPECT_EQ(3, HeldSinks());
    EXPECT_EQ(0, sinks.Entry(0x15)->productId);
    EXPECT_TRUE(sinks.Entry(0x1F)->dpi && sinks.Entry(0x1F)->profile && sinks.Entry(0x1F)->launch);


    ASSERT_EQ(S_OK, Control()->Detach(0x1F));
    EXPECT_FALSE(sinks.DisconnectAbsent());
    EXPECT_EQ(0, HeldSinks());
}

TEST_F(Client, ARecordedMacroIsSavedUnderTheNextFreeNameAndAssigned)
{
    EXPECT_EQ(1, NewMacroNumber(L"New Macro1"));
    EXPECT_EQ(7, NewMacroNumber(L"New Macro 7"));
    EXPECT_EQ(0, NewMacroNumber(L"Macro"));
    CDeviceManager manager;
    GUID id{};
    ASSERT_TRUE(manager.CreateMacro(L"New Macro1", {}, id));
    ASSERT_TRUE(manager.CreateMacro(L"New Macro 7", {{2, 0x1E}}, id));
    ASSERT_TRUE(manager.CreateMacro(L"Other", {}, id));
    EXPECT_EQ(CString(L"New Macro8"), manager.MakeNewMacroName());

    // Saved to the first thumb key of the active profile, as a macro.
    ComPtr<IKeyAssignments> keys;
    ASSERT_EQ(S_OK, ProfileAt(0)->GetFeature(__uuidof(IKeyAssignments), keys.OutUnknown()));
    AssignmentValue values[32] = {};
    ULONG count = 32;
    ASSERT_EQ(S_OK, keys->GetAll(&count, values));
    ASSERT_TRUE(manager.SaveRecordedMacro(0, static_cast<int>(values[0].target), {{2, 0x1E}, {3, 250}, {2, 0x1001E}}));
    EXPECT_EQ(CString(L"New Macro9"), manager.MakeNewMacroName());
    count = 32;
    ASSERT_EQ(S_OK, keys->GetAll(&count, values));
    EXPECT_EQ(8u, values[0].type);
    EXPECT_EQ(1, values[0].params[16]);  // played once
}
