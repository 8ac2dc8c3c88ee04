// Wrappers of the common controls: list view and its header, tooltips,
// the animation control and image lists. Sizes of the records passed to
// them come from sizeof, never from fixed byte counts.
#pragma once
#include "Wnd.h"
#include <commctrl.h>

class CImageList {
public:
    CImageList() = default;
    ~CImageList() { DeleteImageList(); }
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    operator HIMAGELIST() const { return m_hImageList; }
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    BOOL Create(int cx, int cy, UINT flags, int initial, int grow) {
        if (m_hImageList) return FALSE;
        m_hImageList = ImageList_Create(cx, cy, flags, initial, grow);
        return m_hImageList != nullptr;
    }
    BOOL Attach(HIMAGELIST h) { if (m_hImageList || !h) return FALSE; m_hImageList = h; return TRUE; }
    HIMAGELIST Detach() { HIMAGELIST h = m_hImageList; m_hImageList = nullptr; return h; }
    BOOL DeleteImageList() {
        if (!m_hImageList) return FALSE;
        return ImageList_Destroy(Detach());
    }
    int Add(HBITMAP bm, HBITMAP mask) { return ImageList_Add(m_hImageList, bm, mask); }
    int Add(HBITMAP bm, COLORREF maskColor) { return ImageList_AddMasked(m_hImageList, bm, maskColor); }
    int Add(HICON icon) { return ImageList_AddIcon(m_hImageList, icon); }
    int GetImageCount() const { return ImageList_GetImageCount(m_hImageList); }
    BOOL Draw(HDC dc, int image, POINT p, UINT style) { return ImageList_Draw(m_hImageList, image, dc, p.x, p.y, style); }

    HIMAGELIST m_hImageList = nullptr;
};

class CHeaderCtrl : public CWnd {
public:
    int GetItemCount() const { return (int)SendMessage(HDM_GETITEMCOUNT); }
    BOOL GetItemRect(int index, RECT* r) const { return (BOOL)SendMessage(HDM_GETITEMRECT, (WPARAM)index, (LPARAM)r); }
    BOOL GetItem(int index, HDITEMW* item) const { return (BOOL)SendMessage(HDM_GETITEMW, (WPARAM)index, (LPARAM)item); }
    BOOL SetItem(int index, HDITEMW* item) { return (BOOL)SendMessage(HDM_SETITEMW, (WPARAM)index, (LPARAM)item); }
};

class CListCtrl : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& r, CWnd* parent, UINT id) {
        return CreateEx(0, WC_LISTVIEWW, L"", style | WS_CHILD, r, parent, id);
    }
    DWORD GetExtendedStyle() const { return (DWORD)SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE); }
    DWORD SetExtendedStyle(DWORD style) { return (DWORD)SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, (LPARAM)style); }
    CHeaderCtrl* GetHeaderCtrl() const {
        HWND h = (HWND)SendMessage(LVM_GETHEADER);
        if (!h) return nullptr;
        if (!m_header.m_hWnd || m_header.m_hWnd != h) {
            if (m_header.m_hWnd) m_header.Detach();
            if (!m_header.Attach(h)) return nullptr;
        }
        return &m_header;
    }
    int InsertColumn(int index, const wchar_t* heading, int format = LVCFMT_LEFT, int width = -1, int subItem = -1) {
        LVCOLUMNW c{};
        c.mask = LVCF_TEXT | LVCF_FMT;
        c.fmt = format;
        c.pszText = const_cast<wchar_t*>(heading);
        if (width != -1) { c.mask |= LVCF_WIDTH; c.cx = width; }
        if (subItem != -1) { c.mask |= LVCF_SUBITEM; c.iSubItem = subItem; }
        return (int)SendMessage(LVM_INSERTCOLUMNW, (WPARAM)index, (LPARAM)&c);
    }
    BOOL DeleteColumn(int index) { return (BOOL)SendMessage(LVM_DELETECOLUMN, (WPARAM)index); }
    int GetColumnWidth(int index) const { return (int)SendMessage(LVM_GETCOLUMNWIDTH, (WPARAM)index); }
    BOOL SetColumnWidth(int index, int cx) { return (BOOL)SendMessage(LVM_SETCOLUMNWIDTH, (WPARAM)index, MAKELPARAM(cx, 0)); }
    int GetItemCount() const { return (int)SendMessage(LVM_GETITEMCOUNT); }
    int InsertItem(int index, const wchar_t* text) {
        LVITEMW it{};
        it.mask = LVIF_TEXT;
        it.iItem = index;
        it.pszText = const_cast<wchar_t*>(text);
        return (int)SendMessage(LVM_INSERTITEMW, 0, (LPARAM)&it);
    }
    BOOL DeleteItem(int index) { return (BOOL)SendMessage(LVM_DELETEITEM, (WPARAM)index); }
    BOOL DeleteAllItems() { return (BOOL)SendMessage(LVM_DELETEALLITEMS); }
    BOOL SetItemText(int index, int sub, const wchar_t* text) {
        LVITEMW it{};
        it.iSubItem = sub;
        it.pszText = const_cast<wchar_t*>(text);
        return (BOOL)SendMessage(LVM_SETITEMTEXTW, (WPARAM)index, (LPARAM)&it);
    }
    CString GetItemText(int index, int sub) const {
        CString s;
        for (int size = 256;; size *= 2) {
            LVITEMW it{};
            it.iSubItem = sub;
            it.cchTextMax = size;
            it.pszText = s.GetBuffer(size);
            int n = (int)SendMessage(LVM_GETITEMTEXTW, (WPARAM)index, (LPARAM)&it);
            if (n < size - 1 || size >= 65536) {
                s.ReleaseBuffer(n);
                return s;
            }
        }
    }
    BOOL SetItemData(int index, DWORD_PTR data) {
        LVITEMW it{};
        it.mask = LVIF_PARAM;
        it.iItem = index;
        it.lParam = (LPARAM)data;
        return (BOOL)SendMessage(LVM_SETITEMW, 0, (LPARAM)&it);
    }
    DWORD_PTR GetItemData(int index) const {
        LVITEMW it{};
        it.mask = LVIF_PARAM;
        it.iItem = index;
        return SendMessage(LVM_GETITEMW, 0, (LPARAM)&it) ? (DWORD_PTR)it.lParam : 0;
    }
    BOOL SetItemState(int index, UINT state, UINT mask) {
        LVITEMW it{};
        it.state = state;
        it.stateMask = mask;
        return (BOOL)SendMessage(LVM_SETITEMSTATE, (WPARAM)index, (LPARAM)&it);
    }
    UINT GetItemState(int index, UINT mask) const { return (UINT)SendMessage(LVM_GETITEMSTATE, (WPARAM)index, (LPARAM)mask); }
    int GetNextItem(int start, int flags) const { return (int)SendMessage(LVM_GETNEXTITEM, (WPARAM)start, MAKELPARAM(flags, 0)); }
    BOOL GetItemRect(int index, RECT* r, UINT code) const {
        r->left = (LONG)code;
        return (BOOL)SendMessage(LVM_GETITEMRECT, (WPARAM)index, (LPARAM)r);
    }
    BOOL GetSubItemRect(int index, int sub, int area, RECT* r) const {
        r->top = sub;
        r->left = area;
        return (BOOL)SendMessage(LVM_GETSUBITEMRECT, (WPARAM)index, (LPARAM)r);
    }
    int HitTest(LVHITTESTINFO* info) const { return (int)SendMessage(LVM_HITTEST, 0, (LPARAM)info); }
    int SubItemHitTest(LVHITTESTINFO* info) { return (int)SendMessage(LVM_SUBITEMHITTEST, 0, (LPARAM)info); }
    BOOL EnsureVisible(int index, BOOL partialOk) { return (BOOL)SendMessage(LVM_ENSUREVISIBLE, (WPARAM)index, partialOk); }
    int GetTopIndex() const { return (int)SendMessage(LVM_GETTOPINDEX); }
    int GetCountPerPage() const { return (int)SendMessage(LVM_GETCOUNTPERPAGE); }
    BOOL RedrawItems(int first, int last) { return (BOOL)SendMessage(LVM_REDRAWITEMS, (WPARAM)first, (LPARAM)last); }
    BOOL SortItems(PFNLVCOMPARE compare, DWORD_PTR data) { return (BOOL)SendMessage(LVM_SORTITEMS, (WPARAM)data, (LPARAM)compare); }
    BOOL Scroll(CSize s) { return (BOOL)SendMessage(LVM_SCROLL, (WPARAM)s.cx, (LPARAM)s.cy); }
    HIMAGELIST SetImageList(HIMAGELIST list, int which) { return (HIMAGELIST)SendMessage(LVM_SETIMAGELIST, (WPARAM)which, (LPARAM)list); }
    COLORREF SetBkColor(COLORREF c) { return (COLORREF)SendMessage(LVM_SETBKCOLOR, 0, (LPARAM)c); }
    COLORREF SetTextBkColor(COLORREF c) { return (COLORREF)SendMessage(LVM_SETTEXTBKCOLOR, 0, (LPARAM)c); }
    COLORREF SetTextColor(COLORREF c) { return (COLORREF)SendMessage(LVM_SETTEXTCOLOR, 0, (LPARAM)c); }

private:
    mutable CHeaderCtrl m_header;
};

class CToolTipCtrl : public CWnd {
public:
    BOOL Create(CWnd* parent, DWORD style = 0) {
        return CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | style, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, parent ? parent->m_hWnd : nullptr, nullptr);
    }
    static TOOLINFOW MakeToolInfo(HWND owner, UINT_PTR id, const RECT* r, const wchar_t* text) {
        TOOLINFOW ti{};
        ti.cbSize = sizeof(TOOLINFOW);
        ti.uFlags = TTF_SUBCLASS;
        ti.hwnd = owner;
        ti.uId = id;
        if (r) ti.rect = *r;
        ti.lpszText = const_cast<wchar_t*>(text ? text : LPSTR_TEXTCALLBACKW);
        return ti;
    }
    BOOL AddTool(CWnd* wnd, const wchar_t* text, const RECT* r = nullptr, UINT_PTR id = 0) {
        TOOLINFOW ti = MakeToolInfo(wnd->m_hWnd, id, r, text);
        if (!r) { ti.uFlags |= TTF_IDISHWND; ti.uId = (UINT_PTR)wnd->m_hWnd; }
        return (BOOL)SendMessage(TTM_ADDTOOLW, 0, (LPARAM)&ti);
    }
    void DelTool(CWnd* wnd, UINT_PTR id = 0) {
        TOOLINFOW ti = MakeToolInfo(wnd->m_hWnd, id, nullptr, nullptr);
        SendMessage(TTM_DELTOOLW, 0, (LPARAM)&ti);
    }
    void UpdateTipText(const wchar_t* text, CWnd* wnd, UINT_PTR id = 0) {
        TOOLINFOW ti = MakeToolInfo(wnd->m_hWnd, id, nullptr, text);
        SendMessage(TTM_UPDATETIPTEXTW, 0, (LPARAM)&ti);
    }
    int GetToolCount() const { return (int)SendMessage(TTM_GETTOOLCOUNT); }
    void Activate(BOOL activate) { SendMessage(TTM_ACTIVATE, activate); }
    void RelayEvent(MSG* msg) { SendMessage(TTM_RELAYEVENT, 0, (LPARAM)msg); }
    int SetMaxTipWidth(int width) { return (int)SendMessage(TTM_SETMAXTIPWIDTH, 0, (LPARAM)width); }
    void SetDelayTime(DWORD which, int ms) { SendMessage(TTM_SETDELAYTIME, which, MAKELPARAM(ms, 0)); }
    void Pop() { SendMessage(TTM_POP); }
};

class CAnimateCtrl : public CWnd {
public:
    BOOL Create(DWORD style, const RECT& r, CWnd* parent, UINT id) {
        return CreateEx(0, ANIMATE_CLASSW, L"", style | WS_CHILD, r, parent, id);
    }
    BOOL Open(const wchar_t* fileName) { return (BOOL)SendMessage(ACM_OPENW, 0, (LPARAM)fileName); }
    BOOL Play(UINT from, UINT to, UINT repeat) { return (BOOL)SendMessage(ACM_PLAY, (WPARAM)repeat, MAKELPARAM(from, to)); }
    BOOL Stop() { return (BOOL)SendMessage(ACM_STOP); }
    BOOL Close() { return Open(nullptr); }
    BOOL Seek(UINT frame) { return Play(frame, frame, 1); }
};
