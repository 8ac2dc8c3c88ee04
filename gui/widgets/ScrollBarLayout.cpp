#include "ScrollBarLayout.h"

#include <algorithm>
#include <climits>
#include <cmath>

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

int LastTopRow(const SCROLLINFO& si)
{
    const long long page = std::max<long long>(1, (long long)si.nPage);
    const long long last = (long long)si.nMax - page + 1;
    return (int)std::max<long long>(si.nMin, std::min<long long>(last, INT_MAX));
}

int ScrollDistance(const SCROLLINFO& si)
{
    return (int)std::min<long long>((long long)LastTopRow(si) - si.nMin, INT_MAX);
}

bool ThumbTopForScroll(const ScrollBarParts& p, const ScrollBarLayout& l, const SCROLLINFO& si, int& thumbTop)
{
    if (si.nMax < si.nPos) return false;
    int offset = 0;
    const int distance = ScrollDistance(si);
    if (distance > 0) {
        const double step = (double)l.trackLength / (double)distance * ((double)si.nPos - si.nMin);
        offset = (int)std::clamp(step, 0.0, 1e9);
    }
    thumbTop = ClampThumbTop(p, l, l.trackTop + offset);
    return true;
}

bool DragPosition(const ScrollBarLayout& l, int thumbTop, int distance, int& position)
{
    if (distance < 1 || l.trackLength <= 0) return false;
    const double rows = (double)(thumbTop - l.trackTop) / (double)l.trackLength * distance;
    position = (int)std::clamp(std::floor(rows + 0.5), 0.0, (double)distance);
    return true;
}

bool PageDownJumps(const SCROLLINFO& si, int& target)
{
    target = LastTopRow(si);
    return (long long)si.nPos + std::max<long long>(1, (long long)si.nPage) >= target;
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
