#include "KeyEvent.h"

#include "LangTable.h"

namespace {

bool IsEditActionKey(UINT vk)
{
    switch (vk) {
    case VK_BACK: case VK_TAB: case VK_PAUSE: case VK_CAPITAL: case VK_SPACE:
    case VK_HOME: case VK_LEFT: case VK_UP: case VK_RIGHT: case VK_DOWN:
    case VK_LWIN: case VK_RWIN: case VK_APPS:
    case VK_NUMLOCK: case VK_SCROLL:
        return true;
    default:
        return false;
    }
}

// The part of a key message's lParam that says which key it was.
void FillKeyEventFromKeyData(KeyEvent& ev, LPARAM lParam, bool pressed)
{
    ev.currentScanCode = (uint16_t)((lParam >> 16) & 0xFF);
    const bool extended = (lParam >> 24) & 1;
    switch (ev.currentVirtualKey) {
    case VK_CONTROL: ev.currentVirtualKey = extended ? VK_RCONTROL : VK_LCONTROL; break;
    case VK_SHIFT:
        if (ev.currentScanCode == 0x2A) ev.currentVirtualKey = VK_LSHIFT;
        else if (ev.currentScanCode == 0x36) ev.currentVirtualKey = VK_RSHIFT;
        break;
    case VK_MENU: ev.currentVirtualKey = extended ? VK_RMENU : VK_LMENU; break;
    case VK_RETURN: if (extended) ev.currentVirtualKey = VK_SEPARATOR; break;  // keypad Enter
    default: break;
    }
    ev.scanCode = ev.currentScanCode;
    ev.virtualKey = ev.currentVirtualKey;
    ev.state = pressed ? KeyEvent::kPressed : KeyEvent::kReleased;
    ev.flags = 0;
    if (extended) ev.flags |= KeyEvent::kExtended;
    if ((lParam >> 29) & 1) ev.flags |= KeyEvent::kAlt;

    // Which modifiers the layout needs to type the key's character (not the
    // modifiers held): that is what the configurator stores with the key.
    HKL layout = CurrentKeyboardLayout();
    UINT ch = ::MapVirtualKeyExW(ev.currentVirtualKey, MAPVK_VK_TO_CHAR, layout);
    SHORT scan = ::VkKeyScanExW((WCHAR)(uint16_t)(int16_t)(int8_t)(ch & 0xFF), layout);
    const unsigned high = ((unsigned)(uint16_t)scan >> 8) & 0xFF;
    if (high & 1) ev.flags |= KeyEvent::kShift;
    if (high & 2) ev.flags |= KeyEvent::kCtrl;
    if (high & 4) ev.flags |= KeyEvent::kAlt;
    GetKeyNameString(ev.currentVirtualKey, ev.name, ev.currentScanCode, ev.flags & KeyEvent::kExtended);
}
}  // namespace

HKL CurrentKeyboardLayout()
{
    const CLangTable* table = GetCurrentLangTable();
    return table ? table->KeyboardLayout() : nullptr;
}

bool GetKeyNameString(uint16_t virtualKey, CString& name, uint16_t scanCode, bool extended)
{
    LONG lParam = (LONG)((DWORD)scanCode << 16);
    if (extended || virtualKey == VK_NUMLOCK || virtualKey == 0xC2) lParam |= 0x1000000;
    wchar_t buffer[40] = {};
    if (::GetKeyNameTextW(lParam, buffer, 40) == 0) return false;
    name = buffer;
    return true;
}

bool KeyEventFromRawKeyboard(KeyEvent& ev, const RAWKEYBOARD* raw)
{
    if (!raw) return false;
    ev.scanCode = 0;
    ev.virtualKey = 0;
    ev.state = 0;
    ev.flags = 0;
    ev.currentScanCode = raw->MakeCode;
    if (raw->VKey != 0xFF) ev.currentVirtualKey = raw->VKey;
    ev.scanCode = ev.currentScanCode;
    ev.virtualKey = ev.currentVirtualKey;
    if (raw->Flags & RI_KEY_E0) ev.flags |= KeyEvent::kExtended;
    ev.state = (raw->Flags & RI_KEY_BREAK) ? KeyEvent::kReleased : KeyEvent::kPressed;
    // Not cleared first: a key without a name keeps the previous one.
    GetKeyNameString(ev.currentVirtualKey, ev.name, ev.currentScanCode, ev.flags & KeyEvent::kExtended);
    return raw->MakeCode != 0 && !(raw->Flags & RI_KEY_E1) && !((raw->Flags & RI_KEY_E0) && raw->VKey == 0xFF);
}

int KeyEventFromKeyMessage(KeyEvent& ev, const MSG& msg)
{
    bool pressed;
    switch (msg.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if ((msg.lParam >> 30) & 1) return 1;  // auto-repeat
        pressed = true;
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        pressed = false;
        break;
    default:
        return 1;
    }
    ev.currentVirtualKey = (uint16_t)(msg.wParam & 0xFFFF);
    const int swallow = (msg.message == WM_KEYDOWN && IsEditActionKey(ev.currentVirtualKey)) ? 1 : 0;
    ev.name.Empty();
    FillKeyEventFromKeyData(ev, msg.lParam, pressed);
    return swallow;
}
