// Many rows into a shown list view at once: row by row, a shown list updates
// its scroll range and repaints for every row, which under Wine costs a
// millisecond or more a row. The guard holds the list's redraw off; it comes
// back when the guard goes, and the list then repaints once.
#pragma once
#include "Wnd.h"

class CListRedrawOff {
public:
    explicit CListRedrawOff(CWnd& list) : m_list(list) { m_list.SendMessage(WM_SETREDRAW, FALSE); }
    ~CListRedrawOff() { m_list.SendMessage(WM_SETREDRAW, TRUE); }
    CListRedrawOff(const CListRedrawOff&) = delete;
    CListRedrawOff& operator=(const CListRedrawOff&) = delete;

private:
    CWnd& m_list;
};
