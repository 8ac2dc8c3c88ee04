// What the macro display records from raw input, without a window: the
// auto-repeat filter over held keys, the split of a raw mouse report into
// button events, and the delay put before each recorded event.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

// Drops the repeated presses that a held key produces. A key is its make
// code together with its E0 prefix: left and right Ctrl, Alt and the two
// Enter keys share make codes and are told apart only by E0.
class MacroKeyRepeatFilter {
public:
    // True when the packet is to be recorded. A press of a held key is
    // dropped; a release always passes (and forgets the key when held).
    bool Pass(uint16_t makeCode, bool e0, bool released);
    void Clear() { m_held.clear(); }
    size_t HeldCount() const { return m_held.size(); }

private:
    std::vector<uint32_t> m_held;
};

struct MouseButtonEvent {
    int button;     // 1 left, 2 right, 3 middle, 4 and 5 the side buttons
    bool released;
    bool operator==(const MouseButtonEvent& o) const { return button == o.button && released == o.released; }
};

// The button events of one raw mouse report (RAWMOUSE usButtonFlags), one
// per set bit, in bit order: a report can carry a release and a press
// together, and each must be recorded. Wheel bits give nothing.
std::vector<MouseButtonEvent> MouseButtonEventsFromFlags(USHORT buttonFlags);

// The delay before each recorded event.
class MacroDelayPolicy {
public:
    void SetNoDelays(bool on) { m_noDelays = on; }
    bool NoDelays() const { return m_noDelays; }
    void SetFixedDelay(bool on, DWORD ms) { m_fixed = on; m_fixedMs = ms; }
    void SetFixedDelay(bool on) { m_fixed = on; }
    bool FixedDelay() const { return m_fixed; }
    DWORD FixedDelayMs() const { return m_fixedMs; }

    // Before an event at time `now` (GetTickCount milliseconds): true with
    // the delay to insert, false for none. No delay precedes the first event
    // of a macro (only the time is noted); with no delays set nothing is
    // added; with a fixed delay, that; otherwise the time since the last
    // recorded event, capped at 0xFFFFFF.
    bool DelayBefore(DWORD now, bool eventsEmpty, DWORD& delay);
    // A recording starts: a macro that already has events measures its
    // first new one from here, not from an earlier recording.
    void Start(DWORD now) { m_last = now; }

private:
    bool m_noDelays = false;
    bool m_fixed = false;
    DWORD m_fixedMs = 50;
    DWORD m_last = 0;
};
