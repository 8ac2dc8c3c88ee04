#include "KeyboardLayoutSetting.h"

std::map<int, CKeyboardLayoutSetting*> KeyboardLayoutMap;

CKeyboardLayoutSetting::~CKeyboardLayoutSetting()
{
    // Leave no map entry pointing at a deleted setting.
    for (auto it = KeyboardLayoutMap.begin(); it != KeyboardLayoutMap.end();) {
        if (it->second == this)
            it = KeyboardLayoutMap.erase(it);
        else
            ++it;
    }
}
