#include "WorkerThreads.h"

#include <process.h>

#include "TransferWorker.h"

bool CWorkerThreads::Start(unsigned(__stdcall* fn)(void*), void* arg, int priority)
{
    Reap();
    // Suspended, so the priority holds from the thread's first step.
    uintptr_t h = _beginthreadex(nullptr, 0, fn, arg, CREATE_SUSPENDED, nullptr);
    if (!h)
        return false;
    if (priority != THREAD_PRIORITY_NORMAL)
        ::SetThreadPriority((HANDLE)h, priority);
    m_threads.push_back((HANDLE)h);
    ::ResumeThread((HANDLE)h);
    return true;
}

void CWorkerThreads::Join()
{
    for (HANDLE h : m_threads) {
        WaitHandlingSentMessages(h, INFINITE);
        ::CloseHandle(h);
    }
    m_threads.clear();
}

void CWorkerThreads::Reap()
{
    for (size_t i = 0; i < m_threads.size();) {
        if (::WaitForSingleObject(m_threads[i], 0) == WAIT_OBJECT_0) {
            ::CloseHandle(m_threads[i]);
            m_threads.erase(m_threads.begin() + i);
        } else {
            ++i;
        }
    }
}
