// The stage slider and the marker gauge as windows.
#include <gtest/gtest.h>

#include "APMSlider.h"
#include "RecordingWnd.h"
#include "TestBitmaps.h"
#include "TreeCapture.h"
#include "WidgetMessages.h"

namespace {

const int kStageSliderId = 91;
const int kMarkerId = 92;

CAPMTicker* MakeTicker(CAPMSlider& slider, int id, const RECT& rect)
{
    CAPMTicker* t = new CAPMTicker();
    t->m_id = id;
    SetValueRange(t->Geometry(), slider.RangeMin(), slider.RangeMax());
    t->Create(MakeSolidBitmap(8, 20, RGB(240, 240, 240), RGB(0, 0, 0)), &slider, nullptr, nullptr, false, rect);
    slider.AddStage(t);
    return t;
}

}  // namespace

TEST(StageSliderWindow, WithoutStagesAClickReportsStageZero)
{
    CRecordingWnd page;
    ASSERT_TRUE(page.CreateTopLevel(300, 120));
    CAPMSlider slider;
    slider.m_id = kStageSliderId;
    ASSERT_TRUE(slider.Create(&page, MakeSolidBitmap(200, 20, RGB(128, 128, 128)), 1, 32, {50, 20, 250, 40}));
    EXPECT_EQ(ITEM_APMSLIDER, slider.m_type);
    slider.SetDefaultStages();
    slider.RemoveTickerCapRanges();
    slider.BuildGreyColours();
    EXPECT_EQ(std::vector<COLORREF>{0}, slider.Colours());
    ::SendMessageW(slider.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(150, 10));
    PumpPending();
    // Parent and creating owner are the same window: it hears once.
    std::vector<RecordedMsg> expected = {{WM_APMSLIDER_RELEASED, 0, kStageSliderId}};
    EXPECT_EQ("", DiffSequence(expected, page.Log()));
}

TEST(StageSliderWindow, StagesSpreadCapAndReportTheClickedSegment)
{
    CRecordingWnd page;
    ASSERT_TRUE(page.CreateTopLevel(320, 120));
    page.ShowWindow(SW_SHOWNOACTIVATE);
    CAPMSlider slider;
    slider.m_id = kStageSliderId;
    ASSERT_TRUE(slider.Create(&page, MakeGradientBitmap(248, 20, RGB(255, 255, 255), RGB(255, 0, 0)), 1, 32,
                              {40, 20, 288, 40}));
    RECT thumbRect{4, 0, 244, 20};  // the thumbs' centres run from x 4 to 244
    for (int i = 0; i < 3; ++i)
        MakeTicker(slider, 300 + i, thumbRect);
    slider.SetDefaultStages();
    EXPECT_EQ((std::vector<int>{8, 15, 22}), slider.StageValues());
    slider.SetTickerCapRanges();
    // Caps are stored clamped into positions 0..31 (values 1..32).
    EXPECT_EQ(1, slider.Stage(0)->CapMin());
    EXPECT_EQ(15, slider.Stage(0)->CapMax());
    EXPECT_EQ(10, slider.Stage(1)->CapMin());
    slider.BuildGreyColours();
    ASSERT_EQ(4u, slider.Colours().size());

    // A click at value ~16 (middle of the track) lies in segment 2.
    ::SendMessageW(slider.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(124, 10));
    // A stage change is passed on as a change, whatever the thumb sent.
    ::SendMessageW(slider.m_hWnd, WM_SLIDER_RELEASED, 15, 301);
    PumpPending();
    std::vector<RecordedMsg> expected = {{WM_APMSLIDER_RELEASED, 2, kStageSliderId},
                                         {WM_SLIDER_CHANGING, 15, 301}};
    EXPECT_EQ("", DiffSequence(expected, page.Log()));

    page.UpdateWindow();
    CapturedImage img;
    ASSERT_TRUE(CaptureTree(slider.m_hWnd, img));
    // Left segment black blended with the white end of the picture, the
    // right segment lighter grey.
    COLORREF leftSeg = img.Pixel(20, 2), rightSeg = img.Pixel(230, 2);
    EXPECT_LT(GetGValue(leftSeg), GetGValue(rightSeg) + 100);
    EXPECT_NE(leftSeg, img.Pixel(100, 2));
    SaveTreeCapture(page.m_hWnd, L"widgets_stage_slider");
}

TEST(MarkerWindow, DragsAndReleasesClampIntoTheRange)
{
    CRecordingWnd page;
    ASSERT_TRUE(page.CreateTopLevel(300, 100));
    page.ShowWindow(SW_SHOWNOACTIVATE);
    CDMarker marker;
    RECT r{50, 20, 150, 40};
    ASSERT_TRUE(marker.Create(r, kMarkerId, &page));
    EXPECT_EQ(ITEM_DMARKER, marker.m_type);
    marker.SetBitmaps(MakeSolidBitmap(100, 20, RGB(40, 40, 40)), MakeSolidBitmap(100, 20, RGB(255, 160, 0)), r);
    // Released left of its rectangle: 0; right of it: 10.
    ::SendMessageW(marker.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
    EXPECT_TRUE(marker.Dragging());
    ::SendMessageW(marker.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(55, 5));
    EXPECT_EQ(5, marker.Value());
    ::SendMessageW(marker.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(-30, 5));
    ::SendMessageW(marker.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
    ::SendMessageW(marker.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(400, 5));
    PumpPending();
    std::vector<RecordedMsg> expected = {{WM_DMARKER_RELEASED, 0, kMarkerId}, {WM_DMARKER_RELEASED, 10, kMarkerId}};
    EXPECT_EQ("", DiffSequence(expected, page.Log()));
    EXPECT_FALSE(marker.Dragging());

    // A moving mouse without a press changes nothing; a disabled marker
    // neither drags nor reports.
    ::SendMessageW(marker.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(20, 5));
    EXPECT_EQ(10, marker.Value());
    marker.SetEnabled(false);
    page.Clear();
    ::SendMessageW(marker.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
    ::SendMessageW(marker.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(10, 5));
    PumpPending();
    EXPECT_TRUE(page.Log().empty());

    marker.SetValue(3);
    page.UpdateWindow();
    CapturedImage img;
    ASSERT_TRUE(CaptureWindow(marker.m_hWnd, img));
    EXPECT_EQ(RGB(255, 160, 0), img.Pixel(10, 10));
    EXPECT_EQ(RGB(40, 40, 40), img.Pixel(60, 10));
    SaveTreeCapture(page.m_hWnd, L"widgets_marker");
}

TEST(MarkerWindow, WithoutRectangleTheValueIsTheMinimum)
{
    CRecordingWnd page;
    ASSERT_TRUE(page.CreateTopLevel(300, 100));
    CDMarker marker;
    ASSERT_TRUE(marker.Create({0, 0, 0, 0}, kMarkerId, &page));
    ::SendMessageW(marker.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    ::SendMessageW(marker.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(40, 0));
    ::SendMessageW(marker.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(40, 0));
    PumpPending();
    std::vector<RecordedMsg> expected = {{WM_DMARKER_RELEASED, 0, kMarkerId}};
    EXPECT_EQ("", DiffSequence(expected, page.Log()));
}
