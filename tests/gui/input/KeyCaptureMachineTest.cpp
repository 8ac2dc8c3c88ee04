#include <gtest/gtest.h>

#include "KeyCaptureMachine.h"

namespace {
constexpr uint16_t kCtrl = 0x1D, kShift = 0x2A, kC = 0x2E, kRight = 0x4D, kX = 0x2D;

class Capture : public ::testing::Test {
protected:
    KeyCaptureMachine::HoldOff holdOff;
    int64_t now = 100;
    KeyCaptureMachine m{&holdOff, [this] { return now; }};
    struct Seen {
        int state;
        uint8_t flags;
        CString text;
        uint16_t scan;
    };
    std::vector<Seen> seen;

    void Feed(bool released, uint16_t scan, const wchar_t* name = L"", uint8_t evFlags = 0, uint16_t vk = 0)
    {
        KeyEvent ev;
        ev.name = name;
        ev.flags = evFlags;
        ev.currentVirtualKey = vk;
        m.Feed(released, scan, ev, [&] { seen.push_back({m.state, m.capturedFlags, m.capturedText, m.capturedScanCode}); });
    }
};
}  // namespace

TEST_F(Capture, CtrlCThenReleasesNotifyThreeTimes)
{
    Feed(false, kCtrl);
    Feed(false, kC, L"C", 0, 'C');
    Feed(true, kC, L"C");
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].state, 1);
    EXPECT_EQ(seen[0].flags, KeyEvent::kCtrl);
    EXPECT_EQ(seen[0].text, L"");
    EXPECT_EQ(seen[1].state, 2);
    EXPECT_EQ(seen[1].text, L"C");
    EXPECT_EQ(seen[1].flags, KeyEvent::kCtrl);
    EXPECT_EQ(seen[2].state, 6);
    EXPECT_EQ(m.capturedScanCode, kC);
    EXPECT_EQ(m.capturedVirtualKey, 'C');

    // Releasing Ctrl a second later: nothing sent, the bit and the capture go.
    now += 1;
    Feed(true, kCtrl);
    EXPECT_EQ(seen.size(), 3u);
    EXPECT_EQ(m.capturedFlags, 0);
    EXPECT_EQ(m.capturedScanCode, 0);
    EXPECT_EQ(m.capturedText, L"");
    EXPECT_EQ(m.state, 0);
}

TEST_F(Capture, CtrlReleasedInTheSameSecondKeepsTheCapture)
{
    Feed(false, kCtrl);
    Feed(false, kC, L"C");
    Feed(true, kC, L"C");
    Feed(true, kCtrl);
    EXPECT_EQ(seen.size(), 3u);
    EXPECT_EQ(m.capturedFlags, 0);
    EXPECT_EQ(m.capturedText, L"C");
    EXPECT_EQ(m.state, 6);
}

TEST_F(Capture, ShiftAloneNotifiesOnPressAndReleaseWithItsBit)
{
    Feed(false, kShift);
    Feed(true, kShift);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].flags, KeyEvent::kShift);
    EXPECT_EQ(seen[1].flags, KeyEvent::kShift);
    EXPECT_EQ(seen[1].state, 6);
    EXPECT_EQ(m.capturedFlags, 0);
}

TEST_F(Capture, NewKeyInALaterSecondReplacesTheFinishedCapture)
{
    Feed(false, kC, L"C");
    Feed(true, kC, L"C");
    now += 2;
    Feed(false, kX, L"X");
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[2].text, L"X");
    EXPECT_EQ(seen[2].state, 2);
    EXPECT_EQ(m.capturedScanCode, kX);
}

TEST_F(Capture, EventsInTheHoldOffSecondAreIgnored)
{
    Feed(false, kC, L"C");
    Feed(true, kC, L"C");
    Feed(false, kX, L"X");  // same second
    EXPECT_EQ(seen.size(), 2u);
    EXPECT_EQ(m.capturedText, L"C");
    EXPECT_EQ(m.state, 6);
}

TEST_F(Capture, ExtendedBitFollowsTheCapturedKey)
{
    Feed(false, kRight, L"Right", KeyEvent::kExtended);
    EXPECT_EQ(m.capturedFlags, KeyEvent::kExtended);
    Feed(true, kRight, L"Right", KeyEvent::kExtended);
    now += 2;
    Feed(false, kX, L"X", 0);
    EXPECT_EQ(m.capturedFlags & KeyEvent::kExtended, 0);
    EXPECT_EQ(m.capturedText, L"X");
}

TEST_F(Capture, KeyPressedWithModifierAfterFinishedCaptureIsTakenAtOnce)
{
    Feed(false, kCtrl);
    Feed(false, kC, L"C");
    Feed(true, kC, L"C");
    Feed(false, kX, L"X");  // Ctrl still held: no hold-off
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[3].text, L"X");
    EXPECT_EQ(seen[3].flags, KeyEvent::kCtrl);
}

TEST_F(Capture, ModifierPressedWhileKeyHeldIsAddedSilently)
{
    Feed(false, kC, L"C");
    Feed(false, kShift);
    EXPECT_EQ(seen.size(), 1u);
    EXPECT_EQ(m.capturedFlags, KeyEvent::kShift);
    Feed(true, kC, L"C");
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].flags, KeyEvent::kShift);
}

TEST(CaptureHoldOff, FirstEventOfAnyMachineSetsTheSharedTimeStamp)
{
    KeyCaptureMachine::HoldOff shared;
    KeyCaptureMachine a(&shared, [] { return (int64_t)50; });
    KeyCaptureMachine b(&shared, [] { return (int64_t)70; });
    a.Feed(false, 0x1E, KeyEvent{});
    b.Feed(false, 0x1E, KeyEvent{});
    EXPECT_TRUE(shared.started);
    EXPECT_EQ(shared.t0, 50);
}
