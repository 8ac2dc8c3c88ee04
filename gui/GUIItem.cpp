#include "GUIItem.h"

CGUIItem::~CGUIItem() = default;

void CGUIItem::Show(bool show)
{
    if (HasWindow())
        ::ShowWindow(m_window, show ? SW_SHOW : SW_HIDE);
}

CGUIItem* CGUIItems::FindById(int id) const
{
    for (CGUIItem* item : m_items)
        if (item && item->m_id == id)
            return item;
    return nullptr;
}

CGUIItem* CGUIItems::FindByHwnd(HWND window) const
{
    for (CGUIItem* item : m_items)
        if (item && item->m_window == window)
            return item;
    return nullptr;
}

void CGUIItems::ShowAll(bool show) const
{
    for (CGUIItem* item : m_items)
        if (item)
            item->Show(show);
}

void CGUIItems::DeleteAll()
{
    while (!m_items.empty()) {
        CGUIItem* item = m_items.back();
        // Take the entry out first: an item's destructor may look at the list.
        m_items.pop_back();
        delete item;
    }
}
