#include "DigitsOnlyFilter.h"

#include <climits>

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

// The number the box's owner reads from the text: its leading digits.
// False when that is past the int range, and so past the range of the box.
bool LeadingNumber(const CString& text, long long& value)
{
    value = 0;
    for (int i = 0; i < text.GetLength() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        value = value * 10 + (text[i] - L'0');
        if (value > INT_MAX)
            return false;
    }
    return true;
}

}  // namespace

bool DigitsOnlySwallows(UINT message, WPARAM wParam, const CString& currentText, int selStart, int selEnd,
                        int minValue, int maxValue)
{
    switch (message) {
    case WM_KEYDOWN:
        return !((wParam >= '0' && wParam <= '9') || (wParam >= VK_NUMPAD0 && wParam <= VK_NUMPAD9) ||
                 IsEditingKey(wParam));
    case WM_CHAR: {
        if (wParam == VK_BACK) return false;
        if (wParam < '0' || wParam > '9') return true;
        // The text the edit would make: the digit in place of the selection
        // ("2" typed over a selected "100" gives "2", not "1002").
        const int length = currentText.GetLength();
        int from = selStart < selEnd ? selStart : selEnd;
        int to = selStart < selEnd ? selEnd : selStart;
        from = from < 0 ? 0 : (from > length ? length : from);
        to = to < from ? from : (to > length ? length : to);
        const CString after = currentText.Left(from) + CString((wchar_t)wParam) + currentText.Mid(to);
        long long candidate = 0;
        if (!LeadingNumber(after, candidate)) return true;
        return candidate < minValue || candidate > maxValue;
    }
    case WM_CONTEXTMENU:
        return true;
    default:
        return false;
    }
}
