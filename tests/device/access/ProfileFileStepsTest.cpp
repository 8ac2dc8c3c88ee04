#include "DeviceDescriptor.h"
#include "StepsFixture.h"

using namespace featuresteps;

TEST_F(StepsTest, ProfilesExportAndImportThroughTheServiceFiles)
{
    const DeviceDescriptor* model = FindKnownDevice(0x1F);
    ASSERT_NE(nullptr, model);
    profile->SetLinkedAppName(L"game.exe");
    config.SetStageValue(1, 1100, profile);
    config.SetZoneColor(0, 0x0A0B0C, profile);
    ASSERT_TRUE(WriteProperties(first.Get(), config, profile));
    ASSERT_TRUE(WriteSensitivity(first.Get(), config, profile));
    ASSERT_TRUE(WriteLighting(first.Get(), config, profile));
    TempFile file(L"profile.qvp");
    ASSERT_TRUE(ExportProfile(Device(), file.Path(), profile));

    ASSERT_TRUE(ImportProfile(Device(), *model, file.Path(), config, lists));
    ASSERT_EQ(2u, config.GetProfileCount());
    IMouseProfile* imported = config.GetProfile(1);
    EXPECT_STREQ(profile->GetName(), imported->GetName());
    EXPECT_TRUE(ProfileExists(Device(), imported));
    EXPECT_STREQ(L"game.exe", imported->GetLinkedAppName());
    EXPECT_EQ(1100u, config.GetStageValue(1, imported));
    EXPECT_EQ(0x0A0B0C, config.GetZoneColor(0, imported));
    AssignmentRecord r;
    config.GetButtonAssignment(r, 1, imported);
    EXPECT_EQ(kFnClick, r.type);
}

TEST_F(StepsTest, AProfileImportThatFailsChangesNothing)
{
    const DeviceDescriptor* model = FindKnownDevice(0x1F);
    TempFile bad(L"bad.qvp");
    ASSERT_TRUE(bad.Write(std::string(64, '\x7f')));
    EXPECT_FALSE(ImportProfile(Device(), *model, bad.Path(), config, lists));
    EXPECT_FALSE(ImportProfile(Device(), *model, L"Z:\\no\\such\\file.qvp", config, lists));

    // A read that fails after the service took the file takes both back.
    TempFile file(L"good.qvp");
    ASSERT_TRUE(ExportProfile(Device(), file.Path(), profile));
    Control()->SetFault(L"IKeyAssignments.GetAll", E_FAIL, 0, 1);
    EXPECT_FALSE(ImportProfile(Device(), *model, file.Path(), config, lists));
    EXPECT_EQ(1u, config.GetProfileCount());
    size_t deviceProfiles = 0;
    EditDevice([&](tkservice::DeviceState& d) { deviceProfiles = d.profiles.size(); });
    EXPECT_EQ(5u, deviceProfiles);

    CVeskConfig other;
    IMouseProfile* unknown = other.NewProfile(L"Nowhere");
    EXPECT_FALSE(ExportProfile(Device(), file.Path(), unknown));
}
