// The main dialog's fifteen item lists: which file each loads, which base
// list a model variant merges into, and the models its items belong to.
#pragma once
#include <vector>

#include "GUIItem.h"

constexpr int kFrameListCount = 15;

struct PageFileRow {
    int list;              // 0-14
    const wchar_t* file;   // under xml\ of the program folder
    int mergeInto;         // base list of a model variant; -1 for a base list
    int modelMask;         // models of a variant's items (MODEL_* bits); 0 for a base list
};

// The rows in load order (lists 11 and 13 have none and stay empty).
const std::vector<PageFileRow>& PageFileTable();

// An item that only some models show, and their mask.
struct ModelItem {
    CGUIItem* item;
    int mask;
};

// Loads every row into lists[row.list] for owner, moves each variant's
// items into its base list and records them with their mask in `masked`.
// A missing or malformed file leaves its list (or its share of the base
// list) empty; the caller's bound pointers then stay null.
void LoadPageLists(CGUIItems (&lists)[kFrameListCount], CWnd* owner, std::vector<ModelItem>& masked);

// Whether an item with `mask` shows for the model flag (0 = every model).
inline bool ShownForModel(int mask, int modelFlag) { return mask == 0 || (mask & modelFlag) != 0; }

// The page index (0-5) that a ShowPage mask selects: its lowest page bit;
// -1 when it has none.
int PageIndexFromMask(int mask);
