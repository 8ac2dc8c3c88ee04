#include <gtest/gtest.h>

#include "PredefinedMacros.h"

namespace {

MacroEvent KeyEvent(int scan, int vk, uint32_t flags) { return {MacroEvent::kKey, scan | vk << 16, flags}; }

}  // namespace

TEST(PredefinedMacros, ZoomInInCapitalsReplacesTheEvents)
{
    std::vector<MacroEvent> events = {{MacroEvent::kDelay, 50, 0}};
    EXPECT_TRUE(g_predefinedMacros.AppendShortcutEvents(L"$ZOOMIN", events));
    const std::vector<MacroEvent> expected = {
        KeyEvent(0x1D, 0xA2, 255), KeyEvent(0x0D, 0xBB, 255), KeyEvent(0x0D, 0xBB, 1), KeyEvent(0x1D, 0xA2, 1)};
    EXPECT_EQ(expected, events);
}

TEST(PredefinedMacros, UnknownNameLeavesTheEvents)
{
    std::vector<MacroEvent> events = {{MacroEvent::kDelay, 50, 0}};
    EXPECT_TRUE(g_predefinedMacros.AppendShortcutEvents(L"$paste2", events));
    EXPECT_TRUE(g_predefinedMacros.AppendShortcutEvents(nullptr, events));
    ASSERT_EQ(1u, events.size());
    EXPECT_EQ(MacroEvent::kDelay, events[0].kind);
}

TEST(PredefinedMacros, EveryShortcutIsModifierKeyKeyModifier)
{
    struct Case {
        const wchar_t* name;
        int modScan, modVk, keyScan, keyVk;
    };
    const Case cases[] = {
        {L"$cut", 0x1D, 0xA2, 0x2D, 'X'},        {L"$copy", 0x1D, 0xA2, 0x2E, 'C'},
        {L"$paste", 0x1D, 0xA2, 0x2F, 'V'},      {L"$undo", 0x1D, 0xA2, 0x2C, 'Z'},
        {L"$all", 0x1D, 0xA2, 0x1E, 'A'},        {L"$find", 0x1D, 0xA2, 0x21, 'F'},
        {L"$new", 0x1D, 0xA2, 0x31, 'N'},        {L"$print", 0x1D, 0xA2, 0x19, 'P'},
        {L"$save", 0x1D, 0xA2, 0x1F, 'S'},       {L"$swapwindows", 0x38, 0xA4, 0x0F, 0x09},
        {L"$closewindow", 0x38, 0xA4, 0x3E, 0x73}, {L"$lockpc", 0x5B, 0x5B, 0x26, 'L'},
        {L"$openexplorer", 0x5B, 0x5B, 0x12, 'E'}, {L"$run", 0x5B, 0x5B, 0x13, 'R'},
        {L"$showdesktop", 0x5B, 0x5B, 0x20, 'D'},  {L"$zoomin", 0x1D, 0xA2, 0x0D, 0xBB},
        {L"$zoomout", 0x1D, 0xA2, 0x0C, 0xBD},
    };
    for (const Case& c : cases) {
        std::vector<MacroEvent> events;
        g_predefinedMacros.AppendShortcutEvents(c.name, events);
        // The Windows key is an extended key, on press and on release.
        const uint32_t ext = c.modScan == 0x5B ? MacroEvent::kExtended : 0;
        const std::vector<MacroEvent> expected = {
            KeyEvent(c.modScan, c.modVk, 255 | ext), KeyEvent(c.keyScan, c.keyVk, 255),
            KeyEvent(c.keyScan, c.keyVk, 1), KeyEvent(c.modScan, c.modVk, 1 | ext)};
        EXPECT_EQ(expected, events) << c.name;
    }
    std::vector<MacroEvent> lock;
    g_predefinedMacros.AppendShortcutEvents(L"$lockpc", lock);
    EXPECT_EQ(511u, lock.front().flags);
    EXPECT_EQ(257u, lock.back().flags);
}

TEST(PredefinedMacros, NameListsHoldNineAndEight)
{
    std::vector<CString> names = {CString(L"stale")};
    g_predefinedMacros.GetShortcutNames(names);
    ASSERT_EQ(9u, names.size());
    EXPECT_STREQ(L"$cut", names.front());
    EXPECT_STREQ(L"$save", names.back());
    g_predefinedMacros.GetShortcutNames2(names);
    ASSERT_EQ(8u, names.size());
    EXPECT_STREQ(L"$swapwindows", names.front());
    EXPECT_STREQ(L"$zoomout", names.back());
}
