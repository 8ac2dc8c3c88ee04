// The macros page's plain rules: inserting commands, the delay boxes, key
// edits, the event limit, the assignments a deleted macro leaves, and which
// controls each recording state enables.
#include <gtest/gtest.h>

#include "AssignmentSweep.h"
#include "ItemIds.h"
#include "MacroControls.h"
#include "MacroEditing.h"
#include "MacroPageCore.h"
#include "ThumbKeyDefaults.h"
#include "VeskConfig.h"

namespace {

MacroEvent Key(int scan, uint32_t flags = 255) { return {MacroEvent::kKey, scan, flags}; }

std::vector<int> Values(const std::vector<MacroEvent>& events)
{
    std::vector<int> v;
    for (const MacroEvent& e : events)
        v.push_back(e.value);
    return v;
}

}  // namespace

TEST(MacroEditing, CommandsGoAfterTheSelectionOrAtTheStart)
{
    const std::vector<MacroEvent> command = {Key(100), Key(101)};
    std::vector<MacroEvent> events = {Key(1), Key(2), Key(3)};
    EXPECT_EQ(3, InsertCommandEvents(events, 1, command));
    EXPECT_EQ((std::vector<int>{1, 2, 100, 101, 3}), Values(events));
    // At the last row, and past the end: appended, the last one selected.
    EXPECT_EQ(6, InsertCommandEvents(events, 4, command));
    EXPECT_EQ(8, InsertCommandEvents(events, 42, command));
    EXPECT_EQ((std::vector<int>{1, 2, 100, 101, 3, 100, 101, 100, 101}), Values(events));
    // No selection: at the start, also in an empty macro.
    std::vector<MacroEvent> empty;
    EXPECT_EQ(1, InsertCommandEvents(empty, -1, command));
    EXPECT_EQ((std::vector<int>{100, 101}), Values(empty));
    EXPECT_EQ(-1, InsertCommandEvents(empty, -1, {}));
    EXPECT_EQ(2u, empty.size());
    EXPECT_EQ(0u, InsertEventsAt(empty, 0, {Key(7)}));
    EXPECT_EQ(3u, InsertEventsAt(empty, 99, {Key(8)}));
    EXPECT_EQ((std::vector<int>{7, 100, 101, 8}), Values(empty));
}

TEST(MacroEditing, DelayBoxesTakeOneToSevenDigits)
{
    DWORD ms = 77;
    EXPECT_EQ(DelayBoxState::Empty, ParseDelayBox(L"", ms));
    EXPECT_EQ(DelayBoxState::Empty, ParseDelayBox(nullptr, ms));
    for (const wchar_t* bad : {L"0", L"0000", L"12a", L"abc", L"-5", L" 5", L"10000000", L"99999999999999999999"})
        EXPECT_EQ(DelayBoxState::Invalid, ParseDelayBox(bad, ms)) << bad;
    EXPECT_EQ(77u, ms);
    EXPECT_EQ(DelayBoxState::Valid, ParseDelayBox(L"9999999", ms));
    EXPECT_EQ(9999999u, ms);
    EXPECT_EQ(DelayBoxState::Valid, ParseDelayBox(L"007", ms));
    EXPECT_EQ(7u, ms);
}

TEST(MacroEditing, KeyEditsKeepKindAndThePressByte)
{
    // A release of A (extended bit clear) with stray high bits.
    const MacroEvent old{MacroEvent::kKey, 0x1E | (0x41 << 16), 0x30001};
    ChosenKey start = KeyOfEvent(old);
    EXPECT_EQ(0x1E, start.scanCode);
    EXPECT_EQ(0x41, start.virtualKey);
    EXPECT_EQ(0, start.flags);

    MacroEvent edited{};
    ChosenKey ctrlShiftB{0x30, 0x42, 0x0C};
    ASSERT_TRUE(EditedKeyEvent(old, ctrlShiftB, edited));
    EXPECT_EQ((MacroEvent{MacroEvent::kKey, 0x30 | (0x42 << 16), 0x30C01}), edited);

    // Same key (modifiers aside), nothing chosen, or not a key: unchanged.
    EXPECT_FALSE(EditedKeyEvent(old, ChosenKey{0x1E, 0x41, 0x08}, edited));
    EXPECT_FALSE(EditedKeyEvent(old, ChosenKey{}, edited));
    EXPECT_FALSE(EditedKeyEvent(MacroEvent{MacroEvent::kDelay, 50, 50}, ctrlShiftB, edited));
    // Left Ctrl to right Ctrl: one scan code, told apart by the extended bit.
    const MacroEvent leftCtrl{MacroEvent::kKey, 0x1D | (0xA2 << 16), 255};
    ASSERT_TRUE(EditedKeyEvent(leftCtrl, ChosenKey{0x1D, 0xA3, 0x01}, edited));
    EXPECT_EQ(0x1FFu, edited.flags);
}

TEST(MacroEditing, EventLimitIsTheDevicesOrTheSkinsSmallerOne)
{
    EXPECT_EQ(kMaxDeviceMacroEvents, MacroEventLimit(0));
    EXPECT_EQ(kMaxDeviceMacroEvents, MacroEventLimit(-3));
    EXPECT_EQ(kMaxDeviceMacroEvents, MacroEventLimit(100000));
    EXPECT_EQ(200u, MacroEventLimit(200));
}

TEST(MacroEditing, DeletingAMacroClearsItsAssignmentsInBothLayouts)
{
    CVeskConfig config;
    IMouseProfile* p1 = config.NewProfile(L"P1");
    IMouseProfile* p2 = config.NewProfile(L"P2");
    CMacro* gone = config.AddMacro(L"Gone");
    CMacro* kept = config.AddMacro(L"Kept");
    gone->guid = GUID{0x11, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
    kept->guid = GUID{0x22, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
    auto byGuid = [](const CMacro* m) {
        AssignmentRecord r = AssignmentRecord::OfType(kFnMacroByGuid);
        memcpy(r.params.bytes, &m->guid, sizeof(GUID));
        r.mode = 1;
        return r;
    };
    AssignmentRecord byName = AssignmentRecord::OfType(kFnMacroByName);
    byName.SetName(L"GONE");
    const uint32_t rowKey = ThumbGridKeyHash(14, false), padKey = ThumbGridKeyHash(25, true);
    config.SetButtonAssignment(4, byGuid(gone), p1);
    config.SetKeyAssignment((int)rowKey, byName, p1);
    config.SetKeyAssignment((int)padKey, byGuid(gone), p2);
    config.SetButtonAssignment(5, byGuid(kept), p2);

    EXPECT_EQ(3, ClearMacroAssignments(config, *gone));
    AssignmentRecord r, def;
    config.GetButtonAssignment(r, 4, p1);
    EXPECT_EQ(kFnBackward, r.type);
    config.GetKeyAssignment(r, (int)rowKey, p1);
    config.GetDefaultKeyRecord(def, rowKey);
    EXPECT_EQ(0, memcmp(&def, &r, sizeof(r)));
    config.GetKeyAssignment(r, (int)padKey, p2);
    config.GetDefaultKeyRecord(def, padKey);
    EXPECT_EQ(0, memcmp(&def, &r, sizeof(r)));
    config.GetButtonAssignment(r, 5, p2);
    EXPECT_EQ(kFnMacroByGuid, r.type);

    // A macro without a GUID matches no by-GUID record (those of others
    // carry theirs, and a null one names no macro).
    CMacro fresh;
    EXPECT_EQ(0, ClearMacroAssignments(config, fresh));
}

TEST(MacroControls, TheFourStatesRules)
{
    struct Case {
        int item;
        const char* enabled;  // per state 0-3, '1' enabled
        const char* shown;
    };
    const Case cases[] = {
        {BUTTON_MANAGEPROFILES, "1100", "1111"},  {LIST_GLOBALMACROLIST, "1100", "1111"},
        {BUTTON_MACRO_RECORD, "1100", "1111"},    {BUTTON_MACRO_DELETE, "0100", "1111"},
        {BUTTON_INSERT_DELAY, "0100", "1111"},    {BUTTON_ADD_ADV_MACRO_CMDS, "0100", "1111"},
        {BUTTON_IGNORE_DELAY, "1100", "1111"},    {BUTTON_MACRO_RECORD_STOP, "0011", "1111"},
        {MACRO_DISPLAY, "1101", "1101"},          {MACRO_DISPLAY_READONLY, "0010", "0010"},
    };
    for (const Case& c : cases) {
        const MacroControlRule* rule = FindMacroControlRule(c.item);
        ASSERT_NE(nullptr, rule) << c.item;
        for (int state = 0; state < 4; ++state) {
            EXPECT_EQ(c.enabled[state] == '1', MacroControlEnabled(*rule, state, false)) << c.item << " " << state;
            EXPECT_EQ(c.shown[state] == '1', MacroControlShown(*rule, state)) << c.item << " " << state;
        }
    }
    // The recording delay box also needs its check box; nothing is enabled
    // in a state that does not exist.
    const MacroControlRule* box = FindMacroControlRule(EDITCTRL_DEFAULT_DELAY);
    EXPECT_FALSE(MacroControlEnabled(*box, kMacroStateIdle, false));
    EXPECT_TRUE(MacroControlEnabled(*box, kMacroStateIdle, true));
    EXPECT_FALSE(MacroControlEnabled(*box, kMacroStateRecording, true));
    EXPECT_FALSE(MacroControlEnabled(*FindMacroControlRule(LIST_GLOBALMACROLIST), 4, false));
    EXPECT_EQ(nullptr, FindMacroControlRule(BUTTON_APPLY));
    EXPECT_STREQ(L"$Stop", MacroStopToolTip(kMacroStatePreview));
    EXPECT_STREQ(L"$StopRecordingMacroEvents", MacroStopToolTip(kMacroStateRecording));
}
