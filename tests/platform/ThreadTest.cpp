// Threads: the queue exists before the creator goes on, thread-message
// dispatch through the map (also inside a modal loop), exit codes, locks.
#include <gtest/gtest.h>

#include <atomic>

#include "Dialog.h"
#include "Sync.h"
#include "WinThread.h"
#include "resource.h"

namespace {

const UINT TM_ADD = WM_APP + 10;
const UINT TM_MODAL = WM_APP + 11;

class CCountingThread : public CWinThread {
public:
    std::atomic<int> sum{0};
    std::atomic<int> inModal{0};
    HANDLE done = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ~CCountingThread() override { ::CloseHandle(done); }
    BOOL InitInstance() override { return TRUE; }
    int ExitInstance() override {
        ::SetEvent(done);
        return CWinThread::ExitInstance();
    }

protected:
    void OnAdd(WPARAM w, LPARAM) { sum += (int)w; }
    void OnModal(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCountingThread, CWinThread)
    ON_THREAD_MESSAGE(TM_ADD, OnAdd)
    ON_THREAD_MESSAGE(TM_MODAL, OnModal)
END_MESSAGE_MAP()

// A modal dialog on the thread: thread messages posted while it runs still
// reach the thread's map, and one of them ends the dialog.
class CThreadDialog : public CDialog {
public:
    CThreadDialog() : CDialog(IDD_TEST_PLAIN) {}
    BOOL OnInitDialog() override {
        ::PostThreadMessageW(::GetCurrentThreadId(), TM_ADD, 1000, 0);
        ::PostThreadMessageW(::GetCurrentThreadId(), TM_ADD, 0, 1);  // marker: end the dialog
        return TRUE;
    }
};

CThreadDialog* g_threadDialog = nullptr;

void CCountingThread::OnModal(WPARAM, LPARAM)
{
    CThreadDialog dlg;
    g_threadDialog = &dlg;
    inModal = 1;
    // Ends when the dialog sees the sum change.
    struct Watch {
        static void CALLBACK Tick(HWND h, UINT, UINT_PTR, DWORD) {
            CCountingThread* t = static_cast<CCountingThread*>(CWinThread::GetCurrent());
            if (t->sum >= 1000)
                g_threadDialog->EndDialog(5);
            (void)h;
        }
    };
    ::SetTimer(nullptr, 0, 10, &Watch::Tick);
    dlg.DoModal();
    inModal = 2;
}

}  // namespace

TEST(WinThread, MessagesPostedRightAfterStartAreNotLost)
{
    CCountingThread* t = new CCountingThread();
    t->m_bAutoDelete = FALSE;
    ASSERT_TRUE(AfxBeginThread(t));
    for (int i = 1; i <= 100; ++i)
        ASSERT_TRUE(t->PostThreadMessage(TM_ADD, (WPARAM)i, 0));
    ASSERT_TRUE(t->PostThreadMessage(WM_QUIT, 69, 0));
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(t->m_hThread, 5000));
    EXPECT_EQ(5050, t->sum.load());
    DWORD code = 0;
    ::GetExitCodeThread(t->m_hThread, &code);
    EXPECT_EQ(69u, code);  // WM_QUIT's wParam
    delete t;
}

TEST(WinThread, ThreadMessagesReachTheMapDuringAModalLoop)
{
    CCountingThread* t = new CCountingThread();
    t->m_bAutoDelete = FALSE;
    ASSERT_TRUE(AfxBeginThread(t));
    t->PostThreadMessage(TM_MODAL, 0, 0);
    DWORD start = ::GetTickCount();
    while (t->inModal != 2 && ::GetTickCount() - start < 5000)
        ::Sleep(5);
    EXPECT_EQ(2, t->inModal.load());
    EXPECT_GE(t->sum.load(), 1000);
    t->PostThreadMessage(WM_QUIT, 0, 0);
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(t->m_hThread, 5000));
    delete t;
}

namespace {
std::atomic<int> g_workerRan{0};
UINT Worker(LPVOID p)
{
    g_workerRan = *static_cast<int*>(p);
    return 17;
}
}  // namespace

TEST(WinThread, WorkerThreadRunsItsFunction)
{
    int value = 3;
    CWinThread* t = AfxBeginThread(&Worker, &value, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(nullptr, t);
    t->m_bAutoDelete = FALSE;
    t->ResumeThread();
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(t->m_hThread, 5000));
    EXPECT_EQ(3, g_workerRan.load());
    DWORD code = 0;
    ::GetExitCodeThread(t->m_hThread, &code);
    EXPECT_EQ(17u, code);
    delete t;
}

TEST(Sync, SingleLockTimesOutAndUnlocksAtScopeEnd)
{
    CMutex mutex;
    HANDLE holding = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    struct Ctx { CMutex* m; HANDLE holding, release; } ctx{&mutex, holding, release};
    HANDLE th = ::CreateThread(nullptr, 0, [](LPVOID p) -> DWORD {
        Ctx* c = static_cast<Ctx*>(p);
        CSingleLock lock(c->m, TRUE);
        ::SetEvent(c->holding);
        ::WaitForSingleObject(c->release, 5000);
        return 0;  // the lock's destructor releases the mutex
    }, &ctx, 0, nullptr);
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(holding, 5000));
    {
        CSingleLock lock(&mutex);
        EXPECT_FALSE(lock.Lock(50));
        EXPECT_FALSE(lock.IsLocked());
    }
    ::SetEvent(release);
    ::WaitForSingleObject(th, 5000);
    CSingleLock lock(&mutex);
    EXPECT_TRUE(lock.Lock(1000));
    EXPECT_TRUE(lock.IsLocked());
    ::CloseHandle(th);
    ::CloseHandle(holding);
    ::CloseHandle(release);
}

TEST(Sync, NamedMutexReportsAnEarlierOwner)
{
    CMutex first(FALSE, L"TkTestNamedMutex");
    EXPECT_FALSE(first.AlreadyExisted());
    CMutex second(FALSE, L"TkTestNamedMutex");
    EXPECT_TRUE(second.AlreadyExisted());
}

TEST(Sync, CriticalSectionTryLockWithTimeout)
{
    CCriticalSection cs;
    CSingleLock a(&cs, TRUE);
    EXPECT_TRUE(a.IsLocked());
    std::atomic<int> got{-1};
    HANDLE th = ::CreateThread(nullptr, 0, [](LPVOID p) -> DWORD {
        auto* pair = static_cast<std::pair<CCriticalSection*, std::atomic<int>*>*>(p);
        *pair->second = pair->first->Lock(30) ? 1 : 0;
        return 0;
    }, new std::pair<CCriticalSection*, std::atomic<int>*>(&cs, &got), 0, nullptr);
    ::WaitForSingleObject(th, 5000);
    ::CloseHandle(th);
    EXPECT_EQ(0, got.load());
}
