#include "DropdownListItem.h"

#include "WidgetMessages.h"
#include "WidgetText.h"

BEGIN_MESSAGE_MAP(CDropdownListItem, CStatic)
    ON_WM_LBUTTONDOWN()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

CDropdownListItem::CDropdownListItem()
{
    m_type = ITEM_DROPDOWNLIST;
}

CDropdownListItem::~CDropdownListItem()
{
    if (GetSafeHwnd()) DestroyWindow();
}

BOOL CDropdownListItem::Create(CWnd* parent, const RECT& r, int id)
{
    if (!CStatic::Create(L"", WS_CHILD | WS_VISIBLE | SS_NOTIFY, r, parent, (UINT)id)) return FALSE;
    m_id = id;
    m_window = m_hWnd;
    return TRUE;
}

int CDropdownListItem::AddString(const wchar_t* text, CListPanelItem* subList)
{
    m_entries.emplace_back(text, subList);
    return (int)m_entries.size() - 1;
}

int CDropdownListItem::AddItem(const ListPanelEntry& e)
{
    m_entries.push_back(e);
    return (int)m_entries.size() - 1;
}

bool CDropdownListItem::InsertString(int i, const wchar_t* text)
{
    return InsertListPanelRow(m_entries, i, ListPanelEntry(text));
}

void CDropdownListItem::ResetContent()
{
    m_entries.clear();
}

int CDropdownListItem::GetCurSelText(CString& display) const
{
    display = m_display;
    return GetCurSel();
}

int CDropdownListItem::SetCurSel(int i, const wchar_t* display)
{
    if (i < 0 || (size_t)i >= m_entries.size()) return 0;
    m_current = m_entries[(size_t)i].label;
    m_display = display ? display : L"";
    if (GetSafeHwnd()) Invalidate(FALSE);
    return 1;
}

void CDropdownListItem::ClearCurSel()
{
    m_current.Empty();
    m_display.Empty();
    if (GetSafeHwnd()) Invalidate(FALSE);
}

void CDropdownListItem::SetToolTip(const CString& key)
{
    m_tip.Set(this, key);
}

void CDropdownListItem::SetDisabled(bool disabled)
{
    // Pages set every box's state on each change of theirs: only a change
    // repaints the box.
    if (m_disabled == disabled) return;
    m_disabled = disabled;
    if (GetSafeHwnd()) Invalidate(FALSE);
}

BOOL CDropdownListItem::PreTranslateMessage(MSG* msg)
{
    m_tip.Relay(msg);
    return CStatic::PreTranslateMessage(msg);
}

void CDropdownListItem::NotifyParent(UINT msg, WPARAM w)
{
    if (HWND parent = ::GetParent(m_hWnd)) ::SendMessageW(parent, msg, w, (LPARAM)m_hWnd);
}

ListPanelLook CDropdownListItem::PopupLook() const
{
    ListPanelLook look;
    look.colours.text = m_textColour;
    look.colours.back = m_backColour;
    look.colours.textHover = m_textHiColour;
    look.colours.backHover = m_backHiColour;
    look.colours.textSelected = m_textHiColour;
    look.colours.backSelected = m_backHiColour;
    look.colours.textDisabled = m_disTextColour;
    look.colours.backDisabled = m_disBackColour;
    look.colours.border = m_borderColour;
    look.borderWidth = m_borderWidth;
    look.leftMargin = m_leftMargin;
    look.rightMargin = m_rightMargin;
    look.font = m_font;
    look.scroll = m_scroll;
    return look;
}

void CDropdownListItem::OnLButtonDown(UINT, CPoint)
{
    if (m_disabled || !IsWindowEnabled()) return;
    NotifyParent(WM_DROPDOWN_CLICKED, 0);
    RECT box{};
    GetWindowRect(&box);
    ListPanelLook look = PopupLook();
    ListPanelPopupRequest req;
    req.owner = this;
    req.screenRect = {box.left, box.bottom, box.right, box.bottom + m_listHeight};
    req.rows = &m_entries;
    req.sorted = m_sorted;
    req.look = &look;
    req.templateId = g_dropdownPopupTemplateId;
    m_open = true;
    Invalidate(FALSE);
    ListPanelPopupResult r = RunListPanelPopup(req);
    m_open = false;
    if (!GetSafeHwnd()) return;
    Invalidate(FALSE);
    if (r.row < 0 || (size_t)r.row >= m_entries.size()) return;
    CString display;
    if (CListPanelItem* sub = m_entries[(size_t)r.row].subList) {
        if (r.subRow < 0) return;  // the sub-list chose nothing
        display = sub->GetRowText(r.subRow);
    }
    SetCurSel(r.row, display);
    NotifyParent(WM_DROPDOWN_SELECTED, (WPARAM)r.row);
}

void CDropdownListItem::Draw(HDC target)
{
    RECT c{};
    GetClientRect(&c);
    CDC dc;
    dc.Attach(target);
    dc.FillSolidRect(&c, m_disabled ? m_disBackColour : m_backColour);
    if (m_borderWidth > 0) {
        CPen pen(PS_INSIDEFRAME, m_borderWidth, m_disabled ? m_disBorderColour : m_borderColour);
        CSelectGuard penSelected(dc, pen);
        CSelectGuard brushSelected(dc, ::GetStockObject(NULL_BRUSH));
        dc.Rectangle(&c);
    }
    const int square = c.bottom - c.top;
    RECT text{c.left + m_borderWidth + m_leftMargin, c.top + m_borderWidth,
              c.right - square - m_rightMargin, c.bottom - m_borderWidth};
    CString shown = TranslateText(m_current);
    if (!m_display.IsEmpty()) shown += CString(L": ") + TranslateText(m_display);
    // A down arrow of four lines, 7, 5, 3 and 1 pixels wide.
    CPen arrow(PS_SOLID, 1, m_arrowColour);
    {
        CSaveDCGuard saved(dc);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(m_disabled ? m_disTextColour : m_textColour);
        if (m_font) dc.SelectObject(m_font);
        dc.DrawText(shown, &text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
        dc.SelectObject(arrow.m_hObject);
        const int cx = c.right - square / 2, cy = (c.top + c.bottom) / 2 - 2;
        for (int i = 0; i < 4; ++i) {
            dc.MoveTo(cx - 3 + i, cy + i);
            dc.LineTo(cx + 4 - i, cy + i);
        }
    }
    dc.Detach();
}

void CDropdownListItem::OnPaint()
{
    CPaintDC dc(this);
    RECT c{};
    GetClientRect(&c);
    CDC mem;
    mem.CreateCompatibleDC(dc);
    CBitmap bm;
    bm.CreateCompatibleBitmap(dc, c.right, c.bottom);
    CSelectGuard selected(mem, bm);
    Draw(mem);
    dc.BitBlt(0, 0, c.right, c.bottom, mem, 0, 0, SRCCOPY);
}

LRESULT CDropdownListItem::OnPrintClient(WPARAM w, LPARAM)
{
    Draw((HDC)w);
    return 0;
}
