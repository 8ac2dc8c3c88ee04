// The keyword tables: sizes, both lookup directions for every row, and the
// lookups' case and order rules.
#include <gtest/gtest.h>

#include "KeywordTables.h"

TEST(KeywordTables, EachTableHasItsRowsAndEveryNameRoundTrips)
{
    BuildKeywordMaps();
    EXPECT_EQ(329u, ItemIdMap.size());
    EXPECT_EQ(17u, ShortcutFunctionMap.size());
    EXPECT_EQ(65u, ButtonFunctionMap.size());
    EXPECT_EQ(5u, KeyTooltipMap.size());
    EXPECT_EQ(65u, ButtonTooltipMap.size());
    EXPECT_EQ(33u, ColorNameMap.size());
    EXPECT_EQ(7u, ListColumnItemMap.size());
    EXPECT_EQ(6u, ListColumnTypeMap.size());
    EXPECT_EQ(2u, MacroColumnTypeMap.size());

    // Item names are unique, so every name finds its own id.
    for (const auto& e : ItemIdMap) {
        EXPECT_EQ(e.first, FindItemIdByName(e.second)) << e.first;
        EXPECT_STREQ(e.second, FindItemNameById(e.first));
    }
    EXPECT_EQ(0, ItemIdMap.begin()->first);
    EXPECT_EQ(329, ItemIdMap.rbegin()->first);
    for (const auto& e : ColorNameMap)
        EXPECT_EQ((int)e.first, FindColorByName(e.second)) << e.second;
    for (const auto& e : ShortcutFunctionMap)
        EXPECT_EQ(e.first, FindShortcutFunctionId(e.second));
    for (const auto& e : ListColumnItemMap)
        EXPECT_EQ(e.first, FindListColumnItemByName(e.second));
    for (const auto& e : ListColumnTypeMap)
        EXPECT_EQ(e.first, FindListColumnTypeByName(e.second));
    for (const auto& e : MacroColumnTypeMap)
        EXPECT_EQ(e.first, FindMacroColumnTypeByName(e.second));
    // Button texts repeat: a name finds the smallest code that carries it.
    for (const auto& e : ButtonFunctionMap) {
        int found = FindButtonFunctionId(e.second);
        ASSERT_GE(found, 0);
        EXPECT_LE(found, e.first);
        EXPECT_STREQ(e.second, ButtonFunctionMap[found]);
    }
    // Tooltips share the button table's codes.
    for (const auto& e : ButtonTooltipMap)
        EXPECT_EQ(1u, ButtonFunctionMap.count(e.first));
    for (const auto& e : KeyTooltipMap)
        EXPECT_EQ(1u, ButtonFunctionMap.count(e.first));

    // Building again gives the same tables, not doubled ones.
    BuildKeywordMaps();
    EXPECT_EQ(329u, ItemIdMap.size());
}

TEST(KeywordTables, ItemNamesIgnoreCaseButNotBlanks)
{
    EXPECT_EQ(74, FindItemIdByName(L"button_apply"));
    EXPECT_EQ(-1, FindItemIdByName(L"BUTTON_APPLY "));
    EXPECT_EQ(-1, FindItemIdByName(L""));
    EXPECT_EQ(-1, FindItemIdByName(nullptr));
    EXPECT_EQ(nullptr, FindItemNameById(124));
    EXPECT_EQ(nullptr, FindItemNameById(-1));
    EXPECT_EQ(nullptr, FindItemNameById(330));
    EXPECT_STREQ(L"LANGUAGE_DEFAULT", FindItemNameById(0));
    EXPECT_EQ(-1, FindItemIdByName(L"LANGUAGE_ENGLISH"));
    EXPECT_EQ(301, FindItemIdByName(L"KBDDEF_WINDOWS"));
    EXPECT_EQ(125, FindItemIdByName(L"BITMAP_KOVU_TOPVIEW"));
}

TEST(KeywordTables, ColoursAndRepeatedFunctionTexts)
{
    EXPECT_EQ(0, FindColorByName(L"black"));
    EXPECT_EQ(-1, FindColorByName(L"GREY"));
    EXPECT_EQ(0x0000FF, FindColorByName(L"Red"));
    EXPECT_EQ(0x3D1B00, FindColorByName(L"BLUE_KX_PROFILE_HIGHLIGHT"));
    EXPECT_EQ(6, FindButtonFunctionId(L"$MACRO"));
    EXPECT_EQ(22, FindButtonFunctionId(L"$profile"));
    EXPECT_EQ(63, FindButtonFunctionId(L"$launchprogram"));
    EXPECT_EQ(-1, FindButtonFunctionId(L"macro"));
    EXPECT_EQ(12, FindShortcutFunctionId(L"$LockPC"));
    EXPECT_EQ(3, FindListColumnTypeByName(L"combo"));
    EXPECT_EQ(1, FindMacroColumnTypeByName(L"STATIC"));
    EXPECT_EQ(-1, FindMacroColumnTypeByName(L"EDIT"));
    EXPECT_EQ(6, FindListColumnItemByName(L"LCITEM_MCREVENT_DESCRIP"));
    EXPECT_STREQ(L"$AssignKeyToLaunchASelectedApplication", KeyTooltipMap[63]);
}
