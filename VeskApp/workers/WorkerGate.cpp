#include "WorkerGate.h"

CWorkerGate::CWorkerGate() : m_mutex(::CreateMutexW(nullptr, FALSE, nullptr)) {}

CWorkerGate::~CWorkerGate()
{
    if (m_mutex)
        ::CloseHandle(m_mutex);
}

bool CWorkerGate::Enter()
{
    if (!m_mutex)
        return false;
    // The check and the count change as one step.
    for (;;) {
        LONG seen = m_count;
        if (seen >= kMaxWorkers)
            return false;
        if (::InterlockedCompareExchange(&m_count, seen + 1, seen) == seen)
            break;
    }
    DWORD wait = ::WaitForSingleObject(m_mutex, INFINITE);
    if (wait != WAIT_OBJECT_0 && wait != WAIT_ABANDONED) {
        ::InterlockedDecrement(&m_count);
        return false;
    }
    return true;
}

void CWorkerGate::Leave()
{
    // Counted out before the next one may enter: a count still holding the
    // leaver would turn a new sender away while every counted one has
    // already read its values, and the newest values would never be sent.
    ::InterlockedDecrement(&m_count);
    ::ReleaseMutex(m_mutex);
}
