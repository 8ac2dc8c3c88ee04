#include "SkinElementReaders.h"

#include <cwchar>

SkinElementReader SkinElementTable::Find(const wchar_t* element) const
{
    if (!element)
        return nullptr;
    for (size_t i = 0; i < m_count; ++i)
        if (m_entries[i].element && std::wcscmp(m_entries[i].element, element) == 0)
            return m_entries[i].reader;
    return nullptr;
}
