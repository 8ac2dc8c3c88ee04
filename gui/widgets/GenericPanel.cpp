#include "GenericPanel.h"

#include "BitmapTools.h"
#include "WidgetPaint.h"

#include <cmath>

RECT FrameLineRect(const RECT& client, int w)
{
    const int inset = (int)std::floor(w * 0.5);
    const int outset = (int)std::ceil(w * 0.5);
    return {client.left + inset, client.top + inset, client.right - outset, client.bottom - outset};
}

CGenericPanel::CGenericPanel(int width)
    : borderWidth(width), borderInset((int)std::floor(width * 0.5)), borderOutset((int)std::ceil(width * 0.5))
{
}

BEGIN_MESSAGE_MAP(CGenericPanel, CStatic)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

BOOL CGenericPanel::Create(const RECT& rect, CWnd* parent, const PanelImage* image)
{
    RECT windowRect = rect;
    bool centred = false;
    if (image && image->bitmap) {
        const int iw = image->rect.right - image->rect.left, ih = image->rect.bottom - image->rect.top;
        const int rw = rect.right - rect.left, rh = rect.bottom - rect.top;
        centred = iw < rw && ih < rh;
        if (!centred) windowRect = image->rect;
        BITMAP bm{};
        ::GetObjectW(image->bitmap, sizeof(bm), &bm);
        m_image = image->bitmap;
        m_imageSize = {bm.bmWidth, bm.bmHeight};
        m_imageAt = centred ? POINT{(rw - bm.bmWidth) / 2, (rh - bm.bmHeight) / 2} : POINT{0, 0};
    }
    if (!CStatic::Create(L"", WS_CHILD | WS_VISIBLE, windowRect, parent, 0xFFFF)) return FALSE;
    if (m_image && image->mask)
        if (HRGN shape = CreateRegionFromBitmap(image->mask)) SetWindowRgn(shape, FALSE);  // the window owns it
    RECT client;
    GetClientRect(&client);
    if (m_image && !centred) {
        innerRect = {rect.left - windowRect.left, rect.top - windowRect.top, rect.right - windowRect.left,
                     rect.bottom - windowRect.top};
    } else {
        innerRect = {client.left + borderWidth, client.top + borderWidth, client.right - borderWidth,
                     client.bottom - borderWidth};
    }
    return TRUE;
}

void CGenericPanel::Draw(HDC dc)
{
    RECT client;
    GetClientRect(&client);
    if (m_image) {
        CDC mem;
        mem.CreateCompatibleDC(dc);
        CSelectGuard selected(mem, m_image);
        ::BitBlt(dc, m_imageAt.x, m_imageAt.y, m_imageSize.cx, m_imageSize.cy, mem, 0, 0, SRCCOPY);
    } else {
        CBrush back(backColour);
        ::FillRect(dc, &client, back);
    }
    if (borderWidth > 0) {
        const RECT f = FrameLineRect(client, borderWidth);
        CPen pen(PS_SOLID, borderWidth, borderColour);
        CSelectGuard selected(dc, pen);
        ::MoveToEx(dc, f.left, f.top, nullptr);
        ::LineTo(dc, f.right, f.top);
        ::LineTo(dc, f.right, f.bottom);
        ::LineTo(dc, f.left, f.bottom);
        ::LineTo(dc, f.left, f.top - 1);
    }
}

void CGenericPanel::OnPaint()
{
    PaintWidget(m_hWnd, [this](HDC dc) { Draw(dc); });
}

LRESULT CGenericPanel::OnPrintClient(WPARAM wParam, LPARAM)
{
    Draw((HDC)wParam);
    return 0;
}
