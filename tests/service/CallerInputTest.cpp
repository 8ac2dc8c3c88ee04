// What callers hand in: buffers are never written past the size they give,
// counts and sizes are checked, and a refused write changes nothing.
#include <cstring>

#include "LocalService.h"

namespace {

class CallerInput : public LocalService {
protected:
    void SetUp() override
    {
        LocalService::SetUp();
        profile_ = ProfileAt(0);
        ASSERT_TRUE(profile_);
    }
    Ptr<IProfile> profile_;
};

TEST_F(CallerInput, PropertyReadsStayInsideTheCallersBuffer)
{
    Ptr<IProfileProperties> props = ProfileFeature<IProfileProperties>(profile_.Get());
    BYTE name[256] = {};
    std::memcpy(name, L"game.exe", sizeof(L"game.exe"));
    ASSERT_EQ(S_OK, props->Set(0x80000002, name, 0, 256, 0));

    BYTE small[32];
    std::memset(small, 0xCC, sizeof(small));
    ULONG size = 8;  // room for fewer bytes than the name takes
    EXPECT_LT(props->Get(0x80000002, 0, small, 0, &size), 0);
    EXPECT_EQ(0u, size);
    for (BYTE b : small) EXPECT_EQ(0xCC, b);

    size = 18;  // exactly the name and its terminator
    ASSERT_EQ(S_OK, props->Get(0x80000002, 0, small, 0, &size));
    EXPECT_EQ(18u, size);
    EXPECT_EQ(0xCC, small[18]);

    BYTE one[4] = {0xCC, 0xCC, 0xCC, 0xCC};
    size = 1;
    EXPECT_LT(props->Get(0x80000003, 0, one, 0, &size), 0);
    EXPECT_EQ(0xCC, one[0]);
    size = 2;
    ASSERT_EQ(S_OK, props->Get(0x80000003, 0, one, 0, &size));
    EXPECT_EQ(2u, size);
    EXPECT_EQ(0xCC, one[2]);
    EXPECT_LT(props->Get(0x80000004, 0, one, 0, &size), 0);
    size = 2;
    EXPECT_LT(props->Get(0x80000003, 0, nullptr, 0, &size), 0);
    EXPECT_LT(props->Get(0x80000003, 0, one, 0, nullptr), 0);
}

TEST_F(CallerInput, LinkedProgramNamesUpTo127CharactersAreTakenAndLongerOrUnterminatedOnesRefused)
{
    Ptr<IProfileProperties> props = ProfileFeature<IProfileProperties>(profile_.Get());
    wchar_t buf[128] = {};
    for (int i = 0; i < 127; ++i) buf[i] = L'a';
    ASSERT_EQ(S_OK, props->Set(0x80000002, reinterpret_cast<BYTE*>(buf), 0, 256, 0));

    wchar_t longer[129] = {};
    for (int i = 0; i < 128; ++i) longer[i] = L'b';
    EXPECT_LT(props->Set(0x80000002, reinterpret_cast<BYTE*>(longer), 0, 258, 0), 0);  // over 256 bytes
    wchar_t unterminated[128];
    for (wchar_t& c : unterminated) c = L'c';
    EXPECT_LT(props->Set(0x80000002, reinterpret_cast<BYTE*>(unterminated), 0, 256, 0), 0);
    EXPECT_LT(props->Set(0x80000002, reinterpret_cast<BYTE*>(buf), 0, 1, 0), 0);

    wchar_t back[128] = {};
    ULONG size = 256;
    ASSERT_EQ(S_OK, props->Get(0x80000002, 0, reinterpret_cast<BYTE*>(back), 0, &size));
    EXPECT_EQ(std::wstring(127, L'a'), back);

    // An empty name clears the link; the tray's 128-character buffer holds it.
    wchar_t empty[128] = {};
    ASSERT_EQ(S_OK, props->Set(0x80000002, reinterpret_cast<BYTE*>(empty), 0, 256, 0));
    size = 256;
    ASSERT_EQ(S_OK, props->Get(0x80000002, 0, reinterpret_cast<BYTE*>(back), 0, &size));
    EXPECT_EQ(0u, size);
}

TEST_F(CallerInput, FlagWritesTakeOneKnownBitAtATime)
{
    Ptr<IProfileProperties> props = ProfileFeature<IProfileProperties>(profile_.Get());
    auto set = [&](USHORT bit, USHORT value, ULONG size) {
        USHORT pair[3] = {bit, value, 0};
        return props->Set(0x80000003, reinterpret_cast<BYTE*>(pair), 0, size, 0);
    };
    ASSERT_EQ(S_OK, set(2, 0, 4));
    ASSERT_EQ(S_OK, set(1, 1, 4));
    EXPECT_LT(set(8, 1, 4), 0);
    EXPECT_LT(set(3, 1, 4), 0);
    EXPECT_LT(set(4, 2, 4), 0);
    EXPECT_LT(set(4, 0, 2), 0);
    EXPECT_LT(set(4, 0, 6), 0);
    USHORT flags = 0;
    ULONG size = 2;
    ASSERT_EQ(S_OK, props->Get(0x80000003, 0, reinterpret_cast<BYTE*>(&flags), 0, &size));
    EXPECT_EQ(5u, flags);  // default 6, bit 2 cleared, bit 1 set
}

TEST_F(CallerInput, AssignmentReadsFillNoMoreThanTheGivenCountAndBadWritesChangeNothing)
{
    Ptr<IButtonAssignments> buttons = ProfileFeature<IButtonAssignments>(profile_.Get());
    AssignmentValue all[8];
    std::memset(all, 0xCC, sizeof(all));
    ULONG n = 3;
    ASSERT_EQ(S_OK, buttons->GetAll(&n, all));
    EXPECT_EQ(3u, n);
    EXPECT_EQ(0xCCCCCCCCu, all[3].valid);
    n = 8;
    ASSERT_EQ(S_OK, buttons->GetAll(&n, all));
    EXPECT_EQ(7u, n);  // only what the mouse has
    EXPECT_EQ(0xCCCCCCCCu, all[7].valid);
    n = 0;
    EXPECT_EQ(S_OK, buttons->GetAll(&n, nullptr));
    n = 1;
    EXPECT_LT(buttons->GetAll(&n, nullptr), 0);

    AssignmentValue batch[2] = {all[0], all[1]};
    batch[0].type = 3;
    batch[1].target = 77;  // no such button: the whole batch is refused
    EXPECT_LT(buttons->Set(2, batch), 0);
    batch[1] = all[1];
    batch[1].type = 10;  // no such function type
    EXPECT_LT(buttons->Set(2, batch), 0);
    EXPECT_LT(buttons->Set(0, batch), 0);
    EXPECT_LT(buttons->Set(1, nullptr), 0);
    AssignmentValue now[7];
    n = 7;
    ASSERT_EQ(S_OK, buttons->GetAll(&n, now));
    EXPECT_EQ(0, std::memcmp(all, now, sizeof(now)));

    // The tray writes key values whose valid field is 0.
    Ptr<IKeyAssignments> keys = ProfileFeature<IKeyAssignments>(profile_.Get());
    AssignmentValue key[24];
    n = 24;
    ASSERT_EQ(S_OK, keys->GetAll(&n, key));
    AssignmentValue macro{};
    macro.target = key[5].target;
    macro.type = 8;
    macro.params[16] = 1;
    ASSERT_EQ(S_OK, keys->Set(1, &macro));
    n = 24;
    ASSERT_EQ(S_OK, keys->GetAll(&n, key));
    EXPECT_EQ(0, std::memcmp(&macro, &key[5], sizeof(macro)));
}

TEST_F(CallerInput, StageListsAndSensitivityOutsideTheDeviceRangeAreRefusedWithNothingChanged)
{
    Ptr<IDpiSettings> dpi = ProfileFeature<IDpiSettings>(profile_.Get());
    DpiStage six[6] = {{800, 800}, {900, 900}, {1000, 1000}, {1100, 1100}, {1200, 1200}, {1300, 1300}};
    EXPECT_LT(dpi->SetStages(6, six), 0);
    EXPECT_LT(dpi->SetStages(0, six), 0);
    EXPECT_LT(dpi->SetStages(1, nullptr), 0);
    DpiStage low[2] = {{800, 800}, {99, 800}};
    EXPECT_LT(dpi->SetStages(2, low), 0);
    DpiStage high[1] = {{800, 5700}};
    EXPECT_LT(dpi->SetStages(1, high), 0);
    EXPECT_LT(dpi->SetDpi(5601, 800), 0);
    EXPECT_LT(dpi->SetDpi(800, 0), 0);
    EXPECT_LT(dpi->SetCurrentStage(0), 0);
    EXPECT_LT(dpi->SetCurrentStage(6), 0);

    ULONG count = 0;
    DpiStage* stages = nullptr;
    ASSERT_EQ(S_OK, dpi->GetStages(&count, &stages));
    EXPECT_EQ(5u, count);
    EXPECT_EQ(800u, stages[0].x);
    ::CoTaskMemFree(stages);
    ULONG x = 0, y = 0, stage = 0;
    ASSERT_EQ(S_OK, dpi->GetDpi(&x, &y));
    EXPECT_EQ(1800u, x);
    ASSERT_EQ(S_OK, dpi->GetCurrentStage(&stage));
    EXPECT_EQ(3u, stage);

    // Fewer stages pull the current stage in.
    DpiStage two[2] = {{100, 100}, {5600, 200}};
    ASSERT_EQ(S_OK, dpi->SetStages(2, two));
    ASSERT_EQ(S_OK, dpi->GetCurrentStage(&stage));
    EXPECT_EQ(2u, stage);
}

TEST_F(CallerInput, LightingReportRateSwitchesAndPowerValuesRefuseWhatTheDeviceCannotHold)
{
    Ptr<ILightingZones> zones = ProfileFeature<ILightingZones>(profile_.Get());
    Ptr<ILightingZone> zone;
    ASSERT_EQ(S_OK, zones->Item(0, zone.Out()));
    Ptr<IZoneColorValue> colour = zone.As<IZoneColorValue>();
    Ptr<IZoneBrightness> level = zone.As<IZoneBrightness>();
    Ptr<IZoneEffect> effect = zone.As<IZoneEffect>();
    ASSERT_TRUE(colour && level && effect);
    EXPECT_LT(colour->Set(0x1000000), 0);
    EXPECT_LT(level->Set(101), 0);
    EXPECT_LT(effect->Set(6, 0, 0), 0);
    ASSERT_EQ(S_OK, effect->Set(1, 300, 300));  // the tray's recording light
    ULONG e = 0, v1 = 0, v2 = 0, c = 0, l = 0;
    ASSERT_EQ(S_OK, effect->Get(&e, &v1, &v2));
    EXPECT_EQ(300u, v2);
    ASSERT_EQ(S_OK, colour->Get(&c));
    EXPECT_EQ(0xFFu, c);
    ASSERT_EQ(S_OK, level->Get(&l));
    EXPECT_EQ(100u, l);

    Ptr<IDevice> device = Device();
    Ptr<IReportRate> rate = DeviceFeature<IReportRate>(device.Get());
    EXPECT_LT(rate->Set(0), 0);
    EXPECT_LT(rate->Set(3), 0);
    Ptr<IDeviceSwitches> sw = DeviceFeature<IDeviceSwitches>(device.Get());
    EXPECT_LT(sw->SetValue(0), 0);
    EXPECT_LT(sw->SetValue(11), 0);
    LONG value = 0;
    ASSERT_EQ(S_OK, sw->GetValue(&value));
    EXPECT_EQ(5, value);
    Ptr<IPowerSettings> power = DeviceFeature<IPowerSettings>(device.Get());
    EXPECT_LT(power->SetWarningLevel(-1), 0);
    EXPECT_LT(power->SetReducedBrightness(101), 0);
    ASSERT_EQ(S_OK, power->SetIdleSeconds(900));
    ASSERT_EQ(S_OK, power->GetIdleSeconds(&value));
    EXPECT_EQ(900, value);
    Ptr<IMacroRecordLed> led = DeviceFeature<IMacroRecordLed>(device.Get());
    EXPECT_LT(led->SetMode(3), 0);
    EXPECT_EQ(S_OK, led->SetMode(2));
}

TEST_F(CallerInput, NamesMacroBlocksAndActionPathsAreChecked)
{
    EXPECT_LT(profile_->SetName(std::wstring(256, L'n').c_str()), 0);
    ASSERT_EQ(S_OK, profile_->SetName(std::wstring(255, L'n').c_str()));
    EXPECT_LT(profile_->SetName(nullptr), 0);

    Ptr<IMacro> macro;
    ASSERT_EQ(S_OK, Macros()->Create(macro.Out()));
    struct {
        MacroBlock head;
        MacroDeviceEvent more[2];
    } block = {};
    block.head.count = 3;
    block.head.events[0] = {2, 0x1E};
    block.more[0] = {3, 250};
    block.more[1] = {4, 0};  // no such event kind
    EXPECT_LT(macro->SetEvents(&block.head), 0);
    block.more[1] = {2, 0x1E | 0x10000};
    ASSERT_EQ(S_OK, macro->SetEvents(&block.head));
    block.head.count = 4097;
    EXPECT_LT(macro->SetEvents(&block.head), 0);
    MacroBlock* back = nullptr;
    ASSERT_EQ(S_OK, macro->GetEvents(&back));
    ASSERT_EQ(3u, back->count);
    EXPECT_EQ(250u, back->events[1].data);
    ::CoTaskMemFree(back);

    Ptr<IButtonActions> actions = DeviceFeature<IButtonActions>(Device().Get());
    Ptr<IButtonAction> action;
    ASSERT_EQ(S_OK, actions->Create(action.Out()));
    GUID id{};
    ASSERT_EQ(S_OK, action->GetId(&id));
    EXPECT_FALSE(IsEqualGUID(GUID{}, id));
    EXPECT_LT(action->SetPath(std::wstring(260, L'p').c_str()), 0);
    EXPECT_EQ(S_OK, action->SetPath(L"C:\\Games\\game.exe"));
}

}  // namespace
