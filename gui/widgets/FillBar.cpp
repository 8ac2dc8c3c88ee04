#include "FillBar.h"

BEGIN_MESSAGE_MAP(CFillBar, CStatic)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

BOOL CFillBar::CreateBar(const wchar_t* text, DWORD style, CWnd* parent, const FillInfo& fill, UINT id)
{
    if (!Create(text, style, fill.rect, parent, id))
        return FALSE;
    GetClientRect(&m_clientRect);
    m_pixelsPerPercent = (float)m_clientRect.Width() / 100.0f;
    m_fillColour = fill.fill;
    m_backColour = fill.back;
    return TRUE;
}

void CFillBar::Draw(CDC& dc)
{
    CRect r;
    GetClientRect(&r);
    // Drawn off screen and copied at once: the bar is repainted many times
    // a second while a transfer runs.
    CDC mem;
    CBitmap bm;
    if (r.Width() <= 0 || r.Height() <= 0 || !mem.CreateCompatibleDC(dc) ||
        !bm.CreateCompatibleBitmap(dc, r.Width(), r.Height()))
        return;
    CSelectGuard selected(mem, bm);
    mem.SetBkMode(TRANSPARENT);
    mem.FillSolidRect(&r, m_backColour);
    if (m_fillWidth != 0) {
        CRect filled(r.left, r.top, m_fillWidth, r.bottom);
        mem.FillSolidRect(&filled, m_fillColour);
    }
    dc.BitBlt(0, 0, r.Width(), r.Height(), mem, 0, 0, SRCCOPY);
}

void CFillBar::OnPaint()
{
    CPaintDC dc(this);
    Draw(dc);
}

LRESULT CFillBar::OnPrintClient(WPARAM w, LPARAM)
{
    CDC dc;
    dc.Attach((HDC)w);
    Draw(dc);
    dc.Detach();
    return 0;
}
