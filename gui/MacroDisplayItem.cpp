#include "MacroDisplayItem.h"

#include "KeyEvent.h"
#include "ListPanel.h"
#include "MacroDelayText.h"
#include "RawInput.h"
#include "WidgetMessages.h"
#include "WidgetText.h"

BEGIN_MESSAGE_MAP(CMacroDisplayItem, CListCtrl)
    ON_WM_INPUT()
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_MOUSEWHEEL()
    ON_WM_TIMER()
    ON_WM_ERASEBKGND()
    ON_WM_NCCALCSIZE()
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
    ON_NOTIFY_REFLECT(LVN_BEGINLABELEDITW, OnBeginLabelEdit)
    ON_NOTIFY_REFLECT(LVN_ENDLABELEDITW, OnEndLabelEdit)
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

CMacroDisplayItem::CMacroDisplayItem()
{
    m_type = ITEM_MACRODISPLAY;
    InitRawMouseButtonTable();
}

CMacroDisplayItem::~CMacroDisplayItem()
{
    if (m_recording) UnregisterRawInput();
    if (GetSafeHwnd()) DestroyWindow();
}

BOOL CMacroDisplayItem::Create(CWnd* parent, const RECT& r, int id, std::unique_ptr<CVScrollBar> scrollBar,
                               int scrollWidth)
{
    m_scroll = std::move(scrollBar);
    m_panel = std::make_unique<CGenericPanel>(m_borderWidth);
    m_panel->SetBackColour(m_backColour);
    m_panel->SetBorderColour(m_borderColour);
    RECT inner = r;
    if (m_panel->Create(r, parent)) {
        inner = m_panel->InnerRect();
    }
    const int barWidth = m_scroll ? scrollWidth : 0;
    RECT listRect = inner;
    listRect.right -= barWidth;
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_NOCOLUMNHEADER |
                  LVS_SHOWSELALWAYS | LVS_EDITLABELS;
    if (!CListCtrl::Create(style, listRect, parent, (UINT)id)) return FALSE;
    m_id = id;
    m_window = m_hWnd;
    m_images.Create(28, 18, ILC_COLOR4, 0, 10);
    SetImageList(m_images, LVSIL_SMALL);
    SetTextColor(m_textColour);
    SetBkColor(m_backColour);
    SetExtendedStyle(GetExtendedStyle() | LVS_EX_FULLROWSELECT);
    HFONT base = m_font ? m_font : (HFONT)::GetStockObject(DEFAULT_GUI_FONT);
    LOGFONTW lf{};
    if (::GetObjectW(base, sizeof(lf), &lf)) {
        lf.lfWeight = FW_BOLD;
        m_bold.CreateFontIndirect(&lf);
    }
    if (m_font) SetFont(m_font, FALSE);
    if (m_scroll && barWidth > 0) {
        RECT bar{listRect.right, listRect.top, listRect.right + barWidth, listRect.bottom};
        m_scroll->backColour = m_backColour;
        m_scroll->borderColour = m_borderColour;
        if (!m_scroll->Create(L"", WS_CHILD | WS_VISIBLE, bar, parent)) m_scroll.reset();
    }
    return TRUE;
}

int CMacroDisplayItem::AddColumn(int columnId, int type, int width, int justify, const wchar_t* header)
{
    int position = m_columns.Add(columnId, type, justify);
    if (position < 0) return -1;
    int fmt = justify == 2 ? LVCFMT_CENTER : justify == 1 ? LVCFMT_RIGHT : LVCFMT_LEFT;
    InsertColumn(position, header ? header : L"", fmt, width);
    return position;
}

void CMacroDisplayItem::SetEventBitmaps(HBITMAP const bitmaps[6])
{
    HDC screen = ::GetDC(nullptr);
    for (int i = 0; i < 6; ++i) {
        m_bitmaps[i].DeleteObject();
        BITMAP bm{};
        if (!bitmaps[i] || !::GetObjectW(bitmaps[i], sizeof(bm), &bm)) continue;
        HDC src = ::CreateCompatibleDC(screen), dst = ::CreateCompatibleDC(screen);
        m_bitmaps[i].CreateCompatibleBitmap(screen, bm.bmWidth, bm.bmHeight);
        HGDIOBJ o1 = ::SelectObject(src, bitmaps[i]), o2 = ::SelectObject(dst, m_bitmaps[i]);
        ::BitBlt(dst, 0, 0, bm.bmWidth, bm.bmHeight, src, 0, 0, SRCCOPY);
        ::SelectObject(src, o1);
        ::SelectObject(dst, o2);
        ::DeleteDC(src);
        ::DeleteDC(dst);
    }
    ::ReleaseDC(nullptr, screen);
}

CString CMacroDisplayItem::EventText(const MacroEvent& e, DWORD_PTR& data) const
{
    CString text;
    switch (e.kind) {
    case MacroEvent::kKey: {
        uint16_t scan = (uint16_t)(e.value & 0xFFFF), vk = (uint16_t)((uint32_t)e.value >> 16);
        GetKeyNameString(vk, text, scan, (e.flags & MacroEvent::kExtended) != 0);
        data = (e.flags & 0xFF) == MacroEvent::kRelease ? kRowKeyUp : kRowKeyDown;
        break;
    }
    case MacroEvent::kMouseButton: {
        static const wchar_t* const names[] = {L"<null>", L"$LeftButton", L"$RightButton", L"$Wheel",
                                               L"$Button4", L"$Button5"};
        const wchar_t* name = e.value >= 0 && e.value <= 5 ? names[e.value] : names[0];
        CString key;
        key.Format(L"%s%s", name, (e.flags & 0xFF) == MacroEvent::kRelease ? L"Up" : L"Down");
        text = TranslateText(key);
        data = kRowMouse;
        break;
    }
    default:
        text = FormatDelayText((DWORD)e.value, TranslateText(L"$secondsdelay"));
        data = kRowDelay;
        break;
    }
    return text;
}

int CMacroDisplayItem::InsertEventRow(const MacroEvent& e, bool repaint, int position, bool keepEvent)
{
    int count = GetItemCount();
    if (position < 0 || position > count) position = count;
    DWORD_PTR data = 0;
    CString text = EventText(e, data);
    int row = InsertItem(position, L"");
    if (row < 0) return -1;
    SetItemData(row, data);
    int desc = m_columns.PositionOf(kColumnDescription);
    SetItemText(row, desc >= 0 ? desc : 0, text);
    EnsureVisible(row, FALSE);
    if (m_scroll && m_scroll->GetSafeHwnd()) m_scroll->UpdateThumb();
    if (!keepEvent) m_events.insert(m_events.begin() + row, e);
    SelectRow(row);
    if (repaint) Invalidate(FALSE);
    return row;
}

void CMacroDisplayItem::SelectRow(int row)
{
    if (row < 0) {
        SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        return;
    }
    SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

bool CMacroDisplayItem::SetEvents(const std::vector<MacroEvent>& events)
{
    if (m_recording) return false;
    DeleteAllItems();
    m_events.clear();
    for (const MacroEvent& e : events) InsertEventRow(e, false, -1);
    Invalidate(FALSE);
    return GetItemCount() > 0;
}

void CMacroDisplayItem::DeleteAllEvents()
{
    m_events.clear();
    DeleteAllItems();
}

bool CMacroDisplayItem::ToggleRecording()
{
    if (m_readOnly) return false;
    m_recording = !m_recording;
    if (m_recording) {
        if (m_scroll && m_scroll->GetSafeHwnd()) m_scroll->ShowWindow(SW_HIDE);
        m_repeat.Clear();
        AddRawInputUsage(rawinput::kUsageKeyboard);
        AddRawInputUsage(rawinput::kUsageMouse);
        RegisterRawInput(m_hWnd);
    } else {
        if (m_scroll && m_scroll->GetSafeHwnd()) m_scroll->ShowWindow(SW_SHOW);
        UnregisterRawInput();
    }
    return m_recording;
}

void CMacroDisplayItem::RecordEvent(const MacroEvent& e)
{
    DWORD delay = 0;
    if (m_delays.DelayBefore(m_tick(), m_events.empty(), delay))
        InsertEventRow(MacroEvent{MacroEvent::kDelay, (int)delay, delay}, false, -1);
    InsertEventRow(e, true, -1);
}

void CMacroDisplayItem::RecordRawKeyboard(const RAWKEYBOARD& raw)
{
    if (!m_recording || m_readOnly) return;
    const bool released = (raw.Flags & RI_KEY_BREAK) != 0;
    if (!m_repeat.Pass(raw.MakeCode, (raw.Flags & RI_KEY_E0) != 0, released)) return;
    KeyEvent ev;
    if (!KeyEventFromRawKeyboard(ev, &raw)) return;
    MacroEvent e{MacroEvent::kKey, (int)(ev.scanCode | ((uint32_t)ev.virtualKey << 16)),
                 (uint32_t)ev.state | ((ev.flags & KeyEvent::kExtended) ? MacroEvent::kExtended : 0u)};
    RecordEvent(e);
}

void CMacroDisplayItem::RecordRawMouse(const RAWMOUSE& raw)
{
    if (!m_recording || m_readOnly) return;
    // Clicks on the owner's stop button are not part of the macro.
    if (m_recordingButton && ::GetCapture() == m_recordingButton) return;
    for (const MouseButtonEvent& b : MouseButtonEventsFromFlags(raw.usButtonFlags))
        RecordEvent(MacroEvent{MacroEvent::kMouseButton, b.button, b.released ? (uint32_t)MacroEvent::kRelease : (uint32_t)MacroEvent::kPress});
}

void CMacroDisplayItem::OnRawInput(UINT, HRAWINPUT input)
{
    if (!m_recording || m_readOnly) return;
    UINT size = 0;
    if (::GetRawInputData(input, RID_INPUT, nullptr, &size, sizeof(RAWINPUTHEADER)) != 0 || size == 0 ||
        size < sizeof(RAWINPUTHEADER))
        return;
    std::vector<BYTE> buffer(size);
    if (::GetRawInputData(input, RID_INPUT, buffer.data(), &size, sizeof(RAWINPUTHEADER)) != size) return;
    const auto* ri = reinterpret_cast<const RAWINPUT*>(buffer.data());
    if (ri->header.dwType == RIM_TYPEMOUSE && size >= offsetof(RAWINPUT, data) + sizeof(RAWMOUSE))
        RecordRawMouse(ri->data.mouse);
    else if (ri->header.dwType == RIM_TYPEKEYBOARD && size >= offsetof(RAWINPUT, data) + sizeof(RAWKEYBOARD))
        RecordRawKeyboard(ri->data.keyboard);
    if (m_scroll && m_scroll->GetSafeHwnd()) m_scroll->UpdateThumb();
}

bool CMacroDisplayItem::ReplaceEvent(int row, const MacroEvent& e)
{
    if (m_readOnly || row < 0 || (size_t)row >= m_events.size()) return false;
    DeleteItem(row);
    m_events.erase(m_events.begin() + row);
    InsertEventRow(e, true, row);
    NotifyOwner(WM_MACRO_EVENTS_CHANGED);
    return true;
}

void CMacroDisplayItem::DeselectItem()
{
    SelectRow(-1);
}

void CMacroDisplayItem::Show(bool show)
{
    int cmd = show ? SW_SHOW : SW_HIDE;
    if (GetSafeHwnd()) ShowWindow(cmd);
    if (m_panel && m_panel->GetSafeHwnd()) m_panel->ShowWindow(cmd);
    if (m_scroll && m_scroll->GetSafeHwnd()) m_scroll->ShowWindow(cmd);
}

void CMacroDisplayItem::SetBorderColour(COLORREF c)
{
    m_borderColour = c;
    if (m_panel) {
        m_panel->SetBorderColour(c);
        if (m_panel->GetSafeHwnd()) m_panel->Invalidate(FALSE);
    }
    if (m_scroll) m_scroll->borderColour = c;
}

void CMacroDisplayItem::SetContextLists(CListPanelItem* keyRows, CListPanelItem* mouseRows, CListPanelItem* delayRows)
{
    m_contextKey = keyRows;
    m_contextMouse = mouseRows;
    m_contextDelay = delayRows;
}

void CMacroDisplayItem::NotifyOwner(UINT msg)
{
    CWnd* owner = GetOwner();
    HWND target = owner ? owner->GetSafeHwnd() : ::GetParent(m_hWnd);
    if (target) ::SendMessageW(target, msg, 0, (LPARAM)m_id);
}

void CMacroDisplayItem::RunContextCommand(const CString& text)
{
    int sel = Selected();
    if (text == L"$InsertDelay") {
        DWORD ms = m_delays.FixedDelayMs();
        int at = sel >= 0 ? sel + 1 : 0;
        InsertEventRow(MacroEvent{MacroEvent::kDelay, (int)ms, ms}, true, at);
        NotifyOwner(WM_MACRO_EVENTS_CHANGED);
    } else if (text == L"$Delete") {
        if (sel < 0) return;
        int count = GetItemCount();
        if (sel + 1 < count)
            SelectRow(sel + 1);
        else
            SelectRow(-1);
        DeleteItem(sel);
        if ((size_t)sel < m_events.size()) m_events.erase(m_events.begin() + sel);
        Invalidate(FALSE);
        NotifyOwner(WM_MACRO_EVENTS_CHANGED);
    } else if (text == L"$Edit") {
        if (sel < 0 || (size_t)sel >= m_events.size()) return;
        if (m_events[(size_t)sel].kind == MacroEvent::kKey)
            NotifyOwner(WM_MACRO_EVENT_EDIT);
        else if (m_events[(size_t)sel].kind == MacroEvent::kDelay)
            SendMessage(LVM_EDITLABELW, (WPARAM)sel);
    }
}

void CMacroDisplayItem::OnRButtonDown(UINT, CPoint p)
{
    if (m_readOnly || m_recording || m_editing) return;
    LVHITTESTINFO hit{};
    hit.pt = p;
    int row = SubItemHitTest(&hit);
    if (row < 0 || (size_t)row >= m_events.size()) return;
    SelectRow(row);
    int kind = m_events[(size_t)row].kind;
    CListPanelItem* list = kind == MacroEvent::kKey ? m_contextKey
                         : kind == MacroEvent::kMouseButton ? m_contextMouse : m_contextDelay;
    if (!list) return;
    int chosen = list->ShowPopup(0, this, p.x, p.y);
    if (chosen < 0) return;
    RunContextCommand(list->GetRowText(chosen));
}

void CMacroDisplayItem::OnLButtonDown(UINT flags, CPoint p)
{
    if (m_readOnly || m_recording) return;
    LVHITTESTINFO hit{};
    hit.pt = p;
    int row = HitTest(&hit);
    int focused = GetNextItem(-1, LVNI_FOCUSED);
    // A click on the focused row would start a label edit; only delays edit.
    if (row >= 0 && row == focused && ((size_t)row >= m_events.size() || m_events[(size_t)row].kind != MacroEvent::kDelay))
        return;
    Default();
}

BOOL CMacroDisplayItem::OnMouseWheel(UINT, short delta, CPoint)
{
    for (int n = delta / WHEEL_DELTA; n != 0; n += (n > 0 ? -1 : 1))
        PostMessage(WM_VSCROLL, n > 0 ? SB_LINEUP : SB_LINEDOWN);
    return TRUE;
}

void CMacroDisplayItem::OnBeginLabelEdit(NMHDR*, LRESULT* result)
{
    *result = TRUE;  // refused
    if (m_readOnly) return;
    int sel = Selected();
    if (sel < 0 || (size_t)sel >= m_events.size() || m_events[(size_t)sel].kind != MacroEvent::kDelay) return;
    int desc = m_columns.PositionOf(kColumnDescription);
    m_editOld = (DWORD)m_events[(size_t)sel].value;
    DWORD ms = DelayMillisecondsFromText(GetItemText(sel, desc >= 0 ? desc : 0));
    if (HWND edit = (HWND)SendMessage(LVM_GETEDITCONTROL)) {
        ::SetWindowLongPtrW(edit, GWL_STYLE, ::GetWindowLongPtrW(edit, GWL_STYLE) | ES_NUMBER);
        wchar_t text[16];
        _snwprintf(text, 16, L"%lu", (unsigned long)ms);
        text[15] = 0;
        ::SetWindowTextW(edit, text);
        ::SendMessageW(edit, EM_LIMITTEXT, kDelayEditLimit, 0);
    }
    m_editing = true;
    *result = FALSE;
}

void CMacroDisplayItem::OnEndLabelEdit(NMHDR* nm, LRESULT* result)
{
    *result = FALSE;  // the list keeps its own item text; the row text is ours
    m_editing = false;
    auto* info = reinterpret_cast<NMLVDISPINFOW*>(nm);
    int row = info->item.iItem;
    if (row < 0 || (size_t)row >= m_events.size()) return;
    MacroEvent& e = m_events[(size_t)row];
    DWORD ms = (DWORD)e.value;
    ParseDelayEdit(info->item.pszText, ms);  // 0 or no number keeps the old value
    // Both words carry the delay: the device is sent the first and the
    // display shows the first, but a copy of the event must agree in both.
    e.value = (int)ms;
    e.flags = ms;
    int desc = m_columns.PositionOf(kColumnDescription);
    SetItemText(row, desc >= 0 ? desc : 0, FormatDelayText(ms, TranslateText(L"$secondsdelay")));
    Invalidate(FALSE);
    NotifyOwner(WM_MACRO_EVENTS_CHANGED);
}

void CMacroDisplayItem::StartPlayback(const std::vector<MacroEvent>& events)
{
    if (!m_readOnly) return;
    KillTimer(kPlaybackTimer);
    DeleteAllItems();
    m_events.clear();
    m_playback = events;
    m_playPos = 0;
    PlaybackStep();
}

void CMacroDisplayItem::PlaybackStep()
{
    while (m_playPos < m_playback.size()) {
        const MacroEvent& e = m_playback[m_playPos++];
        if (e.kind == MacroEvent::kDelay) {
            SetTimer(kPlaybackTimer, (UINT)e.value);
            Invalidate(FALSE);
            return;
        }
        InsertEventRow(e, false, -1);
    }
    KillTimer(kPlaybackTimer);
    m_playPos = 0;
    m_playback.clear();
    DeleteAllItems();
    m_events.clear();
    Invalidate(FALSE);
    NotifyOwner(WM_MACRO_PLAYBACK_DONE);
}

void CMacroDisplayItem::OnTimer(UINT_PTR id)
{
    if (id != kPlaybackTimer) {
        Default();
        return;
    }
    KillTimer(kPlaybackTimer);
    PlaybackStep();
}

BOOL CMacroDisplayItem::PreTranslateMessage(MSG* msg)
{
    m_tip.Relay(msg);
    if (!m_readOnly && !m_editing && (msg->message == WM_KEYDOWN || msg->message == WM_KEYUP)) {
        KeyEvent ev;
        return KeyEventFromKeyMessage(ev, *msg) != 0;
    }
    return CListCtrl::PreTranslateMessage(msg);
}

BOOL CMacroDisplayItem::OnEraseBkgnd(CDC* dc)
{
    RECT c{};
    GetClientRect(&c);
    dc->FillSolidRect(&c, m_backColour);
    return TRUE;
}

void CMacroDisplayItem::OnNcCalcSize(BOOL calc, NCCALCSIZE_PARAMS* p)
{
    ModifyStyle(WS_VSCROLL | WS_HSCROLL, 0);
    CListCtrl::OnNcCalcSize(calc, p);
}

void CMacroDisplayItem::DrawCell(HDC target, int row, int column, const RECT& cellRect)
{
    DWORD_PTR data = GetItemData(row);
    if (data >= 0x10000) return;
    RECT client{};
    GetClientRect(&client);
    RECT cell = cellRect;
    cell.left += m_leftMargin;
    if (cell.right > client.right) cell.right = client.right;
    const bool selected = row == Selected();
    CDC dc;
    dc.Attach(target);
    dc.FillSolidRect(&cell, m_backColour);
    int id = m_columns.IdAt(column);
    if (id == kColumnIcon) {
        int key = data == kRowKeyUp ? 1 : data == kRowKeyDown ? 0 : data == kRowDelay ? (selected ? 3 : 2)
                                                                               : (selected ? 5 : 4);
        if (m_bitmaps[key].GetSafeHandle()) {
            CSize s = m_bitmaps[key].GetSize();
            CDC mem;
            mem.CreateCompatibleDC(dc);
            HGDIOBJ old = mem.SelectObject(&m_bitmaps[key]);
            dc.BitBlt(cell.left, cell.top, s.cx, s.cy, mem, 0, 0, SRCCOPY);
            mem.SelectObject(old);
        }
    } else if (id == kColumnDescription) {
        if (selected) dc.FillSolidRect(&cell, m_selBackColour);
        int saved = dc.SaveDC();
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(selected ? m_selTextColour : m_textColour);
        if (m_bold.GetSafeHandle()) dc.SelectObject(&m_bold);
        const int* justify = m_columns.Find(id);
        UINT align = !justify || *justify == 0 ? DT_LEFT : *justify == 2 ? DT_CENTER : DT_RIGHT;
        CString text = GetItemText(row, column);
        dc.DrawText(text, &cell, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX | align);
        dc.RestoreDC(saved);
    }
    dc.Detach();
}

void CMacroDisplayItem::OnCustomDraw(NMHDR* nm, LRESULT* result)
{
    auto* cd = reinterpret_cast<NMLVCUSTOMDRAW*>(nm);
    switch (cd->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        if (GetItemCount() == 0) {
            RECT c{};
            GetClientRect(&c);
            CDC dc;
            dc.Attach(cd->nmcd.hdc);
            dc.FillSolidRect(&c, m_backColour);
            dc.Detach();
            *result = CDRF_SKIPDEFAULT;
            return;
        }
        *result = CDRF_NOTIFYITEMDRAW;
        return;
    case CDDS_ITEMPREPAINT:
        *result = CDRF_NOTIFYSUBITEMDRAW;
        return;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        RECT r{};
        int row = (int)cd->nmcd.dwItemSpec;
        if (cd->iSubItem == 0) {
            GetItemRect(row, &r, LVIR_BOUNDS);
            r.right = r.left + (int)SendMessage(LVM_GETCOLUMNWIDTH, 0);
        } else {
            GetSubItemRect(row, cd->iSubItem, LVIR_BOUNDS, &r);
        }
        DrawCell(cd->nmcd.hdc, row, cd->iSubItem, r);
        *result = CDRF_SKIPDEFAULT;
        return;
    }
    default:
        *result = CDRF_DODEFAULT;
    }
}

LRESULT CMacroDisplayItem::OnPrintClient(WPARAM w, LPARAM)
{
    RECT c{};
    GetClientRect(&c);
    CDC dc;
    dc.Attach((HDC)w);
    dc.FillSolidRect(&c, m_backColour);
    dc.Detach();
    for (int row = GetTopIndex(); row < GetItemCount(); ++row) {
        RECT r{};
        if (!GetItemRect(row, &r, LVIR_BOUNDS) || r.top >= c.bottom) break;
        for (int col = 0; col < m_columns.Count(); ++col) {
            RECT cell{};
            if (col == 0) {
                cell = r;
                cell.right = r.left + GetColumnWidth(0);
            } else {
                GetSubItemRect(row, col, LVIR_BOUNDS, &cell);
            }
            DrawCell((HDC)w, row, col, cell);
        }
    }
    return 0;
}
