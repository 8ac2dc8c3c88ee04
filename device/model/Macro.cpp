#include "Macro.h"
#include <cwchar>
#include "BoundedText.h"
#include "DeviceGuid.h"

CMacro::CMacro() : name{}, guid{} {}

CMacro::CMacro(const wchar_t* text, const std::vector<MacroEvent>& evs) : name{}, guid{}, events(evs)
{
    SetName(text);
}

void CMacro::SetName(const wchar_t* text)
{
    CopyBoundedText(name, kNameChars, text);
}

bool CMacro::IsEqual(const CMacro& other) const
{
    return GuidEquals(guid, other.guid) && _wcsicmp(name, other.name) == 0 &&
           events == other.events;
}

bool CMacro::EraseEvent(size_t index)
{
    if (index >= events.size())
        return false;
    events.erase(events.begin() + (ptrdiff_t)index);
    return true;
}

bool CMacro::ReplaceEvent(size_t index, const MacroEvent& event)
{
    if (index >= events.size())
        return false;
    events[index] = event;
    return true;
}

CMacro* CMacroList::FindByName(const wchar_t* text) const
{
    if (!text)
        return nullptr;
    for (CMacro* m : m_items)
        if (_wcsicmp(m->name, text) == 0)
            return m;
    return nullptr;
}

CMacro* CMacroList::FindByGuid(const GUID& guid) const
{
    for (CMacro* m : m_items)
        if (GuidEquals(m->guid, guid))
            return m;
    return nullptr;
}

CMacro* CMacroList::Add(const wchar_t* text, const std::vector<MacroEvent>& events)
{
    // Compare the name as it will be stored, so a long name cannot slip past
    // an existing macro that holds its first 255 characters.
    CMacro* macro = new CMacro(text, events);
    if (FindByName(macro->name)) {
        delete macro;
        return nullptr;
    }
    m_items.push_back(macro);
    return macro;
}
