#include "KeyCaptureMachine.h"

#include <ctime>

KeyCaptureMachine::HoldOff& KeyCaptureMachine::ProcessHoldOff()
{
    static HoldOff holdOff;
    return holdOff;
}

int64_t KeyCaptureMachine::SystemSeconds() { return (int64_t)std::time(nullptr); }

uint8_t KeyCaptureMachine::ModifierBit(uint16_t scanCode)
{
    switch (scanCode) {
    case 0x1D: return KeyEvent::kCtrl;
    case 0x2A: case 0x36: return KeyEvent::kShift;
    case 0x38: return KeyEvent::kAlt;
    default: return 0;
    }
}

void KeyCaptureMachine::CaptureKey(uint16_t scanCode, const KeyEvent& ev)
{
    capturedScanCode = scanCode;
    capturedText = ev.name;
    capturedVirtualKey = ev.currentVirtualKey;
    // The extended bit belongs to the key captured now, not to an earlier one.
    capturedFlags = (uint8_t)((capturedFlags & ~KeyEvent::kExtended) | (ev.flags & KeyEvent::kExtended));
}

bool KeyCaptureMachine::FromIdle(bool released, uint8_t bit, uint16_t scanCode, const KeyEvent& ev)
{
    if (released) {  // A0
        state = kIdle;
        return false;
    }
    if (bit) {  // A1
        capturedFlags |= bit;
        state = kModifiersHeld;
        return true;
    }
    state = kKeyHeld;  // A2, plain key
    CaptureKey(scanCode, ev);
    return true;
}

bool KeyCaptureMachine::Feed(bool released, uint16_t scanCode, const KeyEvent& ev,
                             const std::function<void()>& onNotify)
{
    const int64_t now = m_clock();
    if (!m_holdOff->started) {
        m_holdOff->started = true;
        m_holdOff->t0 = now;
    }
    const uint8_t bit = ModifierBit(scanCode);
    bool notify = false;

    switch (state) {
    case kIdle:
        notify = FromIdle(released, bit, scanCode, ev);
        break;
    case kModifiersHeld:
        if (released) {  // A3
            capturedFlags |= bit;
            state = kFinished;
            notify = true;
        } else {
            notify = FromIdle(false, bit, scanCode, ev);
        }
        break;
    case kKeyHeld:
        if (bit) {  // A2, modifier: remembered, nothing shown
            state = kKeyHeld;
            capturedFlags |= bit;
        } else if (!released) {  // A2, plain key
            state = kKeyHeld;
            CaptureKey(scanCode, ev);
            notify = true;
        } else {  // A5
            state = kFinished;
            notify = true;
        }
        break;
    case kFinished:
    default:
        if (!released && !bit && capturedFlags != 0) {  // A2: a key with modifiers held
            state = kKeyHeld;
            CaptureKey(scanCode, ev);
            notify = true;
        } else if (now - m_holdOff->t0 < 1) {  // A6
            m_holdOff->t0 = now;
            state = kFinished;
        } else {
            capturedScanCode = 0;
            capturedText.Empty();
            notify = FromIdle(released, bit, scanCode, ev);
        }
        break;
    }

    if (notify && onNotify) onNotify();
    if (released && bit) capturedFlags &= (uint8_t)~bit;
    return notify;
}
