// Every kind of the configurator's popup as the X display shows it: each is
// made by the configurator's own classes in this process, owned by a main
// window as the program makes it (layered, shaped, the popup lying wholly
// inside it), so that its own picture can be taken (Wine prints no window
// of another process) and set against the X server's.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "DpiStagesModel.h"
#include "DropdownListItem.h"
#include "ItemIds.h"
#include "LangTable.h"
#include "LanguageNames.h"
#include "ListPanel.h"
#include "ModelFlags.h"
#include "MacroAssignmentPopup.h"
#include "NameEntryPopup.h"
#include "NumEntryPopup.h"
#include "PageModule.h"
#include "PreviewPopup.h"
#include "RecordingWnd.h"
#include "ScreenFixture.h"
#include "ScriptedDevice.h"
#include "ServiceConnection.h"
#include "SingleKeyPopup.h"
#include "SkinLoader.h"
#include "SplashPopup.h"
#include "StagesPopup.h"
#include "VeskAppDlg.h"
#include "VeskConfig.h"
#include "WarningPopup.h"
#include "WidgetMessages.h"
#include "resource.h"

namespace {

HRESULT NoService(IDeviceCollection** out)
{
    *out = nullptr;
    return E_FAIL;
}

// The window a modal pop-up opened, found and checked from inside its own
// message loop; then it is dismissed.
std::function<void()> g_tick;
void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_tick)
        g_tick();
}

class PopupScreen : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        BuildLanguageTable();
        CVeskAppDlg::RegisterWindowClass(::GetModuleHandleW(nullptr), L"TkTestMainWindow");
        SetDeviceServiceFactory(&NoService);
    }
    void SetUp() override
    {
        LoadSkinPage(&language, L"Language.xml", nullptr, false);
        SelectLanguage(0);
        config.SetActiveProfile(config.NewProfile(L"Everyday"));
        slot = &device;
        dlg.reset(new CVeskAppDlg(&slot, &config));
        ASSERT_TRUE(dlg->Create(IDD_VESKAPP_DIALOG));
        dlg->ShowWindow(SW_SHOW);
        dlg->UpdateWindow();
    }
    void TearDown() override
    {
        if (dlg && dlg->GetSafeHwnd())
            dlg->DestroyWindow();
        dlg.reset();
        language.DeleteAll();
    }

    // A modeless popup: created over the main window, looked at, destroyed.
    void ExpectShown(CDialog& popup, UINT templateId, const wchar_t* name)
    {
        CapturedImage beneath;
        ASSERT_TRUE(GrabXScreen(beneath));
        ASSERT_TRUE(popup.Create(templateId, dlg.get())) << "no popup for " << Narrow(name);
        popup.ShowWindow(SW_SHOWNOACTIVATE);
        popup.UpdateWindow();
        ScreenDiff d = ScreenShowsWindow(popup.m_hWnd, beneath, name);
        EXPECT_TRUE(d.Matches()) << Narrow(name) << ": " << d.Describe();
        popup.DestroyWindow();
        PumpPending();
    }
    // A modal list pop-up opened by `open`: looked at from inside its loop.
    void ExpectModalShown(const std::function<void()>& open, const wchar_t* name)
    {
        CapturedImage beneath;
        ASSERT_TRUE(GrabXScreen(beneath));
        std::vector<HWND> before = VisibleWindowsOf(::GetCurrentProcessId(), nullptr);
        bool seen = false;
        ScreenDiff d;
        UINT_PTR timer = ::SetTimer(nullptr, 0, 50, &Tick);
        g_tick = [&] {
            for (HWND w : VisibleWindowsOf(::GetCurrentProcessId(), nullptr)) {
                if (seen || std::find(before.begin(), before.end(), w) != before.end())
                    continue;
                wchar_t cls[64] = {};
                ::GetClassNameW(w, cls, 64);
                if (lstrcmpiW(cls, L"tooltips_class32") == 0)
                    continue;
                seen = true;
                ::KillTimer(nullptr, timer);
                d = ScreenShowsWindow(w, beneath, name);
                ::PostMessageW(w, WM_LISTPANEL_CHOSEN, (WPARAM)-1, (LPARAM)-1);
            }
        };
        open();
        ::KillTimer(nullptr, timer);
        g_tick = nullptr;
        ASSERT_TRUE(seen) << "nothing opened for " << Narrow(name);
        EXPECT_TRUE(d.Matches()) << Narrow(name) << ": " << d.Describe();
    }
    static std::string Narrow(const wchar_t* s) { return std::string(s, s + wcslen(s)); }

    CGUIItems language;
    CVeskConfig config;
    CScriptedDevice device;
    GenDevice* slot = nullptr;
    std::unique_ptr<CVeskAppDlg> dlg;
};

}  // namespace

TEST_F(PopupScreen, EntriesWarningsAndChoicePopups)
{
    CString name;
    CVeskNameEntryPopup nameEntry(dlg.get(), L"ProfileNamePopup.xml", &name);
    ExpectShown(nameEntry, IDD_POPUP_SPLASH, L"popup_name_entry");
    int repeat = 0;
    CKyrthNumEntryPopup number(dlg.get(), L"MacroRepeatEntryPopup.xml", 1, 255, &repeat);
    ExpectShown(number, IDD_POPUP_PANEL, L"popup_number_entry");
    CVeskWarningDlg warning(dlg.get(), L"ConfirmDeletePopup.xml", L": Everyday");
    ExpectShown(warning, IDD_POPUP_PANEL, L"popup_confirmation");
    SingleKeyResult key;
    CVeskPopupBoxSingleKeyEntry single(dlg.get(), &key);
    ExpectShown(single, CVeskPopupBoxSingleKeyEntry::kTemplate, L"popup_single_key");
    MacroChoice choice;
    choice.names = {L"Typed", L"Greeting"};
    choice.name = L"Typed";
    CKyrthMacroAssignmentPopup macro(dlg.get(), &choice);
    ExpectShown(macro, CKyrthMacroAssignmentPopup::kTemplate, L"popup_macro");
}

TEST_F(PopupScreen, StagesPreviewAndSplash)
{
    DpiStagesModel model;
    CVeskDPIStagesPopup stages(dlg.get(), &model);
    ExpectShown(stages, CVeskDPIStagesPopup::kTemplate, L"popup_stages");
    PreviewContent content;
    content.buttons[0] = L"Click";
    content.stageCount = 3;
    content.currentStage = 1;
    CVeskPreviewPopup preview(dlg.get(), MODEL_WIRELESS, content);
    ExpectShown(preview, IDD_POPUP_PREVIEW, L"popup_preview");
    CKyrthSplashScreenDialog splash(dlg.get());
    ExpectShown(splash, IDD_POPUP_SPLASH, L"popup_splash");
}

TEST_F(PopupScreen, TheListMenuAndADropDownList)
{
    dlg->ShowPage(PAGE_PROFILES);
    auto* options = static_cast<CListPanelItem*>(dlg->List(LIST_PAGE_PROFILES).FindById(LISTPANEL_PROFILEOPTIONS));
    ASSERT_NE(nullptr, options);
    ASSERT_EQ(ITEM_LISTPANEL, options->m_type);
    ExpectModalShown([&] { options->ShowPopup(0, dlg.get(), 120, 160); }, L"popup_list_menu");

    dlg->ShowPage(PAGE_BUTTONS);
    CGUIItem* item = dlg->List(LIST_PAGE_BUTTONS).FindById(BUTTON_ASSNBUTTON5);
    ASSERT_NE(nullptr, item);
    ASSERT_EQ(ITEM_DROPDOWNLIST, item->m_type);
    ExpectModalShown([&] { ::SendMessageW(item->m_window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10)); },
                     L"popup_dropdown");
}
