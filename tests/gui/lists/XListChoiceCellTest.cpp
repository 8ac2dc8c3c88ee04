// Choice cells of the multi-column list and their drop-down list, against a
// recording owner (and a recording stand-in for the list control).
#include <gtest/gtest.h>

#include "Capture.h"
#include "RecordingWnd.h"
#include "TreeCapture.h"
#include "WidgetMessages.h"
#include "XListCtrl.h"

namespace {

constexpr int kNameColumn = LCITEM_PROFILENAME;
constexpr int kSpeedColumn = 7;

struct Changed {
    int row;
    int column;
    std::wstring text;
};

struct ChoiceFixture : ::testing::Test {
    CRecordingWnd owner;
    CXListCtrl list;
    std::vector<Changed> changed;
    bool pressedByClick = false;

    void SetUp() override
    {
        ASSERT_TRUE(owner.CreateTopLevel(300, 160));
        owner.m_answer = [this](UINT m, WPARAM, LPARAM l, LRESULT*) {
            if (m == WM_XLIST_CELL_CHANGED) {
                auto* n = reinterpret_cast<XListCellNotify*>(l);
                changed.push_back({n->rowKey, n->column, reinterpret_cast<const wchar_t*>(n->value)});
            }
            return false;
        };
        // Drawing opens the drop-down, so the list must be able to paint.
        owner.ShowWindow(SW_SHOWNOACTIVATE);
        list.m_backColour = 0x202020;
        list.m_selBackColour = 0x00C0FF;
        ASSERT_TRUE(list.Create(&owner, RECT{10, 10, 230, 120}, 18, LVS_REPORT | LVS_SINGLESEL | LVS_NOCOLUMNHEADER));
        list.SetExtendedStyle(list.GetExtendedStyle() | LVS_EX_FULLROWSELECT);
        XListColumn name;
        name.type = kColEdit;
        name.width = 100;
        ASSERT_EQ(0, list.AddColumn(kNameColumn, name));
        XListColumn speed;
        speed.type = kColCombo;
        speed.width = 90;
        ASSERT_EQ(1, list.AddColumn(kSpeedColumn, speed));
        for (int r = 0; r < 3; ++r) {
            ASSERT_EQ(r, list.InsertRow(r));
            list.SetCellText(r, kNameColumn, r == 1 ? L"Games" : L"Office");
            list.SetCellText(r, kSpeedColumn, L"Normal");
            ASSERT_TRUE(list.SetCellChoices(r, kSpeedColumn, {L"Slow", L"Normal", L"Fast", L"Turbo"}, 3));
        }
        list.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        list.UpdateWindow();
    }
    void TearDown() override
    {
        list.DestroyWindow();
        owner.DestroyWindow();
    }
    RECT Cell(int index) const
    {
        RECT r{};
        EXPECT_TRUE(list.CellRect(index, 1, r));
        return r;
    }
    void Click(POINT p)
    {
        list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
        list.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    }
    bool Open()
    {
        const RECT c = Cell(1);
        Click({c.right - 4, (c.top + c.bottom) / 2});
        pressedByClick = list.PressedCell().IsPressed(1, 1);
        list.Invalidate(FALSE);
        list.UpdateWindow();
        return PumpUntil([this] { return list.DropDown() != nullptr; });
    }
    void Key(UINT vk) { list.DropDown()->ListBox().SendMessage(WM_KEYDOWN, vk, 0); }
};

}  // namespace

TEST_F(ChoiceFixture, ButtonOpensTheDropDownUnderTheCell)
{
    ASSERT_TRUE(Open());
    EXPECT_TRUE(pressedByClick);
    CXComboList* drop = list.DropDown();
    RECT cell = Cell(1);
    list.ClientToScreen(&cell);
    RECT w{};
    drop->GetWindowRect(&w);
    EXPECT_EQ(cell.left, w.left);
    EXPECT_EQ(cell.right, w.right);
    EXPECT_EQ(cell.bottom, w.top);
    // Cut to whole list-box items plus 4 pixels.
    const int item = drop->ListBox().GetItemHeight(0);
    ASSERT_GT(item, 0);
    EXPECT_EQ(0, (w.bottom - w.top - 4) % item);
    ASSERT_EQ(4, drop->ListBox().GetCount());
    EXPECT_EQ(1, drop->GetCurSel());  // the cell's own entry
    EXPECT_EQ(0, drop->ListBox().GetTopIndex());
    EXPECT_EQ(1, drop->ScrollBar().GetScrollPos());
    EXPECT_EQ(3, (w.bottom - w.top - 4) / item);  // the cell's three visible entries
    SaveScreenCapture(*drop, L"lists_xlist_dropdown");
}

TEST_F(ChoiceFixture, TheTextPartDoesNotPress)
{
    const RECT c = Cell(1);
    Click({c.left + 4, (c.top + c.bottom) / 2});
    list.UpdateWindow();
    PumpPending();
    EXPECT_FALSE(list.PressedCell().pressed);
    EXPECT_EQ(nullptr, list.DropDown());
}

TEST_F(ChoiceFixture, KeysFollowInTheCellAndEnterCloses)
{
    ASSERT_TRUE(Open());
    Key(VK_DOWN);
    ASSERT_TRUE(PumpUntil([this] { return list.GetCellText(1, kSpeedColumn) == L"Fast"; }));
    EXPECT_NE(nullptr, list.DropDown());  // following does not close
    Key(VK_RETURN);
    ASSERT_TRUE(PumpUntil([this] { return list.DropDown() == nullptr; }));
    EXPECT_STREQ(L"Fast", list.GetCellText(1, kSpeedColumn));
    EXPECT_FALSE(list.PressedCell().pressed);
    // The click on the row, then one change, and none for the Enter that
    // kept it.
    std::vector<RecordedMsg> seen;
    for (const RecordedMsg& m : owner.Log())
        if (m.message == WM_XLIST_ROW_CLICKED || m.message == WM_XLIST_CELL_CHANGED) seen.push_back(m);
    ASSERT_EQ(2u, seen.size());
    EXPECT_EQ("", DiffSequence({{WM_XLIST_ROW_CLICKED, 1, (LPARAM)list.GetSafeHwnd()}}, {seen[0]}));
    EXPECT_EQ(WM_XLIST_CELL_CHANGED, seen[1].message);
    EXPECT_EQ((WPARAM)list.GetSafeHwnd(), seen[1].wParam);
    ASSERT_EQ(1u, changed.size());
    EXPECT_EQ(1, changed[0].row);
    EXPECT_EQ(1, changed[0].column);
    EXPECT_EQ(L"Fast", changed[0].text);
    // Released: a redraw does not open the drop-down again.
    list.Invalidate(FALSE);
    list.UpdateWindow();
    PumpPending();
    EXPECT_EQ(nullptr, list.DropDown());
}

TEST_F(ChoiceFixture, EscapeClosesWithoutChoosing)
{
    ASSERT_TRUE(Open());
    HWND dropWindow = list.DropDown()->GetSafeHwnd();
    Key(VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([this] { return list.DropDown() == nullptr; }));
    EXPECT_FALSE(::IsWindow(dropWindow));
    EXPECT_STREQ(L"Normal", list.GetCellText(1, kSpeedColumn));
    EXPECT_TRUE(changed.empty());
}

TEST_F(ChoiceFixture, ReleasingOnAnEntryChoosesIt)
{
    ASSERT_TRUE(Open());
    CListBox& box = list.DropDown()->ListBox();
    box.SetTopIndex(0);
    RECT item{};
    ASSERT_NE(LB_ERR, box.GetItemRect(3, &item));
    const LPARAM at = MAKELPARAM(item.left + 5, (item.top + item.bottom) / 2);
    box.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    box.SendMessage(WM_LBUTTONUP, 0, at);
    ASSERT_TRUE(PumpUntil([this] { return list.DropDown() == nullptr; }));
    EXPECT_STREQ(L"Turbo", list.GetCellText(1, kSpeedColumn));
    ASSERT_EQ(1u, changed.size());
    EXPECT_EQ(L"Turbo", changed[0].text);
}

TEST_F(ChoiceFixture, DestroyingTheListClosesItsDropDown)
{
    ASSERT_TRUE(Open());
    HWND dropWindow = list.DropDown()->GetSafeHwnd();
    list.DestroyWindow();
    EXPECT_FALSE(::IsWindow(dropWindow));
}

TEST(XComboList, ReportsKeysClicksAndTheThirdFocusLoss)
{
    CRecordingWnd listCtrl([](UINT m) { return m >= 0xC000 && m <= 0xFFFF; });
    ASSERT_TRUE(listCtrl.CreateTopLevel(100, 100));
    CXComboList drop(listCtrl.GetSafeHwnd());
    ASSERT_TRUE(drop.Create(&listCtrl, RECT{50, 50, 150, 120}, nullptr, {L"One", L"Two", L"Three", L"Tea"}, -1));
    EXPECT_TRUE(drop.IsWindowVisible());
    EXPECT_NE(drop.GetSafeHwnd(), ::GetActiveWindow());  // shown without taking the activation
    CListBox& box = drop.ListBox();
    auto key = [&](UINT vk) { box.SendMessage(WM_KEYDOWN, vk, 0); };
    key(VK_DOWN);
    EXPECT_EQ(0, drop.GetCurSel());  // none selected: the first
    key('T');
    EXPECT_EQ(1, drop.GetCurSel());
    key(VK_END);
    EXPECT_EQ(3, drop.GetCurSel());
    EXPECT_EQ(L"Tea", std::wstring(drop.GetSelectedText()));
    key(VK_LEFT);  // not the drop-down's
    key(VK_RETURN);
    key(VK_ESCAPE);
    box.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    for (int i = 0; i < 4; ++i) box.SendMessage(WM_KILLFOCUS, 0, 0);
    EXPECT_EQ(4, drop.FocusLosses());
    const XComboListMessages& ids = XComboListMessageIds();
    EXPECT_NE(ids.vkReturn, ids.vkEscape);
    const std::vector<RecordedMsg> expected = {
        {ids.keyDown, 0, 0},  {ids.keyDown, 0, 0},  {ids.keyDown, 0, 0},   {ids.vkReturn, 0, 0},
        {ids.vkEscape, 0, 0}, {ids.lButtonUp, 0, 0}, {ids.vkEscape, 0, 0},
    };
    EXPECT_EQ("", DiffSequence(expected, listCtrl.Log()));
    drop.DestroyWindow();
    listCtrl.DestroyWindow();
}
