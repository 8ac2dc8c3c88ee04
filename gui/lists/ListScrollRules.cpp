#include "ListScrollRules.h"

int WheelLines(int wheelDelta) { return wheelDelta / WHEEL_DELTA; }

