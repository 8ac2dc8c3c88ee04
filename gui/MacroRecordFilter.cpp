#include "MacroRecordFilter.h"

#include <algorithm>

#include "MacroDelayText.h"

bool MacroKeyRepeatFilter::Pass(uint16_t makeCode, bool e0, bool released)
{
    const uint32_t key = makeCode | (e0 ? 0x10000u : 0u);
    auto it = std::find(m_held.begin(), m_held.end(), key);
    if (released) {
        if (it != m_held.end()) m_held.erase(it);
        return true;
    }
    if (it != m_held.end()) return false;
    m_held.push_back(key);
    return true;
}

std::vector<MouseButtonEvent> MouseButtonEventsFromFlags(USHORT buttonFlags)
{
    // Bits 0-9 come in down/up pairs for buttons 1 to 5
    // (RI_MOUSE_BUTTON_1_DOWN = 0x1, RI_MOUSE_BUTTON_1_UP = 0x2, ...).
    std::vector<MouseButtonEvent> out;
    for (int bit = 0; bit < 10; ++bit)
        if (buttonFlags & (1u << bit)) out.push_back({bit / 2 + 1, (bit & 1) != 0});
    return out;
}

bool MacroDelayPolicy::DelayBefore(DWORD now, bool eventsEmpty, DWORD& delay)
{
    if (eventsEmpty) {
        m_last = now;
        return false;
    }
    if (m_noDelays) return false;
    if (m_fixed) {
        delay = m_fixedMs;
        return true;
    }
    DWORD elapsed = now - m_last;  // unsigned: right across the tick wrap
    delay = std::min<DWORD>(elapsed, kMaxMeasuredDelay);
    m_last = now;
    return true;
}
