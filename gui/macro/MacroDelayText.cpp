#include "MacroDelayText.h"

#include <cmath>
#include <cwchar>
#include <cwctype>

CString FormatDelayText(DWORD milliseconds, const wchar_t* secondsWord)
{
    CString s;
    s.Format(L"%.3f %s", milliseconds / 1000.0, secondsWord ? secondsWord : L"");
    return s;
}

DWORD DelayMillisecondsFromText(const wchar_t* text)
{
    if (!text) return 0;
    wchar_t* end = nullptr;
    double seconds = std::wcstod(text, &end);
    if (end == text || !std::isfinite(seconds) || seconds <= 0) return 0;
    double ms = std::floor(seconds * 1000.0 + 0.5);
    if (ms > (double)0xFFFFFFFFu) return 0xFFFFFFFFu;
    return (DWORD)ms;
}

bool ParseDelayEdit(const wchar_t* text, DWORD& milliseconds)
{
    if (!text) return false;
    while (std::iswspace(*text)) ++text;
    if (!std::iswdigit(*text)) return false;  // also refuses a sign
    unsigned long long v = 0;
    for (; std::iswdigit(*text); ++text) {
        v = v * 10 + (unsigned)(*text - L'0');
        if (v > 0xFFFFFFFFull) return false;
    }
    if (v == 0) return false;
    milliseconds = (DWORD)v;
    return true;
}
