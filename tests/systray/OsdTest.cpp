// The on-screen display: what a sensitivity change shows, where the windows
// go, how the bars are drawn, and the windows' showing and hiding.
#include <gtest/gtest.h>

#include "OsdDisplay.h"
#include "OsdPaint.h"
#include "RecordingWnd.h"
#include "TrayImages.h"

namespace {

const float kScale96 = 96 / 72.0f;

struct Plan {
    unsigned x, y, max;
    int bars, xLevel, yLevel;
};

// Cells lit in a column: its green 10-pixel cells, counted along one line.
int LitCells(const CapturedImage& img, int x, int top, int bottom)
{
    int cells = 0;
    bool inCell = false;
    for (int y = top; y < bottom; ++y) {
        bool lit = img.Pixel(x, y) == kOsdBarColour;
        if (lit && !inCell)
            ++cells;
        inCell = lit;
    }
    return cells;
}

DWORD GuiObjects()
{
    return ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS) +
           ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
}

}  // namespace

TEST(Osd, ASensitivityChangeShowsOneBarTwoBarsOrNothing)
{
    const Plan plans[] = {
        {800, 800, 5600, 1, 2, 2},     {800, 1600, 5600, 2, 2, 5},  {12000, 12000, 20000, 0, 12, 12},
        {800, 12000, 20000, 0, 0, 12}, {800, 800, 0, 0, 0, 0},      {5600, 5600, 5600, 1, 20, 20},
    };
    for (const Plan& p : plans) {
        DpiOsdPlan plan = PlanDpiOsd(p.x, p.y, p.max);
        EXPECT_EQ(p.bars, plan.bars) << p.x << "x" << p.y << " of " << p.max;
        if (p.bars) {
            EXPECT_EQ(p.xLevel, plan.xLevel);
            EXPECT_EQ(p.yLevel, plan.yLevel);
        }
    }
    EXPECT_EQ(CString(L"1600"), PlanDpiOsd(800, 1600, 5600).yText);
}

TEST(Osd, RequestsCutLevelsAndLongTextsAndRefuseLongNumbers)
{
    OsdState state;
    EXPECT_TRUE(SetLevelBar(state, 25, L"9999"));
    EXPECT_EQ(20, state.bar1.level);
    EXPECT_FALSE(SetLevelBar(state, 2, L"12000"));
    EXPECT_FALSE(SetTwoLevelBars(state, 2, L"12000", 3, L"800"));
    EXPECT_EQ(1, state.barMode);  // the refused requests changed nothing
    ASSERT_TRUE(SetTwoLevelBars(state, 2, L"800", 5, L"1600"));
    EXPECT_EQ(2, state.barMode);
    EXPECT_EQ(5, state.bar1.level);  // Y on the right
    EXPECT_STREQ(L"800", state.bar2.text);
    SetOsdText(state, CString(L'n', 300));
    EXPECT_EQ(254u, wcslen(state.osdText));
}

TEST(Osd, AtNinetySixDotsPerInchTheBarPanelIs119By265AboveTheBottomRight)
{
    OsdLayout l = ComputeOsdLayout({0, 0, 1280, 1024}, kScale96);
    EXPECT_EQ(CRect(1280 - 129, 1024 - 26 - 265 - 60, 1270, 1024 - 26 - 60), CRect(l.barWindow));
    EXPECT_EQ(CRect(0, 1024 - 76, 1270, 1024 - 50), CRect(l.textWindow));
    EXPECT_EQ(CRect(62, 0, 119, 265), CRect(l.rightColumn));
}

TEST(Osd, BarsAreFramedCellsStackedUpFromTheBottomWithTheirNumbers)
{
    OsdLayout l = ComputeOsdLayout({0, 0, 1280, 1024}, kScale96);
    CFont number, label;
    number.CreateFont(-l.numberHeight, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, L"Courier New");
    label.CreateFont(-l.textHeight, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, 0, 0, L"Tahoma");
    OsdState state;
    SetTwoLevelBars(state, 25, L"8000", 0, L"0");
    CRect client(0, 0, 119, l.panelHeight);
    DWORD before = GuiObjects();
    CapturedImage img = PaintToImage(client.Width(), client.Height(), [&](HDC dc) {
        PaintOsdBars(dc, client, state, l, number, label);
    });
    EXPECT_EQ(before, GuiObjects());
    SaveImage(img, L"osd_two_bars");
    const int cellsTop = 6 + l.numberHeight, cellsBottom = l.panelHeight - 6;
    EXPECT_EQ(20, LitCells(img, 8, cellsTop, cellsBottom));  // X: 25 is cut to 20
    EXPECT_EQ(0, LitCells(img, 62 + 8, cellsTop, cellsBottom));
    EXPECT_EQ(kOsdBarColour, img.Pixel(62, 100));  // Y keeps its frame
    EXPECT_EQ(kOsdBarInside, img.Pixel(62 + 3, 100));
    EXPECT_EQ(kOsdKeyColour, img.Pixel(59, 100));  // the gap between the columns
}

TEST(Osd, ARequestShowsItsWindowForTwoSecondsAfterTheLastOne)
{
    {
        COsdDisplay first;  // registers the classes, whose brush stays
        ASSERT_EQ(S_OK, first.CreateOsd(nullptr));
    }
    DWORD before = GuiObjects();
    {
        COsdDisplay osd;
        ASSERT_EQ(S_OK, osd.CreateOsd(nullptr));
        EXPECT_FALSE(::IsWindowVisible(osd.BarWindow()));
        EXPECT_EQ(WS_EX_TOPMOST | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_LAYERED | WS_EX_NOACTIVATE,
                  ::GetWindowLongW(osd.BarWindow(), GWL_EXSTYLE) & 0x080800A8);
        osd.ShowLevelBar(2, L"800");
        ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(osd.BarWindow()) != FALSE; }));
        EXPECT_FALSE(::IsWindowVisible(osd.TextWindow()));
        SaveOsdCapture(osd.BarWindow(), L"osd_one_bar");
        osd.ShowOsdText(L"Profile 2");
        ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(osd.TextWindow()) != FALSE; }));
        EXPECT_TRUE(::IsWindowVisible(osd.BarWindow()));  // both at once
        SaveOsdCapture(osd.TextWindow(), L"osd_text");
        DWORD second = ::GetTickCount();
        osd.ShowLevelBar(5, L"1600");
        ASSERT_TRUE(PumpUntil([&] { return !::IsWindowVisible(osd.BarWindow()); }));
        EXPECT_GE(::GetTickCount() - second, kOsdShowMs);
        EXPECT_EQ(0, osd.State().barMode);
        ASSERT_TRUE(PumpUntil([&] { return !::IsWindowVisible(osd.TextWindow()); }));
        EXPECT_EQ(0, osd.State().osdText[0]);
    }
    PumpPending();
    EXPECT_EQ(before, GuiObjects());
}
