// CXComboList: the drop-down list of a choice cell of the multi-column list.
// A pop-up under the pressed cell holding a list box and a vertical scroll
// bar; it tells the list control about keys and clicks with four registered
// messages and leaves every decision (and its own closing) to the list.
#pragma once
#include <vector>

#include "Controls.h"

// The registered messages from the drop-down to the list control (wParam
// and lParam 0), registered once for the process.
struct XComboListMessages {
    UINT vkReturn;   // "WM_XCOMBOLIST_VK_RETURN"
    UINT vkEscape;   // "WM_XCOMBOLIST_VK_ESCAPE"
    UINT keyDown;    // "WM_XCOMBOLIST_KEYDOWN"
    UINT lButtonUp;  // "WM_XCOMBOLIST_LBUTTONUP"
};
const XComboListMessages& XComboListMessageIds();

class CXComboList;

// The drop-down's list box: hands keys, the button release and focus losses
// to its drop-down.
class CXComboListBox : public CListBox {
public:
    CXComboList* m_combo = nullptr;

protected:
    void OnKeyDown(UINT vk, UINT repeat, UINT flags);
    UINT OnGetDlgCode() { return DLGC_WANTALLKEYS; }
    void OnLButtonUp(UINT flags, CPoint p);
    void OnKillFocus(CWnd* next);
    DECLARE_MESSAGE_MAP()
};

class CXComboList : public CWnd {
public:
    // The focus loss that gives up the drop-down (as Escape would).
    static constexpr int kFocusLossesToEscape = 3;

    explicit CXComboList(HWND listCtrl);
    ~CXComboList() override;

    // Shows the pop-up at screenRect with the entries, `selected` selected
    // (-1 none), each entry itemHeight high (0: the font's), and lays it out.
    BOOL Create(CWnd* owner, const RECT& screenRect, HFONT font, const std::vector<CString>& entries, int selected,
                int itemHeight = 0);
    // Height cut to whole items, list box and scroll bar placed, the scroll
    // bar at the selected entry and the list scrolled to the one before it.
    void Layout();

    CXComboListBox& ListBox() { return m_list; }
    CScrollBar& ScrollBar() { return m_bar; }
    int GetCurSel() const { return m_list.GetCurSel(); }
    CString GetSelectedText() const;
    int FocusLosses() const { return m_focusLosses; }

    // From the list box; true when the key was handled.
    bool HandleKey(UINT vk);
    void HandleListButtonUp();
    void HandleFocusLoss();

protected:
    void OnLButtonDown(UINT flags, CPoint p);
    void OnVScroll(UINT code, UINT pos, CWnd* bar);
    BOOL OnEraseBkgnd(CDC* dc);
    void SendToList(UINT message);
    void Select(int index);
    DECLARE_MESSAGE_MAP()

private:
    HWND m_listCtrl;
    CXComboListBox m_list;
    CScrollBar m_bar;
    std::vector<CString> m_entries;
    int m_focusLosses = 0;
};
