// List panels in place and as a real modal pop-up, scripted from a timer
// that runs inside the pop-up's own message loop.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "Capture.h"
#include "ListPanel.h"
#include "RecordingWnd.h"
#include "WidgetMessages.h"

namespace {

ListPanelLook TestLook()
{
    ListPanelLook look;
    look.colours.text = 0xFFFFFF;
    look.colours.back = 0x303030;
    look.colours.textHover = 0;
    look.colours.backHover = 0x00C0FF;
    look.colours.textDisabled = 0x808080;
    look.colours.backDisabled = 0x303030;
    look.colours.textSelected = 0;
    look.colours.backSelected = 0xFFFFFF;
    look.colours.border = 0x00C0FF;
    look.leftMargin = 4;
    return look;
}

ListPanelRows Rows(std::initializer_list<const wchar_t*> labels)
{
    ListPanelRows r;
    for (auto l : labels) r.emplace_back(l);
    return r;
}

POINT RowCentre(CListPanelList& list, int row)
{
    RECT r{};
    list.GetItemRect(list.DisplayOfRow(row), &r, LVIR_BOUNDS);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

BOOL CALLBACK CollectPanels(HWND hwnd, LPARAM out)
{
    if (auto* p = dynamic_cast<CListPanel*>(CWnd::FromHandlePermanent(hwnd)))
        reinterpret_cast<std::vector<CListPanel*>*>(out)->push_back(p);
    return TRUE;
}
// The list of this thread's newest list-panel pop-up: the one that owns no
// other (a sub-list's pop-up is owned by the pop-up it opened from). Found
// neither through the focus nor through the z-order: other test programs
// may hold the focus and put their own pop-ups on top.
CListPanelPopupList* OpenPopupList()
{
    std::vector<CListPanel*> panels;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CollectPanels, (LPARAM)&panels);
    for (CListPanel* p : panels) {
        bool owner = false;
        for (CListPanel* q : panels)
            owner = owner || (q != p && ::GetWindow(q->m_hWnd, GW_OWNER) == p->m_hWnd);
        if (!owner)
            return &p->List();
    }
    return nullptr;
}

std::function<void()> g_script;
void CALLBACK RunScript(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    // Taken out first: a script may schedule the next one while it runs.
    std::function<void()> script = std::move(g_script);
    g_script = nullptr;
    if (script) script();
}
// Runs `script` once the pop-up's modal loop is pumping.
void Script(std::function<void()> script)
{
    CListPanelPopupList::s_dismissOnFocusLoss = false;
    g_script = std::move(script);
    ::SetTimer(nullptr, 0, 50, &RunScript);
}

}  // namespace

TEST(ListPanelStatic, ClickReportsOwnRowIndexAndSkipsDisabledRows)
{
    CRecordingWnd parent;
    ASSERT_TRUE(parent.CreateTopLevel(300, 200));
    CListPanelItem item;
    item.m_look = TestLook();
    item.m_sorted = true;
    item.SetRows(Rows({L"Pear", L"apple", L"Banana"}));
    ASSERT_TRUE(item.Create(&parent, RECT{10, 10, 160, 120}, 77));
    EXPECT_NE(nullptr, item.m_window);
    CListPanelStatic& list = *item.StaticList();
    // Sorted: apple, Banana, Pear; the click on the top row reports row 1.
    EXPECT_EQ(1, list.RowAtDisplay(0));
    POINT p = RowCentre(list, 1);
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    item.SetRowDisabled(2, true);
    p = RowCentre(list, 2);
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    list.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
    EXPECT_EQ(-1, list.Hovered());  // a disabled row is never hovered
    PumpPending();
    std::vector<RecordedMsg> expected = {{WM_LISTPANEL_ROW_CLICKED, 1, 77}};
    EXPECT_EQ("", DiffSequence(expected, parent.OnlyMessage(WM_LISTPANEL_ROW_CLICKED)));

    EXPECT_TRUE(item.SetCurSel(0));
    EXPECT_STREQ(L"Pear", item.Caption());
    EXPECT_EQ(0, item.GetCurSel());
    EXPECT_FALSE(item.SetCurSel(3));
    EXPECT_STREQ(L"Pear", item.Caption());
    EXPECT_TRUE(item.SetCurSel(-1));
    EXPECT_EQ(-1, item.GetCurSel());
    item.SetCurSel(1);
    parent.ShowWindow(SW_SHOW);
    SaveCapture(list, L"lists_listpanel_inpage");
}

TEST(ListPanelItem, DynamicPanelHasNoWindowUntilShown)
{
    CListPanelItem item;
    EXPECT_EQ(ITEM_LISTPANEL, item.m_type);
    EXPECT_FALSE(item.HasWindow());
    EXPECT_EQ(nullptr, item.StaticList());
}

TEST(ListPanelPopup, ClickChoosesRowAfterDelay)
{
    CRecordingWnd owner;
    ASSERT_TRUE(owner.CreateTopLevel(300, 200));
    owner.ShowWindow(SW_SHOW);
    CListPanelItem item;
    item.m_look = TestLook();
    item.m_width = 120;
    item.SetRows(Rows({L"One", L"Two", L"Three"}));
    Script([] {
        CListPanelPopupList* list = OpenPopupList();
        ASSERT_NE(nullptr, list);
        POINT p = RowCentre(*list, 1);
        list->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
        SaveCapture(*list, L"lists_listpanel_popup");
        list->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    });
    EXPECT_EQ(1, item.ShowPopup(0, &owner, 10, 10));
    EXPECT_EQ(-1, item.LastChosenSubRow());
}

TEST(ListPanelPopup, FocusLossDismisses)
{
    CRecordingWnd owner;
    ASSERT_TRUE(owner.CreateTopLevel(300, 200));
    CListPanelItem item;
    item.m_look = TestLook();
    item.SetRows(Rows({L"One", L"Two"}));
    Script([] {
        CListPanelPopupList* list = OpenPopupList();
        ASSERT_NE(nullptr, list);
        CListPanelPopupList::s_dismissOnFocusLoss = true;
        list->SendMessage(WM_KILLFOCUS, 0, 0);
        CListPanelPopupList::s_dismissOnFocusLoss = false;
    });
    EXPECT_EQ(-1, item.ShowPopup(0, &owner, 10, 10));
}

TEST(ListPanelPopup, DisabledRowCannotBeChosen)
{
    CRecordingWnd owner;
    ASSERT_TRUE(owner.CreateTopLevel(300, 200));
    CListPanelItem item;
    item.m_look = TestLook();
    item.SetRows(Rows({L"One", L"Two"}));
    item.SetRowDisabled(0, true);
    Script([] {
        CListPanelPopupList* list = OpenPopupList();
        ASSERT_NE(nullptr, list);
        POINT p = RowCentre(*list, 0);
        list->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
        list->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    });
    EXPECT_EQ(-1, item.ShowPopup(0, &owner, 10, 10));
}

TEST(ListPanelPopup, SubListChoiceIsReachable)
{
    CRecordingWnd owner;
    ASSERT_TRUE(owner.CreateTopLevel(300, 200));
    CListPanelItem sub, empty, item;
    sub.m_look = empty.m_look = item.m_look = TestLook();
    sub.SetRows(Rows({L"Low", L"High"}));
    ListPanelRows rows = {ListPanelEntry(L"Plain"), ListPanelEntry(L"Level", &sub), ListPanelEntry(L"None", &empty)};
    item.SetRows(rows);
    Script([] {
        CListPanelPopupList* list = OpenPopupList();
        ASSERT_NE(nullptr, list);
        EXPECT_EQ(1, list->Rows()[2].disabled);  // its sub-list is empty
        // The sub-list's pop-up opens modally from this click; script it first.
        Script([] {
            CListPanelPopupList* subList = OpenPopupList();
            ASSERT_NE(nullptr, subList);
            POINT q = RowCentre(*subList, 1);
            subList->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(q.x, q.y));
        });
        POINT p = RowCentre(*list, 1);
        list->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    });
    EXPECT_EQ(1, item.ShowPopup(0, &owner, 10, 10));
    EXPECT_EQ(1, item.LastChosenSubRow());
}
