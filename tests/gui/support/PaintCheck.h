// Paints a window tree over and over and tells what the paints left behind:
// GDI and USER objects more than before (after one paint to warm up), and
// GDI objects deleted while still selected. A leak of one object per paint
// shows as `times` objects.
#pragma once
#include <windows.h>

struct PaintCheckResult {
    int gdiGrowth = 0;
    int userGrowth = 0;
    int selectedDeletes = 0;
};

PaintCheckResult PaintRepeatedly(HWND top, int times);
