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

unsigned __stdcall CApplyWorkers::ThreadMain(void* param)
{
    Args args = *static_cast<Args*>(param);
    delete static_cast<Args*>(param);
    CApplyWorkers* self = args.self;
    unsigned ran = 0;
    {
        CWorkerGate::Pass pass(self->m_gate);
        if (pass.Entered()) {
            HRESULT com = ::CoInitialize(nullptr);
            ran = 1;
            while (::WaitForSingleObject(self->m_stop, 0) == WAIT_TIMEOUT) {
                // A window that is gone answers 0: give up.
                LRESULT answer = ::SendMessageW(args.dialog, WM_APPLY_WRITE_NOW, 0, 0);
                if (answer != kApplyBusy)
                    break;
                if (::WaitForSingleObject(self->m_stop, 100) != WAIT_TIMEOUT)
                    break;
            }
            if (SUCCEEDED(com))
                ::CoUninitialize();
        }
    }
    ::InterlockedDecrement(&self->m_pending);
    return ran;
}
