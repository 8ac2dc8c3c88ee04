// Key-definition and key-defaults files: the reader's bounds and results,
// the usable-key and derived-code rules, and the generated files of bin\.
#include <windows.h>

#include <gtest/gtest.h>

#include "KeyDefFiles.h"
#include "KeyboardDef.h"

namespace {

std::vector<TestKey> ThreeKeys()
{
    return {{L"a A", {{0x1E, 0}}}, {L"Right Control", {{0x1D, 1}}}, {L"b B", {{0x30, 0}}}};
}

}  // namespace

TEST(KeyboardDef, HashIsDjb2OverUtf16Units)
{
    EXPECT_EQ(5381u, HashKeyName(L""));
    EXPECT_EQ(5381u * 33u + L'a', HashKeyName(L"a"));
    EXPECT_EQ(HashKeyName(std::wstring(L"Num Lock")), HashKeyName(L"Num Lock"));
    // Wraps at 32 bits.
    uint32_t h = 5381;
    for (wchar_t c : std::wstring(L"Print Screen (Note 1)"))
        h = h * 33u + c;
    EXPECT_EQ(h, HashKeyName(L"Print Screen (Note 1)"));
}

TEST(KeyboardDef, ExactFileLoadsAndASpareByteFailsKeepingTheRecords)
{
    std::vector<uint8_t> file = MakeKeyDefFile(ThreeKeys());
    {
        CKeyboardDef def;
        EXPECT_TRUE(def.LoadKeyDefinitions(file.size(), file.data()));
        EXPECT_EQ(3u, def.Keys().size());
        EXPECT_EQ(7, def.Keys()[0].value1);
        EXPECT_EQ(-1, def.Keys()[0].value2);
        KeyCode rc = def.FindKeyByHash(HashKeyName(L"Right Control"));
        EXPECT_EQ(0x1D, rc.code);
        EXPECT_EQ(1, rc.flag);
        // A second load reads nothing.
        std::vector<uint8_t> other = MakeKeyDefFile({{L"z Z", {{0x2C, 0}}}});
        EXPECT_TRUE(def.LoadKeyDefinitions(other.size(), other.data()));
        EXPECT_EQ(3u, def.Keys().size());
    }
    file.push_back(0);
    CKeyboardDef spare;
    EXPECT_FALSE(spare.LoadKeyDefinitions(file.size(), file.data()));
    EXPECT_EQ(3u, spare.Keys().size());
    EXPECT_TRUE(spare.IsLoaded());
}

TEST(KeyboardDef, CountsThatDisagreeWithTheDataFail)
{
    std::vector<uint8_t> zero = MakeKeyDefFile({}, 0);
    CKeyboardDef a;
    EXPECT_FALSE(a.LoadKeyDefinitions(zero.size(), zero.data()));

    // Count 5 but three records: ends early, the three stay.
    std::vector<uint8_t> shortFile = MakeKeyDefFile(ThreeKeys(), 5);
    CKeyboardDef b;
    EXPECT_FALSE(b.LoadKeyDefinitions(shortFile.size(), shortFile.data()));
    EXPECT_EQ(3u, b.Keys().size());

    // Count 2 of three records: the data goes on, two stay.
    std::vector<uint8_t> longFile = MakeKeyDefFile(ThreeKeys(), 2);
    CKeyboardDef c;
    EXPECT_FALSE(c.LoadKeyDefinitions(longFile.size(), longFile.data()));
    EXPECT_EQ(2u, c.Keys().size());

    // A record cut in its middle is not read.
    std::vector<uint8_t> cut = MakeKeyDefFile(ThreeKeys());
    cut.resize(cut.size() - 10);
    CKeyboardDef d;
    EXPECT_FALSE(d.LoadKeyDefinitions(cut.size(), cut.data()));
    EXPECT_EQ(2u, d.Keys().size());
}

TEST(KeyboardDef, NullAndTinyDataAreRefusedBeforeTheCount)
{
    uint8_t bytes[3] = {1, 0, 0};
    CKeyboardDef def;
    EXPECT_FALSE(def.LoadKeyDefinitions(0, bytes));
    EXPECT_FALSE(def.LoadKeyDefinitions(16, nullptr));
    EXPECT_FALSE(def.IsLoaded());
    EXPECT_FALSE(def.LoadKeyDefinitions(3, bytes));
    EXPECT_FALSE(def.LoadKeyDefaults(nullptr, 12));
    EXPECT_FALSE(def.LoadKeyDefaults(bytes, 3));
    EXPECT_EQ(0u, def.DefaultCount());
}

TEST(KeyboardDef, HugeNameLengthIsCappedAt512Bytes)
{
    std::vector<uint8_t> file;
    PutU32(file, 1);
    PutU32(file, 0x7FFFFFF0u);  // absurd: read as 512
    for (int i = 0; i < 256; ++i)
        PutU16(file, i < 300 ? L'K' : 0);
    file.resize(file.size() + 164, 0);
    file[4 + 4 + 512 + 4] = 0x11;  // first group-0 code
    CKeyboardDef def;
    EXPECT_TRUE(def.LoadKeyDefinitions(file.size(), file.data()));
    ASSERT_EQ(1u, def.Keys().size());
    EXPECT_EQ(256u, def.Keys()[0].name.size());
    EXPECT_EQ(0x11, def.Keys()[0].derivedCode);

    // The same absurd length on a short file does not read past the end.
    std::vector<uint8_t> shortFile(file.begin(), file.begin() + 100);
    CKeyboardDef cut;
    EXPECT_FALSE(cut.LoadKeyDefinitions(shortFile.size(), shortFile.data()));
    EXPECT_TRUE(cut.Keys().empty());
}

TEST(KeyboardDef, ReservedNamesAndNegativeCodesAreKeptButNotFound)
{
    std::vector<TestKey> keys = {{L"none", {{0x10, 0}}},
                                 {L"Do Not Use", {{0x11, 0}}},
                                 {L"Neg", {{0x8000, 0}}},
                                 {L"Good", {{0x12, 0}}}};
    std::vector<uint8_t> file = MakeKeyDefFile(keys);
    CKeyboardDef def;
    EXPECT_TRUE(def.LoadKeyDefinitions(file.size(), file.data()));
    EXPECT_EQ(4u, def.Keys().size());
    EXPECT_EQ(1u, def.UsableKeyCount());
    EXPECT_EQ(nullptr, def.KeyRecordMapFind(HashKeyName(L"none")));
    EXPECT_EQ(nullptr, def.KeyRecordMapFind(HashKeyName(L"Neg")));
    EXPECT_EQ(0u, def.FindKeyByScanCode(0x10));
    EXPECT_EQ(HashKeyName(L"Good"), def.FindKeyByScanCode(0x12));
    // An unknown hash answers {0, 0} and adds nothing.
    EXPECT_EQ(KeyCode{}, def.FindKeyByHash(12345));
    EXPECT_EQ(1u, def.UsableKeyCount());
}

TEST(KeyboardDef, DerivedCodeFollowsThePrefixedRun)
{
    KeyDefRecord r;
    r.codes[0][0] = {0x1D, 1};
    r.codes[0][1] = {0x2E, 0};
    r.codes[0][2] = {0x30, 0};
    CKeyboardDef::DeriveCode(r);
    EXPECT_EQ(0x30, r.derivedCode);
    EXPECT_EQ(1, r.derivedFlag);

    KeyDefRecord plain;
    plain.codes[0][0] = {0x1E, 0};
    plain.codes[0][1] = {0x55, 0};
    CKeyboardDef::DeriveCode(plain);
    EXPECT_EQ(0x1E, plain.derivedCode);
    EXPECT_EQ(0, plain.derivedFlag);

    // The run stops at a flagged entry, and never takes the tenth entry.
    KeyDefRecord full;
    full.codes[0][0] = {1, 2};
    for (int i = 1; i < 10; ++i)
        full.codes[0][i] = {(uint16_t)(0x40 + i), 0};
    CKeyboardDef::DeriveCode(full);
    EXPECT_EQ(0x48, full.derivedCode);
    full.codes[0][3].flag = 1;
    CKeyboardDef::DeriveCode(full);
    EXPECT_EQ(0x42, full.derivedCode);
}

TEST(KeyboardDef, SameDerivedCodeFindsTheSmallerHash)
{
    std::vector<uint8_t> file = MakeKeyDefFile({{L"one", {{0x20, 0}}}, {L"two", {{0x20, 0}}}});
    CKeyboardDef def;
    ASSERT_TRUE(def.LoadKeyDefinitions(file.size(), file.data()));
    uint32_t a = HashKeyName(L"one"), b = HashKeyName(L"two");
    EXPECT_EQ(a < b ? a : b, def.FindKeyByScanCode(0x20));
    EXPECT_EQ(0u, def.FindKeyByScanCode(0x10020));  // flag differs
}

TEST(KeyboardDef, DefaultsCountMustMatchTheSizeRoundedDown)
{
    std::vector<uint8_t> file;
    PutU32(file, 2);
    PutU32(file, 100);
    PutU32(file, 0xFF01001Eu);  // bits 24-31 ignored
    PutU32(file, 100);
    PutU32(file, 0x0000002Fu);  // the later entry of a key wins
    file.insert(file.end(), {1, 2, 3});
    CKeyboardDef def;
    EXPECT_TRUE(def.LoadKeyDefaults(file.data(), file.size()));
    EXPECT_EQ(1u, def.DefaultCount());
    EXPECT_EQ(0x2F, def.DefaultCode(100).code);
    EXPECT_EQ(0, def.DefaultCode(100).flag);
    EXPECT_EQ(KeyCode{}, def.DefaultCode(7));

    file.resize(4 + 8 * 3);
    CKeyboardDef more;
    EXPECT_FALSE(more.LoadKeyDefaults(file.data(), file.size()));
    EXPECT_EQ(0u, more.DefaultCount());

    std::vector<uint8_t> empty;
    PutU32(empty, 0);
    EXPECT_TRUE(more.LoadKeyDefaults(empty.data(), empty.size()));

    std::vector<uint8_t> huge;
    PutU32(huge, 0xFFFFFFFFu);
    EXPECT_FALSE(more.LoadKeyDefaults(huge.data(), huge.size()));
}

namespace {

struct TableRow {
    const wchar_t* name;
    uint16_t code;
    uint8_t flag;
};
const TableRow kKeyTable[] = {
#include "KeyboardKeyTable.inc"
};

}  // namespace

TEST(KeyboardDef, GeneratedFilesHoldEveryKeyOfTheTable)
{
    std::vector<uint8_t> defs = ReadWholeFile(L"bin\\KbdDefWindows.bin");
    std::vector<uint8_t> defaults = ReadWholeFile(L"bin\\KbdDefaultsWindows.bin");
    ASSERT_FALSE(defs.empty());
    ASSERT_FALSE(defaults.empty());
    CKeyboardDef def;
    ASSERT_TRUE(def.LoadKeyDefinitions(defs.size(), defs.data()));
    ASSERT_TRUE(def.LoadKeyDefaults(defaults.data(), defaults.size()));
    ASSERT_EQ(108u, sizeof(kKeyTable) / sizeof(kKeyTable[0]));
    EXPECT_EQ(108u, def.Keys().size());
    EXPECT_EQ(108u, def.UsableKeyCount());
    EXPECT_EQ(108u, def.DefaultCount());
    for (const TableRow& row : kKeyTable) {
        uint32_t hash = HashKeyName(row.name);
        KeyCode c = def.FindKeyByHash(hash);
        EXPECT_EQ(row.code, c.code) << row.name;
        EXPECT_EQ(row.flag, c.flag) << row.name;
        EXPECT_EQ(hash, def.FindKeyByScanCode(row.code | (uint32_t)row.flag << 16)) << row.name;
        EXPECT_EQ(c, def.DefaultCode(hash)) << row.name;
    }
    EXPECT_EQ(1, def.FindKeyByHash(HashKeyName(L"Right Control")).flag);
    EXPECT_EQ(0x45, def.FindKeyByHash(HashKeyName(L"Num Lock")).code);
    EXPECT_NE(def.FindKeyByHash(HashKeyName(L"Pause")), def.FindKeyByHash(HashKeyName(L"Num Lock")));
}
