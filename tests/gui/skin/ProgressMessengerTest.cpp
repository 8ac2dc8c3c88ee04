// The progress messenger: listener list rules, messages to listener
// windows, and handlers that change the list while being sent to.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "ProgressMessenger.h"
#include "RecordingWnd.h"

namespace {

bool ProgressOnly(UINT m) { return m == WM_PROGRESS_PERCENT || m == WM_PROGRESS_TEXT; }

}  // namespace

TEST(ProgressMessenger, EachListenerGetsEachMessageOnce)
{
    CRecordingWnd a(&ProgressOnly), b(&ProgressOnly);
    ASSERT_TRUE(a.CreateTopLevel());
    ASSERT_TRUE(b.CreateTopLevel());
    CProgressMessenger m;
    m.SendProgress(5);  // no listener: returns at once
    m.Subscribe(a.m_hWnd);
    m.Subscribe(a.m_hWnd);
    m.Subscribe(b.m_hWnd);
    m.Unsubscribe((HWND)0x4242);
    EXPECT_EQ(2u, m.Listeners().size());
    std::wstring seen;
    a.m_answer = [&](UINT msg, WPARAM, LPARAM l, LRESULT*) {
        if (msg == WM_PROGRESS_TEXT)
            seen = reinterpret_cast<const wchar_t*>(l);
        return false;
    };
    m.SendProgress(42);
    m.SendText(L"Profile: one");
    std::vector<RecordedMsg> expected = {{WM_PROGRESS_PERCENT, (WPARAM)&m, 42}};
    ASSERT_EQ(2u, a.Log().size());
    EXPECT_EQ(expected[0], a.Log()[0]);
    EXPECT_EQ((WPARAM)&m, a.Log()[1].wParam);
    EXPECT_EQ(L"Profile: one", seen);
    EXPECT_EQ(2u, b.Log().size());

    m.Unsubscribe(a.m_hWnd);
    m.SendProgress(50);
    EXPECT_EQ(2u, a.Log().size());
    EXPECT_EQ(3u, b.Log().size());
    a.DestroyWindow();
    m.SendProgress(60);  // a window that is gone does not stop the loop
    b.DestroyWindow();
}

TEST(ProgressMessenger, HandlersMayChangeTheListDuringASend)
{
    CRecordingWnd a(&ProgressOnly), b(&ProgressOnly);
    ASSERT_TRUE(a.CreateTopLevel());
    ASSERT_TRUE(b.CreateTopLevel());
    CProgressMessenger m;
    m.Subscribe(a.m_hWnd);
    m.Subscribe(b.m_hWnd);
    a.m_answer = [&](UINT msg, WPARAM, LPARAM, LRESULT*) {
        if (msg == WM_PROGRESS_PERCENT) {
            m.Unsubscribe(a.m_hWnd);
            m.Subscribe(a.m_hWnd);
            m.Unsubscribe(b.m_hWnd);
        }
        return false;
    };
    // From a worker thread, as device transfers send: the UI thread's
    // handler changes the list while the worker is sending.
    std::atomic<bool> done{false};
    std::thread worker([&] {
        m.SendProgress(10);
        done = true;
    });
    DWORD start = ::GetTickCount();
    EXPECT_TRUE(PumpUntil([&] { return done.load(); }));
    worker.join();
    EXPECT_LT(::GetTickCount() - start, kHangTimeoutMs);
    EXPECT_EQ(1u, a.Log().size());
    EXPECT_EQ(1u, b.Log().size());  // it was in the copy being sent to
    EXPECT_EQ(1u, m.Listeners().size());
    a.DestroyWindow();
    b.DestroyWindow();
}

TEST(ProgressMessenger, RegistryHoldsEachMessengerOnce)
{
    CRecordingWnd w(&ProgressOnly);
    ASSERT_TRUE(w.CreateTopLevel());
    CProgressMessenger m1, m2;
    RegisterMessenger(nullptr);
    RegisterMessenger(&m1);
    EXPECT_STREQ(L"Loading UI components ...", m1.Status());
    m1.SetStatus(L"kept");
    RegisterMessenger(&m1);
    EXPECT_STREQ(L"kept", m1.Status());
    RegisterMessenger(&m2);
    EXPECT_EQ(2u, RegisteredMessengers().size());
    m1.Subscribe(w.m_hWnd);
    m2.Subscribe(w.m_hWnd);
    UnsubscribeFromAllMessengers(w.m_hWnd);
    EXPECT_TRUE(m1.Listeners().empty());
    EXPECT_TRUE(m2.Listeners().empty());
    UnregisterMessenger(&m1);
    UnregisterMessenger(&m2);
    UnregisterMessenger(&m2);
    EXPECT_TRUE(RegisteredMessengers().empty());
    w.DestroyWindow();
}
