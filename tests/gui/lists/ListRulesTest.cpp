#include <gtest/gtest.h>

#include "ListColumnBook.h"
#include "ListPanelEntry.h"

static ListPanelRows Rows(std::initializer_list<const wchar_t*> labels)
{
    ListPanelRows r;
    for (auto l : labels) r.emplace_back(l);
    return r;
}

TEST(ListPanelRows, LookupByTextAndRange)
{
    ListPanelRows rows = Rows({L"One", L"Two", L"Three"});
    EXPECT_EQ(1, ListPanelRowOfText(rows, L"Two"));
    EXPECT_EQ(-1, ListPanelRowOfText(rows, L""));
    EXPECT_EQ(-1, ListPanelRowOfText(rows, L"two"));
    EXPECT_STREQ(L"Three", ListPanelRowText(rows, 2));
    EXPECT_STREQ(L"", ListPanelRowText(rows, 3));
    EXPECT_STREQ(L"", ListPanelRowText(rows, -1));
    EXPECT_EQ(2, FindListPanelRow(rows, ListPanelEntry(L"Three")));
    EXPECT_EQ(-1, FindListPanelRow(rows, ListPanelEntry(L"Three", nullptr, L"tip")));
}

TEST(ListPanelRows, InsertRefusesPastTheEnd)
{
    ListPanelRows rows = Rows({L"a", L"b"});
    EXPECT_FALSE(InsertListPanelRow(rows, 3, ListPanelEntry(L"x")));
    EXPECT_FALSE(InsertListPanelRow(rows, -1, ListPanelEntry(L"x")));
    EXPECT_EQ(2u, rows.size());
    EXPECT_TRUE(InsertListPanelRow(rows, 2, ListPanelEntry(L"end")));
    EXPECT_TRUE(InsertListPanelRow(rows, 0, ListPanelEntry(L"front")));
    EXPECT_STREQ(L"front", rows[0].label);
    EXPECT_STREQ(L"end", rows[3].label);
}

TEST(ListPanelRows, SortedOrderMapsToOwnIndices)
{
    ListPanelRows rows = Rows({L"pear", L"Apple", L"banana", L"apple"});
    EXPECT_EQ((std::vector<int>{1, 3, 2, 0}), ListPanelDisplayOrder(rows, true));
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3}), ListPanelDisplayOrder(rows, false));
}

static int SizeOfFake(const CListPanelItem* p) { return (int)(reinterpret_cast<INT_PTR>(p) & 0xF0) >> 4; }

TEST(ListPanelRows, RebuiltRowsStartEnabledAndEmptySubListsDisable)
{
    // Fake sub-list pointers carry their row count in bits 4-7.
    auto* empty = reinterpret_cast<CListPanelItem*>(INT_PTR(0x1000));
    auto* two = reinterpret_cast<CListPanelItem*>(INT_PTR(0x1020));
    ListPanelRows rows = {ListPanelEntry(L"plain"), ListPanelEntry(L"empty", empty), ListPanelEntry(L"two", two, L"t")};
    rows[0].disabled = 1;
    ListPanelRows fresh = RebuildListPanelRows(rows);
    EXPECT_EQ(0, fresh[0].disabled);
    EXPECT_STREQ(L"t", fresh[2].tooltip);
    EXPECT_EQ(two, fresh[2].subList);
    DisableEmptySubLists(fresh, &SizeOfFake);
    EXPECT_EQ(0, fresh[0].disabled);
    EXPECT_EQ(1, fresh[1].disabled);
    EXPECT_EQ(0, fresh[2].disabled);
    EXPECT_TRUE(ListPanelRowSelectable(fresh, 0));
    EXPECT_FALSE(ListPanelRowSelectable(fresh, 1));
    EXPECT_FALSE(ListPanelRowSelectable(fresh, 3));
    EXPECT_EQ(sizeof(void*), sizeof(fresh[0].subList));
}

TEST(ListColumnBook, RefusesBadAndEleventhColumns)
{
    CListColumnBook<int> book(10);
    EXPECT_EQ(-1, book.Add(-1, 1, 0));
    EXPECT_EQ(-1, book.Add(3, -1, 0));
    for (int id = 0; id < 10; ++id) EXPECT_EQ(id, book.Add(id * 2, 1, id));
    EXPECT_EQ(-1, book.Add(99, 1, 0));  // the eleventh
    EXPECT_EQ(-1, book.Add(4, 1, 0));   // present already
    EXPECT_EQ(10, book.Count());
    EXPECT_EQ(18, book.IdAt(9));
    EXPECT_EQ(-1, book.IdAt(10));
    EXPECT_EQ(3, book.PositionOf(6));
    EXPECT_EQ(nullptr, book.Find(99));

    CListColumnBook<int> macro(2);
    EXPECT_EQ(0, macro.Add(6, 1, 0));
    EXPECT_EQ(1, macro.Add(5, 0, 0));
    EXPECT_EQ(-1, macro.Add(7, 1, 0));
    EXPECT_EQ(6, macro.IdAt(0));
}

TEST(ListColumnBook, CheckBoxColumns)
{
    std::vector<int> states = {0, 1, -1, 0};
    EXPECT_FALSE(ApplyCheckBoxClick(states, 1, true));  // the checked row: nothing
    EXPECT_EQ((std::vector<int>{0, 1, -1, 0}), states);
    EXPECT_TRUE(ApplyCheckBoxClick(states, 3, true));
    EXPECT_EQ((std::vector<int>{0, 0, -1, 1}), states);
    EXPECT_FALSE(ApplyCheckBoxClick(states, 2, true));  // no check box
    EXPECT_FALSE(ApplyCheckBoxClick(states, 4, false));
    EXPECT_TRUE(ApplyCheckBoxClick(states, 3, false));
    EXPECT_EQ(0, states[3]);
    EXPECT_FALSE(AllRowsChecked(states));
    std::vector<int> all = {1, -1, 1};
    EXPECT_TRUE(AllRowsChecked(all));
    EXPECT_FALSE(AllRowsChecked(std::vector<int>{-1}));
    EXPECT_EQ(194, ListTotalWidth(12, 2, {100, 50, 30}));
}
