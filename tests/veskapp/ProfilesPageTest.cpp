// The profiles page in the main dialog on the real skin: twenty profiles in
// device order with the active one marked, the strip's and the lighting
// page's drop-downs following each change, deleting the active profile, the
// automatic-switch box; captures of the page and of the preview popup per
// model in English and German.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DeviceDescriptor.h"
#include "DropdownListItem.h"
#include "GuiObjects.h"
#include "InProcessService.h"
#include "ItemIds.h"
#include "ItemLookup.h"
#include "LangTable.h"
#include "ListPanel.h"
#include "Mouse.h"
#include "PreviewPopup.h"
#include "ProfilePreview.h"
#include "ProfilesPage.h"
#include "RecordingWnd.h"
#include "ScriptedDevice.h"
#include "SkinLoader.h"
#include "TreeCapture.h"
#include "VeskAppDlg.h"
#include "VeskConfig.h"
#include "WarningPopup.h"
#include "WidgetMessages.h"
#include "XListCtrl.h"
#include "resource.h"

namespace {

constexpr int kGerman = 5;
std::vector<std::wstring> g_warnings;
INT_PTR g_warnAnswer = IDOK;
std::vector<LightingValues> g_sent;  // lighting previews, in the order sent

INT_PTR RecordWarning(CWnd*, const wchar_t* file, const wchar_t* data, const wchar_t*)
{
    g_warnings.push_back(std::wstring(file) + (data ? data : L""));
    return g_warnAnswer;
}

void FillConfig(CVeskConfig& config, int count)
{
    for (int i = 0; i < count; ++i) {
        wchar_t name[32];
        swprintf(name, 32, i == 3 ? L"Langer Profilname %02d" : L"Profile %02d", i + 1);
        IMouseProfile* p = config.NewProfile(name);
        p->SetGuid(0x100 + i, 1, 2, 3);
    }
    config.SetLinkedAppPath(L"C:\\Games\\racer.exe", config.GetProfile(2));
    config.SetAppLinkEnabled(1, config.GetProfile(2));
    config.SetActiveProfile(config.GetProfile(0));
}

class ProfilesPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_warnings.clear();
        g_warnAnswer = IDOK;
        SetWarningPopupRunner(&RecordWarning);
        LoadSkinPage(&language, L"Language.xml", nullptr, false);
        SelectLanguage(0);
    }
    void TearDown() override
    {
        if (dlg) {
            dlg->DestroyWindow();
            dlg.reset();
        }
        SetWarningPopupRunner(nullptr);
        language.DeleteAll();
    }
    void Open(uint32_t productId, int profiles)
    {
        FillConfig(config, profiles);
        device.productId = productId;
        dlg = std::make_unique<CVeskAppDlg>(&slot, &config);
        ASSERT_TRUE(dlg->Create(IDD_VESKAPP_DIALOG));
        g_sent.clear();
        dlg->LightingSender().SetSend([](const LightingValues& v) { g_sent.push_back(v); });
        dlg->ShowWindow(SW_SHOWNOACTIVATE);
        dlg->ShowPage(PAGE_PROFILES);
        PumpPending();
        list = FindTypedItem<CXListCtrl>(&dlg->List(LIST_PAGE_PROFILES), LIST_PROFILELIST, ITEM_XLISTCTRL);
        strip = FindTypedItem<CDropdownListItem>(&dlg->List(LIST_STRIP), LIST_GLOBALPROFILELIST, ITEM_DROPDOWNLIST);
        lighting = FindTypedItem<CDropdownListItem>(&dlg->List(LIST_PAGE_LIGHTING), LIST_GLOBALPROFILELIST,
                                                    ITEM_DROPDOWNLIST);
        ASSERT_TRUE(list && strip);
    }
    // The page's widget message as the list sends it.
    void ListSays(UINT message, int row, int column, LPARAM value)
    {
        XListCellNotify n{row, column, value};
        dlg->SendMessage(message, (WPARAM)list->m_hWnd, (LPARAM)&n);
    }
    void Check(int row, int column, BYTE state) { ListSays(WM_XLIST_CHECK_CHANGED, row, column, (LPARAM)&state); }
    void Menu(int row, const wchar_t* key) { ListSays(WM_XLIST_COMMAND, row, 0, (LPARAM)key); }
    int ActiveIndex() const { return ProfileIndexOf(config, config.GetActiveProfile()); }

    CGUIItems language;
    CVeskConfig config;
    CScriptedDevice device;
    GenDevice* slot = &device;
    std::unique_ptr<CVeskAppDlg> dlg;
    CXListCtrl* list = nullptr;
    CDropdownListItem* strip = nullptr;
    CDropdownListItem* lighting = nullptr;
};

}  // namespace

TEST_F(ProfilesPageTest, TwentyProfilesInDeviceOrderWithTheActiveOneMarkedEverywhere)
{
    Open(0x1F, 20);
    ASSERT_EQ(20, list->GetItemCount());
    EXPECT_EQ(CString(L"01"), list->GetCellText(0, 1));
    EXPECT_EQ(CString(L"20"), list->GetCellText(19, 1));
    EXPECT_EQ(CString(L"Profile 20"), list->GetCellText(19, 2));
    EXPECT_EQ(CString(L"C:\\Games\\racer.exe"), list->GetCellText(2, 3));
    EXPECT_EQ(1, list->GetCellData(2, 4));
    EXPECT_EQ(1, list->GetCellData(0, 0));
    EXPECT_EQ(20, strip->GetCount());
    EXPECT_EQ(0, strip->GetCurSel());

    // The strip's drop-down picks by position; the list and the other
    // drop-down follow. The profile left gets back the lights it had when
    // chosen (a previewed colour waits for its return), and the new one's
    // lights go to the device.
    config.SetZoneColor(0, 0x123456, config.GetProfile(17));
    const int kept = config.GetZoneColor(0, config.GetProfile(0));
    config.SetZoneColor(0, 0xABCDEF, nullptr);
    dlg->SendMessage(WM_DROPDOWN_SELECTED, 17, (LPARAM)strip->m_hWnd);
    dlg->LightingSender().Join();
    ASSERT_FALSE(g_sent.empty());
    EXPECT_EQ(0x123456, g_sent.back().colour);
    EXPECT_EQ(kept, config.GetZoneColor(0, config.GetProfile(0)));
    EXPECT_EQ(17, ActiveIndex());
    EXPECT_EQ(0, list->GetCellData(0, 0));
    EXPECT_EQ(1, list->GetCellData(17, 0));
    EXPECT_EQ(17, list->GetSelectedKey());
    if (lighting) {
        EXPECT_EQ(17, lighting->GetCurSel());
    }

    // The list's own mark does the same.
    Check(5, 0, 1);
    EXPECT_EQ(5, ActiveIndex());
    EXPECT_EQ(5, strip->GetCurSel());
    Check(0, 0, 1);
    dlg->LightingSender().Join();
    EXPECT_EQ(0xABCDEF, config.GetZoneColor(0, nullptr));
    EXPECT_EQ(0xABCDEF, g_sent.back().colour);
}

TEST_F(ProfilesPageTest, DeletingTheActiveProfileSelectsTheFirstAndRefillsEverything)
{
    Open(0x15, 20);
    dlg->SendMessage(WM_DROPDOWN_SELECTED, 19, (LPARAM)strip->m_hWnd);
    Menu(19, L"$Delete");
    EXPECT_EQ((std::vector<std::wstring>{L"ConfirmDeletePopup.xml: Profile 20"}), g_warnings);
    EXPECT_EQ(19u, config.GetProfileCount());
    EXPECT_EQ(0, ActiveIndex());
    EXPECT_EQ(19, list->GetItemCount());
    EXPECT_EQ(19, strip->GetCount());
    EXPECT_EQ(1, list->GetCellData(0, 0));

    g_warnings.clear();
    Menu(0, L"$Delete");
    EXPECT_EQ((std::vector<std::wstring>{L"DisallowDeletePopup.xml: Profile 01"}), g_warnings);
    EXPECT_EQ(19u, config.GetProfileCount());

    // Copy adds a row under the next free number and makes it active.
    Menu(1, L"$Copy");
    ASSERT_EQ(20, list->GetItemCount());
    EXPECT_EQ(CString(L"Profile 02(2)"), list->GetCellText(19, 2));
    EXPECT_EQ(19, strip->GetCurSel());
}

TEST_F(ProfilesPageTest, AutoSwitchNeedsAProgramAndUnlinkingClearsIt)
{
    Open(0x1F, 3);
    Check(1, 4, 1);
    EXPECT_EQ((std::vector<std::wstring>{L"SelectApplicationWarningPopup.xml: Profile 02"}), g_warnings);
    EXPECT_EQ(0, list->GetCellData(1, 4));
    EXPECT_EQ(0, config.GetAppLinkEnabled(config.GetProfile(1)));

    // Unassigning is offered only on a row with a program.
    auto* menu = FindTypedItem<CListPanelItem>(&dlg->List(LIST_PAGE_PROFILES), LISTPANEL_PROFILEOPTIONS, ITEM_LISTPANEL);
    ASSERT_NE(nullptr, menu);
    const int unassign = menu->FindRow(ListPanelEntry(L"$UnassignApplication"));
    ASSERT_GE(unassign, 0);
    ListSays(WM_XLIST_CONTEXT, 1, 0, 0);
    EXPECT_NE(0, menu->Rows()[(size_t)unassign].disabled);
    ListSays(WM_XLIST_CONTEXT, 2, 0, 0);
    EXPECT_EQ(0, menu->Rows()[(size_t)unassign].disabled);

    // The list's own unassign entry: the path and the switch go.
    list->RunContextCommand(2, L"$UnassignApplication");
    EXPECT_EQ(CString(), list->GetCellText(2, 3));
    EXPECT_STREQ(L"", config.GetProfile(2)->GetLinkedAppName());
    EXPECT_EQ(0, config.GetAppLinkEnabled(config.GetProfile(2)));
}

TEST_F(ProfilesPageTest, OnScreenDisplayBoxSetsEveryProfile)
{
    Open(0x1F, 3);
    auto* box = FindTypedItem<CBitmapBtn>(&dlg->List(LIST_PAGE_PROFILES), BUTTON_ENABLE_PROFILE_OSD, ITEM_BITMAPBTN);
    ASSERT_NE(nullptr, box);
    const bool before = box->IsSelected();
    box->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    box->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    PumpPending();
    ASSERT_NE(before, box->IsSelected());
    for (uint32_t i = 0; i < 3; ++i) EXPECT_EQ(box->IsSelected() ? 1 : 0, config.GetProfileOsd(config.GetProfile(i)));
}

namespace {

struct LookCase {
    uint32_t productId;
    int modelFlag;
    const wchar_t* name;
};

class ProfilesLook : public ::testing::TestWithParam<std::tuple<LookCase, int>> {};

}  // namespace

TEST_P(ProfilesLook, PageAndPreview)
{
    const LookCase look = std::get<0>(GetParam());
    const int languageId = std::get<1>(GetParam());
    CGUIItems languageItems;
    LoadSkinPage(&languageItems, L"Language.xml", nullptr, false);
    SelectLanguage(languageId);
    const std::wstring suffix = std::wstring(look.name) + (languageId == kGerman ? L"_de" : L"_en");
    CVeskConfig config;
    FillConfig(config, 20);
    config.SetActiveProfile(config.GetProfile(12));
    CScriptedDevice device;
    device.productId = look.productId;
    GenDevice* slot = &device;
    {
        CVeskAppDlg dlg(&slot, &config);
        ASSERT_TRUE(dlg.Create(IDD_VESKAPP_DIALOG));
        dlg.ShowWindow(SW_SHOWNOACTIVATE);
        dlg.ShowPage(PAGE_PROFILES);
        PumpPending();
        EXPECT_TRUE(SaveTreeCapture(dlg.m_hWnd, (L"veskapp_profiles_" + suffix).c_str()));

        const PreviewContent content =
            BuildProfilePreview(config, config.GetProfile(12), look.modelFlag, [&config](const AssignmentRecord& r) {
                return PreviewAssignmentText(config, r);
            });
        // The first popup fills the skin's picture cache; the second must
        // leave nothing behind.
        int gdiAfterFirst = 0, userAfterFirst = 0;
        for (int round = 0; round < 2; ++round) {
            CVeskPreviewPopup preview(&dlg, look.modelFlag, content);
            ASSERT_TRUE(preview.Create(IDD_POPUP_PREVIEW, &dlg));
            preview.ShowWindow(SW_SHOWNOACTIVATE);
            EXPECT_EQ(0, preview.CurrentView());
            if (round == 0) {
                EXPECT_TRUE(SaveTreeCapture(preview.m_hWnd, (L"veskapp_preview_" + suffix).c_str()));
            }
            preview.ShowView(2);
            PumpPending();
            if (round == 0) {
                EXPECT_TRUE(SaveTreeCapture(preview.m_hWnd, (L"veskapp_preview_grid_" + suffix).c_str()));
            }
            preview.DestroyWindow();
            if (round == 0) {
                gdiAfterFirst = GdiObjectCount();
                userAfterFirst = UserObjectCount();
            }
        }
        EXPECT_LE(GdiObjectCount(), gdiAfterFirst);
        EXPECT_LE(UserObjectCount(), userAfterFirst);
        dlg.DestroyWindow();
    }
    languageItems.DeleteAll();
}

INSTANTIATE_TEST_SUITE_P(Models, ProfilesLook,
                         ::testing::Combine(::testing::Values(LookCase{0x1F, 1, L"wireless"},
                                                              LookCase{0x21, 2, L"dock"},
                                                              LookCase{0x15, 4, L"wired"},
                                                              LookCase{0x2E, 8, L"model2e"}),
                                            ::testing::Values(0, kGerman)),
                         [](const auto& info) {
                             const LookCase& c = std::get<0>(info.param);
                             std::string name = c.productId == 0x1F   ? "Wireless"
                                                : c.productId == 0x21 ? "Dock"
                                                : c.productId == 0x15 ? "Wired"
                                                                      : "Model2E";
                             return name + (std::get<1>(info.param) == kGerman ? "German" : "English");
                         });

TEST(ProfilePreviewContent, LightsInWordsAndViews)
{
    CVeskConfig config;
    IMouseProfile* p = config.NewProfile(L"Look");
    config.SetZoneOn(3, 1, p);
    config.SetZoneOn(0, 0, p);
    config.SetZoneEffect(0, 5, p);
    config.SetZoneLevel(0, 50, p);
    const auto describe = [](const AssignmentRecord& r) { return r.type == kFnClick ? CString(L"click") : CString(); };
    PreviewContent wired = BuildProfilePreview(config, p, 4, describe);
    EXPECT_FALSE(wired.showColour);
    EXPECT_EQ(CString(L"click"), wired.buttons[0]);
    PreviewContent wireless = BuildProfilePreview(config, p, 1, describe);
    EXPECT_TRUE(wireless.showColour);
    EXPECT_EQ(L" (NUM)", wireless.views[2].Right(6));
    EXPECT_STREQ(L"$Off", BrightnessKey(0));
    EXPECT_STREQ(L"$Dim", BrightnessKey(33));
    EXPECT_STREQ(L"$Normal", BrightnessKey(66));
    EXPECT_STREQ(L"$Bright", BrightnessKey(67));
    EXPECT_EQ(5, wireless.stageCount);
}

// End to end against the device service's object model: a profile exported
// from the page, deleted and written, then imported back as it was.
namespace {

std::wstring g_profileFile;
bool AnswerFileDialog(CWnd*, bool, CString& path)
{
    path = g_profileFile.c_str();
    return true;
}

class ProfilesToDevice : public InProcessServiceTest {};

}  // namespace

TEST_F(ProfilesToDevice, ExportDeleteAndImportBringsTheProfileBack)
{
    CGUIItems language;
    ASSERT_TRUE(LoadSkinPage(&language, L"Language.xml", nullptr, false));
    SelectLanguage(0);
    g_warnings.clear();
    g_warnAnswer = IDOK;
    SetWarningPopupRunner(&RecordWarning);
    wchar_t folder[MAX_PATH];
    ASSERT_GT(::GetTempPathW(MAX_PATH, folder), 0u);
    g_profileFile = std::wstring(folder) + L"profiles_page_round_trip.qvp";
    ::DeleteFileW(g_profileFile.c_str());
    CProfilesPage::SetFileDialogRunner(&AnswerFileDialog);

    CMouse mouse(FindKnownDevice(0x1F));
    CVeskConfig config;
    ASSERT_TRUE(mouse.ReadAll(&config));
    ASSERT_TRUE(mouse.Transfer(&config, kTransferRead, 0x1B7D | 0x2));
    ASSERT_GE(config.GetProfileCount(), 2u);
    const uint32_t count = config.GetProfileCount();
    const int last = (int)count - 1;
    IMouseProfile* chosen = config.GetProfile((uint32_t)last);
    const CString name = chosen->GetName();
    config.SetStageValue(1, 1300, chosen);
    ASSERT_TRUE(mouse.Transfer(&config, kTransferWrite, 0x2FFF));
    ASSERT_TRUE(PumpUntil([&] { return !mouse.IsBusy(); }));

    GenDevice* slot = &mouse;
    CVeskAppDlg dlg(&slot, &config);
    ASSERT_TRUE(dlg.Create(IDD_VESKAPP_DIALOG));
    dlg.ShowPage(PAGE_PROFILES);
    auto* list = FindTypedItem<CXListCtrl>(&dlg.List(LIST_PAGE_PROFILES), LIST_PROFILELIST, ITEM_XLISTCTRL);
    ASSERT_NE(nullptr, list);
    auto menu = [&](int row, const wchar_t* key) {
        XListCellNotify n{row, 0, (LPARAM)key};
        dlg.SendMessage(WM_XLIST_COMMAND, (WPARAM)list->m_hWnd, (LPARAM)&n);
    };

    menu(last, L"$Export");
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(g_profileFile.c_str()));
    menu(last, L"$Delete");
    ASSERT_EQ(count - 1, config.GetProfileCount());
    EXPECT_EQ(nullptr, config.FindProfileByName(name));
    ASSERT_TRUE(mouse.Transfer(&config, kTransferWrite, 0x2FFF));  // Apply
    ASSERT_TRUE(PumpUntil([&] { return !mouse.IsBusy(); }));
    ASSERT_EQ(count - 1, mouse.GetDeviceProfileCount());

    menu(0, L"$Import");
    ASSERT_EQ(count, config.GetProfileCount());
    IMouseProfile* back = config.FindProfileByName(name);
    ASSERT_NE(nullptr, back);
    EXPECT_EQ(1300u, config.GetStageValue(1, back));
    EXPECT_EQ((int)count, list->GetItemCount());
    EXPECT_EQ(CString(name), list->GetCellText(last, 2));
    EXPECT_EQ((std::vector<std::wstring>{L"ConfirmDeletePopup.xml: " + std::wstring(name.GetString())}), g_warnings);
    dlg.DestroyWindow();

    ::DeleteFileW(g_profileFile.c_str());
    CProfilesPage::SetFileDialogRunner(nullptr);
    SetWarningPopupRunner(nullptr);
    language.DeleteAll();
}
