#include "MacroDisplayScroll.h"

#include <algorithm>
#include <climits>

bool AtLastPage(const SCROLLINFO& si)
{
    return si.nPos >= LastTopRow(si);
}

int ThumbScrollPixels(const SCROLLINFO& si, int wanted, int rowHeight)
{
    if (rowHeight < 1) return 0;
    const long long target = std::clamp<long long>(wanted, si.nMin, LastTopRow(si));
    const long long pixels = (target - si.nPos) * (long long)rowHeight;
    const long long limit = INT_MAX / 2;
    return (int)std::clamp(pixels, -limit, limit);
}
