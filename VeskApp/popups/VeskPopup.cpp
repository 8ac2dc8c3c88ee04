#include "VeskPopup.h"

#include "ItemIds.h"

BOOL CVeskPopup::OnInitDialog()
{
    BOOL result = CPopupBox::OnInitDialog();
    // A popup whose file is missing or broken has no face and no buttons:
    // end it at once rather than leave an invisible modal window.
    if (!m_background) {
        EndDialog(IDCANCEL);
        return FALSE;
    }
    CenterOverOwner(m_hWnd);
    return result;
}

BOOL CVeskPopup::OnCommand(WPARAM wParam, LPARAM lParam)
{
    CGUIItem* item = lParam ? m_items.FindByHwnd((HWND)lParam) : nullptr;
    if (!item || (item->m_type != ITEM_BITMAPBTN && item->m_type != ITEM_TEXT))
        return CPopupBox::OnCommand(wParam, lParam);
    if (item->m_id == BUTTON_POPUP_OK)
        OnPopupOK();
    else if (item->m_id == BUTTON_POPUP_CANCEL)
        OnPopupCancel();
    else if (!OnItemCommand(item, HIWORD(wParam)))
        return CPopupBox::OnCommand(wParam, lParam);
    return TRUE;
}

void CenterOverOwner(HWND window)
{
    if (!window)
        return;
    RECT r{};
    ::GetWindowRect(window, &r);
    RECT area{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    RECT around = area;
    HWND owner = ::GetWindow(window, GW_OWNER);
    if (owner && ::IsWindowVisible(owner))
        ::GetWindowRect(owner, &around);
    int w = r.right - r.left, h = r.bottom - r.top;
    int x = around.left + ((around.right - around.left) - w) / 2;
    int y = around.top + ((around.bottom - around.top) - h) / 2;
    if (x + w > area.right) x = area.right - w;
    if (y + h > area.bottom) y = area.bottom - h;
    if (x < area.left) x = area.left;
    if (y < area.top) y = area.top;
    ::SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
