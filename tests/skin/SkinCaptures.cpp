// Captures of the default skin for review (tools/captures.sh): the main
// window with each page for each model, and every popup, in English and
// German, saved as PNG under the captures folder's skin\ subfolder. The
// pages are filled with sample values so that they look as in use.
#include <windows.h>

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <memory>
#include <string>
#include <vector>

#include "BitmapBtn.h"
#include "DropdownListItem.h"
#include "GUIPanel.h"
#include "KeywordTables.h"
#include "LangTable.h"
#include "ProgramFolder.h"
#include "SkinLoader.h"
#include "SkinTestFiles.h"
#include "SliderHMulti.h"
#include "TextItems.h"
#include "TreeCapture.h"

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

// Sample state, as the configurator would show it.
void FillSamples(CGUIItems& items)
{
    for (CGUIItem* item : items.Items()) {
        if (item->m_type == ITEM_DROPDOWNLIST) {
            auto* c = static_cast<CDropdownListItem*>(item);
            if (c->GetCount() == 0) c->AddString(L"Default profile");
            c->SetCurSel(c->GetCount() > 1 ? 1 : 0);
        } else if (item->m_type == ITEM_SLIDERHMULTI) {
            auto* s = static_cast<CSliderHMulti*>(item);
            s->SetRange(1, 64);
            s->SetValue(16);
        }
    }
    if (auto* t = Find<CTextItem>(items, L"TEXT_DPIVALUE1", ITEM_TEXT)) t->SetText(L"1600");
    if (auto* t = Find<CTextItem>(items, L"TEXT_DPIVALUE2", ITEM_TEXT)) t->SetText(L"1600");
    for (const wchar_t* on : {L"BUTTON_RATE3", L"BUTTON_KEYASSIGN_123NUM_123", L"GLOW_LEDON", L"SCROLL_LEDON",
                              L"KOVUZENT_COLOR_ON", L"BUTTON_ENABLE_DPI_OSD", L"BUTTON_MACRO_PLAY_ONCE",
                              L"BUTTON_CHKBOX_SLCT_CTRL"})
        if (auto* b = Find<CBitmapBtn>(items, on, ITEM_BITMAPBTN)) b->SetSelected(true);
    if (auto* t = Find<CTextItem>(items, L"TEXT_SLCT_CTRL", ITEM_TEXT)) t->SetSelected(true);
}

void ShowOnly(CGUIItems& items, const std::vector<const wchar_t*>& hidden)
{
    for (const wchar_t* name : hidden)
        if (CGUIItem* item = items.FindById(FindItemIdByName(name))) item->Show(false);
}

class Captures : public ::testing::TestWithParam<int> {
protected:
    static void SetUpTestSuite()
    {
        BuildKeywordMaps();
        SetProgramFolder(RealProgramFolder().c_str());
        s_language = new CGUIItems;
        ASSERT_TRUE(LoadSkinPage(s_language, L"Language.xml", nullptr, false));
    }
    static void TearDownTestSuite() { delete s_language; }
    static std::wstring Name(const std::wstring& what)
    {
        return L"skin\\" + std::wstring(GetParam() == 0 ? L"en" : L"de") + L"_" + what;
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
            Pump();
            EXPECT_FALSE(SaveScreenCapture(popup.m_hWnd, Name(stem + v).c_str()).empty());
            popup.DestroyWindow();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, Captures, ::testing::Values(0, 5));
