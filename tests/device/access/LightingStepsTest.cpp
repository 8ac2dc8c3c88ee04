#include "StepsFixture.h"

using namespace featuresteps;

// The stand-in's profiles have zones 1, 4 and 7: configuration zones 0, 3, 6.
TEST_F(StepsTest, LightingRoundTrip)
{
    config.SetZoneOn(0, 1, profile);
    config.SetZoneColor(0, 0x123456, profile);
    config.SetZoneLevel(0, 40, profile);
    config.SetZoneEffect(0, 5, profile);
    config.SetZoneOn(3, 0, profile);
    config.SetZoneColor(3, 0x00FF00, profile);
    config.SetZoneLevel(3, 70, profile);
    config.SetZoneEffect(3, 6, profile);  // no such effect: goes as none
    ASSERT_TRUE(WriteLighting(first.Get(), config, profile));
    EXPECT_EQ((std::vector<std::wstring>{L" zone 1 5 0 0", L" zone 4 0 0 0", L" zone 7 0 0 0"}),
              Calls(L"IZoneEffect.Set"));

    for (int z : {0, 3}) {
        config.SetZoneOn(z, 7, profile);
        config.SetZoneColor(z, 0, profile);
        config.SetZoneLevel(z, 0, profile);
        config.SetZoneEffect(z, 2, profile);
    }
    ASSERT_TRUE(ReadLighting(first.Get(), config, profile));
    EXPECT_EQ(1, config.GetZoneOn(0, profile));
    EXPECT_EQ(0x123456, config.GetZoneColor(0, profile));
    EXPECT_EQ(40u, config.GetZoneLevel(0, profile));
    EXPECT_EQ(5, config.GetZoneEffect(0, profile));
    EXPECT_EQ(0, config.GetZoneOn(3, profile));
    EXPECT_EQ(0x00FF00, config.GetZoneColor(3, profile));
    EXPECT_EQ(70u, config.GetZoneLevel(3, profile));
    EXPECT_EQ(0, config.GetZoneEffect(3, profile));
}

TEST_F(StepsTest, ZoneIdsOutsideOneToElevenUseZoneMinusOne)
{
    EditDevice([](tkservice::DeviceState& d) {
        d.profiles[0]->zones[0].id = 12;
        d.profiles[0]->zones[1].id = 0;
    });
    config.SetZoneColor(-1, 0x0000AA, profile);
    ASSERT_TRUE(WriteLighting(first.Get(), config, profile));
    EXPECT_EQ((std::vector<std::wstring>{L" zone 12 0x0000AA", L" zone 0 0x0000AA", L" zone 7 0x000000"}),
              Calls(L"IZoneColorValue.Set"));

    EditDevice([](tkservice::DeviceState& d) { d.profiles[0]->zones[1].colour = 0x0000BB; });
    ASSERT_TRUE(ReadLighting(first.Get(), config, profile));
    EXPECT_EQ(0x0000BB, config.GetZoneColor(-1, profile));  // the later zone wins
}

TEST_F(StepsTest, LightingFailuresAreReported)
{
    Control()->SetFault(L"ILightingZone.GetId", E_FAIL, 0, 1);
    EXPECT_FALSE(ReadLighting(first.Get(), config, profile));
    Control()->SetFault(L"IZoneBrightness.Set", E_FAIL, 0, 1);
    EXPECT_FALSE(WriteLighting(first.Get(), config, profile));
    EXPECT_EQ(3, CountCalls(L"IZoneEffect.Set"));  // the other zones still go
}
