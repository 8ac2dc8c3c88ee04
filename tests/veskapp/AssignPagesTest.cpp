// The button, key and performance pages in the main dialog on the real skin
// and a real configuration, driven as the widgets drive them, with the
// popups answered through their seams; and their captures per model in
// English and German (build/captures/veskapp_assign_*.png).
#include <gtest/gtest.h>

#include <atomic>

#include <cstring>
#include <string>
#include <vector>

#include "AssignPageBase.h"
#include "AssignmentRules.h"
#include "DeviceDescriptor.h"
#include "InProcessService.h"
#include "ItemIds.h"
#include "ItemLookup.h"
#include "LangTable.h"
#include "Macro.h"
#include "MacroAssignmentPopup.h"
#include "Mouse.h"
#include "PerformancePage.h"
#include "RecordingWnd.h"
#include "ScriptedDevice.h"
#include "SingleKeyPopup.h"
#include "SkinLoader.h"
#include "StagesPopup.h"
#include "ThumbKeyDefaults.h"
#include "TreeCapture.h"
#include "VeskAppDlg.h"
#include "VeskConfig.h"
#include "WarningPopup.h"
#include "WidgetMessages.h"
#include "resource.h"

namespace {

// What the popups were asked and what they answer.
std::vector<std::wstring> g_warnings;
CString g_lastHeading;
INT_PTR g_warningAnswer = IDOK;
SingleKeyResult g_key;
bool g_keyOk = true;
int g_keyPopups = 0;
MacroChoice g_offered;
CString g_macroChoice;
int g_macroMode = kPlayOnce;
std::vector<int> g_counts;  // answers to the repeat-count question, in turn
bool g_stagesOk = true;
int g_stagesPopups = 0;

INT_PTR RecordWarning(CWnd*, const wchar_t* file, const wchar_t*, const wchar_t* heading)
{
    g_warnings.push_back(file);
    g_lastHeading = heading ? heading : L"";
    return g_warningAnswer;
}

bool AnswerKey(CWnd*, SingleKeyResult& result)
{
    ++g_keyPopups;
    result = g_key;
    return g_keyOk;
}

bool AnswerMacro(CWnd*, MacroChoice& choice)
{
    g_offered = choice;
    choice.name = g_macroChoice;
    choice.mode = g_macroMode;
    return true;
}

bool AnswerCount(CWnd*, int& count)
{
    if (g_counts.empty())
        return false;
    count = g_counts.front();
    g_counts.erase(g_counts.begin());
    return true;
}

// The popup edits the model: three stages, the second current at 2400.
bool EditStages(CWnd*, DpiStagesModel& model)
{
    ++g_stagesPopups;
    model.stageCount = 3;
    model.currentStage = 2;
    for (size_t i = 0; i < model.stages.size(); ++i)
        model.stages[i].selected = i == 1;
    model.stages[1].value = model.stages[1].x = model.stages[1].y = 2400;
    return g_stagesOk;
}

bool SameRecord(const AssignmentRecord& a, const AssignmentRecord& b)
{
    return memcmp(&a, &b, sizeof(a)) == 0;
}

bool Shown(const CGUIItem* item)
{
    return item && item->HasWindow() && (::GetWindowLongPtrW(item->m_window, GWL_STYLE) & WS_VISIBLE);
}

class Pages : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_warnings.clear();
        g_warningAnswer = IDOK;
        g_key = SingleKeyResult();
        g_keyOk = true;
        g_keyPopups = 0;
        g_counts.clear();
        g_stagesOk = true;
        g_stagesPopups = 0;
        SetWarningPopupRunner(&RecordWarning);
        SetSingleKeyPopupRunner(&AnswerKey);
        SetMacroAssignmentPopupRunner(&AnswerMacro);
        SetRepeatCountRunner(&AnswerCount);
        SetStagesPopupRunner(&EditStages);
        ASSERT_TRUE(LoadSkinPage(&language, L"Language.xml", nullptr, false));
        SelectLanguage(0);
        profile = config.NewProfile(L"Everyday");
        config.SetActiveProfile(profile);
        config.SetPollingRates({125, 500});
    }
    void TearDown() override
    {
        if (dlg && dlg->m_hWnd)
            dlg->DestroyWindow();
        dlg.reset();
        language.DeleteAll();
        SetWarningPopupRunner(nullptr);
        SetSingleKeyPopupRunner(nullptr);
        SetMacroAssignmentPopupRunner(nullptr);
        SetRepeatCountRunner(nullptr);
        SetStagesPopupRunner(nullptr);
    }
    void Open()
    {
        dlg = std::make_unique<CVeskAppDlg>(&slot, &config);
        ASSERT_TRUE(dlg->Create(IDD_VESKAPP_DIALOG));
    }
    template <class T>
    T* Item(int list, int id, int type)
    {
        return FindTypedItem<T>(&dlg->List(list), id, type);
    }
    CDropdownListItem* Box(int list, int id) { return Item<CDropdownListItem>(list, id, ITEM_DROPDOWNLIST); }
    // Chooses the entry of text key `key` (and `sub` in its sub-menu) as the
    // drop-down does; false when the menu does not offer it.
    bool Choose(int list, int id, const wchar_t* key, const wchar_t* sub = nullptr)
    {
        CDropdownListItem* box = Box(list, id);
        int row = box ? ListPanelRowOfText(box->Entries(), key) : -1;
        if (row < 0)
            return false;
        dlg->SendMessage(WM_DROPDOWN_CLICKED, 0, (LPARAM)box->m_hWnd);
        box->SetCurSel(row, sub);
        dlg->SendMessage(WM_DROPDOWN_SELECTED, (WPARAM)row, (LPARAM)box->m_hWnd);
        return true;
    }
    void Click(CGUIItem* item)
    {
        ASSERT_TRUE(item && item->HasWindow());
        dlg->SendMessage(WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), (LPARAM)item->m_window);
    }
    // A check box clicked with the mouse: it switches itself, then reports.
    void Tick(CGUIItem* item)
    {
        ASSERT_TRUE(item && item->HasWindow());
        ::SendMessageW(item->m_window, WM_LBUTTONDOWN, MK_LBUTTON, 0);
        ::SendMessageW(item->m_window, WM_LBUTTONUP, 0, 0);
    }
    AssignmentRecord Button(int n)
    {
        AssignmentRecord r = AssignmentRecord::Empty();
        config.GetButtonAssignment(r, n, nullptr);
        return r;
    }
    AssignmentRecord Key(int button, int keypad)
    {
        AssignmentRecord r = AssignmentRecord::Empty();
        config.GetKeyAssignment(r, (int)ThumbGridKeyHash(button, keypad == 1), nullptr);
        return r;
    }
    AssignmentRecord DefaultKey(int button, int keypad)
    {
        AssignmentRecord r = AssignmentRecord::Empty();
        config.GetDefaultKeyRecord(r, ThumbGridKeyHash(button, keypad == 1));
        return r;
    }

    CGUIItems language;
    CVeskConfig config;
    IMouseProfile* profile = nullptr;
    CScriptedDevice device;
    GenDevice* slot = &device;
    std::unique_ptr<CVeskAppDlg> dlg;
};

}  // namespace

TEST_F(Pages, ButtonMenusOfferWhatTheControlAcceptsAndTheClickRuleHolds)
{
    Open();
    CDropdownListItem* left = Box(LIST_PAGE_BUTTONS, BUTTON_ASSNLEFTCLICK);
    CDropdownListItem* up = Box(LIST_PAGE_BUTTONS, BUTTON_ASSNSCROLLUP);
    ASSERT_TRUE(left && up);
    EXPECT_EQ(CString(L"$click"), left->CurrentText());
    EXPECT_EQ(CString(L"$scrollup"), up->CurrentText());
    // The wheel's menu has no click; the button's no media or shortcut types.
    EXPECT_FALSE(Choose(LIST_PAGE_BUTTONS, BUTTON_ASSNSCROLLUP, L"$click"));
    EXPECT_NE(-1, ListPanelRowOfText(left->Entries(), L"$click"));

    // Right off, then left off: no click would be left, so left stays.
    EXPECT_TRUE(Choose(LIST_PAGE_BUTTONS, BUTTON_ASSNRIGHTCLICK, L"$buttonoff"));
    EXPECT_EQ(kFnButtonOff, Button(2).type);
    EXPECT_TRUE(dlg->IsUnsaved());
    EXPECT_TRUE(g_warnings.empty());
    EXPECT_TRUE(Choose(LIST_PAGE_BUTTONS, BUTTON_ASSNLEFTCLICK, L"$buttonoff"));
    EXPECT_EQ(std::vector<std::wstring>{L"NoClickPopup.xml"}, g_warnings);
    EXPECT_EQ(kFnClick, Button(1).type);
    EXPECT_EQ(CString(L"$click"), left->CurrentText());

    // A single key for the only click is refused before the popup opens.
    EXPECT_TRUE(Choose(LIST_PAGE_BUTTONS, BUTTON_ASSNLEFTCLICK, L"$SingleKey"));
    EXPECT_EQ(0, g_keyPopups);
    EXPECT_EQ(2u, g_warnings.size());
    EXPECT_EQ(kFnClick, Button(1).type);
}

TEST_F(Pages, SingleKeyAndMacroChoicesShowTheirText)
{
    CMacro* macro = config.AddMacro(L"Burst");
    ASSERT_NE(nullptr, macro);
    macro->guid = GUID{5, 6, 7, {1, 2, 3, 4, 5, 6, 7, 8}};
    Open();
    CDropdownListItem* b4 = Box(LIST_PAGE_BUTTONS, BUTTON_ASSNBUTTON4);
    ASSERT_NE(nullptr, b4);

    // Shift+Ctrl and F5 (the key's name is the system's).
    g_key.scanCode = 0x3F;
    g_key.virtualKey = VK_F5;
    g_key.flags = kModShift | kModCtrl;
    g_key.text = L"F5";
    EXPECT_TRUE(Choose(LIST_PAGE_BUTTONS, BUTTON_ASSNBUTTON4, L"$SingleKey"));
    AssignmentRecord r = Button(4);
    EXPECT_EQ(kFnSingleKey, r.type);
    EXPECT_EQ(0x3F, r.ScanCode());
    EXPECT_EQ(kModShift | kModCtrl, r.Modifiers());
    EXPECT_EQ(CString(L"$SingleKey"), b4->CurrentText());
    EXPECT_EQ(0, b4->DisplayText().Find(L"Shift+Ctrl+"));
    EXPECT_GT(b4->DisplayText().GetLength(), 11);

    // Cancelled: the key stays.
    g_keyOk = false;
    EXPECT_TRUE(Choose(LIST_PAGE_BUTTONS, BUTTON_ASSNBUTTON4, L"$SingleKey"));
    EXPECT_TRUE(SameRecord(r, Button(4)));

    // The macro chosen in the sub-menu comes preselected; several times,
    // where 0 is refused with its warning.
    g_macroChoice = L"Burst";
    g_macroMode = kPlayRepeat;
    g_counts = {0, 3};
    EXPECT_TRUE(Choose(LIST_PAGE_BUTTONS, BUTTON_ASSNSCROLLDOWN, L"$macro", L"Burst"));
    EXPECT_EQ(CString(L"Burst"), g_offered.name);
    EXPECT_EQ(std::vector<std::wstring>{L"MacroRepeatWarningPopup.xml"}, g_warnings);
    AssignmentRecord m = Button(13);
    EXPECT_EQ(kFnMacroByGuid, m.type);
    EXPECT_EQ(5u, m.params.values[0]);
    EXPECT_EQ(kPlayRepeat, m.mode);
    EXPECT_EQ(3, m.count);
    CDropdownListItem* down = Box(LIST_PAGE_BUTTONS, BUTTON_ASSNSCROLLDOWN);
    EXPECT_EQ(CString(L"$macro"), down->CurrentText());
    EXPECT_EQ(CString(L"Burst"), down->DisplayText());
    // The macro's sub-menu lists it; the profile's leaves the active one out.
    auto* macros = Item<CListPanelItem>(LIST_PAGE_BUTTONS, LISTPANEL_ASSIGNSUBMENU_MA, ITEM_LISTPANEL);
    auto* profiles = Item<CListPanelItem>(LIST_PAGE_BUTTONS, LISTPANEL_ASSIGNSUBMENU_PR, ITEM_LISTPANEL);
    ASSERT_TRUE(macros && profiles);
    EXPECT_EQ(1, macros->RowCount());
    EXPECT_EQ(0, profiles->RowCount());
}

TEST_F(Pages, ThumbGridLayoutsKeysOffAndRestoreDefaults)
{
    Open();
    dlg->ShowPage(PAGE_KEYS);
    auto* numberRow = Item<CBitmapBtn>(LIST_PAGE_KEYS, BUTTON_KEYASSIGN_123NUM_123, ITEM_BITMAPBTN);
    auto* keypad = Item<CBitmapBtn>(LIST_PAGE_KEYS, BUTTON_KEYASSIGN_123NUM_NUM, ITEM_BITMAPBTN);
    auto* keysOff = Item<CBitmapBtn>(LIST_PAGE_KEYS, BUTTON_DISABLE_KEYS, ITEM_BITMAPBTN);
    CDropdownListItem* key1 = Box(LIST_PAGE_KEYS, BUTTON_ASSNTHUMBGRID01);
    ASSERT_TRUE(numberRow && keypad && keysOff && key1);
    EXPECT_TRUE(numberRow->IsSelected());
    EXPECT_EQ(KeyAssignmentText(DefaultKey(14, 0)), key1->DisplayText());
    EXPECT_FALSE(SameRecord(DefaultKey(14, 0), DefaultKey(14, 1)));

    // The keypad layout: its own key records, a new text, nothing unsaved.
    Click(keypad);
    EXPECT_EQ(1, config.keypadLayout);
    EXPECT_TRUE(keypad->IsSelected());
    EXPECT_FALSE(numberRow->IsSelected());
    EXPECT_EQ(KeyAssignmentText(DefaultKey(14, 1)), key1->DisplayText());
    EXPECT_FALSE(dlg->IsUnsaved());
    EXPECT_TRUE(Choose(LIST_PAGE_KEYS, BUTTON_ASSNTHUMBGRID01, L"$buttonoff"));
    EXPECT_EQ(kFnButtonOff, Key(14, 1).type);
    EXPECT_TRUE(Choose(LIST_PAGE_KEYS, BUTTON_ASSNTHUMBGRID01, L"$defaultkey"));
    EXPECT_TRUE(SameRecord(DefaultKey(14, 1), Key(14, 1)));
    EXPECT_TRUE(SameRecord(DefaultKey(14, 0), Key(14, 0)));

    // Keys off: greyed and shown as off; on again with every slot off
    // brings the defaults back.
    for (int keypadLayout = 0; keypadLayout < 2; ++keypadLayout)
        for (int b = kThumbGridFirstButton; b <= kThumbGridLastButton; ++b) {
            AssignmentRecord off = AssignmentRecord::OfType(kFnButtonOff);
            config.SetKeyAssignment((int)ThumbGridKeyHash(b, keypadLayout == 1), off, nullptr);
        }
    Click(keysOff);
    EXPECT_TRUE(keysOff->IsSelected());
    EXPECT_EQ(0, config.GetKeyMode(nullptr));
    EXPECT_EQ(CString(L"$buttonoff"), key1->CurrentText());
    Click(keysOff);
    EXPECT_EQ(1, config.GetKeyMode(nullptr));
    EXPECT_TRUE(SameRecord(DefaultKey(25, 0), Key(25, 0)));
    EXPECT_TRUE(SameRecord(DefaultKey(25, 1), Key(25, 1)));

    // Restore defaults asks with the profile's name, then resets.
    dlg->ShowPage(PAGE_BUTTONS);
    EXPECT_TRUE(Choose(LIST_PAGE_BUTTONS, BUTTON_ASSNBUTTON5, L"$buttonoff"));
    g_warningAnswer = IDCANCEL;
    Click(Item<CBitmapBtn>(LIST_PAGE_BUTTONS, BUTTON_RESET, ITEM_BITMAPBTN));
    EXPECT_EQ(kFnButtonOff, Button(5).type);
    EXPECT_EQ(L"RestorePopup.xml", g_warnings.back());
    EXPECT_NE(-1, g_lastHeading.Find(L" : Everyday"));
    g_warningAnswer = IDOK;
    std::atomic<int> sends{0};
    dlg->LightingSender().SetSend([&](const LightingValues&) { ++sends; });
    Click(Item<CBitmapBtn>(LIST_PAGE_BUTTONS, BUTTON_RESET, ITEM_BITMAPBTN));
    dlg->LightingSender().Join();
    EXPECT_EQ(1, sends.load());  // the restored lights go to the device
    EXPECT_NE(kFnButtonOff, Button(5).type);
    EXPECT_NE(CString(L"$buttonoff"), Box(LIST_PAGE_BUTTONS, BUTTON_ASSNBUTTON5)->CurrentText());
}

TEST_F(Pages, PerformanceSlidersSwitchesRatesAndStages)
{
    Open();
    dlg->ShowPage(PAGE_PERFORMANCE);
    auto item = [&](int id) { return dlg->List(LIST_PAGE_PERFORMANCE).FindById(id); };
    // One value: the X/Y sliders, their headings and the Y readout hidden;
    // two rates offered, so the third button is hidden.
    EXPECT_TRUE(Shown(item(SLIDER_DPI_MULTI)));
    for (int id : {SLIDER_DPI_MULTI_X, SLIDER_DPI_MULTI_Y, TEXT_HEADING_X, TEXT_HEADING_Y, TEXT_DPIVALUE2,
                   BITMAP_SENSWINDOW2, TEXT_DPI2, BUTTON_RATE3})
        EXPECT_FALSE(Shown(item(id))) << id;
    EXPECT_TRUE(Shown(item(BUTTON_RATE2)));
    auto* rate2 = static_cast<CBitmapBtn*>(item(BUTTON_RATE2));
    EXPECT_EQ(CString(L"500 Hz"), rate2->Caption());

    // Slider position 16 is 1600 in steps of 100; the ends hold.
    dlg->SendMessage(WM_SLIDER_CHANGING, 16, SLIDER_DPI_MULTI_STAGE1);
    EXPECT_EQ(1600, config.GetDpi(nullptr));
    auto* value1 = static_cast<CTextItem*>(item(TEXT_DPIVALUE1));
    auto* single = static_cast<CSliderHMulti*>(item(SLIDER_DPI_MULTI));
    single->SetValue(56);
    dlg->SendMessage(WM_SLIDER_RELEASED, 56, SLIDER_DPI_MULTI_STAGE1);
    EXPECT_EQ(5600, config.GetDpi(nullptr));
    EXPECT_EQ(CString(L"5600"), value1->GetText());
    EXPECT_TRUE(dlg->IsUnsaved());

    // X/Y on: both take the single value and show.
    Tick(item(BUTTON_ENABLEXY));
    EXPECT_EQ(1, config.GetXYSeparate(nullptr));
    EXPECT_EQ(5600, config.GetDpiX(nullptr));
    EXPECT_EQ(5600, config.GetDpiY(nullptr));
    for (int id : {SLIDER_DPI_MULTI_X, SLIDER_DPI_MULTI_Y, TEXT_DPIVALUE2, BITMAP_SENSWINDOW2, TEXT_HEADING_Y})
        EXPECT_TRUE(Shown(item(id))) << id;
    EXPECT_FALSE(Shown(item(SLIDER_DPI_MULTI)));
    dlg->SendMessage(WM_SLIDER_CHANGING, 4, SLIDER_DPI_MULTI_Y_STAGE1);
    EXPECT_EQ(400, config.GetDpiY(nullptr));
    // Off again: the single value is X's.
    Tick(item(BUTTON_ENABLEXY));
    EXPECT_EQ(5600, config.GetDpi(nullptr));
    EXPECT_FALSE(Shown(item(SLIDER_DPI_MULTI_Y)));

    // Acceleration on shows the live slider; the value follows it.
    EXPECT_FALSE(Shown(item(SLIDER_ID_ACCEL)));
    Tick(item(BUTTON_ENABLEACCELERATION));
    EXPECT_EQ(1, config.GetAccelerationEnabled());
    EXPECT_TRUE(Shown(item(SLIDER_ID_ACCEL)));
    EXPECT_FALSE(Shown(item(SLIDER_ID_ACCELDISB)));

    Click(item(BUTTON_RATE2));
    EXPECT_EQ(1, config.GetPollingRateIndex());
    EXPECT_TRUE(rate2->IsSelected());
    EXPECT_FALSE(static_cast<CBitmapBtn*>(item(BUTTON_RATE1))->IsSelected());
    // The display flag follows its box, whichever way the profile had it.
    auto* osd = static_cast<CBitmapBtn*>(item(BUTTON_ENABLE_DPI_OSD));
    const bool wasOn = config.GetDpiOsd(nullptr) != 0;
    EXPECT_EQ(wasOn, osd->IsSelected());
    Tick(osd);
    EXPECT_EQ(!wasOn, config.GetDpiOsd(nullptr) != 0);

    // Stages: Cancel changes nothing; OK stores the model and the current
    // stage's value becomes the sensitivity.
    g_stagesOk = false;
    Click(item(BUTTON_SENSITIVITY_STAGES));
    EXPECT_EQ(1, g_stagesPopups);
    EXPECT_EQ(5600, config.GetDpi(nullptr));
    g_stagesOk = true;
    Click(item(BUTTON_SENSITIVITY_STAGES));
    EXPECT_EQ(3u, config.GetStageCount(nullptr));
    EXPECT_EQ(2, config.GetCurrentStage(nullptr));
    EXPECT_EQ(2400, config.GetDpi(nullptr));
    EXPECT_EQ(CString(L"2400"), value1->GetText());
}

// End to end against the device service's object model: a key and a macro
// chosen on the button page, written as Apply writes, and read back by a
// new device object into a new configuration.
class PagesToDevice : public InProcessServiceTest {};

TEST_F(PagesToDevice, AKeyAndAMacroChosenOnThePageReadBackFromTheDevice)
{
    CGUIItems language;
    ASSERT_TRUE(LoadSkinPage(&language, L"Language.xml", nullptr, false));
    SelectLanguage(0);
    SetWarningPopupRunner(&RecordWarning);
    SetSingleKeyPopupRunner(&AnswerKey);
    SetMacroAssignmentPopupRunner(&AnswerMacro);

    CMouse mouse(FindKnownDevice(0x1F));
    CVeskConfig config;
    ASSERT_TRUE(mouse.ReadAll(&config));
    ASSERT_TRUE(mouse.Transfer(&config, kTransferRead, 0x1B7D | 0x2));
    CMacro* macro = config.AddMacro(L"Burst");
    ASSERT_NE(nullptr, macro);
    macro->events = {{MacroEvent::kKey, 0x1E, 255}, {MacroEvent::kKey, 0x1E, 1}};
    ASSERT_TRUE(mouse.Transfer(&config, kTransferWrite, 0x2FFF));  // the macro gets its GUID
    ASSERT_TRUE(PumpUntil([&] { return !mouse.IsBusy(); }));
    ASSERT_FALSE(IsNullGuid(macro->guid));

    GenDevice* slot = &mouse;
    CVeskAppDlg dlg(&slot, &config);
    ASSERT_TRUE(dlg.Create(IDD_VESKAPP_DIALOG));
    auto choose = [&](int id, const wchar_t* key, const wchar_t* sub) {
        auto* box = FindTypedItem<CDropdownListItem>(&dlg.List(LIST_PAGE_BUTTONS), id, ITEM_DROPDOWNLIST);
        int row = box ? ListPanelRowOfText(box->Entries(), key) : -1;
        ASSERT_GE(row, 0);
        dlg.SendMessage(WM_DROPDOWN_CLICKED, 0, (LPARAM)box->m_hWnd);
        box->SetCurSel(row, sub);
        dlg.SendMessage(WM_DROPDOWN_SELECTED, (WPARAM)row, (LPARAM)box->m_hWnd);
    };
    g_key = SingleKeyResult();
    g_key.scanCode = 0x3F;
    g_key.virtualKey = VK_F5;
    g_key.flags = kModCtrl;
    g_keyOk = true;
    choose(BUTTON_ASSNBUTTON4, L"$SingleKey", nullptr);
    g_macroChoice = L"Burst";
    g_macroMode = kPlayWhilePressed;
    choose(BUTTON_ASSNBUTTON5, L"$macro", L"Burst");
    EXPECT_TRUE(dlg.IsUnsaved());
    const CString profileName = config.GetActiveProfile()->GetName();
    AssignmentRecord key = AssignmentRecord::Empty(), played = AssignmentRecord::Empty();
    config.GetButtonAssignment(key, 4, nullptr);
    config.GetButtonAssignment(played, 5, nullptr);
    ASSERT_EQ(kFnSingleKey, key.type);
    ASSERT_EQ(kFnMacroByGuid, played.type);

    ASSERT_TRUE(mouse.Transfer(&config, kTransferWrite, 0x2FFF));
    ASSERT_TRUE(PumpUntil([&] { return !mouse.IsBusy(); }));
    dlg.DestroyWindow();

    CMouse again(FindKnownDevice(0x1F));
    CVeskConfig back;
    ASSERT_TRUE(again.ReadAll(&back));
    ASSERT_TRUE(again.Transfer(&back, kTransferRead, 0x1B7D | 0x2));
    IMouseProfile* profile = back.FindProfileByName(profileName);
    ASSERT_NE(nullptr, profile);
    AssignmentRecord keyBack = AssignmentRecord::Empty(), playedBack = AssignmentRecord::Empty();
    back.GetButtonAssignment(keyBack, 4, profile);
    back.GetButtonAssignment(playedBack, 5, profile);
    EXPECT_EQ(kFnSingleKey, keyBack.type);
    EXPECT_EQ(0x3F, keyBack.ScanCode());
    EXPECT_EQ(kModCtrl, keyBack.Modifiers() & (kModShift | kModCtrl | kModAlt));
    EXPECT_EQ(kFnMacroByGuid, playedBack.type);
    EXPECT_EQ(0, memcmp(playedBack.params.bytes, &macro->guid, sizeof(GUID)));
    EXPECT_EQ(kPlayWhilePressed, playedBack.mode);

    language.DeleteAll();
    SetWarningPopupRunner(nullptr);
    SetSingleKeyPopupRunner(nullptr);
    SetMacroAssignmentPopupRunner(nullptr);
}

// The three pages with a few assignments, per model, in English and German.
struct LookCase {
    uint32_t productId;
    int language;
    const char* name;
};

class AssignPagesLook : public ::testing::TestWithParam<LookCase> {};

TEST_P(AssignPagesLook, Captured)
{
    CGUIItems language;
    ASSERT_TRUE(LoadSkinPage(&language, L"Language.xml", nullptr, false));
    SelectLanguage(GetParam().language);
    CVeskConfig config;
    config.SetActiveProfile(config.NewProfile(L"Everyday"));
    config.NewProfile(L"Games");
    config.SetPollingRates({125, 500, 1000});
    config.SetXYSeparate(1, nullptr);
    config.SetDpiX(1600, nullptr);
    config.SetDpiY(800, nullptr);
    AssignmentRecord key = AssignmentRecord::OfType(kFnSingleKey);
    key.SetKey(0x3F, VK_F5, kModShift | kModCtrl);
    config.SetButtonAssignment(4, key, nullptr);
    config.SetButtonAssignment(5, AssignmentRecord::OfType(kFnButtonOff), nullptr);
    CScriptedDevice device;
    device.productId = GetParam().productId;
    GenDevice* slot = &device;
    {
        CVeskAppDlg dlg(&slot, &config);
        ASSERT_TRUE(dlg.Create(IDD_VESKAPP_DIALOG));
        dlg.ShowWindow(SW_SHOWNOACTIVATE);
        const int masks[3] = {PAGE_BUTTONS, PAGE_KEYS, PAGE_PERFORMANCE};
        const char* pages[3] = {"buttons", "keys", "performance"};
        for (int i = 0; i < 3; ++i) {
            dlg.ShowPage(masks[i]);
            PumpPending();
            std::string name = std::string("veskapp_assign_") + GetParam().name + "_" + pages[i];
            EXPECT_TRUE(SaveTreeCapture(dlg.m_hWnd, std::wstring(name.begin(), name.end()).c_str()));
        }
        dlg.DestroyWindow();
    }
    language.DeleteAll();
}

INSTANTIATE_TEST_SUITE_P(Models, AssignPagesLook,
                         ::testing::Values(LookCase{0x1F, LANGUAGE_DEFAULT, "wireless_en"},
                                           LookCase{0x21, LANGUAGE_GERMAN, "dock_de"},
                                           LookCase{0x15, LANGUAGE_DEFAULT, "wired_en"},
                                           LookCase{0x15, LANGUAGE_GERMAN, "wired_de"},
                                           LookCase{0x2E, LANGUAGE_GERMAN, "model2e_de"}),
                         [](const ::testing::TestParamInfo<LookCase>& info) { return std::string(info.param.name); });
