// CVScrollBar: the bitmap-drawn vertical scroll bar that list-like widgets
// attach beside their list window. It follows the list's own scroll
// information and drives the list with WM_VSCROLL; the arithmetic lives in
// ScrollBarLayout.
#pragma once
#include "Controls.h"
#include "ScrollBarLayout.h"

struct ScrollBarBitmaps {
    HBITMAP topEnd = nullptr;
    HBITMAP bottomEnd = nullptr;
    HBITMAP upArrow = nullptr;
    HBITMAP downArrow = nullptr;
    HBITMAP span = nullptr;
    HBITMAP thumb = nullptr;
};

class CVScrollBar : public CStatic {
public:
    // Timer ids are non-zero: a zero id cannot be told from "no timer".
    static constexpr UINT_PTR kRepeatTimer = 1;
    static constexpr UINT kRepeatPeriod = 5;
    static constexpr UINT_PTR kJumpTimer = 2;
    static constexpr UINT kJumpPeriod = 20;

    CVScrollBar(int width, CWnd* ownerList);

    void SetBitmaps(const ScrollBarBitmaps& bitmaps, int borderWidth);
    // False without bitmaps or when the rectangle leaves no room for the thumb.
    BOOL Create(const wchar_t* text, DWORD style, const RECT& r, CWnd* parent, UINT id = 0xFFFF);
    void UpdateThumb();

    int ThumbTop() const { return thumbTop; }
    const ScrollBarLayout& Layout() const { return m_layout; }
    const ScrollBarParts& Parts() const { return m_parts; }
    bool Dragging() const { return dragging; }

    COLORREF backColour = 0;
    COLORREF borderColour = 0xFFFFFF;
    int borderWidth = 0;

protected:
    void OnLButtonDown(UINT flags, CPoint p);
    void OnLButtonDblClk(UINT flags, CPoint p);
    void OnLButtonUp(UINT flags, CPoint p);
    void OnMouseMove(UINT flags, CPoint p);
    void OnKillFocus(CWnd* next);
    void OnTimer(UINT_PTR id);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    bool OwnerScrollInfo(SCROLLINFO& si) const;
    void PostScroll(UINT code, int pos = 0);
    void Draw(HDC dc);

    CWnd* m_owner;
    ScrollBarBitmaps m_bitmaps;  // handles of m_copies
    CBitmap m_copies[6];
    bool m_hasBitmaps = false;
    ScrollBarParts m_parts;
    int m_spanHeight = 0;
    ScrollBarLayout m_layout;
    bool upPressed = false, downPressed = false, dragging = false;
    int thumbTop = 0;
    int lastTrackPos = -1;
    int m_jumpTarget = 0;
};
