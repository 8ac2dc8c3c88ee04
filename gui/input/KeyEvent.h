// One key press or release as the key-capture widgets and the macro event
// list see it, filled from raw keyboard input or from a queued key message,
// and the display name of a key.
#pragma once
#include <windows.h>

#include <cstdint>

#include "String.h"

struct KeyEvent {
    enum : uint8_t { kPressed = 0xFF, kReleased = 0x01 };
    enum : uint8_t { kExtended = 1, kAlt = 2, kCtrl = 4, kShift = 8 };

    uint16_t scanCode = 0;
    uint16_t virtualKey = 0;
    uint8_t state = 0;
    uint8_t flags = 0;
    CString name;
    uint16_t currentVirtualKey = 0;  // kept when raw input reports no virtual key
    uint16_t currentScanCode = 0;
};

// Fills from the keyboard part of a WM_INPUT packet. The record is filled in
// every case; true only when the packet names a usable key (a make code, not
// the Pause sequence's E1 prefix, not a fake key with E0 and no virtual key).
// A null packet returns false and leaves the record alone.
bool KeyEventFromRawKeyboard(KeyEvent& ev, const RAWKEYBOARD* raw);

// Fills from WM_KEYDOWN/WM_KEYUP/WM_SYSKEYDOWN/WM_SYSKEYUP. Returns 1 when the
// caller should swallow the message (an auto-repeat, another message, or a
// key-down of a key an edit control would act on), else 0.
int KeyEventFromKeyMessage(KeyEvent& ev, const MSG& msg);

// The system's name of a key; false (name unchanged) when it has none.
bool GetKeyNameString(uint16_t virtualKey, CString& name, uint16_t scanCode, bool extended);

// The keyboard layout that key names and modifier bits are taken from: the
// current language table's layout, or null when none is current.
HKL CurrentKeyboardLayout();
