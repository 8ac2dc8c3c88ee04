#include "OsdDisplay.h"

#include "OsdPaint.h"

namespace {

const wchar_t kTextClass[] = L"csl_osd";
const wchar_t kBarClass[] = L"csl_osdslider";
const DWORD kOsdExStyle = WS_EX_TOPMOST | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_LAYERED | WS_EX_NOACTIVATE;

bool RegisterOsdClass(const wchar_t* name)
{
    HINSTANCE inst = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (::GetClassInfoExW(inst, name, &wc))
        return true;
    // The class brush lives as long as the class, which is the process.
    static HBRUSH keyBrush = ::CreateSolidBrush(kOsdKeyColour);
    wc = WNDCLASSEXW{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = inst;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = keyBrush;
    wc.lpszClassName = name;
    return ::RegisterClassExW(&wc) != 0;
}

CRect PrimaryMonitor()
{
    MONITORINFO mi{};
    mi.cbSize = sizeof(mi);
    HMONITOR monitor = ::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    if (!monitor || !::GetMonitorInfoW(monitor, &mi))
        return CRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    return CRect(mi.rcMonitor);
}

float ScreenScale()
{
    HDC dc = ::GetDC(nullptr);
    int dpi = dc ? ::GetDeviceCaps(dc, LOGPIXELSX) : 96;
    if (dc)
        ::ReleaseDC(nullptr, dc);
    return (dpi > 0 ? dpi : 96) / 72.0f;
}

bool MakeFont(CFont& font, int height, const wchar_t* face)
{
    font.DeleteObject();
    return font.CreateFont(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, face);
}

}  // namespace

// ---------------------------------------------------------------- windows

BEGIN_MESSAGE_MAP(COsdWindow, CWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_OSD_SHOW, OnShowRequest)
    ON_WM_TIMER()
    ON_MESSAGE(WM_DISPLAYCHANGE, OnDisplayChange)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

BOOL COsdWindow::CreateOsdWindow(const wchar_t* className, HWND owner)
{
    if (!RegisterOsdClass(className) ||
        !CreateEx(kOsdExStyle, className, L"", WS_POPUP, 0, 0, 0, 0, owner, nullptr))
        return FALSE;
    ShowWindow(SW_HIDE);
    return TRUE;
}

int COsdWindow::OnCreate(LPCREATESTRUCTW)
{
    ::SetLayeredWindowAttributes(m_hWnd, kOsdKeyColour, Alpha(), Alpha() == 255 ? LWA_COLORKEY : LWA_COLORKEY | LWA_ALPHA);
    CreateFonts();
    MoveToPlace();
    return 0;
}

void COsdWindow::MoveToPlace()
{
    RECT r = Place();
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOACTIVATE);
}

void COsdWindow::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    RECT client;
    GetClientRect(&client);
    Paint(dc, client);
    ::EndPaint(m_hWnd, &ps);
}

LRESULT COsdWindow::OnPrintClient(WPARAM dc, LPARAM)
{
    RECT client;
    GetClientRect(&client);
    Paint(reinterpret_cast<HDC>(dc), client);
    return 0;
}

LRESULT COsdWindow::OnShowRequest(WPARAM, LPARAM)
{
    ShowWindow(SW_SHOWNOACTIVATE);
    Invalidate();
    SetTimer(kOsdHideTimer, kOsdShowMs);  // a new request starts the 2 s again
    return 0;
}

void COsdWindow::OnTimer(UINT_PTR id)
{
    if (id != kOsdHideTimer) {
        Default();
        return;
    }
    ClearState();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ShowWindow(SW_HIDE);
    KillTimer(kOsdHideTimer);
}

LRESULT COsdWindow::OnDisplayChange(WPARAM, LPARAM)
{
    m_display.UpdateLayout();
    CreateFonts();
    MoveToPlace();
    return Default();
}

void COsdWindow::OnDestroy()
{
    KillTimer(kOsdHideTimer);
    Default();
}

void COsdTextWnd::CreateFonts()
{
    MakeFont(m_font, -m_display.Layout().textHeight, L"Arial");
}

RECT COsdTextWnd::Place() const
{
    return m_display.Layout().textWindow;
}

void COsdTextWnd::Paint(HDC dc, const RECT& client)
{
    PaintOsdText(dc, client, m_display.State().osdText, m_font);
}

void COsdTextWnd::ClearState()
{
    m_display.State().osdText[0] = 0;
}

void COsdBarWnd::CreateFonts()
{
    const OsdLayout& l = m_display.Layout();
    MakeFont(m_numberFont, -l.numberHeight, L"Courier New");
    MakeFont(m_labelFont, -l.textHeight, L"Tahoma");
}

RECT COsdBarWnd::Place() const
{
    return m_display.Layout().barWindow;
}

void COsdBarWnd::Paint(HDC dc, const RECT& client)
{
    PaintOsdBars(dc, client, m_display.State(), m_display.Layout(), m_numberFont, m_labelFont);
}

void COsdBarWnd::ClearState()
{
    m_display.State().barMode = 0;
}

// ---------------------------------------------------------------- display

COsdDisplay::COsdDisplay() : m_text(*this), m_bar(*this)
{
    UpdateLayout();
}

COsdDisplay::~COsdDisplay()
{
    if (m_bar.IsWindow())
        m_bar.DestroyWindow();
    if (m_text.IsWindow())
        m_text.DestroyWindow();
}

void COsdDisplay::UpdateLayout()
{
    m_layout = ComputeOsdLayout(PrimaryMonitor(), ScreenScale());
}

HRESULT COsdDisplay::CreateOsd(HWND owner)
{
    UpdateLayout();
    bool text = m_text.CreateOsdWindow(kTextClass, owner);
    bool bar = m_bar.CreateOsdWindow(kBarClass, owner);
    return text && bar ? S_OK : E_FAIL;
}

void COsdDisplay::ShowOsdText(const wchar_t* text)
{
    SetOsdText(m_state, text);
    if (m_text.IsWindow())
        m_text.PostMessage(WM_OSD_SHOW);
}

void COsdDisplay::ShowLevelBar(int level, const wchar_t* text)
{
    if (SetLevelBar(m_state, level, text) && m_bar.IsWindow())
        m_bar.PostMessage(WM_OSD_SHOW);
}

void COsdDisplay::ShowTwoLevelBars(int xLevel, const wchar_t* xText, int yLevel, const wchar_t* yText)
{
    if (SetTwoLevelBars(m_state, xLevel, xText, yLevel, yText) && m_bar.IsWindow())
        m_bar.PostMessage(WM_OSD_SHOW);
}
