#include "DigitsOnlyFilter.h"

#include <climits>
#include <cwchar>

namespace {

// Keys that move the caret or delete: a value must stay correctable.
bool IsEditingKey(WPARAM key)
{
    switch (key) {
    case VK_BACK:
    case VK_DELETE:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_HOME:
    case VK_END:
        return true;
    default:
        return false;
    }
}

}  // namespace

bool DigitsOnlySwallows(UINT message, WPARAM wParam, const CString& currentText, int minValue, int maxValue)
{
    switch (message) {
    case WM_KEYDOWN:
        return !((wParam >= '0' && wParam <= '9') || (wParam >= VK_NUMPAD0 && wParam <= VK_NUMPAD9) ||
                 IsEditingKey(wParam));
    case WM_CHAR: {
        if (wParam == VK_BACK) return false;
        if (wParam < '0' || wParam > '9') return true;
        const long long digit = (long long)(wParam - '0');
        // The box's number with the digit appended (the caret is not
        // considered). A number already past the int range is past the
        // range of the box: refused before it is multiplied.
        long long candidate = digit;
        if (!currentText.IsEmpty()) {
            const long long current = std::wcstoll(currentText, nullptr, 10);
            if (current > INT_MAX || current < INT_MIN) return true;
            candidate = current * 10 + digit;
        }
        return candidate < minValue || candidate > maxValue;
    }
    case WM_CONTEXTMENU:
        return true;
    default:
        return false;
    }
}
