#include <gtest/gtest.h>

#include "RawInput.h"

namespace {
struct Call {
    std::vector<RAWINPUTDEVICE> records;
    UINT size;
};
std::vector<Call> g_calls;
BOOL g_answer = TRUE;

BOOL WINAPI FakeRegister(PCRAWINPUTDEVICE devices, UINT count, UINT size)
{
    g_calls.push_back({std::vector<RAWINPUTDEVICE>(devices, devices + count), size});
    return g_answer;
}

class RawInputList : public ::testing::Test {
protected:
    void SetUp() override { g_calls.clear(); g_answer = TRUE; }
    RawInputUsageList list{&FakeRegister};
    HWND window = (HWND)(INT_PTR)0x1234;
};
}  // namespace

TEST_F(RawInputList, DuplicateUsageKeepsOneEntryAndRegistersOneRecord)
{
    EXPECT_TRUE(list.Add(rawinput::kUsageKeyboard));
    EXPECT_FALSE(list.Add(rawinput::kUsageKeyboard));
    ASSERT_TRUE(list.Register(window));
    ASSERT_EQ(g_calls.size(), 1u);
    ASSERT_EQ(g_calls[0].records.size(), 1u);
    EXPECT_EQ(g_calls[0].size, sizeof(RAWINPUTDEVICE));
    EXPECT_EQ(g_calls[0].records[0].usUsagePage, 1);
    EXPECT_EQ(g_calls[0].records[0].usUsage, 6);
    EXPECT_EQ(g_calls[0].records[0].dwFlags, 0x130u);
    EXPECT_EQ(g_calls[0].records[0].hwndTarget, window);
}

TEST_F(RawInputList, MouseKeepsLegacyMessagesKeyboardDoesNot)
{
    list.Add(rawinput::kUsageKeyboard);
    list.Add(rawinput::kUsageMouse);
    ASSERT_TRUE(list.Register(window));
    ASSERT_EQ(g_calls[0].records.size(), 2u);
    EXPECT_EQ(g_calls[0].records[0].dwFlags, 0x130u);
    EXPECT_EQ(g_calls[0].records[1].usUsage, 2);
    EXPECT_EQ(g_calls[0].records[1].dwFlags, 0x100u);
}

TEST_F(RawInputList, SecondRegistrationIsRefusedAndFirstTargetStays)
{
    list.Add(rawinput::kUsageKeyboard);
    ASSERT_TRUE(list.Register(window));
    list.Add(rawinput::kUsageMouse);
    EXPECT_FALSE(list.Register((HWND)(INT_PTR)0x5678));
    EXPECT_EQ(g_calls.size(), 1u);
    EXPECT_EQ(list.Target(), window);
}

TEST_F(RawInputList, EmptyListOrNullWindowIsRefusedWithoutRecords)
{
    EXPECT_FALSE(list.Register(window));
    list.Add(rawinput::kUsageKeyboard);
    EXPECT_FALSE(list.Register(nullptr));
    EXPECT_FALSE(list.HasDevices());
    EXPECT_TRUE(g_calls.empty());
}

TEST_F(RawInputList, UnregisterRemovesOnlyTheRegisteredRecordsAndForgetsUsages)
{
    list.Add(rawinput::kUsageKeyboard);
    ASSERT_TRUE(list.Register(window));
    // A usage added after the registration must not make the removal read
    // past the registered records.
    list.Add(rawinput::kUsageMouse);
    list.Unregister();
    ASSERT_EQ(g_calls.size(), 2u);
    ASSERT_EQ(g_calls[1].records.size(), 1u);
    EXPECT_EQ(g_calls[1].records[0].dwFlags, (DWORD)RIDEV_REMOVE);
    EXPECT_EQ(g_calls[1].records[0].hwndTarget, nullptr);
    EXPECT_TRUE(list.Usages().empty());
    EXPECT_FALSE(list.IsRegistered());
    EXPECT_FALSE(list.Register(window));  // usages must be added again
}

TEST_F(RawInputList, UnregisterWithNothingRegisteredMakesNoCall)
{
    list.Add(rawinput::kUsageKeyboard);
    list.Unregister();
    EXPECT_TRUE(g_calls.empty());
    EXPECT_TRUE(list.Usages().empty());
}

TEST_F(RawInputList, FailedRegistrationHoldsNothing)
{
    g_answer = FALSE;
    list.Add(rawinput::kUsageKeyboard);
    list.Add(rawinput::kUsageMouse);
    EXPECT_FALSE(list.Register(window));
    EXPECT_FALSE(list.HasDevices());
    EXPECT_TRUE(list.Usages().empty());
    // The next widget registers its own usages, without the failed one's.
    g_answer = TRUE;
    list.Add(rawinput::kUsageKeyboard);
    ASSERT_TRUE(list.Register((HWND)(INT_PTR)0x5678));
    ASSERT_EQ(2u, g_calls.size());
    ASSERT_EQ(1u, g_calls[1].records.size());
    EXPECT_EQ((HWND)(INT_PTR)0x5678, list.Target());
    list.Unregister();
    EXPECT_EQ(3u, g_calls.size());  // the registration in force is removed
}

TEST(RawInputSystem, RealRegistrationSucceedsWithPointerSizedRecords)
{
    HWND w = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(w);
    RawInputUsageList list;
    list.Add(rawinput::kUsageKeyboard);
    EXPECT_TRUE(list.Register(w));
    list.Unregister();
    DestroyWindow(w);
}

TEST(RawMouseButtons, TableMapsDownBitsAndUnknownBitsAreNotAdded)
{
    RawMouseButtonTable table;
    table.Init();
    table.Init();
    EXPECT_EQ(table.Size(), 5u);
    EXPECT_EQ(table.Find(0x1).button, 1);
    EXPECT_EQ(table.Find(0x1).upBit, 0x2);
    EXPECT_EQ(table.Find(0x100).button, 5);
    EXPECT_EQ(table.Find(0x100).upBit, 0x200);
    EXPECT_EQ(table.Find(0x2).button, 0);
    EXPECT_EQ(table.Size(), 5u);
}
