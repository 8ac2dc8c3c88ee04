// A FONT element's font with an item part (type 12). Widgets that name it in
// their fontid keep a pointer to it and are sent WM_SETFONT with it.
#pragma once
#include "GUIItem.h"
#include "Gdi.h"

class CFontItem : public CFont, public CGUIItem {
public:
    CFontItem() = default;
    ~CFontItem() override = default;
};
