// A loaded page's item by its skin name, when it has the given type code;
// null otherwise (tests look items up as pages do).
#pragma once
#include "GUIItem.h"
#include "KeywordTables.h"

template <typename T>
T* FindPageItem(const CGUIItems& items, const wchar_t* name, int type)
{
    CGUIItem* item = items.FindById(FindItemIdByName(name));
    return item && item->m_type == type ? static_cast<T*>(item) : nullptr;
}
