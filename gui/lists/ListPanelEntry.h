// One row of a list panel or drop-down list, and the rules over a vector of
// rows that panels and drop-downs share: lookup by text, safe insertion,
// the display order of sorted panels, and which rows are disabled.
#pragma once
#include <windows.h>

#include <vector>

#include "String.h"

class CListPanelItem;

struct ListPanelEntry {
    CString label;    // the row's text; a "$" key is translated when drawn
    CString tooltip;  // empty when the row has none
    CListPanelItem* subList = nullptr;  // rows of this row's sub-list, or none
    int disabled = 0;

    ListPanelEntry() = default;
    ListPanelEntry(const wchar_t* text, CListPanelItem* sub = nullptr, const wchar_t* tip = nullptr)
        : label(text), tooltip(tip), subList(sub) {}
};

using ListPanelRows = std::vector<ListPanelEntry>;

// Index of the first row equal in label, sub-list and tooltip; -1 when none.
int FindListPanelRow(const ListPanelRows& rows, const ListPanelEntry& e);
// Index of the first row whose label equals text; -1 for an empty text or no match.
int ListPanelRowOfText(const ListPanelRows& rows, const CString& text);
// The row's label; empty when i is out of range.
CString ListPanelRowText(const ListPanelRows& rows, int i);
// Inserts before position i; refused (false) unless 0 <= i <= size.
bool InsertListPanelRow(ListPanelRows& rows, int i, const ListPanelEntry& e);
// The rows as a panel receives them: rebuilt from label, sub-list and
// tooltip, so every row starts enabled.
ListPanelRows RebuildListPanelRows(const ListPanelRows& rows);

// The order in which a list shows the rows: own indices in display order.
// Sorted lists order by label without regard to case (stable, so equal
// labels keep their order); callers are always given the own index back.
std::vector<int> ListPanelDisplayOrder(const ListPanelRows& rows, bool sorted);

// Returns the number of rows in a sub-list (the pop-up list needs it to
// disable rows whose sub-list is empty).
using SubListSize = int (*)(const CListPanelItem*);
// Marks rows with an empty sub-list disabled (rows disabled by the owner stay so).
void DisableEmptySubLists(ListPanelRows& rows, SubListSize sizeOf);
// A row that can be hovered and chosen: in range and enabled.
bool ListPanelRowSelectable(const ListPanelRows& rows, int i);
