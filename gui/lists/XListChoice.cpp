#include "XListChoice.h"

#include <algorithm>
#include <cwctype>

RECT ChoiceButtonRect(const RECT& cell)
{
    const int side = cell.bottom - cell.top;
    return {std::max(cell.left, cell.right - side), cell.top, cell.right, cell.bottom};
}

bool PointOnChoiceButton(const RECT& cell, POINT p)
{
    const RECT b = ChoiceButtonRect(cell);
    return ::PtInRect(&b, p) != FALSE;
}

XListPressTick DecidePressTick(bool pointerInCell, bool dropDownOpen, bool firstTick)
{
    if (!pointerInCell) return dropDownOpen ? XListPressTick::Release : XListPressTick::ReleaseAndStop;
    if (dropDownOpen) return firstTick ? XListPressTick::FocusAndLayout : XListPressTick::Focus;
    return XListPressTick::Stop;
}

RECT ComboListWindowRect(const RECT& cell, int visibleEntries, int entryCount)
{
    int rows = visibleEntries >= 1 ? visibleEntries : entryCount;
    if (rows < 1) rows = 1;
    const int rowHeight = std::max(1, (int)(cell.bottom - cell.top) - 2);
    return {cell.left, cell.bottom, cell.right, cell.bottom + rowHeight * rows};
}

int ComboListCutHeight(int height, int itemHeight)
{
    if (itemHeight < 1) return height;
    const int items = std::max(1, height / itemHeight);
    return items * itemHeight + 4;
}

void ComboListClientLayout(const RECT& client, RECT& listBox, RECT& scrollBar)
{
    const int stripLeft = std::max((int)client.left + 1, (int)client.right - kComboListScrollWidth);
    listBox = {client.left + 1, client.top + 1, stripLeft, client.bottom};
    scrollBar = {stripLeft, client.top, client.right, client.bottom};
}

int ComboListKeySelection(UINT vk, int current, int pageSize, const std::vector<CString>& entries)
{
    const int count = (int)entries.size();
    if (count == 0) return -1;
    const int page = std::max(1, pageSize);
    const int from = std::clamp(current, -1, count - 1);  // -1: search from the first entry
    int next;
    switch (vk) {
    case VK_PRIOR: next = current - page; break;
    case VK_NEXT: next = current < 0 ? page - 1 : current + page; break;
    case VK_END: next = count - 1; break;
    case VK_HOME: next = 0; break;
    case VK_UP: next = current - 1; break;
    case VK_DOWN: next = current + 1; break;
    default:
        if (vk < 'A' || vk > 'Z') return -1;
        for (int step = 1; step <= count; ++step) {
            const int i = (from + step) % count;
            if (!entries[(size_t)i].IsEmpty() && ::towupper(entries[(size_t)i][0]) == (wint_t)vk) return i;
        }
        return std::max(current, 0);
    }
    return std::clamp(next, 0, count - 1);
}
