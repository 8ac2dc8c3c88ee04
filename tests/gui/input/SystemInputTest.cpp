// Keys sent through the system's input queue, read back as raw input by a
// key-capture edit. The input reaches every program on the desktop that
// listens to raw input, so this program runs while no other test does.
#include <gtest/gtest.h>

#include "Capture.h"
#include "EditItems.h"
#include "KeyCaptureMachine.h"
#include "KeyName.h"
#include "RawInput.h"
#include "RecordingWnd.h"
#include "WidgetMessages.h"

TEST(CaptureEditRawInput, KeysSentThroughTheSystemArriveAsRawInput)
{
    CRecordingWnd owner;
    ASSERT_TRUE(owner.CreateTopLevel(300, 120));
    owner.ShowWindow(SW_SHOW);
    KeyCaptureMachine::ProcessHoldOff() = {};
    UnregisterRawInput();
    CEditItemSingleKeyInputMMO edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_CENTER, {20, 20, 160, 44}, &owner, 40));
    AddRawInputUsage(rawinput::kUsageKeyboard);
    ASSERT_TRUE(RegisterRawInput(edit.m_hWnd));
    owner.Clear();

    INPUT in[2] = {};
    in[0].type = INPUT_KEYBOARD;
    in[0].ki.wVk = 'K';
    in[0].ki.wScan = 0x25;
    in[1] = in[0];
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    // Another program on the desktop may take the foreground, or leave none,
    // and sent keys can then miss this window: they are sent again, from
    // the foreground, until they arrive.
    bool arrived = false;
    for (int attempt = 0; attempt < 5 && !arrived; ++attempt) {
        ::SetForegroundWindow(owner.m_hWnd);
        edit.SetFocus();
        ASSERT_EQ(::SendInput(2, in, sizeof(INPUT)), 2u);
        arrived = PumpUntil([&] { return owner.Count(WM_ITEM_VALUE_CHOSEN) >= 2; }, 2000);
    }
    EXPECT_TRUE(arrived);
    EXPECT_EQ(edit.CapturedScanCode(), 0x25);
    EXPECT_EQ(edit.CapturedText(), SystemKeyName(0x25));
    EXPECT_EQ(edit.GetWindowText(), SystemKeyName(0x25));
    SaveCapture(owner.m_hWnd, L"input_capture_edit");
}
