#include <string>

#include "DeviceGuid.h"
#include "StepsFixture.h"

using namespace featuresteps;

namespace {

GUID GuidOf(IMouseProfile* p)
{
    GUID g;
    p->GetGuid(g);
    return g;
}

}  // namespace

TEST_F(StepsTest, DeviceProfilesAreCreatedForNewProfilesAndRenamedWhenTheNameDiffers)
{
    IMouseProfile* fresh = config.NewProfile(L"Fresh");
    ASSERT_TRUE(EnsureDeviceProfile(Profiles().Get(), fresh));
    ASSERT_FALSE(IsNullGuid(GuidOf(fresh)));
    ComPtr<IProfile> made = FindDeviceProfile(Profiles().Get(), fresh);
    ASSERT_TRUE(made);
    LPWSTR name = nullptr;
    ASSERT_EQ(S_OK, made->GetName(&name));
    EXPECT_STREQ(L"Fresh", name);
    CoTaskMemFree(name);

    // Only a real difference renames; case alone does not.
    ClearLog();
    fresh->SetName(L"FRESH");
    EXPECT_TRUE(EnsureDeviceProfile(Profiles().Get(), fresh));
    EXPECT_EQ(0, CountCalls(L"IProfile.SetName"));
    fresh->SetName(L"Renamed");
    EXPECT_TRUE(EnsureDeviceProfile(Profiles().Get(), fresh));
    EXPECT_EQ(std::vector<std::wstring>{L" \"Renamed\""}, Calls(L"IProfile.SetName"));

    // A GUID the device does not know is no device profile.
    fresh->SetGuid(1, 2, 3, 4);
    EXPECT_FALSE(EnsureDeviceProfile(Profiles().Get(), fresh));
    EXPECT_FALSE(ProfileExists(Device(), fresh));
    EXPECT_TRUE(ProfileExists(Device(), profile));
}

TEST_F(StepsTest, PropertiesRoundTrip)
{
    profile->SetName(L"Work");
    profile->SetLinkedAppName(L"editor.exe");
    profile->SetAppLinkEnabled(1);
    profile->SetDpiOsd(0);
    profile->SetProfileOsd(1);
    ASSERT_TRUE(WriteProperties(first.Get(), config, profile));

    profile->SetName(L"changed");
    profile->SetLinkedAppName(L"other.exe");
    profile->SetAppLinkEnabled(0);
    profile->SetDpiOsd(1);
    profile->SetProfileOsd(0);
    ASSERT_TRUE(ReadProperties(first.Get(), config, profile));
    EXPECT_STREQ(L"Work", profile->GetName());
    EXPECT_STREQ(L"editor.exe", profile->GetLinkedAppName());
    EXPECT_EQ(1, profile->GetAppLinkEnabled());
    EXPECT_EQ(0, profile->GetDpiOsd());
    EXPECT_EQ(1, profile->GetProfileOsd());

    // Without a program the link goes off whatever the flag says.
    profile->SetLinkedAppName(L"");
    profile->SetAppLinkEnabled(1);
    ClearLog();
    ASSERT_TRUE(WriteProperties(first.Get(), config, profile));
    EXPECT_EQ((std::vector<std::wstring>{L" 0x80000002 256", L" 0x80000003 4", L" 0x80000003 4",
                                         L" 0x80000003 4"}),
              Calls(L"IProfileProperties.Set"));
    ASSERT_TRUE(ReadProperties(first.Get(), config, profile));
    EXPECT_EQ(0, profile->GetAppLinkEnabled());
}

TEST_F(StepsTest, LinkedProgramNamesUpTo127CharactersAreWritten)
{
    profile->SetLinkedAppName(std::wstring(127, L'a').c_str());
    EXPECT_TRUE(WriteProperties(first.Get(), config, profile));
    profile->SetLinkedAppName(L"x");
    ASSERT_TRUE(ReadProperties(first.Get(), config, profile));
    EXPECT_EQ(std::wstring(127, L'a'), profile->GetLinkedAppName());

    ClearLog();
    profile->SetLinkedAppName(std::wstring(128, L'b').c_str());
    EXPECT_FALSE(WriteProperties(first.Get(), config, profile));
    EXPECT_EQ(1, CountCalls(L"IProfile.SetName"));
    EXPECT_EQ(0, CountCalls(L"IProfileProperties."));
}

TEST_F(StepsTest, AFailedFlagWriteFailsThePropertiesAndStopsTheChain)
{
    Control()->SetFault(L"IProfileProperties.Set", E_FAIL, 0, -1);
    EXPECT_FALSE(WriteProperties(first.Get(), config, profile));
    // The name failed, so its flag was never tried; the chain still tried
    // the display flag once and stopped there.
    EXPECT_EQ(2, CountCalls(L"IProfileProperties.Set"));
    EXPECT_FALSE(ReadProperties(nullptr, config, profile));
    EXPECT_FALSE(WriteProperties(first.Get(), config, nullptr));
}
