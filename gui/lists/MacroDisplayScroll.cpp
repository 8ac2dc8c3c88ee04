#include "MacroDisplayScroll.h"

#include <algorithm>
#include <climits>

int LastTopRow(const SCROLLINFO& si)
{
    // A page of 0 (the list has not measured itself yet) still shows a row.
    const long long page = std::max<long long>(1, (long long)si.nPage);
    const long long last = (long long)si.nMax - page + 1;
    return (int)std::max<long long>(si.nMin, std::min<long long>(last, INT_MAX));
}

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
