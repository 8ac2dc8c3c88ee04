// The macros page in the main dialog on the real skin: recording (only Stop
// acts meanwhile), preview, the delay boxes, the event limit, deleting down
// to no macro, the objects it leaves behind; and its look for every model in
// English and German (build/captures/veskapp_macros_*.png).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BitmapBtn.h"
#include "DropdownListItem.h"
#include "EditItems.h"
#include "GuiObjects.h"
#include "ItemIds.h"
#include "LangTable.h"
#include "MacroDisplayItem.h"
#include "MacrosPage.h"
#include "RecordingWnd.h"
#include "ScriptedDevice.h"
#include "SingleKeyPopup.h"
#include "SkinLoader.h"
#include "TreeCapture.h"
#include "VeskAppDlg.h"
#include "VeskConfig.h"
#include "WarningPopup.h"
#include "WidgetMessages.h"
#include "resource.h"

namespace {

std::vector<std::wstring> g_warnings;
INT_PTR RecordWarning(CWnd*, const wchar_t* file, const wchar_t*, const wchar_t*)
{
    g_warnings.push_back(file);
    return IDOK;
}

MacroEvent Key(uint16_t scan, uint16_t vk, bool up)
{
    return {MacroEvent::kKey, (int)(scan | ((uint32_t)vk << 16)), up ? MacroEvent::kRelease : MacroEvent::kPress};
}

RAWKEYBOARD RawKey(USHORT scan, USHORT vk, bool up)
{
    RAWKEYBOARD k{};
    k.MakeCode = scan;
    k.VKey = vk;
    k.Flags = up ? RI_KEY_BREAK : RI_KEY_MAKE;
    k.Message = up ? WM_KEYUP : WM_KEYDOWN;
    return k;
}

// Ctrl+C with a delay between the presses, as a recording makes it.
void AddSampleMacros(CVeskConfig& config)
{
    CMacro* copy = config.AddMacro(L"Copy text");
    copy->events = {Key(0x1D, 0xA2, false), {MacroEvent::kDelay, 120, 120}, Key(0x2E, 0x43, false),
                    Key(0x2E, 0x43, true), Key(0x1D, 0xA2, true)};
    config.AddMacro(L"Empty");
}

bool Shown(const CGUIItem* item)
{
    return item && item->HasWindow() && (::GetWindowLongPtrW(item->m_window, GWL_STYLE) & WS_VISIBLE);
}

bool Enabled(const CGUIItem* item)
{
    if (item && item->m_type == ITEM_DROPDOWNLIST)
        return !static_cast<const CDropdownListItem*>(item)->IsDisabled();
    return item && item->HasWindow() && ::IsWindowEnabled(item->m_window);
}

class MacrosPage : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_warnings.clear();
        SetWarningPopupRunner(&RecordWarning);
        config.SetActiveProfile(config.NewProfile(L"Everyday"));
        AddSampleMacros(config);
    }
    void TearDown() override
    {
        Close();
        SetWarningPopupRunner(nullptr);
    }
    void Open()
    {
        dlg = std::make_unique<CVeskAppDlg>(&slot, &config);
        ASSERT_TRUE(dlg->Create(IDD_VESKAPP_DIALOG));
        dlg->ShowWindow(SW_SHOWNOACTIVATE);
        dlg->ShowPage(PAGE_MACROS);
        page = static_cast<CMacrosPage*>(dlg->Modules()[4].get());
        display = static_cast<CMacroDisplayItem*>(Item(MACRO_DISPLAY));
        ASSERT_NE(nullptr, display);
    }
    void Close()
    {
        if (dlg && dlg->m_hWnd)
            dlg->DestroyWindow();
        dlg.reset();
    }
    CGUIItem* Item(int id) { return dlg->List(LIST_PAGE_MACROS).FindById(id); }
    void Click(int id)
    {
        CGUIItem* item = Item(id);
        ASSERT_NE(nullptr, item);
        if (item->m_type == ITEM_BITMAPBTN && static_cast<CBitmapBtn*>(item)->m_isCheckBox)
            ::SendMessageW(item->m_window, WM_LBUTTONDOWN, 0, 0);  // toggles itself
        else
            dlg->SendMessage(WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), (LPARAM)item->m_window);
    }
    CEditItem* Box(int id) { return static_cast<CEditItem*>(Item(id)); }
    // Typing into a box, then leaving it.
    void Type(int id, const wchar_t* text) { Box(id)->SetWindowText(text); }
    void Leave(int id)
    {
        dlg->SendMessage(WM_EDITITEM_LEFT, 0, (LPARAM)Box(id)->m_hWnd);
    }
    int State() const { return page->Core().State(); }
    CMacro* Macro(int i) { return config.GetMacro(i); }

    CVeskConfig config;
    CScriptedDevice device;
    GenDevice* slot = &device;
    std::unique_ptr<CVeskAppDlg> dlg;
    CMacrosPage* page = nullptr;
    CMacroDisplayItem* display = nullptr;
};

}  // namespace

TEST_F(MacrosPage, RecordingLetsOnlyStopActAndStoresTheEvents)
{
    auto scenario = [&](size_t eventsBefore) {
        Open();
        EXPECT_EQ(kMacroStateIdle, State());
        EXPECT_EQ((int)eventsBefore, display->GetItemCount());
        EXPECT_FALSE(Enabled(Item(BUTTON_MACRO_RECORD_STOP)));

        Click(BUTTON_MACRO_RECORD);
        ASSERT_EQ(kMacroStateRecording, State());
        EXPECT_TRUE(dlg->IsRecording());
        EXPECT_TRUE(Enabled(Item(BUTTON_MACRO_RECORD_STOP)));
        EXPECT_FALSE(Enabled(Item(LIST_GLOBALMACROLIST)));
        EXPECT_FALSE(Enabled(Item(BUTTON_MACRO_DELETE)));
        EXPECT_FALSE(Enabled(dlg->Items().FindById(BUTTON_MANAGEPROFILES)));
        // Nothing but Stop acts: not Delete, not Escape or Enter, not closing.
        Click(BUTTON_MACRO_DELETE);
        dlg->SendMessage(WM_COMMAND, IDCANCEL, 0);
        dlg->SendMessage(WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(g_warnings.empty());
        EXPECT_TRUE(::IsWindow(dlg->m_hWnd));
        EXPECT_EQ(2u, config.GetMacroCount());

        display->RecordRawKeyboard(RawKey(0x1E, 'A', false));
        display->RecordRawKeyboard(RawKey(0x1E, 'A', true));
        Click(BUTTON_MACRO_RECORD_STOP);
        EXPECT_EQ(kMacroStateIdle, State());
        EXPECT_FALSE(dlg->IsRecording());
        EXPECT_TRUE(dlg->IsUnsaved());
        ASSERT_GE(Macro(0)->events.size(), eventsBefore + 2);
        EXPECT_EQ(0x1E, Macro(0)->events.back().value & 0xFFFF);
        EXPECT_TRUE(Enabled(Item(LIST_GLOBALMACROLIST)));

        // Preview: the read-only list plays, Stop ends it.
        Click(BUTTON_MACRO_RECORD_PLAY);
        EXPECT_EQ(kMacroStatePreview, State());
        EXPECT_TRUE(Shown(Item(MACRO_DISPLAY_READONLY)));
        EXPECT_FALSE(Shown(display));
        Click(BUTTON_MACRO_RECORD_STOP);
        EXPECT_EQ(kMacroStateIdle, State());
        EXPECT_TRUE(Shown(display));
        EXPECT_FALSE(Shown(Item(MACRO_DISPLAY_READONLY)));
        Close();
    };
    // Skin pictures and fonts stay cached after the first round.
    scenario(5);
    const int gdi = GdiObjectCount(), user = UserObjectCount();
    scenario(Macro(0)->events.size());
    EXPECT_EQ(gdi, GdiObjectCount());
    EXPECT_EQ(user, UserObjectCount());
}

TEST_F(MacrosPage, DelayBoxesWarnOnLeavingOrUseAndFeedTheirOwnDelay)
{
    Open();
    // The recording delay box is usable only with its check box.
    EXPECT_FALSE(Enabled(Box(EDITCTRL_DEFAULT_DELAY)));
    Click(BUTTON_INSERTDEFAULT_DELAY);
    EXPECT_TRUE(Enabled(Box(EDITCTRL_DEFAULT_DELAY)));
    EXPECT_TRUE(display->GetFixedDelay());

    // Typing never warns; leaving an empty box does, once, and puts 50 back.
    Type(EDITCTRL_DEFAULT_DELAY, L"");
    Type(EDITCTRL_DEFAULT_DELAY, L"0");
    EXPECT_TRUE(g_warnings.empty());
    Leave(EDITCTRL_DEFAULT_DELAY);
    ASSERT_EQ(1u, g_warnings.size());
    EXPECT_EQ(L"DefaultDelayWarningPopup.xml", g_warnings[0]);
    EXPECT_EQ(L"50", Box(EDITCTRL_DEFAULT_DELAY)->GetWindowText().str());
    Type(EDITCTRL_DEFAULT_DELAY, L"75");
    EXPECT_EQ(75u, display->FixedDelayMs());

    // The insert box feeds only the inserted delay.
    Type(EDITCTRL_INSERT_DELAY, L"250");
    EXPECT_EQ(250u, display->InsertDelay());
    EXPECT_EQ(75u, display->FixedDelayMs());
    display->SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    Click(BUTTON_INSERT_DELAY);
    ASSERT_EQ(6u, Macro(0)->events.size());
    EXPECT_EQ((MacroEvent{MacroEvent::kDelay, 250, 250}), Macro(0)->events[1]);
    EXPECT_EQ(1, display->GetNextItem(-1, LVNI_SELECTED));

    // Recording with an empty fixed delay warns and does not start; the
    // other check box clears this one.
    Type(EDITCTRL_DEFAULT_DELAY, L"");
    Click(BUTTON_MACRO_RECORD);
    EXPECT_EQ(kMacroStateIdle, State());
    EXPECT_EQ(2u, g_warnings.size());
    Click(BUTTON_IGNORE_DELAY);
    EXPECT_FALSE(static_cast<CBitmapBtn*>(Item(BUTTON_INSERTDEFAULT_DELAY))->IsSelected());
    EXPECT_FALSE(Enabled(Box(EDITCTRL_DEFAULT_DELAY)));
    EXPECT_TRUE(display->GetNoDelays());
    EXPECT_FALSE(display->GetFixedDelay());
}

TEST_F(MacrosPage, AFullRecordingStopsAndSaysSoAndDeletingAllLeavesNoMacro)
{
    Open();
    CGUIItem* note = Item(TEXT_WARNDLG_MESSAGE);
    ASSERT_NE(nullptr, note);
    EXPECT_FALSE(Shown(note));
    Click(BUTTON_MACRO_RECORD);
    ASSERT_EQ(kMacroStateRecording, State());
    dlg->SendMessage(WM_MACRO_RECORD_FULL, 0, (LPARAM)MACRO_DISPLAY);
    EXPECT_EQ(kMacroStateIdle, State());
    EXPECT_FALSE(dlg->IsRecording());
    EXPECT_TRUE(Shown(note));
    // It stays with the page, and goes when another macro is chosen.
    dlg->ShowPage(PAGE_PROFILES);
    dlg->ShowPage(PAGE_MACROS);
    EXPECT_TRUE(Shown(note));
    dlg->SendMessage(WM_DROPDOWN_SELECTED, 1, (LPARAM)Item(LIST_GLOBALMACROLIST)->m_window);
    EXPECT_FALSE(Shown(note));
    EXPECT_EQ(0, display->GetItemCount());

    Click(BUTTON_MACRO_DELETE);
    Click(BUTTON_MACRO_DELETE);
    EXPECT_EQ(0u, config.GetMacroCount());
    EXPECT_EQ(kMacroStateNone, State());
    EXPECT_FALSE(Enabled(Item(BUTTON_MACRO_DELETE)));
    EXPECT_FALSE(Enabled(Item(BUTTON_MACRO_RECORD_PLAY)));
    EXPECT_TRUE(Enabled(Item(BUTTON_MACRO_CREATE)));
    EXPECT_TRUE(Enabled(Item(LIST_GLOBALMACROLIST)));
}

TEST_F(MacrosPage, EditingAKeyRowTakesThePopupsKeyAndKeepsTheRelease)
{
    Open();
    SetSingleKeyPopupRunner([](CWnd*, SingleKeyResult& r) {
        r.scanCode = 0x2D;
        r.virtualKey = 'X';
        r.flags = 0;
        return true;
    });
    display->SetItemState(3, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    dlg->SendMessage(WM_MACRO_EVENT_EDIT, 0, (LPARAM)MACRO_DISPLAY);
    SetSingleKeyPopupRunner(nullptr);
    EXPECT_EQ(Key(0x2D, 'X', true), Macro(0)->events[3]);
    EXPECT_TRUE(dlg->IsUnsaved());
}

namespace {

struct LookCase {
    uint32_t productId;
    int language;
    const char* name;
};

class MacrosPageLook : public ::testing::TestWithParam<LookCase> {};

}  // namespace

// Idle with a macro shown, and a recording stopped at the limit (the note).
TEST_P(MacrosPageLook, IdleAndFull)
{
    CGUIItems language;
    LoadSkinPage(&language, L"Language.xml", nullptr, false);
    SelectLanguage(GetParam().language);
    CVeskConfig config;
    config.SetActiveProfile(config.NewProfile(L"Everyday"));
    AddSampleMacros(config);
    CScriptedDevice device;
    device.productId = GetParam().productId;
    GenDevice* slot = &device;
    {
        CVeskAppDlg dlg(&slot, &config);
        ASSERT_TRUE(dlg.Create(IDD_VESKAPP_DIALOG));
        dlg.ShowWindow(SW_SHOWNOACTIVATE);
        dlg.ShowPage(PAGE_MACROS);
        PumpPending();
        const std::string name = GetParam().name;
        const std::wstring base = L"veskapp_macros_" + std::wstring(name.begin(), name.end());
        EXPECT_TRUE(SaveTreeCapture(dlg.m_hWnd, (base + L"_idle").c_str()));
        CGUIItem* record = dlg.List(LIST_PAGE_MACROS).FindById(BUTTON_MACRO_RECORD);
        ASSERT_NE(nullptr, record);
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), (LPARAM)record->m_window);
        PumpPending();
        EXPECT_TRUE(SaveTreeCapture(dlg.m_hWnd, (base + L"_recording").c_str()));
        dlg.SendMessage(WM_MACRO_RECORD_FULL, 0, (LPARAM)MACRO_DISPLAY);
        PumpPending();
        EXPECT_TRUE(SaveTreeCapture(dlg.m_hWnd, (base + L"_full").c_str()));
        dlg.DestroyWindow();
    }
    language.DeleteAll();
}

INSTANTIATE_TEST_SUITE_P(Models, MacrosPageLook,
                         ::testing::Values(LookCase{0x1F, 0, "wireless_en"}, LookCase{0x21, 0, "dock_en"},
                                           LookCase{0x15, 0, "wired_en"}, LookCase{0x2E, 0, "model2e_en"},
                                           LookCase{0x1F, LANGUAGE_GERMAN, "wireless_de"}, LookCase{0x21, LANGUAGE_GERMAN, "dock_de"},
                                           LookCase{0x15, LANGUAGE_GERMAN, "wired_de"}, LookCase{0x2E, LANGUAGE_GERMAN, "model2e_de"}),
                         [](const ::testing::TestParamInfo<LookCase>& info) { return std::string(info.param.name); });
