#include "MemDC2.h"

CMemDC2::CMemDC2(CDC* target, const RECT* rect) : m_target(target), m_offScreen(false)
{
    if (!target || !target->GetSafeHdc())
        return;
    if (rect)
        m_rect = *rect;
    else
        ::GetClipBox(*target, &m_rect);

    m_offScreen = target->GetDeviceCaps(TECHNOLOGY) != DT_RASPRINTER;
    if (!m_offScreen || !CreateCompatibleDC(*target) ||
        !m_bitmap.CreateCompatibleBitmap(*target, m_rect.Width(), m_rect.Height())) {
        // No surface: draw straight on the target.
        m_offScreen = false;
        DeleteDC();
        Attach(*target);
        return;
    }
    m_oldBitmap = SelectObject(&m_bitmap);
    ::SetMapMode(m_hDC, ::GetMapMode(*target));
    SIZE ext;
    ::GetWindowExtEx(*target, &ext);
    ::SetWindowExtEx(m_hDC, ext.cx, ext.cy, nullptr);
    ::GetViewportExtEx(*target, &ext);
    ::SetViewportExtEx(m_hDC, ext.cx, ext.cy, nullptr);
    ::SetWindowOrgEx(m_hDC, m_rect.left, m_rect.top, nullptr);
    FillSolidRect(&m_rect, ::GetBkColor(*target));
}

CMemDC2::~CMemDC2()
{
    if (!m_target || !m_hDC)
        return;
    if (m_offScreen) {
        ::BitBlt(*m_target, m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), m_hDC, m_rect.left,
                 m_rect.top, SRCCOPY);
        SelectObject(m_oldBitmap);
    } else {
        Detach();  // the target's own DC: not ours to delete
    }
}
