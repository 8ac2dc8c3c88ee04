#include "DigitsOnlyFilter.h"

#include <cwchar>

bool DigitsOnlySwallows(UINT message, WPARAM wParam, const CString& currentText, int minValue, int maxValue)
{
    switch (message) {
    case WM_KEYDOWN:
        return !((wParam >= '0' && wParam <= '9') || (wParam >= VK_NUMPAD0 && wParam <= VK_NUMPAD9));
    case WM_CHAR: {
        if (wParam == VK_BACK) return false;
        if (wParam < '0' || wParam > '9') return true;
        const long long digit = (long long)(wParam - '0');
        // The box's number with the digit appended (the caret is not
        // considered); 64-bit so a long run of digits cannot wrap.
        long long candidate = digit;
        if (!currentText.IsEmpty()) candidate = (long long)std::wcstoll(currentText, nullptr, 10) * 10 + digit;
        return candidate < minValue || candidate > maxValue;
    }
    case WM_CONTEXTMENU:
        return true;
    default:
        return false;
    }
}
