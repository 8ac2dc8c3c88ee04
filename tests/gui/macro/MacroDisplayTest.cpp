// The macro display against a recording owner: recording from raw input
// packets with a scripted clock, context commands, delay editing, playback.
#include <gtest/gtest.h>

#include "Capture.h"
#include "ListPanel.h"
#include "MacroDelayText.h"
#include "MacroDisplayItem.h"
#include "RawInput.h"
#include "RecordingWnd.h"
#include "WidgetMessages.h"

namespace {

// Local copies: the record's own constants are declared, not defined.
constexpr uint32_t kPress = 255, kRelease = 1;

DWORD g_now = 0;
DWORD ScriptedTick() { return g_now; }

RAWKEYBOARD Key(USHORT make, bool up, bool e0 = false)
{
    RAWKEYBOARD k{};
    k.MakeCode = make;
    k.Flags = (USHORT)((up ? RI_KEY_BREAK : RI_KEY_MAKE) | (e0 ? RI_KEY_E0 : 0));
    k.VKey = (USHORT)::MapVirtualKeyW(make, MAPVK_VSC_TO_VK);
    return k;
}

struct MacroFixture : ::testing::Test {
    CRecordingWnd owner;
    CMacroDisplayItem md;

    void SetUp() override
    {
        ASSERT_TRUE(owner.CreateTopLevel(300, 260));
        md.m_borderWidth = 2;
        md.m_backColour = 0x202020;
        md.m_textColour = 0xFFFFFF;
        md.m_selBackColour = 0x00C0FF;
        md.m_selTextColour = 0;
        ASSERT_TRUE(md.Create(&owner, RECT{10, 10, 250, 230}, 88));
        ASSERT_EQ(0, md.AddColumn(CMacroDisplayItem::kColumnIcon, 0, 30, 0, L""));
        ASSERT_EQ(1, md.AddColumn(CMacroDisplayItem::kColumnDescription, 1, 190, 0, L"Event"));
        md.m_tick = &ScriptedTick;
        g_now = 1000;
    }
    void TearDown() override
    {
        if (md.IsRecording()) md.ToggleRecording();
    }
    CString RowText(int row) { return md.GetItemText(row, 1); }
};

}  // namespace

TEST_F(MacroFixture, ColumnsAreLimitedToTwo)
{
    EXPECT_EQ(ITEM_MACRODISPLAY, md.m_type);
    EXPECT_EQ(-1, md.AddColumn(7, 1, 10, 0, L"x"));
    EXPECT_EQ(-1, md.AddColumn(CMacroDisplayItem::kColumnIcon, 0, 10, 0, L"x"));
}

TEST_F(MacroFixture, ListSitsInsideItsBorderAndAboveIt)
{
    RECT r{};
    md.GetWindowRect(&r);
    ::MapWindowPoints(nullptr, owner.m_hWnd, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(12, r.left);  // the 2-pixel border around {10, 10, 250, 230}
    EXPECT_EQ(12, r.top);
    EXPECT_EQ(248, r.right);
    EXPECT_EQ(228, r.bottom);
    // The border window covers the list's area too: it must lie below.
    HWND below = ::GetWindow(md.m_hWnd, GW_HWNDNEXT);
    ASSERT_NE(nullptr, below);
    EXPECT_EQ(0xFFFF, ::GetDlgCtrlID(below));
    EXPECT_GE(md.RowHeight(), 5);
}

TEST_F(MacroFixture, RecordingMeasuresDelaysAndDropsRepeats)
{
    ASSERT_TRUE(md.ToggleRecording());
    md.RecordRawKeyboard(Key(0x1E, false));  // first event: no delay before it
    g_now = 1500;
    md.RecordRawKeyboard(Key(0x1E, false));  // auto-repeat
    g_now = 3000;
    md.RecordRawKeyboard(Key(0x1E, true));
    const auto& ev = md.GetEvents();
    ASSERT_EQ(3u, ev.size());
    EXPECT_EQ(MacroEvent::kKey, ev[0].kind);
    EXPECT_EQ(0x1E, ev[0].value & 0xFFFF);
    EXPECT_EQ(kPress, ev[0].flags & 0xFF);
    EXPECT_EQ((MacroEvent{MacroEvent::kDelay, 2000, 2000}), ev[1]);
    EXPECT_EQ(kRelease, ev[2].flags & 0xFF);
    EXPECT_STREQ(L"2.000 $secondsdelay", RowText(1));
    EXPECT_EQ((DWORD_PTR)kRowKeyUp, md.GetItemData(2));
    EXPECT_FALSE(md.SetEvents({}));  // refused while recording
    EXPECT_EQ(3, md.GetItemCount());
    EXPECT_FALSE(md.ToggleRecording());
    SaveCapture(md, L"macro_recorded");
    // Recording again onto these events: the first new one is timed from
    // the new start, not from the last recording.
    g_now = 90000;
    md.ToggleRecording();
    g_now = 90400;
    md.RecordRawKeyboard(Key(0x30, false));
    EXPECT_EQ((MacroEvent{MacroEvent::kDelay, 400, 400}), ev[3]);
}

TEST_F(MacroFixture, StoppingEndsOnlyItsOwnRawInputRegistration)
{
    RawInputUsageList& list = TheRawInputUsageList();
    ASSERT_TRUE(md.ToggleRecording());
    EXPECT_EQ(md.m_hWnd, list.Target());
    EXPECT_FALSE(md.ToggleRecording());
    EXPECT_FALSE(list.IsRegistered());

    // A key-capture edit holds the registration: recording cannot take it,
    // and stopping must not end it.
    CRecordingWnd edit;
    ASSERT_TRUE(edit.CreateChild(&owner, RECT{255, 10, 295, 30}));
    AddRawInputUsage(rawinput::kUsageKeyboard);
    ASSERT_TRUE(RegisterRawInput(edit.m_hWnd));
    md.ToggleRecording();
    md.ToggleRecording();
    EXPECT_TRUE(list.IsRegistered());
    EXPECT_EQ(edit.m_hWnd, list.Target());
    UnregisterRawInput();

    // The page goes first, taking the list's window while it records: the
    // registration still ends, so later ones are not refused.
    ASSERT_TRUE(md.ToggleRecording());
    owner.DestroyWindow();
    EXPECT_FALSE(list.IsRegistered());
    EXPECT_FALSE(list.HasDevices());
}

TEST_F(MacroFixture, NoDelaysAndFixedDelay)
{
    md.SetNoDelays(true);
    EXPECT_TRUE(md.GetNoDelays());
    md.ToggleRecording();
    md.RecordRawKeyboard(Key(0x1E, false));
    g_now = 9000;
    md.RecordRawKeyboard(Key(0x1E, true));
    EXPECT_EQ(2u, md.GetEvents().size());
    md.ToggleRecording();

    md.SetEvents({});
    md.DeleteAllEvents();
    md.SetNoDelays(false);
    md.SetFixedDelay(true, 50);
    md.ToggleRecording();
    md.RecordRawKeyboard(Key(0x1D, false));        // left Ctrl
    md.RecordRawKeyboard(Key(0x1D, false, true));  // right Ctrl: another key
    ASSERT_EQ(3u, md.GetEvents().size());
    EXPECT_EQ((MacroEvent{MacroEvent::kDelay, 50, 50}), md.GetEvents()[1]);
}

TEST_F(MacroFixture, RecordingStopsTakingEventsAtTheLimit)
{
    md.SetEventLimit(4);
    md.SetInsertDelay(120);
    md.ToggleRecording();
    md.RecordRawKeyboard(Key(0x1E, false));  // 1 event
    g_now = 1100;
    md.RecordRawKeyboard(Key(0x1E, true));   // a delay and the key: 3
    g_now = 1200;
    md.RecordRawKeyboard(Key(0x30, false));  // would need 5: refused, told once
    md.RecordRawKeyboard(Key(0x30, true));
    EXPECT_EQ(3u, md.GetEvents().size());
    EXPECT_EQ(1, owner.Count(WM_MACRO_RECORD_FULL));
    md.ToggleRecording();

    // The context command inserts the insert delay, not the recording's, up
    // to the limit.
    md.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    md.RunContextCommand(L"$InsertDelay");
    md.RunContextCommand(L"$InsertDelay");
    ASSERT_EQ(4u, md.GetEvents().size());
    EXPECT_EQ((MacroEvent{MacroEvent::kDelay, 120, 120}), md.GetEvents()[1]);
}

TEST_F(MacroFixture, MouseReportWithTwoBitsGivesTwoEvents)
{
    md.SetNoDelays(true);
    md.ToggleRecording();
    RAWMOUSE m{};
    m.usButtonFlags = RI_MOUSE_LEFT_BUTTON_UP | RI_MOUSE_RIGHT_BUTTON_DOWN;
    md.RecordRawMouse(m);
    const auto& ev = md.GetEvents();
    ASSERT_EQ(2u, ev.size());
    EXPECT_EQ((MacroEvent{MacroEvent::kMouseButton, 1, kRelease}), ev[0]);
    // A press is stored as the press value the device reads (255).
    EXPECT_EQ((MacroEvent{MacroEvent::kMouseButton, 2, kPress}), ev[1]);
    EXPECT_STREQ(L"$LeftButtonUp", RowText(0));
    EXPECT_STREQ(L"$RightButtonDown", RowText(1));

    // Clicks on the owner's recording button (it holds the capture while
    // pressed) are not part of the macro; once released, clicks count again.
    CRecordingWnd button;
    ASSERT_TRUE(button.CreateChild(&owner, RECT{255, 10, 295, 30}));
    md.SetRecordingButton(button.m_hWnd);
    button.SetCapture();
    m.usButtonFlags = RI_MOUSE_LEFT_BUTTON_DOWN;
    md.RecordRawMouse(m);
    EXPECT_EQ(2u, ev.size());
    ::ReleaseCapture();
    md.RecordRawMouse(m);
    EXPECT_EQ(3u, ev.size());
}

TEST_F(MacroFixture, ContextCommandsReportChanges)
{
    md.SetEvents({{MacroEvent::kKey, 0x1E, kPress}, {MacroEvent::kKey, 0x1E, kRelease}});
    md.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    owner.Clear();
    md.RunContextCommand(L"$InsertDelay");  // after row 0, the fixed delay (50)
    ASSERT_EQ(3u, md.GetEvents().size());
    EXPECT_EQ((MacroEvent{MacroEvent::kDelay, 50, 50}), md.GetEvents()[1]);
    md.RunContextCommand(L"$Edit");  // on the new delay row: a label edit, no message
    md.SendMessage(LVM_CANCELEDITLABEL);
    md.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    md.RunContextCommand(L"$Edit");  // a key row: the owner captures a new key
    md.RunContextCommand(L"$Delete");
    EXPECT_EQ(2u, md.GetEvents().size());
    EXPECT_EQ(MacroEvent::kDelay, md.GetEvents()[0].kind);
    // Insert; the cancelled label edit (which keeps the value); edit; delete.
    std::vector<RecordedMsg> expected = {{WM_MACRO_EVENTS_CHANGED, 0, 88}, {WM_MACRO_EVENTS_CHANGED, 0, 88},
                                         {WM_MACRO_EVENT_EDIT, 0, 88}, {WM_MACRO_EVENTS_CHANGED, 0, 88}};
    std::vector<RecordedMsg> macro;
    for (const auto& m : owner.Log())
        if (m.message >= WM_MACRO_EVENTS_CHANGED && m.message <= WM_MACRO_PLAYBACK_DONE) macro.push_back(m);
    EXPECT_EQ("", DiffSequence(expected, macro));
    EXPECT_TRUE(md.ReplaceEvent(1, {MacroEvent::kKey, 0x30, kRelease}));
    EXPECT_FALSE(md.ReplaceEvent(2, {MacroEvent::kKey, 0x30, kRelease}));
    EXPECT_EQ(0x30, md.GetEvents()[1].value);
}

TEST_F(MacroFixture, DelayEditSetsBothWordsAndKeepsOldOnZero)
{
    md.SetEvents({{MacroEvent::kDelay, 1001, 1001}});
    md.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    HWND edit = (HWND)md.SendMessage(LVM_EDITLABELW, 0);
    ASSERT_NE(nullptr, edit);
    wchar_t text[32] = {};
    ::GetWindowTextW(edit, text, 32);
    EXPECT_STREQ(L"1001", text);  // rounded, not truncated to 1000
    EXPECT_EQ((LRESULT)kDelayEditLimit, ::SendMessageW(edit, EM_GETLIMITTEXT, 0, 0));
    EXPECT_STREQ(L"", RowText(0));  // the old text does not show beside the edit
    ::SetWindowTextW(edit, L"1500");
    ::SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ((MacroEvent{MacroEvent::kDelay, 1500, 1500}), md.GetEvents()[0]);
    EXPECT_STREQ(L"1.500 $secondsdelay", RowText(0));

    edit = (HWND)md.SendMessage(LVM_EDITLABELW, 0);
    ASSERT_NE(nullptr, edit);
    ::SetWindowTextW(edit, L"0");
    ::SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(1500, md.GetEvents()[0].value);
    EXPECT_EQ(2, owner.Count(WM_MACRO_EVENTS_CHANGED));

    ASSERT_NE(nullptr, (HWND)md.SendMessage(LVM_EDITLABELW, 0));
    md.SendMessage(LVM_CANCELEDITLABEL);
    EXPECT_STREQ(L"1.500 $secondsdelay", RowText(0));  // written again
}

TEST_F(MacroFixture, ReadOnlyPlaybackShowsRowsAfterDelays)
{
    CMacroDisplayItem ro;
    ro.m_readOnly = true;
    ASSERT_TRUE(ro.Create(&owner, RECT{10, 10, 200, 200}, 89));
    ro.AddColumn(CMacroDisplayItem::kColumnDescription, 1, 180, 0, L"");
    EXPECT_FALSE(ro.ToggleRecording());
    ro.StartPlayback({{MacroEvent::kKey, 0x1E, kPress},
                      {MacroEvent::kDelay, 200, 200},
                      {MacroEvent::kKey, 0x1E, kRelease}});
    EXPECT_EQ(1, ro.GetItemCount());  // the first key at once
    EXPECT_TRUE(PumpUntil([&] { return ro.GetItemCount() == 2 || owner.Count(WM_MACRO_PLAYBACK_DONE); }));
    EXPECT_TRUE(PumpUntil([&] { return owner.Count(WM_MACRO_PLAYBACK_DONE) == 1; }));
    EXPECT_EQ(0, ro.GetItemCount());
    EXPECT_FALSE(ro.ReplaceEvent(0, {MacroEvent::kDelay, 1, 1}));

    // Stopped early: the rows go and no end is reported.
    ro.StartPlayback({{MacroEvent::kKey, 0x1E, kPress}, {MacroEvent::kDelay, 60000, 60000}});
    ro.StopPlayback();
    EXPECT_EQ(0, ro.GetItemCount());
    EXPECT_EQ(1, owner.Count(WM_MACRO_PLAYBACK_DONE));
}

TEST_F(MacroFixture, RightClickShowsTheRowKindsContextList)
{
    static int asked = 0;
    SetListPanelPopupRunner([](const ListPanelPopupRequest& r) -> ListPanelPopupResult {
        ++asked;
        return {r.rows && r.rows->size() > 1 ? 1 : -1, -1};
    });
    CListPanelItem keys, mouse, delays;
    keys.SetRows({ListPanelEntry(L"$Edit"), ListPanelEntry(L"$Delete")});
    delays.SetRows({ListPanelEntry(L"$Edit"), ListPanelEntry(L"$InsertDelay")});
    md.SetContextLists(&keys, &mouse, &delays);
    md.SetEvents({{MacroEvent::kKey, 0x1E, kPress}, {MacroEvent::kDelay, 10, 10}});
    RECT r{};
    md.GetItemRect(0, &r, LVIR_BOUNDS);
    md.SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(r.left + 40, (r.top + r.bottom) / 2));
    SetListPanelPopupRunner(nullptr);
    EXPECT_EQ(1, asked);
    ASSERT_EQ(1u, md.GetEvents().size());  // "$Delete" ran on the key row
    EXPECT_EQ(MacroEvent::kDelay, md.GetEvents()[0].kind);
}
