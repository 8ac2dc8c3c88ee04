// The state, profile and macro files: what is written reads back whole, and
// a truncated, damaged, padded or foreign file, or one whose contents the
// device could never hold, is refused without touching what it was read into.
#include <gtest/gtest.h>

#include <cstring>

#include "StateFile.h"

namespace {

using namespace tkservice;

std::vector<DeviceState> Defaults()
{
    std::vector<DeviceState> devices;
    for (const ModelInfo& m : Models()) devices.push_back(DefaultDevice(m.productId));
    return devices;
}

MacroState SomeMacro()
{
    MacroState m;
    m.id = NewGuid();
    m.name = L"Combo";
    m.events = {{2, 0x1E}, {3, 250}, {2, 0x1001E}, {1, 0x10001}};
    return m;
}

bool SameProfile(const ProfileState& a, const ProfileState& b)
{
    return EncodeProfile(a) == EncodeProfile(b);
}

TEST(FileFormat, StateReadsBackWithEveryDeviceValueAndProfileChange)
{
    std::vector<DeviceState> devices = Defaults();
    DeviceState& d = devices[1];
    d.attached = true;
    d.reportInterval = 8;
    d.acceleration = 9;
    d.accelerationOn = false;
    d.batteryLevel = 15;
    d.batteryState = 1;
    d.warningLevel = 7;
    d.reducedBrightness = 33;
    d.idleSeconds = 180;
    d.linked = false;
    d.unitMajor = 3;
    d.unitMinor = 4;
    d.recordLedMode = 2;
    ProfileState& p = *d.profiles[2];
    p.name = L"Shooter";
    p.linkedApp = L"game.exe";
    p.flags = 1;
    p.stages = {{800, 1600}, {2400, 2400}};
    p.currentStage = 2;
    p.dpiX = 800;
    p.dpiY = 1600;
    p.buttons[3].type = 4;
    p.keys[7].type = 8;
    p.keys[7].valid = 0;
    p.zones[1] = {4, false, 0x00FF00, 40, 5, 1, 2};
    d.activeProfile = p.id;
    d.macros.push_back(std::make_shared<MacroState>(SomeMacro()));
    d.actions.push_back({NewGuid(), L"C:\\Games\\game.exe"});

    std::vector<DeviceState> back;
    std::wstring error;
    ASSERT_TRUE(DecodeState(EncodeState(devices), back, error)) << error.c_str();
    ASSERT_EQ(devices.size(), back.size());
    EXPECT_EQ(EncodeState(devices), EncodeState(back));
    EXPECT_TRUE(back[1].attached);
    EXPECT_EQ(L"Shooter", back[1].profiles[2]->name);
    EXPECT_TRUE(IsEqualGUID(p.id, back[1].activeProfile));
    EXPECT_EQ(4u, back[1].macros[0]->events.size());
}

TEST(FileFormat, EveryTruncationOrDamagedByteOfAStateFileIsRefusedWithAReason)
{
    std::vector<BYTE> file = EncodeState(Defaults());
    std::vector<DeviceState> out = Defaults();
    out[0].reportInterval = 4;  // a marker that a refused read must keep
    std::wstring error;
    for (size_t n = 0; n < file.size(); n += 97) {
        std::vector<BYTE> cut(file.begin(), file.begin() + n);
        error.clear();
        ASSERT_FALSE(DecodeState(cut, out, error)) << n;
        EXPECT_FALSE(error.empty());
    }
    for (size_t i = 0; i < file.size(); i += 13) {
        std::vector<BYTE> bad = file;
        bad[i] ^= 0x5A;
        ASSERT_FALSE(DecodeState(bad, out, error)) << i;
    }
    std::vector<BYTE> padded = file;
    padded.push_back(0);
    EXPECT_FALSE(DecodeState(padded, out, error));
    EXPECT_EQ(4u, out[0].reportInterval);
    EXPECT_EQ(5u, out[0].profiles.size());
}

TEST(FileFormat, FilesOfAnotherKindOrVersionAreRefused)
{
    ProfileState p = *DefaultProfile(NewGuid(), L"P");
    MacroState m = SomeMacro();
    std::vector<BYTE> state = EncodeState(Defaults());
    std::vector<BYTE> profile = EncodeProfile(p);
    std::vector<BYTE> macro = EncodeMacro(m);
    std::vector<DeviceState> devices;
    std::wstring error;
    ProfileState pout;
    MacroState mout;
    EXPECT_FALSE(DecodeState(profile, devices, error));
    EXPECT_FALSE(DecodeProfile(macro, pout));
    EXPECT_FALSE(DecodeProfile(state, pout));
    EXPECT_FALSE(DecodeMacro(profile, mout));
    std::vector<BYTE> later = profile;
    later[4] = 2;  // a version this build does not know
    EXPECT_FALSE(DecodeProfile(later, pout));
    EXPECT_TRUE(DecodeProfile(profile, pout));
    EXPECT_TRUE(SameProfile(p, pout));
    EXPECT_TRUE(DecodeMacro(macro, mout));
    EXPECT_EQ(m.events.size(), mout.events.size());
    EXPECT_EQ(L"Combo", mout.name);
}

// A file saved before model 0x2E and before the wireless mouse's unit
// answered a version loads as what it held, with that model in its default
// state and the unit's 0.00 of then made today's default.
TEST(FileFormat, AStateFileOfTheVersionBeforeLoadsWithWhatItLacked)
{
    std::vector<DeviceState> then = Defaults();
    ASSERT_EQ(kQuarelMouse, then.back().productId);
    then.pop_back();
    then[0].unitMajor = then[0].unitMinor = 0;
    then[1].unitMajor = then[1].unitMinor = 0;  // the dock's was set so, and stays
    then[2].attached = true;
    then[2].profiles[1]->name = L"Kept";
    std::vector<BYTE> file = EncodeState(then);
    file[4] = 1;  // the version then, whose layout this is
    std::vector<DeviceState> back;
    std::wstring error;
    ASSERT_TRUE(DecodeState(file, back, error)) << error.c_str();
    ASSERT_EQ(Models().size(), back.size());
    EXPECT_EQ(kQuarelMouse, back[3].productId);
    EXPECT_FALSE(back[3].attached);
    EXPECT_EQ(5u, back[3].profiles.size());
    EXPECT_EQ(1, back[0].unitMajor);
    EXPECT_EQ(5, back[0].unitMinor);
    EXPECT_EQ(0, back[1].unitMajor | back[1].unitMinor);
    EXPECT_TRUE(back[2].attached);
    EXPECT_EQ(L"Kept", back[2].profiles[1]->name);

    // That version never held the new model; a later one is unknown.
    std::vector<BYTE> withNew = EncodeState(Defaults());
    withNew[4] = 1;
    EXPECT_FALSE(DecodeState(withNew, back, error));
    then[2].productId = kQuarelMouse;
    std::vector<BYTE> swapped = EncodeState(then);
    swapped[4] = 1;
    EXPECT_FALSE(DecodeState(swapped, back, error));
    std::vector<BYTE> later = EncodeState(Defaults());
    later[4] = 3;
    EXPECT_FALSE(DecodeState(later, back, error));
    EXPECT_EQ(L"unknown version", error);
    EXPECT_EQ(L"Kept", back[2].profiles[1]->name);
}

// Every shorter copy of the file and every copy with one byte changed.
template <class Decode>
void ExpectEveryCutAndFlipRefused(const std::vector<BYTE>& file, Decode decode)
{
    for (size_t n = 0; n < file.size(); ++n)
        ASSERT_FALSE(decode(std::vector<BYTE>(file.begin(), file.begin() + n))) << "cut at " << n;
    for (size_t i = 0; i < file.size(); ++i) {
        std::vector<BYTE> bad = file;
        bad[i] ^= static_cast<BYTE>(1u << (i % 8));
        ASSERT_FALSE(decode(bad)) << "byte " << i;
    }
}

TEST(FileFormat, ProfileAndMacroFilesRefuseEveryTruncationAndDamagedByte)
{
    ProfileState p = *DefaultProfile(NewGuid(), L"Kept");
    ExpectEveryCutAndFlipRefused(EncodeProfile(*DefaultProfile(NewGuid(), L"Other")),
                                 [&](const std::vector<BYTE>& f) { return DecodeProfile(f, p); });
    EXPECT_EQ(L"Kept", p.name);

    MacroState kept;
    kept.name = L"Kept";
    ExpectEveryCutAndFlipRefused(EncodeMacro(SomeMacro()),
                                 [&](const std::vector<BYTE>& f) { return DecodeMacro(f, kept); });
    EXPECT_EQ(L"Kept", kept.name);
}

// Well-formed files (right magic, size and checksum) whose contents no
// device could hold.
TEST(FileFormat, ProfilesTheDeviceCouldNeverHoldAreRefused)
{
    const ProfileState good = *DefaultProfile(NewGuid(), L"P");
    auto refused = [&](void (*spoil)(ProfileState&)) {
        ProfileState bad = good;
        spoil(bad);
        ProfileState out;
        return !DecodeProfile(EncodeProfile(bad), out);
    };
    EXPECT_TRUE(refused([](ProfileState& p) { p.stages.clear(); }));
    EXPECT_TRUE(refused([](ProfileState& p) { p.stages.resize(6, {800, 800}); }));
    EXPECT_TRUE(refused([](ProfileState& p) { p.stages[0].y = 99; }));
    EXPECT_TRUE(refused([](ProfileState& p) { p.stages[4].x = 5700; }));
    EXPECT_TRUE(refused([](ProfileState& p) { p.currentStage = 0; }));
    EXPECT_TRUE(refused([](ProfileState& p) { p.currentStage = 6; }));
    EXPECT_TRUE(refused([](ProfileState& p) { p.flags = 8; }));
    EXPECT_TRUE(refused([](ProfileState& p) { p.name.assign(256, L'n'); }));
    EXPECT_TRUE(refused([](ProfileState& p) { p.name = std::wstring(L"a\0b", 3); }));
    EXPECT_TRUE(refused([](ProfileState& p) { p.linkedApp.assign(128, L'a'); }));
    EXPECT_TRUE(refused([](ProfileState& p) { p.buttons.pop_back(); }));
    EXPECT_TRUE(refused([](ProfileState& p) { p.buttons[2].target = 99; }));
    EXPECT_TRUE(refused([](ProfileState& p) { p.keys[0].type = 10; }));
    EXPECT_TRUE(refused([](ProfileState& p) { std::swap(p.keys[0], p.keys[1]); }));
    EXPECT_TRUE(refused([](ProfileState& p) { p.zones[0].level = 101; }));
    EXPECT_TRUE(refused([](ProfileState& p) { p.zones[0].colour = 0x1000000; }));
    EXPECT_FALSE(refused([](ProfileState& p) { p.name.assign(255, L'n'); }));
    EXPECT_FALSE(refused([](ProfileState& p) { p.linkedApp.assign(127, L'a'); }));

    MacroState bad = SomeMacro();
    bad.events.push_back({0, 0});
    MacroState out;
    EXPECT_FALSE(DecodeMacro(EncodeMacro(bad), out));
    bad.events.assign(4097, {3, 1});
    EXPECT_FALSE(DecodeMacro(EncodeMacro(bad), out));
}

TEST(FileFormat, StatesTheDeviceCouldNeverHoldAreRefused)
{
    auto refused = [](void (*spoil)(std::vector<DeviceState>&)) {
        std::vector<DeviceState> bad = Defaults();
        spoil(bad);
        std::vector<DeviceState> out;
        std::wstring error;
        return !DecodeState(EncodeState(bad), out, error);
    };
    EXPECT_TRUE(refused([](std::vector<DeviceState>& d) { d.pop_back(); }));
    EXPECT_TRUE(refused([](std::vector<DeviceState>& d) { d[2].productId = 0x1F; }));
    EXPECT_TRUE(refused([](std::vector<DeviceState>& d) { d[1].productId = 0x2F; }));
    EXPECT_TRUE(refused([](std::vector<DeviceState>& d) { d[0].profiles.clear(); }));
    EXPECT_TRUE(refused([](std::vector<DeviceState>& d) { d[0].activeProfile = NewGuid(); }));
    EXPECT_TRUE(refused([](std::vector<DeviceState>& d) { d[0].reportInterval = 3; }));
    EXPECT_TRUE(refused([](std::vector<DeviceState>& d) { d[0].acceleration = 11; }));
    EXPECT_TRUE(refused([](std::vector<DeviceState>& d) { d[0].batteryLevel = -1; }));
    EXPECT_TRUE(refused([](std::vector<DeviceState>& d) {
        while (d[0].profiles.size() < 21) d[0].profiles.push_back(DefaultProfile(NewGuid(), L"x"));
    }));
    EXPECT_FALSE(refused([](std::vector<DeviceState>& d) {
        while (d[0].profiles.size() < 20) d[0].profiles.push_back(DefaultProfile(NewGuid(), L"x"));
    }));
}

TEST(FileFormat, WholeFileWritesReplaceTheOldFileAndReadsRespectTheirLimit)
{
    wchar_t dir[MAX_PATH];
    ASSERT_NE(0u, ::GetTempPathW(MAX_PATH, dir));
    std::wstring path = std::wstring(dir) + L"tk-service-file-test.bin";
    std::vector<BYTE> data(1000, 7), back;
    ASSERT_TRUE(WriteWholeFile(path, data));
    ASSERT_TRUE(WriteWholeFile(path, std::vector<BYTE>(10, 1)));
    ASSERT_TRUE(ReadWholeFile(path, back));
    EXPECT_EQ(std::vector<BYTE>(10, 1), back);
    EXPECT_FALSE(ReadWholeFile(path, back, 9));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW((path + L".tmp").c_str()));
    ::DeleteFileW(path.c_str());
    EXPECT_FALSE(ReadWholeFile(path, back));
}

}  // namespace
