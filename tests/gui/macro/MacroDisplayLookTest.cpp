// The macro display as a page shows it, loaded through the skin loader with
// its border picture, event pictures and scroll bar: recording, after
// recording, and the read-only display in the middle of a playback.
#include <gtest/gtest.h>

#include "Capture.h"
#include "KeywordTables.h"
#include "MacroDisplayItem.h"
#include "RecordingWnd.h"
#include "SkinLoader.h"
#include "SkinTestFiles.h"

namespace {

const char kPage[] = R"(<?xml version="1.0" encoding="utf-8"?>
<ITEMLIST>
  <MACRODISPLAYLIST>
    <MACRODISPLAY name="MACRO_DISPLAY" bdrwidth="2" lmargin="3" fontclr="WHITE" backclr="BLACK"
                  backclrhi="RED" fontclrhi="BLACK" bdrclr="WHITE">
      <BMPINFO name="BMPINFO_MACRODISPLAY"><SBMN>md_frame.bmp</SBMN>
        <RECT left="6" top="6" right="268" bottom="148"/></BMPINFO>
      <VSCROLL><VSBMP_TOP>md_end.bmp</VSBMP_TOP><VSBMP_BOT>md_end.bmp</VSBMP_BOT>
        <VSBMP_AUP>md_up.bmp</VSBMP_AUP><VSBMP_ADN>md_down.bmp</VSBMP_ADN>
        <VSBMP_SPN>md_span.bmp</VSBMP_SPN><VSBMP_TMB>md_thumb.bmp</VSBMP_TMB></VSCROLL>
      <RECT left="10" top="10" right="254" bottom="134"/>
      <MDBMP_KEYDN>md_keydn.bmp</MDBMP_KEYDN><MDBMP_KEYUP>md_keyup.bmp</MDBMP_KEYUP>
      <MDBMP_MSE>md_mse.bmp</MDBMP_MSE><MDBMP_MSEH>md_mseh.bmp</MDBMP_MSEH>
      <MDBMP_CLK>md_clk.bmp</MDBMP_CLK><MDBMP_CLKH>md_clkh.bmp</MDBMP_CLKH>
      <LISTCOLUMN name="LCITEM_MCREVENT_ICON" type="ICON" width="30"/>
      <LISTCOLUMN name="LCITEM_MCREVENT_DESCRIP" type="STATIC" width="214"/>
    </MACRODISPLAY>
    <MACRODISPLAY name="MACRO_DISPLAY_READONLY" readonly="1" bdrwidth="1" fontclr="WHITE" backclr="BLUE_KX_PROFILE_HIGHLIGHT"
                  bdrclr="WHITE">
      <RECT left="10" top="160" right="254" bottom="80"/>
      <MDBMP_KEYDN>md_keydn.bmp</MDBMP_KEYDN><MDBMP_KEYUP>md_keyup.bmp</MDBMP_KEYUP>
      <MDBMP_MSE>md_mse.bmp</MDBMP_MSE><MDBMP_MSEH>md_mseh.bmp</MDBMP_MSEH>
      <MDBMP_CLK>md_clk.bmp</MDBMP_CLK><MDBMP_CLKH>md_clkh.bmp</MDBMP_CLKH>
      <LISTCOLUMN name="LCITEM_MCREVENT_ICON" type="ICON" width="30"/>
      <LISTCOLUMN name="LCITEM_MCREVENT_DESCRIP" type="STATIC" width="212"/>
    </MACRODISPLAY>
  </MACRODISPLAYLIST>
</ITEMLIST>
)";

DWORD Rgb(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

void Picture(const wchar_t* name, int w, int h, COLORREF fill, COLORREF frame)
{
    WriteBmp24(TestProgramFolder() + L"skins\\" + name, w, h, [=](int x, int y) {
        return Rgb(x < 1 || y < 1 || x >= w - 1 || y >= h - 1 ? frame : fill);
    });
}

DWORD g_now = 0;
DWORD ScriptedTick() { return g_now; }

RAWKEYBOARD Key(USHORT make, bool up)
{
    RAWKEYBOARD k{};
    k.MakeCode = make;
    k.Flags = up ? RI_KEY_BREAK : RI_KEY_MAKE;
    k.VKey = (USHORT)::MapVirtualKeyW(make, MAPVK_VSC_TO_VK);
    return k;
}

constexpr COLORREF kPageColour = RGB(64, 64, 64);

class MacroLook : public ::testing::Test {
protected:
    void SetUp() override
    {
        BuildKeywordMaps();
        ASSERT_TRUE(page.CreateTopLevel(280, 250, L"macro display"));
        // The page shows its children in its own capture, each over the
        // ones created before it, as the screen shows them.
        page.m_answer = [this](UINT m, WPARAM w, LPARAM, LRESULT* r) {
            if (m != WM_PRINTCLIENT) return false;
            PrintPage((HDC)w);
            *r = 0;
            return true;
        };
        ScopedTestProgramFolder folder;
        Picture(L"md_frame.bmp", 262, 142, RGB(30, 30, 30), RGB(0, 200, 200));
        Picture(L"md_end.bmp", 12, 3, RGB(90, 90, 90), RGB(90, 90, 90));
        Picture(L"md_up.bmp", 12, 12, RGB(0, 160, 0), RGB(0, 0, 0));
        Picture(L"md_down.bmp", 12, 12, RGB(160, 0, 0), RGB(0, 0, 0));
        Picture(L"md_span.bmp", 12, 6, RGB(40, 40, 40), RGB(40, 40, 40));
        Picture(L"md_thumb.bmp", 10, 18, RGB(220, 220, 220), RGB(0, 0, 0));
        Picture(L"md_keydn.bmp", 24, 16, RGB(0, 160, 0), RGB(0, 0, 0));
        Picture(L"md_keyup.bmp", 24, 16, RGB(160, 0, 0), RGB(0, 0, 0));
        Picture(L"md_mse.bmp", 24, 16, RGB(0, 0, 200), RGB(0, 0, 0));
        Picture(L"md_mseh.bmp", 24, 16, RGB(120, 120, 255), RGB(255, 255, 255));
        Picture(L"md_clk.bmp", 24, 16, RGB(120, 120, 120), RGB(0, 0, 0));
        Picture(L"md_clkh.bmp", 24, 16, RGB(200, 200, 200), RGB(255, 255, 255));
        ASSERT_TRUE(WriteUtf8(TestProgramFolder() + L"xml\\MacroLook.xml", kPage));
        ASSERT_TRUE(LoadSkinPage(&items, L"MacroLook.xml", &page, false));
        md = Item(L"MACRO_DISPLAY");
        ro = Item(L"MACRO_DISPLAY_READONLY");
        ASSERT_NE(nullptr, md);
        ASSERT_NE(nullptr, ro);
        md->m_tick = &ScriptedTick;
        page.ShowWindow(SW_SHOWNOACTIVATE);
    }
    void TearDown() override
    {
        if (md && md->IsRecording()) md->ToggleRecording();
        items.DeleteAll();
        page.DestroyWindow();
    }
    CMacroDisplayItem* Item(const wchar_t* name)
    {
        CGUIItem* item = items.FindById(FindItemIdByName(name));
        return item && item->m_type == ITEM_MACRODISPLAY ? static_cast<CMacroDisplayItem*>(item) : nullptr;
    }
    void PrintPage(HDC dc)
    {
        RECT c{};
        page.GetClientRect(&c);
        HBRUSH b = ::CreateSolidBrush(kPageColour);
        ::FillRect(dc, &c, b);
        ::DeleteObject(b);
        for (HWND w = ::GetWindow(page.m_hWnd, GW_CHILD) ? ::GetWindow(::GetWindow(page.m_hWnd, GW_CHILD), GW_HWNDLAST)
                                                          : nullptr;
             w; w = ::GetWindow(w, GW_HWNDPREV)) {
            if (!::IsWindowVisible(w)) continue;
            RECT r{};
            ::GetWindowRect(w, &r);
            ::MapWindowPoints(nullptr, page.m_hWnd, reinterpret_cast<POINT*>(&r), 2);
            const int saved = ::SaveDC(dc);
            ::IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
            ::SetViewportOrgEx(dc, r.left, r.top, nullptr);
            ::SendMessageW(w, WM_PRINT, (WPARAM)dc, PRF_CLIENT | PRF_NONCLIENT | PRF_ERASEBKGND);
            ::RestoreDC(dc, saved);
        }
    }
    // A point of the page's capture, given in the list's client coordinates.
    POINT OnPage(CWnd& list, int x, int y)
    {
        POINT p{x, y};
        ::MapWindowPoints(list.m_hWnd, page.m_hWnd, &p, 1);
        return p;
    }

    CRecordingWnd page;
    CGUIItems items;
    CMacroDisplayItem* md = nullptr;
    CMacroDisplayItem* ro = nullptr;
};

}  // namespace

TEST_F(MacroLook, RecordingThenTheRecordedMacroWithItsScrollBar)
{
    // The list sits inside the border picture, at the element's rectangle.
    RECT list{};
    md->GetWindowRect(&list);
    ::MapWindowPoints(nullptr, page.m_hWnd, reinterpret_cast<POINT*>(&list), 2);
    EXPECT_EQ(10, list.left);
    EXPECT_EQ(10, list.top);
    ASSERT_NE(nullptr, md->ScrollBar());

    g_now = 1000;
    ASSERT_TRUE(md->ToggleRecording());
    const USHORT keys[] = {0x1E, 0x30, 0x2E, 0x20};
    for (USHORT k : keys) {
        md->RecordRawKeyboard(Key(k, false));
        g_now += 120;
        md->RecordRawKeyboard(Key(k, true));
        g_now += 250;
    }
    RAWMOUSE click{};
    click.usButtonFlags = RI_MOUSE_LEFT_BUTTON_DOWN;
    md->RecordRawMouse(click);
    PumpPending();
    EXPECT_FALSE(md->ScrollBar()->IsWindowVisible());  // hidden while recording
    SaveCapture(page.m_hWnd, L"macro_recording");
    CapturedImage img;
    ASSERT_TRUE(CaptureWindow(page.m_hWnd, img));
    // The last event (the click) is the selected row, in view at the bottom.
    const int last = md->GetItemCount() - 1;
    RECT row{};
    ASSERT_TRUE(md->GetItemRect(last, &row, LVIR_BOUNDS));
    POINT text = OnPage(*md, 200, (row.top + row.bottom) / 2);
    EXPECT_EQ(RGB(255, 0, 0), img.Pixel(text.x, text.y));
    POINT icon = OnPage(*md, 3 + 12, row.top + 8);  // left margin 3
    EXPECT_EQ(RGB(120, 120, 255), img.Pixel(icon.x, icon.y));  // the selected mouse picture

    md->ToggleRecording();
    md->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 0));
    md->DeselectItem();
    PumpPending();
    EXPECT_TRUE(md->ScrollBar()->IsWindowVisible());
    SaveCapture(page.m_hWnd, L"macro_recorded_scrollbar");
    ASSERT_TRUE(CaptureWindow(page.m_hWnd, img));
    ASSERT_TRUE(md->GetItemRect(1, &row, LVIR_BOUNDS));
    POINT delay = OnPage(*md, 3 + 12, row.top + 8);
    EXPECT_EQ(RGB(120, 120, 120), img.Pixel(delay.x, delay.y));  // a delay, not selected
    // The bar beside the list shows its thumb near the top.
    RECT bar{};
    md->ScrollBar()->GetWindowRect(&bar);
    ::MapWindowPoints(nullptr, page.m_hWnd, reinterpret_cast<POINT*>(&bar), 2);
    EXPECT_EQ(list.right, bar.left);
    EXPECT_EQ(RGB(220, 220, 220), img.Pixel(bar.left + 6, bar.top + 3 + 12 + 5));
}

TEST_F(MacroLook, PlaybackShowsRowsOnTheReadOnlyDisplay)
{
    ro->StartPlayback({{MacroEvent::kKey, 0x1E | ('A' << 16), MacroEvent::kPress},
                       {MacroEvent::kMouseButton, 2, MacroEvent::kPress},
                       {MacroEvent::kDelay, 5000, 5000},
                       {MacroEvent::kKey, 0x1E | ('A' << 16), MacroEvent::kRelease}});
    PumpPending();
    ASSERT_EQ(2, ro->GetItemCount());  // up to the delay, which is not shown
    SaveCapture(page.m_hWnd, L"macro_playback");
    CapturedImage img;
    ASSERT_TRUE(CaptureWindow(page.m_hWnd, img));
    // Below the rows the display's own background, not the surface's white.
    POINT below = OnPage(*ro, 100, 60);
    EXPECT_EQ(0x3D1B00u, img.Pixel(below.x, below.y));
    RECT row{};
    ASSERT_TRUE(ro->GetItemRect(0, &row, LVIR_BOUNDS));
    POINT key = OnPage(*ro, 12, row.top + 8);
    EXPECT_EQ(RGB(0, 160, 0), img.Pixel(key.x, key.y));
}

TEST_F(MacroLook, OnScreenTheListPaintsThroughItsBuffer)
{
    md->SetEvents({{MacroEvent::kKey, 0x1E | ('A' << 16), MacroEvent::kPress},
                   {MacroEvent::kDelay, 5000, 5000},
                   {MacroEvent::kMouseButton, 2, MacroEvent::kPress}});
    ::RedrawWindow(page.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpPending();
    RECT row{};
    ASSERT_TRUE(md->GetItemRect(2, &row, LVIR_BOUNDS));
    // Read back from the window itself, not the screen: other windows
    // cannot cover it there.
    HDC dc = ::GetDC(md->m_hWnd);
    EXPECT_EQ(RGB(255, 0, 0), ::GetPixel(dc, 200, (row.top + row.bottom) / 2));      // selected row
    EXPECT_EQ(RGB(120, 120, 255), ::GetPixel(dc, 3 + 12, row.top + 8));              // its picture
    EXPECT_EQ(RGB(0, 0, 0), ::GetPixel(dc, 100, row.bottom + 20));                   // below the rows
    ::ReleaseDC(md->m_hWnd, dc);
}
