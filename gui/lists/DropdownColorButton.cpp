#include "DropdownColorButton.h"

#include "CommonDialogs.h"
#include "WidgetMessages.h"

static bool SystemColorDialog(CWnd* parent, COLORREF initial, DWORD flags, COLORREF& chosen)
{
    CColorDialog dlg(initial, flags, parent);
    if (dlg.DoModal() != IDOK) return false;
    chosen = dlg.GetColor();
    return true;
}

static ColorDialogRunner s_colorDialog = nullptr;

void SetColorDialogRunner(ColorDialogRunner runner) { s_colorDialog = runner; }

BEGIN_MESSAGE_MAP(CDropdownColorButton, CDropdownListItem)
    ON_WM_LBUTTONDOWN()
    ON_MESSAGE(WM_COLORPALETTE_SELECT, OnSelect)
    ON_MESSAGE(WM_COLORPALETTE_CANCEL, OnCancel)
    ON_MESSAGE(WM_COLORPALETTE_CUSTOM, OnCustom)
END_MESSAGE_MAP()

CDropdownColorButton::CDropdownColorButton()
{
    m_type = ITEM_DROPDOWNCOLOR;
}

CDropdownColorButton::~CDropdownColorButton()
{
    DestroyPopup();
}

void CDropdownColorButton::SetColor(COLORREF c)
{
    if (c == m_color) return;
    m_color = c;
    if (GetSafeHwnd()) Invalidate(FALSE);
}

void CDropdownColorButton::SetMask(HBITMAP mask)
{
    m_maskCopy.DeleteObject();
    m_mask = nullptr;
    BITMAP bm{};
    if (!mask || !::GetObjectW(mask, sizeof(bm), &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) return;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = bm.bmWidth;
    bi.bmiHeader.biHeight = bm.bmHeight;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HDC screen = ::GetDC(nullptr);
    HBITMAP copy = ::CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (copy) {
        CDC src, dst;
        src.CreateCompatibleDC(screen);
        dst.CreateCompatibleDC(screen);
        {
            CSelectGuard from(src, mask), to(dst, copy);
            ::BitBlt(dst, 0, 0, bm.bmWidth, bm.bmHeight, src, 0, 0, SRCCOPY);
        }
        m_maskCopy.Attach(copy);
        m_mask = copy;
    }
    ::ReleaseDC(nullptr, screen);
    if (GetSafeHwnd()) Invalidate(FALSE);
}

void CDropdownColorButton::DestroyPopup()
{
    m_popup.reset();
}

void CDropdownColorButton::Notify(UINT msg, WPARAM w, LPARAM l, bool post)
{
    if (!m_notifyWindow) return;
    if (post)
        ::PostMessageW(m_notifyWindow, msg, w, l);
    else
        ::SendMessageW(m_notifyWindow, msg, w, l);
}

void CDropdownColorButton::OnLButtonDown(UINT, CPoint)
{
    if (!m_enabled) return;
    m_paletteOpen = true;
    DestroyPopup();
    if (!m_notifyWindow) m_notifyWindow = ::GetParent(m_hWnd);
    m_popup = std::make_unique<CFOPopupColorPaletteWnd>();
    RECT box{};
    GetWindowRect(&box);
    m_popupCreated = m_popup->CreatePopup(0x90000001, this, m_color, box, SIZE{m_popupWidth, m_popupHeight}) != FALSE;
    Invalidate(FALSE);
}

LRESULT CDropdownColorButton::OnSelect(WPARAM wColour, LPARAM flag)
{
    const COLORREF colour = (COLORREF)wColour;
    if (flag == 100) {
        // A preview: compared before the box takes the colour, or the page
        // would never hear of colours picked with the arrow keys.
        const bool differs = colour != m_color;
        if (m_popup) SetColor(colour);
        Notify(WM_COLORPALETTE_SELECT, 100, (LPARAM)colour, true);
        if (differs) Notify(WM_ITEM_VALUE_CHOSEN, colour, (LPARAM)m_id, false);
    } else {
        m_paletteOpen = false;
        DestroyPopup();
        Notify(WM_COLORPALETTE_SELECT, (WPARAM)flag, (LPARAM)colour, true);
        m_lastChosen = colour;
        if (colour != m_color) {
            Notify(WM_ITEM_VALUE_CHOSEN, colour, (LPARAM)m_id, false);
            SetColor(colour);
        }
    }
    Invalidate(FALSE);
    return 0;
}

LRESULT CDropdownColorButton::OnCancel(WPARAM colour, LPARAM)
{
    m_paletteOpen = false;
    if (m_popup) {
        SetColor((COLORREF)colour);
        DestroyPopup();
    }
    Notify(WM_COLORPALETTE_CANCEL, colour, (LPARAM)m_id, false);
    Invalidate(FALSE);
    return 0;
}

LRESULT CDropdownColorButton::OnCustom(WPARAM colour, LPARAM)
{
    COLORREF chosen = 0;
    ColorDialogRunner run = s_colorDialog ? s_colorDialog : &SystemColorDialog;
    if (run(this, m_color, CC_FULLOPEN | CC_ANYCOLOR, chosen))
        return OnSelect(chosen, 0);
    return OnCancel(colour, 0);
}

void CDropdownColorButton::Draw(HDC target)
{
    RECT c{};
    GetClientRect(&c);
    CDC dc;
    dc.Attach(target);
    const int arrowStrip = m_hasArrow ? 18 : 0;
    RECT fill{c.left, c.top, c.right - arrowStrip, c.bottom};
    if (m_hasArrow) dc.FillSolidRect(&c, m_backColour);
    dc.FillSolidRect(&fill, m_highlight ? m_highlightColour : ShownColour(m_color));
    if (m_borderWidth > 0) {
        CPen pen(PS_SOLID, m_borderWidth, m_borderColour);
        CSelectGuard selected(dc, pen);
        const int half = m_borderWidth / 2;
        const int l = c.left + half, t = c.top + half, r = c.right - 1 - half, b = c.bottom - 1 - half;
        dc.MoveTo(r, t);
        dc.LineTo(l, t);
        dc.LineTo(l, b);
        dc.LineTo(r, b);
        if (!m_open) dc.LineTo(r, t);  // the right side stays open while open
    }
    if (m_hasArrow) {
        CPen arrow(PS_SOLID, 1, m_arrowColour);
        CSelectGuard selected(dc, arrow);
        const int sep = c.right - (c.bottom - c.top) + 2;
        dc.MoveTo(sep, c.top);
        dc.LineTo(sep, c.bottom);
        const int cx = c.right - arrowStrip / 2, cy = (c.top + c.bottom) / 2 - 2;
        for (int i = 0; i < 5; ++i) {
            dc.MoveTo(cx - 4 + i, cy + i);
            dc.LineTo(cx + 5 - i, cy + i);
        }
    }
    if (m_mask) {
        CDC mem;
        mem.CreateCompatibleDC(dc);
        CSelectGuard selected(mem, m_mask);
        BITMAP bm{};
        ::GetObjectW(m_mask, sizeof(bm), &bm);
        dc.TransparentBlt(0, 0, bm.bmWidth, bm.bmHeight, mem, 0, 0, bm.bmWidth, bm.bmHeight, 0x0000FF);
    }
    dc.Detach();
}
