#include "MacroRecordFilter.h"

#include <algorithm>

#include "MacroDelayText.h"
#include "RawInput.h"

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
    // The down bits are every other bit from bit 0, each followed by its up
    // bit; the table names the button.
    InitRawMouseButtonTable();
    const RawMouseButtonTable& table = TheRawMouseButtonTable();
    std::vector<MouseButtonEvent> out;
    for (unsigned down = RI_MOUSE_BUTTON_1_DOWN; down <= RI_MOUSE_BUTTON_5_DOWN; down <<= 2) {
        RawMouseButton b = table.Find((uint16_t)down);
        if (b.button == 0) continue;
        if (buttonFlags & down) out.push_back({b.button, false});
        if (buttonFlags & b.upBit) out.push_back({b.button, true});
    }
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
