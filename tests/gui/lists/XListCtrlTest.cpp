// The multi-column list against a recording owner.
#include <gtest/gtest.h>

#include "Capture.h"
#include "RecordingWnd.h"
#include "WidgetMessages.h"
#include "XListCtrl.h"

namespace {

struct Seen {
    UINT message;
    int row;
    int column;
    std::wstring text;
    int state;
};

struct XListFixture : ::testing::Test {
    CRecordingWnd owner;
    CXListCtrl list;
    std::vector<Seen> seen;

    void SetUp() override
    {
        ASSERT_TRUE(owner.CreateTopLevel(400, 200));
        owner.m_answer = [this](UINT m, WPARAM, LPARAM l, LRESULT*) {
            if (m == WM_XLIST_CHECK_CHANGED || m == WM_XLIST_CELL_CHANGED || m == WM_XLIST_EDIT_DONE ||
                m == WM_XLIST_COMMAND) {
                auto* n = reinterpret_cast<XListCellNotify*>(l);
                Seen s{m, n->rowKey, n->column, L"", -1};
                if (m == WM_XLIST_CHECK_CHANGED)
                    s.state = *reinterpret_cast<const BYTE*>(n->value);
                else
                    s.text = reinterpret_cast<const wchar_t*>(n->value);
                seen.push_back(s);
            }
            return false;
        };
        list.m_backColour = 0x202020;
        list.m_selBackColour = 0x00C0FF;
        ASSERT_TRUE(list.Create(&owner, RECT{10, 10, 380, 150}, 18, LVS_REPORT | LVS_SINGLESEL));
        const int ids[5] = {0, 1, 2, 3, 4};
        const int types[5] = {kColCheckBox, kColStatic, kColEdit, kColFileDialog, kColCheckBox};
        for (int i = 0; i < 5; ++i) {
            XListColumn c;
            c.type = types[i];
            c.width = i == 2 ? 120 : 60;
            c.exclusive = i == 0;
            ASSERT_EQ(i, list.AddColumn(ids[i], c));
        }
        const wchar_t* names[3] = {L"work", L"Game", L"art"};
        for (int r = 0; r < 3; ++r) {
            ASSERT_EQ(r, list.InsertRow(r));
            list.SetCellData(r, 0, r == 0 ? 1 : 0);
            list.SetCellData(r, 4, 1);
            list.SetCellText(r, 2, names[r]);
        }
    }
    void ClickCheck(int index, int position)
    {
        RECT cell{};
        if (position == 0) {
            list.GetItemRect(index, &cell, LVIR_BOUNDS);
            cell.right = cell.left + list.GetColumnWidth(0);
        } else {
            list.GetSubItemRect(index, position, LVIR_BOUNDS, &cell);
        }
        list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2));
        list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM((cell.left + cell.right) / 2, (cell.top + cell.bottom) / 2));
    }
};

}  // namespace

TEST_F(XListFixture, ColumnBookkeeping)
{
    EXPECT_EQ(ITEM_XLISTCTRL, list.m_type);
    for (int id = 5; id < 10; ++id) EXPECT_GE(list.AddColumn(id, XListColumn{}), 0);
    EXPECT_EQ(-1, list.AddColumn(10, XListColumn{}));  // the eleventh
    EXPECT_EQ(10, list.ColumnCount());
    EXPECT_EQ(-1, list.FindColumn(10));
    EXPECT_EQ(2, list.FindColumn(2));
    CString name;
    EXPECT_TRUE(list.GetNameText(1, name));
    EXPECT_STREQ(L"Game", name);
    EXPECT_FALSE(list.GetNameText(7, name));
    EXPECT_STREQ(L"", name);
    EXPECT_FALSE(list.SetCellText(7, 2, L"x"));
    EXPECT_EQ(-1, list.FindRowByKey(7));
}

TEST_F(XListFixture, ExclusiveColumnSendsOnlyForANewRow)
{
    ClickCheck(0, 0);  // the checked row: nothing
    EXPECT_TRUE(seen.empty());
    ClickCheck(2, 0);
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ(WM_XLIST_CHECK_CHANGED, seen[0].message);
    EXPECT_EQ(2, seen[0].row);
    EXPECT_EQ(1, seen[0].state);
    EXPECT_EQ(0, list.GetCellData(0, 0));
    EXPECT_EQ(1, list.GetCellData(2, 0));
    ClickCheck(1, 4);  // an ordinary column toggles
    ASSERT_EQ(2u, seen.size());
    EXPECT_EQ(0, seen[1].state);
    EXPECT_EQ(4, seen[1].column);
    list.SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
    SaveCapture(list, L"lists_xlist");
}

TEST_F(XListFixture, UnassignEmptiesTheProgramThenClearsAutoSwitch)
{
    list.SetCellText(1, LCITEM_PROFILEEXE, L"game.exe");
    list.RunContextCommand(1, L"$UnassignApplication");
    ASSERT_EQ(2u, seen.size());
    EXPECT_EQ(WM_XLIST_CELL_CHANGED, seen[0].message);
    EXPECT_EQ(LCITEM_PROFILEEXE, seen[0].column);
    EXPECT_EQ(L"", seen[0].text);
    EXPECT_EQ(WM_XLIST_CHECK_CHANGED, seen[1].message);
    EXPECT_EQ(4, seen[1].column);
    EXPECT_EQ(0, seen[1].state);
    EXPECT_EQ(0, list.GetCellData(1, 4));
}

TEST_F(XListFixture, AssignShowsFileNameAndReportsPath)
{
    SetXListFileDialogRunner([](CWnd*, CString& path) {
        path = L"C:\\Games\\fast.exe";
        return true;
    });
    list.RunContextCommand(0, L"$AssignApplication");
    list.RunContextCommand(0, L"$Rename");
    SetXListFileDialogRunner(nullptr);
    ASSERT_EQ(2u, seen.size());
    EXPECT_EQ(L"C:\\Games\\fast.exe", seen[0].text);
    EXPECT_STREQ(L"fast.exe", list.GetCellText(0, LCITEM_PROFILEEXE));
    EXPECT_EQ(WM_XLIST_COMMAND, seen[1].message);
    EXPECT_EQ(L"$Rename", seen[1].text);
}

TEST_F(XListFixture, InPlaceEditReportsOnlyAChangedCommit)
{
    ASSERT_TRUE(list.StartEdit(1, 2));
    list.Editor()->SetWindowText(L"Games");
    list.EndEdit(false);  // Escape
    EXPECT_STREQ(L"Game", list.GetCellText(1, 2));
    ASSERT_TRUE(list.StartEdit(1, 2));
    list.EndEdit(true);  // Enter, unchanged
    EXPECT_TRUE(seen.empty());
    ASSERT_TRUE(list.StartEdit(1, 2));
    list.Editor()->SetWindowText(L"Games");
    MSG enter{list.Editor()->GetSafeHwnd(), WM_KEYDOWN, VK_RETURN, 0};
    EXPECT_TRUE(list.PreTranslateMessage(&enter));
    ASSERT_EQ(1u, seen.size());
    EXPECT_EQ(WM_XLIST_EDIT_DONE, seen[0].message);
    EXPECT_EQ(L"Games", seen[0].text);
    EXPECT_STREQ(L"Games", list.GetCellText(1, 2));
}

TEST_F(XListFixture, SortByNameIgnoresCase)
{
    list.SortByName();
    // art, Game, work: keys stay with their rows.
    EXPECT_EQ(2, list.FindRowByKey(0));
    EXPECT_EQ(0, list.FindRowByKey(2));
}

TEST_F(XListFixture, ProgressCellFillsInProportion)
{
    EXPECT_FALSE(list.SetCellProgress(9, 3, 50, false));
    ASSERT_TRUE(list.SetCellProgress(1, 3, 50, false));
    RECT cell{};
    list.GetSubItemRect(1, 3, LVIR_BOUNDS, &cell);
    CapturedImage img;
    ASSERT_TRUE(CaptureWindow(list, img));
    const int y = (cell.top + cell.bottom) / 2;
    const int inner = cell.left + 3, width = (cell.right - cell.left) - 6;
    EXPECT_EQ(list.m_textColour, img.Pixel(inner + width / 4, y));      // filled part
    EXPECT_EQ(list.m_backColour, img.Pixel(inner + width * 3 / 4, y));  // the rest
}

TEST(XListHeader, ColumnsCannotBeResized)
{
    CRecordingWnd owner;
    ASSERT_TRUE(owner.CreateTopLevel(300, 150));
    CXListCtrl list;
    ASSERT_TRUE(list.Create(&owner, RECT{0, 0, 250, 100}, 5, LVS_REPORT));
    XListColumn c;
    c.width = 80;
    list.AddColumn(2, c);
    HWND header = (HWND)list.SendMessage(LVM_GETHEADER);
    ASSERT_NE(nullptr, header);
    EXPECT_TRUE(::GetWindowLongPtrW(header, GWL_STYLE) & HDS_NOSIZING);
    NMHEADERW nm{};
    nm.hdr.hwndFrom = header;
    nm.hdr.idFrom = (UINT_PTR)::GetDlgCtrlID(header);
    nm.hdr.code = HDN_BEGINTRACKW;
    EXPECT_EQ(TRUE, list.SendMessage(WM_NOTIFY, nm.hdr.idFrom, (LPARAM)&nm));
}

TEST_F(XListFixture, RowColoursOverrideTheListColours)
{
    EXPECT_FALSE(list.SetRowColours(9, 0, 0, 0, 0));
    ASSERT_TRUE(list.SetRowColours(1, 0xFFFFFF, 0x0000C0, 0, 0x00FF00));
    RECT cell{};
    list.GetSubItemRect(1, 1, LVIR_BOUNDS, &cell);
    CapturedImage img;
    ASSERT_TRUE(CaptureWindow(list, img));
    EXPECT_EQ(0x0000C0u, img.Pixel(cell.right - 3, cell.top + 2));
}

TEST_F(XListFixture, HeaderCheckMarkSaysEveryRowIsChecked)
{
    CXHeaderCtrl& header = list.Header();
    ASSERT_NE(nullptr, header.GetSafeHwnd());
    EXPECT_EQ(list.ColumnCount(), header.ExtraCount());
    EXPECT_EQ(-1, header.CheckMark(0));  // one-of-many: no mark
    EXPECT_EQ(-1, header.CheckMark(2));
    EXPECT_EQ(1, header.CheckMark(4));   // every row set in SetUp
    ClickCheck(1, 4);
    EXPECT_EQ(0, header.CheckMark(4));
    list.SetCellData(1, 4, 1);
    EXPECT_EQ(1, header.CheckMark(4));
    list.SetCellData(2, 4, 0);
    EXPECT_EQ(0, header.CheckMark(4));
    list.RunContextCommand(2, L"$UnassignApplication");
    EXPECT_EQ(0, header.CheckMark(4));
    // A new row without a check box leaves the mark as it is.
    list.SetCellData(2, 4, 1);
    ASSERT_EQ(3, list.InsertRow(3));
    EXPECT_EQ(1, header.CheckMark(4));
    EXPECT_EQ(TRUE, header.SendMessage(WM_SETCURSOR, (WPARAM)header.GetSafeHwnd(), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
}

TEST(XListHeader, PaintsItsOwnColours)
{
    CRecordingWnd owner;
    ASSERT_TRUE(owner.CreateTopLevel(300, 150));
    CXListCtrl list;
    list.m_headerBackColour = 0x303030;
    list.m_headerTextColour = 0x00FFFF;
    ASSERT_TRUE(list.Create(&owner, RECT{0, 0, 250, 100}, 5, LVS_REPORT));
    XListColumn c;
    c.width = 120;
    c.header = L"WWWW";
    list.AddColumn(LCITEM_PROFILENAME, c);
    CapturedImage img;
    ASSERT_TRUE(CaptureWindow(list.Header(), img));
    SaveCapture(list.Header(), L"lists_xlist_header");
    EXPECT_EQ(0x303030u, img.Pixel(img.width - 3, img.height / 2));  // past the last column
    int text = 0;
    for (int x = 0; x < 60; ++x)
        for (int y = 0; y < img.height; ++y) text += img.Pixel(x, y) == 0x00FFFFu;
    EXPECT_GT(text, 10);
}

TEST(XListToolTip, ShowsTheTextOfTheColumnUnderThePointer)
{
    CRecordingWnd owner;
    ASSERT_TRUE(owner.CreateTopLevel(300, 150));
    CXListCtrl list;
    ASSERT_TRUE(list.Create(&owner, RECT{0, 0, 250, 100}, 5, LVS_REPORT));
    const wchar_t* tips[3] = {L"Current", L"Name of the profile", L"Program"};
    for (int i = 0; i < 3; ++i) {
        XListColumn c;
        c.width = 60;
        c.tooltip = tips[i];
        list.AddColumn(i, c);
    }
    auto move = [&](int x) {
        MSG m{list.GetSafeHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(x, 30)};
        list.PreTranslateMessage(&m);
    };
    move(70);
    EXPECT_EQ(1, CXListCtrl::LastToolTipColumn());
    EXPECT_EQ(L"Name of the profile", std::wstring(list.ToolTip().Text()));
    move(150);
    EXPECT_EQ(2, CXListCtrl::LastToolTipColumn());
    EXPECT_EQ(L"Program", std::wstring(list.ToolTip().Text()));
    move(230);  // past the columns: the tip stays
    EXPECT_EQ(2, CXListCtrl::LastToolTipColumn());
    EXPECT_EQ(L"Program", std::wstring(list.ToolTip().Text()));
}

TEST(XListScroll, WheelAndThumbMoveWholeRows)
{
    CRecordingWnd owner;
    ASSERT_TRUE(owner.CreateTopLevel(300, 200));
    owner.ShowWindow(SW_SHOWNOACTIVATE);
    CXListCtrl list;
    ASSERT_TRUE(list.Create(&owner, RECT{0, 0, 250, 100}, 5, LVS_REPORT | LVS_NOCOLUMNHEADER));
    XListColumn c;
    c.width = 200;
    list.AddColumn(LCITEM_PROFILENAME, c);
    for (int r = 0; r < 30; ++r) list.InsertRow(r);
    list.EnsureVisible(0, FALSE);
    ASSERT_EQ(0, list.GetTopIndex());
    const int page = list.GetCountPerPage();
    ASSERT_GT(page, 1);

    list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)-240), 0);
    list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)-100), 0);  // under a notch: nothing
    PumpPending();
    EXPECT_EQ(2, list.GetTopIndex());
    list.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)120), 0);
    PumpPending();
    EXPECT_EQ(1, list.GetTopIndex());
    list.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 10), 0);
    EXPECT_EQ(10, list.GetTopIndex());
    list.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 30 - page), 0);
    EXPECT_EQ(30 - page, list.GetTopIndex());
    list.SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);  // at the last page: ignored
    EXPECT_EQ(30 - page, list.GetTopIndex());
    list.SendMessage(WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(29 - page, list.GetTopIndex());
}

#include "TestBitmaps.h"

TEST(XListCheckBox, PictureShowsOnlyWhereItsMaskIsNotWhite)
{
    CRecordingWnd owner;
    ASSERT_TRUE(owner.CreateTopLevel(300, 150));
    CXListCtrl list;
    list.m_backColour = 0x402000;
    ASSERT_TRUE(list.Create(&owner, RECT{0, 0, 250, 100}, 5, LVS_REPORT | LVS_NOCOLUMNHEADER));
    HBITMAP on = MakeSolidBitmap(14, 14, 0x00C000), off = MakeSolidBitmap(14, 14, 0x0000C0);
    HBITMAP mask = MakeEllipseMask(14, 14);
    XListColumn c;
    c.type = kColCheckBox;
    c.width = 40;
    c.checked = on;
    c.unchecked = off;
    c.mask = mask;
    list.AddColumn(0, c);
    list.InsertRow(0);
    list.SetCellData(0, 0, 1);
    RECT cell{};
    ASSERT_TRUE(list.CellRect(0, 0, cell));
    CapturedImage img;
    ASSERT_TRUE(CaptureWindow(list, img));
    const int x = (cell.left + cell.right - 14) / 2, y = (cell.top + cell.bottom - 14) / 2;
    EXPECT_EQ(0x00C000u, img.Pixel(x + 7, y + 7));  // inside the ellipse: the checked picture
    EXPECT_EQ(0x402000u, img.Pixel(x, y));          // its corner: the row's background
    list.SetCellData(0, 0, 0);
    ASSERT_TRUE(CaptureWindow(list, img));
    EXPECT_EQ(0x0000C0u, img.Pixel(x + 7, y + 7));
    list.DestroyWindow();
    for (HBITMAP b : {on, off, mask}) ::DeleteObject(b);
}
