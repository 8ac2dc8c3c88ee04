#include "ListPanel.h"

#include <algorithm>

#include "ListRedrawOff.h"
#include "WidgetMessages.h"
#include "WidgetText.h"

int g_listPanelPopupTemplateId = -1;
int g_dropdownPopupTemplateId = -1;

// A row's text as shown: "$" keys through the current language table.
static CString RowDisplayText(const CString& label)
{
    return TranslateText(label);
}

int ListPanelItemRowCount(const CListPanelItem* item) { return item ? item->RowCount() : 0; }

// ---- CListPanelList -----------------------------------------------------------

BEGIN_MESSAGE_MAP(CListPanelList, CListCtrl)
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
    ON_WM_ERASEBKGND()
    ON_WM_NCCALCSIZE()
    ON_WM_MOUSEWHEEL()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

CListPanelList::~CListPanelList()
{
    if (m_tip.GetSafeHwnd()) m_tip.DestroyWindow();
    if (GetSafeHwnd()) DestroyWindow();
}

BOOL CListPanelList::Create(CWnd* parent, const RECT& r, UINT id, const ListPanelLook& look)
{
    m_look = look;
    if (m_look.borderWidth <= 0) m_look.borderWidth = 1;
    // The row-height image list is ours (m_rowHeight): the list must not free it too.
    DWORD style = WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_NOCOLUMNHEADER | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                  LVS_SHAREIMAGELISTS;
    if (!CListCtrl::Create(style, r, parent, id)) return FALSE;
    // A one-pixel-wide image list only to fix the row height.
    m_rowHeight.Create(1, kListPanelRowHeight, ILC_COLOR24, 1, 1);
    SetImageList(m_rowHeight, LVSIL_SMALL);
    RECT c{};
    GetClientRect(&c);
    InsertColumn(0, L"", LVCFMT_LEFT, c.right - c.left);
    SetBkColor(m_look.colours.back);
    if (m_look.font) SetFont(m_look.font, FALSE);
    return TRUE;
}

void CListPanelList::SetRows(const ListPanelRows& rows, bool sorted)
{
    m_rows = rows;
    DisableEmptySubLists(m_rows, &ListPanelItemRowCount);
    m_order = ListPanelDisplayOrder(m_rows, sorted);
    m_hovered = -1;
    if (!GetSafeHwnd()) return;
    CListRedrawOff filling(*this);
    DeleteAllItems();
    for (size_t d = 0; d < m_order.size(); ++d) {
        LVITEMW item{};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = (int)d;
        item.lParam = (LPARAM)m_order[d];
        const CString text = RowDisplayText(m_rows[(size_t)m_order[d]].label);
        item.pszText = const_cast<wchar_t*>(text.GetString());
        SendMessage(LVM_INSERTITEMW, 0, (LPARAM)&item);
    }
}

int CListPanelList::RowAtDisplay(int display) const
{
    return display >= 0 && (size_t)display < m_order.size() ? m_order[(size_t)display] : -1;
}

int CListPanelList::DisplayOfRow(int row) const
{
    auto it = std::find(m_order.begin(), m_order.end(), row);
    return it == m_order.end() ? -1 : (int)(it - m_order.begin());
}

int CListPanelList::RowAtPoint(POINT p) const
{
    // The last row whose rectangle holds the point.
    int found = -1;
    for (int d = 0; d < (int)m_order.size(); ++d) {
        RECT r{};
        if (GetItemRect(d, &r, LVIR_BOUNDS) && ::PtInRect(&r, p)) found = d;
    }
    return RowAtDisplay(found);
}

bool CListPanelList::HitTestScrollBar(POINT p) const
{
    if (m_look.scroll.width <= 0) return false;
    RECT c{};
    GetClientRect(&c);
    return p.x >= c.right && p.x < c.right + m_look.scroll.width && p.y >= c.top && p.y < c.bottom;
}

void CListPanelList::SetMarked(int row)
{
    m_marked = row;
    if (GetSafeHwnd()) Invalidate(FALSE);
}

void CListPanelList::SetRowDisabled(int row, bool disabled)
{
    if (row < 0 || (size_t)row >= m_rows.size()) return;
    m_rows[(size_t)row].disabled = disabled ? 1 : 0;
    if (disabled && m_hovered == row) m_hovered = -1;
    if (GetSafeHwnd()) Invalidate(FALSE);
}

void CListPanelList::SetHovered(int row)
{
    if (!ListPanelRowSelectable(m_rows, row)) row = -1;
    if (row == m_hovered) return;
    m_hovered = row;
    Invalidate(FALSE);
}

void CListPanelList::UpdateRowTooltip(POINT p, bool popupRules)
{
    static int s_lastPopupRow = -1, s_lastStaticRow = -1;
    int& last = popupRules ? s_lastPopupRow : s_lastStaticRow;
    int row = RowAtPoint(p);
    if (row < 0 || row == last) return;
    last = row;
    const ListPanelEntry& e = m_rows[(size_t)row];
    CString text = (!e.disabled && !e.tooltip.IsEmpty()) ? e.tooltip : m_tooltip;
    if (!m_tip.GetSafeHwnd()) {
        if (!m_tip.Create(this)) return;
        m_tip.SetMaxTipWidth(400);
    }
    if (!m_toolAdded) {
        RECT c{};
        GetClientRect(&c);
        TOOLINFOW ti = CToolTipCtrl::MakeToolInfo(m_hWnd, 1, &c, L"");
        ti.uFlags = 0;
        m_tip.SendMessage(TTM_ADDTOOLW, 0, (LPARAM)&ti);
        m_toolAdded = true;
    }
    if (text.IsEmpty() && popupRules) {
        m_tip.UpdateTipText(L"", this, 1);
        m_tip.Activate(FALSE);
        return;
    }
    CString shown = ToolTipText(RowDisplayText(text));
    m_tip.UpdateTipText(shown, this, 1);
    m_tip.Activate(TRUE);
}

void CListPanelList::DrawRow(HDC target, int display, const RECT& rowRect)
{
    int row = RowAtDisplay(display);
    if (row < 0) return;
    const ListPanelEntry& e = m_rows[(size_t)row];
    const ListPanelColours& c = m_look.colours;
    COLORREF text = c.text, back = c.back;
    if (e.disabled) {
        text = c.textDisabled;
        back = c.backDisabled;
    } else if (row == m_hovered) {
        text = c.textHover;
        back = c.backHover;
    } else if (row == m_marked) {
        text = c.textSelected;
        back = c.backSelected;
    }
    CDC dc;
    dc.Attach(target);
    RECT client{};
    GetClientRect(&client);
    RECT r{client.left, rowRect.top, client.right, rowRect.bottom};
    dc.FillSolidRect(&r, back);
    r.left += m_look.leftMargin;
    r.right -= m_look.rightMargin;
    r.top += 1;
    {
        CSaveDCGuard saved(dc);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(text);
        if (m_look.font) dc.SelectObject(m_look.font);
        CString shown = RowDisplayText(e.label);
        dc.DrawText(shown, &r, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX | DT_LEFT);
    }
    dc.Detach();
}

void CListPanelList::OnCustomDraw(NMHDR* nm, LRESULT* result)
{
    auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(nm);
    switch (cd->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        *result = CDRF_NOTIFYITEMDRAW;
        return;
    case CDDS_ITEMPREPAINT: {
        RECT r{};
        GetItemRect((int)cd->nmcd.dwItemSpec, &r, LVIR_BOUNDS);
        DrawRow(cd->nmcd.hdc, (int)cd->nmcd.dwItemSpec, r);
        *result = CDRF_SKIPDEFAULT;
        return;
    }
    default:
        *result = CDRF_DODEFAULT;
    }
}

BOOL CListPanelList::OnEraseBkgnd(CDC* dc)
{
    RECT c{};
    GetClientRect(&c);
    dc->FillSolidRect(&c, m_look.colours.back);
    return TRUE;
}

LRESULT CListPanelList::OnPrintClient(WPARAM w, LPARAM)
{
    CDC dc;
    dc.Attach((HDC)w);
    RECT c{};
    GetClientRect(&c);
    dc.FillSolidRect(&c, m_look.colours.back);
    dc.Detach();
    int top = GetTopIndex();
    for (int d = top; d < (int)m_order.size(); ++d) {
        RECT r{};
        if (!GetItemRect(d, &r, LVIR_BOUNDS) || r.top >= c.bottom) break;
        DrawRow((HDC)w, d, r);
    }
    return 0;
}

void CListPanelList::OnNcCalcSize(BOOL calc, NCCALCSIZE_PARAMS* p)
{
    // The skinned scroll bar replaces the list's own.
    ModifyStyle(WS_VSCROLL | WS_HSCROLL, 0);
    CListCtrl::OnNcCalcSize(calc, p);
}

BOOL CListPanelList::OnMouseWheel(UINT, short delta, CPoint)
{
    if (m_look.scroll.width <= 0) return TRUE;
    for (int n = m_wheel.Take(delta); n != 0; n += (n > 0 ? -1 : 1))
        SendMessage(WM_VSCROLL, n > 0 ? SB_LINEUP : SB_LINEDOWN);
    return TRUE;
}

// ---- pop-up list ----------------------------------------------------------------

BEGIN_MESSAGE_MAP(CListPanelPopupList, CListPanelList)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_TIMER()
    ON_WM_KILLFOCUS()
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

BOOL CListPanelPopupList::PreTranslateMessage(MSG* msg)
{
    if (!m_rows.empty()) {
        if (msg->message == WM_MOUSEMOVE) UpdateRowTooltip(CPoint(msg->lParam), true);
        if (m_tip.GetSafeHwnd()) m_tip.RelayEvent(msg);
    }
    return CListPanelList::PreTranslateMessage(msg);
}

void CListPanelPopupList::OnMouseMove(UINT, CPoint p)
{
    if (m_clicked) return;
    SetHovered(RowAtPoint(p));
}

void CListPanelPopupList::PostChosen(WPARAM sub, LPARAM row)
{
    if (m_resultWindow) ::PostMessageW(m_resultWindow, WM_LISTPANEL_CHOSEN, sub, row);
}

void CListPanelPopupList::OnLButtonDown(UINT, CPoint p)
{
    if (HitTestScrollBar(p)) return;
    if (m_clicked) return;
    // A click lands where the pointer is, even without a mouse move first.
    SetHovered(RowAtPoint(p));
    if (m_hovered >= 0 && m_rows[(size_t)m_hovered].subList) {
        CListPanelItem* sub = m_rows[(size_t)m_hovered].subList;
        RECT row{};
        GetItemRect(DisplayOfRow(m_hovered), &row, LVIR_BOUNDS);
        RECT client{};
        GetClientRect(&client);
        POINT at{client.right, row.top};
        ClientToScreen(&at);
        int shown = std::min(sub->RowCount(), 5);
        int height = kListPanelRowHeight * shown + 2 * std::max(1, sub->m_look.borderWidth);
        ListPanelPopupRequest req;
        req.owner = this;
        req.screenRect = {at.x, at.y, at.x + sub->m_width, at.y + height};
        req.rows = &sub->Rows();
        req.sorted = sub->m_sorted;
        req.look = &sub->m_look;
        req.templateId = g_listPanelPopupTemplateId;
        m_subOpen = true;
        ListPanelPopupResult r = RunListPanelPopup(req);
        m_subOpen = false;
        m_chosenSub = r.row;
    }
    m_clicked = true;
    SetTimer(1, 250);
}

void CListPanelPopupList::OnRButtonDown(UINT, CPoint)
{
    m_hovered = -1;
    m_chosenSub = -1;
    m_clicked = true;
    SetTimer(1, 250);
}

void CListPanelPopupList::OnTimer(UINT_PTR id)
{
    if (id != 1) return CListPanelList::OnTimer(id);
    m_clicked = false;
    KillTimer(1);
    PostChosen((WPARAM)(INT_PTR)m_chosenSub, m_hovered);
}

bool CListPanelPopupList::s_dismissOnFocusLoss = true;

void CListPanelPopupList::OnKillFocus(CWnd* next)
{
    CListPanelList::OnKillFocus(next);
    if (!s_dismissOnFocusLoss) return;
    // A sub-list's pop-up takes the focus while it is open; and a click that
    // is being reported must not be turned into a dismissal.
    if (m_subOpen || m_clicked) return;
    m_hovered = -1;
    m_chosenSub = -1;
    PostChosen(0, -1);
}

void CListPanelPopupList::OnKeyDown(UINT vk, UINT, UINT)
{
    if (vk == VK_RIGHT) return;
    Default();
}

// ---- in-page list ---------------------------------------------------------------

BEGIN_MESSAGE_MAP(CListPanelStatic, CListPanelList)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSELEAVE()
END_MESSAGE_MAP()

BOOL CListPanelStatic::PreTranslateMessage(MSG* msg)
{
    if (m_tip.GetSafeHwnd() || !m_tooltip.IsEmpty()) {
        if (msg->message == WM_MOUSEMOVE) UpdateRowTooltip(CPoint(msg->lParam), false);
        if (m_tip.GetSafeHwnd()) m_tip.RelayEvent(msg);
    }
    return CListPanelList::PreTranslateMessage(msg);
}

void CListPanelStatic::OnMouseMove(UINT, CPoint p)
{
    TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, m_hWnd, 0};
    ::TrackMouseEvent(&tme);
    SetHovered(RowAtPoint(p));
}

void CListPanelStatic::OnMouseLeave()
{
    SetHovered(-1);
}

void CListPanelStatic::OnLButtonDown(UINT, CPoint p)
{
    if (HitTestScrollBar(p)) return;
    int row = RowAtPoint(p);
    if (!ListPanelRowSelectable(m_rows, row)) return;
    m_clicked = false;
    if (HWND parent = ::GetParent(m_hWnd)) ::PostMessageW(parent, WM_LISTPANEL_ROW_CLICKED, (WPARAM)row, m_itemValue);
}

// ---- the item -------------------------------------------------------------------

CListPanelItem::CListPanelItem()
{
    m_type = ITEM_LISTPANEL;
}

CListPanelItem::~CListPanelItem() = default;

bool CListPanelItem::Create(CWnd* parent, const RECT& rect, int id)
{
    m_rect = rect;
    m_static = std::make_unique<CListPanelStatic>();
    m_static->m_itemValue = (LPARAM)id;
    if (!m_static->Create(parent, rect, (UINT)id, m_look)) {
        m_static.reset();
        return false;
    }
    m_static->SetToolTipText(m_tooltip);
    m_window = m_static->GetSafeHwnd();
    FillList();
    return true;
}

void CListPanelItem::SetRows(const ListPanelRows& rows)
{
    m_rows = RebuildListPanelRows(rows);
    if (m_static) FillList();
}

bool CListPanelItem::SetRowDisabled(int i, bool disabled)
{
    if (i < 0 || i >= RowCount()) return false;
    m_rows[(size_t)i].disabled = disabled ? 1 : 0;
    if (m_static) m_static->SetRowDisabled(i, disabled);
    return true;
}

void CListPanelItem::FillList()
{
    if (!m_static) return;
    m_static->SetRows(m_rows, m_sorted);
    m_static->SetMarked(GetCurSel());
}

void CListPanelItem::SetCaption(const CString& text)
{
    m_caption = text;
    if (m_static) m_static->SetMarked(GetCurSel());
}

void CListPanelItem::Show(bool show)
{
    if (m_static && m_static->GetSafeHwnd()) m_static->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

bool CListPanelItem::SetCurSel(int i)
{
    if (i >= RowCount()) return false;
    if (i < 0) {
        m_caption.Empty();
        if (m_static) m_static->SetMarked(-1);
        return true;
    }
    m_caption = m_rows[(size_t)i].label;
    if (m_static) m_static->SetMarked(i);
    return true;
}

int CListPanelItem::ShowPopup(int height, CWnd* owner, int x, int y)
{
    POINT at{x, y};
    if (owner && owner->GetSafeHwnd()) owner->ClientToScreen(&at);
    ListPanelPopupRequest req;
    req.owner = owner;
    req.screenRect = {at.x, at.y, at.x + m_width, at.y + (height ? height : m_defaultHeight)};
    req.rows = &m_rows;
    req.sorted = m_sorted;
    req.look = &m_look;
    req.templateId = g_listPanelPopupTemplateId;
    ListPanelPopupResult r = RunListPanelPopup(req);
    m_lastSub = r.subRow;
    return r.row;
}
