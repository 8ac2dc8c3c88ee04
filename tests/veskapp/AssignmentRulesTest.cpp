// The assignment pages' rules over a real configuration: the click rule,
// menus by what the profile accepts, refused types, the thumb grid's layouts
// and switch, profile and macro targets, and the assignment texts.
#include <gtest/gtest.h>

#include "AssignmentRules.h"
#include "KeyboardDef.h"
#include "Macro.h"
#include "VeskConfig.h"

namespace {

struct ScriptedPrompts : AssignPrompts {
    int warnings = 0;
    int keyPopups = 0;
    int macroPopups = 0;
    bool keyOk = true;
    SingleKeyResult key;
    CString preselect;
    bool macroOk = true;
    AssignmentRecord macroRecord = AssignmentRecord::OfType(kFnMacroByGuid);

    void NoClickWarning() override { ++warnings; }
    bool SingleKey(SingleKeyResult& r) override
    {
        ++keyPopups;
        r = key;
        return keyOk;
    }
    bool AssignMacro(AssignmentRecord& r, const CString& pre) override
    {
        ++macroPopups;
        preselect = pre;
        if (macroOk)
            r = macroRecord;
        return macroOk;
    }
};

CString FakeKeyName(uint16_t scan, uint16_t, bool)
{
    return scan == 0x3F ? CString(L"F5") : CString(L"?");
}

class AssignmentRulesTest : public ::testing::Test {
protected:
    AssignmentRulesTest() : rules(config, layout)
    {
        profile = config.NewProfile(L"One");
        config.SetActiveProfile(profile);
    }

    AssignmentRecord KeyRecord(const wchar_t* keyName)
    {
        AssignmentRecord r;
        config.GetKeyAssignment(r, (int)HashKeyName(keyName), nullptr);
        return r;
    }

    CVeskConfig config;
    IMouseProfile* profile = nullptr;
    int layout = 0;
    AssignmentRules rules;
    ScriptedPrompts prompts;
};

}  // namespace

TEST_F(AssignmentRulesTest, SomeControlAlwaysClicks)
{
    using O = AssignmentRules::Outcome;
    // Only the left button clicks in a new profile.
    EXPECT_EQ(O::KeptClick, rules.ApplyChoice(1, kFnButtonOff, L"", prompts));
    EXPECT_EQ(1, prompts.warnings);
    EXPECT_EQ(kFnClick, rules.Stored(1).type);

    // A key in place of the only click is refused before the key popup opens.
    EXPECT_EQ(O::KeptClick, rules.ApplyChoice(1, kFnSingleKey, L"", prompts));
    EXPECT_EQ(0, prompts.keyPopups);
    EXPECT_EQ(kFnClick, rules.Stored(1).type);

    // With a thumb key clicking, the left button may go off; switching the
    // thumb grid off then would leave no click, so it stays on.
    EXPECT_EQ(O::Stored, rules.ApplyChoice(14, kFnClick, L"", prompts));
    EXPECT_EQ(O::Stored, rules.ApplyChoice(1, kFnButtonOff, L"", prompts));
    EXPECT_FALSE(rules.SetKeysOff(true, prompts));
    EXPECT_EQ(3, prompts.warnings);
    EXPECT_EQ(1, config.GetKeyMode(nullptr));
}

TEST_F(AssignmentRulesTest, RefusedTypesLeaveTheOldRecordAndAreNotOffered)
{
    using O = AssignmentRules::Outcome;
    EXPECT_EQ(O::Refused, rules.ApplyChoice(12, kFnClick, L"", prompts));
    EXPECT_EQ(kFnScrollUp, rules.Stored(12).type);
    EXPECT_EQ(O::Nothing, rules.ApplyChoice(2, -1, L"", prompts));
    EXPECT_EQ(kFnMenu, rules.Stored(2).type);

    // The wheel's menu: what its list allows, and its default.
    EXPECT_EQ((std::vector<int>{6, 13, 14, 41, 42, 8, 0}), rules.MenuFunctions(12, {}));
    // The skin's order is kept; media and shortcut functions never show.
    EXPECT_EQ((std::vector<int>{8, 1, 22, 0}), rules.MenuFunctions(4, {8, 31, 1, 43, 23, 0, 63}));
    EXPECT_EQ((std::vector<int>{5, 0}), rules.MenuFunctions(20, {5, 9, 0}));
    EXPECT_TRUE(rules.Offers(25, kFnDefaultKey));
    EXPECT_FALSE(rules.Offers(25, 31));
}

TEST_F(AssignmentRulesTest, ThumbKeyDefaultsFollowTheLayoutByKeyRecord)
{
    AssignmentRecord numberRow, keypad;
    config.GetDefaultKeyRecord(numberRow, HashKeyName(L"1 !"));
    config.GetDefaultKeyRecord(keypad, HashKeyName(L"Keypad 1 End"));
    ASSERT_NE(numberRow.ScanCode(), keypad.ScanCode());

    rules.ApplyChoice(14, kFnButtonOff, L"", prompts);
    EXPECT_EQ(kFnButtonOff, rules.Shown(14).type);
    EXPECT_EQ(AssignmentRules::Outcome::Stored, rules.ApplyChoice(14, kFnDefaultKey, L"", prompts));
    EXPECT_EQ(numberRow.ScanCode(), rules.Shown(14).ScanCode());
    EXPECT_EQ(numberRow.Modifiers(), rules.Shown(14).Modifiers());

    rules.SetLayout(1);
    EXPECT_EQ(1, layout);
    EXPECT_EQ(keypad.ScanCode(), rules.Shown(14).ScanCode());
    EXPECT_EQ(keypad.Modifiers(), rules.Shown(14).Modifiers());
    EXPECT_EQ(HashKeyName(L"Keypad 1 End"), rules.KeyIdOf(14));
    EXPECT_EQ(0u, rules.KeyIdOf(4));
}

TEST_F(AssignmentRulesTest, KeysOffShowAsOffAndComeBackWithDefaults)
{
    // Every slot of both layouts off, then the grid switched off and on.
    for (int l = 0; l < 2; ++l) {
        rules.SetLayout(l);
        for (int b = 14; b <= 25; ++b)
            rules.Store(b, AssignmentRecord::OfType(kFnButtonOff));
    }
    rules.SetLayout(0);
    EXPECT_TRUE(rules.AllThumbKeysOff());
    EXPECT_TRUE(rules.SetKeysOff(true, prompts));
    EXPECT_EQ(kFnButtonOff, rules.Shown(20).type);
    EXPECT_FALSE(rules.SetKeysOff(false, prompts));
    EXPECT_EQ(kFnDefaultKey, KeyRecord(L"7 &").type);
    EXPECT_EQ(kFnDefaultKey, KeyRecord(L"Keypad 7 Home").type);

    // With one key left on, switching on keeps the keys as they are.
    rules.Store(14, AssignmentRecord::OfType(kFnButtonOff));
    EXPECT_FALSE(rules.AllThumbKeysOff());
}

TEST_F(AssignmentRulesTest, SingleKeyFromThePopupOrTheOldRecord)
{
    using O = AssignmentRules::Outcome;
    prompts.key.scanCode = 0x3F;
    prompts.key.virtualKey = VK_F5;
    prompts.key.flags = kModShift | kModCtrl;
    EXPECT_EQ(O::Stored, rules.ApplyChoice(3, kFnSingleKey, L"", prompts));
    AssignmentRecord r = rules.Stored(3);
    EXPECT_EQ(kFnSingleKey, r.type);
    EXPECT_EQ(0x3F, r.ScanCode());
    EXPECT_EQ(VK_F5, r.VirtualKey());
    EXPECT_EQ(kModShift | kModCtrl, r.Modifiers());
    EXPECT_EQ(CString(L"Shift+Ctrl+F5"), rules.DetailText(r, FakeKeyName));

    // Cancelled, or closed with nothing captured: the previous key stays.
    prompts.keyOk = false;
    EXPECT_EQ(O::Cancelled, rules.ApplyChoice(3, kFnSingleKey, L"", prompts));
    prompts.keyOk = true;
    prompts.key = SingleKeyResult();
    EXPECT_EQ(O::Cancelled, rules.ApplyChoice(3, kFnSingleKey, L"", prompts));
    EXPECT_EQ(0x3F, rules.Stored(3).ScanCode());
}

TEST(AssignmentText, ModifiersThenTheKey)
{
    AssignmentRecord r = AssignmentRecord::OfType(kFnSingleKey);
    r.SetKey(0x3F, VK_F5, kModAlt | kModShift | kModCtrl | kModExtended);
    EXPECT_EQ(CString(L"Shift+Ctrl+Alt+F5"), KeyAssignmentText(r, FakeKeyName));
    r.SetKey(0, 0, kModCtrl);
    EXPECT_EQ(CString(L"Ctrl"), KeyAssignmentText(r, FakeKeyName));
    r.SetKey(0x3F, VK_F5, 0);
    EXPECT_EQ(CString(L"F5"), KeyAssignmentText(r, FakeKeyName));
    // The system's own name of F5.
    EXPECT_EQ(CString(L"F5"), KeyAssignmentText(r));
}

TEST_F(AssignmentRulesTest, ProfileTargetsByGuidOrNameAndTheirRemoval)
{
    using O = AssignmentRules::Outcome;
    IMouseProfile* byName = config.NewProfile(L"Two");  // no GUID yet
    IMouseProfile* byGuid = config.NewProfile(L"Three");
    byGuid->SetGuid(1, 2, 3, 4);

    EXPECT_EQ(O::Nothing, rules.ApplyChoice(4, kFnProfileByGuid, L"Nobody", prompts));
    EXPECT_EQ(O::Nothing, rules.ApplyChoice(4, kFnProfileByGuid, L"", prompts));
    EXPECT_EQ(kFnBackward, rules.Stored(4).type);

    EXPECT_EQ(O::Stored, rules.ApplyChoice(4, kFnProfileByGuid, L"two", prompts));
    AssignmentRecord r = rules.Stored(4);
    EXPECT_EQ(kFnProfileByName, r.type);
    EXPECT_EQ(std::wstring(L"Two"), r.NameText());
    EXPECT_EQ(kFnProfileByGuid, MenuFunctionOfType(r.type));
    EXPECT_EQ(CString(L"Two"), rules.DetailText(r));

    EXPECT_EQ(O::Stored, rules.ApplyChoice(5, kFnProfileByGuid, L"Three", prompts));
    EXPECT_EQ(kFnProfileByGuid, rules.Stored(5).type);
    EXPECT_EQ(CString(L"Three"), rules.DetailText(rules.Stored(5)));

    // Kept on a keypad slot, in another profile too.
    rules.SetLayout(1);
    EXPECT_EQ(O::Stored, rules.ApplyChoice(14, kFnProfileByGuid, L"Two", prompts));
    rules.SetLayout(0);
    AssignmentRecord other = r;
    config.SetButtonAssignment(2, other, byGuid);

    byName->SetName(L"Renamed");
    EXPECT_EQ(CString(), rules.DetailText(r));
    byName->SetName(L"Two");

    rules.ClearProfileAssignments(byName);
    EXPECT_EQ(kFnBackward, rules.Stored(4).type);
    EXPECT_EQ(kFnProfileByGuid, rules.Stored(5).type);
    EXPECT_EQ(kFnDefaultKey, KeyRecord(L"Keypad 1 End").type);
    AssignmentRecord inOther;
    config.GetButtonAssignment(inOther, 2, byGuid);
    EXPECT_EQ(kFnMenu, inOther.type);

    rules.ClearProfileAssignments(byGuid);
    EXPECT_EQ(kFnForward, rules.Stored(5).type);
}

TEST_F(AssignmentRulesTest, MacroChoicesAndTheirRemoval)
{
    using O = AssignmentRules::Outcome;
    CMacro* macro = config.AddMacro(L"Greeting");
    ASSERT_NE(nullptr, macro);
    macro->guid = GUID{7, 8, 9, {1, 2, 3, 4, 5, 6, 7, 8}};
    memcpy(prompts.macroRecord.params.bytes, &macro->guid, sizeof(GUID));
    prompts.macroRecord.mode = 4;

    EXPECT_EQ(O::Stored, rules.ApplyChoice(13, kFnMacroByGuid, L"Greeting", prompts));
    EXPECT_EQ(CString(L"Greeting"), prompts.preselect);
    EXPECT_EQ(kFnMacroByGuid, rules.Stored(13).type);
    EXPECT_EQ(4, rules.Stored(13).mode);
    EXPECT_EQ(CString(L"Greeting"), rules.DetailText(rules.Stored(13)));

    prompts.macroOk = false;
    EXPECT_EQ(O::Cancelled, rules.ApplyChoice(2, kFnMacroByGuid, L"", prompts));
    EXPECT_EQ(kFnMenu, rules.Stored(2).type);

    rules.ClearMacroAssignments(macro);
    EXPECT_EQ(kFnScrollDown, rules.Stored(13).type);
}
