// Drawing of the multi-column list's cells: each cell is drawn off screen
// and put on the list in one copy.
#include <algorithm>

#include "MemDC2.h"
#include "WidgetPaint.h"
#include "XListCtrl.h"

namespace {

// The picture where its mask is not white, the background elsewhere.
void DrawThroughMask(CDC& dc, int x, int y, HBITMAP picture, HBITMAP mask)
{
    const SIZE s = BitmapSize(picture);
    CDC src, monoDc;
    src.CreateCompatibleDC(dc);
    monoDc.CreateCompatibleDC(dc);
    // Pure white in the mask becomes 1 in the monochrome copy.
    CBitmap mono;
    mono.CreateBitmap(s.cx, s.cy, 1, 1, nullptr);
    CSelectGuard srcSelected(src, mask);
    CSelectGuard monoSelected(monoDc, mono);
    src.SetBkColor(0xFFFFFF);
    monoDc.BitBlt(0, 0, s.cx, s.cy, src, 0, 0, SRCCOPY);
    src.SelectObject(picture);  // the guard puts the first bitmap back
    // Mask bit 1 keeps the destination, 0 copies the picture.
    ::MaskBlt(dc, x, y, s.cx, s.cy, src, 0, 0, mono, 0, 0, MAKEROP4(0x00AA0029, SRCCOPY));
}

}  // namespace

void CXListCtrl::DrawProgress(CDC& dc, const Row::Progress& p, const RECT& cell, COLORREF fore, COLORREF back)
{
    RECT frame = cell;
    ::InflateRect(&frame, -2, -2);
    CBrush frameBrush(fore);
    dc.FrameRect(&frame, frameBrush);
    RECT inner = frame;
    ::InflateRect(&inner, -1, -1);
    RECT filled = inner;
    filled.right = inner.left + (inner.right - inner.left) * p.percent / 100;
    RECT rest = inner;
    rest.left = filled.right;
    dc.FillSolidRect(&filled, fore);
    dc.FillSolidRect(&rest, back);
    if (!p.showPercent) return;
    // Two passes, each clipped to its part, in the colour that contrasts
    // with what lies under it.
    CString text;
    text.Format(p.format, p.percent);
    const UINT fmt = DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX;
    const struct {
        const RECT* clip;
        COLORREF colour;
    } passes[2] = {{&filled, back}, {&rest, fore}};
    for (const auto& pass : passes) {
        CSaveDCGuard saved(dc);
        dc.SetBkMode(TRANSPARENT);
        dc.SelectObject(WidgetFont(m_font));
        dc.IntersectClipRect(pass.clip);
        dc.SetTextColor(pass.colour);
        RECT t = inner;
        dc.DrawText(text, &t, fmt);
    }
}

void CXListCtrl::DrawCheckBox(CDC& dc, const XListColumn& col, int check, const RECT& cell, COLORREF fore)
{
    HBITMAP pic = check ? col.checked : col.unchecked;
    if (pic) {
        const SIZE s = BitmapSize(pic);
        const int x = (cell.left + cell.right - s.cx) / 2, y = (cell.top + cell.bottom - s.cy) / 2;
        if (col.mask) {
            DrawThroughMask(dc, x, y, pic, col.mask);
        } else {
            CDC mem;
            mem.CreateCompatibleDC(dc);
            CSelectGuard selected(mem, pic);
            dc.TransparentBlt(x, y, s.cx, s.cy, mem, 0, 0, s.cx, s.cy, 0xFFFFFF);
        }
        return;
    }
    // Without pictures: a plain framed box, filled when checked.
    const int cx = (cell.left + cell.right) / 2, cy = (cell.top + cell.bottom) / 2;
    RECT box{cx - 5, cy - 5, cx + 6, cy + 6};
    CBrush frame(fore);
    dc.FrameRect(&box, frame);
    if (check) {
        ::InflateRect(&box, -3, -3);
        dc.FillRect(&box, frame);
    }
}

void CXListCtrl::DrawText(CDC& dc, const CString& text, const RECT& cell, COLORREF fore)
{
    CSaveDCGuard saved(dc);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(fore);
    dc.SelectObject(WidgetFont(m_font));
    RECT r = cell;
    r.left += 3;
    dc.DrawText(text, &r, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
}

void CXListCtrl::DrawChoiceBox(CDC& dc, const CString& text, const RECT& cell, COLORREF fore, COLORREF back)
{
    RECT box = cell;
    ::InflateRect(&box, -1, -1);
    dc.FillSolidRect(&box, back);
    CBrush frame(fore);
    dc.FrameRect(&box, frame);
    const RECT button = ChoiceButtonRect(box);
    RECT textRect = box;
    textRect.right = button.left;
    DrawText(dc, text, textRect, fore);
    // A small down arrow of three lines, 5, 3 and 1 pixels wide.
    CPen pen(PS_SOLID, 1, fore);
    CSaveDCGuard saved(dc);
    dc.SelectObject(&pen);
    const int cx = (button.left + button.right) / 2, cy = (button.top + button.bottom) / 2 - 1;
    for (int i = 0; i < 3; ++i) {
        dc.MoveTo(cx - 2 + i, cy + i);
        dc.LineTo(cx + 3 - i, cy + i);
    }
}

void CXListCtrl::DrawCell(HDC target, int index, int position, const RECT& cellRect)
{
    Row* row = RowAt(index);
    if (!row || (size_t)position >= row->text.size()) return;
    RECT client{};
    GetClientRect(&client);
    // Inside the client area less the border width.
    RECT cell = cellRect;
    cell.right = std::min(cell.right, client.right - m_borderWidth);
    if (cell.right <= cell.left || cell.bottom <= cell.top) return;
    const bool selected = index == GetFirstSelected();
    const COLORREF back = selected ? row->selBackColour : row->backColour;
    const COLORREF fore = selected ? row->selTextColour : row->textColour;
    CDC targetDc;
    targetDc.Attach(target);
    {
        CMemDC2 dc(&targetDc, &cell);
        dc.FillSolidRect(&cell, back);
        const XListColumn* col = m_columns.Find(m_columns.IdAt(position));
        const int check = row->check[(size_t)position];
        const auto& choice = row->choice[(size_t)position];
        if (row->progress[(size_t)position].on) {
            DrawProgress(dc, row->progress[(size_t)position], cell, fore, back);
        } else if (choice.on && selected) {
            DrawChoiceBox(dc, row->text[(size_t)position], cell, fore, back);
            if (m_pressed.IsPressed(row->key, position) && !m_dropDown && !m_openPosted) {
                m_openPosted = true;
                PostMessage(kOpenDropDownMessage);
            }
        } else if (col && check != -1) {
            DrawCheckBox(dc, *col, check, cell, fore);
        } else {
            DrawText(dc, row->text[(size_t)position], cell, fore);
        }
    }
    targetDc.Detach();
}
