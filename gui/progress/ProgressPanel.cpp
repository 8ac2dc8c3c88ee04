#include "ProgressPanel.h"

#include "FallbackFont.h"
#include "StageMath.h"

BEGIN_MESSAGE_MAP(CProgressPanel, CStatic)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_TIMER()
    ON_WM_DESTROY()
    // The system static paints itself on WM_ENABLE, asking its parent for
    // colours: a call into the parent's thread that waits for that thread.
    ON_WM_ENABLE()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

CProgressPanel::CProgressPanel() = default;

CProgressPanel::~CProgressPanel()
{
    // The fill bar goes first: it is a child of this window.
    m_fillBar.reset();
}

void CProgressPanel::SetTextAreas(const std::vector<ProgressTextArea>& areas)
{
    m_areas = areas;
    m_heading = m_percentArea = m_status = -1;
    for (int i = 0; i < (int)m_areas.size(); ++i) {
        const CString& n = m_areas[i].name;
        if (n.CompareNoCase(L"PP_HEADING") == 0)
            m_heading = i;
        else if (n.CompareNoCase(L"PP_PERCENT") == 0)
            m_percentArea = i;
        else if (n.CompareNoCase(L"PP_STATUS") == 0)
            m_status = i;
    }
}

BOOL CProgressPanel::Create(const wchar_t* text, DWORD style, const RECT& rect, HWND parent, const FillInfo& fill,
                            UINT id, DWORD exStyle)
{
    if (!CreateEx(exStyle, L"STATIC", text, style | WS_CHILD, rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, parent, (HMENU)(UINT_PTR)id))
        return FALSE;
    m_fillBar.reset(new CFillBar());
    if (!m_fillBar->CreateBar(L"", WS_CHILD | WS_VISIBLE, this, fill, 0xFFFF))
        m_fillBar.reset();
    return TRUE;
}

void CProgressPanel::SetPercent(unsigned percent)
{
    m_percent = (int)ClampPercent(percent);
    if (m_fillBar) {
        m_fillBar->SetFillWidth(FillEndForPercent(m_fillBar->FillStart(), m_fillBar->PixelsPerPercent(),
                                                  (unsigned)m_percent.load()));
        if (m_fillBar->IsWindow())
            m_fillBar->Invalidate(TRUE);
    }
    if (m_percentArea >= 0)
        m_areas[m_percentArea].text.Format(L"%d%%", m_percent.load());
    if (IsWindow())
        Invalidate(TRUE);
}

void CProgressPanel::SetHeadingText(const wchar_t* text)
{
    if (m_heading < 0)
        return;
    m_areas[m_heading].text = text ? text : L"";
    if (IsWindow())
        Invalidate(TRUE);
}

void CProgressPanel::SetStatusText(const wchar_t* text)
{
    if (m_status < 0)
        return;
    m_areas[m_status].text = text ? text : L"";
    if (IsWindow())
        Invalidate(TRUE);
}

void CProgressPanel::StartAnimation(UINT intervalMs)
{
    SetPercent(0);
    // A restart runs upward again: with the old step of -1 the next tick
    // would ask for -1 percent, which reads as 100 and makes the bar jump.
    m_animationStep = 1;
    if (::InterlockedExchange(&m_animationRunning, 1) == 0) {
        m_animationInterval = intervalMs;
        SetTimer(kAnimationTimer, intervalMs);
    }
}

void CProgressPanel::StopAnimation()
{
    if (::InterlockedExchange(&m_animationRunning, 0) != 0)
        KillTimer(kAnimationTimer);
}

void CProgressPanel::OnTimer(UINT_PTR id)
{
    if (id != kAnimationTimer) {
        CStatic::OnTimer(id);
        return;
    }
    SetPercent((unsigned)(m_percent.load() + m_animationStep));
    m_animationStep = NextAnimationStep(m_percent.load(), m_animationStep);
}

void CProgressPanel::OnDestroy()
{
    StopAnimation();
    CStatic::OnDestroy();
}

void CProgressPanel::Draw(CDC& dc)
{
    CRect client;
    GetClientRect(&client);
    dc.SetBkMode(TRANSPARENT);
    dc.FillSolidRect(&client, m_colours.backclr);
    for (const ProgressTextArea& a : m_areas) {
        CRect r(a.rect);
        if (r.Width() <= 0 || r.Height() <= 0)
            continue;
        // Each area is drawn off screen and copied at once.
        CDC mem;
        CBitmap bm;
        if (!mem.CreateCompatibleDC(dc) || !bm.CreateCompatibleBitmap(dc, r.Width(), r.Height()))
            continue;
        CSelectGuard bitmapSelected(mem, bm);
        ::SetWindowOrgEx(mem, r.left, r.top, nullptr);
        mem.SetBkMode(TRANSPARENT);
        mem.FillSolidRect(&r, a.backColour);
        mem.SetTextColor(a.textColour);
        CFont fallback;
        const bool ownFont = a.font && a.font->GetSafeHandle();
        CSelectGuard fontSelected(mem, ownFont ? a.font->m_hObject
                                               : CreateBoldArialFont(12, fallback) ? fallback.m_hObject : nullptr);
        CRect textRect = r;
        mem.DrawText(a.text, -1, &textRect, DT_LEFT | DT_SINGLELINE | DT_VCENTER);
        dc.BitBlt(r.left, r.top, r.Width(), r.Height(), mem, r.left, r.top, SRCCOPY);
    }
}

void CProgressPanel::OnPaint()
{
    CPaintDC dc(this);
    Draw(dc);
}

LRESULT CProgressPanel::OnPrintClient(WPARAM w, LPARAM flags)
{
    CDC dc;
    dc.Attach((HDC)w);
    Draw(dc);
    // A printed panel includes its fill bar, as the screen shows it.
    if ((flags & PRF_CHILDREN) && m_fillBar && m_fillBar->IsWindow() && m_fillBar->IsWindowVisible()) {
        CRect r;
        m_fillBar->GetWindowRect(&r);
        ScreenToClient(&r);
        POINT old{};
        ::OffsetViewportOrgEx(dc, r.left, r.top, &old);
        m_fillBar->SendMessage(WM_PRINTCLIENT, w, PRF_CLIENT);
        ::SetViewportOrgEx(dc, old.x, old.y, nullptr);
    }
    dc.Detach();
    return 0;
}
