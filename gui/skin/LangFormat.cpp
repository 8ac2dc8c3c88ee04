#include "LangFormat.h"

#include <cwchar>
#include <string>
#include <vector>

#include "LangTable.h"

namespace {

// The conversion specifications of a format, each as written from its '%'
// to its type character. False for a '%' that ends the string unfinished.
bool Conversions(const wchar_t* format, std::vector<std::wstring>& out)
{
    for (const wchar_t* p = format; *p; ++p) {
        if (*p != L'%')
            continue;
        if (p[1] == L'%') {
            ++p;
            continue;
        }
        const wchar_t* start = p++;
        while (*p && std::wcschr(L"-+ #0123456789.*", *p))
            ++p;
        while (*p && std::wcschr(L"hlLqjztwI3264", *p))
            ++p;
        if (!*p)
            return false;
        out.emplace_back(start, p + 1);
    }
    return true;
}

}  // namespace

bool SameConversions(const wchar_t* format, const wchar_t* reference)
{
    if (!format || !reference)
        return false;
    std::vector<std::wstring> mine, theirs;
    return Conversions(format, mine) && Conversions(reference, theirs) && mine == theirs;
}

CString TranslatedFormat(const wchar_t* key, const wchar_t* english)
{
    CString text;
    const CLangTable* table = GetCurrentLangTable();
    if (key && table && table->Translate(key, text) && SameConversions(text, english))
        return text;
    return CString(english ? english : L"");
}
