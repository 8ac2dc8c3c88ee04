#include "ListColumnBook.h"

#include <climits>

bool ApplyCheckBoxClick(std::vector<int>& states, int row, bool exclusive)
{
    if (row < 0 || (size_t)row >= states.size() || states[(size_t)row] == -1) return false;
    int& cell = states[(size_t)row];
    if (!exclusive) {
        cell = cell ? 0 : 1;
        return true;
    }
    if (cell == 1) return false;
    for (int& s : states)
        if (s != -1) s = 0;
    cell = 1;
    return true;
}

bool AllRowsChecked(const std::vector<int>& states)
{
    bool any = false;
    for (int s : states) {
        if (s == -1) continue;
        if (s != 1) return false;
        any = true;
    }
    return any;
}

int ListTotalWidth(int scrollBarWidth, int borderWidth, const std::vector<int>& columnWidths)
{
    // 64-bit, and held at the int range: a page may list any number of columns.
    long long total = (long long)scrollBarWidth + borderWidth;
    for (int w : columnWidths) total += w;
    return total > INT_MAX ? INT_MAX : total < INT_MIN ? INT_MIN : (int)total;
}

int ColumnAtX(const std::vector<int>& columnWidths, int x)
{
    int left = 0;
    for (size_t i = 0; i < columnWidths.size(); ++i) {
        if (x >= left && x < left + columnWidths[i]) return (int)i;
        left += columnWidths[i];
    }
    return -1;
}
