#include "QvApp.h"
#include <cwchar>
#include "DeviceGuid.h"

CQvApp* CQvAppList::FindByName(const wchar_t* text) const
{
    if (!text)
        return nullptr;
    for (CQvApp* a : m_items)
        if (_wcsicmp(a->name.c_str(), text) == 0)
            return a;
    return nullptr;
}

CQvApp* CQvAppList::FindByGuid(const GUID& guid) const
{
    for (CQvApp* a : m_items)
        if (GuidEquals(a->guid, guid))
            return a;
    return nullptr;
}

CQvApp* CQvAppList::Add(const wchar_t* text)
{
    if (FindByName(text ? text : L""))
        return nullptr;
    CQvApp* app = new CQvApp(text);
    m_items.push_back(app);
    return app;
}
