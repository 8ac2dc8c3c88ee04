// Captures of the default skin for review (tools/captures.sh): the main
// window with each page for each model, and every popup, in each of the ten
// languages, saved as PNG under the captures folder's skin\ subfolder. The
// pages are filled with sample values so that they look as in use.
#include <windows.h>

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <cstdarg>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "BitmapBtn.h"
#include "DPIStageWindow.h"
#include "DropdownListItem.h"
#include "GUIPanel.h"
#include "KeywordTables.h"
#include "LangTable.h"
#include "MacroDisplayItem.h"
#include "ProgramFolder.h"
#include "RealSkin.h"
#include "SkinLoader.h"
#include "SkinTestFiles.h"
#include "SliderHMulti.h"
#include "TextItems.h"
#include "TreeCapture.h"
#include "XListCtrl.h"

namespace {

class Panel : public CGUIPanel {
public:
    using CGUIPanel::CGUIPanel;
    void BindItems() override {}
};

struct Model {
    const wchar_t* name;
    int flag;
    const wchar_t* variant;  // suffix of the page variants and of the preview's model file
};
const Model kModels[] = {{L"kovuzent", 1, L"_KovuZent"}, {L"kovu", 4, L"_Kovu"}, {L"kovuquarel", 8, L"_Kovu"}};

struct PageSpec {
    const wchar_t* name;
    const wchar_t* file;
    const wchar_t* tab;
    bool strip;
    int variantMask[3];  // which models (by kModels order) load its variant
};
const PageSpec kPages[] = {
    {L"buttons", L"AssignButtons", L"BUTTON_ASSIGNBUTTONS", true, {1, 1, 0}},
    {L"keys", L"AssignKeys", L"BUTTON_ASSIGNBUTTONS", true, {1, 1, 0}},
    {L"performance", L"AdjustPerformance", L"BUTTON_ADJUSTPERFORMANCE", true, {0, 0, 0}},
    {L"profiles", L"ManageProfiles", L"BUTTON_MANAGEPROFILES", false, {0, 0, 0}},
    {L"macros", L"ManageMacros", L"BUTTON_MANAGEMACROS", false, {0, 0, 0}},
    {L"lighting", L"LightingMaintenance", L"BUTTON_LIGHTINGMAINTENANCE", false, {1, 1, 1}},
};

template <typename T>
T* Find(CGUIItems& items, const wchar_t* name, int type)
{
    CGUIItem* item = items.FindById(FindItemIdByName(name));
    return item && item->m_type == type ? static_cast<T*>(item) : nullptr;
}

void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

void ShowOnly(CGUIItems& items, const std::vector<const wchar_t*>& hidden)
{
    for (const wchar_t* name : hidden)
        if (CGUIItem* item = items.FindById(FindItemIdByName(name))) item->Show(false);
}

// Selects the entry with that text key, with the extra text the page shows.
void Choose(CGUIItems& items, const wchar_t* id, const wchar_t* key, const wchar_t* display = nullptr)
{
    if (auto* c = Find<CDropdownListItem>(items, id, ITEM_DROPDOWNLIST)) {
        for (int i = 0; i < c->GetCount(); ++i)
            if (c->GetItemText(i).CompareNoCase(key) == 0) c->SetCurSel(i, display);
    }
}

void Fill(CGUIItems& items, const wchar_t* id, std::initializer_list<const wchar_t*> entries)
{
    if (auto* c = Find<CDropdownListItem>(items, id, ITEM_DROPDOWNLIST)) {
        c->ResetContent();
        for (const wchar_t* e : entries) c->AddString(e);
        c->SetCurSel(0);
    }
}

void Format(CGUIItems& items, const wchar_t* id, const wchar_t* key, ...)
{
    auto* t = Find<CTextItem>(items, id, ITEM_TEXT);
    if (!t) return;
    wchar_t buf[256];
    va_list args;
    va_start(args, key);
    _vsnwprintf(buf, 255, TranslateText(key).GetString(), args);
    va_end(args);
    buf[255] = 0;
    t->SetText(buf);
}

// Sample state, as the configurator would show it.
void FillSamples(CGUIItems& items)
{
    Fill(items, L"LIST_GLOBALPROFILELIST", {L"Default profile", L"Raid night"});
    Fill(items, L"LIST_GLOBALMACROLIST", {L"Build order"});
    Fill(items, L"LIST_DROPDOWN_POPUP", {L"Build order"});
    Fill(items, L"LIST_GLOBAL_BASIC_COMMANDS", {L"$copy", L"$paste"});
    Fill(items, L"LIST_GLOBAL_ADDITIONAL_COMMANDS", {L"$lockpc"});
    Choose(items, L"BUTTON_ASSNLEFTCLICK", L"$click");
    Choose(items, L"BUTTON_ASSNRIGHTCLICK", L"$menu");
    Choose(items, L"BUTTON_ASSNSCROLLBUTTON", L"$universalscrolling");
    Choose(items, L"BUTTON_ASSNBUTTON4", L"$Backward");
    Choose(items, L"BUTTON_ASSNBUTTON5", L"$SingleKey", L"Ctrl+C");
    Choose(items, L"BUTTON_ASSNSCROLLUP", L"$scrollup");
    Choose(items, L"BUTTON_ASSNSCROLLDOWN", L"$scrolldown");
    static const wchar_t* const kKeys[] = {L"1", L"2", L"3", L"4", L"5", L"6", L"7", L"8", L"9", L"0", L"-", L"="};
    for (int k = 0; k < 12; ++k) {
        wchar_t id[32];
        _snwprintf(id, 32, L"BUTTON_ASSNTHUMBGRID%02d", k + 1);
        if (k == 4) Choose(items, id, L"$macro", L"Build order");
        else Choose(items, id, L"$defaultkey", kKeys[k]);
    }
    for (CGUIItem* item : items.Items())
        if (item->m_type == ITEM_SLIDERHMULTI) {
            auto* s = static_cast<CSliderHMulti*>(item);
            s->SetRange(1, 64);
            s->SetValue(16);
        }
    if (auto* t = Find<CTextItem>(items, L"TEXT_DPIVALUE1", ITEM_TEXT)) t->SetText(L"1600");
    if (auto* t = Find<CTextItem>(items, L"TEXT_DPIVALUE2", ITEM_TEXT)) t->SetText(L"1600");
    const wchar_t* rates[][2] = {{L"BUTTON_RATE1", L"125 Hz"}, {L"BUTTON_RATE2", L"500 Hz"}, {L"BUTTON_RATE3", L"1000 Hz"}};
    for (auto& r : rates)
        if (auto* b = Find<CBitmapBtn>(items, r[0], ITEM_BITMAPBTN)) b->SetCaption(r[1], 0);
    for (const wchar_t* on : {L"BUTTON_RATE3", L"BUTTON_KEYASSIGN_123NUM_123", L"GLOW_LEDON", L"SCROLL_LEDON",
                              L"KOVUZENT_COLOR_ON", L"BUTTON_ENABLE_DPI_OSD", L"BUTTON_MACRO_PLAY_ONCE",
                              L"BUTTON_CHKBOX_SLCT_CTRL", L"BUTTON_ENABLE_PROFILE_OSD"})
        if (auto* b = Find<CBitmapBtn>(items, on, ITEM_BITMAPBTN)) b->SetSelected(true);
    if (auto* t = Find<CTextItem>(items, L"TEXT_SLCT_CTRL", ITEM_TEXT)) t->SetSelected(true);
    ShowOnly(items, {L"SLIDER_ID_ACCELDISB", L"BITMAP_SLACCLTRKDISB", L"SLIDER_DPI_MULTI", L"BITMAP_SLSENSTRK_XY",
                     L"SLIDER_DPI_MULTI_POPUP", L"BITMAP_SLSENSTRK_XY_POPUP"});
    Format(items, L"TEXT_REDUCEBRIGHTNESSHEADING", L"$Reducelightbrightnessto??", TranslateText(L"$Normal").GetString());
    Format(items, L"TEXT_SLEEPAFTERIDLEHEADING", L"$Entersleepmodeafteridlefor??mins", 5);
    Format(items, L"TEXT_FLASHSCROLLWHEELHEADING", L"$Flashscrollwheellightwhenbatterylevelfallsbelow??", 15);
    Format(items, L"TEXT_BATTERYLIFEESTIMATE_HEADER", L"$Estimatedbatterylife:Upto??hours", 12);
    if (auto* list = Find<CXListCtrl>(items, L"LIST_PROFILELIST", ITEM_XLISTCTRL)) {
        const wchar_t* names[][2] = {{L"Default profile", L""}, {L"Raid night", L"C:\\Games\\Raid\\raid.exe"},
                                     {L"Photo editing", L""}};
        for (int r = 0; r < 3; ++r) {
            int key = list->InsertRow(r);
            wchar_t no[8];
            _snwprintf(no, 8, L"%02d", r + 1);
            list->SetCellData(key, 0, r == 0 ? 1 : 0);
            list->SetCellText(key, 1, no);
            list->SetCellText(key, 2, names[r][0]);
            list->SetCellText(key, 3, names[r][1]);
            list->SetCellData(key, 4, r == 1 ? 1 : 0);
        }
    }
    if (auto* md = Find<CMacroDisplayItem>(items, L"MACRO_DISPLAY", ITEM_MACRODISPLAY)) {
        const UINT c = ::MapVirtualKeyW('C', MAPVK_VK_TO_VSC), ctrl = ::MapVirtualKeyW(VK_CONTROL, MAPVK_VK_TO_VSC);
        md->SetEvents({{MacroEvent::kKey, (int)(ctrl | VK_CONTROL << 16), MacroEvent::kPress},
                       {MacroEvent::kDelay, 50, 0},
                       {MacroEvent::kKey, (int)(c | 'C' << 16), MacroEvent::kPress},
                       {MacroEvent::kDelay, 120, 0},
                       {MacroEvent::kKey, (int)(c | 'C' << 16), MacroEvent::kRelease},
                       {MacroEvent::kKey, (int)(ctrl | VK_CONTROL << 16), MacroEvent::kRelease},
                       {MacroEvent::kMouseButton, 1, MacroEvent::kPress},
                       {MacroEvent::kMouseButton, 1, MacroEvent::kRelease}});
    }
    for (int n = 1; n <= 5; ++n) {
        wchar_t id[32];
        _snwprintf(id, 32, L"DPISTAGEWINDOW_%02d", n);
        if (auto* tile = Find<CDPIStageWindow>(items, id, ITEM_DPISTAGEWINDOW))
            tile->SetStage(n <= 4, n == 2, false, 400 * n, 400 * n, 400 * n);
    }
}

class Captures : public ::testing::TestWithParam<int> {
protected:
    static void SetUpTestSuite()
    {
        s_language = LoadRealSkinLanguages();
        ASSERT_NE(nullptr, s_language);
    }
    static void TearDownTestSuite() { delete s_language; }
    static std::wstring Name(const std::wstring& what)
    {
        // By language id, as the language-name table orders them.
        static const wchar_t* const kCodes[] = {L"en", L"zh-cn", L"zh-tw", L"fr", L"fr-ca",
                                                L"de", L"ko", L"ru", L"ja", L"es"};
        return L"skin\\" + std::wstring(kCodes[GetParam()]) + L"_" + what;
    }
    static CGUIItems* s_language;
};
CGUIItems* Captures::s_language = nullptr;

}  // namespace

TEST_P(Captures, MainWindowPages)
{
    SelectLanguage(GetParam());
    ::CreateDirectoryW((std::wstring(_wgetenv(L"TK_CAPTURE_DIR") ? _wgetenv(L"TK_CAPTURE_DIR") : L".") + L"\\skin").c_str(), nullptr);
    for (int m = 0; m < 3; ++m) {
        const Model& model = kModels[m];
        for (const PageSpec& page : kPages) {
            Panel main(0, L"MainPage.xml", nullptr);
            ASSERT_TRUE(main.CreatePlain(nullptr, WS_POPUP | WS_VISIBLE));
            CGUIItems strip, list;
            if (page.strip) {
                ASSERT_TRUE(LoadSkinPage(&strip, L"CurrentProfile.xml", &main, false));
            }
            ASSERT_TRUE(LoadSkinPage(&list, (std::wstring(page.file) + L".xml").c_str(), &main, false));
            const std::wstring variant = std::wstring(page.file) + model.variant + L".xml";
            if (page.variantMask[m]) {
                ASSERT_TRUE(LoadSkinPage(&list, variant.c_str(), &main, false));
            }
            FillSamples(strip);
            FillSamples(list);
            // The main page as the dialog sets it for this model.
            ShowOnly(main.Items(), {L"BITMAP_ICON_NULL", L"BITMAP_ICON_KOVU", L"BITMAP_ICON_KOVUQUAREL",
                                    L"BITMAP_ICON_KOVUZENT", L"BITMAP_CONNECTION_WIRED", L"BITMAP_CONNECTION_WIRELESS"});
            const wchar_t* icon = m == 0 ? L"BITMAP_ICON_KOVUZENT" : m == 1 ? L"BITMAP_ICON_KOVU" : L"BITMAP_ICON_KOVUQUAREL";
            main.Items().FindById(FindItemIdByName(icon))->Show(true);
            main.Items().FindById(FindItemIdByName(m == 0 ? L"BITMAP_CONNECTION_WIRELESS" : L"BITMAP_CONNECTION_WIRED"))->Show(true);
            if (m != 0) ShowOnly(main.Items(), {L"BATTERY_LEVEL0", L"BATTERY_LEVEL1", L"BATTERY_LEVEL2", L"BATTERY_LEVEL3"});
            else ShowOnly(main.Items(), {L"BATTERY_LEVEL3"});
            if (auto* tab = Find<CBitmapBtn>(main.Items(), page.tab, ITEM_BITMAPBTN)) tab->SetSelected(true);
            if (m != 0)
                if (auto* tab = Find<CBitmapBtn>(main.Items(), L"BUTTON_LIGHTINGMAINTENANCE", ITEM_BITMAPBTN))
                    tab->SetCaption(L"$Lighting", 1);
            if (auto* t = Find<CTextItem>(main.Items(), L"TEXT_DRIVERVER", ITEM_TEXT)) t->SetText(TranslateText(L"$SoftwareVersion") + L": 1.00");
            if (auto* t = Find<CTextItem>(main.Items(), L"TEXT_FIRMWAREVER", ITEM_TEXT)) t->SetText(TranslateText(L"$FirmwareVersion") + L": 2.14");
            Pump();
            EXPECT_FALSE(SaveScreenCapture(main.m_hWnd, Name(std::wstring(model.name) + L"_" + page.name).c_str()).empty());
            list.DeleteAll();
            strip.DeleteAll();
            main.DestroyWindow();
        }
    }
}

TEST_P(Captures, Popups)
{
    SelectLanguage(GetParam());
    WIN32_FIND_DATAW fd;
    HANDLE h = ::FindFirstFileW((RealProgramFolder() + L"xml\\*.xml").c_str(), &fd);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    std::vector<std::wstring> files;
    do files.push_back(fd.cFileName);
    while (::FindNextFileW(h, &fd));
    ::FindClose(h);
    for (const std::wstring& file : files) {
        pugi::xml_document doc;
        if (!doc.load_file((RealProgramFolder() + L"xml\\" + file).c_str()) || file == L"MainPage.xml" ||
            std::wstring(doc.first_child().name()) != L"GUIPANEL")
            continue;
        const std::wstring stem = file.substr(0, file.size() - 4);
        std::vector<std::wstring> variants;
        if (stem == L"PreviewPopup")
            variants = {L"_KovuZent", L"_Kovu", L"_KovuQuarel"};
        else
            variants = {L""};
        for (const std::wstring& v : variants) {
            Panel popup(0, file.c_str(), nullptr);
            ASSERT_TRUE(popup.CreatePlain(nullptr, WS_POPUP | WS_VISIBLE)) << file.size();
            if (!v.empty()) LoadSkinPage(&popup.Items(), (stem + v + L".xml").c_str(), &popup, false);
            FillSamples(popup.Items());
            if (!v.empty()) {  // the preview opens on its top view
                ShowOnly(popup.Items(), {L"BITMAP_KOVU_THUMBGRID", L"TEXT_TOPVIEW_HEADING"});
                Fill(popup.Items(), L"LIST_GLOBAL_BASIC_COMMANDS", {L"$TopView"});
                const wchar_t* lines[][2] = {{L"TEXT_PREVIEW_01", L"$LeftButton"}, {L"TEXT_PREVIEW_02", L"$RightButton"},
                                             {L"TEXT_PREVIEW_03", L"$WheelClick"}, {L"TEXT_PREVIEW_04", L"$BackButton"},
                                             {L"TEXT_PREVIEW_05", L"$ForwardButton"}, {L"TEXT_PREVIEW_06", L"$WheelScrollUp"},
                                             {L"TEXT_PREVIEW_07", L"$WheelScrollDown"}};
                for (auto& l : lines)
                    if (auto* t = Find<CTextItem>(popup.Items(), l[0], ITEM_TEXT))
                        t->SetText(TranslateText(l[1]) + L" : " + TranslateText(L"$click"));
                for (const wchar_t* id : {L"TEXT_LOGO_PREVIEW", L"TEXT_SCROLLWHEEL_PREVIEW"})
                    if (auto* t = Find<CTextItem>(popup.Items(), id, ITEM_TEXT))
                        t->SetText(t->GetText() + L" : " + TranslateText(L"$On"));
            }
            Pump();
            EXPECT_FALSE(SaveScreenCapture(popup.m_hWnd, Name(stem + v).c_str()).empty());
            popup.DestroyWindow();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, Captures, ::testing::Range(0, 10));
