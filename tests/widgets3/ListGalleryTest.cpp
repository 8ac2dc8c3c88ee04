// The list widgets' gallery page: every list-like element loaded from one
// XML page through the skin loader, filled as pages fill them and captured.
#include <gtest/gtest.h>

#include "Capture.h"
#include "DropdownColorButton.h"
#include "DropdownListItem.h"
#include "KeywordTables.h"
#include "ListPanel.h"
#include "MacroDisplayItem.h"
#include "ProgramFolder.h"
#include "RecordingWnd.h"
#include "SkinLoader.h"
#include "SkinTestFiles.h"
#include "XListCtrl.h"

namespace {

const char kGallery[] = R"(<?xml version="1.0" encoding="utf-8"?>
<ITEMLIST>
  <LISTLIST>
    <LISTCTRL name="LIST_PROFILELIST" bdrwidth="1" fontclr="WHITE" backclr="BLACK" backclrhi="RED" fontclrhi="BLACK">
      <RECT left="10" top="10" right="0" bottom="80"/>
      <LISTCOLUMN name="LCITEM_PROFILECURRENT" type="CHECKBOX" width="30" exclusive="1">
        <SBMN>w3_box_off.bmp</SBMN><SBMD>w3_box_on.bmp</SBMD></LISTCOLUMN>
      <LISTCOLUMN name="LCITEM_PROFILENAME" type="EDIT" width="120">$Name</LISTCOLUMN>
      <LISTCOLUMN name="LCITEM_PROFILEEXE" type="FILEDIALOG" width="90"/>
    </LISTCTRL>
    <COMBO name="COMBO" fontclr="WHITE" backclr="BLACK" bdrclr="WHITE" lmargin="4">
      <CLIST height="80"/><CBOX><RECT left="280" top="10" right="160" bottom="22"/></CBOX>
      <COMBOITEMS><COMBOITEM> Left button </COMBOITEM><COMBOITEM>Sensitivity</COMBOITEM></COMBOITEMS>
    </COMBO>
    <COMBOCOLOR name="DROPDOWN_MOUSE_COLOR" bdrclr="WHITE" fontclr="WHITE" backclr="BLACK">
      <CLIST/><CBOX><RECT left="280" top="40" right="80" bottom="20"/></CBOX>
    </COMBOCOLOR>
  </LISTLIST>
  <LISTPANELLIST>
    <LISTPANEL name="LIST_GLOBALPROFILELIST" dynamic="0" fontclr="WHITE" backclr="BLACK" backclrhi="RED"
               fontclrsel="BLACK" backclrsel="WHITE" disbfontclr="RED" disbbackclr="BLACK" lmargin="4">
      <LISTPANELITEMS><LISTPANELITEM>Profile 1</LISTPANELITEM><LISTPANELITEM>Profile 2</LISTPANELITEM>
        <LISTPANELITEM>Profile 3</LISTPANELITEM></LISTPANELITEMS>
      <RECT left="10" top="110" right="150" bottom="60"/>
    </LISTPANEL>
  </LISTPANELLIST>
  <MACRODISPLAYLIST>
    <MACRODISPLAY name="MACRO_DISPLAY" bdrwidth="2" fontclr="WHITE" backclr="BLACK" backclrhi="RED" fontclrhi="BLACK">
      <RECT left="180" top="110" right="260" bottom="120"/>
      <MDBMP_KEYDN>w3_keydn.bmp</MDBMP_KEYDN><MDBMP_KEYUP>w3_keyup.bmp</MDBMP_KEYUP>
      <MDBMP_MSE>w3_mse.bmp</MDBMP_MSE><MDBMP_MSEH>w3_mse.bmp</MDBMP_MSEH>
      <MDBMP_CLK>w3_clk.bmp</MDBMP_CLK><MDBMP_CLKH>w3_clk.bmp</MDBMP_CLKH>
      <LISTCOLUMN name="LCITEM_MCREVENT_ICON" type="ICON" width="30"/>
      <LISTCOLUMN name="LCITEM_MCREVENT_DESCRIP" type="STATIC" width="220"/>
    </MACRODISPLAY>
  </MACRODISPLAYLIST>
</ITEMLIST>
)";

DWORD Rgb(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

void Solid(const wchar_t* name, int w, int h, COLORREF fill, COLORREF frame)
{
    WriteBmp24(TestProgramFolder() + L"skins\\" + name, w, h, [=](int x, int y) {
        return Rgb(x < 1 || y < 1 || x >= w - 1 || y >= h - 1 ? frame : fill);
    });
}

class ListGallery : public ::testing::Test {
protected:
    void SetUp() override
    {
        BuildKeywordMaps();
        ASSERT_TRUE(page.CreateEx(0, CWnd::RegisterClassOnce(CS_DBLCLKS, nullptr, (HBRUSH)::GetStockObject(DKGRAY_BRUSH)),
                                  L"list gallery", WS_POPUP | WS_VISIBLE, 10, 10, 460, 250, nullptr, nullptr));
        ScopedTestProgramFolder folder;
        Solid(L"w3_box_off.bmp", 12, 12, RGB(40, 40, 40), RGB(220, 220, 220));
        Solid(L"w3_box_on.bmp", 12, 12, RGB(0, 200, 0), RGB(220, 220, 220));
        Solid(L"w3_keydn.bmp", 24, 16, RGB(0, 160, 0), RGB(0, 0, 0));
        Solid(L"w3_keyup.bmp", 24, 16, RGB(160, 0, 0), RGB(0, 0, 0));
        Solid(L"w3_mse.bmp", 24, 16, RGB(0, 0, 200), RGB(0, 0, 0));
        Solid(L"w3_clk.bmp", 24, 16, RGB(120, 120, 120), RGB(0, 0, 0));
        ASSERT_TRUE(WriteUtf8(TestProgramFolder() + L"xml\\ListGallery.xml", kGallery));
        ASSERT_TRUE(LoadSkinPage(&items, L"ListGallery.xml", &page, false));
    }
    void TearDown() override
    {
        items.DeleteAll();
        page.DestroyWindow();
    }
    template <typename T>
    T* Item(const wchar_t* name, int type)
    {
        CGUIItem* item = items.FindById(FindItemIdByName(name));
        return item && item->m_type == type ? static_cast<T*>(item) : nullptr;
    }

    CRecordingWnd page;
    CGUIItems items;
};

}  // namespace

TEST_F(ListGallery, EveryListElementLoadsAndDraws)
{
    auto* list = Item<CXListCtrl>(L"LIST_PROFILELIST", ITEM_XLISTCTRL);
    auto* combo = Item<CDropdownListItem>(L"COMBO", ITEM_DROPDOWNLIST);
    auto* colour = Item<CDropdownColorButton>(L"DROPDOWN_MOUSE_COLOR", ITEM_DROPDOWNCOLOR);
    auto* panel = Item<CListPanelItem>(L"LIST_GLOBALPROFILELIST", ITEM_LISTPANEL);
    auto* macro = Item<CMacroDisplayItem>(L"MACRO_DISPLAY", ITEM_MACRODISPLAY);
    ASSERT_NE(nullptr, list);
    ASSERT_NE(nullptr, combo);
    ASSERT_NE(nullptr, colour);
    ASSERT_NE(nullptr, panel);
    ASSERT_NE(nullptr, macro);

    const wchar_t* names[3] = {L"Office", L"Games", L"Drawing"};
    for (int r = 0; r < 3; ++r) {
        list->InsertRow(r);
        list->SetCellData(r, FindListColumnItemByName(L"LCITEM_PROFILECURRENT"), r == 1);
        list->SetCellText(r, LCITEM_PROFILENAME, names[r]);
    }
    list->SetCellText(1, LCITEM_PROFILEEXE, L"game.exe");
    list->SetCellProgress(0, LCITEM_PROFILEEXE, 40, true);
    list->SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    combo->SetCurSel(1, L"800 DPI");
    colour->SetColor(0x00C0FF);
    panel->SetCurSel(0);
    panel->SetRowDisabled(2, true);
    macro->SetEvents({{MacroEvent::kKey, 0x1E | ('A' << 16), 255},
                      {MacroEvent::kDelay, 1001, 1001},
                      {MacroEvent::kKey, 0x1E | ('A' << 16), 1},
                      {MacroEvent::kMouseButton, 1, 255}});
    PumpPending();
    SaveCapture(*list, L"widgets3_gallery_listctrl");
    SaveCapture(*combo, L"widgets3_gallery_combo");
    SaveCapture(*colour, L"widgets3_gallery_colorbox");
    SaveCapture(*panel->StaticList(), L"widgets3_gallery_listpanel");
    SaveCapture(*macro, L"widgets3_gallery_macro");

    CapturedImage img;
    ASSERT_TRUE(CaptureWindow(*colour, img));
    EXPECT_EQ(0x00C0FFu, img.Pixel(10, 10));  // the box shows its colour
    EXPECT_EQ(4u, macro->GetEvents().size());
}
