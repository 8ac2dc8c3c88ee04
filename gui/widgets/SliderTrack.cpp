#include "SliderTrack.h"

#include "Slider.h"
#include "WidgetMessages.h"

BEGIN_MESSAGE_MAP(CSliderTrack, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_MESSAGE(WM_SLIDER_RELEASED, OnSliderReleased)
    ON_MESSAGE(WM_SLIDER_CHANGING, OnSliderChanging)
    ON_MESSAGE(WM_SLIDER_THUMB_MOVED_H, OnThumbMovedH)
    ON_MESSAGE(WM_SLIDER_THUMB_MOVED_V, OnThumbMovedV)
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CSliderTrack::CSliderTrack()
{
    m_type = ITEM_SLIDERTRACK;
}

CSliderTrack::~CSliderTrack()
{
    if (m_thumb && m_thumb->Track() == this)
        m_thumb->SetTrack(nullptr);
}

BOOL CSliderTrack::CreateTrack(const RECT& rect, CWnd* parent)
{
    if (!CreateEx(0, nullptr, L"", WS_CHILD | WS_VISIBLE, rect, parent, (UINT)m_id))
        return FALSE;
    m_window = m_hWnd;
    return TRUE;
}

void CSliderTrack::SetFill(const FillInfo& fill)
{
    m_fillEnabled = 1;
    m_fillColour = fill.fill;
    m_fillRect = fill.rect;
}

void CSliderTrack::SetBitmap(HBITMAP bitmap)
{
    m_bitmap.DeleteObject();
    if (bitmap)
        m_bitmap.Attach(bitmap);
    if (IsWindow())
        Invalidate(FALSE);
}

void CSliderTrack::Show(bool show)
{
    if (!IsWindow())
        return;
    if (show)
        m_needsRepaint = 1;
    ShowWindow(show ? SW_SHOW : SW_HIDE);
}

void CSliderTrack::SetThumb(CSliderBase* thumb)
{
    m_thumb = thumb;
    if (thumb)
        thumb->SetTrack(this);
}

HWND CSliderTrack::NotifyWindow() const
{
    if (m_hWndOwner)
        return m_hWndOwner;
    return ::GetParent(m_hWnd);
}

void CSliderTrack::UpdateTipText()
{
    if (!m_thumb)
        return;
    // Longer texts are cut at the buffer's end rather than overrun it.
    lstrcpynW(m_tipBuffer, m_thumb->TipText(), kTipTextChars);
    m_toolInfo.lpszText = m_tipBuffer;
    if (m_tip)
        ::SendMessageW(m_tip, TTM_UPDATETIPTEXTW, 0, (LPARAM)&m_toolInfo);
}

void CSliderTrack::CreateTrackingTip(int positionCode)
{
    m_tipPosition = positionCode;
    if (!m_thumb || !m_thumb->TipEnabled() || !IsWindow())
        return;
    EnableTip(true);
}

void CSliderTrack::EnableTip(bool on)
{
    m_toolAdded = on ? 1 : 0;
    if (!on)
        CloseTip();
}

bool CSliderTrack::OpenTip()
{
    // The tip window lives only while it shows something: a hidden tracking
    // tip is one more window the system may leave on the screen.
    if (m_tip)
        return true;
    if (!m_toolAdded || !m_thumb || !m_thumb->TipEnabled() || m_thumb->TipText().IsEmpty() || !IsWindow())
        return false;
    m_tip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_hWnd, nullptr,
                              ::GetModuleHandleW(nullptr), nullptr);
    if (!m_tip)
        return false;
    m_toolInfo = TOOLINFOW{};
    m_toolInfo.cbSize = sizeof(TOOLINFOW);
    m_toolInfo.uFlags = TTF_IDISHWND | TTF_TRACK | TTF_ABSOLUTE;
    m_toolInfo.hwnd = m_hWnd;
    m_toolInfo.uId = (UINT_PTR)m_hWnd;
    GetClientRect(&m_toolInfo.rect);
    lstrcpynW(m_tipBuffer, m_thumb->TipText(), kTipTextChars);
    m_toolInfo.lpszText = m_tipBuffer;
    ::SendMessageW(m_tip, TTM_ADDTOOLW, 0, (LPARAM)&m_toolInfo);
    return true;
}

void CSliderTrack::CloseTip()
{
    m_tipShown = 0;
    if (!m_tip)
        return;
    HWND tip = m_tip;
    m_tip = nullptr;
    ::DestroyWindow(tip);
}

void CSliderTrack::PlaceTip()
{
    if (!m_tip || !m_thumb || !m_thumb->IsWindow())
        return;
    POINT anchor{0, 0};
    ::ClientToScreen(m_thumb->m_hWnd, &anchor);
    POINT offset = m_thumb->TipOffset();
    anchor.x += offset.x;
    anchor.y += offset.y;
    RECT r{};
    ::GetWindowRect(m_tip, &r);
    POINT p = TooltipPlacement(m_tipPosition, anchor, r.right - r.left, r.bottom - r.top);
    ::SendMessageW(m_tip, TTM_TRACKPOSITION, 0, MAKELPARAM(p.x, p.y));
}

void CSliderTrack::ShowTip()
{
    if (m_tipShown || !OpenTip())
        return;
    UpdateTipText();
    ::SendMessageW(m_tip, TTM_TRACKACTIVATE, TRUE, (LPARAM)&m_toolInfo);
    m_tipShown = 1;
    PlaceTip();
}

void CSliderTrack::HideTip()
{
    CloseTip();
}

LRESULT CSliderTrack::OnSliderChanging(WPARAM w, LPARAM l)
{
    ShowTip();
    if (m_tipShown) {
        UpdateTipText();
        PlaceTip();
    }
    ::PostMessageW(NotifyWindow(), WM_SLIDER_CHANGING, w, l);
    Invalidate(FALSE);
    return 0;
}

LRESULT CSliderTrack::OnSliderReleased(WPARAM w, LPARAM l)
{
    CloseTip();
    ::PostMessageW(NotifyWindow(), WM_SLIDER_RELEASED, w, l);
    Invalidate(FALSE);
    return 0;
}

LRESULT CSliderTrack::OnThumbMovedH(WPARAM, LPARAM l)
{
    m_thumbX = (int)l;
    m_yChangedLast = false;
    PlaceTip();
    if (m_needsRepaint) {
        m_needsRepaint = 0;
        Invalidate(FALSE);
    } else {
        UpdateWindow();
    }
    return 0;
}

LRESULT CSliderTrack::OnThumbMovedV(WPARAM, LPARAM l)
{
    m_thumbY = (int)l;
    m_yChangedLast = true;
    PlaceTip();
    if (m_needsRepaint) {
        m_needsRepaint = 0;
        Invalidate(FALSE);
    } else {
        UpdateWindow();
    }
    return 0;
}

void CSliderTrack::OnMouseMove(UINT, CPoint)
{
    if (m_thumb && m_thumb->IsWindow())
        PlaceTip();
}

void CSliderTrack::OnLButtonUp(UINT, CPoint p)
{
    if (m_thumb && m_thumb->IsWindow() && m_thumb->IsWindowEnabled()) {
        const SliderGeometry& g = m_thumb->Geometry();
        int position = m_thumb->PixelToValue(p.x - g.halfThumbWidth, p.y - g.halfThumbHeight);
        m_thumb->SetPos(position, true);
        ::PostMessageW(m_thumb->OwnerWindow(), WM_SLIDER_RELEASED, (WPARAM)m_thumb->Value(), (LPARAM)m_thumb->m_id);
    }
    ::PostMessageW(NotifyWindow(), WM_SLIDERTRACK_RELEASED, (WPARAM)m_id, MAKELPARAM(p.x, p.y));
}

void CSliderTrack::OnDestroy()
{
    CloseTip();
    m_toolAdded = 0;
    CWnd::OnDestroy();
}

void CSliderTrack::Draw(CDC& dc)
{
    CRect client;
    GetClientRect(&client);
    if (m_bitmap.GetSafeHandle()) {
        CDC mem;
        if (mem.CreateCompatibleDC(dc)) {
            CSelectGuard selected(mem, m_bitmap);
            dc.BitBlt(0, 0, client.Width(), client.Height(), mem, 0, 0, SRCCOPY);
        }
    }
    if (m_fillEnabled) {
        CRect fill(m_fillRect);
        if (m_yChangedLast)
            fill.top = m_thumbY;
        else
            fill.right = m_thumbX;
        if (fill.right > fill.left && fill.bottom > fill.top)
            dc.FillSolidRect(&fill, m_fillColour);
    }
}

void CSliderTrack::OnPaint()
{
    CPaintDC dc(this);
    Draw(dc);
}

LRESULT CSliderTrack::OnPrintClient(WPARAM w, LPARAM)
{
    CDC dc;
    dc.Attach((HDC)w);
    Draw(dc);
    dc.Detach();
    return 0;
}
