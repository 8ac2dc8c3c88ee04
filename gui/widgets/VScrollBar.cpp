#include "VScrollBar.h"

#include <algorithm>

#include "MemDC2.h"
#include "WidgetPaint.h"

namespace {
void Blit(HDC dc, HDC mem, HBITMAP b, int x, int y)
{
    if (!b) return;
    SIZE s = BitmapSize(b);
    CSelectGuard selected(mem, b);
    ::BitBlt(dc, x, y, s.cx, s.cy, mem, 0, 0, SRCCOPY);
}
}  // namespace

CVScrollBar::CVScrollBar(int width, CWnd* ownerList) : m_owner(ownerList) { m_parts.width = width; }

BEGIN_MESSAGE_MAP(CVScrollBar, CStatic)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_KILLFOCUS()
    ON_WM_TIMER()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

void CVScrollBar::SetBitmaps(const ScrollBarBitmaps& b, int width)
{
    // Each picture is copied at its own size: the bar keeps its own.
    HBITMAP in[6] = {b.topEnd, b.bottomEnd, b.upArrow, b.downArrow, b.span, b.thumb};
    HBITMAP* out[6] = {&m_bitmaps.topEnd, &m_bitmaps.bottomEnd, &m_bitmaps.upArrow, &m_bitmaps.downArrow,
                       &m_bitmaps.span, &m_bitmaps.thumb};
    for (int i = 0; i < 6; ++i) {
        m_copies[i].DeleteObject();
        *out[i] = in[i] && CopyWholeBitmap(in[i], m_copies[i]) ? (HBITMAP)m_copies[i].m_hObject : nullptr;
    }
    m_hasBitmaps = b.thumb != nullptr;
    m_parts.topEndHeight = BitmapSize(b.topEnd).cy;
    m_parts.bottomEndHeight = BitmapSize(b.bottomEnd).cy;
    m_parts.upArrowHeight = BitmapSize(b.upArrow).cy;
    m_parts.downArrowHeight = BitmapSize(b.downArrow).cy;
    m_parts.thumbHeight = BitmapSize(b.thumb).cy;
    m_spanHeight = BitmapSize(b.span).cy;
    if (thumbTop == 0) thumbTop = m_parts.topEndHeight + m_parts.upArrowHeight;
    borderWidth = width;
}

BOOL CVScrollBar::Create(const wchar_t* text, DWORD style, const RECT& r, CWnd* parent, UINT id)
{
    // SS_NOTIFY: a static is otherwise transparent to the mouse.
    if (!CStatic::Create(text, style | SS_NOTIFY, r, parent, id)) return FALSE;
    if (!m_hasBitmaps) return FALSE;
    RECT client;
    GetClientRect(&client);
    return ComputeScrollBarLayout(m_parts, client.bottom - client.top, client.top, m_layout);
}

bool CVScrollBar::OwnerScrollInfo(SCROLLINFO& si) const
{
    si = SCROLLINFO{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_ALL;
    return m_owner && m_owner->m_hWnd && ::GetScrollInfo(m_owner->m_hWnd, SB_VERT, &si);
}

void CVScrollBar::PostScroll(UINT code, int pos)
{
    if (m_owner && m_owner->m_hWnd) m_owner->PostMessage(WM_VSCROLL, MAKEWPARAM(code, pos), 0);
}

void CVScrollBar::UpdateThumb()
{
    SCROLLINFO si;
    if (!OwnerScrollInfo(si)) return;
    int top;
    if (!ThumbTopForScroll(m_parts, m_layout, si, top)) return;
    thumbTop = top;
    Invalidate(FALSE);
}

void CVScrollBar::OnLButtonDown(UINT, CPoint p)
{
    const RECT thumb{0, thumbTop, m_parts.width, thumbTop + m_parts.thumbHeight};
    if (PtInRect(&thumb, p)) {
        dragging = true;
        lastTrackPos = -1;  // the list may have moved since the last drag
        SetCapture();
    } else if (PtInRect(&m_layout.downArrow, p)) {
        downPressed = true;
    } else if (PtInRect(&m_layout.upArrow, p)) {
        upPressed = true;
    }
}

void CVScrollBar::OnLButtonDblClk(UINT, CPoint p)
{
    if (PtInRect(&m_layout.downArrow, p)) downPressed = true;
    else if (PtInRect(&m_layout.upArrow, p)) upPressed = true;
}

void CVScrollBar::OnMouseMove(UINT flags, CPoint p)
{
    if (dragging && (flags & MK_LBUTTON)) {
        thumbTop = ClampThumbTop(m_parts, m_layout, std::max(0, (int)p.y - m_layout.halfThumb));
        SCROLLINFO si;
        if (OwnerScrollInfo(si)) {
            int pos;
            if (DragPosition(m_layout, thumbTop, ScrollDistance(si), pos) && pos != lastTrackPos) {
                lastTrackPos = pos;
                PostScroll(SB_THUMBTRACK, si.nMin + pos);
            }
        }
        Invalidate(FALSE);
        return;
    }
    RECT client;
    GetClientRect(&client);
    if (PtInRect(&client, p)) SetCapture();
    else if (m_owner && m_owner->m_hWnd) m_owner->SetCapture();
}

void CVScrollBar::OnLButtonUp(UINT, CPoint p)
{
    if (dragging) {
        dragging = false;
        if (m_owner && m_owner->m_hWnd) m_owner->SetCapture();
        else ::ReleaseCapture();
        SetTimer(kRepeatTimer, kRepeatPeriod);
        return;
    }
    RECT client;
    GetClientRect(&client);
    const ScrollClick action = ClickAction(m_parts, m_layout, thumbTop, client, p, upPressed, downPressed);
    upPressed = downPressed = false;
    switch (action) {
    case ScrollClick::LineUp: PostScroll(SB_LINEUP); SetTimer(kRepeatTimer, kRepeatPeriod); break;
    case ScrollClick::LineDown: PostScroll(SB_LINEDOWN); SetTimer(kRepeatTimer, kRepeatPeriod); break;
    case ScrollClick::PageUp: PostScroll(SB_PAGEUP); SetTimer(kRepeatTimer, kRepeatPeriod); break;
    case ScrollClick::PageDown: {
        SCROLLINFO si;
        if (OwnerScrollInfo(si) && PageDownJumps(si, m_jumpTarget)) {
            PostScroll(SB_THUMBPOSITION, m_jumpTarget);
            SetTimer(kJumpTimer, kJumpPeriod);
        } else {
            PostScroll(SB_PAGEDOWN);
            SetTimer(kRepeatTimer, kRepeatPeriod);
        }
        break;
    }
    case ScrollClick::None: break;
    }
}

void CVScrollBar::OnKillFocus(CWnd*)
{
    if (m_owner && m_owner->m_hWnd) {
        m_owner->SetCapture();
        m_owner->PostMessage(WM_KILLFOCUS);
    }
}

void CVScrollBar::OnTimer(UINT_PTR id)
{
    if (id == kRepeatTimer) {
        UpdateThumb();
        KillTimer(kRepeatTimer);
        PostScroll(SB_ENDSCROLL);
    } else if (id == kJumpTimer) {
        if (m_owner && m_owner->m_hWnd) ::SetScrollPos(m_owner->m_hWnd, SB_VERT, m_jumpTarget, TRUE);
        UpdateThumb();
        KillTimer(kJumpTimer);
        SetTimer(kRepeatTimer, kRepeatPeriod);
    }
}

void CVScrollBar::Draw(HDC target)
{
    RECT client;
    GetClientRect(&client);
    SCROLLINFO si;
    const bool scrollable = OwnerScrollInfo(si) && ScrollDistance(si) >= 1;
    // Drawn off screen, then copied, so the thumb never flickers.
    CDC targetDc;
    targetDc.Attach(target);
    {
    CMemDC2 mem(&targetDc, &client);
    HDC dc = mem.GetSafeHdc();
    HBRUSH back = ::CreateSolidBrush(backColour);
    ::FillRect(dc, &client, back);
    ::DeleteObject(back);
    if (scrollable && m_hasBitmaps) {
        if (borderWidth > 0) {
            HBRUSH frame = ::CreateSolidBrush(borderColour);
            for (int i = 0; i < borderWidth; ++i) {
                RECT f{client.left + i, client.top + i, client.right - i, client.bottom - i};
                ::FrameRect(dc, &f, frame);
            }
            ::DeleteObject(frame);
        }
        HDC pics = ::CreateCompatibleDC(target);
        Blit(dc, pics, m_bitmaps.topEnd, 0, 0);
        Blit(dc, pics, m_bitmaps.upArrow, 0, m_parts.topEndHeight);
        if (m_spanHeight > 0)
            for (int y = m_layout.trackTop; y < m_layout.trackBottom; y += m_spanHeight) {
                // The last piece is cut so it does not cover the down arrow.
                SIZE s = BitmapSize(m_bitmaps.span);
                CSelectGuard selected(pics, m_bitmaps.span);
                ::BitBlt(dc, 0, y, s.cx, std::min((int)s.cy, m_layout.trackBottom - y), pics, 0, 0, SRCCOPY);
            }
        Blit(dc, pics, m_bitmaps.downArrow, 0, m_layout.trackBottom);
        Blit(dc, pics, m_bitmaps.bottomEnd, 0, m_layout.trackBottom + m_parts.downArrowHeight);
        const int thumbWidth = BitmapSize(m_bitmaps.thumb).cx;
        Blit(dc, pics, m_bitmaps.thumb, (client.right - thumbWidth) / 2, thumbTop);
        ::DeleteDC(pics);
    }
    }
    targetDc.Detach();
}

void CVScrollBar::OnPaint()
{
    PaintWidget(m_hWnd, [this](HDC dc) { Draw(dc); });
}

LRESULT CVScrollBar::OnPrintClient(WPARAM wParam, LPARAM)
{
    Draw((HDC)wParam);
    return 0;
}
