// A KBLAYOUT element (type 24): two texts kept as written. Every setting
// loaded is also entered in KeyboardLayoutMap under its id (not owning).
#pragma once
#include <map>

#include "GUIItem.h"
#include "String.h"

class CKeyboardLayoutSetting : public CGUIItem {
public:
    CKeyboardLayoutSetting() = default;
    ~CKeyboardLayoutSetting() override;

    CString m_layout;  // kbdlayout
    CString m_items;   // kbditems
};

extern std::map<int, CKeyboardLayoutSetting*> KeyboardLayoutMap;
