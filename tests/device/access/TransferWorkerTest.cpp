// The device object's worker thread: one at a time, joined without
// dead-locking against the messages it sends to this thread's windows, and
// told to stop after the grace period.
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>

#include "RecordingWnd.h"
#include "TransferWorker.h"

namespace {

const UINT kPing = WM_USER + 77;

}  // namespace

TEST(TransferWorker, OneThreadAtATimeAndAFinishedOneIsReaped)
{
    CTransferWorker worker;
    HANDLE release = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::atomic<int> runs{0};
    ASSERT_TRUE(worker.Start([&] {
        ::WaitForSingleObject(release, 5000);
        ++runs;
    }));
    EXPECT_TRUE(worker.IsRunning());
    EXPECT_FALSE(worker.Start([&] { ++runs; }));
    ::SetEvent(release);
    ASSERT_TRUE(PumpUntil([&] { return !worker.IsRunning(); }));
    EXPECT_TRUE(worker.Start([&] { ++runs; }));
    worker.Join(5000);
    EXPECT_EQ(2, runs.load());
    EXPECT_FALSE(worker.Start(nullptr));
    ::CloseHandle(release);
}

TEST(TransferWorker, JoinHandlesWhatTheThreadSendsToThisThread)
{
    CRecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateTopLevel());
    HWND hwnd = wnd.GetSafeHwnd();
    CTransferWorker worker;
    ASSERT_TRUE(worker.Start([hwnd] {
        for (int i = 0; i < 3; ++i)
            ::SendMessageW(hwnd, kPing, i, 0);
    }));
    // Without handling sent messages this wait would never end.
    worker.Join(INFINITE);
    EXPECT_FALSE(worker.IsRunning());
    EXPECT_EQ(3, wnd.Count(kPing));
    EXPECT_FALSE(worker.StopRequested());
    wnd.DestroyWindow();
}

TEST(TransferWorker, AfterTheGraceTheThreadIsToldToStopAndStillJoined)
{
    CTransferWorker worker;
    std::atomic<bool> sawStop{false}, ended{false};
    ASSERT_TRUE(worker.Start([&] {
        while (!worker.StopRequested())
            worker.Pause(10000);  // returns early when told to stop
        sawStop = true;
        ::Sleep(100);  // the last step still finishes before the join returns
        ended = true;
    }));
    DWORD start = ::GetTickCount();
    worker.Join(100);
    EXPECT_TRUE(sawStop.load());
    EXPECT_TRUE(ended.load());
    EXPECT_LT(::GetTickCount() - start, 5000u);
    EXPECT_FALSE(worker.IsRunning());
}

TEST(TransferWorker, AnExceptionEndsOnlyTheThread)
{
    CTransferWorker worker;
    ASSERT_TRUE(worker.Start([] { throw std::runtime_error("step failed"); }));
    worker.Join(5000);
    EXPECT_FALSE(worker.IsRunning());
    std::atomic<bool> ran{false};
    ASSERT_TRUE(worker.Start([&] { ran = true; }));
    worker.Join(5000);
    EXPECT_TRUE(ran.load());
}

TEST(TransferWorker, WaitHandlingSentMessagesTimesOutAndLeavesPostedMessages)
{
    CRecordingWnd wnd;
    ASSERT_TRUE(wnd.CreateTopLevel());
    ::PostMessageW(wnd.GetSafeHwnd(), kPing, 9, 0);
    HANDLE never = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitHandlingSentMessages(never, 50));
    EXPECT_EQ(0, wnd.Count(kPing));
    PumpPending();
    EXPECT_EQ(1, wnd.Count(kPing));
    ::SetEvent(never);
    EXPECT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), WaitHandlingSentMessages(never, INFINITE));
    ::CloseHandle(never);
    wnd.DestroyWindow();
}
