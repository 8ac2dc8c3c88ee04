#include "XListCtrl.h"

#include <algorithm>

#include "CommonDialogs.h"
#include "ListPanel.h"
#include "WidgetMessages.h"
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

BEGIN_MESSAGE_MAP(CXListCtrl, CListCtrl)
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_DESTROY()
    ON_WM_NCCALCSIZE()
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
END_MESSAGE_MAP()

CXListCtrl::CXListCtrl()
{
    m_type = ITEM_XLISTCTRL;
}

CXListCtrl::~CXListCtrl()
{
    if (GetSafeHwnd()) DestroyWindow();
}

BOOL CXListCtrl::Create(CWnd* parent, const RECT& r, int id, DWORD style, std::unique_ptr<CVScrollBar> bar,
                        int barWidth)
{
    m_scroll = std::move(bar);
    m_panel = std::make_unique<CGenericPanel>(m_borderWidth);
    m_panel->SetBackColour(m_backColour);
    m_panel->SetBorderColour(m_borderColour);
    RECT inner = r;
    if (m_panel->Create(r, parent)) inner = m_panel->InnerRect();
    const int w = m_scroll ? barWidth : 0;
    RECT listRect = inner;
    listRect.right -= w;
    if (!CListCtrl::Create(style | WS_CHILD | WS_VISIBLE, listRect, parent, (UINT)id)) return FALSE;
    m_id = id;
    m_window = m_hWnd;
    if (m_font) SetFont(m_font, FALSE);
    TEXTMETRICW tm{};
    HDC dc = ::GetDC(m_hWnd);
    HGDIOBJ old = ::SelectObject(dc, m_font ? (HGDIOBJ)m_font : ::GetStockObject(DEFAULT_GUI_FONT));
    ::GetTextMetricsW(dc, &tm);
    ::SelectObject(dc, old);
    ::ReleaseDC(m_hWnd, dc);
    m_rowHeight = tm.tmHeight >= 1 ? tm.tmHeight + 1 : 16;
    m_images.Create(1, m_rowHeight, ILC_COLOR24, 1, 1);
    SetImageList(m_images, LVSIL_SMALL);
    SetTextColor(m_textColour);
    SetBkColor(m_backColour);
    SetTextBkColor(m_backColour);
    if (HWND header = (HWND)SendMessage(LVM_GETHEADER))
        ::SetWindowLongPtrW(header, GWL_STYLE, ::GetWindowLongPtrW(header, GWL_STYLE) | HDS_NOSIZING);
    if (m_scroll && w > 0) {
        RECT b{listRect.right, listRect.top, listRect.right + w, listRect.bottom};
        m_scroll->backColour = m_backColour;
        m_scroll->borderColour = m_borderColour;
        if (!m_scroll->Create(L"", WS_CHILD | WS_VISIBLE, b, parent)) m_scroll.reset();
    }
    return TRUE;
}

int CXListCtrl::AddColumn(int columnId, const XListColumn& column)
{
    int position = m_columns.Add(columnId, column.type, column);
    if (position < 0) return -1;
    CString header = TranslateText(column.header);
    InsertColumn(position, header, LVCFMT_LEFT, column.width);
    for (auto& row : m_rows) {
        row->text.resize((size_t)m_columns.Count());
        row->check.resize((size_t)m_columns.Count(), -1);
        row->progress.resize((size_t)m_columns.Count());
    }
    return position;
}

int CXListCtrl::InsertRow(int index)
{
    auto row = std::make_unique<Row>();
    row->key = index;
    row->text.resize((size_t)m_columns.Count());
    row->check.assign((size_t)m_columns.Count(), -1);
    row->progress.resize((size_t)m_columns.Count());
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

void CXListCtrl::DrawProgress(CDC& dc, const Row::Progress& p, const RECT& cell, COLORREF fore, COLORREF back)
{
    RECT frame = cell;
    ::InflateRect(&frame, -2, -2);
    CBrush frameBrush(fore);
    dc.FrameRect(&frame, frameBrush);
    RECT inner = frame;
    ::InflateRect(&inner, -1, -1);
    RECT filled = inner;
    filled.right = inner.left + (inner.right - inner.left) * p.percent / 100;
    RECT rest = inner;
    rest.left = filled.right;
    dc.FillSolidRect(&filled, fore);
    dc.FillSolidRect(&rest, back);
    if (!p.showPercent) return;
    // Two passes, each clipped to its part, in the colour that contrasts
    // with what lies under it.
    CString text;
    text.Format(p.format, p.percent);
    int saved = dc.SaveDC();
    dc.SetBkMode(TRANSPARENT);
    if (m_font) dc.SelectObject(m_font);
    const UINT fmt = DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX;
    RECT t = inner;
    dc.IntersectClipRect(&filled);
    dc.SetTextColor(back);
    dc.DrawText(text, &t, fmt);
    dc.RestoreDC(saved);
    saved = dc.SaveDC();
    dc.SetBkMode(TRANSPARENT);
    if (m_font) dc.SelectObject(m_font);
    dc.IntersectClipRect(&rest);
    dc.SetTextColor(fore);
    t = inner;
    dc.DrawText(text, &t, fmt);
    dc.RestoreDC(saved);
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
    if (GetSafeHwnd()) ShowWindow(cmd);
    if (m_panel && m_panel->GetSafeHwnd()) m_panel->ShowWindow(cmd);
    if (m_scroll && m_scroll->GetSafeHwnd()) m_scroll->ShowWindow(cmd);
}

void CXListCtrl::Notify(UINT msg, WPARAM w, LPARAM l)
{
    CWnd* owner = GetOwner();
    HWND target = owner ? owner->GetSafeHwnd() : ::GetParent(m_hWnd);
    if (target) ::SendMessageW(target, msg, w, l);
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
}

void CXListCtrl::OnLButtonDown(UINT, CPoint p)
{
    EndEdit(true);
    LVHITTESTINFO hit{};
    hit.pt = p;
    int index = SubItemHitTest(&hit);
    if (index >= 0) {
        for (int pos = 0; pos < m_columns.Count(); ++pos) {
            RECT cell{};
            if (pos == 0) {
                GetItemRect(index, &cell, LVIR_BOUNDS);
                cell.right = cell.left + GetColumnWidth(0);
            } else {
                GetSubItemRect(index, pos, LVIR_BOUNDS, &cell);
            }
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
        XListCellNotify n{rowKey, LCITEM_PROFILEEXE, (LPARAM)path.GetString()};
        Notify(WM_XLIST_CELL_CHANGED, (WPARAM)m_hWnd, (LPARAM)&n);
    } else if (text == L"$UnassignApplication") {
        SetCellText(rowKey, LCITEM_PROFILEEXE, L"");
        XListCellNotify n{rowKey, LCITEM_PROFILEEXE, (LPARAM)L""};
        Notify(WM_XLIST_CELL_CHANGED, (WPARAM)m_hWnd, (LPARAM)&n);
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
    if (index < 0 || pos < 0) return false;
    EndEdit(true);
    RECT cell{};
    if (pos == 0) {
        GetItemRect(index, &cell, LVIR_BOUNDS);
        cell.right = cell.left + GetColumnWidth(0);
    } else {
        GetSubItemRect(index, pos, LVIR_BOUNDS, &cell);
    }
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
    if (m_edit && m_edit->GetSafeHwnd()) m_edit->DestroyWindow();
    Default();
}

void CXListCtrl::OnNcCalcSize(BOOL calc, NCCALCSIZE_PARAMS* p)
{
    ModifyStyle(WS_VSCROLL | WS_HSCROLL, 0);
    CListCtrl::OnNcCalcSize(calc, p);
}

void CXListCtrl::DrawCell(HDC target, int index, int position, const RECT& cellRect)
{
    Row* row = RowAt(index);
    if (!row || (size_t)position >= row->text.size()) return;
    RECT client{};
    GetClientRect(&client);
    RECT cell = cellRect;
    if (cell.right > client.right) cell.right = client.right;
    const bool selected = index == GetFirstSelected();
    const COLORREF back = selected ? row->selBackColour : row->backColour;
    const COLORREF fore = selected ? row->selTextColour : row->textColour;
    CDC dc;
    dc.Attach(target);
    dc.FillSolidRect(&cell, back);
    const XListColumn* col = m_columns.Find(m_columns.IdAt(position));
    const int check = row->check[(size_t)position];
    if (row->progress[(size_t)position].on) {
        DrawProgress(dc, row->progress[(size_t)position], cell, fore, back);
    } else if (col && check != -1) {
        HBITMAP pic = check ? col->checked : col->unchecked;
        if (pic) {
            BITMAP bm{};
            ::GetObjectW(pic, sizeof(bm), &bm);
            int x = (cell.left + cell.right - bm.bmWidth) / 2, y = (cell.top + cell.bottom - bm.bmHeight) / 2;
            CDC mem;
            mem.CreateCompatibleDC(dc);
            HGDIOBJ old = mem.SelectObject(pic);
            dc.TransparentBlt(x, y, bm.bmWidth, bm.bmHeight, mem, 0, 0, bm.bmWidth, bm.bmHeight, 0xFFFFFF);
            mem.SelectObject(old);
        } else {
            // Without pictures: a plain framed box, filled when checked.
            const int cx = (cell.left + cell.right) / 2, cy = (cell.top + cell.bottom) / 2;
            RECT box{cx - 5, cy - 5, cx + 6, cy + 6};
            CBrush frame(fore);
            dc.FrameRect(&box, frame);
            if (check) {
                ::InflateRect(&box, -3, -3);
                dc.FillRect(&box, frame);
            }
        }
    } else {
        int saved = dc.SaveDC();
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(fore);
        if (m_font) dc.SelectObject(m_font);
        RECT text = cell;
        text.left += 3;
        dc.DrawText(row->text[(size_t)position], &text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
        dc.RestoreDC(saved);
    }
    dc.Detach();
}

void CXListCtrl::OnCustomDraw(NMHDR* nm, LRESULT* result)
{
    auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(nm);
    switch (cd->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        *result = CDRF_NOTIFYITEMDRAW;
        return;
    case CDDS_ITEMPREPAINT:
        *result = CDRF_NOTIFYSUBITEMDRAW;
        return;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        int index = (int)cd->nmcd.dwItemSpec;
        RECT r{};
        if (cd->iSubItem == 0) {
            GetItemRect(index, &r, LVIR_BOUNDS);
            r.right = r.left + GetColumnWidth(0);
        } else {
            GetSubItemRect(index, cd->iSubItem, LVIR_BOUNDS, &r);
        }
        DrawCell(cd->nmcd.hdc, index, cd->iSubItem, r);
        *result = CDRF_SKIPDEFAULT;
        return;
    }
    default:
        *result = CDRF_DODEFAULT;
    }
}
