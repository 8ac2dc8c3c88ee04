#include <gtest/gtest.h>

#include "Capture.h"
#include "EditItems.h"
#include "KeyName.h"
#include "RawInput.h"
#include "RecordingWnd.h"
#include "WidgetMessages.h"

namespace {
MSG Msg(HWND h, UINT m, WPARAM w, LPARAM l = 0)
{
    MSG msg{};
    msg.hwnd = h;
    msg.message = m;
    msg.wParam = w;
    msg.lParam = l;
    return msg;
}
}  // namespace

TEST(EditItemWindow, BorderPanelWrapsTheEditAndChangesReachTheOwner)
{
    CRecordingWnd parent;
    ASSERT_TRUE(parent.CreateTopLevel(300, 120));
    parent.ShowWindow(SW_SHOW);
    CEditItem edit;
    edit.m_borderWidth = 2;
    edit.m_backColour = RGB(20, 20, 60);
    edit.m_borderColour = RGB(255, 200, 0);
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, {20, 20, 120, 44}, &parent, 31));
    RECT pr;
    edit.BorderPanel().GetWindowRect(&pr);
    parent.ScreenToClient(&pr);
    EXPECT_EQ(pr.left, 18);
    EXPECT_EQ(pr.bottom, 46);
    EXPECT_EQ(edit.GetOwner()->m_hWnd, parent.m_hWnd);
    parent.Clear();
    edit.SetWindowText(L"12");
    std::vector<RecordedMsg> expected{{WM_EDITITEM_CHANGED, 0, (LPARAM)edit.m_hWnd}};
    EXPECT_EQ(DiffSequence(expected, parent.OnlyMessage(WM_EDITITEM_CHANGED)), "");
    // Losing the focus is reported too (the border panel reflects it).
    edit.BorderPanel().SendMessage(WM_COMMAND, MAKEWPARAM(31, EN_KILLFOCUS), (LPARAM)edit.m_hWnd);
    EXPECT_EQ(parent.Count(WM_EDITITEM_LEFT), 1);
    edit.Show(false);
    EXPECT_FALSE(edit.BorderPanel().IsWindowVisible());
    edit.Show(true);
    CapturedImage img;
    ASSERT_TRUE(CaptureWindow(edit.BorderPanel().m_hWnd, img));
    EXPECT_EQ(img.Pixel(0, 0), RGB(255, 200, 0));
    SaveCapture(edit.BorderPanel().m_hWnd, L"widgets_edit_panel");
}

TEST(EditItemWindow, DigitsOnlyWithARange)
{
    CRecordingWnd parent;
    ASSERT_TRUE(parent.CreateTopLevel(300, 120));
    CEditItem edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, {20, 20, 120, 44}, &parent, 31));
    edit.m_digitsOnly = 1;
    edit.m_minValue = 1;
    edit.m_maxValue = 20;
    MSG two = Msg(edit.m_hWnd, WM_CHAR, '2');
    EXPECT_FALSE(edit.PreTranslateMessage(&two));
    edit.SetWindowText(L"2");
    edit.SetSel(1, 1);  // the caret after the digit, as typing leaves it
    MSG five = Msg(edit.m_hWnd, WM_CHAR, '5');
    EXPECT_TRUE(edit.PreTranslateMessage(&five));
    edit.SetWindowText(L"1");
    edit.SetSel(1, 1);
    EXPECT_FALSE(edit.PreTranslateMessage(&five));
    // A digit typed over the selection is judged by the text it makes.
    edit.m_maxValue = 255;
    edit.SetWindowText(L"100");
    edit.SetSel(0, -1);
    EXPECT_FALSE(edit.PreTranslateMessage(&two));  // "2", not "1002"
    edit.SetSel(3, 3);
    EXPECT_TRUE(edit.PreTranslateMessage(&two));
    MSG backDown = Msg(edit.m_hWnd, WM_KEYDOWN, VK_BACK);
    EXPECT_FALSE(edit.PreTranslateMessage(&backDown));  // a value can be corrected
    MSG backChar = Msg(edit.m_hWnd, WM_CHAR, VK_BACK);
    EXPECT_FALSE(edit.PreTranslateMessage(&backChar));
    edit.m_digitsOnly = 0;
    MSG letter = Msg(edit.m_hWnd, WM_CHAR, 'x');
    EXPECT_FALSE(edit.PreTranslateMessage(&letter));
}

namespace {
RAWKEYBOARD Raw(USHORT make, USHORT vk, USHORT flags)
{
    RAWKEYBOARD r{};
    r.MakeCode = make;
    r.VKey = vk;
    r.Flags = flags;
    return r;
}

struct CaptureEditFixture : ::testing::Test {
    CRecordingWnd owner;
    CEditItemSingleKeyInputMMO edit;
    void SetUp() override
    {
        KeyCaptureMachine::ProcessHoldOff() = {};
        ASSERT_TRUE(owner.CreateTopLevel(300, 120));
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_CENTER, {20, 20, 160, 44}, &owner, 40));
        owner.Clear();
    }
};

}  // namespace

TEST_F(CaptureEditFixture, CtrlCNotifiesTheOwnerWithTheEditHandle)
{
    edit.HandleRawKey(Raw(0x1D, VK_CONTROL, RI_KEY_MAKE));
    edit.HandleRawKey(Raw(0x2E, 'C', RI_KEY_MAKE));
    EXPECT_EQ(edit.CapturedFlags(), KeyEvent::kCtrl);
    EXPECT_EQ(edit.CapturedScanCode(), 0x2E);
    EXPECT_EQ(edit.CapturedVirtualKey(), 'C');
    EXPECT_EQ(edit.GetWindowText(), SystemKeyName(0x2E));
    edit.HandleRawKey(Raw(0x2E, 'C', RI_KEY_BREAK));
    const RecordedMsg once{WM_ITEM_VALUE_CHOSEN, 0, (LPARAM)edit.m_hWnd};
    std::vector<RecordedMsg> expected(3, once);
    EXPECT_EQ(DiffSequence(expected, owner.OnlyMessage(WM_ITEM_VALUE_CHOSEN)), "");
    EXPECT_EQ(edit.CaptureState(), 6);
}

TEST_F(CaptureEditFixture, FakeShiftAndPauseHalfAreDropped)
{
    edit.HandleRawKey(Raw(0x2A, 0xFF, RI_KEY_E0));
    edit.HandleRawKey(Raw(0x1D, VK_PAUSE, RI_KEY_E1));
    EXPECT_EQ(edit.CaptureState(), 0);
    EXPECT_EQ(owner.Count(WM_ITEM_VALUE_CHOSEN), 0);
}

TEST_F(CaptureEditFixture, EditKeysNeverReachTheEdit)
{
    MSG tab{};
    tab.hwnd = edit.m_hWnd;
    tab.message = WM_KEYDOWN;
    tab.wParam = VK_TAB;
    tab.lParam = (0x0F << 16) | 1;
    EXPECT_TRUE(edit.PreTranslateMessage(&tab));
    MSG space = tab;
    space.wParam = VK_SPACE;
    space.lParam = (0x39 << 16) | 1;
    EXPECT_TRUE(edit.PreTranslateMessage(&space));
    MSG a = tab;
    a.wParam = 'A';
    a.lParam = (0x1E << 16) | 1;
    edit.SetWindowText(L"typed");
    EXPECT_FALSE(edit.PreTranslateMessage(&a));
    EXPECT_EQ(edit.GetWindowText(), L"");  // back to the captured text
}

TEST(CaptureEditRegistration, DestroyingAnEditEndsOnlyItsOwnRegistration)
{
    CRecordingWnd owner;
    ASSERT_TRUE(owner.CreateTopLevel(300, 120));
    UnregisterRawInput();
    CRecordingWnd recorder;  // stands for the macro display holding the registration
    ASSERT_TRUE(recorder.CreateChild(&owner, {0, 60, 50, 80}));
    AddRawInputUsage(rawinput::kUsageKeyboard);
    ASSERT_TRUE(RegisterRawInput(recorder.m_hWnd));
    {
        CEditItemSingleKeyInputMMO edit;
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, {20, 20, 160, 44}, &owner, 40));
        AddRawInputUsage(rawinput::kUsageKeyboard);
        EXPECT_FALSE(RegisterRawInput(edit.m_hWnd));
    }
    EXPECT_TRUE(TheRawInputUsageList().IsRegistered());
    EXPECT_EQ(TheRawInputUsageList().Target(), recorder.m_hWnd);
    UnregisterRawInput();
    {
        CEditItemSingleKeyInput edit;
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, {20, 20, 160, 44}, &owner, 41));
        AddRawInputUsage(rawinput::kUsageKeyboard);
        ASSERT_TRUE(RegisterRawInput(edit.m_hWnd));
    }
    EXPECT_FALSE(TheRawInputUsageList().IsRegistered());

    // The page goes first, taking the edit's window with it: the
    // registration still ends, so later ones are not refused.
    {
        CEditItemSingleKeyInputMMO edit;
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, {20, 20, 160, 44}, &owner, 42));
        AddRawInputUsage(rawinput::kUsageKeyboard);
        ASSERT_TRUE(RegisterRawInput(edit.m_hWnd));
        owner.DestroyWindow();
        EXPECT_FALSE(TheRawInputUsageList().IsRegistered());
        EXPECT_FALSE(TheRawInputUsageList().HasDevices());
    }
}
