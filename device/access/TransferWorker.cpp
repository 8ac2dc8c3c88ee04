#include "TransferWorker.h"

#include <process.h>

DWORD WaitHandlingSentMessages(HANDLE handle, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    MSG msg;
    for (;;) {
        // Peeking delivers the pending sent messages; nothing posted is taken.
        ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        DWORD left = INFINITE;
        if (timeoutMs != INFINITE) {
            DWORD elapsed = ::GetTickCount() - start;
            left = elapsed >= timeoutMs ? 0 : timeoutMs - elapsed;
        }
        DWORD r = ::MsgWaitForMultipleObjects(1, &handle, FALSE, left, QS_SENDMESSAGE);
        if (r != WAIT_OBJECT_0 + 1)
            return r;
    }
}

CTransferWorker::CTransferWorker()
{
    m_stopEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
}

CTransferWorker::~CTransferWorker()
{
    Join(0);
    if (m_stopEvent)
        ::CloseHandle(m_stopEvent);
}

void CTransferWorker::Reap()
{
    if (m_thread && ::WaitForSingleObject(m_thread, 0) == WAIT_OBJECT_0) {
        ::CloseHandle(m_thread);
        m_thread = nullptr;
        m_body = nullptr;
    }
}

bool CTransferWorker::IsRunning()
{
    Reap();
    return m_thread != nullptr;
}

bool CTransferWorker::Start(std::function<void()> body)
{
    Reap();
    if (m_thread || !body)
        return false;
    m_stop = false;
    if (m_stopEvent)
        ::ResetEvent(m_stopEvent);
    m_body = std::move(body);
    uintptr_t h = _beginthreadex(nullptr, 0, &CTransferWorker::ThreadMain, this, 0, nullptr);
    if (!h) {
        m_body = nullptr;
        return false;
    }
    m_thread = reinterpret_cast<HANDLE>(h);
    return true;
}

unsigned __stdcall CTransferWorker::ThreadMain(void* self)
{
    CTransferWorker* worker = static_cast<CTransferWorker*>(self);
    try {
        worker->m_body();
    } catch (...) {
        // Nothing may leave the thread; the body reports through its state.
    }
    return 0;
}

void CTransferWorker::Join(DWORD graceMs)
{
    if (!m_thread)
        return;
    if (WaitHandlingSentMessages(m_thread, graceMs) != WAIT_OBJECT_0) {
        m_stop = true;
        if (m_stopEvent)
            ::SetEvent(m_stopEvent);
        WaitHandlingSentMessages(m_thread, INFINITE);
    }
    ::CloseHandle(m_thread);
    m_thread = nullptr;
    m_body = nullptr;
}

void CTransferWorker::Pause(DWORD ms) const
{
    if (m_stopEvent)
        ::WaitForSingleObject(m_stopEvent, ms);
    else
        ::Sleep(ms);
}
