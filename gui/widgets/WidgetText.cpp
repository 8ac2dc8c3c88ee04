#include "WidgetText.h"

#include "LangTable.h"

CString ApplyCaseMode(const CString& text, int caseMode)
{
    CString out(text);
    if (caseMode == kCaseUpper) out.MakeUpper();
    else if (caseMode == kCaseLower) out.MakeLower();
    return out;
}

CString ReplaceFirstLineBreak(const CString& text)
{
    int at = text.Find(L"\\n");
    if (at < 0) return text;
    return text.Left(at) + L"\r\n" + text.Mid(at + 2);
}

CString ReplaceAllLineBreaks(const CString& text)
{
    CString out(text);
    out.Replace(L"\\n", L"\r\n");
    return out;
}

CString TranslateWidgetText(const CString& key, bool* translated)
{
    CString out;
    const CLangTable* table = GetCurrentLangTable();
    const bool found = table && table->Translate(key, out);
    if (translated) *translated = found;
    return found ? out : key;
}
