// Binding skin items: an item found by id, typed only when its type code
// matches, so a page file with a wrong or missing element leaves a null
// pointer instead of a bad cast.
#pragma once
#include "GUIItem.h"

// The item of that id in `list` when it has the type code `type` (T is the
// item's class for that code); null when absent, of another type, or the
// list is null.
template <class T>
T* FindTypedItem(const CGUIItems* list, int id, int type)
{
    if (!list)
        return nullptr;
    CGUIItem* item = list->FindById(id);
    return item && item->m_type == type ? static_cast<T*>(item) : nullptr;
}
