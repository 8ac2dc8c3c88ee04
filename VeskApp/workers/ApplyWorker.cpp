#include "ApplyWorker.h"

#include <objbase.h>

struct CApplyWorkers::Args {
    CApplyWorkers* self;
    HWND dialog;
};

CApplyWorkers::CApplyWorkers(CWorkerGate& gate) : m_gate(gate), m_stop(::CreateEventW(nullptr, TRUE, FALSE, nullptr))
{
}

CApplyWorkers::~CApplyWorkers()
{
    StopAndJoin();
    if (m_stop)
        ::CloseHandle(m_stop);
}

bool CApplyWorkers::Start(HWND dialog)
{
    if (!m_stop)
        return false;
    auto* args = new Args{this, dialog};
    ::InterlockedIncrement(&m_pending);
    if (!m_threads.Start(&CApplyWorkers::ThreadMain, args)) {
        ::InterlockedDecrement(&m_pending);
        delete args;
        return false;
    }
    return true;
}

void CApplyWorkers::StopAndJoin()
{
    if (m_stop)
        ::SetEvent(m_stop);
    m_threads.Join();
    if (m_stop)
        ::ResetEvent(m_stop);
}

bool CApplyWorkers::IsWaiting(LPARAM request)
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_requests.count(request) != 0;
}

void CApplyWorkers::Answer(LPARAM request, ApplyAnswer answer)
{
    std::lock_guard<std::mutex> hold(m_lock);
    auto found = m_requests.find(request);
    if (found == m_requests.end())
        return;
    found->second->answer = answer;
    ::SetEvent(found->second->answered);
}

ApplyAnswer CApplyWorkers::Ask(HWND dialog)
{
    Request request{::CreateEventW(nullptr, TRUE, FALSE, nullptr), kApplyGiveUp};
    if (!request.answered)
        return kApplyGiveUp;
    LPARAM id = 0;
    {
        std::lock_guard<std::mutex> hold(m_lock);
        // Numbers are never reused, so a late answer finds no request.
        id = ++m_lastRequest;
        m_requests[id] = &request;
    }
    ApplyAnswer answer = kApplyGiveUp;
    // A window that is gone takes no post: give up.
    if (::PostMessageW(dialog, WM_APPLY_WRITE_NOW, 0, id)) {
        HANDLE waits[2] = {request.answered, m_stop};
        if (::WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0) {
            std::lock_guard<std::mutex> hold(m_lock);
            answer = request.answer;
        }
    }
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_requests.erase(id);
    }
    ::CloseHandle(request.answered);
    return answer;
}

unsigned __stdcall CApplyWorkers::ThreadMain(void* param)
{
    Args args = *static_cast<Args*>(param);
    delete static_cast<Args*>(param);
    CApplyWorkers* self = args.self;
    unsigned ran = 0;
    {
        CWorkerGate::Pass pass(self->m_gate);
        if (pass.Entered()) {
            ran = 1;
            while (::WaitForSingleObject(self->m_stop, 0) == WAIT_TIMEOUT) {
                if (self->Ask(args.dialog) != kApplyBusy)
                    break;
                if (::WaitForSingleObject(self->m_stop, 100) != WAIT_TIMEOUT)
                    break;
            }
        }
    }
    ::InterlockedDecrement(&self->m_pending);
    return ran;
}
