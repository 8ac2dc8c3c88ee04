#include <gtest/gtest.h>

#include <string>

#include "VeskProfile.h"

namespace {

AssignmentRecord Of(int type) { return AssignmentRecord::OfType(type); }

int ButtonType(CVeskProfile& p, int button)
{
    AssignmentRecord r;
    p.GetButtonAssignment(r, button);
    return r.type;
}

}  // namespace

TEST(Profile, FreshProfileHasNoStagesUntilACapacityIsSet)
{
    CVeskProfile p(L"P");
    EXPECT_EQ(0u, p.GetStageCapacity());
    EXPECT_EQ(0u, p.GetStageCount());
    EXPECT_EQ(0, p.GetCurrentStage());
    // With no stage at all every stage access is a no-op reading 0.
    p.SetStageValue(1, 500);
    EXPECT_EQ(0u, p.GetStageValue(1));
    EXPECT_EQ(1, p.GetProfileOsd());
    EXPECT_EQ(1, p.GetKeyMode());
    EXPECT_EQ(0, p.GetDpiOsd());
    EXPECT_TRUE(p.SetStageCapacity(0));
    EXPECT_EQ(1u, p.GetStageCapacity());
    EXPECT_EQ(1, p.GetCurrentStage());
}

TEST(Profile, CapacityIsCappedAndDiscardsStagesButKeepsTheCount)
{
    CVeskProfile p;
    p.SetDpiRange(100, 5600, 100);
    p.SetStageCapacity(5);
    p.SetStageValue(2, 1200);
    p.SetStageCount(5);
    EXPECT_TRUE(p.SetStageCapacity(12));
    EXPECT_EQ(10u, p.GetStageCapacity());
    for (int s = 1; s <= 10; ++s)
        EXPECT_EQ(0u, p.GetStageValue(s));
    EXPECT_EQ(5u, p.GetStageCount());
    // A smaller capacity leaves the count above it; stage access still
    // resolves into the array.
    p.SetStageCapacity(2);
    EXPECT_EQ(5u, p.GetStageCount());
    p.SetStageValue(5, 4000);
    EXPECT_EQ(4000u, p.GetStageValue(2));
    p.SetStageCount(9);
    EXPECT_EQ(2u, p.GetStageCount());
}

TEST(Profile, StageNumbersResolveIntoRangeAndValuesClamp)
{
    CVeskProfile p;
    p.SetStageCapacity(5);
    p.SetDpiRange(100, 5600, 100);
    p.SetStageValue(7, 9000);
    EXPECT_EQ(5600u, p.GetStageValue(5));
    p.SetStageValue(0, 50);
    EXPECT_EQ(100u, p.GetStageValue(1));
    p.SetStageX(-3, 0xFFFFFFFFu);  // unsigned: far above the maximum
    EXPECT_EQ(5600u, p.GetStageX(1));
    p.SetStageY(3, 2500);
    EXPECT_EQ(2500u, p.GetStageY(3));
    p.SetStageFlag(99, 7);
    EXPECT_EQ(7, p.GetStageFlag(5));
    uint32_t mn, mx, step;
    EXPECT_TRUE(p.GetDpiRange(mn, mx, step));
    EXPECT_EQ(100u, mn);
    EXPECT_EQ(5600u, mx);
    EXPECT_EQ(100u, step);
}

TEST(Profile, CurrentStage)
{
    CVeskProfile p;
    p.SetStageCapacity(5);
    p.SetCurrentStage(0);
    EXPECT_EQ(0, p.GetCurrentStage());
    p.SetCurrentStage(9);
    EXPECT_EQ(5, p.GetCurrentStage());
    p.SetCurrentStage(3);
    EXPECT_EQ(3, p.GetCurrentStage());
}

TEST(Profile, ZonesAreCreatedOnFirstSetAndLevelsCapAt100)
{
    CVeskProfile p;
    EXPECT_EQ(0u, p.GetZoneLevel(2));  // reading creates nothing
    p.SetZoneLevel(2, 250);
    EXPECT_EQ(100u, p.GetZoneLevel(2));
    EXPECT_EQ(0, p.GetZoneOn(2));
    EXPECT_EQ(0, p.GetZoneColor(2));
    EXPECT_EQ(0, p.GetZoneEffect(2));
    p.SetZoneColor(4, 0x123456);
    EXPECT_EQ(100u, p.GetZoneLevel(4));
    EXPECT_EQ(0x123456, p.GetZoneColor(4));
}

TEST(Profile, AssignmentsFollowTheAllowedFunctionTypes)
{
    CVeskProfile p;
    p.SetButtonAssignment(12, Of(kFnScrollUp));
    p.SetButtonAssignment(12, Of(kFnClick));  // not for the wheel
    EXPECT_EQ(kFnScrollUp, ButtonType(p, 12));
    p.SetButtonAssignment(4, Of(kFnProfileByName));
    EXPECT_EQ(kFnProfileByName, ButtonType(p, 4));
    p.SetButtonAssignment(4, Of(kFnLaunchByName));
    EXPECT_EQ(kFnProfileByName, ButtonType(p, 4));
    p.SetButtonAssignment(13, Of(kFnMacroByName));
    EXPECT_EQ(kFnMacroByName, ButtonType(p, 13));

    const int key = 12345;
    p.SetKeyAssignment(key, Of(kFnLaunchByGuid));
    EXPECT_EQ(0u, p.GetKeyAssignmentCount());
    AssignmentRecord r;
    p.GetKeyAssignment(r, key);  // an absent key is added as type -1
    EXPECT_EQ(kFnNone, r.type);
    EXPECT_EQ(1u, p.GetKeyAssignmentCount());
    p.SetKeyAssignment(key, Of(kFnDefaultKey));
    p.GetKeyAssignment(r, key);
    EXPECT_EQ(kFnDefaultKey, r.type);

    std::vector<int> types = {99};
    p.GetAllowedFunctionTypes(types, 13);
    EXPECT_EQ((std::vector<int>{6, 13, 14, 41, 42, 8}), types);
    p.GetAllowedFunctionTypes(types, 1);
    EXPECT_EQ((std::vector<int>{1, 2, 3, 4, 6, 13, 14, 34, 33, 10, 5, 22, 41, 42, 8, 0}), types);
}

TEST(Profile, ClickAssignmentCountsKeysOnlyInKeyMode)
{
    CVeskProfile p;
    EXPECT_FALSE(p.HasClickAssignment());
    p.SetKeyAssignment(7, Of(kFnClick));
    EXPECT_TRUE(p.HasClickAssignment());
    p.SetKeyMode(0);
    EXPECT_FALSE(p.HasClickAssignment());
    p.SetButtonAssignment(1, Of(kFnClick));
    EXPECT_TRUE(p.HasClickAssignment());
}

TEST(Profile, LinkedAppPathSetsTheFileNameAsAppName)
{
    CVeskProfile p;
    p.SetLinkedAppPath(L"C:\\Games\\Some Game\\game.exe");
    EXPECT_STREQ(L"C:\\Games\\Some Game\\game.exe", p.GetLinkedAppPath());
    EXPECT_STREQ(L"game.exe", p.GetLinkedAppName());
    p.SetLinkedAppName(L"other.exe");
    EXPECT_STREQ(L"C:\\Games\\Some Game\\game.exe", p.GetLinkedAppPath());
    EXPECT_STREQ(L"other.exe", p.GetLinkedAppName());
    // Each part of the name is cut to 255 characters.
    std::wstring stem(300, L'a'), ext = L"." + std::wstring(300, L'b');
    p.SetLinkedAppPath((L"C:\\x\\" + stem + ext).c_str());
    EXPECT_EQ(std::wstring(255, L'a') + L"." + std::wstring(254, L'b'), p.GetLinkedAppName());
    p.SetLinkedAppPath(nullptr);
    EXPECT_STREQ(L"", p.GetLinkedAppName());
}

TEST(Profile, CopyKeepsNameGuidAndSettingsButNotSnapshotsOrUnreadValues)
{
    CVeskProfile p(L"Original");
    p.SetGuid(1, 2, 3, 4);
    p.SetDpiRange(100, 5600, 100);
    p.SetStageCapacity(5);
    p.SetStageValue(2, 1200);
    p.SetStageCount(4);
    p.SetCurrentStage(2);
    p.SetButtonAssignment(1, Of(kFnClick));
    p.SetZoneOn(3, 1);
    p.SetIntJ(5);
    p.SetIntK(6);
    p.SetIntL(7);
    p.SetByteF(8);
    p.SaveLightSnapshot(1);

    CVeskProfile copy(p);
    EXPECT_STREQ(L"Original", copy.GetName());
    GUID a, b;
    p.GetGuid(a);
    copy.GetGuid(b);
    EXPECT_EQ(0, memcmp(&a, &b, sizeof(GUID)));
    EXPECT_EQ(5u, copy.GetStageCapacity());
    EXPECT_EQ(4u, copy.GetStageCount());
    EXPECT_EQ(1200u, copy.GetStageValue(2));
    EXPECT_EQ(2, copy.GetCurrentStage());
    EXPECT_EQ(kFnClick, ButtonType(copy, 1));
    EXPECT_EQ(1, copy.GetZoneOn(3));
    EXPECT_EQ(0, copy.GetIntJ());
    EXPECT_EQ(0, copy.GetIntK());
    EXPECT_EQ(0, copy.GetIntL());
    EXPECT_EQ(0, copy.GetByteF());
    EXPECT_FALSE(copy.ApplyLightSnapshot(1));
    EXPECT_TRUE(p.ApplyLightSnapshot(1));
}

TEST(Profile, LightSnapshotRestoresZoneZeroAndThree)
{
    CVeskProfile p;
    p.SetZoneEffect(0, 5);
    p.SetZoneLevel(0, 60);
    p.SetZoneColor(0, 0xFF0000);
    p.SetZoneOn(0, 1);
    p.SetZoneOn(3, 1);
    EXPECT_FALSE(p.ApplyLightSnapshot(2));
    EXPECT_TRUE(p.SaveLightSnapshot(2));
    EXPECT_FALSE(p.SaveLightSnapshot(3));
    p.SetZoneEffect(0, 2);
    p.SetZoneLevel(0, 10);
    p.SetZoneColor(0, 0x00FF00);
    p.SetZoneOn(0, 0);
    p.SetZoneOn(3, 0);
    EXPECT_TRUE(p.ApplyLightSnapshot(2));
    EXPECT_EQ(5, p.GetZoneEffect(0));
    EXPECT_EQ(60u, p.GetZoneLevel(0));
    EXPECT_EQ(0xFF0000, p.GetZoneColor(0));
    EXPECT_EQ(1, p.GetZoneOn(0));
    EXPECT_EQ(1, p.GetZoneOn(3));
}

TEST(Profile, NoFilesAndNullNamesAreEmpty)
{
    CVeskProfile p(nullptr);
    EXPECT_STREQ(L"", p.GetName());
    p.SetName(nullptr);
    EXPECT_STREQ(L"", p.GetName());
    EXPECT_FALSE(p.HasFile());
    EXPECT_FALSE(p.SaveToFile(L"x", L"C:\\", L"qvp"));
    EXPECT_FALSE(p.LoadFromFile(L"x", L"C:\\", L"qvp"));
}

TEST(AssignmentRecord, NamesAreCutToTheParameterArea)
{
    static_assert(sizeof(AssignmentRecord) == 532, "fixed record");
    AssignmentRecord r = AssignmentRecord::OfType(kFnProfileByName);
    std::wstring longName(400, L'n');
    r.SetName(longName.c_str());
    EXPECT_EQ(259u, r.NameLength());
    EXPECT_EQ(0, r.params.name[259]);
    EXPECT_EQ(0, r.mode);
    // A record from outside without a terminator reads only its own area.
    for (auto& c : r.params.name)
        c = L'z';
    EXPECT_EQ(260u, r.NameText().size());
}
