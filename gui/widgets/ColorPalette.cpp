#include "ColorPalette.h"

#include "WidgetMessages.h"
#include "WidgetText.h"

// The custom button's text: "$Custom" through the current language table,
// the first "\\n" made a line break.
static CString PaletteCustomText()
{
    return ReplaceFirstLineBreak(TranslateText(L"$Custom"));
}

// ---- cells ----------------------------------------------------------------

bool CFOColorCellObj::HitTest(int x, int y) const
{
    POINT p{x, y};
    return ::PtInRect(&m_rect, p) != FALSE;
}

void CFOColorCellObj::SetColour(COLORREF c)
{
    m_colour = c;
    m_brush.DeleteObject();
}

void CFOColorCellObj::BeginDraw(CDC& dc)
{
    m_saved = dc.SaveDC();
    dc.SetBkMode(TRANSPARENT);
    if (!m_brush.GetSafeHandle()) m_brush.CreateSolidBrush(m_colour);
    dc.SelectObject(&m_brush);
    dc.SelectStockObject(NULL_PEN);
}

void CFOColorCellObj::Draw(CDC& dc)
{
    BeginDraw(dc);
    dc.FillSolidRect(&m_rect, 0);
    RECT inner = m_rect;
    ::InflateRect(&inner, -m_inset, -m_inset);
    dc.FillRect(&inner, m_brush);
    CBrush frame(m_frameColour);
    dc.FrameRect(&inner, frame);
    EndDraw(dc);
}

void CFOColorCellObj::DrawSelected(CDC& dc)
{
    Draw(dc);
    RECT white = m_rect;
    ::InflateRect(&white, -1, -1);
    CBrush w(0xFFFFFF), b(0);
    dc.FrameRect(&white, w);
    RECT white2 = white;
    ::InflateRect(&white2, -1, -1);
    dc.FrameRect(&white2, w);
    RECT black = white;
    ::InflateRect(&black, 2, 2);
    dc.FrameRect(&black, b);
}

void CFOColorCellObj::EndDraw(CDC& dc)
{
    if (m_saved) dc.RestoreDC(m_saved);
    m_saved = 0;
}

// ---- control --------------------------------------------------------------

CFODropColorPaletteControl::CFODropColorPaletteControl(COLORREF defaultColour) : m_defaultColour(defaultColour)
{
    LOGFONTW lf{};
    HGDIOBJ gui = ::GetStockObject(DEFAULT_GUI_FONT);
    if (!gui) gui = ::GetStockObject(ANSI_VAR_FONT);
    if (gui && ::GetObjectW(gui, sizeof(lf), &lf)) m_font.CreateFontIndirect(&lf);
}

bool CFODropColorPaletteControl::Create(CFODropColorPaletteWnd* wnd, COLORREF colour, const RECT& rect,
                                        bool closeOnChoice)
{
    m_client = rect;
    m_current = colour;
    m_wnd = wnd;
    m_closeOnChoice = closeOnChoice;
    m_customText = PaletteCustomText();
    Layout();
    return true;
}

void CFODropColorPaletteControl::InitColorCells()
{
    for (int k = 0; k < kPaletteCellCount; ++k) m_cells[k].SetColour(kPaletteColours[k]);
}

void CFODropColorPaletteControl::Layout()
{
    InitColorCells();
    m_layout = ComputePaletteLayout(m_client, m_customShown, m_margin);
    for (int k = 0; k < kPaletteCellCount; ++k) {
        m_cells[k].m_rect = m_layout.cells[k];
        m_cells[k].m_shaped = false;
    }
}

void CFODropColorPaletteControl::Relayout(const RECT& client)
{
    m_client = client;
    Layout();
}

int CFODropColorPaletteControl::CurrentCell() const
{
    for (int k = 0; k < kPaletteCellCount; ++k)
        if (m_cells[k].Colour() == m_current) return k;
    return -1;
}

void CFODropColorPaletteControl::InvalidateGrown(const RECT& r)
{
    if (!m_wnd || !m_wnd->GetSafeHwnd()) return;
    RECT g = r;
    ::InflateRect(&g, 2, 2);
    m_wnd->InvalidateRect(&g, FALSE);
}

CFOColorCellObj* CFODropColorPaletteControl::SelectCellAt(int x, int y)
{
    for (auto& cell : m_cells) {
        if (!cell.HitTest(x, y)) continue;
        int old = CurrentCell();
        if (old >= 0) InvalidateGrown(m_cells[old].m_rect);
        m_current = cell.Colour();
        InvalidateGrown(cell.m_rect);
        return &cell;
    }
    return nullptr;
}

void CFODropColorPaletteControl::CheckCustomHover(int x, int y)
{
    POINT p{x, y};
    if (m_customShown && ::PtInRect(&m_layout.custom, p)) {
        m_customHover = true;
        InvalidateGrown(m_layout.custom);
    }
}

void CFODropColorPaletteControl::PostToWindow(UINT msg, WPARAM w, LPARAM l)
{
    if (m_wnd && m_wnd->GetSafeHwnd()) m_wnd->PostMessage(msg, w, l);
}

void CFODropColorPaletteControl::Hide()
{
    if (m_closeOnChoice && m_wnd && m_wnd->GetSafeHwnd()) m_wnd->ShowWindow(SW_HIDE);
}

void CFODropColorPaletteControl::NotifyColorSelected(COLORREF colour, LPARAM flag)
{
    // The latch is set before hiding: the hide deactivates the pop-up, and
    // that deactivation must see that the palette has answered already.
    if (!m_outcome.Report(PaletteOutcomeLatch::Choice)) return;
    PostToWindow(WM_COLORPALETTE_SELECT, colour, flag);
    if (m_customShown) InvalidateGrown(m_layout.custom);
    Hide();
}

void CFODropColorPaletteControl::NotifyCancel(COLORREF colour, LPARAM flag)
{
    if (!m_outcome.Report(PaletteOutcomeLatch::Cancel)) return;
    PostToWindow(WM_COLORPALETTE_CANCEL, colour, flag);
    if (m_customShown) InvalidateGrown(m_layout.custom);
    Hide();
}

void CFODropColorPaletteControl::RequestCustom()
{
    if (!m_outcome.Report(PaletteOutcomeLatch::Custom)) return;
    PostToWindow(WM_COLORPALETTE_CUSTOM, m_current, 0);
    Hide();
}

void CFODropColorPaletteControl::OnDeactivated()
{
    if (m_outcome.DeactivationChooses()) NotifyColorSelected(m_current, 0);
}

void CFODropColorPaletteControl::OnClick(int x, int y)
{
    if (m_customHover) {
        m_customHover = false;
        InvalidateGrown(m_layout.custom);
    }
    for (auto& cell : m_cells)
        if (cell.HitTest(x, y)) {
            NotifyColorSelected(cell.Colour(), 0);
            return;
        }
    POINT p{x, y};
    if (m_customShown && ::PtInRect(&m_layout.custom, p)) RequestCustom();
}

void CFODropColorPaletteControl::OnKeyDown(UINT vk)
{
    switch (vk) {
    case VK_ESCAPE:
    case VK_CANCEL:
        if (m_closeOnChoice) NotifyCancel(m_current, 0);
        return;
    case VK_RETURN:
        if (m_closeOnChoice) NotifyColorSelected(m_current, 0);
        return;
    case VK_TAB:
        if (::GetKeyState(VK_SHIFT) < 0) {
            HWND parent = m_wnd ? ::GetParent(m_wnd->GetSafeHwnd()) : nullptr;
            if (parent) ::SetFocus(::GetNextDlgTabItem(parent, m_wnd->GetSafeHwnd(), TRUE));
        } else if (m_customShown) {
            RequestCustom();
        }
        return;
    default:
        break;
    }
    int from = CurrentCell();
    int to = PaletteNavigate(from, vk);
    if (to < 0) return;
    if (from >= 0) InvalidateGrown(m_cells[from].m_rect);
    m_current = m_cells[to].Colour();
    InvalidateGrown(m_cells[to].m_rect);
    PostToWindow(WM_COLORPALETTE_SELECT, m_current, 100);  // a preview
}

void CFODropColorPaletteControl::DrawBorder(CDC& dc, const RECT& r, int style)
{
    UINT edge = style == 2 ? EDGE_RAISED : BDR_RAISEDOUTER;
    RECT b = r;
    ::DrawEdge(dc, &b, edge, BF_RECT);
}

void CFODropColorPaletteControl::DrawCustomButton(CDC& dc, bool showSwatch)
{
    const RECT& c = m_layout.custom;
    dc.FillSolidRect(&c, 0);
    CSaveDCGuard saved(dc);
    dc.SetBkMode(TRANSPARENT);
    dc.SelectObject(&m_font);
    dc.SetTextColor(::GetSysColor(COLOR_BTNSHADOW));
    RECT text{c.left + 2, c.top + 2, showSwatch ? c.right - 27 : c.right - 2, c.bottom - 2};
    dc.DrawText(m_customText, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (showSwatch) {
        RECT swatch{c.right - 23, c.top + 2, c.right - 1, c.bottom - 2};
        dc.FillSolidRect(&swatch, ShownColour(m_current));
        CBrush frame(m_defaultColour);
        dc.FrameRect(&swatch, frame);
    }
}

void CFODropColorPaletteControl::DrawCustomHover(CDC& dc)
{
    RECT white = m_layout.custom;
    ::InflateRect(&white, -1, -1);
    CBrush w(0xFFFFFF), b(0);
    dc.FrameRect(&white, w);
    RECT white2 = white;
    ::InflateRect(&white2, -1, -1);
    dc.FrameRect(&white2, w);
    RECT black = white;
    ::InflateRect(&black, 1, 1);
    dc.FrameRect(&black, b);
}

void CFODropColorPaletteControl::Draw(CDC& dc)
{
    CSaveDCGuard saved(dc);
    dc.SelectObject(&m_font);
    dc.FillSolidRect(&m_client, 0);
    if (m_closeOnChoice) {
        RECT strip{m_client.left + m_margin, m_client.top + 4, m_client.right - m_margin, m_client.top + 10};
        dc.FillSolidRect(&strip, ::GetSysColor(COLOR_ACTIVECAPTION));
    }
    DrawBorder(dc, m_client, 2);
    for (auto& cell : m_cells) cell.Draw(dc);
    int current = CurrentCell();
    if (current >= 0) m_cells[current].DrawSelected(dc);
    if (m_customShown) {
        DrawCustomButton(dc, current < 0);
        if (m_customHover) DrawCustomHover(dc);
    }
}

// ---- window ---------------------------------------------------------------

BEGIN_MESSAGE_MAP(CFODropColorPaletteWnd, CWnd)
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_MESSAGE(WM_MBUTTONDOWN, OnMiddleButton)
    ON_MESSAGE(WM_MBUTTONUP, OnMiddleButton)
    ON_MESSAGE(WM_MBUTTONDBLCLK, OnMiddleButton)
    ON_WM_KEYDOWN()
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_ERASEBKGND()
    ON_WM_GETDLGCODE()
    ON_WM_SYSCOLORCHANGE()
    ON_MESSAGE(WM_COLORPALETTE_SELECT, OnPaletteMessage)
    ON_MESSAGE(WM_COLORPALETTE_CANCEL, OnPaletteCancel)
    ON_MESSAGE(WM_COLORPALETTE_CUSTOM, OnPaletteCustom)
END_MESSAGE_MAP()

CFODropColorPaletteWnd::~CFODropColorPaletteWnd()
{
    if (GetSafeHwnd()) DestroyWindow();
    delete m_control;
}

BOOL CFODropColorPaletteWnd::Create(DWORD style, CWnd* owner, COLORREF colour, const RECT& rect)
{
    m_ownerWnd = owner;
    const wchar_t* cls = RegisterClassOnce(CS_DBLCLKS, ::LoadCursorW(nullptr, IDC_ARROW));
    HWND parent = owner ? owner->GetSafeHwnd() : nullptr;
    if (!CreateEx(0, cls, L"CFODropColorPaletteWnd", style, rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, parent, nullptr))
        return FALSE;
    delete m_control;
    m_control = new CFODropColorPaletteControl(m_defaultColour);
    RECT client{};
    GetClientRect(&client);
    m_control->Create(this, colour, client, true);
    return TRUE;
}

void CFODropColorPaletteWnd::OnLButtonDown(UINT, CPoint p)
{
    SetCapture();
    SetFocus();
    if (m_control && !m_control->SelectCellAt(p.x, p.y)) m_control->CheckCustomHover(p.x, p.y);
}

void CFODropColorPaletteWnd::OnMouseMove(UINT, CPoint p)
{
    if (::GetCapture() != m_hWnd || !m_control) return;
    if (!m_control->SelectCellAt(p.x, p.y)) m_control->CheckCustomHover(p.x, p.y);
}

void CFODropColorPaletteWnd::OnLButtonUp(UINT, CPoint p)
{
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    if (m_control) m_control->OnClick(p.x, p.y);
}

void CFODropColorPaletteWnd::OnLButtonDblClk(UINT, CPoint)
{
    SetFocus();
    Default();
}

LRESULT CFODropColorPaletteWnd::OnMiddleButton(WPARAM, LPARAM)
{
    SetFocus();
    return Default();
}

void CFODropColorPaletteWnd::OnKeyDown(UINT vk, UINT, UINT)
{
    if (m_control) m_control->OnKeyDown(vk);
}

void CFODropColorPaletteWnd::OnSize(UINT, int, int)
{
    if (!m_control) return;
    RECT client{};
    GetClientRect(&client);
    m_control->Relayout(client);
}

void CFODropColorPaletteWnd::PaintTo(HDC target)
{
    RECT client{};
    GetClientRect(&client);
    CDC dc;
    dc.Attach(target);
    CDC mem;
    mem.CreateCompatibleDC(dc);
    CBitmap bm;
    bm.CreateCompatibleBitmap(dc, client.right, client.bottom);
    {
        CSelectGuard selected(mem, bm);
        if (m_control) m_control->Draw(mem);
        dc.BitBlt(0, 0, client.right, client.bottom, mem, 0, 0, SRCCOPY);
    }
    dc.Detach();
}

void CFODropColorPaletteWnd::OnPaint()
{
    CPaintDC dc(this);
    PaintTo(dc);
}

LRESULT CFODropColorPaletteWnd::OnPrintClient(WPARAM w, LPARAM)
{
    PaintTo((HDC)w);
    return 0;
}

void CFODropColorPaletteWnd::Forward(UINT msg, WPARAM w, LPARAM l, bool hide)
{
    if (m_ownerWnd && m_ownerWnd->GetSafeHwnd()) m_ownerWnd->PostMessage(msg, w, l);
    if (hide && IsWindowVisible()) ShowWindow(SW_HIDE);
}

LRESULT CFODropColorPaletteWnd::OnPaletteMessage(WPARAM w, LPARAM l)
{
    Forward(WM_COLORPALETTE_SELECT, w, l, l != 100);
    return 0;
}

LRESULT CFODropColorPaletteWnd::OnPaletteCancel(WPARAM w, LPARAM l)
{
    Forward(WM_COLORPALETTE_CANCEL, w, l, true);
    return 0;
}

LRESULT CFODropColorPaletteWnd::OnPaletteCustom(WPARAM w, LPARAM l)
{
    Forward(WM_COLORPALETTE_CUSTOM, w, l, true);
    return 0;
}

// ---- pop-up ---------------------------------------------------------------

BEGIN_MESSAGE_MAP(CFOPopupColorPaletteWnd, CFODropColorPaletteWnd)
    ON_WM_ACTIVATE()
END_MESSAGE_MAP()

RECT PlacePalettePopup(DWORD style, const RECT& box, SIZE size, const RECT& work)
{
    RECT r{};
    if (style & 1) {
        r.left = box.left;
        r.top = box.bottom;
        if (r.top + size.cy > work.bottom) r.top = box.top - size.cy;
        if (r.left + size.cx > work.right) r.left = box.right - size.cx;
    } else {
        r.left = box.right;
        r.top = box.top;
        if (r.left + size.cx > work.right) r.left = box.left - size.cx;
        if (r.top + size.cy > work.bottom) r.top = box.bottom - size.cy;
    }
    r.right = r.left + size.cx;
    r.bottom = r.top + size.cy;
    return r;
}

BOOL CFOPopupColorPaletteWnd::CreatePopup(DWORD style, CWnd* owner, COLORREF colour, const RECT& box, SIZE client)
{
    RECT wr{0, 0, client.cx, client.cy};
    ::AdjustWindowRectEx(&wr, (style & ~1u) | WS_POPUP, FALSE, 0);
    SIZE size{wr.right - wr.left, wr.bottom - wr.top};
    RECT work{};
    if (!::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0))
        work = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    RECT placed = PlacePalettePopup(style, box, size, work);
    // Bit 0 only chooses the placement; it is not a window style here.
    if (!Create((style & ~1u) | WS_POPUP, owner, colour, placed)) return FALSE;
    SetFocus();
    return TRUE;
}

void CFOPopupColorPaletteWnd::OnActivate(UINT state, CWnd*, BOOL)
{
    if (state == WA_INACTIVE && m_chooseOnDeactivate && m_control) m_control->OnDeactivated();
}
