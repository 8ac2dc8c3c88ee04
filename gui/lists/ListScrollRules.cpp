#include "ListScrollRules.h"

int WheelLines::Take(int wheelDelta)
{
    if ((wheelDelta > 0 && m_rest < 0) || (wheelDelta < 0 && m_rest > 0)) m_rest = 0;
    // 64-bit: a long run of turns one way cannot wrap.
    const long long total = (long long)m_rest + wheelDelta;
    const long long lines = total / WHEEL_DELTA;
    m_rest = (int)(total - lines * WHEEL_DELTA);
    return (int)lines;
}
