// How the skinned lists turn the wheel and scroll messages into moves of
// whole lines, kept apart from the windows so the rules can be tested.
#pragma once
#include <windows.h>

// Lines for a wheel turn: one per 120 units, positive upward; a turn of
// less than 120 units moves nothing.
int WheelLines(int wheelDelta);
// True when the list already shows its last page, so a line down would
// move past the end.
bool AtLastPage(const SCROLLINFO& si);
