#include "ScrollBarLayout.h"

#include <algorithm>

bool ComputeScrollBarLayout(const ScrollBarParts& p, int h, int y0, ScrollBarLayout& out)
{
    ScrollBarLayout l;
    l.trackBottom = h - p.bottomEndHeight - p.downArrowHeight;
    if (l.trackBottom - p.topEndHeight - p.upArrowHeight - y0 - p.thumbHeight <= 0) return false;
    l.trackTop = p.topEndHeight + p.upArrowHeight + y0;
    l.upArrow = {0, p.topEndHeight, p.width, l.trackTop};
    l.downArrow = {0, l.trackBottom, p.width, l.trackBottom + p.downArrowHeight};
    l.trackLength = (float)(h - p.thumbHeight - p.downArrowHeight - p.upArrowHeight - p.bottomEndHeight -
                            p.topEndHeight - y0);
    l.halfThumb = p.thumbHeight / 2;
    out = l;
    return true;
}

int ClampThumbTop(const ScrollBarParts& p, const ScrollBarLayout& l, int thumbTop)
{
    return std::max(l.trackTop, std::min(thumbTop, l.trackBottom - p.thumbHeight));
}

bool ThumbTopForScroll(const ScrollBarParts& p, const ScrollBarLayout& l, const SCROLLINFO& si, int& thumbTop)
{
    if (si.nMax < si.nPos) return false;
    int offset = 0;
    const unsigned distance = (unsigned)(si.nMax - (int)si.nPage);  // a page longer than the list wraps: offset 0
    if (distance != 0) {
        const double step = (double)l.trackLength / (double)distance * si.nPos;
        offset = std::max(0, (int)std::min(step, 1e9));
    }
    thumbTop = ClampThumbTop(p, l, p.topEndHeight + p.upArrowHeight + offset);
    return true;
}

bool DragPosition(const ScrollBarLayout& l, int thumbTop, int d, int& position)
{
    const int divisions = d < 4 ? d + 1 : d;
    if (d == 0 || divisions == 0) return false;
    const float span = l.trackLength + (float)l.halfThumb;
    if (span <= 0) return false;
    const float perStep = span / (float)divisions;
    int pos = (int)((float)thumbTop / perStep);
    position = std::min(pos, d);
    return true;
}

ScrollClick ClickAction(const ScrollBarParts& p, const ScrollBarLayout& l, int thumbTop, const RECT& client,
                        POINT pt, bool upPressed, bool downPressed)
{
    if (upPressed && PtInRect(&l.upArrow, pt)) return ScrollClick::LineUp;
    if (downPressed && PtInRect(&l.downArrow, pt)) return ScrollClick::LineDown;
    const RECT thumb{0, thumbTop, p.width, thumbTop + p.thumbHeight};
    if (!PtInRect(&client, pt) || PtInRect(&thumb, pt) || PtInRect(&l.upArrow, pt) || PtInRect(&l.downArrow, pt))
        return ScrollClick::None;
    return pt.y <= thumbTop ? ScrollClick::PageUp : ScrollClick::PageDown;
}
