// Hostile pages: every number a page gives at the end of its range (and just
// past it), and seeded mutations of a page with one of each widget, loaded
// onto a window and painted. Nothing may hang, crash or leave its range.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "DropdownListItem.h"
#include "EditItems.h"
#include "FontItem.h"
#include "KeywordTables.h"
#include "ListPanel.h"
#include "MacroDisplayItem.h"
#include "Mutator.h"
#include "PageItems.h"
#include "RawInput.h"
#include "RecordingWnd.h"
#include "SkinAttributes.h"
#include "SkinLoader.h"
#include "SkinTestFiles.h"
#include "Slider.h"
#include "SliderHMulti.h"

namespace {

// One of each element with numbers, each number a $TOKEN filled in by Page().
const char kTemplate[] = R"(<?xml version="1.0" encoding="utf-8"?>
<ITEMLIST>
  <FONTLIST><FONT name="FONT_ARIAL12" typeface="Arial" pitch="$P" boldlevel="$K" width="$FW"/></FONTLIST>
  <BITMAPLIST>
    <SLIDERTRACK name="BITMAP_STAGECOUNT_DISPLAY"><SBMN>hp_pic.bmp</SBMN>
      <FILLINFO fillclr="RED"><RECT left="$X" top="$Y" right="$W" bottom="$H"/></FILLINFO>
      <RECT left="$X" top="$Y" right="$W" bottom="$H"/></SLIDERTRACK>
    <BITMAPITEM name="BITMAP_BACKGROUND_RECT" moveable="0"><SBMN>hp_pic.bmp</SBMN>
      <RECT left="$X" top="$Y" right="$W" bottom="$H"/></BITMAPITEM>
    <BITMAPWINDOW name="BITMAP_SENSWINDOW1" fontclr="WHITE"><SBMN>hp_pic.bmp</SBMN><SBMO>hp_pic.bmp</SBMO>
      <RECT left="$X" top="$Y" right="$W" bottom="$H"/><BITMAPITEM assntype="$N"><SBMN>hp_pic.bmp</SBMN></BITMAPITEM>
    </BITMAPWINDOW>
  </BITMAPLIST>
  <BUTTONLIST>
    <BUTTON name="BUTTON_OK" caption="OK" fontid="FONT_ARIAL12"><SBMN>hp_pic.bmp</SBMN>
      <RECT left="$X" top="$Y" right="$W" bottom="$H"/></BUTTON>
  </BUTTONLIST>
  <SLIDERLIST>
    <HSLIDERM name="SLIDER_DPI_MULTI" trackid="BITMAP_STAGECOUNT_DISPLAY" multiplier="$MU">
      <STAGES><STAGE>SLIDER_DPI_MULTI_STAGE1</STAGE></STAGES><SBMN>hp_thumb.bmp</SBMN>
      <RECT left="$X" top="$Y" right="$W" bottom="$H"/></HSLIDERM>
    <HSLIDERMAPM name="SLIDER_ACCEL_STAGE1" trackid="BITMAP_BACKGROUND_RECT">
      <RECT left="$X" top="$Y" right="$W" bottom="$H"/></HSLIDERMAPM>
    <DMARKER name="SLIDER_DPI_MULTI_X"><SBMN>hp_pic.bmp</SBMN><MARK>hp_pic.bmp</MARK>
      <RECT left="$X" top="$Y" right="$W" bottom="$H"/></DMARKER>
  </SLIDERLIST>
  <TEXTLIST>
    <TEXTITEM name="TEXT_CURRENTDPI" textkey="A label" fontid="FONT_ARIAL12" fontclr="WHITE">
      <RECT left="$X" top="$Y" right="$W" bottom="$H"/></TEXTITEM>
  </TEXTLIST>
  <DPISTAGELIST>
    <DPISTAGEWINDOW name="DPISTAGEWINDOW_01">
      <BMPINFO name="DPIFRAME"><BMPDATA>hp_pic.bmp</BMPDATA><RECT left="$X" top="$Y" right="$W" bottom="$H"/></BMPINFO>
      <TEXTAREA name="HEADING" textkey="Stage"><RECT left="$X" top="$Y" right="$W" bottom="$H"/></TEXTAREA>
      <RECT left="$X" top="$Y" right="$W" bottom="$H"/></DPISTAGEWINDOW>
  </DPISTAGELIST>
  <MACRODISPLAYLIST>
    <MACRODISPLAY name="MACRO_DISPLAY" max="$N" bdrwidth="$B" lmargin="$M" fontclr="WHITE" backclr="BLACK">
      <VSCROLL bdrwidth="$B"><VSBMP_SPN>hp_pic.bmp</VSBMP_SPN><VSBMP_TMB>hp_thumb.bmp</VSBMP_TMB></VSCROLL>
      <RECT left="$X" top="$Y" right="$W" bottom="$H"/>
      <LISTCOLUMN name="LCITEM_MCREVENT_ICON" type="ICON" width="$CW"/>
      <LISTCOLUMN name="LCITEM_MCREVENT_DESCRIP" type="STATIC" width="$CW"/></MACRODISPLAY>
  </MACRODISPLAYLIST>
  <LISTLIST>
    <LISTCTRL name="LIST_PROFILELIST" bdrwidth="$B" fontclr="WHITE" backclr="BLACK"><LISTHDR backclr="RED"/>
      <VSCROLL bdrwidth="$B"><VSBMP_SPN>hp_pic.bmp</VSBMP_SPN><VSBMP_TMB>hp_thumb.bmp</VSBMP_TMB></VSCROLL>
      <RECT left="$X" top="$Y" right="$W" bottom="$H"/>
      <LISTCOLUMN name="LCITEM_PROFILENAME" type="EDIT" width="$CW">Name</LISTCOLUMN>
      <LISTCOLUMN name="LCITEM_PROFILEEXE" type="STATIC" width="$CW">Program</LISTCOLUMN></LISTCTRL>
    <COMBO name="COMBO" bdrwidth="$B" lmargin="$M" rmargin="$M" fontclr="WHITE" backclr="BLACK">
      <CLIST height="$LH"/><CBOX><RECT left="$X" top="$Y" right="$W" bottom="$H"/></CBOX>
      <COMBOITEMS><COMBOITEM>One</COMBOITEM></COMBOITEMS></COMBO>
    <COMBOCOLOR name="DROPDOWN_MOUSE_COLOR" bdrwidth="$B"><CLIST height="$LH"/>
      <CBOX><RECT left="$X" top="$Y" right="$W" bottom="$H"/></CBOX></COMBOCOLOR>
  </LISTLIST>
  <LISTPANELLIST>
    <LISTPANEL name="LIST_GLOBALPROFILELIST" dynamic="0" bdrwidth="$B" lmargin="$M" rmargin="$M">
      <LISTPANELITEMS><LISTPANELITEM>Profile 1</LISTPANELITEM></LISTPANELITEMS><CLIST height="$LH"/>
      <RECT left="$X" top="$Y" right="$W" bottom="$H"/></LISTPANEL>
  </LISTPANELLIST>
  <EDITCTRLLIST>
    <EDITCTRL name="EDITCTRL_POPUP_NUMENTRY" bdrwidth="$B" max="$N"><RECT left="$X" top="$Y" right="$W" bottom="$H"/></EDITCTRL>
    <EDITCTRLSKMMO name="EDITCTRL_POPUP_SINGLEKEYENTRY" bdrwidth="$B"><RECT left="$X" top="$Y" right="$W" bottom="$H"/></EDITCTRLSKMMO>
  </EDITCTRLLIST>
  <PROGRESSPANELLIST>
    <PROGRESSPANELITEM name="SLIDER_DPI_MULTI_X_POPUP" bdrwidth="$B">
      <FILLINFO fillclr="RED"><RECT left="$X" top="$Y" right="$W" bottom="$H"/></FILLINFO>
      <RECT left="$X" top="$Y" right="$W" bottom="$H"/></PROGRESSPANELITEM>
  </PROGRESSPANELLIST>
</ITEMLIST>
)";

using Values = std::vector<std::pair<std::string, long long>>;

// Longer tokens first, so that $W is not taken for the start of $FW.
std::string Page(const Values& values)
{
    std::string page = kTemplate;
    for (const auto& v : values) {
        const std::string token = "$" + v.first;
        for (size_t at; (at = page.find(token)) != std::string::npos;)
            page.replace(at, token.size(), std::to_string(v.second));
    }
    return page;
}

// Every number at the given end of its kind's range (with `past` added).
Values AtTheEnds(bool maximum, long long past, long long coordinate)
{
    auto end = [&](SkinNumber kind) {
        const SkinNumberRange r = RangeOf(kind);
        return (maximum ? r.max : r.min) + (maximum ? past : -past);
    };
    return {{"FW", end(SkinNumber::FontWidth)}, {"CW", end(SkinNumber::Extent)}, {"LH", end(SkinNumber::Extent)},
            {"MU", end(SkinNumber::Multiplier)}, {"X", coordinate},           {"Y", coordinate},
            {"W", end(SkinNumber::Coordinate)}, {"H", end(SkinNumber::Coordinate)}, {"B", end(SkinNumber::BorderWidth)},
            {"M", end(SkinNumber::Extent)},      {"N", end(SkinNumber::Count)}, {"P", end(SkinNumber::FontHeight)},
            {"K", end(SkinNumber::FontWeight)}};
}

class HostilePage : public ::testing::Test {
protected:
    void SetUp() override
    {
        BuildKeywordMaps();
        ASSERT_TRUE(page.CreateEx(0, CWnd::RegisterClassOnce(0, nullptr, (HBRUSH)::GetStockObject(DKGRAY_BRUSH)),
                                  L"hostile page", WS_POPUP | WS_CLIPCHILDREN, 10, 10, 500, 300, nullptr, nullptr));
        page.ShowWindow(SW_SHOWNOACTIVATE);
        const std::wstring f = TestProgramFolder();
        WriteBmp24(f + L"skins\\hp_pic.bmp", 40, 30, [](int x, int y) { return (x * 7 + y * 5) * 0x010203u; });
        WriteBmp24(f + L"skins\\hp_thumb.bmp", 10, 20, [](int, int) { return 0xC0C0C0u; });
    }
    void TearDown() override
    {
        items.DeleteAll();
        page.DestroyWindow();
        UnregisterRawInput();
    }
    // Loads the page onto the window and paints all of it; false when the
    // page did not load.
    bool LoadAndPaint(const std::string& xml)
    {
        items.DeleteAll();
        UnregisterRawInput();
        if (!WriteUtf8(TestProgramFolder() + L"xml\\HostilePage.xml", xml))
            return false;
        const bool loaded = LoadSkinPage(&items, L"HostilePage.xml", &page, false);
        page.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpPending();
        return loaded;
    }
    template <typename T>
    T* Item(const wchar_t* name, int type) { return FindPageItem<T>(items, name, type); }

    ScopedTestProgramFolder folder;
    CRecordingWnd page;
    CGUIItems items;
};

}  // namespace

TEST_F(HostilePage, NumbersAtAndPastTheirRangesAreHeldThere)
{
    for (long long past : {0LL, 1LL, 4294967296LL}) {
        SCOPED_TRACE(past);
        ASSERT_TRUE(LoadAndPaint(Page(AtTheEnds(true, past, 0))));
        auto* font = Item<CFontItem>(L"FONT_ARIAL12", ITEM_FONT);
        auto* edit = Item<CEditItem>(L"EDITCTRL_POPUP_NUMENTRY", ITEM_EDIT);
        auto* combo = Item<CDropdownListItem>(L"COMBO", ITEM_DROPDOWNLIST);
        auto* panel = Item<CListPanelItem>(L"LIST_GLOBALPROFILELIST", ITEM_LISTPANEL);
        auto* macro = Item<CMacroDisplayItem>(L"MACRO_DISPLAY", ITEM_MACRODISPLAY);
        auto* slider = Item<CSliderHMulti>(L"SLIDER_DPI_MULTI", ITEM_SLIDERHMULTI);
        ASSERT_TRUE(font && edit && combo && panel && macro && slider);
        LOGFONTW lf{};
        ASSERT_TRUE(font->GetLogFont(&lf));
        EXPECT_EQ(RangeOf(SkinNumber::FontHeight).max, lf.lfHeight);
        EXPECT_EQ(RangeOf(SkinNumber::FontWeight).max, lf.lfWeight);
        EXPECT_EQ(RangeOf(SkinNumber::FontWidth).max, lf.lfWidth);
        const int border = RangeOf(SkinNumber::BorderWidth).max;
        EXPECT_EQ(border, edit->m_borderWidth);
        EXPECT_EQ(RangeOf(SkinNumber::Count).max, (int)edit->SendMessage(EM_GETLIMITTEXT));
        EXPECT_EQ(border, combo->m_borderWidth);
        EXPECT_EQ(RangeOf(SkinNumber::Extent).max, combo->m_leftMargin);
        EXPECT_EQ(RangeOf(SkinNumber::Extent).max, combo->m_listHeight);
        EXPECT_EQ(border, panel->m_look.borderWidth);
        EXPECT_EQ(RangeOf(SkinNumber::Count).max, macro->m_max);
        EXPECT_EQ(border, macro->m_borderWidth);
        EXPECT_EQ(RangeOf(SkinNumber::Multiplier).max, slider->Thumb(0)->Multiplier());
        RECT r{};
        edit->BorderPanel().GetWindowRect(&r);
        EXPECT_LE(r.right - r.left, RangeOf(SkinNumber::Coordinate).max + 2 * border);
    }
    // A border is never more than half the control it frames.
    Values thin = AtTheEnds(true, 0, 0);
    for (auto& v : thin)
        if (v.first == "H") v.second = 6;
    ASSERT_TRUE(LoadAndPaint(Page(thin)));
    auto* edit = Item<CEditItem>(L"EDITCTRL_POPUP_NUMENTRY", ITEM_EDIT);
    ASSERT_NE(nullptr, edit);
    EXPECT_EQ(3, edit->m_borderWidth);
}

TEST_F(HostilePage, ThePagesOfTheLargestAndSmallestValuesPaintInBoundedTime)
{
    const DWORD start = ::GetTickCount();
    for (long long coordinate : {0LL, (long long)RangeOf(SkinNumber::Coordinate).max,
                                 (long long)RangeOf(SkinNumber::Coordinate).min}) {
        SCOPED_TRACE(coordinate);
        EXPECT_TRUE(LoadAndPaint(Page(AtTheEnds(true, 0, coordinate))));
        EXPECT_TRUE(LoadAndPaint(Page(AtTheEnds(false, 0, coordinate))));
    }
    EXPECT_LT(::GetTickCount() - start, 30000u);
}

TEST_F(HostilePage, MutatedPagesLoadOntoAWindowAndPaint)
{
    const std::string sound = Page({{"FW", 6}, {"CW", 60}, {"LH", 80}, {"MU", 100}, {"X", 10}, {"Y", 10},
                                    {"W", 120}, {"H", 40}, {"B", 2}, {"M", 4}, {"N", 10}, {"P", 14}, {"K", 700}});
    ASSERT_TRUE(LoadAndPaint(sound));
    std::vector<uint8_t> valid(sound.begin(), sound.end());
    Mutator m(0xBADF00D);
    int loaded = 0;
    for (int i = 0; i < 150; ++i) {
        std::vector<uint8_t> mutated = m.Mutate(valid);
        if (LoadAndPaint(std::string(mutated.begin(), mutated.end())))
            ++loaded;
        for (CGUIItem* item : items.Items())
            ASSERT_NE(nullptr, item) << "iteration " << i;
    }
    EXPECT_GT(loaded, 0);
}
