#include "PageFiles.h"

#include "ModelFlags.h"
#include "SkinLoader.h"

const std::vector<PageFileRow>& PageFileTable()
{
    static const std::vector<PageFileRow> rows = {
        {0, L"AssignButtons.xml", -1, 0},
        {1, L"AssignKeys.xml", -1, 0},
        {2, L"AdjustPerformance.xml", -1, 0},
        {3, L"ManageProfiles.xml", -1, 0},
        {4, L"ManageMacros.xml", -1, 0},
        {5, L"LightingMaintenance.xml", -1, 0},
        {6, L"CurrentProfile.xml", -1, 0},
        {7, L"LightingMaintenance_KovuZent.xml", 5, MODEL_WIRELESS | MODEL_DOCK | MODEL_NULL},
        {8, L"LightingMaintenance_Kovu.xml", 5, MODEL_WIRED | MODEL_2E},
        {9, L"AssignButtons_Kovu.xml", 0, MODEL_WIRED},
        {10, L"AssignButtons_KovuZent.xml", 0, MODEL_WIRELESS | MODEL_DOCK | MODEL_NULL},
        {12, L"AssignKeys_Kovu.xml", 1, MODEL_WIRED},
        {14, L"AssignKeys_KovuZent.xml", 1, MODEL_WIRELESS | MODEL_DOCK | MODEL_NULL},
    };
    return rows;
}

void LoadPageLists(CGUIItems (&lists)[kFrameListCount], CWnd* owner, std::vector<ModelItem>& masked)
{
    for (const PageFileRow& row : PageFileTable()) {
        CGUIItems& list = lists[row.list];
        LoadSkinPage(&list, row.file, owner, false);
        if (row.mergeInto < 0)
            continue;
        // The variant's items join the base list, which alone owns them.
        CGUIItems& base = lists[row.mergeInto];
        for (CGUIItem* item : list.Items()) {
            base.Append(item);
            masked.push_back({item, row.modelMask});
        }
        list.ReleaseAll();
    }
}

int PageIndexFromMask(int mask)
{
    for (int i = 0; i < 6; ++i) {
        if (mask & (1 << i))
            return i;
    }
    return -1;
}
