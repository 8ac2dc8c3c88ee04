// Scrolling of the macro display: the row arithmetic on its own, then the
// list with its attached scroll bar (thumb messages, the wheel, and the
// capture that follows the pointer from the list into the bar and out).
#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "MacroDisplayItem.h"
#include "MacroDisplayScroll.h"
#include "RecordingWnd.h"
#include "TestBitmaps.h"

namespace {

SCROLLINFO Rows(int max, UINT page, int pos)
{
    SCROLLINFO si{sizeof(si), SIF_ALL, 0, max, page, pos, 0};
    return si;
}

}  // namespace

TEST(MacroDisplayScroll, LastPageIsWhereTheLastRowShows)
{
    // 30 rows (0..29), 10 in view: the top row goes up to 20.
    EXPECT_EQ(20, LastTopRow(Rows(29, 10, 0)));
    EXPECT_FALSE(AtLastPage(Rows(29, 10, 19)));  // row 29 is still below
    EXPECT_TRUE(AtLastPage(Rows(29, 10, 20)));
    // Fewer rows than a page, no rows, a list that has not measured a page.
    EXPECT_EQ(0, LastTopRow(Rows(4, 10, 0)));
    EXPECT_TRUE(AtLastPage(Rows(0, 10, 0)));
    EXPECT_EQ(29, LastTopRow(Rows(29, 0, 0)));
}

TEST(MacroDisplayScroll, ThumbPositionIsKeptInTheRange)
{
    EXPECT_EQ(5 * 18, ThumbScrollPixels(Rows(29, 10, 0), 5, 18));
    EXPECT_EQ(-3 * 18, ThumbScrollPixels(Rows(29, 10, 8), 5, 18));
    EXPECT_EQ(0, ThumbScrollPixels(Rows(29, 10, 5), 5, 18));
    // Past the end (the high word of WM_VSCROLL can say up to 65535): only
    // as far as the last page.
    EXPECT_EQ((20 - 3) * 18, ThumbScrollPixels(Rows(29, 10, 3), 65535, 18));
    EXPECT_EQ(-3 * 18, ThumbScrollPixels(Rows(29, 10, 3), -7, 18));
    // Nothing to scroll when the rows fit, or without a row height.
    EXPECT_EQ(0, ThumbScrollPixels(Rows(4, 10, 0), 3, 18));
    EXPECT_EQ(0, ThumbScrollPixels(Rows(29, 10, 0), 5, 0));
    // Huge ranges stay within what the list can round without overflow.
    const int huge = ThumbScrollPixels(Rows(INT_MAX - 1, 1, 0), INT_MAX, 1000);
    EXPECT_GT(huge, 0);
    EXPECT_LE(huge, INT_MAX / 2);
    EXPECT_GE(ThumbScrollPixels(Rows(INT_MAX - 1, 1, INT_MAX - 1), 0, 1000), -(INT_MAX / 2));
}

namespace {

struct ScrollingMacro : ::testing::Test {
    CRecordingWnd owner;
    CMacroDisplayItem md;
    CVScrollBar* bar = nullptr;
    HBITMAP bms[6] = {};
    static constexpr int kBarWidth = 14;

    void SetUp() override
    {
        ASSERT_TRUE(owner.CreateTopLevel(320, 260));
        bms[0] = MakeSolidBitmap(kBarWidth, 3, RGB(90, 90, 90));
        bms[1] = MakeSolidBitmap(kBarWidth, 3, RGB(90, 90, 90));
        bms[2] = MakeSolidBitmap(kBarWidth, 12, RGB(0, 160, 0));
        bms[3] = MakeSolidBitmap(kBarWidth, 12, RGB(160, 0, 0));
        bms[4] = MakeSolidBitmap(kBarWidth, 7, RGB(40, 40, 40));
        bms[5] = MakeSolidBitmap(10, 20, RGB(220, 220, 220));
        auto scroll = std::make_unique<CVScrollBar>(kBarWidth, &md);
        scroll->SetBitmaps({bms[0], bms[1], bms[2], bms[3], bms[4], bms[5]}, 0);
        ASSERT_TRUE(md.Create(&owner, RECT{10, 10, 250, 210}, 90, std::move(scroll), kBarWidth));
        bar = md.ScrollBar();
        ASSERT_NE(nullptr, bar);
        md.AddColumn(CMacroDisplayItem::kColumnDescription, 1, 200, 0, L"");
        std::vector<MacroEvent> events;
        for (int i = 0; i < 40; ++i) events.push_back({MacroEvent::kDelay, 10 + i, (uint32_t)(10 + i)});
        md.SetEvents(events);
        md.EnsureVisible(0, FALSE);
        bar->UpdateThumb();
        owner.ShowWindow(SW_SHOWNOACTIVATE);
        PumpPending();
    }
    void TearDown() override
    {
        ::ReleaseCapture();
        if (md.IsRecording()) md.ToggleRecording();
        md.DestroyWindow();
        for (HBITMAP b : bms) ::DeleteObject(b);
    }
    SCROLLINFO Info()
    {
        SCROLLINFO si{};
        si.cbSize = sizeof(si);
        si.fMask = SIF_ALL;
        ::GetScrollInfo(md.m_hWnd, SB_VERT, &si);
        return si;
    }
    int LastRow() { return md.GetItemCount() - 1; }
    bool LastRowInView()
    {
        RECT row{}, client{};
        md.GetItemRect(LastRow(), &row, LVIR_BOUNDS);
        md.GetClientRect(&client);
        return row.top >= 0 && row.bottom <= client.bottom;
    }
    void Move(int x, int y, UINT keys = 0) { md.SendMessage(WM_MOUSEMOVE, keys, MAKELPARAM(x, y)); }
};

}  // namespace

TEST_F(ScrollingMacro, ThumbMessagesScrollByWholeRowsWithinTheRange)
{
    const SCROLLINFO si = Info();
    ASSERT_EQ(0, si.nMin);
    ASSERT_GT(si.nMax, (int)si.nPage);  // more rows than a page
    md.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 7));
    EXPECT_EQ(7, md.GetTopIndex());
    md.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 3));
    EXPECT_EQ(3, md.GetTopIndex());
    // Far past the end: the last page, with the last row in view.
    md.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 60000));
    EXPECT_EQ(LastTopRow(Info()), md.GetTopIndex());
    EXPECT_TRUE(LastRowInView());
    // A line down at the last page is ignored; a line up is not.
    const int last = md.GetTopIndex();
    md.SendMessage(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(last, md.GetTopIndex());
    md.SendMessage(WM_VSCROLL, SB_LINEUP);
    EXPECT_EQ(last - 1, md.GetTopIndex());
    // One row above the last page a line down still shows the last row.
    md.SendMessage(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(last, md.GetTopIndex());
    EXPECT_TRUE(LastRowInView());
}

TEST_F(ScrollingMacro, WheelScrollsLinesAndTheThumbFollows)
{
    const int thumbAtTop = bar->ThumbTop();
    md.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)(-3 * WHEEL_DELTA)), 0);
    PumpPending();
    EXPECT_EQ(3, md.GetTopIndex());
    EXPECT_GT(bar->ThumbTop(), thumbAtTop);
    md.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)(WHEEL_DELTA + 60)), 0);
    PumpPending();
    EXPECT_EQ(2, md.GetTopIndex());  // the part turn is kept
    md.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)(short)(WHEEL_DELTA - 1)), 0);
    PumpPending();
    EXPECT_EQ(1, md.GetTopIndex());  // and makes a line with the next one
}

TEST_F(ScrollingMacro, CaptureFollowsThePointerIntoTheScrollBarAndOut)
{
    RECT client{};
    md.GetClientRect(&client);
    Move(20, 20);
    EXPECT_EQ(md.m_hWnd, ::GetCapture());  // over the list
    Move(client.right + kBarWidth / 2, 100);
    EXPECT_EQ(bar->m_hWnd, ::GetCapture());  // handed to the bar
    // The bar gives it back when the pointer leaves it; outside both it goes.
    bar->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(-30, 100));
    EXPECT_EQ(md.m_hWnd, ::GetCapture());
    Move(-30, 100);
    EXPECT_EQ(nullptr, ::GetCapture());
    // A held button keeps the capture until it is released.
    Move(20, 20);
    Move(-30, 100, MK_LBUTTON);
    EXPECT_EQ(md.m_hWnd, ::GetCapture());
    Move(-30, 100);
    EXPECT_EQ(nullptr, ::GetCapture());
}

TEST_F(ScrollingMacro, NoHandOverWhileRecordingAndNoCaptureWhenHidden)
{
    RECT client{};
    md.GetClientRect(&client);
    ASSERT_TRUE(md.ToggleRecording());
    Move(20, 20);
    EXPECT_EQ(md.m_hWnd, ::GetCapture());
    Move(client.right + kBarWidth / 2, 100);  // the bar is hidden while recording
    EXPECT_EQ(nullptr, ::GetCapture());
    md.ToggleRecording();

    Move(20, 20);
    ASSERT_EQ(md.m_hWnd, ::GetCapture());
    md.Show(false);  // a hidden list would keep the clicks meant for others
    EXPECT_EQ(nullptr, ::GetCapture());
}

TEST_F(ScrollingMacro, ReadOnlyAndDelayEditingTakeNoCapture)
{
    md.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    Move(20, 20);
    ASSERT_EQ(md.m_hWnd, ::GetCapture());
    HWND edit = (HWND)md.SendMessage(LVM_EDITLABELW, 0);
    ASSERT_NE(nullptr, edit);
    EXPECT_NE(md.m_hWnd, ::GetCapture());  // the edit box gets its own clicks
    Move(20, 20);
    EXPECT_NE(md.m_hWnd, ::GetCapture());
    md.SendMessage(LVM_CANCELEDITLABEL);

    CMacroDisplayItem ro;
    ro.m_readOnly = true;
    ASSERT_TRUE(ro.Create(&owner, RECT{10, 215, 250, 255}, 91));
    ::ReleaseCapture();
    ro.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(nullptr, ::GetCapture());
}

namespace {

// What reaches a list while it is filled: its paints, and each change of its
// scroll position seen after a message to it.
struct ListActivity {
    int paints = 0;
    int scrolls = 0;
    int position = 0;
};

// Paints past this many are counted but not drawn, so that a fill that
// paints once a row fails in seconds rather than running for minutes.
constexpr int kPaintsDrawn = 10;

LRESULT CALLBACK CountListActivity(HWND hwnd, UINT msg, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR data)
{
    auto* seen = reinterpret_cast<ListActivity*>(data);
    if (msg == WM_PAINT && ++seen->paints > kPaintsDrawn) {
        ::ValidateRect(hwnd, nullptr);
        return 0;
    }
    const LRESULT result = ::DefSubclassProc(hwnd, msg, w, l);
    SCROLLINFO si{sizeof(si), SIF_POS};
    if (::GetScrollInfo(hwnd, SB_VERT, &si) && si.nPos != seen->position) {
        ++seen->scrolls;
        seen->position = si.nPos;
    }
    return result;
}

ListActivity WatchWhile(HWND list, const std::function<void()>& fill)
{
    ListActivity seen;
    SCROLLINFO si{sizeof(si), SIF_POS};
    if (::GetScrollInfo(list, SB_VERT, &si)) seen.position = si.nPos;
    ::SetWindowSubclass(list, &CountListActivity, 1, (DWORD_PTR)&seen);
    fill();
    PumpPending();
    ::RemoveWindowSubclass(list, &CountListActivity, 1);
    return seen;
}

}  // namespace

// A long macro shows in one pass: filling a shown list row by row, each row
// scrolled into view, would paint and scroll the list once a row. Counted,
// not timed, so that a slow machine cannot hide it.
TEST_F(ScrollingMacro, ALongMacroShowsWithAHandfulOfPaintsAndScrolls)
{
    std::vector<MacroEvent> events;
    for (int i = 0; i < (int)kMaxDeviceMacroEvents; ++i)
        events.push_back(i % 3 == 2 ? MacroEvent{MacroEvent::kDelay, 20, 20}
                                    : MacroEvent{MacroEvent::kKey, 0x1E, i % 3 ? 1u : 255u});
    const ListActivity seen = WatchWhile(md.m_hWnd, [&] { EXPECT_TRUE(md.SetEvents(events)); });
    EXPECT_LE(seen.paints, 5);
    EXPECT_LE(seen.scrolls, 2);
    // What shows is as before: the last event selected and in view, the
    // thumb at the end of its track.
    ASSERT_EQ((int)events.size(), md.GetItemCount());
    EXPECT_EQ(events, md.GetEvents());
    EXPECT_EQ(LastRow(), md.GetNextItem(-1, LVNI_SELECTED));
    EXPECT_EQ(LastRow(), md.GetNextItem(-1, LVNI_FOCUSED));
    EXPECT_EQ(LastTopRow(Info()), Info().nPos);
    EXPECT_TRUE(LastRowInView());
    int thumb = 0;
    ASSERT_TRUE(ThumbTopForScroll(bar->Parts(), bar->Layout(), Info(), thumb));
    EXPECT_EQ(thumb, bar->ThumbTop());
    EXPECT_EQ(ClampThumbTop(bar->Parts(), bar->Layout(), INT_MAX), bar->ThumbTop());

    // The preview's playback shows the events up to the next delay at once.
    CMacroDisplayItem ro;
    ro.m_readOnly = true;
    ASSERT_TRUE(ro.Create(&owner, RECT{10, 215, 250, 255}, 91));
    ro.AddColumn(CMacroDisplayItem::kColumnDescription, 1, 200, 0, L"");
    std::vector<MacroEvent> keys(kMaxDeviceMacroEvents - 1, MacroEvent{MacroEvent::kKey, 0x1E, 255u});
    keys.push_back({MacroEvent::kDelay, 60000, 60000});
    const ListActivity played = WatchWhile(ro.m_hWnd, [&] { ro.StartPlayback(keys); });
    EXPECT_EQ((int)keys.size() - 1, ro.GetItemCount());
    EXPECT_EQ(ro.GetItemCount() - 1, ro.GetNextItem(-1, LVNI_SELECTED));
    EXPECT_LE(played.paints, 5);
    EXPECT_LE(played.scrolls, 2);
    ro.StopPlayback();
}
