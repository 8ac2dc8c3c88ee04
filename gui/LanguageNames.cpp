#include "LanguageNames.h"

#include <wchar.h>

LanguageNameMap& LanguageNameTable()
{
    static LanguageNameMap table;
    return table;
}

void BuildLanguageTable()
{
    static const wchar_t* const kNames[] = {
        L"English", L"ChineseSimplified", L"ChineseTraditional", L"French", L"FrenchCanadian",
        L"German",  L"Korean",            L"Russian",            L"Japanese", L"Spanish",
    };
    LanguageNameMap& table = LanguageNameTable();
    table.clear();
    int id = 0;
    for (const wchar_t* name : kNames)
        table[id++] = name;
    // Ids 10-14 exist as rows but share English's name, so a name never
    // selects them.
    for (; id < 15; ++id)
        table[id] = L"English";
}

int LanguageIdFromName(const wchar_t* name)
{
    if (!name)
        return -1;
    for (const auto& row : LanguageNameTable()) {
        if (_wcsicmp(row.second.c_str(), name) == 0)
            return row.first;
    }
    return -1;
}
