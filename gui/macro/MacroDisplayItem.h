// CMacroDisplayItem: the skinned list of one macro's events (key presses and
// releases, mouse buttons, delays). Records new events from raw input, edits
// them through the owner's context lists and in-place delay editing, and in
// its read-only form plays a macro back row by row.
#pragma once
#include <memory>
#include <vector>

#include "Macro.h"
#include "CommonControls.h"
#include "GUIItem.h"
#include "GenericPanel.h"
#include "ListColumnBook.h"
#include "MacroRecordFilter.h"
#include "VScrollBar.h"
#include "WidgetToolTip.h"
#include "ListScrollRules.h"

class CListPanelItem;

// Row item data, for drawing.
enum MacroRowKind : DWORD_PTR { kRowKeyDown = 0, kRowKeyUp = 1, kRowDelay = 2, kRowMouse = 4 };

class CMacroDisplayItem : public CListCtrl, public CGUIItem {
public:
    // Column ids of the list-column table.
    static constexpr int kColumnIcon = 5;
    static constexpr int kColumnDescription = 6;
    static constexpr UINT_PTR kPlaybackTimer = 32;

    CMacroDisplayItem();
    ~CMacroDisplayItem() override;

    // The scroll bar (optional) becomes the item's; the image (optional)
    // is the border panel's picture.
    BOOL Create(CWnd* parent, const RECT& r, int id, std::unique_ptr<CVScrollBar> scrollBar = nullptr,
                int scrollWidth = 0, const PanelImage* panelImage = nullptr);
    // -1 when refused (two columns exist, id or type -1, id present).
    int AddColumn(int columnId, int type, int width, int justify, const wchar_t* header);
    // Key down, key up, delay, delay selected, mouse, mouse selected.
    void SetEventBitmaps(HBITMAP const bitmaps[6]);

    bool SetEvents(const std::vector<MacroEvent>& events);
    const std::vector<MacroEvent>& GetEvents() const { return m_events; }
    void DeleteAllEvents();
    bool ToggleRecording();
    bool IsRecording() const { return m_recording; }
    void StartPlayback(const std::vector<MacroEvent>& events);
    // Ends a playback early and clears the rows, without telling the owner.
    void StopPlayback();
    bool ReplaceEvent(int row, const MacroEvent& e);
    void DeselectItem();
    void SetToolTip(const CString& key) { m_tip.Set(this, key); }
    void Show(bool show) override;
    void SetBorderColour(COLORREF c);
    // Font height + 4 (19 without a usable font): a page of the scroll bar.
    int RowHeight() const { return m_rowHeight; }
    CVScrollBar* ScrollBar() const { return m_scroll.get(); }

    void SetNoDelays(bool on) { m_delays.SetNoDelays(on); }
    bool GetNoDelays() const { return m_delays.NoDelays(); }
    void SetFixedDelay(bool on, DWORD ms) { m_delays.SetFixedDelay(on, ms); }
    bool GetFixedDelay() const { return m_delays.FixedDelay(); }
    DWORD FixedDelayMs() const { return m_delays.FixedDelayMs(); }
    // What "$InsertDelay" inserts; the recording's fixed delay is its own.
    void SetInsertDelay(DWORD ms) { m_insertDelayMs = ms; }
    DWORD InsertDelay() const { return m_insertDelayMs; }
    // The most events the list holds (0: no limit). A recording stops
    // taking events there and tells the owner (WM_MACRO_RECORD_FULL, once
    // per recording); "$InsertDelay" inserts nothing once it is reached.
    void SetEventLimit(size_t limit) { m_eventLimit = limit; }
    void SetContextLists(CListPanelItem* keyRows, CListPanelItem* mouseRows, CListPanelItem* delayRows);
    void SetRecordingButton(HWND button) { m_recordingButton = button; }

    // Raw input after it was read from WM_INPUT (tests feed these directly).
    void RecordRawKeyboard(const RAWKEYBOARD& raw);
    void RecordRawMouse(const RAWMOUSE& raw);
    // Runs a context command on the selected row, as the context list does.
    void RunContextCommand(const CString& text);

    // Where the recording takes the time from (tests script it).
    DWORD (*m_tick)() = &TickNow;

    int m_max = 0;
    bool m_readOnly = false;
    int m_borderWidth = 1;
    int m_leftMargin = 0;
    HFONT m_font = nullptr;
    COLORREF m_textColour = 0xFFFFFF, m_selTextColour = 0, m_backColour = 0, m_selBackColour = 0xFFFFFF,
             m_borderColour = 0xFFFFFF;

protected:
    static DWORD TickNow() { return ::GetTickCount(); }
    BOOL PreTranslateMessage(MSG* msg) override;
    void OnRawInput(UINT code, HRAWINPUT input);
    void OnLButtonDown(UINT flags, CPoint p);
    void OnRButtonDown(UINT flags, CPoint p);
    void OnMouseMove(UINT flags, CPoint p);
    void OnVScroll(UINT code, UINT pos, CWnd* bar);
    BOOL OnMouseWheel(UINT, short delta, CPoint);
    WheelLines m_wheel;
    void OnTimer(UINT_PTR id);
    BOOL OnEraseBkgnd(CDC* dc);
    void OnPaint();
    void OnNcCalcSize(BOOL calc, NCCALCSIZE_PARAMS* p);
    void OnDestroy();
    void OnCustomDraw(NMHDR* nm, LRESULT* result);
    void OnBeginLabelEdit(NMHDR* nm, LRESULT* result);
    void OnEndLabelEdit(NMHDR* nm, LRESULT* result);
    void OnDeleteAllItems(NMHDR* nm, LRESULT* result);
    LRESULT OnPrintClient(WPARAM w, LPARAM);

    // One row of the list alone, without its event.
    int InsertListRow(const CString& text, DWORD_PTR data, int position);
    int InsertEventRow(const MacroEvent& e, bool repaint, int position);
    // Adds events at the end in one pass: the last selected and in view.
    void AppendEvents(const MacroEvent* first, const MacroEvent* last);
    // secondsWord: the delays' word, when the caller has looked it up.
    CString EventText(const MacroEvent& e, DWORD_PTR& data, const CString* secondsWord = nullptr) const;
    void RecordEvent(const MacroEvent& e);
    void PlaybackStep();
    void NotifyOwner(UINT msg);
    int Selected() const { return GetNextItem(-1, LVNI_SELECTED); }
    void SelectRow(int row);
    void DrawCell(HDC dc, int row, int column, const RECT& cell);
    // The list paints itself into an off-screen surface, put on target at once.
    void PaintBuffered(HDC target);
    // The height the list gives its rows (they scroll in these steps).
    int ListRowHeight();
    bool PointOverScrollBar(POINT listPoint) const;
    void ReleaseHoverCapture();

    CListColumnBook<int> m_columns{2};  // record: justification
    CBitmap m_bitmaps[6];
    CImageList m_images;
    CWidgetToolTip m_tip;
    std::unique_ptr<CGenericPanel> m_panel;
    std::unique_ptr<CVScrollBar> m_scroll;
    std::vector<MacroEvent> m_events;
    MacroKeyRepeatFilter m_repeat;
    MacroDelayPolicy m_delays;
    std::vector<MacroEvent> m_playback;
    size_t m_playPos = 0;
    bool m_recording = false;
    bool m_full = false;
    bool m_editing = false;
    bool m_paintDeferred = false;  // an invalidate follows: paint nothing now
    DWORD m_insertDelayMs = 50;
    size_t m_eventLimit = 0;
    int m_rowHeight = 19;
    HWND m_recordingButton = nullptr;
    CListPanelItem* m_contextKey = nullptr;
    CListPanelItem* m_contextMouse = nullptr;
    CListPanelItem* m_contextDelay = nullptr;
    CFont m_bold;

    DECLARE_MESSAGE_MAP()
};
