#include <gtest/gtest.h>

#include "Capture.h"
#include "GenericPanel.h"
#include "RecordingWnd.h"
#include "TestBitmaps.h"
#include "VScrollBar.h"

TEST(GenericPanelFrame, WidthThreeMovesInByOneAndTwo)
{
    RECT f = FrameLineRect({0, 0, 50, 20}, 3);
    EXPECT_EQ(f.left, 1);
    EXPECT_EQ(f.top, 1);
    EXPECT_EQ(f.right, 48);
    EXPECT_EQ(f.bottom, 18);
}

TEST(GenericPanelWindow, DrawsBackAndFrameInsideTheWindow)
{
    CRecordingWnd parent;
    ASSERT_TRUE(parent.CreateTopLevel(200, 100));
    CGenericPanel panel(3);
    panel.SetBackColour(RGB(0, 0, 128));
    panel.SetBorderColour(RGB(255, 255, 0));
    ASSERT_TRUE(panel.Create({10, 10, 110, 50}, &parent));
    EXPECT_EQ(panel.GetDlgCtrlID(), 0xFFFF);
    EXPECT_EQ(panel.InnerRect().left, 3);
    EXPECT_EQ(panel.InnerRect().right, 97);
    parent.ShowWindow(SW_SHOWNOACTIVATE);
    CapturedImage img;
    ASSERT_TRUE(CaptureWindow(panel.m_hWnd, img));
    EXPECT_EQ(img.Pixel(0, 0), RGB(255, 255, 0));
    EXPECT_EQ(img.Pixel(2, 20), RGB(255, 255, 0));
    EXPECT_EQ(img.Pixel(99, 20), RGB(255, 255, 0));
    EXPECT_EQ(img.Pixel(50, 39), RGB(255, 255, 0));
    EXPECT_EQ(img.Pixel(50, 20), RGB(0, 0, 128));
    EXPECT_EQ(img.Pixel(3, 3), RGB(0, 0, 128));
    SaveCapture(panel.m_hWnd, L"widgets_generic_panel");
}

namespace {
bool ScrollMessages(UINT m) { return m == WM_VSCROLL; }

struct ScrollFixture : ::testing::Test {
    CRecordingWnd owner{&ScrollMessages};
    CRecordingWnd parent;
    CVScrollBar bar{14, &owner};
    HBITMAP bms[6] = {};

    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateTopLevel(300, 260));
        ASSERT_TRUE(owner.CreateChild(&parent, {0, 0, 100, 200}));
        bms[0] = MakeSolidBitmap(14, 3, RGB(90, 90, 90));
        bms[1] = MakeSolidBitmap(14, 3, RGB(90, 90, 90));
        bms[2] = MakeSolidBitmap(14, 12, RGB(0, 160, 0));
        bms[3] = MakeSolidBitmap(14, 12, RGB(160, 0, 0));
        bms[4] = MakeSolidBitmap(14, 7, RGB(40, 40, 40));
        bms[5] = MakeSolidBitmap(10, 20, RGB(220, 220, 220));
        bar.SetBitmaps({bms[0], bms[1], bms[2], bms[3], bms[4], bms[5]}, 0);
        ASSERT_TRUE(bar.Create(L"", WS_CHILD | WS_VISIBLE, {100, 0, 114, 200}, &parent));
        parent.ShowWindow(SW_SHOWNOACTIVATE);
    }
    void TearDown() override
    {
        bar.DestroyWindow();
        for (HBITMAP b : bms) ::DeleteObject(b);
    }
    void SetRange(int max, UINT page, int pos)
    {
        SCROLLINFO si{sizeof(si), SIF_ALL, 0, max, page, pos, 0};
        ::SetScrollInfo(owner.m_hWnd, SB_VERT, &si, TRUE);
        bar.UpdateThumb();
    }
    void Click(int y)
    {
        bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, y));
        bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, y));
        PumpPending();
    }
};
}  // namespace

TEST_F(ScrollFixture, ClicksOnArrowsAndTrackPostTheirCodes)
{
    SetRange(99, 10, 0);
    EXPECT_EQ(bar.ThumbTop(), 15);
    Click(8);  // up arrow
    Click(190);  // down arrow
    Click(120);  // track below the thumb, far from the end
    // Each action is followed by SB_ENDSCROLL when its repeat timer fires,
    // whenever that is; the actions themselves come in order.
    std::vector<RecordedMsg> actions;
    for (const RecordedMsg& m : owner.Log())
        if (m.wParam != SB_ENDSCROLL) actions.push_back(m);
    std::vector<RecordedMsg> expected{{WM_VSCROLL, SB_LINEUP, 0}, {WM_VSCROLL, SB_LINEDOWN, 0},
                                      {WM_VSCROLL, SB_PAGEDOWN, 0}};
    EXPECT_EQ(DiffSequence(expected, actions), "");
}

TEST_F(ScrollFixture, PageDownNearTheEndJumpsToTheLastPage)
{
    SetRange(29, 10, 15);  // 30 rows, 10 in view: the last page starts at row 20
    const int thumb = bar.ThumbTop();
    Click(thumb + 40 < 185 ? thumb + 40 : 184);
    ASSERT_GE(owner.Log().size(), 1u);
    EXPECT_EQ(owner.Log()[0].message, (UINT)WM_VSCROLL);
    EXPECT_EQ(owner.Log()[0].wParam, (WPARAM)MAKEWPARAM(SB_THUMBPOSITION, 20));
    // The jump timer moves the list, then the repeat timer ends the scroll.
    ASSERT_TRUE(PumpUntil([&] { return owner.Count(WM_VSCROLL) >= 2; }));
    EXPECT_EQ(owner.Log()[1].wParam, (WPARAM)SB_ENDSCROLL);
    EXPECT_EQ(::GetScrollPos(owner.m_hWnd, SB_VERT), 20);
}

TEST_F(ScrollFixture, ClickAboveTheThumbPagesUp)
{
    SetRange(99, 10, 50);
    Click(bar.ThumbTop() - 5);
    ASSERT_GE(owner.Log().size(), 1u);
    EXPECT_EQ(owner.Log()[0].wParam, (WPARAM)SB_PAGEUP);
}

TEST_F(ScrollFixture, UpArrowPressedAndReleasedOverDownArrowDoesNothing)
{
    SetRange(99, 10, 0);
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 8));
    bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 190));
    PumpPending();
    EXPECT_EQ(owner.Count(WM_VSCROLL), 0);
}

TEST_F(ScrollFixture, DraggingTheThumbTracksThePosition)
{
    SetRange(99, 10, 0);
    const int thumb = bar.ThumbTop();
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, thumb + 5));
    EXPECT_TRUE(bar.Dragging());
    bar.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 100));
    bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 100));
    PumpPending();
    auto msgs = owner.OnlyMessage(WM_VSCROLL);
    ASSERT_GE(msgs.size(), 1u);
    EXPECT_EQ(LOWORD(msgs[0].wParam), SB_THUMBTRACK);
    int pos = -1;
    DragPosition(bar.Layout(), 100 - bar.Layout().halfThumb, 90, pos);
    EXPECT_EQ(HIWORD(msgs[0].wParam), pos);
    EXPECT_FALSE(bar.Dragging());
}

TEST_F(ScrollFixture, ListOfOnePageShowsAnEmptyBarAndDraggingPostsNothing)
{
    SetRange(9, 10, 0);
    EXPECT_EQ(bar.ThumbTop(), bar.Layout().trackTop);
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, bar.ThumbTop() + 2));
    bar.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(5, 120));
    bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 120));
    PumpPending();
    // Only the end of the scroll (the repeat timer after any drag) may come.
    for (const RecordedMsg& m : owner.Log()) EXPECT_EQ(m.wParam, (WPARAM)SB_ENDSCROLL);
    CapturedImage img;
    ASSERT_TRUE(CaptureWindow(bar.m_hWnd, img));
    EXPECT_EQ(img.Pixel(7, 5), RGB(0, 0, 0));  // nothing drawn but the background

    SetRange(10, 10, 0);  // one row more than fits: the bar is drawn
    ASSERT_TRUE(CaptureWindow(bar.m_hWnd, img));
    EXPECT_EQ(img.Pixel(7, bar.ThumbTop() + 10), RGB(220, 220, 220));
}

TEST_F(ScrollFixture, DrawsEndsArrowsSpanAndThumb)
{
    SetRange(99, 10, 45);
    CapturedImage img;
    ASSERT_TRUE(CaptureWindow(bar.m_hWnd, img));
    EXPECT_EQ(img.Pixel(7, 1), RGB(90, 90, 90));
    EXPECT_EQ(img.Pixel(7, 8), RGB(0, 160, 0));
    EXPECT_EQ(img.Pixel(7, 190), RGB(160, 0, 0));
    EXPECT_EQ(img.Pixel(7, bar.ThumbTop() + 10), RGB(220, 220, 220));
    EXPECT_EQ(img.Pixel(1, bar.ThumbTop() + 10), RGB(40, 40, 40));  // span beside the narrower thumb
    SaveCapture(bar.m_hWnd, L"widgets_scrollbar");
}

TEST(VScrollBarCreate, FailsWithoutBitmapsOrRoom)
{
    CRecordingWnd parent;
    ASSERT_TRUE(parent.CreateTopLevel(100, 100));
    CVScrollBar bare(10, &parent);
    EXPECT_FALSE(bare.Create(L"", WS_CHILD, {0, 0, 10, 80}, &parent));
    HBITMAP b = MakeSolidBitmap(10, 30, RGB(1, 2, 3));
    CVScrollBar tight(10, &parent);
    tight.SetBitmaps({b, b, b, b, b, b}, 0);
    EXPECT_FALSE(tight.Create(L"", WS_CHILD, {0, 0, 10, 80}, &parent));
    ::DeleteObject(b);
}
