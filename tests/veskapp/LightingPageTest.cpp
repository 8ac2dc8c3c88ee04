// The lighting and power page: its rules without windows (levels, snapping,
// the battery estimate, translated formats that must fit their values), and
// the page in the main dialog on the real skin for the wireless and the
// wired model: what reaches the configuration, what is sent to the device
// and when, the texts; and its look in English and German
// (build/captures/veskapp_lighting_*.png).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BitmapBtn.h"
#include "Capture.h"
#include "ColorPaletteModel.h"
#include "DropdownColorButton.h"
#include "GuiObjects.h"
#include "ItemIds.h"
#include "LangFormat.h"
#include "LangTable.h"
#include "LightingPage.h"
#include "LightingRules.h"
#include "RecordingWnd.h"
#include "ScriptedDevice.h"
#include "SkinLoader.h"
#include "TreeCapture.h"
#include "VeskAppDlg.h"
#include "VeskConfig.h"
#include "WidgetMessages.h"
#include "resource.h"

TEST(LightingRules, LevelsSnapAndRoundAtTheirEdges)
{
    const long long values[] = {-5, 15, 16, 46, 47, 82, 83, 100, 101};
    const int levels[] = {0, 0, 1, 1, 2, 2, 3, 3, 3};
    const int led[] = {0, 0, 29, 29, 62, 62, 100, 100, 100};
    for (size_t i = 0; i < std::size(values); ++i) {
        EXPECT_EQ(levels[i], LevelIndex(values[i])) << values[i];
        EXPECT_EQ(led[i], SnapLedSlider(values[i])) << values[i];
        EXPECT_EQ(led[i] == 29 ? 30 : led[i], SnapReducedSlider(values[i])) << values[i];
    }
    EXPECT_EQ(50, LevelValue(LevelIndex(62)));
    EXPECT_EQ(10, RoundFlashWarning(12));
    EXPECT_EQ(15, RoundFlashWarning(13));
    EXPECT_EQ(25, RoundFlashWarning(24));
    EXPECT_EQ(1, SleepMinutes(119));
    EXPECT_EQ(2, SleepMinutes(120));
    EXPECT_EQ(15, SleepMinutes(0xFFFFFFFFull));  // a device value past the slider
    // Exact magenta is the window's colour key: only its picture changes.
    EXPECT_EQ(RGB(254, 0, 254), ShownColour(RGB(255, 0, 255)));
    EXPECT_EQ(RGB(255, 0, 254), ShownColour(RGB(255, 0, 254)));
}

TEST(LightingRules, BatteryLifeForEveryLevelAndReportRate)
{
    // hours = 1000 / (factor x 45 + base), truncated.
    const int hours[4][3] = {{14, 12, 11}, {11, 10, 9}, {10, 8, 8}, {8, 7, 7}};
    for (int level = 0; level < 4; ++level)
        for (int rate = 0; rate < 3; ++rate)
            EXPECT_EQ(hours[level][rate], BatteryLifeHours(level, rate)) << level << "/" << rate;
}

TEST(LightingRules, TranslatedFormatsAreUsedOnlyWithTheEnglishConversions)
{
    // Same conversions as the English text, or not: %*i and %n read more, width sizes the output.
    for (const wchar_t* good : {L"unter %i%% fallen", L"%%%i"})
        EXPECT_TRUE(SameConversions(good, L"below %i%%")) << good;
    for (const wchar_t* bad : {L"%s", L"%i %i", L"none", L"%*i", L"%i%n", L"%99999i", L"%i %"})
        EXPECT_FALSE(SameConversions(bad, L"below %i%%")) << bad;

    const std::wstring file = L"Test\r\n-\r\n"
                              L"Entersleepmodeafteridlefor??mins\r\nSchlaf nach %i Minuten\r\n"
                              L"Flashscrollwheellightwhenbatterylevelfallsbelow??\r\nBlinkt %s%s%n\r\n"
                              L"Estimatedbatterylife:Upto??hours\r\n%i%% %i\r\n"
                              L"Reducelightbrightnessto??\r\nHelligkeit %s\r\nNormal\r\nmittel\r\n"
                              L"END OF FILE\r\n";
    CLangTable table;
    ASSERT_TRUE(table.Parse(file.data(), file.size() * sizeof(wchar_t)));
    CLangTable* before = GetCurrentLangTable();
    SetCurrentLangTable(&table);
    EXPECT_STREQ(L"Schlaf nach 5 Minuten", SleepText(5));
    EXPECT_STREQ(L"Enter sleep mode after idle for 1 min", SleepText(1));  // no such key
    EXPECT_STREQ(L"Flash scrollwheel light when battery level falls below 10%", FlashWarningText(10));
    EXPECT_STREQ(L"Estimated battery life : Up to 1 hour", BatteryLifeText(1));
    EXPECT_STREQ(L"Helligkeit mittel", ReducedBrightnessText(2));
    SetCurrentLangTable(before);

    // Version parts become numbers before they are formatted.
    EXPECT_STREQ(L"Software: 1.05", VersionText(L"Software", L"1", L"5"));
    EXPECT_STREQ(L"Software: 0.00", VersionText(L"Software", L"", L"0"));
}

namespace {

std::vector<LightingValues> g_sent;

bool Shown(const CGUIItem* item)
{
    return item && item->HasWindow() && (::GetWindowLongPtrW(item->m_window, GWL_STYLE) & WS_VISIBLE);
}

struct LookCase {
    uint32_t productId;
    int language;
    const char* name;
};

// The main dialog on the lighting page, English unless a case says otherwise.
class LightingPage : public ::testing::TestWithParam<LookCase> {
protected:
    void SetUp() override
    {
        g_sent.clear();
        ASSERT_TRUE(LoadSkinPage(&language, L"Language.xml", nullptr, false));
        SelectLanguage(LANGUAGE_DEFAULT);
        config.SetActiveProfile(config.NewProfile(L"Everyday"));
        config.ResetBatteryLevelRange();  // as a device read leaves it
        config.SetZoneEffect(0, 0, nullptr);
        config.SetPollingRates({125, 500, 1000});
    }
    void TearDown() override
    {
        if (dlg && dlg->m_hWnd) {
            dlg->LightingSender().Join();
            dlg->DestroyWindow();
        }
        dlg.reset();
        language.DeleteAll();
    }
    void Open(uint32_t productId)
    {
        device.productId = productId;
        dlg = std::make_unique<CVeskAppDlg>(&slot, &config);
        ASSERT_TRUE(dlg->Create(IDD_VESKAPP_DIALOG));
        dlg->LightingSender().SetSend([](const LightingValues& v) { g_sent.push_back(v); });
        dlg->ShowWindow(SW_SHOWNOACTIVATE);
        dlg->ShowPage(PAGE_LIGHTING);
        page = static_cast<CLightingPage*>(dlg->Modules()[5].get());
    }
    CGUIItem* Item(int id) { return dlg->List(LIST_PAGE_LIGHTING).FindById(id); }
    bool Selected(int id) { return static_cast<CBitmapBtn*>(Item(id))->IsSelected(); }
    void Click(int id) { dlg->SendMessage(WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), (LPARAM)Item(id)->m_window); }
    void Slide(int thumb, int value, bool release = true)
    {
        dlg->SendMessage(release ? WM_SLIDER_RELEASED : WM_SLIDER_CHANGING, (WPARAM)value, (LPARAM)thumb);
    }
    // The previews sent so far (each sender has finished).
    size_t Sent()
    {
        dlg->LightingSender().Join();
        return g_sent.size();
    }
    CString Text(int which) { return page->TextItem(which)->GetText(); }
    int SliderValue(int which) { return page->SliderItem(which)->GetValue(); }
    bool WarningShown() { return Shown(page->TextItem(CLightingPage::kWarningText)); }

    CGUIItems language;
    CVeskConfig config;
    CScriptedDevice device;
    GenDevice* slot = &device;
    std::unique_ptr<CVeskAppDlg> dlg;
    CLightingPage* page = nullptr;
};

}  // namespace

TEST_F(LightingPage, WirelessLightsPreviewAtOnceAndPowerSettingsWaitWithTheirTexts)
{
    config.SetZoneLevel(0, 50, nullptr);
    config.SetReducedBrightness(20);
    config.SetIdleToSleepSeconds(60);
    config.SetPollingRateIndex(2);
    Open(0x1F);
    // Filled from the configuration, the heading on the first fill too.
    EXPECT_EQ(62, SliderValue(CLightingPage::kLed));
    EXPECT_EQ(30, SliderValue(CLightingPage::kReduced));
    EXPECT_STREQ(L"Reduce light brightness to dim", Text(CLightingPage::kReducedText));
    EXPECT_STREQ(L"Sleep after 1 minute idle", Text(CLightingPage::kSleepText));
    EXPECT_STREQ(L"Estimated battery life: up to 9 hours", Text(CLightingPage::kEstimateText));
    EXPECT_FALSE(WarningShown());
    EXPECT_TRUE(Selected(KOVUZENT_COLOR_ON));
    const int gdi = GdiObjectCount(), user = UserObjectCount();

    // The wheel's level: a release sends only a changed level, also after a drag.
    Slide(SLIDER_LED_BRIGHTNESS_STAGE, 50);
    EXPECT_EQ(62, SliderValue(CLightingPage::kLed));
    EXPECT_EQ(0u, Sent());
    Slide(SLIDER_LED_BRIGHTNESS_STAGE, 90, false);
    EXPECT_EQ(100u, config.GetZoneLevel(0, nullptr));
    EXPECT_EQ(0u, Sent());
    Slide(SLIDER_LED_BRIGHTNESS_STAGE, 90);
    ASSERT_EQ(1u, Sent());
    EXPECT_EQ(100u, g_sent.back().level);
    EXPECT_TRUE(dlg->IsUnsaved());

    // Cycling; a colour chosen meanwhile is kept, not sent; one colour sends it.
    Click(SPECTRUM_CYCLING_ON);
    ASSERT_EQ(2u, Sent());
    EXPECT_EQ(5, g_sent.back().effect);
    EXPECT_FALSE(Selected(KOVUZENT_COLOR_ON));
    auto* box = static_cast<CDropdownColorButton*>(Item(DROPDOWN_MOUSE_COLOR));
    box->SetColor(RGB(255, 0, 255));  // as the palette leaves it
    dlg->SendMessage(WM_ITEM_VALUE_CHOSEN, RGB(255, 0, 255), DROPDOWN_MOUSE_COLOR);
    EXPECT_EQ(RGB(255, 0, 255), config.GetZoneColor(0, nullptr));
    EXPECT_EQ(2u, Sent());
    Click(KOVUZENT_COLOR_ON);
    ASSERT_EQ(3u, Sent());
    EXPECT_EQ(0, g_sent.back().effect);
    EXPECT_EQ((int)RGB(255, 0, 255), g_sent.back().colour);  // the device gets the colour itself
    CapturedImage swatch;
    ASSERT_TRUE(CaptureWindow(box->m_hWnd, swatch));
    EXPECT_EQ(RGB(254, 0, 254), swatch.Pixel(10, swatch.height / 2));

    // Reduced brightness: heading, warning and estimate follow its level.
    Slide(SLIDER_POWER_REDUCE_BRIGHTNESS_STAGE, 70);
    EXPECT_EQ(62, SliderValue(CLightingPage::kReduced));
    EXPECT_EQ(50u, config.GetReducedBrightness());
    EXPECT_STREQ(L"Reduce light brightness to normal", Text(CLightingPage::kReducedText));
    EXPECT_TRUE(WarningShown());
    EXPECT_STREQ(L"Estimated battery life: up to 8 hours", Text(CLightingPage::kEstimateText));
    Slide(SLIDER_POWER_REDUCE_BRIGHTNESS_STAGE, 10);
    EXPECT_EQ(0u, config.GetReducedBrightness());
    EXPECT_FALSE(WarningShown());

    // Sleep and flash warning; none of these is sent.
    Slide(SLIDER_POWER_IDLE_TO_SLEEP_STAGE, 2, false);
    EXPECT_EQ(120u, config.GetIdleToSleepSeconds());
    EXPECT_STREQ(L"Sleep after 2 minutes idle", Text(CLightingPage::kSleepText));
    Slide(SLIDER_POWER_FLASH_WARNING_STAGE, 12);
    EXPECT_EQ(10u, config.GetFlashWarningLevel());
    Slide(SLIDER_POWER_FLASH_WARNING_STAGE, 13);
    EXPECT_EQ(15u, config.GetFlashWarningLevel());
    EXPECT_STREQ(L"Flash the wheel light when the battery is below 15%", Text(CLightingPage::kFlashText));
    EXPECT_EQ(3u, Sent());
    EXPECT_EQ(gdi, GdiObjectCount());
    EXPECT_EQ(user, UserObjectCount());

    // The warning goes with the page and comes back by its level.
    Slide(SLIDER_POWER_REDUCE_BRIGHTNESS_STAGE, 100);
    dlg->ShowPage(PAGE_PERFORMANCE);
    EXPECT_FALSE(WarningShown());
    dlg->ShowPage(PAGE_LIGHTING);
    EXPECT_TRUE(WarningShown());
}

TEST_F(LightingPage, WiredModelSwitchesTheLogoAndWheelLightsOnly)
{
    config.SetZoneOn(3, 0, nullptr);
    config.SetReducedBrightness(100);
    Open(0x15);
    EXPECT_TRUE(Selected(SCROLL_LEDON));
    EXPECT_TRUE(Selected(GLOW_LEDOFF));
    EXPECT_FALSE(WarningShown());
    EXPECT_FALSE(Shown(Item(KOVUZENT_COLOR_ON)));
    Click(GLOW_LEDON);
    Click(SCROLL_LEDOFF);
    ASSERT_EQ(2u, Sent());
    EXPECT_TRUE(g_sent.back().zone3On);
    EXPECT_FALSE(g_sent.back().zone0On);
    EXPECT_TRUE(Selected(GLOW_LEDON) && !Selected(GLOW_LEDOFF) && Selected(SCROLL_LEDOFF) && !Selected(SCROLL_LEDON));
    EXPECT_TRUE(dlg->IsUnsaved());
}

// Per model and language, with the warning shown on the wireless page.
TEST_P(LightingPage, Captured)
{
    SelectLanguage(GetParam().language);
    config.SetZoneColor(0, RGB(0, 160, 255), nullptr);
    config.SetReducedBrightness(50);
    config.SetIdleToSleepSeconds(300);
    config.SetFlashWarningLevel(10);
    Open(GetParam().productId);
    PumpPending();
    const std::string name = std::string("veskapp_lighting_") + GetParam().name;
    EXPECT_TRUE(SaveTreeCapture(dlg->m_hWnd, std::wstring(name.begin(), name.end()).c_str()));
}

INSTANTIATE_TEST_SUITE_P(Models, LightingPage,
                         ::testing::Values(LookCase{0x1F, LANGUAGE_DEFAULT, "wireless_en"},
                                           LookCase{0x1F, LANGUAGE_GERMAN, "wireless_de"},
                                           LookCase{0x15, LANGUAGE_DEFAULT, "wired_en"},
                                           LookCase{0x15, LANGUAGE_GERMAN, "wired_de"}),
                         [](const ::testing::TestParamInfo<LookCase>& info) { return std::string(info.param.name); });
