#include "MacroDisplayItem.h"

#include <algorithm>
#include <map>
#include <tuple>
#include <utility>

#include "EditItems.h"
#include "KeyEvent.h"
#include "ListPanel.h"
#include "ListRedrawOff.h"
#include "ListViewScroll.h"
#include "MacroDelayText.h"
#include "MacroDisplayScroll.h"
#include "RawInput.h"
#include "WidgetMessages.h"
#include "WidgetText.h"

BEGIN_MESSAGE_MAP(CMacroDisplayItem, CListCtrl)
    ON_WM_INPUT()
    ON_WM_LBUTTONDOWN()
    ON_WM_RBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSEWHEEL()
    ON_WM_VSCROLL()
    ON_WM_TIMER()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_NCCALCSIZE()
    ON_WM_DESTROY()
    ON_NOTIFY_REFLECT(NM_CUSTOMDRAW, OnCustomDraw)
    ON_NOTIFY_REFLECT(LVN_BEGINLABELEDITW, OnBeginLabelEdit)
    ON_NOTIFY_REFLECT(LVN_ENDLABELEDITW, OnEndLabelEdit)
    ON_NOTIFY_REFLECT(LVN_DELETEALLITEMS, OnDeleteAllItems)
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

CMacroDisplayItem::CMacroDisplayItem()
{
    m_type = ITEM_MACRODISPLAY;
    InitRawMouseButtonTable();
}

CMacroDisplayItem::~CMacroDisplayItem()
{
    if (GetSafeHwnd()) DestroyWindow();
}

// A recording's registration ends with the window, whoever destroys it: a
// registration left on a dead window refuses every later one.
void CMacroDisplayItem::OnDestroy()
{
    if (m_recording) ReleaseRawInputHeldBy(m_hWnd);
    m_recording = false;
    Default();
}

BOOL CMacroDisplayItem::Create(CWnd* parent, const RECT& r, int id, std::unique_ptr<CVScrollBar> scrollBar,
                               int scrollWidth, const PanelImage* panelImage)
{
    m_scroll = std::move(scrollBar);
    m_panel = std::make_unique<CGenericPanel>(m_borderWidth);
    m_panel->SetBackColour(m_backColour);
    m_panel->SetBorderColour(m_borderColour);
    RECT inner = r;
    if (m_panel->Create(r, parent, panelImage)) {
        // The list is the panel's sibling: its place is in the parent's
        // coordinates, the panel's inner rectangle in the panel's own.
        inner = m_panel->InnerRect();
        ::MapWindowPoints(m_panel->GetSafeHwnd(), parent->GetSafeHwnd(), reinterpret_cast<POINT*>(&inner), 2);
    }
    const int barWidth = m_scroll ? scrollWidth : 0;
    RECT listRect = inner;
    listRect.right -= barWidth;
    // The image list is ours (m_images): the list must not free it too.
    DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_NOCOLUMNHEADER |
                  LVS_SHOWSELALWAYS | LVS_EDITLABELS | LVS_SHAREIMAGELISTS;
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
    TEXTMETRICW tm{};
    bool measured = false;
    {
        CClientDC dc(this);
        CSelectGuard fontSelected(dc, base);
        measured = ::GetTextMetricsW(dc, &tm) != FALSE;
    }
    m_rowHeight = measured && tm.tmHeight >= 1 ? tm.tmHeight + 4 : 19;
    if (m_scroll && barWidth > 0) {
        RECT bar{listRect.right, listRect.top, listRect.right + barWidth, listRect.bottom};
        m_scroll->backColour = m_backColour;
        m_scroll->borderColour = m_borderColour;
        if (!m_scroll->Create(L"", WS_CHILD | WS_VISIBLE, bar, parent)) m_scroll.reset();
    }
    if (m_panel->GetSafeHwnd()) {
        // A later sibling lies below an earlier one: the border goes under
        // the list and its bar, and leaves their area alone when it paints.
        m_panel->ModifyStyle(0, WS_CLIPSIBLINGS);
        HWND above = m_scroll && m_scroll->GetSafeHwnd() ? m_scroll->GetSafeHwnd() : m_hWnd;
        ::SetWindowPos(m_panel->GetSafeHwnd(), above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
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
    CClientDC screen(nullptr);
    for (int i = 0; i < 6; ++i) {
        m_bitmaps[i].DeleteObject();
        BITMAP bm{};
        if (!bitmaps[i] || !::GetObjectW(bitmaps[i], sizeof(bm), &bm)) continue;
        CDC src, dst;
        src.CreateCompatibleDC(screen);
        dst.CreateCompatibleDC(screen);
        m_bitmaps[i].CreateCompatibleBitmap(screen, bm.bmWidth, bm.bmHeight);
        CSelectGuard srcSelected(src, bitmaps[i]), dstSelected(dst, m_bitmaps[i]);
        ::BitBlt(dst, 0, 0, bm.bmWidth, bm.bmHeight, src, 0, 0, SRCCOPY);
    }
}

CString CMacroDisplayItem::EventText(const MacroEvent& e, DWORD_PTR& data, const CString* secondsWord) const
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
        if (secondsWord)
            text = FormatDelayText((DWORD)e.value, *secondsWord);
        else
            text = FormatDelayText((DWORD)e.value, TranslateText(L"$secondsdelay"));
        data = kRowDelay;
        break;
    }
    return text;
}

int CMacroDisplayItem::InsertListRow(const CString& text, DWORD_PTR data, int position)
{
    // The row comes with its data: setting it afterwards would tell the
    // owner of a change, twice, for every row.
    int desc = m_columns.PositionOf(kColumnDescription);
    if (desc < 0) desc = 0;
    LVITEMW item{};
    item.mask = LVIF_PARAM | (desc == 0 ? LVIF_TEXT : 0);
    item.iItem = position;
    item.lParam = (LPARAM)data;
    item.pszText = const_cast<wchar_t*>(text.GetString());
    int row = (int)SendMessage(LVM_INSERTITEMW, 0, (LPARAM)&item);
    if (row < 0) return -1;
    if (desc != 0) SetItemText(row, desc, text);
    return row;
}

int CMacroDisplayItem::InsertEventRow(const MacroEvent& e, bool repaint, int position)
{
    int count = GetItemCount();
    if (position < 0 || position > count) position = count;
    DWORD_PTR data = 0;
    const CString text = EventText(e, data);
    int row = InsertListRow(text, data, position);
    if (row < 0) return -1;
    EnsureVisible(row, FALSE);
    if (m_scroll && m_scroll->GetSafeHwnd()) m_scroll->UpdateThumb();
    m_events.insert(m_events.begin() + std::min((size_t)row, m_events.size()), e);
    SelectRow(row);
    if (repaint) Invalidate(FALSE);
    return row;
}

// Row by row, each row scrolled into view in a shown list costs a scroll and
// a paint through the display server, seconds for a long macro. So the rows
// go in with the list's redraw off, and the list scrolls (which needs the
// redraw on: only then does it know its range), selects and paints once,
// after the last: what shows is the same.
void CMacroDisplayItem::AppendEvents(const MacroEvent* first, const MacroEvent* last)
{
    if (first == last) return;
    // A long macro repeats its keys, buttons and delays: each distinct event
    // is named once, and the delays' word looked up once (a word of the
    // language table is found by walking the table).
    const CString seconds = TranslateText(L"$secondsdelay");
    std::map<std::tuple<int, int, uint32_t>, std::pair<CString, DWORD_PTR>> named;
    m_events.reserve(m_events.size() + (size_t)(last - first));
    {
        CListRedrawOff filling(*this);
        int at = GetItemCount();
        for (const MacroEvent* e = first; e != last; ++e) {
            auto it = named.find({e->kind, e->value, e->flags});
            if (it == named.end()) {
                DWORD_PTR data = 0;
                CString text = EventText(*e, data, &seconds);
                it = named.emplace(std::make_tuple(e->kind, e->value, e->flags), std::make_pair(text, data)).first;
            }
            if (InsertListRow(it->second.first, it->second.second, at) < 0) break;
            m_events.push_back(*e);
            ++at;
        }
    }
    const int row = GetItemCount() - 1;
    if (row < 0) return;
    // The list updates its window as it scrolls; that paint is left out and
    // the rows are painted once, after the scroll.
    m_paintDeferred = true;
    SelectRow(row);
    EnsureVisible(row, FALSE);
    m_paintDeferred = false;
    Invalidate(FALSE);
    if (m_scroll && m_scroll->GetSafeHwnd()) m_scroll->UpdateThumb();
}

void CMacroDisplayItem::SelectRow(int row)
{
    if (row < 0) {
        // Only the rows that have the state: every row of a long macro
        // would each be told to its owner.
        for (UINT state : {LVIS_SELECTED, LVIS_FOCUSED}) {
            const int at = GetNextItem(-1, state == LVIS_SELECTED ? LVNI_SELECTED : LVNI_FOCUSED);
            if (at >= 0) SetItemState(at, 0, state);
        }
        return;
    }
    SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

bool CMacroDisplayItem::SetEvents(const std::vector<MacroEvent>& events)
{
    if (m_recording) return false;
    DeleteAllItems();
    m_events.clear();
    AppendEvents(events.data(), events.data() + events.size());
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
        m_full = false;
        m_delays.Start(m_tick());
        AddRawInputUsage(rawinput::kUsageKeyboard);
        AddRawInputUsage(rawinput::kUsageMouse);
        RegisterRawInput(m_hWnd);
    } else {
        if (m_scroll && m_scroll->GetSafeHwnd()) m_scroll->ShowWindow(SW_SHOW);
        // Only our own registration ends: a key-capture edit that held it
        // when recording began keeps its keys.
        ReleaseRawInputHeldBy(m_hWnd);
    }
    return m_recording;
}

void CMacroDisplayItem::RecordEvent(const MacroEvent& e)
{
    if (m_full) return;
    DWORD delay = 0;
    const bool delayed = m_delays.DelayBefore(m_tick(), m_events.empty(), delay);
    if (m_eventLimit && m_events.size() + (delayed ? 2 : 1) > m_eventLimit) {
        m_full = true;
        NotifyOwner(WM_MACRO_RECORD_FULL);
        return;
    }
    if (delayed) InsertEventRow(MacroEvent{MacroEvent::kDelay, (int)delay, delay}, false, -1);
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
    // A hidden list keeps no capture: it would take the clicks meant for
    // what now shows in its place.
    if (!show) ReleaseHoverCapture();
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
        if (m_eventLimit && m_events.size() >= m_eventLimit) return;
        DWORD ms = m_insertDelayMs;
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
    for (int n = m_wheel.Take(delta); n != 0; n += (n > 0 ? -1 : 1))
        PostMessage(WM_VSCROLL, n > 0 ? SB_LINEUP : SB_LINEDOWN);
    return TRUE;
}

int CMacroDisplayItem::ListRowHeight()
{
    return ListViewRowHeight(*this, m_rowHeight);
}

void CMacroDisplayItem::OnVScroll(UINT code, UINT pos, CWnd*)
{
    if (!PrepareListVScroll(*this, code, pos, m_rowHeight)) return;
    Default();
    // The wheel and the keys scroll too; a dragged thumb stays where it is held.
    if (m_scroll && m_scroll->GetSafeHwnd() && !m_scroll->Dragging()) m_scroll->UpdateThumb();
}

bool CMacroDisplayItem::PointOverScrollBar(POINT p) const
{
    if (!m_scroll || !m_scroll->GetSafeHwnd() || !m_scroll->IsWindowVisible()) return false;
    ::MapWindowPoints(m_hWnd, m_scroll->GetSafeHwnd(), &p, 1);
    RECT bar{};
    m_scroll->GetClientRect(&bar);
    return ::PtInRect(&bar, p) != FALSE;
}

void CMacroDisplayItem::ReleaseHoverCapture()
{
    if (m_hWnd && ::GetCapture() == m_hWnd) ::ReleaseCapture();
}

void CMacroDisplayItem::OnMouseMove(UINT flags, CPoint p)
{
    Default();
    if (m_readOnly) return;
    RECT client{};
    GetClientRect(&client);
    if (::PtInRect(&client, p)) {
        // The capture shows when the pointer leaves. Not while a delay is
        // edited: the edit box needs its own clicks.
        if (!m_editing && ::GetCapture() != m_hWnd) SetCapture();
        return;
    }
    if (::GetCapture() != m_hWnd) return;
    // A press keeps the capture until its release reaches the list.
    if (flags & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) return;
    if (!m_recording && PointOverScrollBar(p)) {
        m_scroll->SetCapture();
        return;
    }
    ::ReleaseCapture();
}

void CMacroDisplayItem::OnBeginLabelEdit(NMHDR*, LRESULT* result)
{
    *result = TRUE;  // refused
    if (m_readOnly) return;
    int sel = Selected();
    if (sel < 0 || (size_t)sel >= m_events.size() || m_events[(size_t)sel].kind != MacroEvent::kDelay) return;
    int desc = m_columns.PositionOf(kColumnDescription);
    DWORD ms = DelayMillisecondsFromText(GetItemText(sel, desc >= 0 ? desc : 0));
    // The edit box covers only the start of the row: the rest of the old
    // text would show beside it. The end of the edit writes the row again.
    SetItemText(sel, desc >= 0 ? desc : 0, L"");
    ReleaseHoverCapture();
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

void CMacroDisplayItem::OnDeleteAllItems(NMHDR*, LRESULT* result)
{
    *result = TRUE;  // no notice for each row: the rows carry nothing to free
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

void CMacroDisplayItem::StopPlayback()
{
    KillTimer(kPlaybackTimer);
    m_playPos = 0;
    m_playback.clear();
    DeleteAllEvents();
    Invalidate(FALSE);
}

void CMacroDisplayItem::PlaybackStep()
{
    // The events up to the next delay show at once, in one pass.
    const size_t from = m_playPos;
    while (m_playPos < m_playback.size() && m_playback[m_playPos].kind != MacroEvent::kDelay) ++m_playPos;
    AppendEvents(m_playback.data() + from, m_playback.data() + m_playPos);
    if (m_playPos < m_playback.size()) {
        SetTimer(kPlaybackTimer, (UINT)m_playback[m_playPos++].value);
        Invalidate(FALSE);
        return;
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

void CMacroDisplayItem::OnNcCalcSize(BOOL calc, NCCALCSIZE_PARAMS* p)
{
    ModifyStyle(WS_VSCROLL | WS_HSCROLL, 0);
    CListCtrl::OnNcCalcSize(calc, p);
}
