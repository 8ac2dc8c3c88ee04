#include "XListCtrl.h"

#include <windowsx.h>

#include <algorithm>

#include "CommonDialogs.h"
#include "ListPanel.h"
#include "ListScrollRules.h"
#include "ListViewScroll.h"
#include "MacroDisplayScroll.h"
#include "WidgetMessages.h"
#include "WidgetPaint.h"
#include "WidgetText.h"

static bool SystemFileDialog(CWnd* parent, CString& path)
{
    CFileDialog dlg(TRUE, nullptr, nullptr, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY, L"*.exe|*.exe||", parent);
    if (dlg.DoModal() != IDOK) return false;
    path = dlg.GetPathName();
    return true;
}

static XListFileDialogRunner s_fileDialog = nullptr;
void SetXListFileDialogRunner(XListFileDialogRunner runner) { s_fileDialog = runner; }

// The drop-down's registered messages, registered before any list exists.
static const UINT s_comboReturn = XComboListMessageIds().vkReturn;
static const UINT s_comboEscape = XComboListMessageIds().vkEscape;
static const UINT s_comboKeyDown = XComboListMessageIds().keyDown;
static const UINT s_comboButtonUp = XComboListMessageIds().lButtonUp;

// One value for all lists: the column whose tooltip was shown last.
static int s_lastTipColumn = -1;
int CXListCtrl::LastToolTipColumn() { return s_lastTipColumn; }

BEGIN_MESSAGE_MAP(CXListCtrl, CListCtrl)
    ON_WM_CREATE()
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_DESTROY()
    ON_WM_NCCALCSIZE()
    ON_WM_MOUSEWHEEL()
    ON_WM_VSCROLL()
    ON_WM_TIMER()
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
    ON_MESSAGE(kOpenDropDownMessage, OnOpenDropDown)
    ON_REGISTERED_MESSAGE(s_comboReturn, OnComboReturn)
    ON_REGISTERED_MESSAGE(s_comboEscape, OnComboEscape)
    ON_REGISTERED_MESSAGE(s_comboKeyDown, OnComboKeyDown)
    ON_REGISTERED_MESSAGE(s_comboButtonUp, OnComboButtonUp)
END_MESSAGE_MAP()

void CXListCtrl::Row::Resize(size_t columns)
{
    text.resize(columns);
    check.resize(columns, -1);
    progress.resize(columns);
    choice.resize(columns);
}

CXListCtrl::CXListCtrl()
{
    m_type = ITEM_XLISTCTRL;
}

CXListCtrl::~CXListCtrl()
{
    if (GetSafeHwnd()) DestroyWindow();
}

BOOL CXListCtrl::Create(CWnd* parent, const RECT& r, int id, DWORD style, std::unique_ptr<CVScrollBar> bar,
                        int barWidth, const PanelImage* picture)
{
    m_scroll = std::move(bar);
    m_panel = std::make_unique<CGenericPanel>(m_borderWidth);
    m_panel->SetBackColour(m_backColour);
    m_panel->SetBorderColour(m_borderColour);
    RECT inner = r;
    if (m_panel->Create(r, parent, picture)) {
        // The panel's inner rectangle is in its own client coordinates; the
        // list is its sibling, placed in the parent's.
        RECT at{};
        m_panel->GetWindowRect(&at);
        ::MapWindowPoints(nullptr, parent->GetSafeHwnd(), reinterpret_cast<POINT*>(&at), 2);
        inner = m_panel->InnerRect();
        ::OffsetRect(&inner, at.left, at.top);
        // The panel never paints over the list and scroll bar that lie on it.
        m_panel->ModifyStyle(0, WS_CLIPSIBLINGS);
    } else {
        m_panel.reset();
    }
    const int w = m_scroll ? barWidth : 0;
    RECT listRect = inner;
    listRect.right -= w;
    // The row-height image list is ours (m_images): the list must not free it too.
    if (!CListCtrl::Create(style | WS_CHILD | WS_VISIBLE | LVS_SHAREIMAGELISTS, listRect, parent, (UINT)id))
        return FALSE;
    m_id = id;
    m_window = m_hWnd;
    // Above its panel, whatever order the parent links new children in.
    if (m_panel) SetWindowPos(::GetWindow(m_panel->m_hWnd, GW_HWNDPREV) ? ::GetWindow(m_panel->m_hWnd, GW_HWNDPREV)
                                                                        : HWND_TOP,
                              0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::InitializeFlatSB(m_hWnd);
    ::FlatSB_EnableScrollBar(m_hWnd, SB_BOTH, ESB_DISABLE_BOTH);
    if (m_font) SetFont(m_font, FALSE);
    TEXTMETRICW tm{};
    {
        CClientDC dc(this);
        CSelectGuard fontSelected(dc, WidgetFont(m_font));
        ::GetTextMetricsW(dc, &tm);
    }
    m_rowHeight = tm.tmHeight >= 1 ? tm.tmHeight + 1 : 16;
    // A one-pixel-wide image list only to fix the row height.
    m_images.Create(1, m_rowHeight, ILC_COLOR24, 1, 1);
    SetImageList(m_images, LVSIL_SMALL);
    SetTextColor(m_textColour);
    SetBkColor(m_backColour);
    SetTextBkColor(m_backColour);
    m_header.m_backColour = m_headerBackColour;
    m_header.m_textColour = m_headerTextColour;
    if (m_scroll && w > 0) {
        // Beside the rows: below the header.
        RECT b{listRect.right, listRect.top + m_header.Height(), listRect.right + w, listRect.bottom};
        m_scroll->backColour = m_backColour;
        m_scroll->borderColour = m_borderColour;
        if (m_scroll->Create(L"", WS_CHILD | WS_VISIBLE, b, parent))
            m_scroll->SetWindowPos(m_hWnd, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        else
            m_scroll.reset();
    }
    return TRUE;
}

int CXListCtrl::OnCreate(LPCREATESTRUCTW)
{
    const int result = (int)Default();
    if (result == -1) return -1;
    if (HWND header = (HWND)SendMessage(LVM_GETHEADER)) m_header.Bind(header);
    return result;
}

int CXListCtrl::AddColumn(int columnId, const XListColumn& column)
{
    int position = m_columns.Add(columnId, column.type, column);
    if (position < 0) return -1;
    CString header = TranslateText(column.header);
    InsertColumn(position, header, LVCFMT_LEFT, column.width);
    for (auto& row : m_rows) row->Resize((size_t)m_columns.Count());
    RefreshHeaderCheck(position);
    return position;
}

int CXListCtrl::InsertRow(int index)
{
    auto row = std::make_unique<Row>();
    row->key = index;
    row->Resize((size_t)m_columns.Count());
    row->textColour = m_textColour;
    row->backColour = m_backColour;
    row->selTextColour = m_selTextColour;
    row->selBackColour = m_selBackColour;
    int at = InsertItem(index, L"");
    if (at < 0) return -1;
    SetItemData(at, (DWORD_PTR)row.get());
    m_rows.push_back(std::move(row));
    EnsureVisible(at, FALSE);
    if (m_scroll && m_scroll->GetSafeHwnd()) m_scroll->UpdateThumb();
    return at;
}

CXListCtrl::Row* CXListCtrl::RowAt(int index) const
{
    return index >= 0 && index < GetItemCount() ? reinterpret_cast<Row*>(GetItemData(index)) : nullptr;
}

int CXListCtrl::FindRowByKey(int key) const
{
    for (int i = 0; i < GetItemCount(); ++i)
        if (Row* r = RowAt(i); r && r->key == key) return i;
    return -1;
}

CXListCtrl::Row* CXListCtrl::RowOfKey(int key) { return RowAt(FindRowByKey(key)); }
const CXListCtrl::Row* CXListCtrl::RowOfKey(int key) const { return RowAt(FindRowByKey(key)); }

bool CXListCtrl::CellRect(int index, int position, RECT& out) const
{
    if (index < 0 || index >= GetItemCount() || position < 0 || position >= m_columns.Count()) return false;
    if (position == 0) {
        // The first sub-item's rectangle is the whole row's.
        if (!GetItemRect(index, &out, LVIR_BOUNDS)) return false;
        out.right = out.left + GetColumnWidth(0);
        return true;
    }
    return GetSubItemRect(index, position, LVIR_BOUNDS, &out) != FALSE;
}

bool CXListCtrl::SetCellText(int rowKey, int columnId, const wchar_t* text)
{
    Row* row = RowOfKey(rowKey);
    int pos = m_columns.PositionOf(columnId);
    if (!row || pos < 0) return false;
    row->text[(size_t)pos] = text ? text : L"";
    SetItemText(FindRowByKey(rowKey), pos, row->text[(size_t)pos]);
    return true;
}

CString CXListCtrl::GetCellText(int rowKey, int columnId) const
{
    const Row* row = RowOfKey(rowKey);
    int pos = m_columns.PositionOf(columnId);
    return row && pos >= 0 ? row->text[(size_t)pos] : CString();
}

bool CXListCtrl::GetNameText(int rowKey, CString& out) const
{
    out = GetCellText(rowKey, LCITEM_PROFILENAME);
    return RowOfKey(rowKey) != nullptr;
}

bool CXListCtrl::SetCellData(int rowKey, int columnId, int check)
{
    Row* row = RowOfKey(rowKey);
    int pos = m_columns.PositionOf(columnId);
    if (!row || pos < 0) return false;
    row->check[(size_t)pos] = check;
    RedrawItems(FindRowByKey(rowKey), FindRowByKey(rowKey));
    RefreshHeaderCheck(pos);
    return true;
}

bool CXListCtrl::SetCellProgress(int rowKey, int columnId, int percent, bool showPercent, const wchar_t* format)
{
    Row* row = RowOfKey(rowKey);
    int pos = m_columns.PositionOf(columnId);
    if (!row || pos < 0) return false;
    auto& p = row->progress[(size_t)pos];
    p.on = true;
    p.percent = std::clamp(percent, 0, 100);
    p.showPercent = showPercent;
    if (format) p.format = format;
    RedrawItems(FindRowByKey(rowKey), FindRowByKey(rowKey));
    return true;
}

bool CXListCtrl::SetCellChoices(int rowKey, int columnId, const std::vector<CString>& entries, int visibleEntries)
{
    Row* row = RowOfKey(rowKey);
    int pos = m_columns.PositionOf(columnId);
    if (!row || pos < 0) return false;
    auto& c = row->choice[(size_t)pos];
    c.on = true;
    c.entries = entries;
    c.visible = visibleEntries;
    RedrawItems(FindRowByKey(rowKey), FindRowByKey(rowKey));
    return true;
}

bool CXListCtrl::SetRowColours(int rowKey, COLORREF text, COLORREF back, COLORREF selText, COLORREF selBack)
{
    Row* row = RowOfKey(rowKey);
    if (!row) return false;
    row->textColour = text;
    row->backColour = back;
    row->selTextColour = selText;
    row->selBackColour = selBack;
    RedrawItems(FindRowByKey(rowKey), FindRowByKey(rowKey));
    return true;
}

int CXListCtrl::GetCellData(int rowKey, int columnId) const
{
    const Row* row = RowOfKey(rowKey);
    int pos = m_columns.PositionOf(columnId);
    return row && pos >= 0 ? row->check[(size_t)pos] : -1;
}

int CXListCtrl::GetSelectedKey() const
{
    Row* r = RowAt(GetFirstSelected());
    return r ? r->key : -1;
}

void CXListCtrl::Show(bool show)
{
    int cmd = show ? SW_SHOW : SW_HIDE;
    if (!show) CloseDropDown();
    if (GetSafeHwnd()) ShowWindow(cmd);
    if (m_panel && m_panel->GetSafeHwnd()) m_panel->ShowWindow(cmd);
    if (m_scroll && m_scroll->GetSafeHwnd()) m_scroll->ShowWindow(cmd);
}

void CXListCtrl::Notify(UINT msg, WPARAM w, LPARAM l)
{
    HWND target = m_owner ? m_owner->GetSafeHwnd() : ::GetParent(m_hWnd);
    if (target) ::SendMessageW(target, msg, w, l);
}

void CXListCtrl::NotifyCellChanged(int rowKey, int position, const CString& text)
{
    XListCellNotify n{rowKey, position, (LPARAM)text.GetString()};
    Notify(WM_XLIST_CELL_CHANGED, (WPARAM)m_hWnd, (LPARAM)&n);
}

bool CXListCtrl::HasHeaderCheckMark(int position) const
{
    // In a one-of-many column "every row checked" says nothing, so only the
    // other check-box columns show it.
    const XListColumn* col = m_columns.Find(m_columns.IdAt(position));
    return col && col->type == kColCheckBox && !col->exclusive;
}

void CXListCtrl::RefreshHeaderCheck(int position)
{
    if (!m_header.GetSafeHwnd() || !HasHeaderCheckMark(position)) return;
    const XListColumn* col = m_columns.Find(m_columns.IdAt(position));
    std::vector<int> states;
    for (int i = 0; i < GetItemCount(); ++i) states.push_back(RowAt(i)->check[(size_t)position]);
    m_header.SetCheckMark(position, AllRowsChecked(states) ? 1 : 0, col->unchecked, col->checked);
}

void CXListCtrl::ClickCheckBox(int index, int position)
{
    const XListColumn* col = m_columns.Find(m_columns.IdAt(position));
    if (!col) return;
    std::vector<int> states;
    for (int i = 0; i < GetItemCount(); ++i) states.push_back(RowAt(i)->check[(size_t)position]);
    if (!ApplyCheckBoxClick(states, index, col->exclusive)) return;
    for (int i = 0; i < GetItemCount(); ++i) RowAt(i)->check[(size_t)position] = states[(size_t)i];
    RedrawItems(0, GetItemCount() - 1);
    BYTE state = (BYTE)states[(size_t)index];
    XListCellNotify n{RowAt(index)->key, position, (LPARAM)&state};
    Notify(WM_XLIST_CHECK_CHANGED, (WPARAM)m_hWnd, (LPARAM)&n);
    RefreshHeaderCheck(position);
}

void CXListCtrl::OnLButtonDown(UINT, CPoint p)
{
    EndEdit(true);
    LVHITTESTINFO hit{};
    hit.pt = p;
    int index = SubItemHitTest(&hit);
    if (index < 0) {
        KillTimer(kPressTimer);
    } else {
        for (int pos = 0; pos < m_columns.Count(); ++pos) {
            RECT cell{};
            if (!CellRect(index, pos, cell)) continue;
            if (ClickChoiceCell(index, pos, p)) continue;
            if (RowAt(index)->check[(size_t)pos] == -1) continue;
            // The check box's hot area: 12 pixels around the cell's centre.
            const int cx = (cell.left + cell.right) / 2;
            if (p.x >= cx - 6 && p.x < cx + 6 && p.y >= cell.top && p.y < cell.bottom) ClickCheckBox(index, pos);
        }
        Notify(WM_XLIST_ROW_CLICKED, (WPARAM)RowAt(index)->key, (LPARAM)m_hWnd);
    }
    Default();
}

void CXListCtrl::OnLButtonDblClk(UINT, CPoint p)
{
    LVHITTESTINFO hit{};
    hit.pt = p;
    int index = SubItemHitTest(&hit);
    if (index >= 0) {
        XListCellNotify n{RowAt(index)->key, hit.iSubItem, 0};
        Notify(WM_XLIST_ROW_ACTIVATED, (WPARAM)m_hWnd, (LPARAM)&n);
    }
    Default();
}

void CXListCtrl::OnRButtonDown(UINT, CPoint p)
{
    if (!m_context) return;
    Default();
    LVHITTESTINFO hit{};
    hit.pt = p;
    int index = SubItemHitTest(&hit);
    if (index < 0) return;
    const int key = RowAt(index)->key;
    XListCellNotify n{key, 0, 0};
    Notify(WM_XLIST_CONTEXT, (WPARAM)m_hWnd, (LPARAM)&n);
    int chosen = m_context->ShowPopup(0, this, p.x, p.y);
    if (chosen >= 0) RunContextCommand(key, m_context->GetRowText(chosen));
}

void CXListCtrl::RunContextCommand(int rowKey, const CString& text)
{
    if (!RowOfKey(rowKey)) return;
    if (text == L"$AssignApplication") {
        CString path;
        XListFileDialogRunner run = s_fileDialog ? s_fileDialog : &SystemFileDialog;
        if (!run(this, path)) return;
        int slash = path.ReverseFind(L'\\');
        SetCellText(rowKey, LCITEM_PROFILEEXE, slash >= 0 ? path.Mid(slash + 1) : path);
        NotifyCellChanged(rowKey, LCITEM_PROFILEEXE, path);
    } else if (text == L"$UnassignApplication") {
        SetCellText(rowKey, LCITEM_PROFILEEXE, L"");
        NotifyCellChanged(rowKey, LCITEM_PROFILEEXE, CString());
        const int autoSwitch = m_columns.IdAt(4);
        if (autoSwitch >= 0) SetCellData(rowKey, autoSwitch, 0);
        BYTE state = 0;
        XListCellNotify c{rowKey, 4, (LPARAM)&state};
        Notify(WM_XLIST_CHECK_CHANGED, (WPARAM)m_hWnd, (LPARAM)&c);
    } else {
        XListCellNotify n{rowKey, 0, (LPARAM)text.GetString()};
        Notify(WM_XLIST_COMMAND, (WPARAM)m_hWnd, (LPARAM)&n);
    }
}

bool CXListCtrl::StartEdit(int rowKey, int columnId)
{
    int index = FindRowByKey(rowKey);
    int pos = m_columns.PositionOf(columnId);
    RECT cell{};
    if (index < 0 || pos < 0 || !CellRect(index, pos, cell)) return false;
    EndEdit(true);
    if (!m_edit) {
        m_edit = std::make_unique<CEdit>();
        if (!m_edit->Create(WS_BORDER | ES_AUTOHSCROLL, cell, this, 1)) {
            m_edit.reset();
            return false;
        }
        if (m_font) m_edit->SetFont(m_font, FALSE);
    }
    m_edit->MoveWindow(&cell);
    m_edit->SetWindowText(RowAt(index)->text[(size_t)pos]);
    m_edit->ShowWindow(SW_SHOW);
    m_edit->SetFocus();
    m_edit->SetSel(0, -1);
    m_editRow = rowKey;
    m_editColumn = columnId;
    return true;
}

void CXListCtrl::EndEdit(bool commit)
{
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    if (!m_edit || m_editRow < 0 || m_editColumn < 0) return;
    const int rowKey = m_editRow, columnId = m_editColumn;
    m_editRow = m_editColumn = -1;
    if (commit) {
        CString text = m_edit->GetWindowText();
        if (text != GetCellText(rowKey, columnId)) {
            SetCellText(rowKey, columnId, text);
            XListCellNotify n{rowKey, m_columns.PositionOf(columnId), (LPARAM)text.GetString()};
            Notify(WM_XLIST_EDIT_DONE, (WPARAM)m_hWnd, (LPARAM)&n);
        }
    }
    m_edit->ShowWindow(SW_HIDE);
    Invalidate(FALSE);
}

BOOL CXListCtrl::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN) {
        if (m_editRow >= 0 && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE)) {
            EndEdit(msg->wParam == VK_RETURN);
            return TRUE;
        }
        if (m_editRow < 0 && msg->wParam == VK_SPACE) return TRUE;
    }
    if (msg->message == WM_MOUSEMOVE && msg->hwnd == m_hWnd) {
        std::vector<int> widths;
        for (int pos = 0; pos < m_columns.Count(); ++pos) widths.push_back(GetColumnWidth(pos));
        const int column = ColumnAtX(widths, GET_X_LPARAM(msg->lParam));
        if (column >= 0 && column != s_lastTipColumn) {
            s_lastTipColumn = column;
            if (const XListColumn* col = m_columns.Find(m_columns.IdAt(column))) m_tip.Set(this, col->tooltip);
        }
    }
    m_tip.Relay(msg);
    return CListCtrl::PreTranslateMessage(msg);
}

BOOL CXListCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const auto* nm = reinterpret_cast<const NMHDR*>(lParam);
    if (nm && (nm->code == HDN_BEGINTRACKW || nm->code == HDN_BEGINTRACKA)) {
        *result = TRUE;
        return TRUE;
    }
    return CListCtrl::OnNotify(wParam, lParam, result);
}

int CALLBACK CXListCtrl::CompareNames(LPARAM a, LPARAM b, LPARAM self)
{
    auto* list = reinterpret_cast<CXListCtrl*>(self);
    int pos = list->m_columns.PositionOf(LCITEM_PROFILENAME);
    if (pos < 0) return 0;
    auto* ra = reinterpret_cast<Row*>(a);
    auto* rb = reinterpret_cast<Row*>(b);
    return ::lstrcmpiW(ra->text[(size_t)pos], rb->text[(size_t)pos]);
}

void CXListCtrl::SortByName()
{
    SortItems(&CompareNames, (DWORD_PTR)this);
}

void CXListCtrl::OnDestroy()
{
    for (UINT_PTR t : {kPressTimer, kCloseTimer, kChooseTimer, kFollowTimer}) KillTimer(t);
    CloseDropDown();
    if (m_edit && m_edit->GetSafeHwnd()) m_edit->DestroyWindow();
    if (m_tip.Exists()) m_tip.Control().DestroyWindow();
    if (m_header.GetSafeHwnd()) m_header.UnsubclassWindow();
    Default();
}

void CXListCtrl::OnNcCalcSize(BOOL calc, NCCALCSIZE_PARAMS* p)
{
    ModifyStyle(WS_VSCROLL | WS_HSCROLL, 0);
    CListCtrl::OnNcCalcSize(calc, p);
}

BOOL CXListCtrl::OnMouseWheel(UINT, short delta, CPoint)
{
    for (int n = m_wheel.Take(delta); n != 0; n += (n > 0 ? -1 : 1)) PostMessage(WM_VSCROLL, n > 0 ? SB_LINEUP : SB_LINEDOWN);
    return TRUE;
}

void CXListCtrl::OnVScroll(UINT code, UINT pos, CWnd*)
{
    if (!PrepareListVScroll(*this, code, pos, m_rowHeight)) return;
    Default();
    if (m_scroll && m_scroll->GetSafeHwnd()) m_scroll->UpdateThumb();
}

void CXListCtrl::OnCustomDraw(NMHDR* nm, LRESULT* result)
{
    auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(nm);
    switch (cd->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        // The list may have scrolled on its own (EnsureVisible, keys): the
        // thumb follows whenever the rows are drawn.
        if (m_scroll && m_scroll->GetSafeHwnd()) m_scroll->UpdateThumb();
        *result = CDRF_NOTIFYITEMDRAW;
        return;
    case CDDS_ITEMPREPAINT:
        *result = CDRF_NOTIFYSUBITEMDRAW;
        return;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        int index = (int)cd->nmcd.dwItemSpec;
        RECT r{};
        if (CellRect(index, cd->iSubItem, r)) DrawCell(cd->nmcd.hdc, index, cd->iSubItem, r);
        *result = CDRF_SKIPDEFAULT;
        return;
    }
    default:
        *result = CDRF_DODEFAULT;
    }
}
