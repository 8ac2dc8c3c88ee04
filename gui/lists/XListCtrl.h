// CXListCtrl: the skinned multi-column list (the profile list): text,
// check-box (optionally one-of-many), choice, progress and edited cells,
// context commands, a painted header and the owner notifications of a row.
#pragma once
#include <memory>
#include <vector>

#include "CommonControls.h"
#include "Controls.h"
#include "GUIItem.h"
#include "GenericPanel.h"
#include "ListColumnBook.h"
#include "VScrollBar.h"
#include "WidgetToolTip.h"
#include "XComboList.h"
#include "XHeaderCtrl.h"
#include "XListChoice.h"
#include "ListScrollRules.h"

class CListPanelItem;

enum ListColumnType { kColIcon = 0, kColStatic = 1, kColEdit = 2, kColCombo = 3, kColCheckBox = 4, kColFileDialog = 5 };
constexpr int LCITEM_PROFILENAME = 2;
constexpr int LCITEM_PROFILEEXE = 3;

struct XListColumn {
    int type = kColStatic;
    int width = 0;
    HBITMAP unchecked = nullptr, checked = nullptr, mask = nullptr;  // SBMN, SBMD, SBMM
    bool exclusive = false;
    CString header;
    CString tooltip;
};

// lParam of the cell notifications; sent, so `value` is valid during the call.
struct XListCellNotify {
    int rowKey;
    int column;
    LPARAM value;  // a text (const wchar_t*) or a state byte (const BYTE*)
};

// The open-file dialog of "$AssignApplication", replaceable for tests: true
// with the chosen path.
using XListFileDialogRunner = bool (*)(CWnd* parent, CString& path);
void SetXListFileDialogRunner(XListFileDialogRunner runner);

class CXListCtrl : public CListCtrl, public CGUIItem {
public:
    // Timers of a pressed choice cell and its drop-down list.
    enum : UINT_PTR { kPressTimer = 1, kCloseTimer = 2, kChooseTimer = 3, kFollowTimer = 4 };
    static constexpr UINT kPressPeriod = 100, kChoosePeriod = 50;
    // Posted by the drawing of a pressed choice cell: the drop-down opens
    // once the paint is over, not from inside it.
    static constexpr UINT kOpenDropDownMessage = WM_APP + 0x142;

    CXListCtrl();
    ~CXListCtrl() override;

    // The list inside its border panel (with the panel picture when given),
    // narrowed by the scroll bar beside it.
    BOOL Create(CWnd* parent, const RECT& r, int id, DWORD style, std::unique_ptr<CVScrollBar> bar = nullptr,
                int barWidth = 0, const PanelImage* picture = nullptr);
    // -1 when refused: id or type -1, id present, or ten columns already.
    int AddColumn(int columnId, const XListColumn& column);
    int InsertRow(int index);
    bool SetCellText(int rowKey, int columnId, const wchar_t* text);
    CString GetCellText(int rowKey, int columnId) const;
    bool GetNameText(int rowKey, CString& out) const;
    // Sets a check state (-1 none, 0, 1) and refreshes the header's mark.
    bool SetCellData(int rowKey, int columnId, int check);
    int GetCellData(int rowKey, int columnId) const;
    // A progress cell: a framed bar filled to percent (0-100), with the
    // percent drawn over it in format (default "%d%%") when asked.
    bool SetCellProgress(int rowKey, int columnId, int percent, bool showPercent, const wchar_t* format = nullptr);
    // A choice cell: its drop-down entries and how many show at once (below
    // 1: all of them).
    bool SetCellChoices(int rowKey, int columnId, const std::vector<CString>& entries, int visibleEntries);
    // A row's own text, background, selected text and selected background.
    bool SetRowColours(int rowKey, COLORREF text, COLORREF back, COLORREF selText, COLORREF selBack);
    int FindRowByKey(int key) const;
    int GetFirstSelected() const { return GetNextItem(-1, LVNI_SELECTED); }
    int GetSelectedKey() const;
    int FindColumn(int position) const { return m_columns.IdAt(position); }
    int ColumnCount() const { return m_columns.Count(); }
    void SetContextList(CListPanelItem* list) { m_context = list; }
    void Show(bool show) override;

    // In-place editing of a cell; EndEdit commits when asked.
    bool StartEdit(int rowKey, int columnId);
    void EndEdit(bool commit);
    CEdit* Editor() { return m_edit.get(); }
    void RunContextCommand(int rowKey, const CString& text);
    // Sorts by the name column without regard to case.
    void SortByName();
    BOOL PreTranslateMessage(MSG* msg) override;
    // Columns cannot be resized: the header's begin-track is refused.
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

    CXHeaderCtrl& Header() { return m_header; }
    CGenericPanel* BorderPanel() { return m_panel.get(); }
    CVScrollBar* ScrollBarWnd() { return m_scroll.get(); }
    const XListPressedCell& PressedCell() const { return m_pressed; }
    CXComboList* DropDown() { return m_dropDown.get(); }
    CWidgetToolTip& ToolTip() { return m_tip; }
    // The column (position) whose tooltip was shown last, for all lists.
    static int LastToolTipColumn();
    // Cell rectangle in client coordinates (position 0 is only its column).
    bool CellRect(int index, int position, RECT& out) const;

    COLORREF m_textColour = 0xFFFFFF, m_selTextColour = 0, m_backColour = 0, m_selBackColour = 0xFFFFFF,
             m_borderColour = 0xFFFFFF;
    int m_borderWidth = 1;
    bool m_sorted = false;
    HFONT m_font = nullptr;
    // LISTHDR colours, given to the header when it is bound.
    COLORREF m_headerBackColour = 0xFEFEFE, m_headerTextColour = 0xFFFFFF;

protected:
    struct Row {
        int key;
        std::vector<CString> text;  // by position
        std::vector<int> check;     // by position: -1 no check box
        struct Progress {
            bool on = false;
            int percent = 0;
            bool showPercent = false;
            CString format = L"%d%%";
        };
        std::vector<Progress> progress;  // by position
        struct Choice {
            bool on = false;
            int visible = 0;
            std::vector<CString> entries;
        };
        std::vector<Choice> choice;  // by position
        COLORREF textColour = 0, backColour = 0, selTextColour = 0, selBackColour = 0;  // the row's own
        void Resize(size_t columns);
    };
    Row* RowOfKey(int key);
    const Row* RowOfKey(int key) const;
    Row* RowAt(int index) const;
    void ClickCheckBox(int index, int position);
    // Header check marks: only non-exclusive check-box columns carry one.
    bool HasHeaderCheckMark(int position) const;
    void RefreshHeaderCheck(int position);
    void Notify(UINT msg, WPARAM w, LPARAM l);
    void NotifyCellChanged(int rowKey, int position, const CString& text);

    int OnCreate(LPCREATESTRUCTW cs);
    void OnLButtonDown(UINT flags, CPoint p);
    void OnRButtonDown(UINT flags, CPoint p);
    void OnLButtonDblClk(UINT flags, CPoint p);
    void OnDestroy();
    void OnNcCalcSize(BOOL calc, NCCALCSIZE_PARAMS* p);
    BOOL OnMouseWheel(UINT flags, short delta, CPoint p);
    WheelLines m_wheel;
    void OnVScroll(UINT code, UINT pos, CWnd* bar);
    void OnTimer(UINT_PTR id);
    void OnCustomDraw(NMHDR* nm, LRESULT* result);
    static int CALLBACK CompareNames(LPARAM a, LPARAM b, LPARAM self);

    // Drawing (XListCtrlDraw.cpp).
    void DrawCell(HDC dc, int index, int position, const RECT& r);
    void DrawProgress(CDC& dc, const Row::Progress& p, const RECT& cell, COLORREF fore, COLORREF back);
    void DrawCheckBox(CDC& dc, const XListColumn& col, int check, const RECT& cell, COLORREF fore);
    void DrawChoiceBox(CDC& dc, const CString& text, const RECT& cell, COLORREF fore, COLORREF back);
    void DrawText(CDC& dc, const CString& text, const RECT& cell, COLORREF fore);

    // Choice cells (XListCtrlChoice.cpp).
    bool ClickChoiceCell(int index, int position, POINT p);
    LRESULT OnOpenDropDown(WPARAM, LPARAM);
    void OpenDropDown();
    void CloseDropDown();
    void ChooseFromDropDown(bool close);
    void PressTick();
    LRESULT OnComboReturn(WPARAM, LPARAM);
    LRESULT OnComboEscape(WPARAM, LPARAM);
    LRESULT OnComboKeyDown(WPARAM, LPARAM);
    LRESULT OnComboButtonUp(WPARAM, LPARAM);

    CListColumnBook<XListColumn> m_columns{10};
    std::vector<std::unique_ptr<Row>> m_rows;  // owned; each list item's data points at one
    std::unique_ptr<CGenericPanel> m_panel;
    std::unique_ptr<CVScrollBar> m_scroll;
    std::unique_ptr<CEdit> m_edit;
    CImageList m_images;
    CXHeaderCtrl m_header;
    CWidgetToolTip m_tip;
    CListPanelItem* m_context = nullptr;
    int m_editRow = -1, m_editColumn = -1;
    int m_rowHeight = 16;
    XListPressedCell m_pressed;
    std::unique_ptr<CXComboList> m_dropDown;
    RECT m_dropDownRect{};  // screen
    bool m_openPosted = false;
    int m_pressTicks = 0;

    DECLARE_MESSAGE_MAP()
};
