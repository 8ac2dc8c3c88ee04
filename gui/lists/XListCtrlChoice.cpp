// Choice cells of the multi-column list: pressing a cell's button opens its
// drop-down list, whose keys and clicks come back as registered messages and
// are carried out on short timers, outside the drop-down's own handlers.
#include "WidgetPaint.h"
#include "XListCtrl.h"

bool CXListCtrl::ClickChoiceCell(int index, int position, POINT p)
{
    Row* row = RowAt(index);
    if (!row || !row->choice[(size_t)position].on) return false;
    CloseDropDown();
    RECT cell{};
    if (CellRect(index, position, cell) && PointOnChoiceButton(cell, p)) {
        m_pressed.Press(row->key, position);
        m_pressTicks = 0;
        RedrawItems(index, index);  // drawing the pressed cell opens the drop-down
        SetTimer(kPressTimer, kPressPeriod);
    }
    return true;
}

LRESULT CXListCtrl::OnOpenDropDown(WPARAM, LPARAM)
{
    m_openPosted = false;
    OpenDropDown();
    return 0;
}

void CXListCtrl::OpenDropDown()
{
    if (m_dropDown || !m_pressed.pressed) return;
    const int index = FindRowByKey(m_pressed.rowKey);
    Row* row = RowAt(index);
    RECT cell{};
    if (!row || index != GetFirstSelected() || !CellRect(index, m_pressed.column, cell)) return;
    const auto& choice = row->choice[(size_t)m_pressed.column];
    if (!choice.on) return;
    ClientToScreen(&cell);
    const RECT r = ComboListWindowRect(cell, choice.visible, (int)choice.entries.size());
    int selected = -1;
    for (size_t i = 0; i < choice.entries.size(); ++i)
        if (choice.entries[i] == row->text[(size_t)m_pressed.column]) selected = (int)i;
    auto dropDown = std::make_unique<CXComboList>(m_hWnd);
    // Entries as high as the rows the window's height was counted in.
    const int itemHeight = (int)(cell.bottom - cell.top) - 2;
    if (!dropDown->Create(this, r, WidgetFont(m_font), choice.entries, selected, itemHeight)) return;
    dropDown->GetWindowRect(&m_dropDownRect);
    m_dropDown = std::move(dropDown);
}

void CXListCtrl::CloseDropDown()
{
    // A closed drop-down also releases its cell: a cell still pressed would
    // open it again at its next redraw.
    m_pressed.Release();
    m_dropDown.reset();
    m_dropDownRect = {};
}

void CXListCtrl::ChooseFromDropDown(bool close)
{
    if (!m_dropDown) return;
    const int sel = m_dropDown->GetCurSel();
    const CString text = m_dropDown->GetSelectedText();
    const int key = m_pressed.rowKey, position = m_pressed.column;
    const int index = FindRowByKey(key);
    Row* row = RowAt(index);
    bool changed = false;
    if (row && sel >= 0 && position >= 0 && position < m_columns.Count()) {
        if (text != row->text[(size_t)position]) {
            row->text[(size_t)position] = text;
            SetItemText(index, position, text);
            changed = true;
        }
        RedrawItems(index, index);
    }
    if (close) CloseDropDown();
    if (changed) NotifyCellChanged(key, position, text);
}

void CXListCtrl::PressTick()
{
    POINT pt{};
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    const int index = FindRowByKey(m_pressed.rowKey);
    RECT cell{};
    const bool inCell = CellRect(index, m_pressed.column, cell) && ::PtInRect(&cell, pt);
    const bool first = m_pressTicks++ == 0;
    const XListPressTick tick = DecidePressTick(inCell, m_dropDown != nullptr, first);
    switch (tick) {
    case XListPressTick::Release:
    case XListPressTick::ReleaseAndStop:
        if (m_pressed.pressed) {
            m_pressed.Release();
            if (index >= 0) RedrawItems(index, index);
        }
        if (tick == XListPressTick::ReleaseAndStop) KillTimer(kPressTimer);
        break;
    case XListPressTick::FocusAndLayout:
        m_dropDown->ListBox().SetFocus();
        m_dropDown->Layout();
        break;
    case XListPressTick::Focus:
        m_dropDown->ListBox().SetFocus();
        break;
    case XListPressTick::Stop:
        KillTimer(kPressTimer);
        break;
    }
}

void CXListCtrl::OnTimer(UINT_PTR id)
{
    switch (id) {
    case kPressTimer:
        PressTick();
        break;
    case kCloseTimer:
        KillTimer(kCloseTimer);
        CloseDropDown();
        break;
    case kChooseTimer:
        KillTimer(kChooseTimer);
        ChooseFromDropDown(true);
        break;
    case kFollowTimer:
        KillTimer(kFollowTimer);
        ChooseFromDropDown(false);
        break;
    default:
        Default();
    }
}

LRESULT CXListCtrl::OnComboReturn(WPARAM, LPARAM)
{
    KillTimer(kPressTimer);
    SetTimer(kChooseTimer, kChoosePeriod);
    return 0;
}

LRESULT CXListCtrl::OnComboButtonUp(WPARAM, LPARAM) { return OnComboReturn(0, 0); }

LRESULT CXListCtrl::OnComboKeyDown(WPARAM, LPARAM)
{
    SetTimer(kFollowTimer, kChoosePeriod);
    return 0;
}

LRESULT CXListCtrl::OnComboEscape(WPARAM, LPARAM)
{
    // Escape gives the drop-down up without choosing.
    KillTimer(kPressTimer);
    SetTimer(kCloseTimer, kChoosePeriod);
    return 0;
}
