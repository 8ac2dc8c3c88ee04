#include "SkinElementReaders.h"

#include <map>
#include <string>

namespace {

// Built on first use: registrations run during static initialisation, in
// no fixed order across files.
std::map<std::wstring, SkinElementReader>& Readers()
{
    static std::map<std::wstring, SkinElementReader> readers;
    return readers;
}

}  // namespace

bool RegisterSkinElementReader(const wchar_t* elementName, SkinElementReader reader)
{
    if (!elementName || !reader)
        return false;
    Readers()[elementName] = reader;
    return true;
}

SkinElementReader FindSkinElementReader(const wchar_t* elementName)
{
    if (!elementName)
        return nullptr;
    auto it = Readers().find(elementName);
    return it == Readers().end() ? nullptr : it->second;
}

void RemoveSkinElementReader(const wchar_t* elementName)
{
    if (elementName)
        Readers().erase(elementName);
}
