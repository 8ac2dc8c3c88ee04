// Giving a button a macro: by GUID or by name, the preselection, the
// repeat count's bounds and the cancelled popups.
#include <gtest/gtest.h>

#include <cstring>

#include "Macro.h"
#include "MacroAssignment.h"
#include "VeskConfig.h"

namespace {

struct ScriptedMacroPrompts : MacroAssignPrompts {
    bool chooseOk = true;
    CString choose;
    int mode = kPlayOnce;
    std::vector<int> counts;  // answers, in turn; past the end: cancelled
    MacroChoice offered;
    int warnings = 0;

    bool ChooseMacro(MacroChoice& c) override
    {
        offered = c;
        c.name = choose;
        c.mode = mode;
        return chooseOk;
    }
    bool AskRepeatCount(int& count) override
    {
        if (counts.empty())
            return false;
        count = counts.front();
        counts.erase(counts.begin());
        return true;
    }
    void RepeatCountWarning() override { ++warnings; }
};

}  // namespace

TEST(MacroAssignment, BuildsByGuidOrByNameWithItsCount)
{
    CVeskConfig config;
    config.SetActiveProfile(config.NewProfile(L"One"));
    CMacro* named = config.AddMacro(L"Named");  // no GUID yet
    CMacro* known = config.AddMacro(L"Known");
    known->guid = GUID{1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
    ScriptedMacroPrompts p;

    AssignmentRecord r = AssignmentRecord::OfType(kFnClick);
    p.choose = L"Named";
    EXPECT_TRUE(AssignMacroToButton(config, r, L"", p));
    EXPECT_EQ((std::vector<CString>{L"Named", L"Known"}), p.offered.names);
    EXPECT_EQ(kFnMacroByName, r.type);
    EXPECT_EQ(std::wstring(L"Named"), r.NameText());
    EXPECT_EQ(kPlayOnce, r.mode);
    EXPECT_EQ(0, r.count);

    // Several times: 0 and 300 are refused with the warning, 12 is kept.
    p.choose = L"Known";
    p.mode = kPlayRepeat;
    p.counts = {0, 300, 12};
    EXPECT_TRUE(AssignMacroToButton(config, r, L"", p));
    EXPECT_EQ(CString(L"Named"), p.offered.name);  // the record's macro first
    EXPECT_EQ(2, p.warnings);
    EXPECT_EQ(kFnMacroByGuid, r.type);
    EXPECT_EQ(1u, r.params.values[0]);
    EXPECT_EQ(kPlayRepeat, r.mode);
    EXPECT_EQ(12, r.count);

    // Preselected from the sub-menu; the record's mode comes along.
    AssignmentRecord before = r;
    p.counts.clear();  // the count popup is cancelled
    EXPECT_FALSE(AssignMacroToButton(config, r, L"Named", p));
    EXPECT_EQ(CString(L"Named"), p.offered.name);
    EXPECT_EQ(kPlayRepeat, p.offered.mode);
    EXPECT_EQ(0, memcmp(&before, &r, sizeof(r)));

    // Cancelled, or OK with nothing chosen: no record.
    p.mode = kPlayOnce;
    p.chooseOk = false;
    EXPECT_FALSE(AssignMacroToButton(config, r, L"", p));
    p.chooseOk = true;
    p.choose = L"";
    EXPECT_FALSE(AssignMacroToButton(config, r, L"", p));
    EXPECT_EQ(0, memcmp(&before, &r, sizeof(r)));
    (void)named;
}
