// The device object's one worker thread: started for a write, asked to stop
// early, and joined without blocking the messages the thread sends to the
// joining thread's windows.
#pragma once
#include <windows.h>
#include <atomic>
#include <functional>

// Waits for a handle while handling messages sent to this thread (so a
// thread that SendMessages to our windows is never dead-locked against us).
// Posted messages stay queued. Returns the wait result (WAIT_OBJECT_0,
// WAIT_TIMEOUT or WAIT_FAILED).
DWORD WaitHandlingSentMessages(HANDLE handle, DWORD timeoutMs);

class CTransferWorker {
public:
    CTransferWorker();
    // Joins a running thread (see Join) before anything is freed.
    ~CTransferWorker();
    CTransferWorker(const CTransferWorker&) = delete;
    CTransferWorker& operator=(const CTransferWorker&) = delete;

    // Runs body on a new thread. Refused (false) while an earlier thread
    // still runs; a finished one is reaped first. Exceptions never leave the
    // thread.
    bool Start(std::function<void()> body);
    // Whether a thread is running (a finished one is reaped).
    bool IsRunning();
    // Waits up to graceMs for the thread, then asks it to stop and waits on
    // until it has ended. Sent messages are handled throughout.
    void Join(DWORD graceMs);

    // For the body: whether it should give up at its next step.
    bool StopRequested() const { return m_stop.load(); }
    // For the body: sleeps ms, or less when asked to stop.
    void Pause(DWORD ms) const;

private:
    static unsigned __stdcall ThreadMain(void* self);
    void Reap();

    HANDLE m_thread = nullptr;
    HANDLE m_stopEvent = nullptr;
    std::atomic<bool> m_stop{false};
    std::function<void()> m_body;
};
