#include "XComboList.h"

#include <algorithm>

#include "XListChoice.h"

const XComboListMessages& XComboListMessageIds()
{
    static const XComboListMessages ids{
        ::RegisterWindowMessageW(L"WM_XCOMBOLIST_VK_RETURN"),
        ::RegisterWindowMessageW(L"WM_XCOMBOLIST_VK_ESCAPE"),
        ::RegisterWindowMessageW(L"WM_XCOMBOLIST_KEYDOWN"),
        ::RegisterWindowMessageW(L"WM_XCOMBOLIST_LBUTTONUP"),
    };
    return ids;
}

// ---- the list box -------------------------------------------------------------

BEGIN_MESSAGE_MAP(CXComboListBox, CListBox)
    ON_WM_KEYDOWN()
    ON_WM_GETDLGCODE()
    ON_WM_LBUTTONUP()
    ON_WM_KILLFOCUS()
    // Letters are searched by the drop-down on key down; the list box's own
    // search on the character would move a second time.
    AFX_MSG(WM_CHAR, *result = 0; return true;)
END_MESSAGE_MAP()

void CXComboListBox::OnKeyDown(UINT vk, UINT, UINT)
{
    if (!m_combo || !m_combo->HandleKey(vk)) Default();
}

void CXComboListBox::OnLButtonUp(UINT, CPoint)
{
    Default();
    if (m_combo) m_combo->HandleListButtonUp();
}

void CXComboListBox::OnKillFocus(CWnd*)
{
    Default();
    if (m_combo) m_combo->HandleFocusLoss();
}

// ---- the drop-down ------------------------------------------------------------

BEGIN_MESSAGE_MAP(CXComboList, CWnd)
    ON_WM_LBUTTONDOWN()
    ON_WM_VSCROLL()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CXComboList::CXComboList(HWND listCtrl) : m_listCtrl(listCtrl)
{
    m_list.m_combo = this;
}

CXComboList::~CXComboList()
{
    m_list.m_combo = nullptr;
    if (GetSafeHwnd()) DestroyWindow();
}

BOOL CXComboList::Create(CWnd* owner, const RECT& r, HFONT font, const std::vector<CString>& entries, int selected,
                         int itemHeight)
{
    m_entries = entries;
    const wchar_t* cls = RegisterClassOnce(0, ::LoadCursorW(nullptr, IDC_ARROW), (HBRUSH)::GetStockObject(WHITE_BRUSH));
    HWND ownerTop = owner ? ::GetAncestor(owner->m_hWnd, GA_ROOT) : nullptr;
    // No scroll bar of the window's own: the one in the right strip is it.
    // Shown without taking the activation: the list control hands the focus
    // to the list box while the pointer stays on the cell.
    if (!CreateEx(WS_EX_TOOLWINDOW, cls, L"", WS_POPUP | WS_BORDER, r.left, r.top,
                  r.right - r.left, r.bottom - r.top, ownerTop, nullptr))
        return FALSE;
    RECT client{}, listRect{}, barRect{};
    GetClientRect(&client);
    ComboListClientLayout(client, listRect, barRect);
    if (!m_list.Create(WS_VISIBLE | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, listRect, this, 1) ||
        !m_bar.Create(WS_VISIBLE | SBS_VERT, barRect, this, 2))
        return FALSE;
    if (font) m_list.SetFont(font, FALSE);
    if (itemHeight > 0) m_list.SetItemHeight(0, (UINT)itemHeight);
    for (const CString& e : m_entries) m_list.AddString(e);
    m_bar.SetScrollRange(0, std::max(0, (int)m_entries.size() - 1), FALSE);
    if (selected >= 0 && (size_t)selected < m_entries.size()) m_list.SetCurSel(selected);
    Layout();
    ShowWindow(SW_SHOWNOACTIVATE);
    return TRUE;
}

void CXComboList::Layout()
{
    if (!GetSafeHwnd() || !m_list.GetSafeHwnd()) return;
    RECT w{};
    GetWindowRect(&w);
    const int height = ComboListCutHeight(w.bottom - w.top, m_list.GetItemHeight(0));
    SetWindowPos((HWND) nullptr, 0, 0, w.right - w.left, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client{}, listRect{}, barRect{};
    GetClientRect(&client);
    ComboListClientLayout(client, listRect, barRect);
    m_list.MoveWindow(&listRect);
    m_bar.MoveWindow(&barRect);
    const int sel = m_list.GetCurSel();
    m_bar.SetScrollPos(ComboListScrollPos(sel));
    m_list.SetTopIndex(ComboListTopIndex(sel));
}

CString CXComboList::GetSelectedText() const
{
    const int sel = m_list.GetCurSel();
    return sel >= 0 && (size_t)sel < m_entries.size() ? m_entries[(size_t)sel] : CString();
}

void CXComboList::SendToList(UINT message)
{
    if (m_listCtrl) ::SendMessageW(m_listCtrl, message, 0, 0);
}

void CXComboList::Select(int index)
{
    m_list.SetCurSel(index);
    m_bar.SetScrollPos(ComboListScrollPos(index));
}

bool CXComboList::HandleKey(UINT vk)
{
    const XComboListMessages& ids = XComboListMessageIds();
    if (vk == VK_RETURN) {
        SendToList(ids.vkReturn);
        return true;
    }
    if (vk == VK_ESCAPE) {
        SendToList(ids.vkEscape);
        return true;
    }
    RECT c{};
    m_list.GetClientRect(&c);
    const int itemHeight = std::max(1, m_list.GetItemHeight(0));
    const int sel = ComboListKeySelection(vk, m_list.GetCurSel(), (c.bottom - c.top) / itemHeight, m_entries);
    if (sel < 0) return false;
    Select(sel);
    SendToList(ids.keyDown);
    return true;
}

void CXComboList::HandleListButtonUp() { SendToList(XComboListMessageIds().lButtonUp); }

void CXComboList::HandleFocusLoss()
{
    if (++m_focusLosses == kFocusLossesToEscape) SendToList(XComboListMessageIds().vkEscape);
}

void CXComboList::OnLButtonDown(UINT, CPoint) { SendToList(XComboListMessageIds().lButtonUp); }

void CXComboList::OnVScroll(UINT code, UINT pos, CWnd*)
{
    const int last = std::max(0, (int)m_entries.size() - 1);
    RECT c{};
    m_list.GetClientRect(&c);
    const int page = std::max(1, (int)(c.bottom - c.top) / std::max(1, m_list.GetItemHeight(0)));
    int at = m_bar.GetScrollPos();
    switch (code) {
    case SB_LINEUP: --at; break;
    case SB_LINEDOWN: ++at; break;
    case SB_PAGEUP: at -= page; break;
    case SB_PAGEDOWN: at += page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: at = (int)pos; break;
    case SB_TOP: at = 0; break;
    case SB_BOTTOM: at = last; break;
    default: return;
    }
    at = std::clamp(at, 0, last);
    m_bar.SetScrollPos(at);
    m_list.SetTopIndex(ComboListTopIndex(at));
}

BOOL CXComboList::OnEraseBkgnd(CDC* dc)
{
    RECT c{};
    GetClientRect(&c);
    if (dc) dc->FillSolidRect(&c, ::GetSysColor(COLOR_WINDOW));
    return TRUE;
}
