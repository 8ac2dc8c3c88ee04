// The macros page's flows with scripted popups and the device service's
// object model in this process: names, deletion, import and export.
#include <gtest/gtest.h>

#include <deque>
#include <string>

#include "InProcessService.h"
#include "KeywordTables.h"
#include "MacroPageCore.h"
#include "Mouse.h"
#include "RecordingWnd.h"
#include "VeskConfig.h"

namespace {

struct Warning {
    std::wstring file, data, heading;
};

class ScriptedSide : public IMacroPageSide {
public:
    IMouseConfig& Config() override { return config; }
    GenDevice* Device() override { return device; }
    void MarkUnsaved() override { ++unsaved; }
    INT_PTR Warn(const wchar_t* file, const wchar_t* data, const wchar_t* heading) override
    {
        warnings.push_back({file, data ? data : L"", heading ? heading : L""});
        return warnAnswer;
    }
    bool AskName(const wchar_t*, const CString& current, CString& name) override
    {
        headings.push_back(current.str());
        if (names.empty())
            return false;
        name = names.front().c_str();
        names.pop_front();
        return true;
    }
    bool AskKey(ChosenKey& key) override
    {
        asked = key;
        key = answer;
        return keyOk;
    }
    bool AskMacroFile(bool, CString& path) override
    {
        path = file.c_str();
        return !file.empty();
    }
    std::wstring LastWarning() const { return warnings.empty() ? L"" : warnings.back().file; }

    CVeskConfig config;
    GenDevice* device = nullptr;
    int unsaved = 0;
    INT_PTR warnAnswer = IDOK;
    std::vector<Warning> warnings;
    std::deque<std::wstring> names;
    std::vector<std::wstring> headings;
    ChosenKey asked, answer;
    bool keyOk = true;
    std::wstring file;
};

MacroEvent Key(int scan, uint32_t flags = 255) { return {MacroEvent::kKey, scan, flags}; }

std::wstring TempPath(const wchar_t* name)
{
    wchar_t folder[MAX_PATH];
    ::GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + L"tk_macros_" + std::to_wstring(::GetCurrentProcessId()) + L"_" + name;
}

}  // namespace

TEST(MacroPageCore, NamesCompareIgnoringCaseAndRenameShowsTheOldName)
{
    ScriptedSide side;
    CMacroPageCore core(side);
    side.names = {L"Macro", L"macro", L"", L"Other"};
    EXPECT_TRUE(core.New());
    EXPECT_EQ(kMacroStateIdle, core.State());
    EXPECT_FALSE(core.New());  // "macro" beside "Macro"
    EXPECT_EQ(L"DuplicateMacroWarningPopup.xml", side.LastWarning());
    EXPECT_EQ(L": macro", side.warnings.back().data);
    EXPECT_FALSE(core.New());  // an empty name ends quietly
    EXPECT_TRUE(core.New());
    EXPECT_EQ(1, core.SelectedIndex());
    EXPECT_EQ(1u, side.warnings.size());
    EXPECT_EQ(2, side.unsaved);

    // Rename "Other": to another macro's name (any case) is refused, a case
    // change of its own name is a rename.
    side.names = {L"MACRO", L"OTHER", L"OTHER"};
    EXPECT_FALSE(core.Rename());
    EXPECT_EQ(L"Other", side.headings.back());
    EXPECT_TRUE(core.Rename());
    EXPECT_STREQ(L"OTHER", core.Selected()->name);
    EXPECT_FALSE(core.Rename());  // unchanged (the heading showed "OTHER")
    EXPECT_EQ(L"OTHER", side.headings.back());
    EXPECT_EQ(2u, side.warnings.size());
    EXPECT_EQ(3, side.unsaved);
    side.names = {std::wstring(300, L'n')};
    EXPECT_TRUE(core.Rename());
    EXPECT_EQ(255u, wcslen(core.Selected()->name));
}

TEST(MacroPageCore, DeletingTheLastMacroLeavesStateNone)
{
    ScriptedSide side;
    IMouseProfile* p = side.config.NewProfile(L"P");
    CMacroPageCore core(side);
    CMacro* a = side.config.AddMacro(L"A");
    side.config.AddMacro(L"B");
    a->guid = GUID{1, 2, 3, {4}};
    AssignmentRecord r = AssignmentRecord::OfType(kFnMacroByGuid);
    memcpy(r.params.bytes, &a->guid, sizeof(GUID));
    side.config.SetButtonAssignment(4, r, p);

    core.Select(0);
    side.warnAnswer = IDCANCEL;
    EXPECT_FALSE(core.Delete());
    EXPECT_EQ(L": A", side.warnings.back().data);
    EXPECT_EQ(2u, side.config.GetMacroCount());
    side.warnAnswer = IDOK;
    EXPECT_TRUE(core.Delete());
    side.config.GetButtonAssignment(r, 4, p);
    EXPECT_EQ(kFnBackward, r.type);
    EXPECT_STREQ(L"B", core.Selected()->name);  // the first one left
    EXPECT_TRUE(core.Delete());
    EXPECT_EQ(nullptr, core.Selected());
    EXPECT_EQ(kMacroStateNone, core.State());
    EXPECT_FALSE(core.Delete());
    EXPECT_EQ(2, side.unsaved);
}

TEST(MacroPageCore, EditsGoToTheSelectedMacro)
{
    BuildKeywordMaps();  // the command names; once per process
    ScriptedSide side;
    CMacroPageCore core(side);
    side.config.AddMacro(L"M")->events = {Key(0x1E), Key(0x1E, 1)};
    EXPECT_EQ(-1, core.InsertDelay(0, 100, 4096));  // nothing selected
    EXPECT_EQ(-2, core.AddCommand(L"$copy", -1, 4096));
    core.Select(0);
    CMacro* m = core.Selected();

    EXPECT_EQ(-1, core.InsertDelay(-1, 100, 4096));  // no row selected
    EXPECT_EQ(1, core.InsertDelay(0, 100, 4096));
    EXPECT_EQ((MacroEvent{MacroEvent::kDelay, 100, 100}), m->events[1]);
    EXPECT_EQ(-1, core.InsertDelay(0, 100, 3));  // the limit
    EXPECT_EQ(3, core.AddCommand(L"$COPY", -1, 4096));  // at the start
    EXPECT_EQ(0x1D, m->events[0].value & 0xFFFF);
    EXPECT_EQ(-2, core.AddCommand(L"$nothing", 0, 4096));
    EXPECT_EQ(7u, m->events.size());
    EXPECT_EQ(2, side.unsaved);

    // The display's edits: stored, and unsaved only when they differ.
    std::vector<MacroEvent> shown = m->events;
    EXPECT_FALSE(core.StoreEvents(shown));
    shown.pop_back();
    EXPECT_TRUE(core.StoreEvents(shown));
    EXPECT_EQ(3, side.unsaved);

    // A key row opens the key popup from the event; a delay row does not.
    MacroEvent edited{};
    side.answer = ChosenKey{0x30, 0x42, 0};
    EXPECT_TRUE(core.EditKeyEvent(m->events, 4, edited));
    EXPECT_EQ(0x1E, side.asked.scanCode);
    EXPECT_EQ(0x30, edited.value & 0xFFFF);
    side.keyOk = false;
    EXPECT_FALSE(core.EditKeyEvent(m->events, 4, edited));
    side.keyOk = true;
    EXPECT_FALSE(core.EditKeyEvent(m->events, 5, edited));
    EXPECT_FALSE(core.EditKeyEvent(m->events, 99, edited));
}

TEST(MacroPageCore, DelayWarningNeverStacks)
{
    struct Reentering : ScriptedSide {
        CMacroPageCore* core = nullptr;
        INT_PTR Warn(const wchar_t* file, const wchar_t* data, const wchar_t* heading) override
        {
            // The popup takes the focus from the box, which checks again.
            DWORD ms;
            EXPECT_FALSE(core->CheckDelayBox(L"", ms));
            return ScriptedSide::Warn(file, data, heading);
        }
    } side;
    CMacroPageCore core(side);
    side.core = &core;
    DWORD ms = 0;
    EXPECT_TRUE(core.CheckDelayBox(L"250", ms));
    EXPECT_EQ(250u, ms);
    EXPECT_FALSE(core.CheckDelayBox(L"0", ms));
    ASSERT_EQ(1u, side.warnings.size());
    EXPECT_EQ(L"DefaultDelayWarningPopup.xml", side.LastWarning());
}

class MacroFilesTest : public InProcessServiceTest {};

TEST_F(MacroFilesTest, ExportImportRoundTripAndACorruptFileChangesNothing)
{
    CMouse mouse(FindKnownDevice(0x1F));
    ScriptedSide side;
    side.device = &mouse;
    ASSERT_TRUE(mouse.ReadAll(&side.config));
    CMacroPageCore core(side);
    CMacro* m = side.config.AddMacro(L"Greeting");
    m->events = {Key(0x23), {MacroEvent::kDelay, 40, 40}, Key(0x23, 1)};
    core.Select(0);

    // Not on the device yet: nothing to export.
    const std::wstring path = TempPath(L"greeting.qvm");
    side.file = path;
    core.Export();
    EXPECT_EQ(L"ExportMacroWarningPopup.xml", side.LastWarning());
    EXPECT_EQ(L": Greeting", side.warnings.back().data);

    ASSERT_TRUE(mouse.Transfer(&side.config, kTransferWrite, 0x10));
    ASSERT_TRUE(PumpUntil([&] { return !mouse.IsBusy(); }));
    side.warnings.clear();
    core.Export();
    EXPECT_TRUE(side.warnings.empty());
    const std::vector<MacroEvent> events = m->events;
    core.Select(0);
    ASSERT_TRUE(core.Delete());
    EXPECT_EQ(0u, side.config.GetMacroCount());

    ASSERT_TRUE(core.Import());
    ASSERT_EQ(1u, side.config.GetMacroCount());
    EXPECT_STREQ(L"Greeting", core.Selected()->name);
    // Delays come back from the device with only their milliseconds.
    const std::vector<MacroEvent>& back = core.Selected()->events;
    ASSERT_EQ(events.size(), back.size());
    for (size_t i = 0; i < events.size(); ++i)
        EXPECT_TRUE(events[i].kind == back[i].kind && events[i].value == back[i].value) << i;

    // A damaged file: the error popup, nothing added, nothing marked.
    const std::wstring bad = TempPath(L"bad.qvm");
    HANDLE h = ::CreateFileW(bad.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    DWORD written = 0;
    ::WriteFile(h, "QVM?garbage", 11, &written, nullptr);
    ::CloseHandle(h);
    side.file = bad;
    const int unsaved = side.unsaved;
    EXPECT_FALSE(core.Import());
    EXPECT_EQ(L"FileErrorPopUp.xml", side.LastWarning());
    EXPECT_EQ(1u, side.config.GetMacroCount());
    EXPECT_EQ(unsaved, side.unsaved);
    EXPECT_STREQ(L"Greeting", core.Selected()->name);

    // A very long path is warned about and the import still tried.
    side.file = L"C:\\" + std::wstring(260, L'x') + L".qvm";
    EXPECT_FALSE(core.Import());
    ASSERT_GE(side.warnings.size(), 2u);
    EXPECT_EQ(L"$Import", side.warnings[side.warnings.size() - 2].heading);
    ::DeleteFileW(path.c_str());
    ::DeleteFileW(bad.c_str());
}
