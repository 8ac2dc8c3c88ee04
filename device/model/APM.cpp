#include "APM.h"

CAPM* CAPMList::FindByKey(int key) const
{
    for (CAPM* e : m_items)
        if (e->key == key)
            return e;
    return nullptr;
}

bool CAPMList::Add(int a, int b, int key)
{
    if (FindByKey(key))
        return false;
    auto it = m_items.begin();
    while (it != m_items.end() && (*it)->key <= key)
        ++it;
    m_items.insert(it, new CAPM(a, b, key));
    return true;
}

bool CAPMList::SetA(size_t index, int a)
{
    CAPM* e = GetAt(index);
    if (!e)
        return false;
    e->a = a;
    return true;
}

bool CAPMList::SetBAndKey(size_t index, int b, int key)
{
    CAPM* e = GetAt(index);
    if (!e)
        return false;
    e->b = b;
    e->key = key;
    return true;
}

bool CAPMList::GetA(size_t index, int& a) const
{
    CAPM* e = GetAt(index);
    if (!e)
        return false;
    a = e->a;
    return true;
}

bool CAPMList::GetBAndKey(size_t index, int& b, int& key) const
{
    CAPM* e = GetAt(index);
    if (!e)
        return false;
    b = e->b;
    key = e->key;
    return true;
}
