// The multi-column list's rules without windows: choice cells and their
// drop-down list, header item layout, column hit-testing and scrolling.
#include <gtest/gtest.h>

#include "ListColumnBook.h"
#include "ListScrollRules.h"
#include "XHeaderCtrl.h"
#include "XListChoice.h"

TEST(XListChoice, PressedCellKeepsItsPlaceWhenReleased)
{
    XListPressedCell cell;
    EXPECT_FALSE(cell.IsPressed(-1, -1));
    cell.Press(7, 2);
    EXPECT_TRUE(cell.IsPressed(7, 2));
    EXPECT_FALSE(cell.IsPressed(7, 1));
    cell.Release();
    EXPECT_FALSE(cell.IsPressed(7, 2));
    // A choice made after the pointer left still knows its cell.
    EXPECT_EQ(7, cell.rowKey);
    EXPECT_EQ(2, cell.column);
}

TEST(XListChoice, ButtonIsTheSquareAtTheRightEnd)
{
    const RECT cell{100, 20, 180, 37};
    const RECT b = ChoiceButtonRect(cell);
    EXPECT_EQ(163, b.left);
    EXPECT_EQ(180, b.right);
    EXPECT_TRUE(PointOnChoiceButton(cell, {170, 25}));
    EXPECT_TRUE(PointOnChoiceButton(cell, {163, 20}));
    EXPECT_FALSE(PointOnChoiceButton(cell, {162, 25}));
    EXPECT_FALSE(PointOnChoiceButton(cell, {180, 25}));
    EXPECT_FALSE(PointOnChoiceButton(cell, {170, 37}));
    // A cell narrower than it is high is all button.
    EXPECT_EQ(0, ChoiceButtonRect(RECT{0, 0, 10, 17}).left);
}

TEST(XListChoice, PressTimerDecisions)
{
    EXPECT_EQ(XListPressTick::Release, DecidePressTick(false, true, true));
    EXPECT_EQ(XListPressTick::ReleaseAndStop, DecidePressTick(false, false, false));
    EXPECT_EQ(XListPressTick::ReleaseAndStop, DecidePressTick(false, false, true));
    EXPECT_EQ(XListPressTick::FocusAndLayout, DecidePressTick(true, true, true));
    EXPECT_EQ(XListPressTick::Focus, DecidePressTick(true, true, false));
    EXPECT_EQ(XListPressTick::Stop, DecidePressTick(true, false, true));
}

TEST(XListChoice, DropDownGoesUnderTheCell)
{
    const RECT cell{300, 200, 380, 217};
    RECT r = ComboListWindowRect(cell, 4, 10);
    EXPECT_EQ(300, r.left);
    EXPECT_EQ(380, r.right);
    EXPECT_EQ(217, r.top);
    EXPECT_EQ(217 + 15 * 4, r.bottom);
    // No visible count: every entry; no entries: still one row.
    r = ComboListWindowRect(cell, 0, 3);
    EXPECT_EQ(217 + 15 * 3, r.bottom);
    r = ComboListWindowRect(cell, -2, 0);
    EXPECT_EQ(217 + 15, r.bottom);
}

TEST(XListChoice, HeightIsCutToWholeItems)
{
    // (cell height - 2) x 3 entries of the same height shows those three.
    EXPECT_EQ(14 * 3 + 4, ComboListCutHeight(42, 14));
    EXPECT_EQ(14 * 2 + 4, ComboListCutHeight(41, 14));
    EXPECT_EQ(14 + 4, ComboListCutHeight(5, 14));  // never below one item
    EXPECT_EQ(60, ComboListCutHeight(60, 0));
}

TEST(XListChoice, ClientLayoutLeavesTheScrollStrip)
{
    RECT list{}, bar{};
    ComboListClientLayout(RECT{0, 0, 78, 58}, list, bar);
    EXPECT_EQ(1, list.left);
    EXPECT_EQ(1, list.top);
    EXPECT_EQ(67, list.right);
    EXPECT_EQ(58, list.bottom);
    EXPECT_EQ(67, bar.left);
    EXPECT_EQ(78, bar.right);
    EXPECT_EQ(0, bar.top);
    EXPECT_EQ(kComboListScrollWidth, bar.right - bar.left);
    EXPECT_EQ(0, ComboListScrollPos(-1));
    EXPECT_EQ(0, ComboListTopIndex(-1));
    EXPECT_EQ(0, ComboListTopIndex(0));
    EXPECT_EQ(5, ComboListScrollPos(5));
    EXPECT_EQ(4, ComboListTopIndex(5));
}

TEST(XListChoice, KeysMoveWithinTheEntries)
{
    const std::vector<CString> e = {L"Alpha", L"beta", L"Bravo", L"Charlie", L"alto", L"Delta"};
    EXPECT_EQ(0, ComboListKeySelection(VK_UP, 0, 3, e));
    EXPECT_EQ(1, ComboListKeySelection(VK_DOWN, 0, 3, e));
    EXPECT_EQ(5, ComboListKeySelection(VK_DOWN, 5, 3, e));
    EXPECT_EQ(0, ComboListKeySelection(VK_DOWN, -1, 3, e));
    EXPECT_EQ(4, ComboListKeySelection(VK_NEXT, 1, 3, e));
    EXPECT_EQ(5, ComboListKeySelection(VK_NEXT, 4, 3, e));
    EXPECT_EQ(2, ComboListKeySelection(VK_NEXT, -1, 3, e));
    EXPECT_EQ(0, ComboListKeySelection(VK_PRIOR, 2, 3, e));
    EXPECT_EQ(5, ComboListKeySelection(VK_END, 1, 3, e));
    EXPECT_EQ(0, ComboListKeySelection(VK_HOME, 4, 3, e));
    EXPECT_EQ(1, ComboListKeySelection(VK_PRIOR, 2, 0, e));  // a page of at least one
    EXPECT_EQ(-1, ComboListKeySelection(VK_LEFT, 2, 3, e));
    EXPECT_EQ(-1, ComboListKeySelection('5', 2, 3, e));
    EXPECT_EQ(-1, ComboListKeySelection(VK_DOWN, 0, 3, {}));
}

TEST(XListChoice, LetterSelectsTheNextEntryStartingWithIt)
{
    const std::vector<CString> e = {L"Alpha", L"beta", L"Bravo", L"Charlie", L"alto", L"Delta"};
    EXPECT_EQ(0, ComboListKeySelection('A', -1, 3, e));  // nothing selected: from the first
    EXPECT_EQ(4, ComboListKeySelection('A', 0, 3, e));   // ignoring case
    EXPECT_EQ(0, ComboListKeySelection('A', 4, 3, e));   // wrapping round
    EXPECT_EQ(1, ComboListKeySelection('B', 0, 3, e));
    EXPECT_EQ(2, ComboListKeySelection('B', 1, 3, e));
    EXPECT_EQ(1, ComboListKeySelection('B', 2, 3, e));
    EXPECT_EQ(3, ComboListKeySelection('C', 3, 3, e));  // the only one stays
    EXPECT_EQ(2, ComboListKeySelection('Z', 2, 3, e));  // none: unchanged
}

TEST(XHeaderLayout, PartsSideBySideWithGaps)
{
    const RECT item{40, 0, 140, 20};
    HeaderItemParts p = LayoutHeaderItem(item, SIZE{12, 12}, SIZE{16, 16});
    EXPECT_EQ(40, p.bitmap.left);
    EXPECT_EQ(52, p.bitmap.right);
    EXPECT_EQ(4, p.bitmap.top);
    EXPECT_EQ(52 + kHeaderPartGap, p.image.left);
    EXPECT_EQ(2, p.image.top);
    EXPECT_EQ(p.image.right + kHeaderPartGap, p.text.left);
    EXPECT_EQ(140, p.text.right);
    // Missing parts take no room.
    p = LayoutHeaderItem(item, SIZE{0, 0}, SIZE{0, 0});
    EXPECT_EQ(40, p.text.left);
    p = LayoutHeaderItem(item, SIZE{12, 12}, SIZE{0, 0});
    EXPECT_EQ(52 + kHeaderPartGap, p.text.left);
    // Text never starts past the item.
    p = LayoutHeaderItem(RECT{0, 0, 10, 20}, SIZE{12, 12}, SIZE{0, 0});
    EXPECT_EQ(10, p.text.left);
}

TEST(XListColumns, ColumnUnderThePointer)
{
    const std::vector<int> w = {30, 120, 90};
    EXPECT_EQ(0, ColumnAtX(w, 0));
    EXPECT_EQ(0, ColumnAtX(w, 29));
    EXPECT_EQ(1, ColumnAtX(w, 30));
    EXPECT_EQ(2, ColumnAtX(w, 239));
    EXPECT_EQ(-1, ColumnAtX(w, 240));
    EXPECT_EQ(-1, ColumnAtX(w, -1));
    EXPECT_EQ(-1, ColumnAtX({}, 5));
}

TEST(ListScrollRules, WheelTurnsInWholeNotchesAndSmallTurnsAddUp)
{
    WheelLines wheel;
    EXPECT_EQ(1, wheel.Take(120));
    EXPECT_EQ(2, wheel.Take(300));  // 60 left over
    EXPECT_EQ(1, wheel.Take(60));
    EXPECT_EQ(0, wheel.Take(40));
    EXPECT_EQ(0, wheel.Take(40));
    EXPECT_EQ(1, wheel.Take(40));
    EXPECT_EQ(0, wheel.Take(100));
    EXPECT_EQ(0, wheel.Take(-100));  // the other way starts again
    EXPECT_EQ(-1, wheel.Take(-20));
    EXPECT_EQ(-2, wheel.Take(-240));
}
