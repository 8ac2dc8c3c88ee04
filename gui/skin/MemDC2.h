// CMemDC2: the off-screen surface every widget paints through. It draws into
// a bitmap as large as the painted rectangle and puts the result on the
// target at destruction, so a widget never flickers. A printing target is
// drawn on directly.
#pragma once
#include "Gdi.h"

class CMemDC2 : public CDC {
public:
    // rect: the area to draw, in the target's logical coordinates; null for
    // the target's clip box.
    explicit CMemDC2(CDC* target, const RECT* rect = nullptr);
    ~CMemDC2() override;

    CMemDC2* operator->() { return this; }
    bool IsOffScreen() const { return m_offScreen; }
    const CRect& DrawnRect() const { return m_rect; }

private:
    CBitmap m_bitmap;
    HGDIOBJ m_oldBitmap = nullptr;
    CDC* m_target;
    CRect m_rect;
    bool m_offScreen;
};
