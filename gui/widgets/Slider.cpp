#include "Slider.h"

#include <commctrl.h>

#include "BitmapTools.h"
#include "LangTable.h"
#include "SliderTrack.h"
#include "WidgetMessages.h"


BEGIN_MESSAGE_MAP(CSliderBase, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_KILLFOCUS()
    ON_WM_MOUSELEAVE()
    ON_WM_MOUSEHOVER()
END_MESSAGE_MAP()

CSliderBase::CSliderBase() = default;

CSliderBase::~CSliderBase()
{
    if (m_track && m_track->Thumb() == this)
        m_track->SetThumb(nullptr);
}

BOOL CSliderBase::Create(HBITMAP normal, CWnd* owner, HBITMAP pressed, HBITMAP mask, bool keyFromCorner,
                         const RECT& rect)
{
    if (normal)
        m_normal.Attach(normal);
    if (pressed)
        m_pressed.Attach(pressed);
    if (mask)
        m_mask.Attach(mask);
    CSize size = m_normal.GetSize();
    m_thumbWidth = size.cx;
    m_thumbHeight = size.cy;
    m_trackRect = rect;
    m_ownerWnd = owner ? owner->m_hWnd : nullptr;
    if (!CreateEx(0, nullptr, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, rect, owner, (UINT)m_id))
        return FALSE;
    m_window = m_hWnd;
    HRGN region = nullptr;
    if (keyFromCorner)
        region = RegionFromCornerKey();
    else if (m_mask.GetSafeHandle())
        region = CreateRegionFromBitmap(m_mask);
    if (region)
        SetWindowRgn(region, TRUE);  // the window owns the region now
    ModifyStyleEx(0, WS_EX_TOPMOST);
    RecalcLayout();
    return TRUE;
}

HRGN CSliderBase::RegionFromCornerKey() const
{
    if (!m_normal.GetSafeHandle() || m_thumbWidth <= 0 || m_thumbHeight <= 0)
        return nullptr;
    CDC mem;
    if (!mem.CreateCompatibleDC(nullptr))
        return nullptr;
    CSelectGuard selected(mem, m_normal);
    COLORREF key = mem.GetPixel(0, 0);
    HRGN region = ::CreateRectRgn(0, 0, m_thumbWidth, m_thumbHeight);
    for (int x = 0; x < m_thumbWidth; ++x) {
        for (int y = 0; y < m_thumbHeight; ++y) {
            if (mem.GetPixel(x, y) != key)
                continue;
            HRGN dot = ::CreateRectRgn(x, y, x + 1, y + 1);
            ::CombineRgn(region, region, dot, RGN_XOR);
            ::DeleteObject(dot);
        }
    }
    return region;
}

void CSliderBase::SetToolTip(const wchar_t* label, int positionCode, const wchar_t* prefix)
{
    if (prefix)
        m_tipPrefix = prefix;
    if (label && *label)
        m_tipLabel = TranslateText(label);  // as written when no entry exists
    RebuildTipText();
    POINT anchor = TooltipAnchor(positionCode, m_thumbWidth, m_thumbHeight);
    m_tipOffsetX = anchor.x;
    m_tipOffsetY = anchor.y;
    m_tipPosition = positionCode;
    if (m_track)
        m_track->CreateTrackingTip(positionCode);
}

void CSliderBase::RebuildTipText()
{
    m_tipText = m_tipPrefix;
    m_tipText.AppendFormat(L"%d", ShownValue());
}

void CSliderBase::MoveThumbTo(int x, int y)
{
    if (IsWindow())
        MoveWindow(x, y, m_thumbWidth, m_thumbHeight, TRUE);
}

void CSliderBase::Draw(CDC& dc)
{
    const CBitmap& bm = (m_dragging || m_hover) && m_pressed.GetSafeHandle() ? m_pressed : m_normal;
    if (!bm.GetSafeHandle())
        return;
    CDC mem;
    if (!mem.CreateCompatibleDC(dc))
        return;
    CSelectGuard selected(mem, bm);
    dc.BitBlt(0, 0, m_thumbWidth, m_thumbHeight, mem, 0, 0, SRCCOPY);
}

void CSliderBase::OnPaint()
{
    CPaintDC dc(this);
    Draw(dc);
}

LRESULT CSliderBase::OnPrintClient(WPARAM w, LPARAM)
{
    CDC dc;
    dc.Attach((HDC)w);
    Draw(dc);
    dc.Detach();
    return 0;
}

void CSliderBase::OnLButtonDown(UINT, CPoint p)
{
    if (!m_interactive)
        return;
    if (m_track)
        m_track->SetThumb(this);
    SetCapture();
    m_dragging = 1;
    m_pressX = p.x;
    m_pressY = p.y;
}

void CSliderBase::OnMouseMove(UINT, CPoint p)
{
    if (!m_interactive)
        return;
    m_hover = 1;
    if (m_dragging) {
        TrackTo(p.x, p.y);
        return;
    }
    TrackLeaveAndHover();
}

void CSliderBase::TrackLeaveAndHover()
{
    // Leave and hover are asked for together, every time: a request naming
    // only one ends the other on some systems (Wine keeps only the last
    // request's flags), and a tip shown on hover must hear the pointer go.
    TRACKMOUSEEVENT tme{sizeof(TRACKMOUSEEVENT)};
    tme.hwndTrack = m_hWnd;
    tme.dwFlags = TME_LEAVE | TME_HOVER;
    tme.dwHoverTime = HOVER_DEFAULT;
    if (::TrackMouseEvent(&tme))
        m_leaveTracked = 1;
}

void CSliderBase::OnLButtonUp(UINT, CPoint)
{
    if (!m_interactive)
        return;
    m_dragging = 0;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    ::PostMessageW(m_ownerWnd, WM_SLIDER_RELEASED, (WPARAM)Value(), (LPARAM)m_id);
    m_hover = 0;
    Invalidate(FALSE);
    // The release hides the tip; from here the pointer's leave or a new
    // hover decides again.
    TrackLeaveAndHover();
}

void CSliderBase::OnMouseHover(UINT, CPoint)
{
    // Several thumbs may share a track: the one under the mouse is its tip's.
    if (m_track) {
        m_track->SetThumb(this);
        m_track->ShowTip();
    }
}

void CSliderBase::OnMouseLeave()
{
    if (m_track)
        m_track->HideTip();
    m_leaveTracked = 0;
    m_hover = 0;
    Invalidate(FALSE);
}

void CSliderBase::OnKillFocus(CWnd*)
{
    m_hover = 0;
    Invalidate(FALSE);
}

// ------------------------------------------------------------------ CPHSlider

CPHSlider::CPHSlider()
{
    m_type = ITEM_SLIDERHMULTI;
}

void CPHSlider::RecalcLayout()
{
    LayoutHorizontal(m_geo, m_trackRect, m_thumbWidth, m_thumbHeight);
}

int CPHSlider::PixelToValue(int x, int)
{
    return HorizontalPixelToPosition(m_geo, x);
}

void CPHSlider::SetPos(int position, bool notify)
{
    if (!notify && position == m_position)
        return;
    m_position = ClampPosition(m_geo, position);
    if (notify) {
        int x = PixelOfPosition(m_geo, m_position);
        MoveThumbTo(x, m_geo.layoutRect.top);
        ::SendMessageW(m_ownerWnd, WM_SLIDER_THUMB_MOVED_H, 0, (LPARAM)x);
    }
    RebuildTipText();
}

void CPHSlider::TrackTo(int x, int y)
{
    POINT p{x, y};
    ::MapWindowPoints(m_hWnd, m_ownerWnd, &p, 1);
    int left = ClampHorizontalEdge(m_geo, p.x - m_geo.halfThumbWidth);
    MoveThumbTo(left, m_geo.layoutRect.top);
    ::SendMessageW(m_ownerWnd, WM_SLIDER_THUMB_MOVED_H, 0, (LPARAM)left);
    int old = m_position;
    m_position = ClampPosition(m_geo, PixelToValue(left, 0));
    if (m_position != old)
        ::PostMessageW(m_ownerWnd, WM_SLIDER_CHANGING, (WPARAM)Value(), (LPARAM)m_id);
    RebuildTipText();
}

void CPHSlider::SetCapRange(int capMin, int capMax)
{
    CapRange c = ClampCapRange(m_geo, capMin, capMax);
    m_capMin = c.capMin;
    m_capMax = c.capMax;
}

// ---------------------------------------------------------------- CVertSlider

CVertSlider::CVertSlider()
{
    m_type = ITEM_VERTSLIDER;
    m_geo.offset = 1;
    m_geo.valueMax = 32;
    m_geo.positionMin = 0;
    m_geo.positionMax = 31;
}

void CVertSlider::RecalcLayout()
{
    LayoutVertical(m_geo, m_trackRect, m_thumbWidth, m_thumbHeight);
}

int CVertSlider::PixelToValue(int, int y)
{
    return VerticalPixelToPosition(m_geo, y);
}

void CVertSlider::SetPos(int position, bool notify)
{
    if (position == m_position)
        return;
    m_position = ClampPosition(m_geo, position);
    if (notify) {
        int y = PixelOfPosition(m_geo, m_position);
        MoveThumbTo(m_trackRect.left, y);
        ::SendMessageW(m_ownerWnd, WM_SLIDER_THUMB_MOVED_V, 0, (LPARAM)y);
    }
    RebuildTipText();
}

void CVertSlider::TrackTo(int x, int y)
{
    POINT p{x, y};
    ::MapWindowPoints(m_hWnd, m_ownerWnd, &p, 1);
    int top = ClampVerticalEdge(m_geo, p.y - m_geo.halfThumbHeight);
    MoveThumbTo(m_geo.layoutRect.left, top);
    ::SendMessageW(m_ownerWnd, WM_SLIDER_THUMB_MOVED_V, 0, (LPARAM)(top + m_thumbHeight));
    int old = m_position;
    m_position = ClampPosition(m_geo, PixelToValue(0, top));
    if (m_position != old)
        ::PostMessageW(m_ownerWnd, WM_SLIDER_CHANGING, (WPARAM)Value(), (LPARAM)m_id);
    RebuildTipText();
}
