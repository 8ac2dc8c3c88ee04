#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "APM.h"
#include "Macro.h"
#include "QvApp.h"

namespace {

MacroEvent Key(int scan, uint32_t flags) { return {MacroEvent::kKey, scan, flags}; }

std::vector<int> KeysOf(const CAPMList& list)
{
    std::vector<int> keys;
    for (size_t i = 0; i < list.Count(); ++i)
        keys.push_back(list.GetAt(i)->key);
    return keys;
}

}  // namespace

TEST(MacroList, AddIgnoresCaseOfExistingNamesAndFindsBothWays)
{
    CMacroList list;
    CMacro* m = list.Add(L"Combo", {Key(0x1E, 255)});
    ASSERT_NE(nullptr, m);
    EXPECT_EQ(nullptr, list.Add(L"COMBO", {}));
    EXPECT_EQ(1u, list.Count());
    EXPECT_EQ(m, list.FindByName(L"cOmBo"));
    EXPECT_EQ(nullptr, list.FindByName(nullptr));
    m->guid = {0x11, 0x22, 0x33, {1, 2, 3, 4, 5, 6, 7, 8}};
    EXPECT_EQ(m, list.FindByGuid(m->guid));
    EXPECT_EQ(nullptr, list.FindByGuid(GUID{}));
    EXPECT_EQ(nullptr, list.GetAt(1));
}

TEST(MacroList, LongNamesAreCutTo255AndStillClash)
{
    std::wstring longName(400, L'x');
    CMacroList list;
    CMacro* m = list.Add(longName.c_str(), {});
    ASSERT_NE(nullptr, m);
    EXPECT_EQ(255u, wcslen(m->name));
    // Same first 255 characters: the same stored name.
    EXPECT_EQ(nullptr, list.Add((longName + L"y").c_str(), {}));
}

TEST(MacroList, DeleteIgnoresForeignPointers)
{
    CMacroList list;
    CMacro* a = list.Add(L"a", {});
    std::unique_ptr<CMacro> foreign(new CMacro);
    EXPECT_FALSE(list.Delete(foreign.get()));
    EXPECT_FALSE(list.Delete(nullptr));
    EXPECT_EQ(1u, list.Count());
    EXPECT_TRUE(list.Delete(a));
    EXPECT_EQ(0u, list.Count());
}

TEST(Macro, EqualityNeedsGuidNameIgnoringCaseAndEvents)
{
    CMacro a(L"Macro", {Key(1, 255), Key(1, 1)});
    CMacro b(L"MACRO", {Key(1, 255), Key(1, 1)});
    EXPECT_TRUE(a.IsEqual(b));
    b.guid.Data1 = 7;
    EXPECT_FALSE(a.IsEqual(b));
    b.guid = a.guid;
    b.events[1].flags = 2;
    EXPECT_FALSE(a.IsEqual(b));
    b.events.pop_back();
    EXPECT_FALSE(a.IsEqual(b));
}

TEST(Macro, EventEditingRefusesIndexesAtOrPastTheEnd)
{
    CMacro m(L"m", {Key(5, 255)});
    const MacroEvent e = {MacroEvent::kDelay, 40, 0};
    EXPECT_FALSE(m.ReplaceEvent(1, e));
    EXPECT_FALSE(m.EraseEvent(1));
    ASSERT_EQ(1u, m.events.size());
    EXPECT_TRUE(m.ReplaceEvent(0, e));
    ASSERT_EQ(1u, m.events.size());
    EXPECT_EQ(e, m.EventAt(0));
    EXPECT_THROW(m.EventAt(1), std::out_of_range);
    EXPECT_TRUE(m.EraseEvent(0));
    EXPECT_TRUE(m.events.empty());
}

TEST(QvAppList, NamesAreUniqueIgnoringCase)
{
    CQvAppList apps;
    CQvApp* a = apps.Add(L"Editor.exe");
    ASSERT_NE(nullptr, a);
    EXPECT_EQ(nullptr, apps.Add(L"EDITOR.EXE"));
    EXPECT_EQ(a, apps.FindByName(L"editor.exe"));
    EXPECT_EQ(a, apps.FindByGuid(GUID{}));
    apps.Remove(nullptr);
    EXPECT_EQ(1u, apps.Count());
    apps.Remove(a);
    EXPECT_EQ(0u, apps.Count());
}

TEST(APMList, KeepsAscendingKeysAndRefusesDuplicates)
{
    CAPMList list;
    EXPECT_TRUE(list.Add(1, 2, 30));
    EXPECT_TRUE(list.Add(5, 6, 10));
    EXPECT_TRUE(list.Add(7, 8, 20));
    EXPECT_EQ((std::vector<int>{10, 20, 30}), KeysOf(list));
    EXPECT_FALSE(list.Add(0, 0, 20));
    EXPECT_EQ(3u, list.Count());
    int a = 0, b = 0, key = 0;
    ASSERT_TRUE(list.GetA(1, a));
    ASSERT_TRUE(list.GetBAndKey(1, b, key));
    EXPECT_EQ(7, a);
    EXPECT_EQ(8, b);
    EXPECT_EQ(20, key);
    EXPECT_EQ(list.GetAt(2), list.FindByKey(30));
}

TEST(APMList, IndexOperationsRefuseOutOfRangeAndBAndKeyDoesNotResort)
{
    CAPMList list;
    int a = 0, b = 0, key = 0;
    EXPECT_FALSE(list.SetA(0, 1));
    EXPECT_FALSE(list.GetA(0, a));
    EXPECT_FALSE(list.SetBAndKey(0, 1, 1));
    EXPECT_FALSE(list.GetBAndKey(0, b, key));
    list.Add(0, 0, 10);
    list.Add(0, 0, 20);
    EXPECT_TRUE(list.SetBAndKey(0, 9, 99));
    EXPECT_EQ((std::vector<int>{99, 20}), KeysOf(list));
    list.Clear();
    EXPECT_EQ(0u, list.Count());
}

namespace {

struct Counted {
    static int alive;
    Counted() { ++alive; }
    ~Counted() { --alive; }
};
int Counted::alive = 0;

class CCountedList : public COwningList<Counted> {
public:
    void Add() { m_items.push_back(new Counted); }
};

}  // namespace

TEST(OwningList, DeletingTheListDeletesEveryElement)
{
    {
        CCountedList list;
        list.Add();
        list.Add();
        list.Add();
        EXPECT_EQ(3, Counted::alive);
        EXPECT_TRUE(list.Delete(list.GetAt(1)));
        EXPECT_EQ(2, Counted::alive);
    }
    EXPECT_EQ(0, Counted::alive);
}
