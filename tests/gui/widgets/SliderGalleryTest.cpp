// The slider gallery page: a track with fill and a multi-thumb slider, a
// vertical slider, a stage slider on a bitmap item, a marker, a DPI stage
// tile and a progress panel, all loaded from one XML page and captured.
#include <gtest/gtest.h>

#include <string>

#include "APMSlider.h"
#include "DPIStageWindow.h"
#include "KeywordTables.h"
#include "PageItems.h"
#include "PaintCheck.h"
#include "ProgressPanelItem.h"
#include "RecordingWnd.h"
#include "SkinLoader.h"
#include "SkinTestFiles.h"
#include "Slider.h"
#include "SliderHMulti.h"
#include "SliderTrack.h"
#include "TreeCapture.h"
#include "WidgetMessages.h"

namespace {

DWORD Rgb(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

void Solid(const wchar_t* name, int w, int h, COLORREF fill, COLORREF frame = CLR_INVALID)
{
    WriteBmp24(TestProgramFolder() + L"skins\\" + name, w, h, [=](int x, int y) {
        const bool edge = x < 1 || y < 1 || x >= w - 1 || y >= h - 1;
        return Rgb(edge && frame != CLR_INVALID ? frame : fill);
    });
}

// A thumb whose corners carry the key colour (magenta): cut out by the loader.
void Thumb(const wchar_t* name, int w, int h, COLORREF fill)
{
    WriteBmp24(TestProgramFolder() + L"skins\\" + name, w, h, [=](int x, int y) {
        const bool corner = (x < 2 || x >= w - 2) && (y < 2 || y >= h - 2);
        return Rgb(corner ? RGB(255, 0, 255) : fill);
    });
}

const char* kGallery = R"(<?xml version="1.0" encoding="utf-8"?>
<ITEMLIST>
  <BITMAPLIST>
    <SLIDERTRACK name="BITMAP_STAGECOUNT_DISPLAY">
      <SBMN>s2_track.bmp</SBMN>
      <FILLINFO fillclr="RED"><RECT left="6" top="12" right="288" bottom="6"/></FILLINFO>
      <RECT left="10" top="10" right="300" bottom="30"/>
    </SLIDERTRACK>
    <SLIDERTRACK name="SLIDER_DPI_MULTI_POPUP">
      <SBMN>s2_vtrack.bmp</SBMN>
      <RECT left="330" top="10" right="30" bottom="140"/>
    </SLIDERTRACK>
    <BITMAPITEM name="BITMAP_BACKGROUND_RECT" moveable="0">
      <SBMN>s2_stagetrack.bmp</SBMN>
      <RECT left="10" top="60" right="300" bottom="30"/>
    </BITMAPITEM>
  </BITMAPLIST>
  <SLIDERLIST>
    <HSLIDERM name="SLIDER_DPI_MULTI" trackid="BITMAP_STAGECOUNT_DISPLAY" ttprefix="DPI " multiplier="100">
      <STAGES><STAGE>SLIDER_DPI_MULTI_STAGE1</STAGE></STAGES>
      <SBMN>s2_thumb.bmp</SBMN><SBMO>s2_thumb_o.bmp</SBMO>
      <RECT left="6" top="3" right="282" bottom="24"/>
    </HSLIDERM>
    <VSLIDER name="SLIDER_DPI_MULTI_Y" trackid="SLIDER_DPI_MULTI_POPUP" ttpos="R">
      <SBMN>s2_vthumb.bmp</SBMN><SBMO>s2_vthumb.bmp</SBMO>
      <RECT left="3" top="6" right="24" bottom="128"/>
    </VSLIDER>
    <HSLIDERMAPM name="SLIDER_ACCEL_STAGE1" trackid="BITMAP_BACKGROUND_RECT" tooltip="Stages">
      <RECT left="0" top="0" right="300" bottom="30"/>
    </HSLIDERMAPM>
    <DMARKER name="SLIDER_DPI_MULTI_X">
      <SBMN>s2_marker_bg.bmp</SBMN><MARK>s2_marker.bmp</MARK>
      <RECT left="10" top="100" right="200" bottom="20"/>
    </DMARKER>
  </SLIDERLIST>
  <DPISTAGELIST>
    <DPISTAGEWINDOW name="DPISTAGEWINDOW_01">
      <BMPINFO name="DPIFRAME"><BMPDATA>s2_frame.bmp</BMPDATA><RECT left="0" top="0" right="90" bottom="100"/></BMPINFO>
      <BMPINFO name="DPIWIN"><BMPDATA>s2_win.bmp</BMPDATA><RECT left="10" top="55" right="70" bottom="25"/></BMPINFO>
      <TEXTAREA name="HEADING" textkey="Stage 1"><RECT left="0" top="5" right="90" bottom="20"/></TEXTAREA>
      <TEXTAREA name="DPI" textkey="DPI"><RECT left="10" top="30" right="70" bottom="20"/></TEXTAREA>
      <RECT left="380" top="10" right="90" bottom="100"/>
    </DPISTAGEWINDOW>
  </DPISTAGELIST>
  <PROGRESSPANELLIST>
    <PROGRESSPANELITEM name="SLIDER_DPI_MULTI_X_POPUP" backclr="BLACK">
      <FILLINFO fillclr="RED" backclr="WHITE"><RECT left="10" top="30" right="200" bottom="10"/></FILLINFO>
      <TEXTINFOLIST>
        <TEXTINFO name="PP_HEADING" textkey="Loading"><RECT left="10" top="5" right="200" bottom="20"/></TEXTINFO>
        <TEXTINFO name="PP_PERCENT"><RECT left="220" top="25" right="50" bottom="20"/></TEXTINFO>
      </TEXTINFOLIST>
      <RECT left="10" top="160" right="290" bottom="50"/>
    </PROGRESSPANELITEM>
  </PROGRESSPANELLIST>
</ITEMLIST>
)";

}  // namespace

TEST(SliderGallery, EveryElementLoadsDrawsAndWorks)
{
    BuildKeywordMaps();
    CRecordingWnd page;
    ASSERT_TRUE(page.CreateEx(0, CWnd::RegisterClassOnce(CS_DBLCLKS, nullptr, (HBRUSH)::GetStockObject(DKGRAY_BRUSH)),
                              L"slider gallery", WS_POPUP | WS_CLIPCHILDREN, 10, 10, 480, 230, nullptr,
                              nullptr));
    // Shown without activation: other test programs running meanwhile send
    // keys to whichever window is active.
    page.ShowWindow(SW_SHOWNOACTIVATE);
    CGUIItems items;
    {
        ScopedTestProgramFolder folder;
        Solid(L"s2_track.bmp", 300, 30, RGB(50, 50, 50), RGB(140, 140, 140));
        Solid(L"s2_vtrack.bmp", 30, 140, RGB(50, 50, 50), RGB(140, 140, 140));
        Solid(L"s2_stagetrack.bmp", 300, 30, RGB(255, 255, 255));
        Thumb(L"s2_thumb.bmp", 12, 24, RGB(230, 230, 230));
        Thumb(L"s2_thumb_o.bmp", 12, 24, RGB(255, 230, 0));
        Thumb(L"s2_vthumb.bmp", 24, 12, RGB(0, 200, 255));
        Solid(L"s2_marker_bg.bmp", 300, 200, RGB(20, 20, 80));
        Solid(L"s2_marker.bmp", 300, 200, RGB(0, 220, 120));
        Solid(L"s2_frame.bmp", 90, 100, RGB(40, 40, 70), RGB(160, 160, 220));
        Solid(L"s2_win.bmp", 60, 25, RGB(90, 90, 90));
        ASSERT_TRUE(WriteUtf8(TestProgramFolder() + L"xml\\SliderGallery.xml", kGallery));
        ASSERT_TRUE(LoadSkinPage(&items, L"SliderGallery.xml", &page, false));
    }
    auto* track = FindPageItem<CSliderTrack>(items, L"BITMAP_STAGECOUNT_DISPLAY", ITEM_SLIDERTRACK);
    auto* multi = FindPageItem<CSliderHMulti>(items, L"SLIDER_DPI_MULTI", ITEM_SLIDERHMULTI);
    auto* vertical = FindPageItem<CVertSlider>(items, L"SLIDER_DPI_MULTI_Y", ITEM_VERTSLIDER);
    auto* stages = FindPageItem<CAPMSlider>(items, L"SLIDER_ACCEL_STAGE1", ITEM_APMSLIDER);
    auto* marker = FindPageItem<CDMarker>(items, L"SLIDER_DPI_MULTI_X", ITEM_DMARKER);
    auto* tile = FindPageItem<CDPIStageWindow>(items, L"DPISTAGEWINDOW_01", ITEM_DPISTAGEWINDOW);
    auto* progress = FindPageItem<CProgressPanelItem>(items, L"SLIDER_DPI_MULTI_X_POPUP", ITEM_PROGRESSPANEL);
    ASSERT_TRUE(track && multi && vertical && stages && marker && tile && progress);
    EXPECT_EQ(1, tile->StageNumber());
    EXPECT_TRUE(tile->HasPicture(CDPIStageWindow::FRAME));
    EXPECT_STREQ(L"Stages", stages->Caption());
    // The thumb's corners were cut from its window by the key colour.
    HRGN rgn = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, ::GetWindowRgn(multi->Thumb(0)->m_hWnd, rgn));
    EXPECT_FALSE(::PtInRegion(rgn, 0, 0));
    EXPECT_TRUE(::PtInRegion(rgn, 6, 12));
    ::DeleteObject(rgn);

    multi->SetRange(1, 20);
    multi->SetValue(12);
    EXPECT_STREQ(L"DPI 1200", multi->Thumb(0)->TipText());
    vertical->SetPos(20, true);
    marker->SetValue(6);
    tile->SetStage(true, true, false, 1600, 1600, 1600);
    progress->Start();
    ASSERT_NE(nullptr, progress->Thread());
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(progress->Thread()->ReadyEvent(), kHangTimeoutMs));
    progress->Thread()->PostPercent(64);
    progress->ShowPanel();
    EXPECT_TRUE(PumpUntil([&] { return progress->Thread()->Panel()->Percent() == 64; }));
    page.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);

    CapturedImage img;
    ASSERT_TRUE(CaptureTree(page.m_hWnd, img));
    EXPECT_EQ(RGB(255, 0, 0), img.Pixel(10 + 20, 10 + 15));       // the track's fill, left of the thumb
    EXPECT_EQ(RGB(0, 220, 120), img.Pixel(10 + 20, 100 + 10));     // the marker shown up to 6 of 10
    EXPECT_EQ(RGB(20, 20, 80), img.Pixel(10 + 180, 100 + 10));
    EXPECT_EQ(RGB(255, 0, 0), img.Pixel(10 + 20, 160 + 35));       // the progress bar at 64%
    EXPECT_TRUE(SaveTreeCapture(page.m_hWnd, L"widgets_slider_gallery"));

    // Painting leaves nothing behind (the progress panel's own thread may
    // make an object or two meanwhile; a leak per paint makes 200).
    const PaintCheckResult paints = PaintRepeatedly(page.m_hWnd, 200);
    EXPECT_EQ(0, paints.selectedDeletes);
    EXPECT_LT(paints.gdiGrowth, 10);
    EXPECT_LT(paints.userGrowth, 10);

    // The page hears the sliders through their tracks.
    page.Clear();
    ::SendMessageW(track->m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(150, 15));
    PumpPending();
    EXPECT_EQ(1, page.Count(WM_SLIDERTRACK_RELEASED));
    EXPECT_EQ(1, page.Count(WM_SLIDER_RELEASED));
    items.DeleteAll();  // ends the progress thread too
    page.DestroyWindow();
    RemoveTestProgramFolder();
}
