#include <gtest/gtest.h>

#include <vector>

#include "AssignmentValues.h"
#include "FunctionCodeMaps.h"

namespace {

AssignmentRecord Of(int type) { return AssignmentRecord::OfType(type); }

AssignmentRecord WithParams(int type, uint32_t p1, uint32_t p2, uint32_t p3, uint32_t p4)
{
    AssignmentRecord r = Of(type);
    r.params.values[0] = p1;
    r.params.values[1] = p2;
    r.params.values[2] = p3;
    r.params.values[3] = p4;
    return r;
}

AssignmentValue DeviceValue(uint32_t type, uint32_t sub)
{
    AssignmentValue v = ZeroAssignmentValue();
    v.valid = 1;
    v.type = type;
    SetValueU32At(v, 12, sub);
    return v;
}

struct TypeRow {
    int configType;
    uint32_t deviceType;
    uint32_t at12;     // mouse function or sub-function
    int readsBackAs;   // configuration type the value reads back as
};

}  // namespace

TEST(AssignmentValues, EveryConfigurationTypeGetsItsTemplateAndReadsBack)
{
    const TypeRow rows[] = {
        {1, 1, 1, 1},    {2, 1, 2, 2},    {3, 1, 3, 3},    {4, 1, 11, 4},  {5, 5, 0, 5},
        {6, 8, 0, 6},    {7, 8, 0, 6},    {8, 1, 0, 8},    {9, 6, 0, 9},   {10, 1, 8, 10},
        {13, 1, 9, 13},  {14, 1, 10, 14}, {16, 4, 3, 16},  {17, 4, 3, 16}, {18, 4, 3, 16},
        {19, 4, 3, 16},  {20, 4, 3, 16},  {21, 4, 4, 21},  {22, 3, 3, 22}, {23, 3, 3, 22},
        {26, 3, 3, 22},  {27, 3, 3, 22},  {28, 3, 3, 22},  {29, 3, 3, 22}, {30, 3, 3, 22},
        {24, 3, 2, 24},  {25, 3, 1, 25},  {33, 1, 5, 33},  {34, 1, 4, 34}, {41, 1, 6, 41},
        {42, 1, 7, 42},  {63, 9, 0, 63},
    };
    for (const TypeRow& row : rows) {
        SCOPED_TRACE(row.configType);
        AssignmentValue v = ValueFromRecord(Of(row.configType), 77);
        EXPECT_EQ(1u, v.valid);
        EXPECT_EQ(77u, v.target);
        EXPECT_EQ(row.deviceType, v.type);
        if (row.deviceType != 5) {
            EXPECT_EQ(row.at12, ValueU32At(v, 12));
        }
        EXPECT_EQ(row.readsBackAs, RecordFromValue(v).type);
    }
}

TEST(AssignmentValues, TypesWithoutDeviceFunctionGiveAZeroValueWithTarget)
{
    for (int type : {-1, 0, 11, 12, 15, 31, 64, 65, 1000}) {
        SCOPED_TRACE(type);
        AssignmentValue v = ValueFromRecord(WithParams(type, 1, 2, 3, 4), 9);
        EXPECT_EQ(0u, v.valid);
        EXPECT_EQ(9u, v.target);
        EXPECT_EQ(0u, v.type);
        for (uint8_t b : v.params)
            EXPECT_EQ(0, b);
    }
}

TEST(AssignmentValues, UnmatchedDeviceValuesReadAsNoFunction)
{
    EXPECT_EQ(-1, RecordFromValue(DeviceValue(1, 12)).type);  // no mouse function 12
    EXPECT_EQ(-1, RecordFromValue(DeviceValue(3, 4)).type);
    EXPECT_EQ(-1, RecordFromValue(DeviceValue(4, 1)).type);
    EXPECT_EQ(-1, RecordFromValue(DeviceValue(7, 0)).type);  // no template builds type 7
    EXPECT_EQ(-1, RecordFromValue(DeviceValue(0, 0)).type);
    EXPECT_EQ(-1, RecordFromValue(DeviceValue(99, 0)).type);
    // Type 2 matches no template either: nothing produces it.
    EXPECT_EQ(-1, RecordFromValue(DeviceValue(2, 0)).type);
}

TEST(AssignmentValues, MacroValuesCarryGuidPlayModeAndCount)
{
    const int modes[][2] = {{1, 1}, {2, 2}, {3, 4}, {4, 3}, {0, 0}, {9, 0}};
    for (auto m : modes) {
        SCOPED_TRACE(m[0]);
        // Type 7 (macro by name) is sent like type 6, with the record's GUID.
        AssignmentRecord r = WithParams(7, 0x11111111, 0x22222222, 0x33333333, 0x44444444);
        r.mode = m[0];
        r.count = 0x1203;
        AssignmentValue v = ValueFromRecord(r, 5);
        EXPECT_EQ(8u, v.type);
        EXPECT_EQ(0x11111111u, ValueU32At(v, 12));
        EXPECT_EQ(0x22222222u, ValueU32At(v, 16));
        EXPECT_EQ(0x33333333u, ValueU32At(v, 20));
        EXPECT_EQ(0x44444444u, ValueU32At(v, 24));
        EXPECT_EQ(m[1], ValueByteAt(v, 28));
        EXPECT_EQ(0x03, ValueByteAt(v, 29));

        AssignmentRecord back = RecordFromValue(v);
        EXPECT_EQ(6, back.type);
        EXPECT_EQ(0x44444444u, back.params.values[3]);
        EXPECT_EQ(m[1] ? m[0] : 0, back.mode);
        EXPECT_EQ(3, back.count);
    }
}

TEST(AssignmentValues, ProfileAndLaunchValuesKeepTheirGuids)
{
    AssignmentRecord profile = WithParams(22, 1, 2, 3, 4);
    AssignmentValue v = ValueFromRecord(profile, 1);
    EXPECT_EQ(3u, ValueU32At(v, 12));
    EXPECT_EQ(1u, ValueU32At(v, 16));
    EXPECT_EQ(4u, ValueU32At(v, 28));
    AssignmentRecord back = RecordFromValue(v);
    EXPECT_EQ(22, back.type);
    EXPECT_EQ(0, memcmp(profile.params.values, back.params.values, 16));

    // Next/previous profile carry no GUID even when the record has one.
    AssignmentValue next = ValueFromRecord(WithParams(24, 1, 2, 3, 4), 1);
    EXPECT_EQ(2u, ValueU32At(next, 12));
    EXPECT_EQ(0u, ValueU32At(next, 16));

    AssignmentRecord launch = WithParams(63, 5, 6, 7, 8);
    v = ValueFromRecord(launch, 2);
    EXPECT_EQ(9u, v.type);
    EXPECT_EQ(5u, ValueU32At(v, 12));
    EXPECT_EQ(8u, ValueU32At(v, 24));
    back = RecordFromValue(v);
    EXPECT_EQ(63, back.type);
    EXPECT_EQ(0, memcmp(launch.params.values, back.params.values, 16));
}

TEST(AssignmentValues, SensitivityStagesAndOnTheFlyValues)
{
    // A stage function built with zero parameters sends its template's stage.
    EXPECT_EQ(0u, ValueU32At(ValueFromRecord(Of(16), 1), 16));
    EXPECT_EQ(3u, ValueU32At(ValueFromRecord(Of(19), 1), 16));
    // A stage in the record's first parameter wins.
    AssignmentValue v = ValueFromRecord(WithParams(17, 4, 0, 0, 0), 1);
    EXPECT_EQ(4u, ValueU32At(v, 16));
    AssignmentRecord back = RecordFromValue(v);
    EXPECT_EQ(16, back.type);
    EXPECT_EQ(4u, back.params.values[0]);

    v = ValueFromRecord(WithParams(21, 9, 0x10320, 0x20540, 0), 1);
    EXPECT_EQ(4u, ValueU32At(v, 12));
    EXPECT_EQ(0u, ValueU32At(v, 16));
    EXPECT_EQ(0x0320, ValueU16At(v, 24));
    EXPECT_EQ(0x0540, ValueU16At(v, 26));
    back = RecordFromValue(v);
    EXPECT_EQ(21, back.type);
    EXPECT_EQ(0u, back.params.values[0]);
    EXPECT_EQ(0x320u, back.params.values[1]);
    EXPECT_EQ(0x540u, back.params.values[2]);
}

TEST(AssignmentValues, KeyValuesCarryScanCodeAndModifierBits)
{
    AssignmentRecord r = Of(5);
    r.SetKey(0x1E, 0x41, kModCtrl | kModShift | kModExtended);
    AssignmentValue v = ValueFromRecord(r, 0xABCD1234);
    EXPECT_EQ(0xABCD1234u, v.target);
    EXPECT_EQ(0x1E, ValueU16At(v, 12));
    EXPECT_EQ(0x0D000000u, ValueU32At(v, 14));
    AssignmentRecord back = RecordFromValue(v);
    EXPECT_EQ(5, back.type);
    EXPECT_EQ(0x1E, back.ScanCode());
    EXPECT_EQ(kModCtrl | kModShift | kModExtended, back.Modifiers());
    // Bytes after the key fields are cleared on read.
    EXPECT_EQ(0u, back.params.values[2]);

    r.SetKey(0x38, 0x12, kModAlt);
    EXPECT_EQ(0x02000000u, ValueU32At(ValueFromRecord(r, 0), 14));
}

TEST(AssignmentValues, PauseAndNumLockShareAScanCode)
{
    AssignmentRecord pause = Of(5);
    pause.SetKey(0x45, 0x13, 0);
    AssignmentValue v = ValueFromRecord(pause, 1);
    EXPECT_EQ(0x1000000u, ValueU32At(v, 14));
    AssignmentRecord back = RecordFromValue(v);
    EXPECT_EQ(0x45, back.ScanCode());
    EXPECT_EQ(0x13, back.VirtualKey());
    EXPECT_EQ(0, back.Modifiers() & kModExtended);

    AssignmentRecord numLock = Of(5);
    numLock.SetKey(0x45, 0x90, kModShift);
    back = RecordFromValue(ValueFromRecord(numLock, 1));
    EXPECT_EQ(0x90, back.VirtualKey());
    EXPECT_EQ(kModShift, back.Modifiers());
}

TEST(AssignmentValues, DefaultKeyCodeTurnsAKeyIntoTheDefault)
{
    AssignmentRecord r = Of(5);
    r.SetKey(0x1E, 0, kModExtended);
    EXPECT_FALSE(MarkDefaultKey(r, 0x1E));           // modifiers differ
    EXPECT_FALSE(MarkDefaultKey(r, 0x0001001F));     // scan code differs
    EXPECT_TRUE(MarkDefaultKey(r, 0xFF01001E));      // bits above 23 ignored
    EXPECT_EQ(0, r.type);
    AssignmentRecord off = Of(8);
    EXPECT_FALSE(MarkDefaultKey(off, 0));

    EXPECT_EQ(0, KeyModeFromRecords({}));
    EXPECT_EQ(0, KeyModeFromRecords({Of(8), Of(8)}));
    EXPECT_EQ(1, KeyModeFromRecords({Of(8), Of(0)}));
    EXPECT_EQ(1, KeyModeFromRecords({Of(-1)}));
}

TEST(FunctionCodeMaps, ButtonCodesMapBothWays)
{
    EXPECT_EQ(7u, FunctionCodeMaps::DeviceButtonId(6));
    EXPECT_EQ(6u, FunctionCodeMaps::DeviceButtonId(7));
    EXPECT_EQ(0x40u, FunctionCodeMaps::SupportedBit(6));
    EXPECT_EQ(0x20u, FunctionCodeMaps::SupportedBit(7));
    EXPECT_EQ(8u, FunctionCodeMaps::DeviceButtonId(12));
    EXPECT_EQ(0x100u, FunctionCodeMaps::SupportedBit(13));
    EXPECT_EQ(12u, FunctionCodeMaps::DeviceButtonId(14));
    EXPECT_EQ(0x800u, FunctionCodeMaps::SupportedBit(14));
    EXPECT_EQ(23u, FunctionCodeMaps::DeviceButtonId(25));
    EXPECT_EQ(0x400000u, FunctionCodeMaps::SupportedBit(25));
    uint32_t seen = 0;
    for (int code = 1; code <= 25; ++code) {
        SCOPED_TRACE(code);
        uint32_t id = FunctionCodeMaps::DeviceButtonId(code);
        uint32_t bit = FunctionCodeMaps::SupportedBit(code);
        if (code == 8 || code == 9) {
            EXPECT_EQ(0u, id);
            EXPECT_EQ(0u, bit);
            continue;
        }
        EXPECT_EQ(code, FunctionCodeMaps::ButtonCodeFromDeviceId(id));
        EXPECT_EQ(0u, seen & bit);  // one bit per button
        seen |= bit;
    }
    for (int code : {0, 8, 9, 26, 27, 28, -1})
        EXPECT_EQ(0u, FunctionCodeMaps::DeviceButtonId(code));
    for (uint32_t id : {0u, 24u, 0xFFFFFFFFu})
        EXPECT_EQ(0, FunctionCodeMaps::ButtonCodeFromDeviceId(id));
}

TEST(FunctionCodeMaps, ZoneIdsAndVersionText)
{
    EXPECT_EQ(0, FunctionCodeMaps::ZoneIndexFromId(1));
    EXPECT_EQ(10, FunctionCodeMaps::ZoneIndexFromId(11));
    EXPECT_EQ(-1, FunctionCodeMaps::ZoneIndexFromId(0));
    EXPECT_EQ(-1, FunctionCodeMaps::ZoneIndexFromId(12));
    EXPECT_EQ(L"1.05", FormatVersion(1, 5));
    EXPECT_EQ(L"2.10", FormatVersion(2, 10));
}

namespace {

// The events of a CoTaskMem block from NewMacroBlock, which it frees.
std::vector<MacroDeviceEvent> BlockEvents(MacroBlock* block)
{
    std::vector<MacroDeviceEvent> out;
    if (!block) {
        ADD_FAILURE() << "no block";
        return out;
    }
    EXPECT_EQ(0u, block->reserved);
    out.assign(block->events, block->events + block->count);
    CoTaskMemFree(block);
    return out;
}

std::vector<uint8_t> MakeBlock(const std::vector<MacroDeviceEvent>& events)
{
    std::vector<uint8_t> block(8 + events.size() * 8);
    uint32_t header[2] = {0, (uint32_t)events.size()};
    memcpy(block.data(), header, 8);
    if (!events.empty())
        memcpy(block.data() + 8, events.data(), events.size() * 8);
    return block;
}

}  // namespace

TEST(MacroBlocks, EventsGoToTheDeviceFormat)
{
    const std::vector<MacroEvent> events = {
        {MacroEvent::kKey, 0x1E | (0x41 << 16), 255},
        {MacroEvent::kKey, 0x1E | (0x41 << 16), 1},
        {MacroEvent::kKey, 0x4B, 255 | 0x100},
        {MacroEvent::kKey, 0x45 | (0x13 << 16), 1},  // Pause goes as extended
        {MacroEvent::kMouseButton, 1, 255},
        {MacroEvent::kMouseButton, 5, 1},
        {MacroEvent::kMouseButton, 6, 255},          // no such button
        {MacroEvent::kDelay, 0, 0},
        {MacroEvent::kDelay, 250, 0},
        {7, 1, 1},                                   // unknown kind: left out
    };
    std::vector<MacroDeviceEvent> d = BlockEvents(NewMacroBlock(events));
    ASSERT_EQ(9u, d.size());
    EXPECT_EQ(2u, d[0].kind);
    EXPECT_EQ(0x1Eu, d[0].data);
    EXPECT_EQ(0x1Eu | (1u << 16), d[1].data);
    EXPECT_EQ(0x4Bu | (2u << 16), d[2].data);
    EXPECT_EQ(0x45u | (3u << 16), d[3].data);
    EXPECT_EQ(1u, d[4].kind);
    EXPECT_EQ(0x001u, d[4].data);
    EXPECT_EQ(0x200u, d[5].data);
    EXPECT_EQ(0u, d[6].data);
    EXPECT_EQ(3u, d[7].kind);
    EXPECT_EQ(0u, d[7].data);
    EXPECT_EQ(250u, d[8].data);

    EXPECT_TRUE(BlockEvents(NewMacroBlock({})).empty());
}

TEST(MacroBlocks, DeviceBlocksReadBackIntoMacroEvents)
{
    CMacro m(L"M", {{MacroEvent::kDelay, 5, 0}});
    std::vector<uint8_t> block = MakeBlock({
        {1, 0x004}, {1, 0x080},
        {2, 0x1E}, {2, 0x4B | (3u << 16)},
        {2, 0x45 | (2u << 16)}, {2, 0x45 | (1u << 16)},
        {3, 1000},
        {1, 0x400},  // unknown mouse code: skipped
        {9, 1},      // unknown kind: skipped
    });
    EXPECT_TRUE(MacroEventsFromBlock(m, block.data(), block.size()));
    const std::vector<MacroEvent> expected = {
        {MacroEvent::kMouseButton, 2, 255}, {MacroEvent::kMouseButton, 4, 1},
        {MacroEvent::kKey, 0x1E, 255},      {MacroEvent::kKey, 0x4B, 1 | 0x100},
        {MacroEvent::kKey, 0x45 | (0x13 << 16), 255},
        {MacroEvent::kKey, 0x45 | (0x90 << 16), 1},
        {MacroEvent::kDelay, 1000, 0},
    };
    EXPECT_EQ(expected, m.events);

    // Round trip: what goes out comes back.
    MacroBlock* again = NewMacroBlock(m.events);
    ASSERT_NE(nullptr, again);
    CMacro copy;
    EXPECT_TRUE(ReadMacroTaskBlock(copy, again));
    CoTaskMemFree(again);
    EXPECT_EQ(expected, copy.events);

    std::vector<uint8_t> empty = MakeBlock({});
    EXPECT_FALSE(MacroEventsFromBlock(m, empty.data(), empty.size()));
    EXPECT_TRUE(m.events.empty());
}

TEST(MacroBlocks, TruncatedBlocksAreRefusedAndLeaveTheMacro)
{
    CMacro m(L"M", {{MacroEvent::kDelay, 5, 0}});
    std::vector<uint8_t> block = MakeBlock({{3, 1}, {3, 2}});
    EXPECT_FALSE(MacroEventsFromBlock(m, block.data(), block.size() - 1));
    EXPECT_FALSE(MacroEventsFromBlock(m, block.data(), 7));
    EXPECT_FALSE(MacroEventsFromBlock(m, nullptr, 100));
    uint32_t huge = 0xFFFFFFFF;
    memcpy(block.data() + 4, &huge, 4);
    EXPECT_FALSE(MacroEventsFromBlock(m, block.data(), block.size()));
    ASSERT_EQ(1u, m.events.size());
    EXPECT_EQ(5, m.events[0].value);
}

TEST(MacroBlocks, ServiceBlocksAreCheckedAgainstTheirAllocation)
{
    CMacro m(L"M", {{MacroEvent::kDelay, 5, 0}});
    EXPECT_FALSE(ReadMacroTaskBlock(m, nullptr));

    // A count larger than the allocation holds is refused unread.
    auto* block = static_cast<MacroBlock*>(CoTaskMemAlloc(offsetof(MacroBlock, events) + 2 * 8));
    ASSERT_NE(nullptr, block);
    block->reserved = 0;
    block->count = 3;
    block->events[0] = {3, 1};
    block->events[1] = {3, 2};
    EXPECT_FALSE(ReadMacroTaskBlock(m, block));
    ASSERT_EQ(1u, m.events.size());
    EXPECT_EQ(5, m.events[0].value);

    block->count = 2;
    EXPECT_TRUE(ReadMacroTaskBlock(m, block));
    ASSERT_EQ(2u, m.events.size());
    EXPECT_EQ(2, m.events[1].value);

    // An empty block is a valid read of an empty macro.
    block->count = 0;
    EXPECT_TRUE(ReadMacroTaskBlock(m, block));
    EXPECT_TRUE(m.events.empty());
    CoTaskMemFree(block);
}
