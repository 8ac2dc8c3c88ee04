// How the skinned lists turn a wheel turn into moves of whole lines (the
// thumb's rules are in MacroDisplayScroll.h), kept apart from the windows.
#pragma once
#include <windows.h>

// Lines for wheel turns: one per 120 units, positive upward. Turns of less
// than 120 units (high-resolution wheels, touchpads) add up until they make
// a line; a turn the other way drops what was left of the last one.
class WheelLines {
public:
    int Take(int wheelDelta);

private:
    int m_rest = 0;
};
