#include <gtest/gtest.h>

#include "KeyEvent.h"

namespace {
RAWKEYBOARD Raw(USHORT make, USHORT vkey, USHORT flags)
{
    RAWKEYBOARD r{};
    r.MakeCode = make;
    r.VKey = vkey;
    r.Flags = flags;
    return r;
}

MSG KeyMsg(UINT message, WPARAM vk, UINT scan, bool extended = false, bool repeat = false, bool alt = false)
{
    MSG m{};
    m.message = message;
    m.wParam = vk;
    m.lParam = (LPARAM)((scan & 0xFF) << 16) | (extended ? (1 << 24) : 0) | (alt ? (1 << 29) : 0) |
               (repeat ? (1 << 30) : 0) | 1;
    return m;
}

CString SystemName(UINT scan, bool extended)
{
    wchar_t buf[40] = {};
    GetKeyNameTextW((LONG)((scan << 16) | (extended ? 0x1000000 : 0)), buf, 40);
    return buf;
}
}  // namespace

TEST(KeyEventRaw, NullPacketLeavesRecordAlone)
{
    KeyEvent ev;
    ev.scanCode = 7;
    EXPECT_FALSE(KeyEventFromRawKeyboard(ev, nullptr));
    EXPECT_EQ(ev.scanCode, 7);
}

TEST(KeyEventRaw, PressAndReleaseOfAPlainKey)
{
    KeyEvent ev;
    RAWKEYBOARD down = Raw(0x1E, 'A', RI_KEY_MAKE);
    EXPECT_TRUE(KeyEventFromRawKeyboard(ev, &down));
    EXPECT_EQ(ev.scanCode, 0x1E);
    EXPECT_EQ(ev.virtualKey, 'A');
    EXPECT_EQ(ev.state, KeyEvent::kPressed);
    EXPECT_EQ(ev.flags, 0);
    EXPECT_EQ(ev.name, SystemName(0x1E, false));
    RAWKEYBOARD up = Raw(0x1E, 'A', RI_KEY_BREAK);
    EXPECT_TRUE(KeyEventFromRawKeyboard(ev, &up));
    EXPECT_EQ(ev.state, KeyEvent::kReleased);
}

TEST(KeyEventRaw, FakeShiftKeepsPreviousVirtualKeyAndIsNotUsable)
{
    KeyEvent ev;
    RAWKEYBOARD right = Raw(0x4D, VK_RIGHT, RI_KEY_E0);
    EXPECT_TRUE(KeyEventFromRawKeyboard(ev, &right));
    EXPECT_EQ(ev.flags & KeyEvent::kExtended, KeyEvent::kExtended);
    RAWKEYBOARD fake = Raw(0x2A, 0xFF, RI_KEY_E0);
    EXPECT_FALSE(KeyEventFromRawKeyboard(ev, &fake));
    EXPECT_EQ(ev.virtualKey, VK_RIGHT);
    EXPECT_EQ(ev.currentVirtualKey, VK_RIGHT);
    EXPECT_EQ(ev.scanCode, 0x2A);
}

TEST(KeyEventRaw, PauseSequenceAndMakeCodeZeroAreNotUsable)
{
    KeyEvent ev;
    RAWKEYBOARD e1 = Raw(0x1D, VK_PAUSE, RI_KEY_E1);
    EXPECT_FALSE(KeyEventFromRawKeyboard(ev, &e1));
    RAWKEYBOARD zero = Raw(0, 'A', 0);
    EXPECT_FALSE(KeyEventFromRawKeyboard(ev, &zero));
}

TEST(KeyEventMessage, AutoRepeatAndOtherMessagesReturnOneAndChangeNothing)
{
    KeyEvent ev;
    ev.currentVirtualKey = 0x41;
    EXPECT_EQ(KeyEventFromKeyMessage(ev, KeyMsg(WM_KEYDOWN, 'B', 0x30, false, true)), 1);
    EXPECT_EQ(ev.currentVirtualKey, 0x41);
    MSG other{};
    other.message = WM_CHAR;
    other.wParam = 'B';
    EXPECT_EQ(KeyEventFromKeyMessage(ev, other), 1);
    EXPECT_EQ(ev.currentVirtualKey, 0x41);
}

TEST(KeyEventMessage, OnlyKeyDownOfEditKeysIsSwallowed)
{
    KeyEvent ev;
    EXPECT_EQ(KeyEventFromKeyMessage(ev, KeyMsg(WM_KEYDOWN, VK_TAB, 0x0F)), 1);
    EXPECT_EQ(KeyEventFromKeyMessage(ev, KeyMsg(WM_SYSKEYDOWN, VK_TAB, 0x0F)), 0);
    EXPECT_EQ(KeyEventFromKeyMessage(ev, KeyMsg(WM_KEYUP, VK_TAB, 0x0F)), 0);
    for (UINT vk : {8u, 19u, 20u, 32u, 36u, 37u, 38u, 39u, 40u, 91u, 92u, 93u, 144u, 145u})
        EXPECT_EQ(KeyEventFromKeyMessage(ev, KeyMsg(WM_KEYDOWN, vk, 0x10)), 1) << vk;
    for (UINT vk : {(UINT)'A', (UINT)'1', (UINT)VK_F1, (UINT)VK_END, (UINT)VK_DELETE})
        EXPECT_EQ(KeyEventFromKeyMessage(ev, KeyMsg(WM_KEYDOWN, vk, 0x10)), 0) << vk;
}

TEST(KeyEventMessage, SidedModifiersAndKeypadEnter)
{
    KeyEvent ev;
    KeyEventFromKeyMessage(ev, KeyMsg(WM_KEYDOWN, VK_CONTROL, 0x1D, true));
    EXPECT_EQ(ev.virtualKey, 0xA3);
    EXPECT_EQ(ev.flags & KeyEvent::kExtended, KeyEvent::kExtended);
    KeyEventFromKeyMessage(ev, KeyMsg(WM_KEYDOWN, VK_CONTROL, 0x1D));
    EXPECT_EQ(ev.virtualKey, 0xA2);
    KeyEventFromKeyMessage(ev, KeyMsg(WM_KEYDOWN, VK_RETURN, 0x1C, true));
    EXPECT_EQ(ev.virtualKey, 108);
    KeyEventFromKeyMessage(ev, KeyMsg(WM_KEYDOWN, VK_RETURN, 0x1C));
    EXPECT_EQ(ev.virtualKey, 13);
    KeyEventFromKeyMessage(ev, KeyMsg(WM_KEYDOWN, VK_SHIFT, 0x2A));
    EXPECT_EQ(ev.virtualKey, 0xA0);
    KeyEventFromKeyMessage(ev, KeyMsg(WM_KEYUP, VK_SHIFT, 0x36));
    EXPECT_EQ(ev.virtualKey, 0xA1);
    EXPECT_EQ(ev.state, KeyEvent::kReleased);
    KeyEventFromKeyMessage(ev, KeyMsg(WM_SYSKEYDOWN, VK_MENU, 0x38, true, false, true));
    EXPECT_EQ(ev.virtualKey, 0xA5);
    EXPECT_TRUE(ev.flags & KeyEvent::kAlt);
}

TEST(KeyEventMessage, ModifierBitsComeFromTheLayout)
{
    // An upper-case letter from the character mapping needs Shift on the
    // layout; the bit says so whatever is held.
    KeyEvent ev;
    KeyEventFromKeyMessage(ev, KeyMsg(WM_KEYDOWN, 'A', 0x1E));
    UINT ch = MapVirtualKeyExW('A', MAPVK_VK_TO_CHAR, nullptr);
    SHORT scan = VkKeyScanExW((WCHAR)(uint16_t)(int16_t)(int8_t)(ch & 0xFF), nullptr);
    const bool needsShift = ((uint16_t)scan >> 8) & 1;
    EXPECT_EQ((ev.flags & KeyEvent::kShift) != 0, needsShift);
    EXPECT_EQ(ev.name, SystemName(0x1E, false));
}

TEST(KeyNames, NumLockIsAskedWithTheExtendedBit)
{
    CString name;
    ASSERT_TRUE(GetKeyNameString(VK_NUMLOCK, name, 0x45, false));
    EXPECT_EQ(name, SystemName(0x45, true));
}

TEST(KeyNames, KeyWithoutNameKeepsThePreviousName)
{
    CString name = L"before";
    wchar_t buf[40];
    if (GetKeyNameTextW(0x7F << 16, buf, 40) == 0) {
        EXPECT_FALSE(GetKeyNameString(0, name, 0x7F, false));
        EXPECT_EQ(name, L"before");
    }
}
