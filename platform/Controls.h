// Wrappers of the standard controls (static, button, edit, list box, scroll
// bar). Each is a CWnd whose Create makes a window of the system class.
#pragma once
#include "Wnd.h"

class CStatic : public CWnd {
public:
    BOOL Create(const wchar_t* text, DWORD style, const RECT& r, CWnd* parent, UINT id = 0xFFFF) {
        return CreateEx(0, L"STATIC", text, style | WS_CHILD, r, parent, id);
    }
    HBITMAP SetBitmap(HBITMAP bm) { return (HBITMAP)SendMessage(STM_SETIMAGE, IMAGE_BITMAP, (LPARAM)bm); }
    HICON SetIcon(HICON icon) { return (HICON)SendMessage(STM_SETICON, (WPARAM)icon); }
};

class CButton : public CWnd {
public:
    BOOL Create(const wchar_t* text, DWORD style, const RECT& r, CWnd* parent, UINT id) {
        return CreateEx(0, L"BUTTON", text, style | WS_CHILD, r, parent, id);
    }
    int GetCheck() const { return (int)SendMessage(BM_GETCHECK); }
    void SetCheck(int check) { SendMessage(BM_SETCHECK, (WPARAM)check); }
    UINT GetState() const { return (UINT)SendMessage(BM_GETSTATE); }
    void SetState(BOOL highlight) { SendMessage(BM_SETSTATE, highlight); }
    UINT GetButtonStyle() const { return (UINT)GetStyle() & 0xFF; }
    void SetButtonStyle(UINT style, BOOL redraw = TRUE) { SendMessage(BM_SETSTYLE, style, redraw); }
    HBITMAP SetBitmap(HBITMAP bm) { return (HBITMAP)SendMessage(BM_SETIMAGE, IMAGE_BITMAP, (LPARAM)bm); }
    // Owner-drawn buttons override this; the parent reflects WM_DRAWITEM.
    virtual void DrawItem(LPDRAWITEMSTRUCT) {}
};

class CEdit : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& r, CWnd* parent, UINT id) {
        return CreateEx(0, L"EDIT", L"", style | WS_CHILD, r, parent, id);
    }
    void SetSel(int start, int end, BOOL noScroll = FALSE) {
        SendMessage(EM_SETSEL, (WPARAM)start, (LPARAM)end);
        if (!noScroll) SendMessage(EM_SCROLLCARET);
    }
    void GetSel(int& start, int& end) const {
        DWORD s = 0, e = 0;
        SendMessage(EM_GETSEL, (WPARAM)&s, (LPARAM)&e);
        start = (int)s;
        end = (int)e;
    }
    void ReplaceSel(const wchar_t* text, BOOL canUndo = FALSE) { SendMessage(EM_REPLACESEL, canUndo, (LPARAM)text); }
    void SetLimitText(UINT max) { SendMessage(EM_SETLIMITTEXT, max); }
    void LimitText(int max = 0) { SendMessage(EM_LIMITTEXT, (WPARAM)max); }
    UINT GetLimitText() const { return (UINT)SendMessage(EM_GETLIMITTEXT); }
    void SetReadOnly(BOOL readOnly = TRUE) { SendMessage(EM_SETREADONLY, readOnly); }
    void SetMargins(UINT left, UINT right) { SendMessage(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(left, right)); }
};

class CListBox : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& r, CWnd* parent, UINT id) {
        return CreateEx(0, L"LISTBOX", L"", style | WS_CHILD, r, parent, id);
    }
    int GetCount() const { return (int)SendMessage(LB_GETCOUNT); }
    int AddString(const wchar_t* s) { return (int)SendMessage(LB_ADDSTRING, 0, (LPARAM)s); }
    int InsertString(int index, const wchar_t* s) { return (int)SendMessage(LB_INSERTSTRING, (WPARAM)index, (LPARAM)s); }
    int DeleteString(UINT index) { return (int)SendMessage(LB_DELETESTRING, index); }
    void ResetContent() { SendMessage(LB_RESETCONTENT); }
    int GetCurSel() const { return (int)SendMessage(LB_GETCURSEL); }
    int SetCurSel(int index) { return (int)SendMessage(LB_SETCURSEL, (WPARAM)index); }
    int GetTextLen(int index) const { return (int)SendMessage(LB_GETTEXTLEN, (WPARAM)index); }
    CString GetText(int index) const {
        CString s;
        int n = GetTextLen(index);
        if (n > 0) {
            SendMessage(LB_GETTEXT, (WPARAM)index, (LPARAM)s.GetBuffer(n + 1));
            s.ReleaseBuffer();
        }
        return s;
    }
    DWORD_PTR GetItemData(int index) const { return (DWORD_PTR)SendMessage(LB_GETITEMDATA, (WPARAM)index); }
    int SetItemData(int index, DWORD_PTR data) { return (int)SendMessage(LB_SETITEMDATA, (WPARAM)index, (LPARAM)data); }
    int SetItemHeight(int index, UINT h) { return (int)SendMessage(LB_SETITEMHEIGHT, (WPARAM)index, MAKELPARAM(h, 0)); }
    int GetItemHeight(int index) const { return (int)SendMessage(LB_GETITEMHEIGHT, (WPARAM)index); }
    int GetItemRect(int index, RECT* r) const { return (int)SendMessage(LB_GETITEMRECT, (WPARAM)index, (LPARAM)r); }
    int GetTopIndex() const { return (int)SendMessage(LB_GETTOPINDEX); }
    int SetTopIndex(int index) { return (int)SendMessage(LB_SETTOPINDEX, (WPARAM)index); }
    // Index of the item at a client point; outside set when the point is past the items.
    UINT ItemFromPoint(CPoint p, BOOL& outside) const {
        DWORD r = (DWORD)SendMessage(LB_ITEMFROMPOINT, 0, MAKELPARAM(p.x, p.y));
        outside = HIWORD(r) != 0;
        return LOWORD(r);
    }
    virtual void DrawItem(LPDRAWITEMSTRUCT) {}
    virtual void MeasureItem(LPMEASUREITEMSTRUCT) {}
};

class CScrollBar : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& r, CWnd* parent, UINT id) {
        return CreateEx(0, L"SCROLLBAR", L"", style | WS_CHILD, r, parent, id);
    }
    int GetScrollPos() const { return ::GetScrollPos(m_hWnd, SB_CTL); }
    int SetScrollPos(int pos, BOOL redraw = TRUE) { return ::SetScrollPos(m_hWnd, SB_CTL, pos, redraw); }
    void SetScrollRange(int minPos, int maxPos, BOOL redraw = TRUE) { ::SetScrollRange(m_hWnd, SB_CTL, minPos, maxPos, redraw); }
    BOOL SetScrollInfo(SCROLLINFO* si, BOOL redraw = TRUE) {
        si->cbSize = sizeof(SCROLLINFO);
        ::SetScrollInfo(m_hWnd, SB_CTL, si, redraw);
        return TRUE;
    }
    BOOL GetScrollInfo(SCROLLINFO* si, UINT mask = SIF_ALL) const {
        si->cbSize = sizeof(SCROLLINFO);
        si->fMask = mask;
        return ::GetScrollInfo(m_hWnd, SB_CTL, si);
    }
};
