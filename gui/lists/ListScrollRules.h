// How the skinned lists turn a wheel turn into moves of whole lines (the
// thumb's rules are in MacroDisplayScroll.h), kept apart from the windows.
#pragma once
#include <windows.h>

// Lines for a wheel turn: one per 120 units, positive upward; a turn of
// less than 120 units moves nothing.
int WheelLines(int wheelDelta);