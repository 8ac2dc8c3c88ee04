// The gate that the dialog's lighting and Apply workers pass: one at a time,
// and no more than three holding or waiting (a fourth gives up at once; the
// lighting slot still holds the newest values for the ones that wait). It
// is a Win32 mutex, which promises one holder at a time and that a waiter
// whose holder ended without leaving still gets its turn, but not which
// waiter goes next: the waiting workers pass in no promised order. None
// depends on it: a lighting sender reads the newest values when its turn
// comes, and an Apply worker asks for the write of the configuration as it
// then stands.
#pragma once
#include <windows.h>

class CWorkerGate {
public:
    static constexpr LONG kMaxWorkers = 3;

    CWorkerGate();
    ~CWorkerGate();
    CWorkerGate(const CWorkerGate&) = delete;
    CWorkerGate& operator=(const CWorkerGate&) = delete;

    // Counts the caller in and waits for its turn; false (and not counted)
    // when three already hold or wait.
    bool Enter();
    void Leave();
    // Workers holding or waiting.
    LONG Count() const { return m_count; }

    // Enter/Leave for one scope.
    class Pass {
    public:
        explicit Pass(CWorkerGate& gate) : m_gate(gate), m_entered(gate.Enter()) {}
        ~Pass()
        {
            if (m_entered)
                m_gate.Leave();
        }
        bool Entered() const { return m_entered; }

    private:
        CWorkerGate& m_gate;
        bool m_entered;
    };

private:
    HANDLE m_mutex;
    volatile LONG m_count = 0;
};
