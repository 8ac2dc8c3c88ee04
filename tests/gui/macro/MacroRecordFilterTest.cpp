#include <gtest/gtest.h>

#include "MacroDelayText.h"
#include "MacroRecordFilter.h"

TEST(MacroDelayText, FormatsThreeDecimals)
{
    EXPECT_STREQ(L"2.000 seconds", FormatDelayText(2000, L"seconds"));
    EXPECT_STREQ(L"0.050 s", FormatDelayText(50, L"s"));
    EXPECT_STREQ(L"16777.215 s", FormatDelayText(0xFFFFFF, L"s"));
}

TEST(MacroDelayText, RowTextRoundsToNearestMillisecond)
{
    // 1.001 * 1000 is 1000.999... in binary; truncation would give 1000.
    EXPECT_EQ(1001u, DelayMillisecondsFromText(L"1.001 s"));
    EXPECT_EQ(4097u, DelayMillisecondsFromText(L"4.097 seconds"));
    EXPECT_EQ(50u, DelayMillisecondsFromText(L"0.050 s"));
    for (DWORD ms : {1u, 7u, 999u, 1001u, 4095u, 123457u, 0xFFFFFFu})
        EXPECT_EQ(ms, DelayMillisecondsFromText(FormatDelayText(ms, L"s"))) << ms;
    EXPECT_EQ(0u, DelayMillisecondsFromText(L"seconds"));
    EXPECT_EQ(0u, DelayMillisecondsFromText(L"-1.5 s"));
    EXPECT_EQ(0u, DelayMillisecondsFromText(nullptr));
}

TEST(MacroDelayText, EditKeepsOldValueForZeroOrNoNumber)
{
    DWORD ms = 77;
    EXPECT_FALSE(ParseDelayEdit(L"0", ms));
    EXPECT_FALSE(ParseDelayEdit(L"", ms));
    EXPECT_FALSE(ParseDelayEdit(L"abc", ms));
    EXPECT_FALSE(ParseDelayEdit(L"-5", ms));
    EXPECT_FALSE(ParseDelayEdit(L"99999999999", ms));  // past 32 bits
    EXPECT_EQ(77u, ms);
    EXPECT_TRUE(ParseDelayEdit(L"9999999", ms));
    EXPECT_EQ(9999999u, ms);
    EXPECT_TRUE(ParseDelayEdit(L" 250", ms));
    EXPECT_EQ(250u, ms);
}

TEST(MacroRecordFilter, HeldKeyRecordsOnePressAndItsRelease)
{
    MacroKeyRepeatFilter f;
    EXPECT_TRUE(f.Pass(0x1E, false, false));
    EXPECT_FALSE(f.Pass(0x1E, false, false));  // auto-repeat
    EXPECT_FALSE(f.Pass(0x1E, false, false));
    EXPECT_TRUE(f.Pass(0x1E, false, true));
    EXPECT_TRUE(f.Pass(0x1E, false, false));  // pressed again after release
    EXPECT_TRUE(f.Pass(0x30, false, true));   // a release never held passes
    EXPECT_EQ(1u, f.HeldCount());
}

TEST(MacroRecordFilter, LeftAndRightCtrlAreDifferentKeys)
{
    MacroKeyRepeatFilter f;
    EXPECT_TRUE(f.Pass(0x1D, false, false));  // left Ctrl
    EXPECT_TRUE(f.Pass(0x1D, true, false));   // right Ctrl (E0) while left held
    EXPECT_FALSE(f.Pass(0x1D, true, false));
    EXPECT_TRUE(f.Pass(0x1D, false, true));   // releasing left keeps right held
    EXPECT_FALSE(f.Pass(0x1D, true, false));
    EXPECT_TRUE(f.Pass(0x1D, true, true));
    EXPECT_EQ(0u, f.HeldCount());
}

TEST(MacroRecordFilter, MouseReportGivesOneEventPerBitInOrder)
{
    using V = std::vector<MouseButtonEvent>;
    EXPECT_EQ((V{{1, false}}), MouseButtonEventsFromFlags(RI_MOUSE_LEFT_BUTTON_DOWN));
    EXPECT_EQ((V{{5, true}}), MouseButtonEventsFromFlags(RI_MOUSE_BUTTON_5_UP));
    EXPECT_EQ((V{{1, true}, {2, false}}),
              MouseButtonEventsFromFlags(RI_MOUSE_LEFT_BUTTON_UP | RI_MOUSE_RIGHT_BUTTON_DOWN));
    EXPECT_EQ((V{{3, false}, {4, false}, {4, true}}),
              MouseButtonEventsFromFlags(RI_MOUSE_MIDDLE_BUTTON_DOWN | RI_MOUSE_BUTTON_4_DOWN | RI_MOUSE_BUTTON_4_UP));
    EXPECT_TRUE(MouseButtonEventsFromFlags(RI_MOUSE_WHEEL).empty());
    EXPECT_TRUE(MouseButtonEventsFromFlags(0).empty());
}

TEST(MacroRecordFilter, DelayPolicy)
{
    DWORD d = 0;
    MacroDelayPolicy measured;
    EXPECT_FALSE(measured.DelayBefore(1000, true, d));  // first event: none
    EXPECT_TRUE(measured.DelayBefore(3000, false, d));
    EXPECT_EQ(2000u, d);
    EXPECT_TRUE(measured.DelayBefore(3000 + 0x2000000, false, d));
    EXPECT_EQ(0xFFFFFFu, d);  // capped
    MacroDelayPolicy wrap;
    wrap.DelayBefore(0xFFFFFF00u, true, d);
    EXPECT_TRUE(wrap.DelayBefore(0x100, false, d));  // across the tick wrap
    EXPECT_EQ(0x200u, d);

    MacroDelayPolicy none;
    none.SetNoDelays(true);
    EXPECT_FALSE(none.DelayBefore(0, true, d));
    EXPECT_FALSE(none.DelayBefore(9000, false, d));

    MacroDelayPolicy fixed;
    fixed.SetFixedDelay(true);
    EXPECT_FALSE(fixed.DelayBefore(0, true, d));
    EXPECT_TRUE(fixed.DelayBefore(9000, false, d));
    EXPECT_EQ(50u, d);  // never set by the owner
    fixed.SetFixedDelay(true, 120);
    EXPECT_TRUE(fixed.DelayBefore(9999, false, d));
    EXPECT_EQ(120u, d);
}
