// A page's BACKGROUND (id -2) or MASK (id -3) picture: a bitmap of its own
// (LoadPrivatePicture) with an item part (type 0, no window). The panel
// deletes the GDI bitmap when its window is destroyed; the item then holds
// none.
#pragma once
#include "GUIItem.h"
#include "Gdi.h"

class CPanelBitmap : public CBitmap, public CGUIItem {
public:
    CPanelBitmap() = default;
    ~CPanelBitmap() override = default;
};
