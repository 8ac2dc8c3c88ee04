#include "PaintCheck.h"

#include "GuiObjects.h"
#include "RecordingWnd.h"

namespace {

void PaintOnce(HWND top)
{
    ::RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

}  // namespace

PaintCheckResult PaintRepeatedly(HWND top, int times)
{
    PaintOnce(top);
    PumpPending();
    const int gdi = GdiObjectCount(), user = UserObjectCount();
    PaintCheckResult result;
    {
        CSelectedDeleteWatch watch;
        for (int i = 0; i < times; ++i)
            PaintOnce(top);
        PumpPending();
        result.selectedDeletes = watch.Active() ? watch.Faults() : -1;
    }
    result.gdiGrowth = GdiObjectCount() - gdi;
    result.userGrowth = UserObjectCount() - user;
    return result;
}
