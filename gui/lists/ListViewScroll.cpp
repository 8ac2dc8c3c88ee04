#include "ListViewScroll.h"

#include "MacroDisplayScroll.h"

int ListViewRowHeight(CListCtrl& list, int fallback)
{
    RECT r{};
    if (list.GetItemCount() > 0 && list.GetItemRect(0, &r, LVIR_BOUNDS) && r.bottom > r.top)
        return r.bottom - r.top;
    return fallback;
}

bool PrepareListVScroll(CListCtrl& list, UINT code, UINT pos, int fallbackRowHeight)
{
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    const bool known = ::GetScrollInfo(list.m_hWnd, SB_VERT, &si) != FALSE;
    if (code == SB_LINEDOWN && known && AtLastPage(si))
        return false;
    if ((code == SB_THUMBPOSITION || code == SB_THUMBTRACK) && known) {
        // Whole rows in the height the list draws: the list rounds pixels to
        // rows, so another height would land on the wrong row.
        const int dy = ThumbScrollPixels(si, (int)pos, ListViewRowHeight(list, fallbackRowHeight));
        if (dy != 0)
            list.Scroll(CSize(0, dy));
    }
    return true;
}
