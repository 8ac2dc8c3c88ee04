#include <gtest/gtest.h>

#include <set>
#include <string>

#include "DeviceDescriptor.h"
#include "DeviceGuid.h"
#include "KeyboardDef.h"
#include "NullMouseDefaults.h"
#include "VeskConfig.h"

TEST(DeviceDescriptors, KnownModelsInPickerOrder)
{
    size_t count = 0;
    const DeviceDescriptor* d = KnownDevices(count);
    ASSERT_EQ(4u, count);
    EXPECT_EQ(0x1Fu, d[0].productId);
    EXPECT_EQ(0x21u, d[1].productId);
    EXPECT_EQ(0x15u, d[2].productId);
    EXPECT_EQ(0x2Eu, d[3].productId);
    EXPECT_STREQ(L"Tandu Kovu Zent Wireless Mouse", d[0].name);
    EXPECT_STREQ(L"Tandu Kovu Zent Charging Dock", d[1].name);
    EXPECT_STREQ(L"Tandu Kovu", d[2].name);
    EXPECT_EQ(13u, d[0].featureCount);
    EXPECT_EQ(10u, d[2].featureCount);
    EXPECT_EQ(10u, d[3].featureCount);
    // The wired mouse has no power settings (14, 15, 16) and no code 13.
    for (uint32_t code : {14u, 15u, 16u}) {
        EXPECT_TRUE(d[0].HasFeature(code));
        EXPECT_TRUE(d[1].HasFeature(code));
        EXPECT_FALSE(d[2].HasFeature(code));
    }
    for (uint32_t code : {0u, 8u, 9u, 13u, 17u})
        EXPECT_FALSE(d[0].HasFeature(code));
    EXPECT_EQ(&d[2], FindKnownDevice(0x15));
    EXPECT_EQ(&d[3], FindKnownDevice(0x2E));
    EXPECT_EQ(nullptr, FindKnownDevice(0x2F));
    EXPECT_EQ(nullptr, FindKnownDevice(0));
}

TEST(NullMouseDefaults, TablesHaveTheirFixedEntries)
{
    EXPECT_STREQ(L"a A", kNullKeyNames[0]);
    EXPECT_STREQ(L"\\ |", kNullKeyNames[45]);
    EXPECT_STREQ(L"' \"", kNullKeyNames[47]);
    EXPECT_STREQ(L"Caps Lock", kNullKeyNames[52]);
    EXPECT_STREQ(L"Num Lock", kNullKeyNames[80]);
    EXPECT_STREQ(L"Right GUI", kNullKeyNames[107]);
    std::vector<uint32_t> ids = NullKeyIds();
    ASSERT_EQ(108u, ids.size());
    EXPECT_EQ(HashKeyName(L"Pause"), ids[69]);
    EXPECT_EQ(108u, std::set<uint32_t>(ids.begin(), ids.end()).size());

    EXPECT_STREQ(L"PROFILE01", NullProfileName(1));
    EXPECT_STREQ(L"PROFILE20", NullProfileName(20));
    EXPECT_EQ(nullptr, NullProfileName(0));
    EXPECT_EQ(nullptr, NullProfileName(21));
    const GUID first = {0x00A98AC7, 0x0457, 0x0457, {1, 1, 1, 1, 1, 1, 1, 1}};
    const GUID last = {0x0153158E, 0x15B3, 0x15B3, {5, 5, 5, 5, 5, 5, 5, 5}};
    EXPECT_TRUE(GuidEquals(first, NullProfileGuid(1)));
    EXPECT_TRUE(GuidEquals(last, NullProfileGuid(20)));
    EXPECT_TRUE(GuidIsZero(NullProfileGuid(21)));
    std::set<std::string> guids;
    for (size_t n = 1; n <= 20; ++n) {
        GUID g = NullProfileGuid(n);
        guids.insert(std::string(reinterpret_cast<const char*>(&g), sizeof(g)));
    }
    EXPECT_EQ(20u, guids.size());
}

TEST(NullMouseDefaults, FillGivesTwentyDefaultProfiles)
{
    CVeskConfig config;
    config.NewProfile(L"stale");
    std::vector<uint32_t> keys = NullKeyIds();
    FillNullMouseDefaults(config, keys, NullButtonDefaults());

    ASSERT_EQ(20u, config.GetProfileCount());
    EXPECT_EQ(config.GetProfile(0), config.GetActiveProfile());
    EXPECT_EQ(nullptr, config.FindProfileByName(L"stale"));
    const uint32_t stages[] = {800, 1200, 1800, 4000, 5600};
    for (uint32_t i = 0; i < 20; ++i) {
        SCOPED_TRACE(i);
        IMouseProfile* p = config.GetProfile(i);
        ASSERT_NE(nullptr, p);
        EXPECT_STREQ(NullProfileName(i + 1), p->GetName());
        GUID g;
        p->GetGuid(g);
        EXPECT_TRUE(GuidEquals(NullProfileGuid(i + 1), g));
        EXPECT_EQ(5u, config.GetStageCapacity(p));
        EXPECT_EQ(5u, config.GetStageCount(p));
        EXPECT_EQ(3, config.GetCurrentStage(p));
        for (int s = 1; s <= 5; ++s)
            EXPECT_EQ(stages[s - 1], config.GetStageValue(s, p));
        uint32_t mn = 0, mx = 0, step = 0;
        EXPECT_TRUE(config.GetDpiRange(mn, mx, step, p));
        EXPECT_EQ(100u, mn);
        EXPECT_EQ(5600u, mx);
        EXPECT_EQ(100u, step);
    }
    IMouseProfile* p = config.GetProfile(7);
    const int buttons[][2] = {{1, 1}, {2, 2}, {3, 3}, {4, 33}, {5, 34}, {12, 41}, {13, 42}};
    for (auto b : buttons) {
        AssignmentRecord r;
        config.GetButtonAssignment(r, b[0], p);
        EXPECT_EQ(b[1], r.type) << "button " << b[0];
    }
    // Every key holds its default record.
    for (uint32_t key : {keys[0], keys[69], keys[107]}) {
        AssignmentRecord have, want;
        config.GetKeyAssignment(have, (int)key, p);
        config.GetDefaultKeyRecord(want, key);
        EXPECT_EQ(0, memcmp(&want, &have, sizeof(have)));
    }
    ASSERT_EQ(3u, config.GetPollingRateCount());
    EXPECT_EQ(125, config.GetPollingRate(0));
    EXPECT_EQ(500, config.GetPollingRate(1));
    EXPECT_EQ(1000, config.GetPollingRate(2));
    EXPECT_EQ(1, config.GetPollingRateIndex());
    EXPECT_EQ(5, config.GetAcceleration());
    EXPECT_EQ(1u, config.GetAccelerationMin());
    EXPECT_EQ(10u, config.GetAccelerationMax());
    EXPECT_EQ(1, config.GetAccelerationEnabled());
}
