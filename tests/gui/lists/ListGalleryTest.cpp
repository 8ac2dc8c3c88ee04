// The list widgets' gallery page: every list-like element loaded from one
// XML page through the skin loader, filled as pages fill them and captured.
#include <gtest/gtest.h>

#include "Capture.h"
#include "DropdownColorButton.h"
#include "DropdownListItem.h"
#include "KeywordTables.h"
#include "ListPanel.h"
#include "MacroDisplayItem.h"
#include "PageItems.h"
#include "PaintCheck.h"
#include "ProgramFolder.h"
#include "RecordingWnd.h"
#include "SkinLoader.h"
#include "SkinTestFiles.h"
#include "TreeCapture.h"
#include "XListCtrl.h"

namespace {

const char kGallery[] = R"(<?xml version="1.0" encoding="utf-8"?>
<ITEMLIST>
  <LISTLIST>
    <LISTCTRL name="LIST_PROFILELIST" bdrwidth="1" fontclr="WHITE" backclr="BLACK" backclrhi="RED" fontclrhi="BLACK">
      <VSCROLL bdrwidth="0"><VSBMP_TOP>w3_sb_end.bmp</VSBMP_TOP><VSBMP_BOT>w3_sb_end.bmp</VSBMP_BOT>
        <VSBMP_AUP>w3_sb_up.bmp</VSBMP_AUP><VSBMP_ADN>w3_sb_down.bmp</VSBMP_ADN>
        <VSBMP_SPN>w3_sb_span.bmp</VSBMP_SPN><VSBMP_TMB>w3_sb_thumb.bmp</VSBMP_TMB></VSCROLL>
      <LISTHDR backclr="DARKGREY" fontclr="YELLOW"/>
      <BMPINFO name="BMPINFO_PROFILELISTPANEL"><SBMN>w3_frame.bmp</SBMN><SBMM>w3_frame_mask.bmp</SBMM>
        <RECT left="4" top="4" right="343" bottom="112"/></BMPINFO>
      <RECT left="10" top="10" right="0" bottom="100"/>
      <LISTCOLUMN name="LCITEM_PROFILECURRENT" type="CHECKBOX" width="24" exclusive="1" tooltip="Current">
        <SBMN>w3_box_off.bmp</SBMN><SBMD>w3_box_on.bmp</SBMD></LISTCOLUMN>
      <LISTCOLUMN name="LCITEM_PROFILEID" type="COMBO" width="70">Speed</LISTCOLUMN>
      <LISTCOLUMN name="LCITEM_PROFILENAME" type="EDIT" width="110" tooltip="Name">Name</LISTCOLUMN>
      <LISTCOLUMN name="LCITEM_PROFILEEXE" type="FILEDIALOG" width="80">Program</LISTCOLUMN>
      <LISTCOLUMN name="LCITEM_AUTOSWITCH" type="CHECKBOX" width="30">
        <SBMN>w3_box_off.bmp</SBMN><SBMD>w3_box_on.bmp</SBMD></LISTCOLUMN>
    </LISTCTRL>
    <COMBO name="COMBO" fontclr="WHITE" backclr="BLACK" bdrclr="WHITE" lmargin="4">
      <CLIST height="80"/><CBOX><RECT left="370" top="10" right="160" bottom="22"/></CBOX>
      <COMBOITEMS><COMBOITEM> Left button </COMBOITEM><COMBOITEM>Sensitivity</COMBOITEM></COMBOITEMS>
    </COMBO>
    <COMBOCOLOR name="DROPDOWN_MOUSE_COLOR" bdrclr="WHITE" fontclr="WHITE" backclr="BLACK">
      <CLIST/><CBOX><RECT left="370" top="40" right="80" bottom="20"/></CBOX>
    </COMBOCOLOR>
  </LISTLIST>
  <LISTPANELLIST>
    <LISTPANEL name="LIST_GLOBALPROFILELIST" dynamic="0" fontclr="WHITE" backclr="BLACK" backclrhi="RED"
               fontclrsel="BLACK" backclrsel="WHITE" disbfontclr="RED" disbbackclr="BLACK" lmargin="4">
      <LISTPANELITEMS><LISTPANELITEM>Profile 1</LISTPANELITEM><LISTPANELITEM>Profile 2</LISTPANELITEM>
        <LISTPANELITEM>Profile 3</LISTPANELITEM></LISTPANELITEMS>
      <RECT left="10" top="140" right="150" bottom="60"/>
    </LISTPANEL>
  </LISTPANELLIST>
  <MACRODISPLAYLIST>
    <MACRODISPLAY name="MACRO_DISPLAY" bdrwidth="2" fontclr="WHITE" backclr="BLACK" backclrhi="RED" fontclrhi="BLACK">
      <RECT left="180" top="140" right="260" bottom="120"/>
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
                                  L"list gallery", WS_POPUP | WS_VISIBLE, 10, 10, 550, 280, nullptr, nullptr));
        ScopedTestProgramFolder folder;
        Solid(L"w3_box_off.bmp", 12, 12, RGB(40, 40, 40), RGB(220, 220, 220));
        Solid(L"w3_box_on.bmp", 12, 12, RGB(0, 200, 0), RGB(220, 220, 220));
        Solid(L"w3_keydn.bmp", 24, 16, RGB(0, 160, 0), RGB(0, 0, 0));
        Solid(L"w3_keyup.bmp", 24, 16, RGB(160, 0, 0), RGB(0, 0, 0));
        Solid(L"w3_mse.bmp", 24, 16, RGB(0, 0, 200), RGB(0, 0, 0));
        Solid(L"w3_clk.bmp", 24, 16, RGB(120, 120, 120), RGB(0, 0, 0));
        Solid(L"w3_sb_end.bmp", 12, 3, RGB(90, 90, 90), RGB(90, 90, 90));
        Solid(L"w3_sb_up.bmp", 12, 12, RGB(0, 160, 0), RGB(0, 90, 0));
        Solid(L"w3_sb_down.bmp", 12, 12, RGB(160, 0, 0), RGB(90, 0, 0));
        Solid(L"w3_sb_span.bmp", 12, 8, RGB(40, 40, 40), RGB(40, 40, 40));
        Solid(L"w3_sb_thumb.bmp", 10, 20, RGB(220, 220, 220), RGB(120, 120, 120));
        // The list's frame picture, its corners cut off by the mask.
        Solid(L"w3_frame.bmp", 343, 112, RGB(20, 40, 90), RGB(120, 160, 255));
        WriteBmp24(TestProgramFolder() + L"skins\\w3_frame_mask.bmp", 343, 112, [](int x, int y) {
            const bool corner = (x < 6 || x >= 337) && (y < 6 || y >= 106);
            return corner ? 0xFFFFFFu : 0u;
        });
        ASSERT_TRUE(WriteUtf8(TestProgramFolder() + L"xml\\ListGallery.xml", kGallery));
        ASSERT_TRUE(LoadSkinPage(&items, L"ListGallery.xml", &page, false));
    }
    void TearDown() override
    {
        items.DeleteAll();
        page.DestroyWindow();
    }
    template <typename T>
    T* Item(const wchar_t* name, int type) { return FindPageItem<T>(items, name, type); }

    CRecordingWnd page;
    CGUIItems items;
};

}  // namespace

TEST_F(ListGallery, TwoHundredPaintsLeaveNothingBehind)
{
    auto* macro = Item<CMacroDisplayItem>(L"MACRO_DISPLAY", ITEM_MACRODISPLAY);
    ASSERT_NE(nullptr, macro);
    macro->SetEvents({{MacroEvent::kKey, 0x1E | ('A' << 16), 255}, {MacroEvent::kDelay, 1001, 1001}});
    const PaintCheckResult paints = PaintRepeatedly(page.m_hWnd, 200);
    EXPECT_EQ(0, paints.selectedDeletes);
    EXPECT_LT(paints.gdiGrowth, 10);  // a leak per paint makes 200
    EXPECT_LT(paints.userGrowth, 10);
}

TEST_F(ListGallery, ListsKeepTheImageListsTheyShareUntilTheWidgetsGo)
{
    auto* list = Item<CXListCtrl>(L"LIST_PROFILELIST", ITEM_XLISTCTRL);
    auto* panel = Item<CListPanelItem>(L"LIST_GLOBALPROFILELIST", ITEM_LISTPANEL);
    auto* macro = Item<CMacroDisplayItem>(L"MACRO_DISPLAY", ITEM_MACRODISPLAY);
    ASSERT_TRUE(list && panel && panel->StaticList() && macro);
    const HIMAGELIST images[] = {ListView_GetImageList(list->m_hWnd, LVSIL_SMALL),
                                 ListView_GetImageList(panel->StaticList()->m_hWnd, LVSIL_SMALL),
                                 ListView_GetImageList(macro->m_hWnd, LVSIL_SMALL)};
    // The page goes first, as when a page closes: the list views must not
    // free what the widgets free again later.
    page.DestroyWindow();
    for (HIMAGELIST i : images) {
        int cx = 0, cy = 0;
        ASSERT_NE(nullptr, i);
        EXPECT_TRUE(ImageList_GetIconSize(i, &cx, &cy));
    }
}

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

    // More rows than the list shows, so that the scroll bar has a thumb.
    const wchar_t* names[8] = {L"Office", L"Games", L"Drawing", L"Music", L"Video", L"Mail", L"Web", L"Chat"};
    const int current = FindListColumnItemByName(L"LCITEM_PROFILECURRENT");
    const int speed = FindListColumnItemByName(L"LCITEM_PROFILEID");
    const int autoSwitch = FindListColumnItemByName(L"LCITEM_AUTOSWITCH");
    for (int r = 0; r < 8; ++r) {
        list->InsertRow(r);
        list->SetCellData(r, current, r == 1);
        list->SetCellData(r, autoSwitch, 1);
        list->SetCellText(r, LCITEM_PROFILENAME, names[r]);
        list->SetCellText(r, speed, L"Normal");
        list->SetCellChoices(r, speed, {L"Slow", L"Normal", L"Fast"}, 0);
    }
    list->SetCellText(1, LCITEM_PROFILEEXE, L"game.exe");
    list->SetCellProgress(0, LCITEM_PROFILEEXE, 40, true);
    list->SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    list->EnsureVisible(0, FALSE);
    combo->SetCurSel(1, L"800 DPI");
    colour->SetColor(0x00C0FF);
    panel->SetCurSel(0);
    panel->SetRowDisabled(2, true);
    macro->SetEvents({{MacroEvent::kKey, 0x1E | ('A' << 16), 255},
                      {MacroEvent::kDelay, 1001, 1001},
                      {MacroEvent::kKey, 0x1E | ('A' << 16), 1},
                      {MacroEvent::kMouseButton, 1, 255}});
    PumpPending();
    // The macro display is captured on its own; on the page it would hide
    // the list's corner.
    macro->Show(false);
    SaveScreenCapture(page, L"lists_gallery_page");
    SaveCapture(*list, L"lists_gallery_listctrl");
    SaveCapture(*combo, L"lists_gallery_combo");
    SaveCapture(*colour, L"lists_gallery_colorbox");
    SaveCapture(*panel->StaticList(), L"lists_gallery_listpanel");
    macro->Show(true);
    SaveCapture(*macro, L"lists_gallery_macro");

    CapturedImage img;
    ASSERT_TRUE(CaptureWindow(*colour, img));
    EXPECT_EQ(0x00C0FFu, img.Pixel(10, 10));  // the box shows its colour
    EXPECT_EQ(4u, macro->GetEvents().size());

    // The list: its frame picture where BMPINFO puts it, the rows at RECT
    // inside it, the scroll bar beside the rows below the header.
    EXPECT_EQ(1, list->Header().CheckMark(4));
    EXPECT_EQ(-1, list->Header().CheckMark(0));
    EXPECT_EQ(0x3A3A3Au, list->Header().m_backColour);
    RECT frame{}, rows{}, bar{}, header{};
    list->BorderPanel()->GetWindowRect(&frame);
    list->GetWindowRect(&rows);
    ASSERT_NE(nullptr, list->ScrollBarWnd());
    list->ScrollBarWnd()->GetWindowRect(&bar);
    list->Header().GetWindowRect(&header);
    page.ScreenToClient(&frame);
    page.ScreenToClient(&rows);
    page.ScreenToClient(&bar);
    EXPECT_EQ(4, frame.left);
    EXPECT_EQ(4, frame.top);
    EXPECT_EQ(347, frame.right);
    EXPECT_EQ(10, rows.left);
    EXPECT_EQ(10, rows.top);
    EXPECT_EQ(rows.right, bar.left);
    EXPECT_EQ(rows.top + (header.bottom - header.top), bar.top);
    EXPECT_EQ(10 + 12 + 1 + 24 + 70 + 110 + 80 + 30, bar.right);
    // The mask cut the frame's corners off.
    HRGN shape = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(ERROR, ::GetWindowRgn(list->BorderPanel()->GetSafeHwnd(), shape));
    EXPECT_FALSE(::PtInRegion(shape, 1, 1));
    EXPECT_TRUE(::PtInRegion(shape, 10, 1));
    ::DeleteObject(shape);

    // The selected row's choice cell opens its drop-down over the page.
    RECT cell{};
    ASSERT_TRUE(list->CellRect(2, 1, cell));
    list->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(cell.right - 3, (cell.top + cell.bottom) / 2));
    list->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(cell.right - 3, (cell.top + cell.bottom) / 2));
    list->UpdateWindow();
    ASSERT_TRUE(PumpUntil([list] { return list->DropDown() != nullptr; }));
    macro->Show(false);
    SaveScreenCapture(page, L"lists_gallery_page_dropdown");
}
