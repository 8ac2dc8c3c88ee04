#include "BitmapBtn.h"

#include <vector>

#include "KeyEvent.h"
#include "KeyboardDef.h"
#include "WidgetMessages.h"
#include "BitmapTools.h"
#include "MemDC2.h"
#include "WidgetPaint.h"
#include "WidgetText.h"

ButtonFace BitmapBtnFace(const ButtonLook& l)
{
    if (l.checkBox) {
        if (l.selected) return ButtonFace::Pressed;
        if (l.disabled) return ButtonFace::Disabled;
        return (l.hover || l.forceHover) ? ButtonFace::Hover : ButtonFace::Normal;
    }
    if (l.disabled) return ButtonFace::Disabled;
    if (l.selected || l.pushed) return ButtonFace::Pressed;
    return (l.hover || l.forceHover) ? ButtonFace::Hover : ButtonFace::Normal;
}

ButtonFace BitmapBtnTextFace(const ButtonLook& l)
{
    if (l.selected || l.pushed) return ButtonFace::Pressed;
    if (l.hover) return ButtonFace::Hover;
    if (l.disabled) return ButtonFace::Disabled;
    return ButtonFace::Normal;
}

ButtonFace KeyboardKeyFace(const ButtonLook& l, bool highlight)
{
    if (l.disabled || (!l.hover && !highlight)) return l.selected ? ButtonFace::Pressed : ButtonFace::Normal;
    return ButtonFace::Hover;
}

ButtonFace KeyboardKeyTextFace(const ButtonLook& l)
{
    if (l.selected || l.pushed) return ButtonFace::Pressed;
    if (l.hover) return ButtonFace::Hover;
    if (l.disabled) return ButtonFace::Disabled;
    return ButtonFace::Normal;
}

COLORREF WidgetTextColour(COLORREF c) { return c == 0 ? 0xFEFEFE : c; }

// ---- CBitmapBtn --------------------------------------------------------

CBitmapBtn::CBitmapBtn() { m_type = ITEM_BITMAPBTN; }

CBitmapBtn::~CBitmapBtn()
{
    if (m_hWnd) DestroyWindow();
}

BEGIN_MESSAGE_MAP(CBitmapBtn, CButton)
    ON_WM_MOUSEMOVE()
    ON_WM_CAPTURECHANGED()
    ON_WM_KILLFOCUS()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_TIMER()
    ON_WM_DRAWITEM_REFLECT()
END_MESSAGE_MAP()

BOOL CBitmapBtn::Create(const wchar_t* caption, DWORD style, const RECT& r, CWnd* parent, UINT id)
{
    if (!CButton::Create(caption, style, r, parent, id)) return FALSE;
    SendMessage(BM_SETSTYLE, (GetStyle() & 0xFFFF0000 & ~WS_TABSTOP) | BS_OWNERDRAW, FALSE);
    ModifyStyle(WS_TABSTOP, BS_OWNERDRAW);
    m_window = m_hWnd;
    return TRUE;
}

void CBitmapBtn::SetStateBitmaps(HBITMAP normal, HBITMAP hover, HBITMAP pressed, HBITMAP disabled, const RECT& rect)
{
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    CutBitmap(normal, w, h, m_normal);
    CutBitmap(hover, w, h, m_hoverBm);
    CutBitmap(pressed, w, h, m_pressed);
    CutBitmap(disabled, w, h, m_disabled);
    if (m_hWnd) ModifyStyle(WS_TABSTOP | WS_BORDER, 0);
}

void CBitmapBtn::SetStateBitmapsAndMask(HBITMAP mask, HBITMAP normal, HBITMAP hover, HBITMAP pressed,
                                        HBITMAP disabled, const RECT& rect)
{
    SetStateBitmaps(normal, hover, pressed, disabled, rect);
    if (mask) {
        CutBitmap(mask, rect.right - rect.left, rect.bottom - rect.top, m_mask);
        ApplyRegion();
    }
}

void CBitmapBtn::ApplyRegion()
{
    if (m_regionMade || !m_mask.m_hObject || !m_hWnd) return;
    m_regionMade = true;
    m_region = CreateRegionFromBitmap((HBITMAP)m_mask.m_hObject);
    if (m_region) SetWindowRgn(m_region, TRUE);  // the window owns it from here
}

void CBitmapBtn::SetSelected(bool selected)
{
    if ((m_selected != 0) == selected) return;
    m_selected = selected ? 1 : 0;
    if (m_hWnd) Invalidate(FALSE);
}

void CBitmapBtn::SetCaption(const CString& key, int caseMode)
{
    m_caseMode = caseMode;
    m_caption = CaptionText(TranslateWidgetText(key), caseMode);
    if (m_hWnd) Invalidate(FALSE);
}

void CBitmapBtn::SetCaption(const CString& key) { SetCaption(key, m_caseMode); }

void CBitmapBtn::SetToolTip(const CString& key) { m_toolTip.Set(this, key); }

void CBitmapBtn::SetItemFont(HFONT font)
{
    m_font = font;
    if (m_hWnd) SetFont(font, TRUE);
}

void CBitmapBtn::SetForceHover(bool on)
{
    m_forceHover = on ? 1 : 0;
    if (m_hWnd) Invalidate(FALSE);
}

void CBitmapBtn::StartBlinking(UINT period)
{
    m_blinkBitmap = (HBITMAP)m_normal.m_hObject;
    m_blinkPeriod = period;
    SetTimer(kBlinkTimer, period);
}

void CBitmapBtn::StopBlinking()
{
    KillTimer(kBlinkTimer);
    m_blinkBitmap = nullptr;
    m_blinkPeriod = 0;
    Invalidate(FALSE);
}

BOOL CBitmapBtn::PreTranslateMessage(MSG* msg)
{
    m_toolTip.Relay(msg);
    return CButton::PreTranslateMessage(msg);
}

void CBitmapBtn::OnMouseMove(UINT flags, CPoint p)
{
    Default();
    if ((flags & MK_LBUTTON) && !m_hover) return;
    CWnd* parent = GetParent();
    if (::GetCapture() != m_hWnd && ::GetActiveWindow() && parent) {
        m_hover = 1;
        BringWindowToTop();
        SetCapture();
        Invalidate(FALSE);
        return;
    }
    POINT screen = p;
    ClientToScreen(&screen);
    if (::WindowFromPoint(screen) != m_hWnd) {
        m_hover = 0;
        Invalidate(FALSE);
        if (!(flags & MK_LBUTTON)) ::ReleaseCapture();
    }
}

void CBitmapBtn::OnCaptureChanged(CWnd*)
{
    if (m_hover) {
        // Losing the capture ends the hover: WM_CAPTURECHANGED is also sent
        // by our own ReleaseCapture, which is harmless here.
        m_hover = 0;
        ::ReleaseCapture();
        Invalidate(FALSE);
    }
}

void CBitmapBtn::OnKillFocus(CWnd*)
{
    Default();
    m_hover = 0;
    Invalidate(FALSE);
}

void CBitmapBtn::OnLButtonDown(UINT, CPoint)
{
    CWnd* top = GetTopLevelParent();
    if (top && ::GetActiveWindow() != top->m_hWnd) top->SetActiveWindow();
    if (m_isCheckBox) {
        if (m_toggleOnClick == 1) m_selected = !m_selected;
        Invalidate(FALSE);
        UpdateWindow();
        if (CWnd* parent = GetParent())
            parent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), BN_CLICKED), (LPARAM)m_hWnd);
        return;
    }
    Default();
}

void CBitmapBtn::OnLButtonUp(UINT, CPoint)
{
    if (m_isCheckBox) return;
    Default();
    Invalidate(FALSE);
}

void CBitmapBtn::OnTimer(UINT_PTR id)
{
    if (id != kBlinkTimer) {
        Default();
        return;
    }
    KillTimer(kBlinkTimer);
    m_blinkBitmap = m_blinkBitmap == (HBITMAP)m_normal.m_hObject ? (HBITMAP)m_pressed.m_hObject
                                                                 : (HBITMAP)m_normal.m_hObject;
    SetTimer(kBlinkTimer, m_blinkPeriod);
    Invalidate(FALSE);
}

ButtonLook CBitmapBtn::Look(const DRAWITEMSTRUCT* dis) const
{
    ButtonLook l;
    l.checkBox = m_isCheckBox != 0;
    l.selected = m_selected != 0;
    l.pushed = (dis->itemState & ODS_SELECTED) != 0;
    l.disabled = (dis->itemState & ODS_DISABLED) != 0;
    l.hover = m_hover != 0;
    l.forceHover = m_forceHover != 0;
    return l;
}

HBITMAP CBitmapBtn::FaceBitmap(ButtonFace f) const
{
    switch (f) {
    case ButtonFace::Hover: return (HBITMAP)m_hoverBm.m_hObject;
    case ButtonFace::Pressed: return (HBITMAP)m_pressed.m_hObject;
    case ButtonFace::Disabled: return (HBITMAP)m_disabled.m_hObject;
    default: return (HBITMAP)m_normal.m_hObject;
    }
}

COLORREF CBitmapBtn::FaceColour(ButtonFace f) const
{
    switch (f) {
    case ButtonFace::Hover: return WidgetTextColour(m_colours.hover);
    case ButtonFace::Pressed: return WidgetTextColour(m_colours.pressed);
    case ButtonFace::Disabled: return WidgetTextColour(m_colours.disabled);
    default: return WidgetTextColour(m_colours.normal);
    }
}

void CBitmapBtn::PaintFace(HDC target, const RECT& client, HBITMAP picture, COLORREF text, bool measure)
{
    const int w = client.right - client.left, h = client.bottom - client.top;
    // Everything is composed off screen, then copied in one go.
    CDC targetDc;
    targetDc.Attach(target);
    const RECT area{0, 0, w, h};
    {
    CMemDC2 mem(&targetDc, &area);
    HDC dc = mem.GetSafeHdc();
    ::PatBlt(dc, 0, 0, w, h, BLACKNESS);
    if (picture) DrawMaskedBitmap(dc, picture, (HBITMAP)m_mask.m_hObject, w, h);
    if (!m_caption.IsEmpty()) {
        CSelectGuard fontSelected(dc, WidgetFont(m_font));
        ::SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, text);
        RECT r{0, 0, w, h};
        // DT_MODIFYSTRING may write into the text: draw from a copy with room.
        std::vector<wchar_t> buf(m_caption.GetString(), m_caption.GetString() + m_caption.GetLength());
        buf.resize(buf.size() + 8, 0);
        if (measure && !(m_drawFormat & DT_SINGLELINE)) {
            std::vector<wchar_t> probe(buf);
            RECT calc = r;
            ::DrawTextW(dc, probe.data(), m_caption.GetLength(), &calc, DT_CALCRECT | DT_WORDBREAK);
            const int dy = (h - (calc.bottom - calc.top)) / 2;
            const int dx = (w - (calc.right - calc.left)) / 2;
            if (dy > 0) { r.top += dy; r.bottom -= dy; }
            if (dx > 0) { r.left += dx; r.right -= dx; }
        }
        ::DrawTextW(dc, buf.data(), m_caption.GetLength(), &r, m_drawFormat);
    }
    }
    targetDc.Detach();
}

void CBitmapBtn::DrawItem(LPDRAWITEMSTRUCT dis)
{
    ApplyRegion();
    const ButtonLook look = Look(dis);
    HBITMAP picture = m_blinkBitmap ? m_blinkBitmap : FaceBitmap(BitmapBtnFace(look));
    PaintFace(dis->hDC, dis->rcItem, picture, FaceColour(BitmapBtnTextFace(look)), true);
}

// ---- CKeyboardKeyItem --------------------------------------------------

CKeyboardKeyItem::CKeyboardKeyItem()
{
    m_type = ITEM_KEYBOARDKEY;
    m_isCheckBox = 1;
    m_selected = 0;
    m_toggleOnClick = 0;
}

BEGIN_MESSAGE_MAP(CKeyboardKeyItem, CBitmapBtn)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

void CKeyboardKeyItem::OnMouseMove(UINT flags, CPoint p)
{
    if (CWnd* parent = GetParent()) parent->SendMessage(WM_KBDKEY_HOVER, 0, (LPARAM)m_id);
    CBitmapBtn::OnMouseMove(flags, p);
}

void CKeyboardKeyItem::OnLButtonDown(UINT flags, CPoint p)
{
    if (CWnd* parent = GetParent()) parent->SendMessage(WM_KBDKEY_PRESSED, 0, (LPARAM)m_id);
    CBitmapBtn::OnLButtonDown(flags, p);
}

CString CKeyboardKeyItem::DefaultCaption(int scanCode, bool extended, uint32_t kbddefId)
{
    LONG lParam = (LONG)((DWORD)scanCode << 16);
    // Num Lock and Pause share scan code 0x45; only the extended bit tells
    // the name call which one is meant.
    if (extended || kbddefId == HashKeyName(L"Num Lock")) lParam |= 0x1000000;
    wchar_t buf[256] = {};
    ::GetKeyNameTextW(lParam, buf, 256);
    return buf;
}

void CKeyboardKeyItem::BindKey()
{
    const KeyCode code = g_keyboardDef.FindKeyByHash(m_kbddefId);
    m_scanCode = code.code;
    m_virtualKey = (int)::MapVirtualKeyExW((UINT)m_scanCode, MAPVK_VSC_TO_VK_EX, CurrentKeyboardLayout());
    m_extended = code.flag & 1;
    if (m_caption.IsEmpty()) m_caption = DefaultCaption(m_scanCode, m_extended != 0, m_kbddefId);
    SetToolTip(m_caption);
    if (m_hWnd) Invalidate(FALSE);
}

void CKeyboardKeyItem::SetBitmapInfo(const int info[9])
{
    for (int i = 0; i < 9; ++i) m_bitmapInfo[i] = info[i];
}

void CKeyboardKeyItem::DrawItem(LPDRAWITEMSTRUCT dis)
{
    ApplyRegion();
    const ButtonLook look = Look(dis);
    HBITMAP picture = m_blinkBitmap ? m_blinkBitmap : FaceBitmap(KeyboardKeyFace(look, m_highlight != 0));
    PaintFace(dis->hDC, dis->rcItem, picture, FaceColour(KeyboardKeyTextFace(look)), false);
}

// ---- CAVIButton --------------------------------------------------------

CAVIButton::CAVIButton() { m_type = ITEM_AVIBUTTON; }

BEGIN_MESSAGE_MAP(CAVIButton, CButton)
    ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClicked)
    ON_CONTROL_REFLECT_EX(BN_DOUBLECLICKED, OnDoubleClicked)
    ON_WM_DRAWITEM_REFLECT()
END_MESSAGE_MAP()

CString CAVIButton::ClipPath(const CString& name) { return CString(L"skins\\") + name; }

void CAVIButton::SetBackground(HBITMAP bitmap)
{
    m_background.DeleteObject();
    const SIZE s = BitmapSize(bitmap);
    CutBitmap(bitmap, s.cx, s.cy, m_background);
}

BOOL CAVIButton::OnDoubleClicked()
{
    Play();
    return TRUE;
}

void CAVIButton::Play()
{
    if (!m_animation.m_hWnd) {
        RECT r;
        GetClientRect(&r);
        ::OffsetRect(&r, 1, 1);
        if (!m_animation.Create(WS_CHILD | WS_VISIBLE, r, this, 0)) return;
        if (m_animation.Open(ClipPath(m_videoFile))) m_clipOpen = 1;
    }
    if (m_clipOpen) m_animation.Play(0, (UINT)-1, 1);
}

void CAVIButton::DrawItem(LPDRAWITEMSTRUCT dis)
{
    if (m_clipOpen || !m_background.m_hObject) return;
    const SIZE bm = BitmapSize((HBITMAP)m_background.m_hObject);
    const int cw = dis->rcItem.right - dis->rcItem.left, ch = dis->rcItem.bottom - dis->rcItem.top;
    CDC mem;
    mem.CreateCompatibleDC(dis->hDC);
    CSelectGuard selected(mem, m_background);
    ::BitBlt(dis->hDC, dis->rcItem.left, dis->rcItem.top, cw, ch, mem, bm.cx / 2 - cw / 2 - 10, bm.cy / 2 - ch / 2 - 5,
             SRCCOPY);
}
