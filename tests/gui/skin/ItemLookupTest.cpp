#include <gtest/gtest.h>

#include "GUIItem.h"

namespace {
struct PlainItem : CGUIItem {
    explicit PlainItem(HWND w) { m_window = w; }
};
}  // namespace

TEST(ItemLookupByWindow, FollowsWindowsSetAfterAppendAndKeepsListOrder)
{
    CGUIItems items;
    auto* a = new PlainItem(GUIITEM_NO_WINDOW_YET);
    auto* b = new PlainItem((HWND)(INT_PTR)0x20);
    auto* c = new PlainItem((HWND)(INT_PTR)0x20);
    items.Append(a);
    items.Append(b);
    items.Append(c);
    EXPECT_EQ(items.FindByHwnd((HWND)(INT_PTR)0x20), b);
    EXPECT_EQ(items.FindByHwnd((HWND)(INT_PTR)0x10), nullptr);
    a->m_window = (HWND)(INT_PTR)0x10;  // created after it was filed
    EXPECT_EQ(items.FindByHwnd((HWND)(INT_PTR)0x10), a);
    b->m_window = (HWND)(INT_PTR)0x30;
    EXPECT_EQ(items.FindByHwnd((HWND)(INT_PTR)0x20), c);
    EXPECT_EQ(items.FindByHwnd((HWND)(INT_PTR)0x30), b);
    items.DeleteAll();
    EXPECT_EQ(items.FindByHwnd((HWND)(INT_PTR)0x30), nullptr);
}
