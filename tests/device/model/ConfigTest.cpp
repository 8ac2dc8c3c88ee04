#include <gtest/gtest.h>

#include "DeviceGuid.h"
#include "KeyboardDef.h"
#include "Macro.h"
#include "QvApp.h"
#include "VeskConfig.h"

namespace {

AssignmentRecord Of(int type) { return AssignmentRecord::OfType(type); }

GUID GuidOf(IMouseProfile* p)
{
    GUID g;
    p->GetGuid(g);
    return g;
}

}  // namespace

TEST(Config, NewProfileTakesTheDefaults)
{
    CVeskConfig config;
    IMouseProfile* p = config.NewProfile(L"PROFILE01");
    ASSERT_NE(nullptr, p);
    EXPECT_EQ(nullptr, config.GetActiveProfile());
    EXPECT_EQ(5u, p->GetStageCapacity());
    EXPECT_EQ(5u, p->GetStageCount());
    const uint32_t stages[] = {800, 1200, 1800, 4000, 5600};
    for (int s = 1; s <= 5; ++s) {
        EXPECT_EQ(stages[s - 1], p->GetStageValue(s));
        EXPECT_EQ(0, p->GetStageFlag(s));
    }
    EXPECT_EQ(3, p->GetCurrentStage());
    uint32_t mn, mx, step;
    p->GetDpiRange(mn, mx, step);
    EXPECT_EQ(100u, mn);
    EXPECT_EQ(5600u, mx);
    EXPECT_EQ(100u, step);
    EXPECT_EQ(1800, p->GetDpi());
    EXPECT_EQ(0, p->GetXYSeparate());
    EXPECT_EQ(1, p->GetKeyMode());
    EXPECT_EQ(1, p->GetDpiOsd());
    EXPECT_EQ(1, p->GetZoneOn(0));
    EXPECT_EQ(1, p->GetZoneOn(3));
    EXPECT_EQ(0xFF0000, p->GetZoneColor(0));
    EXPECT_EQ(100u, p->GetZoneLevel(0));
    EXPECT_EQ(5, p->GetZoneEffect(0));
}

// Report rate, acceleration and the power values belong to the whole mouse:
// making a profile leaves them; restoring a profile's defaults resets them.
TEST(Config, NewProfileLeavesTheMouseWideValuesAndRestoreResetsThem)
{
    CVeskConfig config;
    config.SetAccelerationRange(1, 10);
    config.ResetBatteryLevelRange();
    config.SetPollingRateIndex(2);
    config.SetAcceleration(7);
    config.SetAccelerationEnabled(1);
    config.SetReducedBrightness(50);
    config.SetIdleToSleepSeconds(300);
    config.SetFlashWarningLevel(20);
    auto expectMouseWide = [&](int rate, int acceleration, int on, uint32_t brightness, uint32_t idle,
                               uint32_t flash) {
        EXPECT_EQ(rate, config.GetPollingRateIndex());
        EXPECT_EQ(acceleration, config.GetAcceleration());
        EXPECT_EQ(on, config.GetAccelerationEnabled());
        EXPECT_EQ(brightness, config.GetReducedBrightness());
        EXPECT_EQ(idle, config.GetIdleToSleepSeconds());
        EXPECT_EQ(flash, config.GetFlashWarningLevel());
    };
    IMouseProfile* p = config.NewProfile(L"New");
    config.SetActiveProfile(p);
    config.CopyProfile(p, L"Copy");
    config.DuplicateProfile(p);
    expectMouseWide(2, 7, 1, 50, 300, 20);
    config.ResetToDefaults(p);
    expectMouseWide(1, 5, 0, 33, 180, 5);
}

TEST(Config, NewProfileGetsTheStaticButtonDefaults)
{
    CVeskConfig config;
    IMouseProfile* p = config.NewProfile(L"P");
    const std::pair<int, int> expected[] = {{1, 1}, {2, 2}, {3, 3}, {4, 33}, {5, 34}, {12, 41}, {13, 42}};
    for (const auto& e : expected) {
        AssignmentRecord r;
        p->GetButtonAssignment(r, e.first);
        EXPECT_EQ(e.second, r.type) << "button " << e.first;
        config.GetStaticButtonDefault(r, e.first);
        EXPECT_EQ(e.second, r.type) << "button " << e.first;
    }
    AssignmentRecord r;
    config.GetStaticButtonDefault(r, 6);
    EXPECT_EQ(kFnNone, r.type);
    EXPECT_TRUE(config.HasClickAssignment(p));
}

TEST(Config, NewProfileGivesAll24ThumbKeysTheirDefaultKeys)
{
    CVeskConfig config;
    IMouseProfile* p = config.NewProfile(L"P");
    EXPECT_EQ(24u, p->GetKeyAssignmentCount());
    for (int keypad = 0; keypad <= 1; ++keypad) {
        for (int button = 14; button <= 25; ++button) {
            uint32_t key = CVeskConfig::GetThumbKeyHash(button, keypad);
            AssignmentRecord r;
            p->GetKeyAssignment(r, (int)key);
            EXPECT_EQ(kFnDefaultKey, r.type);
            EXPECT_EQ(g_keyboardDef.DefaultCode(key).code, r.ScanCode());
            EXPECT_EQ(0, r.VirtualKey());
            EXPECT_EQ(0, r.Modifiers());
        }
    }
    // Spot checks against the key-defaults file: set-1 make codes.
    AssignmentRecord r;
    p->GetKeyAssignment(r, (int)HashKeyName(L"1 !"));
    EXPECT_EQ(0x02, r.ScanCode());
    p->GetKeyAssignment(r, (int)HashKeyName(L"Keypad +"));
    EXPECT_EQ(0x4E, r.ScanCode());
    EXPECT_EQ(HashKeyName(L"= +"), CVeskConfig::GetThumbKeyHash(25, 0));
    EXPECT_EQ(HashKeyName(L"Keypad 1 End"), CVeskConfig::GetThumbKeyHash(14, 1));
    EXPECT_EQ(0u, CVeskConfig::GetThumbKeyHash(26, 0));
    // An extended key's default carries modifier bit 0.
    config.GetDefaultKeyRecord(r, HashKeyName(L"Right Control"));
    EXPECT_EQ(kModExtended, r.Modifiers());
}

TEST(Config, ProfileArgumentFallsBackToTheActiveProfile)
{
    CVeskConfig config;
    IMouseProfile* a = config.NewProfile(L"A");
    IMouseProfile* b = config.NewProfile(L"B");
    // With neither a profile nor an active one: setters do nothing, getters 0.
    config.SetDpi(900, nullptr);
    EXPECT_EQ(0, config.GetDpi(nullptr));
    EXPECT_EQ(nullptr, config.GetLinkedAppPath(nullptr));
    AssignmentRecord r = Of(kFnClick);
    config.GetButtonAssignment(r, 1, nullptr);
    EXPECT_EQ(kFnNone, r.type);
    EXPECT_EQ(1800, a->GetDpi());

    config.SetActiveProfile(b);
    config.SetDpi(900, nullptr);
    EXPECT_EQ(900, b->GetDpi());
    EXPECT_EQ(1800, a->GetDpi());
    config.SetDpi(1000, a);
    EXPECT_EQ(1000, config.GetDpi(a));
    EXPECT_EQ(900, config.GetDpi(nullptr));
    config.SetZoneColor(0, 0x00FF00, nullptr);
    EXPECT_EQ(0x00FF00, b->GetZoneColor(0));
    config.SetStageValue(2, 2000, nullptr);
    EXPECT_EQ(2000u, b->GetStageValue(2));
}

TEST(Config, StageCapacityWithNullProfileSetsTheProfilelessStagesOnly)
{
    CVeskConfig config;
    IMouseProfile* p = config.NewProfile(L"A");
    config.SetActiveProfile(p);
    EXPECT_FALSE(config.SetStageCapacity(0, p));
    EXPECT_EQ(5u, p->GetStageCapacity());
    // Null means the profile-less stages, not the active profile.
    EXPECT_TRUE(config.SetStageCapacity(12, nullptr));
    EXPECT_EQ(5u, p->GetStageCapacity());
    EXPECT_EQ(5u, config.GetStageCapacity(nullptr));
    EXPECT_TRUE(config.SetStageCapacity(3, p));
    EXPECT_EQ(3u, p->GetStageCapacity());

    // The profile-less values are read once no profile is left.
    config.SetDpiRange(100, 1000, 50, nullptr);
    config.SetStageValue(12, 5000, nullptr);  // clamped, last stage
    config.SetCurrentStage(4, nullptr);
    config.SetStageCount(20, nullptr);
    config.SetXYSeparate(1, nullptr);
    config.DeleteProfile(p);
    EXPECT_EQ(nullptr, config.GetActiveProfile());
    EXPECT_EQ(10u, config.GetStageCapacity(nullptr));
    EXPECT_EQ(10u, config.GetStageCount(nullptr));
    EXPECT_EQ(1000u, config.GetStageValue(10, nullptr));
    EXPECT_EQ(4, config.GetCurrentStage(nullptr));
    EXPECT_EQ(1, config.GetXYSeparate(nullptr));
    EXPECT_EQ(1, config.GetStageFlag(1, nullptr));
    uint32_t mn, mx, step;
    EXPECT_TRUE(config.GetDpiRange(mn, mx, step, nullptr));
    EXPECT_EQ(1000u, mx);
    config.SetCurrentStage(0, nullptr);
    EXPECT_EQ(0, config.GetCurrentStage(nullptr));
    config.SetCurrentStage(50, nullptr);
    EXPECT_EQ(10, config.GetCurrentStage(nullptr));
}

TEST(Config, RenameReplacesTheProfileAndKeepsItActive)
{
    CVeskConfig config;
    config.NewProfile(L"First");
    IMouseProfile* p = config.NewProfile(L"Second");
    config.NewProfile(L"Third");
    p->SetGuid(9, 8, 7, 6);
    p->SetDpi(1234);
    config.SetActiveProfile(p);
    EXPECT_EQ(nullptr, config.RenameProfile(p, L"Second"));
    EXPECT_EQ(p, config.GetActiveProfile());
    EXPECT_EQ(nullptr, config.RenameProfile(nullptr, L"X"));
    EXPECT_EQ(nullptr, config.RenameProfile(p, nullptr));

    IMouseProfile* renamed = config.RenameProfile(p, L"second");
    ASSERT_NE(nullptr, renamed);
    EXPECT_NE(p, renamed);
    EXPECT_EQ(renamed, config.GetActiveProfile());
    EXPECT_EQ(renamed, config.GetProfile(1));
    EXPECT_EQ(3u, config.GetProfileCount());
    EXPECT_STREQ(L"second", renamed->GetName());
    EXPECT_EQ(1234, renamed->GetDpi());
    EXPECT_EQ(renamed, config.FindProfileByGuid(9, 8, 7, 6));
}

TEST(Config, CopyGetsAZeroGuidAndDuplicateKeepsNameAndGuid)
{
    CVeskConfig config;
    IMouseProfile* p = config.NewProfile(L"Base");
    p->SetGuid(1, 2, 3, 4);
    EXPECT_EQ(nullptr, config.CopyProfile(p, L"Base"));
    EXPECT_EQ(nullptr, config.CopyProfile(nullptr, L"x"));
    EXPECT_EQ(nullptr, config.CopyProfile(p, nullptr));
    IMouseProfile* copy = config.CopyProfile(p, L"Copy");
    ASSERT_NE(nullptr, copy);
    EXPECT_STREQ(L"Copy", copy->GetName());
    EXPECT_TRUE(GuidIsZero(GuidOf(copy)));
    EXPECT_EQ(5u, copy->GetStageCount());
    IMouseProfile* dup = config.DuplicateProfile(p);
    ASSERT_NE(nullptr, dup);
    EXPECT_STREQ(L"Base", dup->GetName());
    EXPECT_TRUE(GuidEquals(GuidOf(p), GuidOf(dup)));
    EXPECT_EQ(nullptr, config.DuplicateProfile(nullptr));
    EXPECT_EQ(3u, config.GetProfileCount());
    EXPECT_EQ(copy, config.GetProfile(1));
    EXPECT_EQ(nullptr, config.GetProfile(3));
}

TEST(Config, DeleteOfTheActiveProfileLeavesNoneActive)
{
    CVeskConfig config;
    IMouseProfile* a = config.NewProfile(L"A");
    IMouseProfile* b = config.NewProfile(L"B");
    config.SetActiveProfile(a);
    config.DeleteProfile(nullptr);
    EXPECT_EQ(2u, config.GetProfileCount());
    config.DeleteProfile(a);
    EXPECT_EQ(nullptr, config.GetActiveProfile());
    EXPECT_EQ(1u, config.GetProfileCount());
    EXPECT_EQ(b, config.GetProfile(0));
    config.SetActiveProfile(b);
    config.ClearProfiles();
    EXPECT_EQ(0u, config.GetProfileCount());
    EXPECT_EQ(nullptr, config.GetActiveProfile());
}

TEST(Config, FindProfileByNameIgnoresCase)
{
    CVeskConfig config;
    IMouseProfile* p = config.NewProfile(L"PROFILE01");
    EXPECT_EQ(p, config.FindProfileByName(L"profile01"));
    EXPECT_EQ(nullptr, config.FindProfileByName(L"profile02"));
    EXPECT_EQ(nullptr, config.FindProfileByName(nullptr));
    EXPECT_EQ(nullptr, config.FindProfileByGuid(1, 0, 0, 0));
}

TEST(Config, ProfileOsdAllFollowsTheActiveProfile)
{
    CVeskConfig config;
    IMouseProfile* a = config.NewProfile(L"A");
    config.SetActiveProfile(a);
    config.SetProfileOsd(1, nullptr);
    IMouseProfile* b = config.NewProfile(L"B");
    EXPECT_EQ(1, b->GetProfileOsd());
    config.SetProfileOsd(0, a);
    IMouseProfile* c = config.NewProfile(L"C");  // its own flag only
    EXPECT_EQ(0, c->GetProfileOsd());
    EXPECT_EQ(1, b->GetProfileOsd());
    config.ResetToDefaults(nullptr);  // resets the active profile, all follow it
    EXPECT_EQ(0, b->GetProfileOsd());
    config.SetActiveProfile(nullptr);
    config.ResetToDefaults(nullptr);  // no profile at all: every OSD on
    EXPECT_EQ(1, a->GetProfileOsd());
    EXPECT_EQ(1, b->GetProfileOsd());
}

TEST(Config, DeviceWideValuesClampIntoTheirRanges)
{
    CVeskConfig config;
    config.SetBatteryLevel(50);
    EXPECT_EQ(1u, config.GetBatteryLevel());
    config.ResetBatteryLevelRange();
    config.SetBatteryLevel(50);
    EXPECT_EQ(50u, config.GetBatteryLevel());
    config.SetFlashWarningLevel(150);
    EXPECT_EQ(100u, config.GetFlashWarningLevel());
    config.SetReducedBrightness(150);
    EXPECT_EQ(100u, config.GetReducedBrightness());
    config.SetAcceleration(5);
    EXPECT_EQ(0, config.GetAcceleration());
    config.SetAccelerationRange(1, 10);
    config.SetAcceleration(5);
    EXPECT_EQ(5, config.GetAcceleration());
    config.SetAcceleration(11);
    EXPECT_EQ(10, config.GetAcceleration());
    config.SetAcceleration(-3);
    EXPECT_EQ(1, config.GetAcceleration());
    EXPECT_EQ(-1, config.GetBatteryState());
}

TEST(Config, PollingRatesKeepFiveAndAbsentIndexesReadZero)
{
    CVeskConfig config;
    config.SetPollingRates({125, 250, 500, 1000, 2000, 4000, 8000});
    EXPECT_EQ(5u, config.GetPollingRateCount());
    EXPECT_EQ(2000, config.GetPollingRate(4));
    EXPECT_EQ(0, config.GetPollingRate(6));
    EXPECT_EQ(5u, config.GetPollingRateCount());
}

TEST(Config, DefaultAssignmentsStoreOnlyTheDeviceDefaultType)
{
    CVeskConfig config;
    config.SetDefaultAssignment(20, Of(kFnSingleKey));
    EXPECT_EQ(0u, config.GetDefaultAssignmentCount());
    config.SetDefaultAssignment(20, Of(kFnDeviceDefaultKey));
    config.SetDefaultAssignment(10, Of(kFnDeviceDefaultKey));
    EXPECT_EQ(10, config.GetDefaultAssignmentKey(0));
    EXPECT_EQ(20, config.GetDefaultAssignmentKey(1));
    EXPECT_EQ(0, config.GetDefaultAssignmentKey(2));
    EXPECT_EQ(0, config.GetDefaultAssignmentKey(-1));
    AssignmentRecord r;
    config.GetDefaultAssignment(r, 30);
    EXPECT_EQ(kFnNone, r.type);
    EXPECT_EQ(3u, config.GetDefaultAssignmentCount());
}

TEST(Config, MacrosAppsAndApmEntries)
{
    CVeskConfig config;
    CMacro* m = config.AddMacro(L"Run");
    ASSERT_NE(nullptr, m);
    EXPECT_TRUE(m->events.empty());
    EXPECT_EQ(nullptr, config.AddMacro(L"RUN"));
    EXPECT_EQ(m, config.FindMacroByName(L"run"));
    EXPECT_EQ(m, config.FindMacroByGuid(0, 0, 0, 0));
    EXPECT_EQ(m, config.GetMacro(0));
    EXPECT_EQ(nullptr, config.GetMacro(1));
    config.DeleteMacro(nullptr);
    config.DeleteMacro(m);
    EXPECT_EQ(0u, config.GetMacroCount());

    CQvApp* app = config.AddApp(L"tool.exe");
    EXPECT_EQ(nullptr, config.AddApp(L"TOOL.exe"));
    EXPECT_EQ(app, config.FindAppByName(L"tool.EXE"));
    EXPECT_EQ(app, config.GetApp(0));
    config.RemoveApp(app);
    EXPECT_EQ(0u, config.GetAppCount());

    EXPECT_TRUE(config.AddApm(1, 2, 30));
    EXPECT_TRUE(config.AddApm(3, 4, 10));
    EXPECT_FALSE(config.AddApm(0, 0, 30));
    int b = 0, key = 0;
    ASSERT_TRUE(config.GetApmBAndKey(0, b, key));
    EXPECT_EQ(10, key);
    EXPECT_FALSE(config.SetApmA(2, 1));
    config.ClearApms();
    EXPECT_EQ(0u, config.GetApmCount());
}

TEST(Config, FillDefaultStageEntriesLeavesEntriesInUse)
{
    StageEntryList list = {};
    list.entries[0] = {111, 222, 333, {1, 2, 3}};
    list.count = 2;
    list.entries[2].flags[1] = 9;
    CVeskConfig::FillDefaultStageEntries(list);
    EXPECT_EQ(111, list.entries[0].value);
    EXPECT_EQ(2, list.entries[0].flags[1]);
    EXPECT_EQ(0, list.entries[1].value);
    EXPECT_EQ(1800, list.entries[2].value);
    EXPECT_EQ(1800, list.entries[2].y);
    EXPECT_EQ(0, list.entries[2].flags[1]);
    EXPECT_EQ(5600, list.entries[4].x);
    list.count = 9;  // more than the list holds: nothing to fill
    CVeskConfig::FillDefaultStageEntries(list);
    EXPECT_EQ(1800, list.entries[2].value);
}

TEST(Config, ReservedOperationsCarryNothing)
{
    CVeskConfig config;
    EXPECT_EQ(1024, config.GetLimit());
    EXPECT_STREQ(L"qvp", config.GetProfileExtension());
    config.SetReserved4(5);
    EXPECT_FALSE(config.GetReserved4());
    EXPECT_FALSE(config.Reserved32(1));
    EXPECT_EQ(0, config.Reserved24());
}
