// The charging dock's Apply: a worker passes the worker gate, then asks the
// dialog to write now. It posts its request and waits until the dialog's
// (UI) thread has answered: the UI thread starts the write itself, outside
// any message sent from another thread, and stays the only caller of the
// device object. While the dialog answers that the device is busy the
// worker asks again every 100 ms.
#pragma once
#include <windows.h>

#include <map>
#include <mutex>

#include "WorkerGate.h"
#include "WorkerThreads.h"

// Posted to the dialog by an Apply worker; lParam names the request, which
// the dialog answers with CApplyWorkers::Answer.
constexpr UINT WM_APPLY_WRITE_NOW = WM_APP + 0x41;
enum ApplyAnswer : LRESULT {
    kApplyGiveUp = 0,  // the dialog is closing (or gone): nothing written
    kApplyBusy = 1,    // the device object is busy: ask again
    kApplyDone = 2,    // the write was started, or refused (the dialog knows)
};

class CApplyWorkers {
public:
    explicit CApplyWorkers(CWorkerGate& gate);
    ~CApplyWorkers();
    CApplyWorkers(const CApplyWorkers&) = delete;
    CApplyWorkers& operator=(const CApplyWorkers&) = delete;

    // Starts a worker that writes through `dialog`; false when no thread
    // could start.
    bool Start(HWND dialog);
    // Workers that have not yet had their answer.
    LONG Pending() const { return m_pending; }
    // Whether a WM_APPLY_WRITE_NOW names a request a worker waits on; a late
    // or foreign message names none.
    bool IsWaiting(LPARAM request);
    // The dialog's answer to that request; ignored for one no worker waits on.
    void Answer(LPARAM request, ApplyAnswer answer);
    // Tells waiting workers to give up and waits for all of them, handling
    // messages sent to this thread.
    void StopAndJoin();

private:
    struct Args;
    struct Request {
        HANDLE answered;
        ApplyAnswer answer;
    };
    static unsigned __stdcall ThreadMain(void* param);
    // Posts one request and waits for its answer, or for the stop.
    ApplyAnswer Ask(HWND dialog);

    CWorkerGate& m_gate;
    HANDLE m_stop;
    CWorkerThreads m_threads;
    volatile LONG m_pending = 0;
    std::mutex m_lock;                     // guards the two below
    std::map<LPARAM, Request*> m_requests;  // waiting, by the number posted
    LPARAM m_lastRequest = 0;
};
