// Drawing of the macro display: the list paints its rows into an off-screen
// surface through custom draw, and the surface goes on screen in one copy.
#include "MacroDisplayItem.h"

#include "MemDC2.h"
#include "WidgetPaint.h"

BOOL CMacroDisplayItem::OnEraseBkgnd(CDC* dc)
{
    RECT c{};
    GetClientRect(&c);
    dc->FillSolidRect(&c, m_backColour);
    return TRUE;
}

void CMacroDisplayItem::PaintBuffered(HDC target)
{
    RECT client{};
    GetClientRect(&client);
    CDC targetDc;
    targetDc.Attach(target);
    {
        CMemDC2 mem(&targetDc, &client);
        // Below the last row nothing is painted by the list itself.
        mem.FillSolidRect(&client, m_backColour);
        // The list paints into the DC it is given; its custom draw comes
        // back to this item with that DC.
        DefWindowProc(WM_PAINT, (WPARAM)mem.GetSafeHdc(), 0);
    }
    targetDc.Detach();
}

void CMacroDisplayItem::OnPaint()
{
    if (m_paintDeferred) {
        PaintWidget(m_hWnd, [](HDC) {});
        return;
    }
    PaintWidget(m_hWnd, [this](HDC dc) { PaintBuffered(dc); });
}

LRESULT CMacroDisplayItem::OnPrintClient(WPARAM w, LPARAM)
{
    PaintBuffered((HDC)w);
    return 0;
}

void CMacroDisplayItem::DrawCell(HDC target, int row, int column, const RECT& cellRect)
{
    DWORD_PTR data = GetItemData(row);
    if (data >= 0x10000) return;
    RECT client{};
    GetClientRect(&client);
    RECT cell = cellRect;
    cell.left += m_leftMargin;
    if (cell.right > client.right) cell.right = client.right;
    const bool selected = row == Selected();
    CDC dc;
    dc.Attach(target);
    dc.FillSolidRect(&cell, m_backColour);
    int id = m_columns.IdAt(column);
    if (id == kColumnIcon) {
        int key = data == kRowKeyUp ? 1 : data == kRowKeyDown ? 0 : data == kRowDelay ? (selected ? 3 : 2)
                                                                               : (selected ? 5 : 4);
        if (m_bitmaps[key].GetSafeHandle()) {
            CSize s = m_bitmaps[key].GetSize();
            CDC mem;
            mem.CreateCompatibleDC(dc);
            CSelectGuard selected(mem, m_bitmaps[key]);
            dc.BitBlt(cell.left, cell.top, s.cx, s.cy, mem, 0, 0, SRCCOPY);
        }
    } else if (id == kColumnDescription) {
        if (selected) dc.FillSolidRect(&cell, m_selBackColour);
        CSaveDCGuard saved(dc);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(selected ? m_selTextColour : m_textColour);
        if (m_bold.GetSafeHandle()) dc.SelectObject(&m_bold);
        const int* justify = m_columns.Find(id);
        UINT align = !justify || *justify == 0 ? DT_LEFT : *justify == 2 ? DT_CENTER : DT_RIGHT;
        CString text = GetItemText(row, column);
        dc.DrawText(text, &cell, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX | align);
    }
    dc.Detach();
}

void CMacroDisplayItem::OnCustomDraw(NMHDR* nm, LRESULT* result)
{
    auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(nm);
    switch (cd->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        if (GetItemCount() == 0) {
            RECT c{};
            GetClientRect(&c);
            CDC dc;
            dc.Attach(cd->nmcd.hdc);
            dc.FillSolidRect(&c, m_backColour);
            dc.Detach();
            *result = CDRF_SKIPDEFAULT;
            return;
        }
        *result = CDRF_NOTIFYITEMDRAW;
        return;
    case CDDS_ITEMPREPAINT:
        *result = CDRF_NOTIFYSUBITEMDRAW;
        return;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        RECT r{};
        int row = (int)cd->nmcd.dwItemSpec;
        if (cd->iSubItem == 0) {
            GetItemRect(row, &r, LVIR_BOUNDS);
            r.right = r.left + (int)SendMessage(LVM_GETCOLUMNWIDTH, 0);
        } else {
            GetSubItemRect(row, cd->iSubItem, LVIR_BOUNDS, &r);
        }
        DrawCell(cd->nmcd.hdc, row, cd->iSubItem, r);
        *result = CDRF_SKIPDEFAULT;
        return;
    }
    default:
        *result = CDRF_DODEFAULT;
    }
}
