#include "DeviceGuid.h"
#include "Macro.h"
#include "StepsFixture.h"

using namespace featuresteps;

namespace {

AssignmentRecord Named(int type, const wchar_t* name)
{
    AssignmentRecord r = AssignmentRecord::OfType(type);
    r.SetName(name);
    r.mode = 1;
    return r;
}

bool HasGuid(const AssignmentRecord& r, const GUID& g)
{
    ULONG w[4];
    GuidWords(g, w);
    return memcmp(r.params.values, w, sizeof(w)) == 0;
}

}  // namespace

TEST_F(StepsTest, ButtonsRoundTrip)
{
    AssignmentRecord key = AssignmentRecord::OfType(kFnSingleKey);
    key.SetKey(0x1E, 0x41, kModCtrl);
    config.SetButtonAssignment(4, key, profile);
    config.SetButtonAssignment(5, AssignmentRecord::OfType(kFnButtonOff), profile);
    config.SetButtonAssignment(12, AssignmentRecord::OfType(kFnStageUp), profile);
    ASSERT_TRUE(WriteButtons(Device(), first.Get(), config, profile, lists));
    EXPECT_EQ((int)lists.buttonBits.size(), CountCalls(L"IButtonAssignments.Set 1 "));

    config.ResetToDefaults(profile);
    ASSERT_TRUE(ReadButtons(first.Get(), config, profile, lists));
    AssignmentRecord r;
    config.GetButtonAssignment(r, 4, profile);
    EXPECT_EQ(kFnSingleKey, r.type);
    EXPECT_EQ(0x1E, r.ScanCode());
    EXPECT_EQ(kModCtrl, r.Modifiers());
    config.GetButtonAssignment(r, 5, profile);
    EXPECT_EQ(kFnButtonOff, r.type);
    config.GetButtonAssignment(r, 12, profile);
    EXPECT_EQ(kFnStageUp, r.type);
    config.GetButtonAssignment(r, 1, profile);
    EXPECT_EQ(kFnClick, r.type);
}

TEST_F(StepsTest, ButtonsNamingOneNewMacroAllGetItsGuid)
{
    CMacro* macro = config.AddMacro(L"Combo");
    ASSERT_NE(nullptr, macro);
    macro->events = {{MacroEvent::kKey, 0x1E, 255}, {MacroEvent::kKey, 0x1E, 1}};
    config.SetButtonAssignment(4, Named(kFnMacroByName, L"Combo"), profile);
    config.SetButtonAssignment(5, Named(kFnMacroByName, L"combo"), profile);
    config.SetButtonAssignment(13, Named(kFnMacroByName, L"COMBO"), profile);
    ASSERT_TRUE(WriteButtons(Device(), first.Get(), config, profile, lists));
    EXPECT_EQ(1, CountCalls(L"IMacroManager.Create"));
    ASSERT_FALSE(IsNullGuid(macro->guid));

    // Both what the configuration stored back and what the device holds.
    for (int code : {4, 5, 13}) {
        AssignmentRecord r;
        config.GetButtonAssignment(r, code, profile);
        EXPECT_EQ(kFnMacroByGuid, r.type) << code;
        EXPECT_TRUE(HasGuid(r, macro->guid)) << code;
    }
    config.ResetToDefaults(profile);
    ASSERT_TRUE(ReadButtons(first.Get(), config, profile, lists));
    for (int code : {4, 5, 13}) {
        AssignmentRecord r;
        config.GetButtonAssignment(r, code, profile);
        EXPECT_EQ(kFnMacroByGuid, r.type) << code;
        EXPECT_TRUE(HasGuid(r, macro->guid)) << code;
    }
    // The device macro was made whole, so the macro write sends nothing more.
    ClearLog();
    EXPECT_TRUE(WriteMacros(Device(), config));
    EXPECT_EQ(0, CountCalls(L"IMacro.Set"));

    // The device loses the macro: it is made again under a new GUID, and the
    // buttons and keys that called the old one call the new one.
    const GUID old = macro->guid;
    const int key = (int)lists.keyIds.at(0);
    AssignmentRecord byGuid;
    config.GetButtonAssignment(byGuid, 4, profile);
    config.SetKeyAssignment(key, byGuid, profile);
    EXPECT_TRUE(RecreateLostMacros(Device(), config, lists));
    EXPECT_EQ(old, macro->guid);  // still there: nothing made
    EditDevice([](tkservice::DeviceState& d) { d.macros.clear(); });
    ClearLog();
    ASSERT_TRUE(RecreateLostMacros(Device(), config, lists));
    EXPECT_EQ(1, CountCalls(L"IMacroManager.Create"));
    ASSERT_NE(old, macro->guid);
    EXPECT_TRUE(MacroExists(Device(), *macro));
    AssignmentRecord r;
    for (int code : {4, 5, 13}) {
        config.GetButtonAssignment(r, code, profile);
        EXPECT_TRUE(HasGuid(r, macro->guid)) << code;
    }
    config.GetKeyAssignment(r, key, profile);
    EXPECT_TRUE(HasGuid(r, macro->guid));
}

TEST_F(StepsTest, AProfileNamedByAButtonGetsADeviceProfile)
{
    IMouseProfile* games = config.NewProfile(L"Games");
    config.SetButtonAssignment(3, Named(kFnProfileByName, L"Games"), profile);
    ASSERT_TRUE(WriteButtons(Device(), first.Get(), config, profile, lists));
    GUID g;
    games->GetGuid(g);
    ASSERT_FALSE(IsNullGuid(g));
    EXPECT_TRUE(ProfileExists(Device(), games));
    config.ResetToDefaults(profile);
    ASSERT_TRUE(ReadButtons(first.Get(), config, profile, lists));
    AssignmentRecord r;
    config.GetButtonAssignment(r, 3, profile);
    EXPECT_EQ(kFnProfileByGuid, r.type);
    EXPECT_TRUE(HasGuid(r, g));
}

TEST_F(StepsTest, ANameThatResolvesToNothingIsNotSent)
{
    config.SetButtonAssignment(2, Named(kFnMacroByName, L"Missing"), profile);
    EXPECT_FALSE(WriteButtons(Device(), first.Get(), config, profile, lists));
    EXPECT_EQ((int)lists.buttonBits.size() - 1, CountCalls(L"IButtonAssignments.Set"));
    EXPECT_EQ(0, CountCalls(L"IButtonAssignments.Set 1 {1 0x2 "));
    EXPECT_EQ(0, CountCalls(L"IButtonAssignments.Set 1 {0 0x2 "));
}

TEST_F(StepsTest, KeysRoundTripWithDefaultsAndKeyMode)
{
    ASSERT_GE(lists.keyIds.size(), 3u);
    const int k0 = (int)lists.keyIds[0], k1 = (int)lists.keyIds[1], k2 = (int)lists.keyIds[2];
    AssignmentRecord key = AssignmentRecord::OfType(kFnSingleKey);
    key.SetKey(0x30, 0x42, kModShift);
    config.SetKeyAssignment(k0, key, profile);
    config.SetKeyAssignment(k1, AssignmentRecord::OfType(kFnButtonOff), profile);
    AssignmentRecord def;
    config.GetDefaultKeyRecord(def, (uint32_t)k2);
    config.SetKeyAssignment(k2, def, profile);
    config.SetKeyMode(1, profile);
    ASSERT_TRUE(WriteKeys(Device(), first.Get(), config, profile, lists));
    EXPECT_EQ((int)lists.keyIds.size(), CountCalls(L"IKeyAssignments.Set"));

    config.SetKeyAssignment(k0, AssignmentRecord::OfType(kFnButtonOff), profile);
    config.SetKeyAssignment(k2, AssignmentRecord::OfType(kFnButtonOff), profile);
    config.SetKeyMode(0, profile);
    ASSERT_TRUE(ReadKeys(first.Get(), config, profile, lists));
    AssignmentRecord r;
    config.GetKeyAssignment(r, k0, profile);
    EXPECT_EQ(kFnSingleKey, r.type);
    EXPECT_EQ(0x30, r.ScanCode());
    EXPECT_EQ(kModShift, r.Modifiers());
    config.GetKeyAssignment(r, k1, profile);
    EXPECT_EQ(kFnButtonOff, r.type);
    config.GetKeyAssignment(r, k2, profile);
    EXPECT_EQ(kFnDefaultKey, r.type);  // the key's own code reads as its default
    EXPECT_EQ(def.ScanCode(), r.ScanCode());
    EXPECT_EQ(1, config.GetKeyMode(profile));

    // Keys switched off send "button off" for every key.
    config.SetKeyMode(0, profile);
    ASSERT_TRUE(WriteKeys(Device(), first.Get(), config, profile, lists));
    ASSERT_TRUE(ReadKeys(first.Get(), config, profile, lists));
    for (uint32_t k : lists.keyIds) {
        config.GetKeyAssignment(r, (int)k, profile);
        EXPECT_EQ(kFnButtonOff, r.type);
    }
    EXPECT_EQ(0, config.GetKeyMode(profile));
}

TEST_F(StepsTest, AssignmentReadsFailCleanly)
{
    Control()->SetFault(L"IButtonAssignments.GetAll", E_FAIL, 0, 1);
    EXPECT_FALSE(ReadButtons(first.Get(), config, profile, lists));
    EXPECT_FALSE(ReadKeys(first.Get(), config, profile, DeviceLists()));
    Control()->SetFault(L"IKeyAssignments.Set", E_FAIL, 0, 1);
    EXPECT_FALSE(WriteKeys(Device(), first.Get(), config, profile, lists));
    EXPECT_FALSE(WriteButtons(Device(), first.Get(), config, profile, DeviceLists()));
}
