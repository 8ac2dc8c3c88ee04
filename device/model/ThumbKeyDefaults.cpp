#include "ThumbKeyDefaults.h"
#include "KeyboardDef.h"

namespace {

const int kThumbKeys = kThumbGridLastButton - kThumbGridFirstButton + 1;

const wchar_t* const kNumberRowKeys[kThumbKeys] = {
    L"1 !", L"2 @", L"3 #", L"4 $", L"5 %", L"6 ^", L"7 &", L"8 *", L"9 (", L"0 )", L"- _", L"= +",
};
const wchar_t* const kKeypadKeys[kThumbKeys] = {
    L"Keypad 1 End",  L"Keypad 2 Down",  L"Keypad 3 PageDn",  L"Keypad 4 Left",
    L"Keypad 5",      L"Keypad 6 Right", L"Keypad 7 Home",    L"Keypad 8 Up",
    L"Keypad 9 PageUp", L"Keypad 0 Insert", L"Keypad -",      L"Keypad +",
};

struct ThumbKeyTables {
    uint32_t numberRow[kThumbKeys];
    uint32_t keypad[kThumbKeys];
    ThumbKeyTables()
    {
        for (int i = 0; i < kThumbKeys; ++i) {
            numberRow[i] = HashKeyName(kNumberRowKeys[i]);
            keypad[i] = HashKeyName(kKeypadKeys[i]);
        }
    }
};

}  // namespace

uint32_t ThumbGridKeyHash(int buttonId, bool keypad)
{
    static const ThumbKeyTables tables;
    if (buttonId < kThumbGridFirstButton || buttonId > kThumbGridLastButton)
        return 0;
    int i = buttonId - kThumbGridFirstButton;
    return keypad ? tables.keypad[i] : tables.numberRow[i];
}

AssignmentRecord DefaultKeyRecord(uint32_t key)
{
    KeyCode code = g_keyboardDef.DefaultCode(key);
    AssignmentRecord r = AssignmentRecord::OfType(kFnDefaultKey);
    r.SetKey(code.code, 0, code.flag != 0 ? kModExtended : 0);
    return r;
}
