#include "APMSlider.h"

#include "WidgetMessages.h"

BEGIN_MESSAGE_MAP(CAPMSlider, CSliderTrack)
    ON_MESSAGE(WM_SLIDER_RELEASED, OnStageMoved)
    ON_MESSAGE(WM_SLIDER_CHANGING, OnStageMoved)
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

CAPMSlider::CAPMSlider()
{
    m_type = ITEM_APMSLIDER;
}

CAPMSlider::~CAPMSlider()
{
    // The stage thumbs are children of this window and go before it.
    m_tickers.clear();
}

BOOL CAPMSlider::Create(CWnd* owner, HBITMAP trackBitmap, int minimum, int maximum, const RECT& rect)
{
    m_rangeMin = minimum;
    m_rangeMax = maximum;
    m_rect = rect;
    m_creatingOwner = owner ? owner->m_hWnd : nullptr;
    SetBitmap(trackBitmap);
    if (!CreateEx(0, nullptr, L"", WS_CHILD | WS_VISIBLE, rect, owner, (UINT)m_id))
        return FALSE;
    m_window = m_hWnd;
    return TRUE;
}

void CAPMSlider::AddStage(CAPMTicker* ticker)
{
    if (!ticker)
        return;
    m_tickers.emplace_back(ticker);
}

std::vector<int> CAPMSlider::StageValues() const
{
    std::vector<int> v;
    for (auto& t : m_tickers)
        v.push_back(t->Value());
    return v;
}

void CAPMSlider::SetDefaultStages()
{
    std::vector<int> targets = DefaultStageTargets(m_rangeMin, m_rangeMax, StageCount());
    for (int i = 0; i < StageCount(); ++i) {
        CAPMTicker* t = m_tickers[i].get();
        t->SetPos(PositionForValue(t->Geometry(), targets[i]), true);
    }
}

void CAPMSlider::RemoveTickerCapRanges()
{
    for (auto& t : m_tickers)
        t->SetCapRange(m_rangeMin, m_rangeMax);
}

void CAPMSlider::SetTickerCapRanges()
{
    std::vector<StageCap> caps = NeighbourCapRanges(StageValues(), m_rangeMin, m_rangeMax);
    for (size_t i = 0; i < caps.size(); ++i)
        m_tickers[i]->SetCapRange(caps[i].capMin, caps[i].capMax);
}

void CAPMSlider::BuildGreyColours()
{
    m_colours = GreyStageColours(StageCount(), m_rangeMin, m_rangeMax);
}

void CAPMSlider::PostToOwners(UINT message, WPARAM w, LPARAM l)
{
    HWND parent = ::GetParent(m_hWnd);
    ::PostMessageW(parent, message, w, l);
    // The creating owner is normally the parent too: it hears once.
    if (m_creatingOwner && m_creatingOwner != parent)
        ::PostMessageW(m_creatingOwner, message, w, l);
}

LRESULT CAPMSlider::OnStageMoved(WPARAM w, LPARAM l)
{
    if (m_freeCaps)
        RemoveTickerCapRanges();
    else
        SetTickerCapRanges();
    for (auto& t : m_tickers) {
        if (t->m_id == (int)l && t->Value() == (int)w && t->IsWindow()) {
            CRect r;
            t->GetWindowRect(&r);
            ScreenToClient(&r);
            r.InflateRect(r.Width(), 0);
            InvalidateRect(&r, FALSE);
            break;
        }
    }
    PostToOwners(WM_SLIDER_CHANGING, w, l);
    return 0;
}

void CAPMSlider::OnLButtonUp(UINT, CPoint p)
{
    // The slider's rectangle is in its parent's coordinates: so is the
    // point it is compared with.
    POINT q = p;
    ::MapWindowPoints(m_hWnd, ::GetParent(m_hWnd), &q, 1);
    int v = StageValueAt(q.x, m_rect.left, m_rect.right, m_rangeMin, m_rangeMax);
    int index = StageIndexForValue(StageValues(), v);
    PostToOwners(WM_APMSLIDER_RELEASED, (WPARAM)index, (LPARAM)m_id);
}

void CAPMSlider::Draw(CDC& dc)
{
    CRect client;
    GetClientRect(&client);
    if (client.IsRectEmpty())
        return;
    for (size_t i = 0; i < m_colours.size(); ++i)
        ::OutputDebugStringW(StageColourTrace((int)i, m_colours[i]).c_str());
    std::vector<int> values = StageValues();
    for (size_t i = 0; i < values.size(); ++i)
        ::OutputDebugStringW(StagePosTrace((int)i, values[i]).c_str());

    CDC mem;
    CBitmap canvas;
    if (!mem.CreateCompatibleDC(dc) || !canvas.CreateCompatibleBitmap(dc, client.Width(), client.Height()))
        return;
    CSelectGuard canvasSelected(mem, canvas);
    int halfThumb = m_tickers.empty() ? 0 : m_tickers[0]->Geometry().halfThumbWidth;
    int trackWidth = client.Width() - 2 * halfThumb;
    int left = client.left;
    for (size_t i = 0; i <= values.size(); ++i) {
        int right = i < values.size()
                        ? StageBoundaryX(values[i], m_rangeMin, m_rangeMax, trackWidth, halfThumb, client.left)
                        : client.right;
        COLORREF c = i < m_colours.size() ? m_colours[i] : (m_colours.empty() ? 0 : m_colours.back());
        CRect seg(left, client.top, right, client.bottom);
        ::OutputDebugStringW(StageSegmentTrace(seg.left, seg.right, c).c_str());
        if (seg.right > seg.left)
            mem.FillSolidRect(&seg, c);
        left = right;
    }
    if (m_bitmap.GetSafeHandle()) {
        CDC pic;
        if (pic.CreateCompatibleDC(dc)) {
            CSelectGuard picSelected(pic, m_bitmap);
            CSize size = m_bitmap.GetSize();
            BLENDFUNCTION bf{AC_SRC_OVER, 0, kBlendAlpha, 0};
            mem.AlphaBlend(0, 0, client.Width(), client.Height(), pic, 0, 0,
                           size.cx < client.Width() ? size.cx : client.Width(),
                           size.cy < client.Height() ? size.cy : client.Height(), bf);
        }
    }
    dc.BitBlt(0, 0, client.Width(), client.Height(), mem, 0, 0, SRCCOPY);
}

// ------------------------------------------------------------------ CDMarker

BEGIN_MESSAGE_MAP(CDMarker, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_CAPTURECHANGED()
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

CDMarker::CDMarker()
{
    m_type = ITEM_DMARKER;
}

BOOL CDMarker::Create(const RECT& rect, int id, CWnd* owner)
{
    m_rect = rect;
    m_controlId = id;
    m_id = id;
    m_ownerWnd = owner ? owner->m_hWnd : nullptr;
    m_minimum = 0;
    m_maximum = 10;
    m_value = 0;
    m_enabled = 1;
    if (!CreateEx(0, nullptr, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, rect, owner, (UINT)id))
        return FALSE;
    m_window = m_hWnd;
    return TRUE;
}

void CDMarker::SetBitmaps(HBITMAP background, HBITMAP marker, const RECT& rect)
{
    m_background.DeleteObject();
    m_marker.DeleteObject();
    if (background)
        m_background.Attach(background);
    if (marker)
        m_marker.Attach(marker);
    m_rect = rect;
    if (IsWindow())
        Invalidate(FALSE);
}

int CDMarker::ValueAt(CPoint client) const
{
    POINT p = client;
    ::MapWindowPoints(m_hWnd, m_ownerWnd, &p, 1);
    return MarkerValueAt(p.x, m_rect.left, m_rect.right, m_minimum, m_maximum);
}

void CDMarker::OnLButtonDown(UINT, CPoint p)
{
    if (!m_enabled)
        return;
    SetCapture();
    m_dragging = 1;
    m_pressX = p.x;
    m_pressY = p.y;
}

void CDMarker::OnMouseMove(UINT, CPoint p)
{
    if (!m_dragging)
        return;
    m_value = ValueAt(p);
    Invalidate(FALSE);
}

void CDMarker::OnLButtonUp(UINT, CPoint p)
{
    if (!m_enabled)
        return;
    m_value = ValueAt(p);
    m_dragging = 0;
    ::PostMessageW(m_ownerWnd, WM_DMARKER_RELEASED, (WPARAM)m_value, (LPARAM)m_controlId);
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    Invalidate(FALSE);
}

void CDMarker::OnCaptureChanged(CWnd*)
{
    // Another window took the mouse: the drag is over. Its capture is its
    // own and stays.
    if (m_dragging) {
        m_dragging = 0;
        Invalidate(FALSE);
    }
}

void CDMarker::OnKillFocus(CWnd*)
{
    m_dragging = 0;
    Invalidate(FALSE);
}

void CDMarker::Draw(CDC& dc)
{
    CRect client;
    GetClientRect(&client);
    CDC mem;
    if (!mem.CreateCompatibleDC(dc))
        return;
    if (m_background.GetSafeHandle()) {
        CSelectGuard selected(mem, m_background);
        dc.BitBlt(0, 0, client.Width(), client.Height(), mem, 0, 0, SRCCOPY);
    }
    int width = MarkerRevealWidth(m_rect.right - m_rect.left, m_value, m_minimum, m_maximum);
    if (m_marker.GetSafeHandle() && width > 0) {
        CSelectGuard selected(mem, m_marker);
        dc.BitBlt(0, 0, width, client.Height(), mem, 0, 0, SRCCOPY);
    }
}

void CDMarker::OnPaint()
{
    CPaintDC dc(this);
    Draw(dc);
}

LRESULT CDMarker::OnPrintClient(WPARAM w, LPARAM)
{
    CDC dc;
    dc.Attach((HDC)w);
    Draw(dc);
    dc.Detach();
    return 0;
}
