// The lighting preview: the UI thread puts the active profile's five values
// into one guarded slot and starts a sender; each sender passes the worker
// gate, reads the slot when its turn comes and sends that to the attached
// device through its own connection to the service. A sender dropped at the
// gate loses nothing: one that waits reads the newest values.
#pragma once
#include <windows.h>

#include <functional>
#include <mutex>

#include "LightingState.h"
#include "WorkerGate.h"
#include "WorkerThreads.h"

// Sends the values to the first attached model of 0x21, 0x1F, 0x15, 0x2E
// (its active profile's zones 1 and 4). Call on a thread with COM
// initialised. False when no model is attached or its zones cannot be
// reached; a failing zone call is not reported.
bool SetLightingOverCom(const LightingValues& values);

class CLightingSender {
public:
    using SendFn = std::function<void(const LightingValues&)>;
    // send: what a sender does with the values (the service by default).
    explicit CLightingSender(CWorkerGate& gate, SendFn send = nullptr);
    ~CLightingSender();
    CLightingSender(const CLightingSender&) = delete;
    CLightingSender& operator=(const CLightingSender&) = delete;

    // Replaces what senders do (tests); only while none runs.
    void SetSend(SendFn send) { m_send = std::move(send); }

    void SetLatest(const LightingValues& values);
    LightingValues Latest() const;
    // Starts a sender at high priority; false when no thread could start.
    bool Start();
    // Waits for every sender, handling messages sent to this thread.
    void Join();
    // Senders that gave up at the gate.
    LONG Dropped() const { return m_dropped; }

private:
    static unsigned __stdcall ThreadMain(void* self);

    CWorkerGate& m_gate;
    SendFn m_send;
    mutable std::mutex m_lock;
    LightingValues m_latest;
    volatile LONG m_dropped = 0;
    CWorkerThreads m_threads;  // last: joined before the members they use go
};
