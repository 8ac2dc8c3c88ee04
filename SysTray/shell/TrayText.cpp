#include "TrayText.h"

#include "LangTable.h"

bool TranslateTrayKey(const wchar_t* key, CString& out)
{
    CLangTable* current = GetCurrentLangTable();
    if (current && current->Translate(key, out))
        return true;
    auto english = LangTableMap.find(0);
    return english != LangTableMap.end() && english->second && english->second->Translate(key, out);
}

CString TrayText(const wchar_t* key, const wchar_t* english)
{
    CString out;
    return TranslateTrayKey(key, out) ? out : CString(english);
}
