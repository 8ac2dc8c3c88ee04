// The charging dock's Apply: a worker passes the worker gate, then asks the
// dialog (by a sent message, so the write itself starts on the UI thread,
// the only one that calls the device object) to write now; while the dialog
// answers that the device is busy it asks again every 100 ms.
#pragma once
#include <windows.h>

#include "WorkerGate.h"
#include "WorkerThreads.h"

// Sent to the dialog by an Apply worker; the answer is one of ApplyAnswer.
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
    // Tells waiting workers to give up and waits for all of them, handling
    // messages sent to this thread.
    void StopAndJoin();

private:
    struct Args;
    static unsigned __stdcall ThreadMain(void* param);

    CWorkerGate& m_gate;
    HANDLE m_stop;
    CWorkerThreads m_threads;
    volatile LONG m_pending = 0;
};
