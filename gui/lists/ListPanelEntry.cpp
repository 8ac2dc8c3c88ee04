#include "ListPanelEntry.h"

#include <algorithm>

int FindListPanelRow(const ListPanelRows& rows, const ListPanelEntry& e)
{
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].label == e.label && rows[i].subList == e.subList && rows[i].tooltip == e.tooltip) return (int)i;
    return -1;
}

int ListPanelRowOfText(const ListPanelRows& rows, const CString& text)
{
    if (text.IsEmpty()) return -1;
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].label == text) return (int)i;
    return -1;
}

CString ListPanelRowText(const ListPanelRows& rows, int i)
{
    if (i < 0 || (size_t)i >= rows.size()) return CString();
    return rows[(size_t)i].label;
}

bool InsertListPanelRow(ListPanelRows& rows, int i, const ListPanelEntry& e)
{
    if (i < 0 || (size_t)i > rows.size()) return false;
    rows.insert(rows.begin() + i, e);
    return true;
}

ListPanelRows RebuildListPanelRows(const ListPanelRows& rows)
{
    ListPanelRows out;
    out.reserve(rows.size());
    for (const auto& r : rows) out.emplace_back(r.label, r.subList, r.tooltip);
    return out;
}

std::vector<int> ListPanelDisplayOrder(const ListPanelRows& rows, bool sorted)
{
    std::vector<int> order(rows.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = (int)i;
    if (sorted)
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return ::lstrcmpiW(rows[(size_t)a].label, rows[(size_t)b].label) < 0;
        });
    return order;
}

void DisableEmptySubLists(ListPanelRows& rows, SubListSize sizeOf)
{
    for (auto& r : rows)
        if (r.subList && sizeOf && sizeOf(r.subList) == 0) r.disabled = 1;
}

bool ListPanelRowSelectable(const ListPanelRows& rows, int i)
{
    return i >= 0 && (size_t)i < rows.size() && !rows[(size_t)i].disabled;
}
