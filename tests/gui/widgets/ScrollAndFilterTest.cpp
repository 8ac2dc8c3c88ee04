#include <gtest/gtest.h>

#include "DigitsOnlyFilter.h"
#include "ScrollBarLayout.h"
#include "WidgetText.h"

namespace {
// The caret at the end of the text, as after typing.
bool Swallows(UINT message, WPARAM wParam, const CString& text, int minValue, int maxValue)
{
    return DigitsOnlySwallows(message, wParam, text, text.GetLength(), text.GetLength(), minValue, maxValue);
}
}  // namespace

TEST(DigitsOnly, RangeDecidesEachTypedDigit)
{
    EXPECT_FALSE(Swallows(WM_CHAR, '2', L"", 1, 20));
    EXPECT_TRUE(Swallows(WM_CHAR, '5', L"2", 1, 20));   // 25 > 20
    EXPECT_FALSE(Swallows(WM_CHAR, '5', L"1", 1, 20));  // 15
    EXPECT_TRUE(Swallows(WM_CHAR, '0', L"", 1, 20));    // below the minimum
}

TEST(DigitsOnly, DefaultRangeRefusesEveryDigit)
{
    for (wchar_t c = '0'; c <= '9'; ++c) EXPECT_TRUE(Swallows(WM_CHAR, c, L"", 0, -1));
}

TEST(DigitsOnly, KeysAndCharactersOtherThanDigits)
{
    EXPECT_FALSE(Swallows(WM_KEYDOWN, '7', L"", 0, 9));
    EXPECT_FALSE(Swallows(WM_KEYDOWN, VK_NUMPAD3, L"", 0, 9));
    // The keys that correct a value reach the edit.
    for (WPARAM key : {VK_BACK, VK_DELETE, VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_HOME, VK_END})
        EXPECT_FALSE(Swallows(WM_KEYDOWN, key, L"12", 0, 99)) << key;
    EXPECT_TRUE(Swallows(WM_KEYDOWN, 'A', L"", 0, 9));
    EXPECT_TRUE(Swallows(WM_KEYDOWN, VK_TAB, L"", 0, 9));
    EXPECT_FALSE(Swallows(WM_CHAR, VK_BACK, L"12", 0, 9));
    EXPECT_TRUE(Swallows(WM_CHAR, 'a', L"", 0, 9));
    EXPECT_TRUE(Swallows(WM_CONTEXTMENU, 0, L"", 0, 9));
    EXPECT_FALSE(Swallows(WM_PAINT, 0, L"", 0, 9));
}

TEST(DigitsOnly, TheDigitReplacesTheSelectionAtTheCaret)
{
    EXPECT_FALSE(DigitsOnlySwallows(WM_CHAR, '2', L"100", 0, 3, 1, 255));  // "100" selected: "2"
    EXPECT_FALSE(DigitsOnlySwallows(WM_CHAR, '2', L"100", 3, 0, 1, 255));  // selected from the end
    EXPECT_TRUE(DigitsOnlySwallows(WM_CHAR, '2', L"100", 3, 3, 1, 255));   // "1002"
    EXPECT_FALSE(DigitsOnlySwallows(WM_CHAR, '9', L"15", 1, 1, 1, 255));   // "195"
    EXPECT_TRUE(DigitsOnlySwallows(WM_CHAR, '9', L"35", 1, 1, 1, 255));    // "395"
    EXPECT_FALSE(DigitsOnlySwallows(WM_CHAR, '7', L"100", -5, 99, 1, 255));  // cut to the text: "7"
}

TEST(DigitsOnly, LongNumbersDoNotWrapIntoTheRange)
{
    EXPECT_TRUE(Swallows(WM_CHAR, '9', L"999999999999", 0, 100));
    // Nineteen digits times ten wraps a 64-bit number round to 8.
    EXPECT_TRUE(Swallows(WM_CHAR, '4', L"1844674407370955162", 0, 20));
}

namespace {
ScrollBarParts Parts()
{
    ScrollBarParts p;
    p.width = 12;
    p.topEndHeight = 2;
    p.bottomEndHeight = 3;
    p.upArrowHeight = 10;
    p.downArrowHeight = 11;
    p.thumbHeight = 20;
    return p;
}
}  // namespace

TEST(ScrollLayout, ArrowsTrackAndLength)
{
    ScrollBarLayout l;
    ASSERT_TRUE(ComputeScrollBarLayout(Parts(), 200, 0, l));
    EXPECT_EQ(l.trackBottom, 200 - 3 - 11);
    EXPECT_EQ(l.trackTop, 12);
    EXPECT_EQ(l.upArrow.top, 2);
    EXPECT_EQ(l.upArrow.bottom, 12);
    EXPECT_EQ(l.upArrow.right, 12);
    EXPECT_EQ(l.downArrow.top, 186);
    EXPECT_EQ(l.downArrow.bottom, 197);
    EXPECT_FLOAT_EQ(l.trackLength, 200 - 20 - 11 - 10 - 3 - 2);
    EXPECT_EQ(l.halfThumb, 10);
}

TEST(ScrollLayout, RefusedWithoutRoomForTheThumb)
{
    ScrollBarLayout l;
    EXPECT_FALSE(ComputeScrollBarLayout(Parts(), 2 + 10 + 20 + 11 + 3, 0, l));
    EXPECT_TRUE(ComputeScrollBarLayout(Parts(), 2 + 10 + 20 + 11 + 3 + 1, 0, l));
}

TEST(ScrollLayout, ThumbFollowsThePositionAndStaysOnTheTrack)
{
    ScrollBarParts p = Parts();
    ScrollBarLayout l;
    ASSERT_TRUE(ComputeScrollBarLayout(p, 200, 0, l));
    SCROLLINFO si{sizeof(si), SIF_ALL, 0, 29, 10, 0, 0};  // 30 rows, 10 in view: top rows 0..20
    int top = -1;
    ASSERT_TRUE(ThumbTopForScroll(p, l, si, top));
    EXPECT_EQ(top, l.trackTop);
    si.nPos = 20;
    ASSERT_TRUE(ThumbTopForScroll(p, l, si, top));
    EXPECT_EQ(top, l.trackBottom - p.thumbHeight);
    si.nPos = 10;
    ASSERT_TRUE(ThumbTopForScroll(p, l, si, top));
    EXPECT_EQ(top, l.trackTop + (int)(l.trackLength / 2));
    si.nPos = 30;
    EXPECT_FALSE(ThumbTopForScroll(p, l, si, top));
}

TEST(ScrollLayout, ListThatFitsItsPageKeepsTheThumbAtTheTop)
{
    ScrollBarParts p = Parts();
    ScrollBarLayout l;
    ASSERT_TRUE(ComputeScrollBarLayout(p, 200, 0, l));
    SCROLLINFO si{sizeof(si), SIF_ALL, 0, 9, 10, 0, 0};
    int top = -1;
    ASSERT_TRUE(ThumbTopForScroll(p, l, si, top));
    EXPECT_EQ(top, l.trackTop);
    si.nPage = 15;
    si.nMax = 5;
    EXPECT_EQ(0, ScrollDistance(si));
    ASSERT_TRUE(ThumbTopForScroll(p, l, si, top));
    EXPECT_EQ(top, l.trackTop);
    int pos = 0;
    EXPECT_FALSE(DragPosition(l, 100, 0, pos));
    EXPECT_FALSE(DragPosition(l, 100, -1, pos));
}

// The system's range: rows nMin..nMax with nPage in view. A 20-row list
// with 19 in view scrolls by one row.
TEST(ScrollLayout, OneRowMoreThanFitsStillScrollsAllTheWay)
{
    ScrollBarParts p = Parts();
    ScrollBarLayout l;
    ASSERT_TRUE(ComputeScrollBarLayout(p, 200, 0, l));
    SCROLLINFO si{sizeof(si), SIF_ALL, 0, 19, 19, 1, 0};
    EXPECT_EQ(1, ScrollDistance(si));
    int top = -1;
    ASSERT_TRUE(ThumbTopForScroll(p, l, si, top));
    EXPECT_EQ(top, l.trackBottom - p.thumbHeight);
    int pos = -1;
    ASSERT_TRUE(DragPosition(l, l.trackBottom - p.thumbHeight, 1, pos));
    EXPECT_EQ(1, pos);
    ASSERT_TRUE(DragPosition(l, l.trackTop, 1, pos));
    EXPECT_EQ(0, pos);
}

TEST(ScrollLayout, DragReachesEveryRowFromTopToEnd)
{
    ScrollBarParts p = Parts();
    ScrollBarLayout l;
    ASSERT_TRUE(ComputeScrollBarLayout(p, 200, 0, l));
    const SCROLLINFO si{sizeof(si), SIF_ALL, 0, 29, 10, 0, 0};
    const int d = ScrollDistance(si);
    ASSERT_EQ(20, d);
    int pos = -1;
    ASSERT_TRUE(DragPosition(l, 0, d, pos));
    EXPECT_EQ(0, pos);
    ASSERT_TRUE(DragPosition(l, 1000, d, pos));
    EXPECT_EQ(20, pos);
    // Where a position puts the thumb drags back to that position.
    for (int row = 0; row <= d; ++row) {
        SCROLLINFO at = si;
        at.nPos = row;
        int top = -1;
        ASSERT_TRUE(ThumbTopForScroll(p, l, at, top));
        ASSERT_TRUE(DragPosition(l, top, d, pos));
        EXPECT_EQ(row, pos);
    }
}

TEST(ScrollLayout, PageDownNearTheEndJumpsToTheLastPage)
{
    SCROLLINFO si{sizeof(si), SIF_ALL, 0, 29, 10, 0, 0};
    int target = -1;
    EXPECT_FALSE(PageDownJumps(si, target));
    si.nPos = 10;
    EXPECT_TRUE(PageDownJumps(si, target));
    EXPECT_EQ(20, target);
}

TEST(ScrollLayout, ClicksOnArrowsAndTrack)
{
    ScrollBarParts p = Parts();
    ScrollBarLayout l;
    ASSERT_TRUE(ComputeScrollBarLayout(p, 200, 0, l));
    RECT client{0, 0, 12, 200};
    const int thumb = 80;
    EXPECT_EQ(ClickAction(p, l, thumb, client, {5, 5}, true, false), ScrollClick::LineUp);
    EXPECT_EQ(ClickAction(p, l, thumb, client, {5, 190}, false, true), ScrollClick::LineDown);
    EXPECT_EQ(ClickAction(p, l, thumb, client, {5, 190}, true, false), ScrollClick::None);
    EXPECT_EQ(ClickAction(p, l, thumb, client, {5, 40}, false, false), ScrollClick::PageUp);
    EXPECT_EQ(ClickAction(p, l, thumb, client, {5, 150}, false, false), ScrollClick::PageDown);
    EXPECT_EQ(ClickAction(p, l, thumb, client, {5, 90}, false, false), ScrollClick::None);
    EXPECT_EQ(ClickAction(p, l, thumb, client, {50, 150}, false, false), ScrollClick::None);
}

TEST(WidgetTextRules, OnlyTheFirstLineBreakInCaptionsEveryOneInTooltips)
{
    EXPECT_EQ(CaptionText(L"One\\nTwo\\nThree", kCaseAsWritten), L"One\r\nTwo\\nThree");
    EXPECT_EQ(ToolTipText(L"One\\nTwo\\nThree"), L"One\r\nTwo\r\nThree");
    EXPECT_EQ(CaptionText(L"Apply", kCaseUpper), L"APPLY");
    EXPECT_EQ(CaptionText(L"Apply", kCaseLower), L"apply");
}

TEST(WidgetTextRules, UntranslatedLabelKeepsItsCase)
{
    EXPECT_EQ(LabelText(L"$Missing", false, kCaseUpper), L"$Missing");
    EXPECT_EQ(LabelText(L"Found", true, kCaseUpper), L"FOUND");
}
