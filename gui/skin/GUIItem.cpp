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

void CGUIItems::RebuildWindowIndex() const
{
    m_byWindow.clear();
    for (CGUIItem* item : m_items)
        if (item)
            m_byWindow.emplace(item->m_window, item);  // the first in list order stays
    m_indexDirty = false;
}

CGUIItem* CGUIItems::FindByHwnd(HWND window) const
{
    if (m_indexDirty)
        RebuildWindowIndex();
    auto it = m_byWindow.find(window);
    if (it != m_byWindow.end() && it->second->m_window == window)
        return it->second;
    // A miss or a stale entry: windows are set after items are appended.
    RebuildWindowIndex();
    it = m_byWindow.find(window);
    return it != m_byWindow.end() ? it->second : nullptr;
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
        m_indexDirty = true;
        delete item;
    }
}
