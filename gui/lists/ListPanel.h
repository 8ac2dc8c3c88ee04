// List panels: skinned lists of text rows, shown in place on a page
// (CListPanelStatic) or as a modal pop-up at a point (CListPanel holding a
// CListPanelList) that returns the chosen row. CListPanelItem is the skin
// item that holds the rows and the look of both forms.
#pragma once
#include <windows.h>

#include <memory>

#include "CommonControls.h"
#include "Dialog.h"
#include "GUIItem.h"
#include "ListPanelEntry.h"
#include "ListScrollRules.h"

// The ten colours of the skin's colour set.
struct ListPanelColours {
    COLORREF text = 0, textHover = 0xFFFFFF, textSelected = 0xFFFFFF, textDisabled = 0x808080;
    COLORREF back = 0xFFFFFF, backHover = 0, backSelected = 0, backDisabled = 0xFFFFFF;
    COLORREF border = 0, borderDisabled = 0;
};

// The VSCROLL settings a list makes its own scroll bar from.
struct ListPanelScrollSettings {
    HBITMAP bitmaps[6] = {};  // top end, bottom end, arrow up, arrow down, span, thumb
    int borderWidth = 0;
    int width = 0;  // 0: no scroll bar
};

// Everything a list needs to draw itself.
struct ListPanelLook {
    ListPanelColours colours;
    int borderWidth = 1;
    int leftMargin = 0;
    int rightMargin = 0;
    HFONT font = nullptr;
    ListPanelScrollSettings scroll;
};

// Fixed row height of every list panel list.
constexpr int kListPanelRowHeight = 18;

// ---- the pop-up seam --------------------------------------------------------

struct ListPanelPopupRequest {
    CWnd* owner = nullptr;
    RECT screenRect{};
    const ListPanelRows* rows = nullptr;
    bool sorted = false;
    const ListPanelLook* look = nullptr;
    int templateId = -1;
};
struct ListPanelPopupResult {
    int row = -1;     // the chosen row's index in the rows handed in; -1 dismissed
    int subRow = -1;  // the row chosen in that row's sub-list; -1 none
};
using ListPanelPopupRunner = ListPanelPopupResult (*)(const ListPanelPopupRequest&);
// Tests replace the modal pop-up with a scripted answer; null restores it.
void SetListPanelPopupRunner(ListPanelPopupRunner runner);
ListPanelPopupResult RunListPanelPopup(const ListPanelPopupRequest& request);

// The dialog template ids of all list-panel pop-ups and of all drop-down
// pop-ups: -1 until the program's start-up sets them.
extern int g_listPanelPopupTemplateId;
extern int g_dropdownPopupTemplateId;

// ---- the lists ----------------------------------------------------------------

class CListPanelList : public CListCtrl {
public:
    CListPanelList() = default;
    ~CListPanelList() override;

    BOOL Create(CWnd* parent, const RECT& r, UINT id, const ListPanelLook& look);
    // Shows the rows (in display order when sorted). Rows whose sub-list is
    // empty become disabled.
    void SetRows(const ListPanelRows& rows, bool sorted);
    const ListPanelRows& Rows() const { return m_rows; }
    // Own row index of a display position, -1 when out of range.
    int RowAtDisplay(int display) const;
    int DisplayOfRow(int row) const;
    int RowAtPoint(POINT client) const;

    virtual bool HitTestScrollBar(POINT p) const;

    int Hovered() const { return m_hovered; }
    int ChosenSubRow() const { return m_chosenSub; }
    void SetMarked(int row);  // the selected row of an in-page list
    int Marked() const { return m_marked; }
    void SetToolTipText(const CString& text) { m_tooltip = text; }
    void SetRowDisabled(int row, bool disabled);

protected:
    void SetHovered(int row);
    void UpdateRowTooltip(POINT p, bool popupRules);
    void OnCustomDraw(NMHDR* nm, LRESULT* result);
    void DrawRow(HDC dc, int display, const RECT& rowRect);
    BOOL OnEraseBkgnd(CDC* dc);
    void OnNcCalcSize(BOOL calc, NCCALCSIZE_PARAMS* p);
    BOOL OnMouseWheel(UINT, short delta, CPoint);
    WheelLines m_wheel;
    LRESULT OnPrintClient(WPARAM w, LPARAM);

    ListPanelRows m_rows;
    std::vector<int> m_order;
    ListPanelLook m_look;
    int m_hovered = -1;
    int m_chosenSub = -1;
    int m_marked = -1;
    bool m_clicked = false;
    CString m_tooltip;
    CToolTipCtrl m_tip;
    bool m_toolAdded = false;
    CImageList m_rowHeight;

    DECLARE_MESSAGE_MAP()
};

// The pop-up form's list: hover, click with a short delay, sub-lists.
class CListPanelPopupList : public CListPanelList {
public:
    BOOL PreTranslateMessage(MSG* msg) override;
    // Where the result goes (the pop-up window).
    HWND m_resultWindow = nullptr;
    // Tests turn this off: on a shared test desktop other programs take the
    // focus at any time, so tests deliver focus losses themselves.
    static bool s_dismissOnFocusLoss;
    CWnd* m_popupOwner = nullptr;

protected:
    void OnMouseMove(UINT, CPoint p);
    void OnLButtonDown(UINT, CPoint p);
    void OnRButtonDown(UINT, CPoint);
    void OnTimer(UINT_PTR id);
    void OnKillFocus(CWnd* next);
    void OnKeyDown(UINT vk, UINT, UINT);
    void PostChosen(WPARAM sub, LPARAM row);
    bool m_subOpen = false;
    DECLARE_MESSAGE_MAP()
};

// The in-page form.
class CListPanelStatic : public CListPanelList {
public:
    BOOL PreTranslateMessage(MSG* msg) override;
    LPARAM m_itemValue = 0;  // reported with each click

protected:
    void OnMouseMove(UINT, CPoint p);
    void OnLButtonDown(UINT, CPoint p);
    void OnMouseLeave();
    DECLARE_MESSAGE_MAP()
};

// The modal pop-up: a framed window at a screen rectangle holding one
// pop-up list; ends with the chosen row (-1 dismissed).
class CListPanel : public CDialog {
public:
    explicit CListPanel(const ListPanelPopupRequest& request);
    ~CListPanel() override;
    INT_PTR DoModal() override;
    int ChosenSubRow() const { return m_chosenSub; }
    CListPanelPopupList& List() { return m_list; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override { EndDialog(-1); }
    LRESULT OnChosen(WPARAM sub, LPARAM row);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    LRESULT OnPrintClient(WPARAM w, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    ListPanelPopupRequest m_request;
    CDialogTemplate m_template;
    CListPanelPopupList m_list;
    int m_chosenSub = -1;
};

// ---- the skin item --------------------------------------------------------------

class CListPanelItem : public CGUIItem {
public:
    CListPanelItem();
    ~CListPanelItem() override;

    // The in-page list inside the item's rectangle (non-dynamic panels).
    bool Create(CWnd* parent, const RECT& rect, int id);
    void SetRows(const ListPanelRows& rows);  // rebuilt: all start enabled
    const ListPanelRows& Rows() const { return m_rows; }
    int RowCount() const { return (int)m_rows.size(); }
    // Disables or enables a row of this panel (kept until the rows are set again).
    bool SetRowDisabled(int i, bool disabled);
    void FillList();
    void SetCaption(const CString& text);
    const CString& Caption() const { return m_caption; }
    void Show(bool show) override;
    int FindRow(const ListPanelEntry& e) const { return FindListPanelRow(m_rows, e); }
    CString GetRowText(int i) const { return ListPanelRowText(m_rows, i); }
    int GetCurSel() const { return ListPanelRowOfText(m_rows, m_caption); }
    bool SetCurSel(int i);

    // Opens the pop-up at the owner's client point, `height` high (the
    // default height when 0); the chosen row's index, -1 when dismissed.
    int ShowPopup(int height, CWnd* owner, int x, int y);
    // The sub-row chosen in the last pop-up (-1 none).
    int LastChosenSubRow() const { return m_lastSub; }

    CListPanelStatic* StaticList() { return m_static.get(); }

    ListPanelLook m_look;
    bool m_sorted = false;
    bool m_dynamic = true;
    int m_width = 150;
    int m_defaultHeight = 100;
    CString m_tooltip;
    RECT m_rect{};

private:
    CString m_caption;
    ListPanelRows m_rows;
    std::unique_ptr<CListPanelStatic> m_static;
    int m_lastSub = -1;
};

int ListPanelItemRowCount(const CListPanelItem* item);
