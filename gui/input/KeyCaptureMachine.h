// The modifier-aware capture of one key (with Ctrl, Shift, Alt) that the
// single-key capture edit runs on raw keyboard input. Plain data and a clock
// the caller injects, so the sequences can be fed without a window.
#pragma once
#include <cstdint>
#include <functional>

#include "KeyEvent.h"

class KeyCaptureMachine {
public:
    enum State { kIdle = 0, kModifiersHeld = 1, kKeyHeld = 2, kFinished = 6 };

    // The hold-off time stamp that every capture edit of the process shares:
    // set by the first key event any of them handles, renewed while events
    // arrive in the same second after a finished capture.
    struct HoldOff {
        bool started = false;
        int64_t t0 = 0;
    };
    using Clock = std::function<int64_t()>;  // whole seconds

    static HoldOff& ProcessHoldOff();
    static int64_t SystemSeconds();

    explicit KeyCaptureMachine(HoldOff* holdOff = &ProcessHoldOff(), Clock clock = &SystemSeconds)
        : m_holdOff(holdOff), m_clock(std::move(clock)) {}

    // The bit a modifier's make code stands for (Ctrl 4, Shift 8, Alt 2), or 0
    // for a plain key.
    static uint8_t ModifierBit(uint16_t scanCode);

    // Runs one raw key event; `ev` is the key event already filled from the
    // packet. When the owner is to be shown the captured text and notified,
    // `notify` runs (before a released modifier's bit is cleared, so the
    // owner sees it) and the result is true.
    bool Feed(bool released, uint16_t scanCode, const KeyEvent& ev, const std::function<void()>& notify = {});

    int state = kIdle;
    uint16_t capturedScanCode = 0;
    uint16_t capturedVirtualKey = 0;
    CString capturedText;
    uint8_t capturedFlags = 0;

private:
    bool FromIdle(bool released, uint8_t bit, uint16_t scanCode, const KeyEvent& ev);
    void CaptureKey(uint16_t scanCode, const KeyEvent& ev);

    HoldOff* m_holdOff;
    Clock m_clock;
};
