#include "TextItems.h"

#include <vector>

#include "BitmapBtn.h"
#include "BitmapTools.h"
#include "MemDC2.h"
#include "WidgetPaint.h"
#include "WidgetText.h"

// ---- CTextItem ---------------------------------------------------------

CTextItem::CTextItem(const CString& key, int caseMode)
{
    m_type = ITEM_TEXT;
    bool translated = false;
    CString text = TranslateWidgetText(key, &translated);
    m_text = LabelText(text, translated, caseMode);
}

BEGIN_MESSAGE_MAP(CTextItem, CStatic)
    ON_WM_DRAWITEM_REFLECT()
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_MOUSEMOVE()
    ON_WM_CAPTURECHANGED()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

void CTextItem::SetText(const CString& key)
{
    m_text = ReplaceFirstLineBreak(TranslateWidgetText(key));
    RedrawInParent();
}

void CTextItem::RedrawInParent()
{
    if (!m_hWnd) return;
    CWnd* parent = GetParent();
    if (!parent) {
        Invalidate();
        return;
    }
    RECT r;
    GetWindowRect(&r);
    parent->ScreenToClient(&r);
    parent->InvalidateRect(&r, TRUE);
    parent->UpdateWindow();
    Invalidate(FALSE);
    UpdateWindow();
}

void CTextItem::SetItemFont(HFONT font)
{
    m_font = font;
    if (m_hWnd) SetFont(font, TRUE);
}

void CTextItem::SetSelected(bool on)
{
    m_selected = on ? 1 : 0;
    RedrawInParent();
}

BOOL CTextItem::PreTranslateMessage(MSG* msg)
{
    m_toolTip.Relay(msg);
    return CStatic::PreTranslateMessage(msg);
}

HBRUSH CTextItem::CtlColor(CDC* dc, UINT)
{
    dc->SetBkMode(TRANSPARENT);
    return (HBRUSH)::GetStockObject(NULL_BRUSH);
}

void CTextItem::DrawItem(LPDRAWITEMSTRUCT dis)
{
    HDC dc = dis->hDC;
    CSelectGuard fontSelected(dc, WidgetFont(m_font));
    ::SetBkMode(dc, TRANSPARENT);
    COLORREF c = m_normalColour;
    if (m_selected && m_selectedColour) c = m_selectedColour;
    else if (m_hover && m_hoverColour) c = m_hoverColour;
    ::SetTextColor(dc, WidgetTextColour(c));
    RECT r = dis->rcItem;
    if (m_drawFormat != 0) {
        std::vector<wchar_t> buf(m_text.GetString(), m_text.GetString() + m_text.GetLength());
        buf.resize(buf.size() + 8, 0);
        ::DrawTextW(dc, buf.data(), m_text.GetLength(), &r, m_drawFormat);
    } else {
        TEXTMETRICW tm{};
        ::GetTextMetricsW(dc, &tm);
        const int y = r.top + ((r.bottom - r.top) - tm.tmHeight) / 2;
        ::TextOutW(dc, r.left + 5, y, m_text.GetString(), m_text.GetLength());
    }
}

void CTextItem::SetHover(bool on)
{
    if ((m_hover != 0) == on) return;
    m_hover = on ? 1 : 0;
    if (m_checkBox) m_checkBox->SetForceHover(on);
    RedrawInParent();
}

void CTextItem::OnMouseMove(UINT flags, CPoint p)
{
    if (m_selected) return;
    Default();
    if ((flags & MK_LBUTTON) && !m_hover) return;
    if (::GetCapture() != m_hWnd && ::GetActiveWindow() && GetParent()) {
        SetHover(true);
        SetCapture();
        return;
    }
    POINT screen = p;
    ClientToScreen(&screen);
    if (::WindowFromPoint(screen) != m_hWnd) {
        SetHover(false);
        if (!(flags & MK_LBUTTON)) ::ReleaseCapture();
    }
}

void CTextItem::OnCaptureChanged(CWnd*)
{
    if (m_hover) {
        SetHover(false);
        ::ReleaseCapture();
    }
}

void CTextItem::OnLButtonDown(UINT, CPoint)
{
    CWnd* top = GetTopLevelParent();
    if (top && ::GetActiveWindow() != top->m_hWnd) top->SetActiveWindow();
    Default();
}

void CTextItem::OnLButtonUp(UINT, CPoint)
{
    Default();
    if (!m_checkBox) return;
    if (m_checkBox->m_isCheckBox && m_checkBox->m_toggleOnClick == 1) m_checkBox->SetSelected(!m_checkBox->IsSelected());
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_COMMAND, (WPARAM)(UINT)GetDlgCtrlID(), (LPARAM)m_checkBox->m_hWnd);
    RedrawInParent();
}

// ---- CBitmapItem -------------------------------------------------------

BEGIN_MESSAGE_MAP(CBitmapItem, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

BOOL CBitmapItem::Create(DWORD style, const RECT& r, CWnd* parent, UINT id)
{
    if (!CreateEx(0, RegisterClassOnce(0, ::LoadCursorW(nullptr, IDC_ARROW)), L"", style | WS_CHILD, r, parent, id))
        return FALSE;
    m_window = m_hWnd;
    return TRUE;
}

void CBitmapItem::SetBitmap(HBITMAP source, const RECT& rect)
{
    CutBitmap(source, rect.right - rect.left, rect.bottom - rect.top, m_bitmap);
    if (m_hWnd) Invalidate(FALSE);
}

void CBitmapItem::SetBitmapAndMask(HBITMAP mask, HBITMAP source, const RECT& rect)
{
    if (mask && m_hWnd) {
        if (HRGN rgn = CreateRegionFromBitmap(mask)) SetWindowRgn(rgn, TRUE);
    }
    SetBitmap(source, rect);
}

BOOL CBitmapItem::PreTranslateMessage(MSG* msg)
{
    m_toolTip.Relay(msg);
    return CWnd::PreTranslateMessage(msg);
}

BOOL CBitmapItem::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // Buttons placed on a bitmap item report to the page, not to the item.
    if (CWnd* parent = GetParent()) parent->PostMessage(WM_COMMAND, wParam, lParam);
    return CWnd::OnCommand(wParam, lParam);
}

void CBitmapItem::OnPaint()
{
    PaintWidget(m_hWnd, [this](HDC dc) { DrawBitmap(dc, Bitmap(), 0, 0); });
}

LRESULT CBitmapItem::OnPrintClient(WPARAM wParam, LPARAM)
{
    DrawBitmap((HDC)wParam, Bitmap(), 0, 0);
    return 0;
}

// ---- CBitmapWindow -----------------------------------------------------

CString EllipsizeText(const CString& text, int width, int (*measure)(const CString&, void*), void* context)
{
    if (measure(text, context) <= width) return text;
    for (int n = text.GetLength() - 1; n >= 0; --n) {
        CString candidate = text.Left(n) + L"...";
        if (measure(candidate, context) <= width || n == 0) return candidate;
    }
    return L"...";
}

CBitmapWindow::~CBitmapWindow()
{
    for (auto& kv : m_typeIcons) delete kv.second;
    if (m_hWnd) DestroyWindow();
}

BEGIN_MESSAGE_MAP(CBitmapWindow, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_CAPTURECHANGED()
    ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

BOOL CBitmapWindow::Create(DWORD style, const RECT& r, CWnd* parent, UINT id)
{
    if (!CreateEx(0, RegisterClassOnce(0, ::LoadCursorW(nullptr, IDC_ARROW)), L"", style | WS_CHILD, r, parent, id))
        return FALSE;
    m_window = m_hWnd;
    GetClientRect(&m_innerRect);
    return TRUE;
}

void CBitmapWindow::SetBitmaps(HBITMAP normal, HBITMAP hover, HBITMAP pressed, HBITMAP disabled, HBITMAP mask)
{
    RECT client{};
    if (m_hWnd) GetClientRect(&client);
    const SIZE n = BitmapSize(normal);
    m_innerRect = client;
    if (normal) {
        const int cw = client.right - client.left, ch = client.bottom - client.top;
        ::InflateRect(&m_innerRect, (n.cx - cw) / 2, (n.cy - ch) / 2);
    }
    auto copy = [](HBITMAP src, CBitmap& dst) {
        const SIZE s = BitmapSize(src);
        CutBitmap(src, s.cx, s.cy, dst);
    };
    copy(normal, m_normal);
    copy(hover, m_hoverBm);
    copy(pressed, m_pressedBm);
    copy(disabled, m_disabledBm);
    copy(mask, m_mask);
    if (mask && m_hWnd) {
        if (HRGN rgn = CreateRegionFromBitmap(mask)) SetWindowRgn(rgn, TRUE);
    }
    if (m_hWnd) Invalidate(FALSE);
}

void CBitmapWindow::SetCaption(const CString& key, int caseMode)
{
    m_caption = CaptionText(TranslateWidgetText(key), caseMode);
    if (m_hWnd) Invalidate(FALSE);
}

void CBitmapWindow::SetImage(const BitmapWindowImage& image)
{
    m_image = image;
    if (m_hWnd) Invalidate(FALSE);
}

void CBitmapWindow::SetAssignmentType(int type)
{
    m_assignmentType = type;
    if (m_hWnd) Invalidate(FALSE);
}

void CBitmapWindow::SetTypeIcon(int type, HBITMAP icon)
{
    auto* copy = new CBitmap;
    const SIZE s = BitmapSize(icon);
    CutBitmap(icon, s.cx, s.cy, *copy);
    auto it = m_typeIcons.find(type);
    if (it != m_typeIcons.end()) {
        delete it->second;
        it->second = copy;
    } else {
        m_typeIcons[type] = copy;
    }
}

HBITMAP CBitmapWindow::TypeIcon(int type) const
{
    auto it = m_typeIcons.find(type);
    return it == m_typeIcons.end() ? nullptr : (HBITMAP)it->second->m_hObject;
}

void CBitmapWindow::SetStates(bool pressed, bool hover, bool third)
{
    m_pressed = pressed;
    m_hover = hover;
    m_third = third;
    if (m_hWnd) Invalidate(FALSE);
}

void CBitmapWindow::SetFrameColour(bool on, COLORREF colour)
{
    m_frameFlag = on;
    m_frameColour = colour;
    if (m_hWnd) Invalidate(FALSE);
}

BOOL CBitmapWindow::PreTranslateMessage(MSG* msg)
{
    m_toolTip.Relay(msg);
    return CWnd::PreTranslateMessage(msg);
}

void CBitmapWindow::OnCaptureChanged(CWnd*)
{
    if (m_hover) {
        m_hover = 0;
        ::ReleaseCapture();
        Invalidate(FALSE);
    }
}

void CBitmapWindow::OnKillFocus(CWnd*)
{
    m_pressed = m_hover = m_third = 0;
    Invalidate(FALSE);
}

namespace {
// Copies the centre of src's source rectangle onto the centre of area, cut
// to the area.
void DrawCentred(HDC dc, HBITMAP bitmap, RECT source, const RECT& area)
{
    if (!bitmap) return;
    const int aw = area.right - area.left, ah = area.bottom - area.top;
    int sw = source.right - source.left, sh = source.bottom - source.top;
    int sx = source.left, sy = source.top;
    if (sw > aw) { sx += (sw - aw) / 2; sw = aw; }
    if (sh > ah) { sy += (sh - ah) / 2; sh = ah; }
    CDC mem;
    mem.CreateCompatibleDC(dc);
    CSelectGuard selected(mem, bitmap);
    ::BitBlt(dc, area.left + (aw - sw) / 2, area.top + (ah - sh) / 2, sw, sh, mem, sx, sy, SRCCOPY);
}

int MeasureWidth(const CString& s, void* dc)
{
    SIZE size{};
    ::GetTextExtentPoint32W((HDC)dc, s.GetString(), s.GetLength(), &size);
    return size.cx;
}
}  // namespace

void CBitmapWindow::Draw(HDC target)
{
    RECT client;
    GetClientRect(&client);
    CDC targetDc;
    targetDc.Attach(target);
    {
    CMemDC2 mem(&targetDc, &client);
    HDC dc = mem.GetSafeHdc();
    ::PatBlt(dc, 0, 0, client.right, client.bottom, BLACKNESS);

    HBITMAP back = (HBITMAP)m_hoverBm.m_hObject;
    if ((m_pressed || m_third) && m_disabledBm.m_hObject) back = (HBITMAP)m_disabledBm.m_hObject;
    else if (((m_hover && !m_pressed) || !m_caption.IsEmpty()) && m_pressedBm.m_hObject)
        back = (HBITMAP)m_pressedBm.m_hObject;
    DrawBitmap(dc, back, 0, 0);

    const RECT inner = m_innerRect;
    HBRUSH black = (HBRUSH)::GetStockObject(BLACK_BRUSH);
    ::FillRect(dc, &inner, black);
    RECT picture = inner;
    picture.bottom -= kCaptionStrip;
    const bool withCaption = m_frameFlag && !m_caption.IsEmpty();
    if (withCaption) {
        CPen pen(PS_SOLID, 1, m_frameColour);
        CSelectGuard selected(dc, pen);
        ::MoveToEx(dc, inner.left, inner.bottom - 37, nullptr);
        ::LineTo(dc, inner.right, inner.bottom - 37);
    }
    DrawCentred(dc, m_image.bitmap, m_image.source, picture);
    DrawCentred(dc, m_image.overlay, m_image.overlaySource, picture);

    if (withCaption) {
        RECT strip{inner.left, picture.bottom, inner.right, inner.bottom};
        int x = strip.left;
        if (HBITMAP icon = TypeIcon(m_assignmentType)) {
            const SIZE s = BitmapSize(icon);
            DrawBitmap(dc, icon, x, strip.top + ((strip.bottom - strip.top) - s.cy) / 2);
            x += s.cx;
        }
        CSelectGuard fontSelected(dc, WidgetFont(m_font));
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, WidgetTextColour(m_textColour));
        RECT text{x, strip.top, strip.right, strip.bottom};
        CString shown = EllipsizeText(m_caption, text.right - text.left, &MeasureWidth, dc);
        std::vector<wchar_t> buf(shown.GetString(), shown.GetString() + shown.GetLength());
        buf.resize(buf.size() + 8, 0);
        ::DrawTextW(dc, buf.data(), shown.GetLength(), &text, m_drawFormat | DT_END_ELLIPSIS);
    }
    }
    targetDc.Detach();
}

void CBitmapWindow::OnPaint()
{
    PaintWidget(m_hWnd, [this](HDC dc) { Draw(dc); });
}

LRESULT CBitmapWindow::OnPrintClient(WPARAM wParam, LPARAM)
{
    Draw((HDC)wParam);
    return 0;
}
