#include "ListScrollRules.h"

int WheelLines(int wheelDelta) { return wheelDelta / WHEEL_DELTA; }

bool AtLastPage(const SCROLLINFO& si)
{
    const int page = si.nPage > 0 ? (int)si.nPage : 1;
    return si.nPos + page > si.nMax;
}
