// The item base and the owning item list.
#include <windows.h>

#include <gtest/gtest.h>

#include "GUIItem.h"

namespace {

int g_deleted = 0;

class CCountedItem : public CGUIItem {
public:
    explicit CCountedItem(int id, HWND window = nullptr) { SetItemPart(id, ITEM_BITMAP, window, nullptr); }
    ~CCountedItem() override { ++g_deleted; }
};

HWND MakeWindow(bool visible)
{
    return ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | (visible ? WS_VISIBLE : 0), 0, 0, 10, 10, nullptr,
                             nullptr, nullptr, nullptr);
}

}  // namespace

TEST(GUIItem, NewItemHasNoIdTypeOrWindowYet)
{
    CCountedItem item(0);
    CGUIItem& base = item;
    base.SetItemPart(-1, ITEM_NONE, GUIITEM_NO_WINDOW_YET, nullptr);
    EXPECT_FALSE(base.HasWindow());
    base.Show(true);  // neither 0 nor -1 is a window: nothing happens
    base.m_window = nullptr;
    base.Show(false);
    EXPECT_FALSE(base.HasWindow());
}

TEST(GUIItem, FindByIdAndHwndReturnTheFirstMatch)
{
    g_deleted = 0;
    HWND w = MakeWindow(false);
    {
        CGUIItems items;
        auto* first = new CCountedItem(5);
        auto* second = new CCountedItem(5, w);
        items.Append(nullptr);
        items.Append(first);
        items.Append(second);
        EXPECT_EQ(first, items.FindById(5));
        EXPECT_EQ(second, items.FindByHwnd(w));
        EXPECT_EQ(nullptr, items.FindById(6));
        EXPECT_EQ(nullptr, items.FindByHwnd((HWND)0x1234));
    }
    EXPECT_EQ(2, g_deleted);
    ::DestroyWindow(w);
}

TEST(GUIItem, ShowAllHidesOnlyItemsWithWindows)
{
    HWND a = MakeWindow(true), b = MakeWindow(true);
    CGUIItems items;
    items.Append(new CCountedItem(1, a));
    items.Append(new CCountedItem(2, nullptr));
    items.Append(new CCountedItem(3, GUIITEM_NO_WINDOW_YET));
    items.Append(new CCountedItem(4, b));
    items.ShowAll(false);
    EXPECT_FALSE(::IsWindowVisible(a));
    EXPECT_FALSE(::IsWindowVisible(b));
    items.ShowAll(true);
    EXPECT_TRUE(::IsWindowVisible(a));
    items.DeleteAll();
    ::DestroyWindow(a);
    ::DestroyWindow(b);
}

TEST(GUIItem, DeleteAllRemovesNullEntriesAndDeletesEachItemOnce)
{
    g_deleted = 0;
    CGUIItems items;
    items.Append(nullptr);
    items.Append(new CCountedItem(1));
    items.Append(nullptr);
    items.Append(new CCountedItem(2));
    items.DeleteAll();
    EXPECT_EQ(0u, items.Count());
    EXPECT_EQ(2, g_deleted);
    items.DeleteAll();
    EXPECT_EQ(2, g_deleted);
}
