// CDropdownListItem: the skinned drop-down choice box. A framed box with the
// current entry's text ("choice: sub-choice" when a sub-list chose) and a
// down arrow; a click opens a list-panel pop-up under it.
#pragma once
#include "Controls.h"
#include "GUIItem.h"
#include "ListPanel.h"
#include "WidgetToolTip.h"

class CDropdownListItem : public CStatic, public CGUIItem {
public:
    CDropdownListItem();
    ~CDropdownListItem() override;

    BOOL Create(CWnd* parent, const RECT& r, int id);

    int AddString(const wchar_t* text, CListPanelItem* subList = nullptr);
    int AddItem(const ListPanelEntry& e);
    // Inserts before i; refused for i < 0 and for i past the end.
    bool InsertString(int i, const wchar_t* text);
    void ResetContent();
    CString GetItemText(int i) const { return ListPanelRowText(m_entries, i); }
    int FindItem(const ListPanelEntry& e) const { return FindListPanelRow(m_entries, e); }
    int GetCount() const { return (int)m_entries.size(); }
    int GetCurSel() const { return ListPanelRowOfText(m_entries, m_current); }
    // The current entry's index; out: the display text after it.
    int GetCurSelText(CString& display) const;
    // 0 (nothing changed) when i is out of range.
    int SetCurSel(int i, const wchar_t* display = nullptr);
    // No entry is current any more (the box shows nothing).
    void ClearCurSel();
    const CString& CurrentText() const { return m_current; }
    const CString& DisplayText() const { return m_display; }
    void SetToolTip(const CString& key);
    void SetDisabled(bool disabled);
    bool IsDisabled() const { return m_disabled; }
    bool IsOpen() const { return m_open; }
    const ListPanelRows& Entries() const { return m_entries; }

    // Colours: text, background, border, arrow, and the disabled set.
    COLORREF m_textColour = 0xFEFEFE, m_backColour = 0, m_borderColour = 0xFFFFFF, m_arrowColour = 0xFFFFFF;
    COLORREF m_textHiColour = 0, m_backHiColour = 0xFFFFFF;
    COLORREF m_disTextColour = 0x808080, m_disBackColour = 0, m_disBorderColour = 0x808080;
    // The highlight the colour box draws with while the flag is set.
    COLORREF m_highlightColour = 0xFFFFFF;
    bool m_highlight = false;
    HBITMAP m_mask = nullptr;  // drawn over the colour box, pure red transparent
    int m_borderWidth = 1;
    int m_leftMargin = 0, m_rightMargin = 0;
    HFONT m_font = nullptr;
    bool m_sorted = false;
    int m_listHeight = 100;
    ListPanelScrollSettings m_scroll;

protected:
    BOOL PreTranslateMessage(MSG* msg) override;
    void OnLButtonDown(UINT, CPoint);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    LRESULT OnPrintClient(WPARAM w, LPARAM);
    virtual void Draw(HDC dc);
    void NotifyParent(UINT msg, WPARAM w);
    ListPanelLook PopupLook() const;

    ListPanelRows m_entries;
    CString m_current;
    CString m_display;
    CWidgetToolTip m_tip;
    bool m_disabled = false;
    bool m_open = false;

    DECLARE_MESSAGE_MAP()
};
