#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ProfileActions.h"
#include "VeskConfig.h"

namespace {

// Answers the actions' questions from a script and records what they asked
// and redrew, one line each.
struct ScriptedUi : ProfileUi {
    std::vector<std::wstring> log;
    INT_PTR warnAnswer = IDOK;
    bool nameGiven = true;
    CString name;
    bool fileChosen = true;
    CString path = L"C:\\save\\p.qvp";
    bool waitAnswer = false;
    IMouseConfig* config = nullptr;

    INT_PTR Warn(const wchar_t* file, const wchar_t* data, const wchar_t* heading) override
    {
        log.push_back(std::wstring(L"warn ") + file + L"|" + (data ? data : L"") + L"|" + (heading ? heading : L""));
        return warnAnswer;
    }
    bool AskName(const wchar_t* current, CString& out) override
    {
        log.push_back(std::wstring(L"ask ") + (current ? current : L"(new)"));
        out = name;
        return nameGiven;
    }
    bool ChooseProfileFile(bool save, CString& out) override
    {
        log.push_back(save ? L"save dialog" : L"open dialog");
        out = path;
        return fileChosen;
    }
    bool WaitUntil(const std::function<bool()>& ready, DWORD ms) override
    {
        log.push_back(L"wait " + std::to_wstring(ms));
        return ready() || waitAnswer;
    }
    void SelectProfile(IMouseProfile* p) override
    {
        log.push_back(std::wstring(L"select ") + p->GetName());
        config->SetActiveProfile(p);
    }
    void FillProfileList() override { log.push_back(L"fill"); }
    void RefreshPages() override { log.push_back(L"refresh"); }
    void MarkUnsaved() override { log.push_back(L"unsaved"); }
    void ClearProfileAssignments(IMouseProfile* p) override { log.push_back(std::wstring(L"clear ") + p->GetName()); }
};

// A device whose profile count, existence test, import and export answer
// as told; an import adds a profile to the configuration like the real one.
struct ScriptedDevice : GenDevice {
    uint32_t deviceCount = 0;
    bool exists = true, importOk = true, exportOk = true;
    CString importedName = L"Imported";
    std::wstring lastPath;

    bool ReadAll(IMouseConfig*) override { return false; }
    void ReleaseCache() override {}
    bool IsBusy() override { return false; }
    bool ImportMacro(const wchar_t*, IMouseConfig*) override { return false; }
    bool ExportMacro(const wchar_t*, CMacro*) override { return false; }
    bool MacroExists(CMacro*) override { return false; }
    bool ImportProfile(const wchar_t* path, IMouseConfig* config) override
    {
        lastPath = path;
        if (!importOk) return false;
        config->NewProfile(importedName);
        ++deviceCount;
        return true;
    }
    bool ExportProfile(const wchar_t* path, IMouseProfile*) override
    {
        lastPath = path;
        return exportOk;
    }
    bool ProfileExists(IMouseProfile*) override { return exists; }
    bool Reserved9() override { return false; }
    bool Reserved10() override { return false; }
    bool Reserved11() override { return false; }
    bool Transfer(IMouseConfig*, int, uint32_t) override { return false; }
    bool IsConnected() override { return true; }
    bool GetVersionA(CString&) override { return false; }
    bool GetVersionB(CString&) override { return false; }
    bool IsOnline() override { return true; }
    uint32_t GetProductId() override { return 0x1F; }
    const wchar_t* GetName() override { return L"mouse"; }
    uint32_t GetDeviceProfileCount() override { return deviceCount; }
    void AddProgressListener(HWND) override {}
    void RemoveProgressListener(HWND) override {}
    CProgressMessenger* GetProgressMessenger() override { return nullptr; }
    bool LastWriteSucceeded() override { return true; }
};

struct ProfileActionsTest : ::testing::Test {
    CVeskConfig config;
    ScriptedUi ui;
    ScriptedDevice device;
    ProfileActions actions{config, ui, [this] { return &device; }};

    void SetUp() override { ui.config = &config; }
    void Make(std::initializer_list<const wchar_t*> names)
    {
        for (const wchar_t* n : names) {
            IMouseProfile* p = config.NewProfile(n);
            p->SetGuid(0x100 + config.GetProfileCount(), 1, 2, 3);
        }
        config.SetActiveProfile(config.GetProfile(0));
        device.deviceCount = config.GetProfileCount();
    }
    std::vector<std::wstring> Names() const
    {
        std::vector<std::wstring> out;
        for (uint32_t i = 0; i < config.GetProfileCount(); ++i) out.push_back(config.GetProfile(i)->GetName());
        return out;
    }
    using Log = std::vector<std::wstring>;
};

}  // namespace

TEST(ProfileNames, CopyNamesCountUpAndCutLongNames)
{
    std::vector<CString> taken{L"Profile", L"Profile(2)"};
    auto isTaken = [&](const CString& n) {
        for (const CString& t : taken)
            if (t.CompareNoCase(n) == 0) return true;
        return false;
    };
    EXPECT_EQ(CString(L"Profile(3)"), ProfileCopyName(L"Profile", isTaken));
    EXPECT_EQ(CString(L"ABCDEFGHIJKLMNOPQR(2)"), ProfileCopyName(L"ABCDEFGHIJKLMNOPQRSTUVWXY", isTaken));
    EXPECT_EQ(CString(L"ABCDEFGHIJKLMNOPQRS(2)"), ProfileCopyName(L"ABCDEFGHIJKLMNOPQRS", isTaken));  // 19: kept
    EXPECT_EQ(CString(), ProfileCopyName(L"Full", [](const CString&) { return true; }));
}

TEST(ProfileNames, HeadingsAndProgramColumn)
{
    EXPECT_EQ(CString(L"Restore : Work"), RestoreDefaultsHeading(L"Restore", L"Work"));
    EXPECT_EQ(CString(L"R : 12345678901234567890"), RestoreDefaultsHeading(L"R", L"12345678901234567890"));
    EXPECT_EQ(CString(L"R : 12345678901234567..."), RestoreDefaultsHeading(L"R", L"123456789012345678901"));

    CVeskConfig config;
    IMouseProfile* p = config.NewProfile(L"P");
    EXPECT_FALSE(HasLinkedProgram(p));
    p->SetLinkedAppName(L"game.exe");  // as read from the device: a name, no path
    EXPECT_TRUE(HasLinkedProgram(p));
    EXPECT_EQ(CString(L"game.exe"), LinkedProgramText(p));
    p->SetLinkedAppPath(L"C:\\Games\\game.exe");
    EXPECT_EQ(CString(L"C:\\Games\\game.exe"), LinkedProgramText(p));
}

TEST_F(ProfileActionsTest, CopyTwiceGivesTwoNumbersAndSelectsTheCopy)
{
    Make({L"Base", L"Profile"});
    actions.Copy(1);
    actions.Copy(1);
    EXPECT_EQ((std::vector<std::wstring>{L"Base", L"Profile", L"Profile(2)", L"Profile(3)"}), Names());
    EXPECT_EQ(config.GetProfile(3), config.GetActiveProfile());
    EXPECT_EQ((Log{L"select Profile(2)", L"refresh", L"select Profile(3)", L"refresh"}), ui.log);
}

TEST_F(ProfileActionsTest, NamesAreDuplicatesWhateverTheirCase)
{
    Make({L"Base", L"Profile"});
    ui.name = L"profile";
    actions.New();
    EXPECT_EQ((Log{L"ask (new)", L"warn DuplicateProfileWarningPopup.xml|: Profile|"}), ui.log);
    EXPECT_EQ(2u, config.GetProfileCount());

    ui.log.clear();
    ui.name = L"Profile";
    actions.Rename(1);  // its own name
    EXPECT_EQ((Log{L"ask Profile", L"warn DuplicateProfileWarningPopup.xml|: Profile|"}), ui.log);
    ui.name = L"BASE";
    ui.log.clear();
    actions.Rename(1);
    EXPECT_EQ((Log{L"ask Profile", L"warn DuplicateProfileWarningPopup.xml|: BASE|"}), ui.log);
    EXPECT_EQ((std::vector<std::wstring>{L"Base", L"Profile"}), Names());
}

TEST_F(ProfileActionsTest, RenameKeepsTheProfileActiveAndChangingCaseIsAllowed)
{
    Make({L"Base", L"Profile"});
    config.SetActiveProfile(config.GetProfile(1));
    ui.name = L"PROFILE";
    actions.Rename(1);
    EXPECT_EQ((std::vector<std::wstring>{L"Base", L"PROFILE"}), Names());
    EXPECT_EQ(config.GetProfile(1), config.GetActiveProfile());
    EXPECT_EQ((Log{L"ask Profile", L"fill", L"unsaved", L"refresh"}), ui.log);

    ui.log.clear();
    ui.nameGiven = false;
    actions.Rename(1);
    EXPECT_EQ((Log{L"ask PROFILE", L"refresh"}), ui.log);
}

TEST_F(ProfileActionsTest, NewMakesAndSelectsTheProfile)
{
    Make({L"Base"});
    ui.name = L"Work";
    actions.New();
    EXPECT_EQ((Log{L"ask (new)", L"select Work", L"unsaved", L"refresh"}), ui.log);
    ui.log.clear();
    ui.name = L"";
    actions.New();
    EXPECT_EQ((Log{L"ask (new)", L"refresh"}), ui.log);
    EXPECT_EQ(2u, config.GetProfileCount());
}

TEST_F(ProfileActionsTest, TwentyProfilesRefuseNewCopyAndImportWithTheirHeadings)
{
    for (int i = 0; i < 20; ++i) Make({(L"P" + std::to_wstring(i)).c_str()});
    actions.New();
    actions.Copy(3);
    actions.Import();
    EXPECT_EQ((Log{L"warn ProfileLimitReachedPopup.xml||$CreateProfile", L"warn ProfileLimitReachedPopup.xml||$Copy",
                   L"warn ProfileLimitReachedPopup.xml||$ImportProfile"}),
              ui.log);
    EXPECT_EQ(20u, config.GetProfileCount());

    // Nineteen leave room for one more copy.
    config.DeleteProfile(config.GetProfile(19));
    ui.log.clear();
    actions.Copy(3);
    EXPECT_EQ((Log{L"select P3(2)", L"refresh"}), ui.log);
}

TEST_F(ProfileActionsTest, TheFirstProfileCannotBeDeleted)
{
    Make({L"First", L"Twin", L"Other"});
    GUID g;
    config.GetProfile(0)->GetGuid(g);
    const uint32_t* w = reinterpret_cast<const uint32_t*>(&g);
    config.GetProfile(1)->SetGuid(w[0], w[1], w[2], w[3]);
    actions.Delete(0);
    actions.Delete(1);
    EXPECT_EQ((Log{L"warn DisallowDeletePopup.xml|: First|", L"warn DisallowDeletePopup.xml|: Twin|"}), ui.log);

    // New profiles have no GUID yet: that is no likeness to the first.
    config.GetProfile(0)->SetGuid(0, 0, 0, 0);
    config.GetProfile(2)->SetGuid(0, 0, 0, 0);
    ui.log.clear();
    ui.warnAnswer = IDCANCEL;
    actions.Delete(2);
    EXPECT_EQ((Log{L"warn ConfirmDeletePopup.xml|: Other|"}), ui.log);
    EXPECT_EQ(3u, config.GetProfileCount());
}

TEST_F(ProfileActionsTest, DeletingTheActiveProfileSelectsTheFirst)
{
    Make({L"First", L"Second", L"Third"});
    config.SetActiveProfile(config.GetProfile(1));
    actions.Delete(1);
    EXPECT_EQ((Log{L"warn ConfirmDeletePopup.xml|: Second|", L"clear Second", L"unsaved", L"select First",
                   L"refresh"}),
              ui.log);
    EXPECT_EQ(config.GetProfile(0), config.GetActiveProfile());

    ui.log.clear();
    actions.Delete(1);  // not active: the list is refilled
    EXPECT_EQ((Log{L"warn ConfirmDeletePopup.xml|: Third|", L"clear Third", L"unsaved", L"fill", L"refresh"}),
              ui.log);
    EXPECT_EQ((std::vector<std::wstring>{L"First"}), Names());
}

TEST_F(ProfileActionsTest, AutomaticSwitchNeedsALinkedProgram)
{
    Make({L"First"});
    IMouseProfile* p = config.GetProfile(0);
    EXPECT_FALSE(actions.SetAutoSwitch(0, true));
    EXPECT_EQ((Log{L"warn SelectApplicationWarningPopup.xml|: First|"}), ui.log);
    EXPECT_EQ(0, p->GetAppLinkEnabled());

    ui.log.clear();
    actions.SetLinkedProgram(0, L"C:\\Games\\game.exe");
    EXPECT_TRUE(actions.SetAutoSwitch(0, true));
    EXPECT_EQ(1, p->GetAppLinkEnabled());
    EXPECT_TRUE(actions.SetAutoSwitch(0, false));  // clearing never asks
    EXPECT_EQ((Log{L"unsaved", L"unsaved", L"unsaved"}), ui.log);
    EXPECT_EQ(std::wstring(L"game.exe"), p->GetLinkedAppName());
}

TEST_F(ProfileActionsTest, ImportChecksTheDeviceAndWarnsOfLongPaths)
{
    Make({L"First"});
    device.deviceCount = 2;  // a deleted profile not yet written
    actions.Import();
    EXPECT_EQ((Log{L"wait 1500", L"warn ImporttProfileWarningPopup.xml||$ImportProfile"}), ui.log);

    device.deviceCount = 1;
    ui.log.clear();
    ui.path = CString(L"C:\\") + CString(std::wstring(260, L'a').c_str()) + L".qvp";
    actions.Import();
    EXPECT_EQ((Log{L"open dialog", L"warn PathLengthLimitReachedPopUp.xml||$Import", L"fill", L"unsaved"}), ui.log);
    EXPECT_EQ(ui.path.GetString(), device.lastPath);
    EXPECT_EQ((std::vector<std::wstring>{L"First", L"Imported"}), Names());

    ui.log.clear();
    ui.path = L".qvp";  // nothing chosen but the initial name
    actions.Import();
    device.importOk = false;
    ui.path = L"C:\\bad.qvp";
    actions.Import();
    EXPECT_EQ((Log{L"open dialog", L"open dialog", L"warn FileErrorPopUp.xml||"}), ui.log);
    EXPECT_EQ(2u, config.GetProfileCount());
}

TEST_F(ProfileActionsTest, ImportedNameAlreadyInUseBecomesACopyName)
{
    Make({L"First", L"Work"});
    device.importedName = L"WORK";
    actions.Import();
    EXPECT_EQ((std::vector<std::wstring>{L"First", L"Work", L"WORK(2)"}), Names());
}

TEST_F(ProfileActionsTest, ExportNeedsTheProfileOnTheDeviceAndReportsFailure)
{
    Make({L"First"});
    device.exists = false;
    actions.Export(0);
    device.exists = true;
    device.exportOk = false;
    actions.Export(0);
    EXPECT_EQ((Log{L"warn ExportProfileWarningPopup.xml|: First|", L"save dialog", L"warn FileErrorPopUp.xml||"}),
              ui.log);
}

TEST_F(ProfileActionsTest, RestoreDefaultsUnlinksTheProgramAndRefreshesTheActivePage)
{
    Make({L"First", L"Second"});
    IMouseProfile* p = config.GetProfile(1);
    actions.SetLinkedProgram(1, L"C:\\x.exe");
    actions.SetAutoSwitch(1, true);
    p->SetStageValue(1, 4000);
    ui.log.clear();
    actions.RestoreDefaults(1, L"Restore");
    EXPECT_EQ((Log{L"warn RestorePopup.xml||Restore : Second", L"fill", L"unsaved"}), ui.log);
    EXPECT_EQ(800u, p->GetStageValue(1));
    EXPECT_FALSE(HasLinkedProgram(p));
    EXPECT_EQ(0, p->GetAppLinkEnabled());

    ui.log.clear();
    actions.RestoreDefaults(0, L"Restore");
    EXPECT_EQ((Log{L"warn RestorePopup.xml||Restore : First", L"refresh", L"fill", L"unsaved"}), ui.log);
}
