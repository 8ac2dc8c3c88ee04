// The skin check: the default skin as the programs will find it in the
// program folder. Every page and popup loads with the real loader and holds
// the items its program binds, with their types; no element is dropped;
// every picture exists, is 24-bit and large enough; no key colour leaks into
// keyed art; every text key resolves in each of the ten languages, and each
// language has every English key with the same conversions; no text
// overflows its rectangle or lacks a glyph in its font, in any language;
// mutated files load cleanly.
#include <windows.h>

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "BitmapBtn.h"
#include "DropdownListItem.h"
#include "KeywordTables.h"
#include "LangTable.h"
#include "ListPanel.h"
#include "Mutator.h"
#include "ProgramFolder.h"
#include "RealSkin.h"
#include "SkinLoader.h"
#include "SkinTestFiles.h"
#include "TextItems.h"

namespace {

// ---- what each file must hold -------------------------------------------

struct Bound {
    const wchar_t* id;
    int type;
    int checkBox = -1;  // for buttons: 1 a check box, 0 a plain button, -1 either
};
const int B = ITEM_BITMAPBTN, T = ITEM_TEXT, BM = ITEM_BITMAP, TR = ITEM_SLIDERTRACK, S = ITEM_SLIDERHMULTI,
          C = ITEM_DROPDOWNLIST, CC = ITEM_DROPDOWNCOLOR, LP = ITEM_LISTPANEL, LC = ITEM_XLISTCTRL,
          MD = ITEM_MACRODISPLAY, E = ITEM_EDIT, SK = ITEM_EDITSINGLEKEY, PP = ITEM_PROGRESSPANEL,
          DW = ITEM_DPISTAGEWINDOW;

// A page with the variant files that join its list.
struct SkinFile {
    const wchar_t* file;
    std::vector<const wchar_t*> variants;
    std::vector<Bound> bound;
};

std::vector<Bound> OkCancel() { return {{L"BUTTON_POPUP_OK", B}, {L"BUTTON_POPUP_CANCEL", B}}; }
std::vector<Bound> Plus(std::vector<Bound> a, const std::vector<Bound>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<SkinFile> SkinFiles()
{
    const std::vector<Bound> assignMenus = {{L"LISTPANEL_ASSIGNSUBMENU_PR", LP}, {L"LISTPANEL_ASSIGNSUBMENU_MA", LP}};
    std::vector<Bound> keys;
    static const wchar_t* const kKeys[] = {
        L"BUTTON_ASSNTHUMBGRID01", L"BUTTON_ASSNTHUMBGRID02", L"BUTTON_ASSNTHUMBGRID03", L"BUTTON_ASSNTHUMBGRID04",
        L"BUTTON_ASSNTHUMBGRID05", L"BUTTON_ASSNTHUMBGRID06", L"BUTTON_ASSNTHUMBGRID07", L"BUTTON_ASSNTHUMBGRID08",
        L"BUTTON_ASSNTHUMBGRID09", L"BUTTON_ASSNTHUMBGRID10", L"BUTTON_ASSNTHUMBGRID11", L"BUTTON_ASSNTHUMBGRID12"};
    for (const wchar_t* k : kKeys) keys.push_back({k, C});
    std::vector<Bound> loading;
    static const wchar_t* const kFrames[] = {L"BITMAP_LOADING1", L"BITMAP_LOADING2", L"BITMAP_LOADING3",
                                             L"BITMAP_LOADING4", L"BITMAP_LOADING5", L"BITMAP_LOADING6",
                                             L"BITMAP_LOADING7", L"BITMAP_LOADING8", L"BITMAP_LOADING9",
                                             L"BITMAP_LOADING10"};
    for (const wchar_t* f : kFrames) loading.push_back({f, BM});
    std::vector<Bound> warning = Plus({{L"TEXT_WARNDLG_HEADING", T}}, {{L"BUTTON_POPUP_OK", B}});
    std::vector<Bound> confirm = Plus({{L"TEXT_WARNDLG_HEADING", T}}, OkCancel());
    std::vector<Bound> nameEntry = Plus({{L"EDITCTRL_POPUP_NAMEENTRY", E}}, OkCancel());

    std::vector<SkinFile> files = {
        {L"MainPage.xml", {},
         {{L"BUTTON_ASSIGNBUTTONS", B, 0}, {L"BUTTON_ADJUSTPERFORMANCE", B, 0}, {L"BUTTON_MANAGEPROFILES", B, 0},
          {L"BUTTON_MANAGEMACROS", B, 0}, {L"BUTTON_LIGHTINGMAINTENANCE", B, 0}, {L"BUTTON_OK", B},
          {L"BUTTON_CANCEL", B}, {L"BUTTON_APPLY", B}, {L"BUTTON_HELP", B}, {L"BUTTON_EXIT", B},
          {L"BUTTON_UPDATE", B}, {L"TEXT_FIRMWAREVER", T}, {L"TEXT_DRIVERVER", T},
          {L"BITMAP_ICON_KOVUZENT", BM}, {L"BITMAP_ICON_KOVU", BM}, {L"BITMAP_ICON_KOVUQUAREL", BM},
          {L"BITMAP_ICON_NULL", BM}, {L"BITMAP_CONNECTION_WIRED", BM}, {L"BITMAP_CONNECTION_WIRELESS", BM},
          {L"BATTERY_LEVEL0", BM}, {L"BATTERY_LEVEL1", BM}, {L"BATTERY_LEVEL2", BM}, {L"BATTERY_LEVEL3", BM},
          {L"PROG_PANEL_ITEM_MAINPAGE", PP}}},
        {L"CurrentProfile.xml", {}, {{L"TEXT_HEADING_CURRENTPROFILE", T}, {L"LIST_GLOBALPROFILELIST", C}}},
        {L"AssignButtons.xml", {L"AssignButtons_Kovu.xml", L"AssignButtons_KovuZent.xml"},
         Plus({{L"BUTTON_ASSNLEFTCLICK", C}, {L"BUTTON_ASSNRIGHTCLICK", C}, {L"BUTTON_ASSNSCROLLBUTTON", C},
               {L"BUTTON_ASSNBUTTON4", C}, {L"BUTTON_ASSNBUTTON5", C}, {L"BUTTON_ASSNSCROLLUP", C},
               {L"BUTTON_ASSNSCROLLDOWN", C}, {L"TEXT_THUMBGRIDVIEW_BUTTON", T}, {L"BUTTON_RESET", B, 0}},
              assignMenus)},
        {L"AssignKeys.xml", {L"AssignKeys_Kovu.xml", L"AssignKeys_KovuZent.xml"},
         Plus(keys, {{L"BUTTON_KEYASSIGN_123NUM_123", B, 0}, {L"BUTTON_KEYASSIGN_123NUM_NUM", B, 0},
                     {L"BUTTON_DISABLE_KEYS", B, 0}, {L"TEXT_TOPVIEW_BUTTON", T}})},
        {L"AdjustPerformance.xml", {},
         {{L"BITMAP_SLSENSTRK_XY", TR}, {L"BITMAP_SLSENSTRK_X", TR}, {L"BITMAP_SLSENSTRK_Y", TR},
          {L"BITMAP_SLACCLTRK", TR}, {L"BITMAP_SLACCLTRKDISB", TR}, {L"SLIDER_DPI_MULTI", S},
          {L"SLIDER_DPI_MULTI_X", S}, {L"SLIDER_DPI_MULTI_Y", S}, {L"SLIDER_ID_ACCEL", S},
          {L"SLIDER_ID_ACCELDISB", S}, {L"BUTTON_ENABLEXY", B, 1}, {L"TEXT_ENABLEXY", T},
          {L"BUTTON_ENABLEACCELERATION", B, 1}, {L"TEXT_ENABLEACCELERATION", T}, {L"BUTTON_ENABLE_DPI_OSD", B, 1},
          {L"TEXT_ENABLE_DPI_OSD", T}, {L"BUTTON_RATE1", B, 0}, {L"BUTTON_RATE2", B, 0}, {L"BUTTON_RATE3", B, 0},
          {L"BUTTON_SENSITIVITY_STAGES", B}, {L"TEXT_DPI1", T}, {L"TEXT_DPI2", T}, {L"TEXT_DPIVALUE1", T},
          {L"TEXT_DPIVALUE2", T}, {L"TEXT_HEADING_X", T}, {L"TEXT_HEADING_Y", T}, {L"BITMAP_SENSWINDOW2", BM}}},
        {L"ManageProfiles.xml", {},
         {{L"LIST_PROFILELIST", LC}, {L"LISTPANEL_PROFILEOPTIONS", LP}, {L"BUTTON_NEWPROFILE", B},
          {L"BUTTON_IMPORTPROFILE", B}, {L"BUTTON_EXPORTPROFILE", B}, {L"BUTTON_SAVEPROFILE", B},
          {L"BUTTON_DELETEPROFILE", B}, {L"BUTTON_ENABLE_PROFILE_OSD", B, 1}, {L"TEXT_ENABLE_PROFILE_OSD", T}}},
        {L"ManageMacros.xml", {},
         {{L"LIST_GLOBALMACROLIST", C}, {L"LIST_GLOBAL_BASIC_COMMANDS", C}, {L"LIST_GLOBAL_ADDITIONAL_COMMANDS", C},
          {L"MACRO_DISPLAY", MD}, {L"MACRO_DISPLAY_READONLY", MD}, {L"LISTPANEL_MACROOPTIONS_KEYSTROKE", LP},
          {L"LISTPANEL_MACROOPTIONS_DELAY", LP}, {L"LISTPANEL_MACROOPTIONS_MOUSECLICK", LP},
          {L"BUTTON_IGNORE_DELAY", B, 1}, {L"TEXT_IGNORE_DELAY", T}, {L"BUTTON_INSERTDEFAULT_DELAY", B, 1},
          {L"TEXT_INSERTDEFAULT_DELAY", T}, {L"EDITCTRL_DEFAULT_DELAY", E}, {L"EDITCTRL_INSERT_DELAY", E},
          {L"BUTTON_MACRO_CREATE", B}, {L"BUTTON_MACRO_IMPORT", B}, {L"BUTTON_MACRO_EXPORT", B},
          {L"BUTTON_MACRO_SAVE", B}, {L"BUTTON_MACRO_RENAME", B}, {L"BUTTON_MACRO_DELETE", B},
          {L"BUTTON_MACRO_RECORD_BACKWARD", B}, {L"BUTTON_MACRO_RECORD", B}, {L"BUTTON_MACRO_RECORD_PLAY", B},
          {L"BUTTON_MACRO_RECORD_STOP", B}, {L"BUTTON_MACRO_RECORD_FORWARD", B}, {L"BUTTON_INSERT_DELAY", B},
          {L"BUTTON_ADD_BASIC_MACRO_CMDS", B}, {L"BUTTON_ADD_ADV_MACRO_CMDS", B}}},
        {L"LightingMaintenance.xml", {L"LightingMaintenance_Kovu.xml", L"LightingMaintenance_KovuZent.xml"},
         {{L"LIST_GLOBALPROFILELIST", C}, {L"GLOW_LEDON", B, 0}, {L"GLOW_LEDOFF", B, 0}, {L"SCROLL_LEDON", B, 0},
          {L"SCROLL_LEDOFF", B, 0}, {L"KOVUZENT_COLOR_ON", B, 0}, {L"SPECTRUM_CYCLING_ON", B, 0},
          {L"DROPDOWN_MOUSE_COLOR", CC}, {L"SLIDER_LED_BRIGHTNESS", S}, {L"SLIDER_POWER_BRIGHTNESS", S},
          {L"SLIDER_POWER_SLEEPTOIDLE", S}, {L"SLIDER_POWER_FLASHSCROLL", S},
          {L"TEXT_REDUCEBRIGHTNESSHEADING", T}, {L"TEXT_SLEEPAFTERIDLEHEADING", T},
          {L"TEXT_FLASHSCROLLWHEELHEADING", T}, {L"TEXT_BATTERYLIFEESTIMATE_HEADER", T},
          {L"TEXT_BATTERY_WARNING_TEXT", T}}},
        {L"DPIStagesPopup.xml", {},
         {{L"DPISTAGEWINDOW_01", DW}, {L"DPISTAGEWINDOW_02", DW}, {L"DPISTAGEWINDOW_03", DW},
          {L"DPISTAGEWINDOW_04", DW}, {L"DPISTAGEWINDOW_05", DW}, {L"TEXT_NUMSTAGES", T}, {L"TEXT_DPI_X", T},
          {L"TEXT_DPI_Y", T}, {L"BUTTON_ENABLEXY_POPUP", B, 1}, {L"BUTTON_DPISTAGES_OK", B},
          {L"BUTTON_DPISTAGES_CANCEL", B}, {L"BUTTON_DPISTAGES_DEC", B}, {L"BUTTON_DPISTAGES_INC", B},
          {L"SLIDER_DPI_MULTI_POPUP", S}, {L"SLIDER_DPI_MULTI_X_POPUP", S}, {L"SLIDER_DPI_MULTI_Y_POPUP", S},
          {L"BITMAP_SLSENSTRK_XY_POPUP", TR}, {L"BITMAP_SLSENSTRK_X_POPUP", TR}, {L"BITMAP_SLSENSTRK_Y_POPUP", TR}}},
        {L"SingleKeyPopup.xml", {},
         Plus({{L"EDITCTRL_POPUP_SINGLEKEYENTRY", SK}, {L"BUTTON_CHKBOX_SLCT_SHIFT", B, 0},
               {L"BUTTON_CHKBOX_SLCT_CTRL", B, 0}, {L"BUTTON_CHKBOX_SLCT_ALT", B, 0}, {L"TEXT_SLCT_SHIFT", T},
               {L"TEXT_SLCT_CTRL", T}, {L"TEXT_SLCT_ALT", T}},
              OkCancel())},
        {L"SelectMacroPopup.xml", {},
         Plus({{L"LIST_DROPDOWN_POPUP", C}, {L"BUTTON_MACRO_PLAY_ONCE", B, 0}, {L"BUTTON_MACRO_PLAY_MULTIPLE", B, 0},
               {L"BUTTON_MACRO_PLAY_WHILEPRESSED", B, 0}, {L"BUTTON_MACRO_PLAY_UNTILPRESSED", B, 0}},
              OkCancel())},
        {L"ProfileNamePopup.xml", {}, nameEntry},
        {L"ProfileRenamePopup.xml", {}, Plus(nameEntry, {{L"TEXT_WARNDLG_HEADING", T}})},
        {L"MacroNamePopup.xml", {}, nameEntry},
        {L"MacroRenamePopup.xml", {}, nameEntry},
        {L"MacroRepeatEntryPopup.xml", {}, Plus({{L"EDITCTRL_POPUP_NUMENTRY", E}}, OkCancel())},
        {L"SplashScreen.xml", {}, Plus(Plus({{L"TEXT_MOUSECONNECTING_MESSAGE", T}}, loading), OkCancel())},
    };
    for (const wchar_t* p : {L"PreviewPopup_Kovu.xml", L"PreviewPopup_KovuQuarel.xml", L"PreviewPopup_KovuZent.xml"})
        files.push_back({L"PreviewPopup.xml", {p}, Plus({{L"LIST_GLOBAL_BASIC_COMMANDS", C}}, OkCancel())});
    for (const wchar_t* w : {L"NoMousePopup.xml", L"ProfileLimitReachedPopup.xml", L"DuplicateProfileWarningPopup.xml",
                             L"DisallowDeletePopup.xml", L"ImporttProfileWarningPopup.xml",
                             L"PathLengthLimitReachedPopUp.xml", L"FileErrorPopUp.xml",
                             L"ExportProfileWarningPopup.xml", L"SelectApplicationWarningPopup.xml",
                             L"NoClickPopup.xml", L"DuplicateMacroWarningPopup.xml", L"ExportMacroWarningPopup.xml",
                             L"DefaultDelayWarningPopup.xml", L"MacroRepeatWarningPopup.xml",
                             L"WriteFailedPopup.xml", L"WriteRefusedPopup.xml"})
        files.push_back({w, {}, warning});
    for (const wchar_t* w : {L"ConfirmDeletePopup.xml", L"ConfirmDeleteMacroPopup.xml", L"RestorePopup.xml"})
        files.push_back({w, {}, confirm});
    return files;
}

// The languages of the language-name table: English, ChineseSimplified,
// ChineseTraditional, French, FrenchCanadian, German, Korean, Russian,
// Japanese, Spanish.
const int kLanguages[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};

// ---- helpers --------------------------------------------------------------

std::wstring Folder() { return RealProgramFolder(); }

bool ReadFile(const std::wstring& path, std::vector<uint8_t>& out)
{
    FILE* f = _wfopen(path.c_str(), L"rb");
    if (!f) return false;
    out.clear();
    uint8_t buf[65536];
    for (size_t n; (n = fread(buf, 1, sizeof buf, f)) > 0;) out.insert(out.end(), buf, buf + n);
    fclose(f);
    return true;
}

// A 24-bit BI_RGB BMP as the skin writes it: size and pixels (0xRRGGBB,
// top row first). False for anything else.
struct Picture {
    int width = 0, height = 0;
    std::vector<DWORD> pixels;
    DWORD At(int x, int y) const { return pixels[(size_t)y * width + x]; }
};
bool ReadPicture(const std::wstring& name, Picture& pic, std::string& why)
{
    std::vector<uint8_t> d;
    if (!ReadFile(Folder() + L"skins\\" + name, d)) return why = "missing", false;
    if (d.size() < 54 || d[0] != 'B' || d[1] != 'M') return why = "not a BMP", false;
    auto u32 = [&](size_t at) { return (uint32_t)(d[at] | d[at + 1] << 8 | d[at + 2] << 16 | (uint32_t)d[at + 3] << 24); };
    const int bits = d[28] | d[29] << 8;
    if (bits != 24 || u32(30) != 0) return why = "not 24-bit BI_RGB", false;
    pic.width = (int)u32(18);
    const int h = (int)u32(22);
    pic.height = h < 0 ? -h : h;
    const size_t row = ((size_t)pic.width * 3 + 3) & ~(size_t)3, off = u32(10);
    if (pic.width <= 0 || pic.height <= 0 || off + row * pic.height > d.size()) return why = "truncated", false;
    pic.pixels.resize((size_t)pic.width * pic.height);
    for (int y = 0; y < pic.height; ++y) {
        const uint8_t* src = &d[off + row * (size_t)(h > 0 ? pic.height - 1 - y : y)];
        for (int x = 0; x < pic.width; ++x)
            pic.pixels[(size_t)y * pic.width + x] = src[3 * x + 2] << 16 | src[3 * x + 1] << 8 | src[3 * x];
    }
    return true;
}

// UTF-8, so that messages show the texts of every language.
std::string Narrow(const std::wstring& w)
{
    std::string s(w.size() * 3 + 1, '\0');
    int n = ::WideCharToMultiByte(CP_UTF8, 0, w.c_str(), (int)w.size(), &s[0], (int)s.size(), nullptr, nullptr);
    s.resize(n > 0 ? n : 0);
    return s;
}

// Loads a page with its variants into one list, owned by a hidden window.
class LoadedPage {
public:
    LoadedPage(const SkinFile& f)
    {
        m_owner.CreateEx(0, CWnd::RegisterClassOnce(0, nullptr, nullptr), L"skin check", WS_POPUP, 0, 0, 1000, 640,
                         nullptr, nullptr);
        m_loaded = LoadSkinPage(&m_items, f.file, &m_owner, false);
        for (const wchar_t* v : f.variants) m_loaded = LoadSkinPage(&m_items, v, &m_owner, false) && m_loaded;
    }
    ~LoadedPage()
    {
        m_items.DeleteAll();
        m_owner.DestroyWindow();
    }
    bool Loaded() const { return m_loaded; }
    CGUIItems& Items() { return m_items; }

private:
    CWnd m_owner;
    CGUIItems m_items;
    bool m_loaded = false;
};

class SkinCheck : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_language = LoadRealSkinLanguages();
        ASSERT_NE(nullptr, s_language);
        for (int language : kLanguages) ASSERT_EQ(1u, LangTableMap.count(language)) << language;
    }
    static void TearDownTestSuite()
    {
        delete s_language;
        s_language = nullptr;
    }
    void TearDown() override { SelectLanguage(0); }

    static CGUIItems* s_language;
};
CGUIItems* SkinCheck::s_language = nullptr;

}  // namespace

// ---- the checks -------------------------------------------------------------

TEST_F(SkinCheck, EveryFileHoldsWhatItsProgramBinds)
{
    for (const SkinFile& f : SkinFiles()) {
        LoadedPage page(f);
        ASSERT_TRUE(page.Loaded()) << Narrow(f.file);
        std::map<int, int> seen;
        for (CGUIItem* item : page.Items().Items())
            if (item->m_id >= 0 && item->m_type != ITEM_FONT) ++seen[item->m_id];
        for (const auto& [id, count] : seen)
            EXPECT_EQ(1, count) << Narrow(f.file) << ": " << Narrow(FindItemNameById(id)) << " twice in one list";
        for (const Bound& b : f.bound) {
            CGUIItem* item = page.Items().FindById(FindItemIdByName(b.id));
            ASSERT_NE(nullptr, item) << Narrow(f.file) << ": no " << Narrow(b.id);
            EXPECT_EQ(b.type, item->m_type) << Narrow(f.file) << ": " << Narrow(b.id);
            if (b.checkBox >= 0 && item->m_type == ITEM_BITMAPBTN) {
                EXPECT_EQ(b.checkBox, static_cast<CBitmapBtn*>(item)->m_isCheckBox) << Narrow(b.id);
            }
        }
    }
}

TEST_F(SkinCheck, NoElementIsDropped)
{
    // Element kinds that each become one item; the others are parts of an item.
    static const std::set<std::wstring> kItems = {
        L"FONT", L"BITMAPITEM", L"SLIDERTRACK", L"BITMAPWINDOW", L"BUTTON", L"VSLIDER", L"HSLIDERM",
        L"HSLIDERMAPM", L"DMARKER", L"TEXTITEM", L"DPISTAGEWINDOW", L"MACRODISPLAY", L"LISTCTRL", L"COMBO",
        L"COMBOCOLOR", L"LISTPANEL", L"EDITCTRL", L"EDITCTRLSK", L"EDITCTRLSKMMO", L"KBDKEY", L"PROGRESSPANELITEM"};
    std::set<std::wstring> files;
    for (const SkinFile& f : SkinFiles()) {
        files.insert(f.file);
        files.insert(f.variants.begin(), f.variants.end());
    }
    for (const std::wstring& file : files) {
        pugi::xml_document doc;
        ASSERT_TRUE(doc.load_file((Folder() + L"xml\\" + file).c_str())) << Narrow(file);
        pugi::xml_node root = doc.first_child();
        size_t expected = std::wstring(root.name()) == L"GUIPANEL" ? 2 : 0;
        for (pugi::xml_node list : root.children())
            for (pugi::xml_node e : list.children())
                if (kItems.count(e.name())) ++expected;
        LoadedPage page({file.c_str(), {}, {}});
        EXPECT_EQ(expected, page.Items().Count()) << Narrow(file);
    }
}

TEST_F(SkinCheck, PicturesAreTrueColourLargeEnoughAndFreeOfKeyColours)
{
    std::set<std::wstring> names;
    std::vector<std::wstring> problems;
    auto need = [&](const std::wstring& name, int w, int h, bool exact, const std::wstring& where) {
        names.insert(name);
        Picture p;
        std::string why;
        if (!ReadPicture(name, p, why))
            problems.push_back(where + L": " + name + L" " + std::wstring(why.begin(), why.end()));
        else if (exact ? (p.width != w || p.height != h) : (p.width < w || p.height < h))
            problems.push_back(where + L": " + name + L" is " + std::to_wstring(p.width) + L"x" +
                               std::to_wstring(p.height) + L" for " + std::to_wstring(w) + L"x" + std::to_wstring(h));
    };
    auto size = [](pugi::xml_node r) { return std::make_pair(r.attribute(L"right").as_int(), r.attribute(L"bottom").as_int()); };
    // German rectangles for items some pages place.
    std::map<std::wstring, std::pair<int, int>> overrides;
    {
        pugi::xml_document lang;
        ASSERT_TRUE(lang.load_file((Folder() + L"xml\\Language.xml").c_str()));
        for (pugi::xpath_node o : lang.select_nodes(L"//LANGOVERRIDE[RECT]"))
            overrides[o.node().attribute(L"name").value()] = size(o.node().child(L"RECT"));
    }
    WIN32_FIND_DATAW fd;
    HANDLE h = ::FindFirstFileW((Folder() + L"xml\\*.xml").c_str(), &fd);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    do {
        pugi::xml_document doc;
        ASSERT_TRUE(doc.load_file((Folder() + L"xml\\" + fd.cFileName).c_str())) << Narrow(fd.cFileName);
        const std::wstring file = fd.cFileName;
        for (pugi::xpath_node n : doc.select_nodes(L"//*[SBMN or BMPDATA or MDBMP_KEYDN or VSBMP_TMB]")) {
            pugi::xml_node e = n.node();
            const std::wstring kind = e.name(), where = file + L" " + e.attribute(L"name").value();
            auto [w, hh] = size(e.child(L"RECT"));
            const bool sized = kind == L"BITMAPITEM" || kind == L"SLIDERTRACK" || kind == L"BUTTON";
            for (const wchar_t* state : {L"SBMN", L"SBMO", L"SBMD", L"SBMDS", L"SBMM", L"BMPDATA", L"BMPMASK"}) {
                pugi::xml_node pic = e.child(state);
                if (!pic) continue;
                const bool exact = kind == L"BMPINFO";  // stage-tile pictures are stretched to their place
                need(pic.text().get(), sized || exact ? w : 0, sized || exact ? hh : 0, exact, where);
                auto o = overrides.find(e.attribute(L"name").value());
                if (sized && o != overrides.end()) need(pic.text().get(), o->second.first, o->second.second, false, where + L" (German)");
            }
            for (pugi::xml_node pic : e.children())
                if (std::wstring(pic.name()).rfind(L"MDBMP_", 0) == 0 || std::wstring(pic.name()).rfind(L"VSBMP_", 0) == 0)
                    need(pic.text().get(), 0, 0, false, where);
        }
        for (const wchar_t* panel : {L"BACKGROUND", L"MASK"})
            if (pugi::xml_node pic = doc.first_child().child(panel)) need(pic.text().get(), 1, 1, false, file);
    } while (::FindNextFileW(h, &fd));
    ::FindClose(h);
    need(L"stageSelected.bmp", 1, 1, false, L"the stage tiles");
    for (const std::wstring& p : problems) ADD_FAILURE() << Narrow(p);

    // Magenta is the main window's colour key and every slider thumb's
    // corner; masks are black inside, white outside.
    for (const std::wstring& name : names) {
        Picture p;
        std::string why;
        if (!ReadPicture(name, p, why)) continue;
        const bool thumb = name.rfind(L"thumb", 0) == 0, mask = name.size() > 6 && name.substr(name.size() - 6) == L"_m.bmp";
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x) {
                const DWORD c = p.At(x, y);
                if (mask) {
                    ASSERT_TRUE(c == 0 || c == 0xFFFFFF) << Narrow(name) << " is not black and white";
                } else if (c == 0xFF00FF) {
                    // A thumb keeps its key outside its round shape only.
                    const double dx = x + 0.5 - p.width / 2.0, dy = y + 0.5 - p.height / 2.0;
                    ASSERT_TRUE(thumb && dx * dx + dy * dy > (p.width / 2.0 - 2) * (p.width / 2.0 - 2))
                        << Narrow(name) << " has the key colour at " << x << "," << y;
                }
            }
        if (thumb) {
            EXPECT_EQ(0xFF00FFu, p.At(0, 0)) << Narrow(name) << ": its corner is its key";
        }
    }
}

namespace {

// The "$" keys of every page and popup as written.
void CollectSkinKeys(pugi::xml_node n, std::set<std::wstring>& keys)
{
    for (pugi::xml_attribute a : n.attributes())
        if (a.value()[0] == L'$' && a.value()[1]) keys.insert(a.value());
    std::wstring text = n.text().get();
    text.erase(0, text.find_first_not_of(L" \t\r\n"));
    text.erase(text.find_last_not_of(L" \t\r\n") + 1);
    if (text.size() > 1 && text[0] == L'$') keys.insert(text);
    for (pugi::xml_node c : n.children()) CollectSkinKeys(c, keys);
}

// The conversions of a format string, in order ("%s", "%i", "%%").
std::wstring Conversions(const std::wstring& f)
{
    std::wstring out;
    for (size_t i = 0; i + 1 < f.size(); ++i)
        if (f[i] == L'%') out += f.substr(i, 2), ++i;
    return out;
}

const wchar_t* const kProgramKeys[] = {
#include "ProgramTextKeys.inc"
};

}  // namespace

TEST_F(SkinCheck, EveryTextKeyResolvesInEveryLanguage)
{
    std::set<std::wstring> keys(std::begin(kProgramKeys), std::end(kProgramKeys));
    for (const KeywordMap* map : {&ButtonFunctionMap, &ButtonTooltipMap, &KeyTooltipMap, &ShortcutFunctionMap})
        for (const auto& entry : *map) keys.insert(entry.second);
    // Keys the code puts together: a mouse button's name and Down / Up.
    for (const wchar_t* b : {L"$LeftButton", L"$RightButton", L"$Wheel", L"$Button4", L"$Button5"})
        for (const wchar_t* s : {L"Down", L"Up"}) keys.insert(std::wstring(b) + s);
    WIN32_FIND_DATAW fd;
    HANDLE h = ::FindFirstFileW((Folder() + L"xml\\*.xml").c_str(), &fd);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    do {
        pugi::xml_document doc;
        ASSERT_TRUE(doc.load_file((Folder() + L"xml\\" + fd.cFileName).c_str()));
        CollectSkinKeys(doc, keys);
    } while (::FindNextFileW(h, &fd));
    ::FindClose(h);

    // The format strings the pages fill in, with the conversions the code passes.
    const std::map<std::wstring, std::wstring> formats = {
        {L"$Reducelightbrightnessto??", L"%s"}, {L"$Entersleepmodeafteridlefor??min", L"%i"},
        {L"$Entersleepmodeafteridlefor??mins", L"%i"}, {L"$Flashscrollwheellightwhenbatterylevelfallsbelow??", L"%i%%"},
        {L"$Estimatedbatterylife:Upto??hour", L"%i"}, {L"$Estimatedbatterylife:Upto??hours", L"%i"}};
    for (const auto& f : formats) keys.insert(f.first);

    for (int language : kLanguages) {
        const CLangTable* table = LangTableMap.at(language);
        for (const std::wstring& key : keys) {
            CString value;
            EXPECT_TRUE(table->Translate(key.c_str(), value)) << "language " << language << ": " << Narrow(key);
            auto f = formats.find(key);
            if (f != formats.end()) {
                EXPECT_EQ(f->second, Conversions(value.GetString())) << "language " << language << ": " << Narrow(key);
            }
        }
    }
}

// Keys added to English later are caught here: every language has each of
// them, not empty, with the conversions of the English text, so a format
// string can never be handed a conversion the code does not pass.
TEST_F(SkinCheck, EveryLanguageHasEveryEnglishKeyWithItsConversions)
{
    const CLangTable* english = LangTableMap.at(0);
    ASSERT_LT(200, english->PairCount());
    for (int language : kLanguages) {
        const CLangTable* table = LangTableMap.at(language);
        for (const auto& [key, value] : english->Texts()) {
            CString text;
            const std::wstring where = L"language " + std::to_wstring(language) + L": " + key;
            if (!table->Translate((L"$" + key).c_str(), text)) {
                ADD_FAILURE() << Narrow(where) << " is missing";
                continue;
            }
            EXPECT_FALSE(text.IsEmpty()) << Narrow(where);
            EXPECT_EQ(Conversions(value), Conversions(text.GetString())) << Narrow(where);
        }
    }
}

namespace {

// The font an item draws with: a drop-down keeps its own, the others are
// given theirs as the window's font.
HFONT ItemFont(CGUIItem* item)
{
    if (item->m_type == ITEM_DROPDOWNLIST) return static_cast<CDropdownListItem*>(item)->m_font;
    return (HFONT)::SendMessageW(item->m_window, WM_GETFONT, 0, 0);
}

// The text's extent in the item's own font.
SIZE Extent(HFONT font, const CString& text, UINT format, int width)
{
    HDC dc = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, font ? (HGDIOBJ)font : ::GetStockObject(DEFAULT_GUI_FONT));
    RECT r{0, 0, width, 0};
    std::wstring buf(text.GetString());
    ::DrawTextW(dc, buf.c_str(), (int)buf.size(), &r, format | DT_CALCRECT | DT_NOPREFIX);
    TEXTMETRICW tm{};
    ::GetTextMetricsW(dc, &tm);
    ::SelectObject(dc, old);
    ::ReleaseDC(nullptr, dc);
    return {r.right - r.left, (format & DT_WORDBREAK) ? r.bottom - r.top : tm.tmHeight};
}

// The characters of a text that the item's own font has no glyph for
// (they would show as boxes); line breaks and tabs aside.
std::wstring MissingGlyphs(HFONT font, const CString& text)
{
    HDC dc = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, font ? (HGDIOBJ)font : ::GetStockObject(DEFAULT_GUI_FONT));
    std::wstring s(text.GetString()), missing;
    std::vector<WORD> glyphs(s.size() + 1);
    if (::GetGlyphIndicesW(dc, s.c_str(), (int)s.size(), glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS) != GDI_ERROR)
        for (size_t i = 0; i < s.size(); ++i)
            if (glyphs[i] == 0xFFFF && s[i] >= L' ') missing += s[i];
    ::SelectObject(dc, old);
    ::ReleaseDC(nullptr, dc);
    return missing;
}

std::string Codes(const std::wstring& chars)
{
    std::string out;
    char buf[12];
    for (wchar_t c : chars) snprintf(buf, sizeof buf, " U+%04X", (unsigned)c), out += buf;
    return out;
}

// A text with its conversions filled by the longest values the pages give.
CString Filled(CString text)
{
    text.Replace(L"%i", L"15");
    text.Replace(L"%s", TranslateText(L"$Normal"));
    text.Replace(L"%%", L"%");
    return text;
}

}  // namespace

// One test per language: each loads every file with the real fonts, and the
// ten of them run side by side.
class SkinTextFit : public SkinCheck, public ::testing::WithParamInterface<int> {};

TEST_P(SkinTextFit, EveryTextFitsItsRectangleAndHasItsGlyphs)
{
    const int language = GetParam();
    SelectLanguage(language);
    for (const SkinFile& f : SkinFiles()) {
        LoadedPage page(f);
        for (CGUIItem* item : page.Items().Items()) {
            if (!item->HasWindow()) continue;
            RECT r;
            ::GetClientRect(item->m_window, &r);
            const int w = r.right, h = r.bottom;
            const HFONT font = ItemFont(item);
            const std::string where = "language " + std::to_string(language) + ", " + Narrow(f.file) + " " +
                                      Narrow(FindItemNameById(item->m_id) ? FindItemNameById(item->m_id) : L"?");
            if (item->m_type == ITEM_TEXT) {
                auto* t = static_cast<CTextItem*>(item);
                const bool wrap = (t->m_drawFormat & DT_WORDBREAK) != 0;
                const int room = t->m_drawFormat == 0 ? w - 5 : w;  // a plain label starts 5 px in
                SIZE s = Extent(font, Filled(t->GetText()), wrap ? DT_WORDBREAK : DT_SINGLELINE, room);
                EXPECT_LE(s.cx, room) << where << ": \"" << Narrow(t->GetText().GetString()) << "\"";
                EXPECT_LE(s.cy, h) << where;
                EXPECT_EQ("", Codes(MissingGlyphs(font, Filled(t->GetText())))) << where;
            } else if (item->m_type == ITEM_BITMAPBTN) {
                auto* b = static_cast<CBitmapBtn*>(item);
                if (b->Caption().IsEmpty()) continue;
                SIZE s = Extent(font, b->Caption(), DT_SINGLELINE, w);
                EXPECT_LE(s.cx, w - 12) << where << ": \"" << Narrow(b->Caption().GetString()) << "\"";
                EXPECT_EQ("", Codes(MissingGlyphs(font, b->Caption()))) << where;
            } else if (item->m_type == ITEM_DROPDOWNLIST) {
                auto* c = static_cast<CDropdownListItem*>(item);
                const int room = w - h - c->m_leftMargin - 2 * c->m_borderWidth;
                for (int i = 0; i < c->GetCount(); ++i) {
                    CString text = TranslateText(c->GetItemText(i));
                    EXPECT_LE(Extent(font, text, DT_SINGLELINE, room).cx, room)
                        << where << ": \"" << Narrow(text.GetString()) << "\"";
                    EXPECT_EQ("", Codes(MissingGlyphs(font, text))) << where;
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Language, SkinTextFit, ::testing::ValuesIn(kLanguages));

TEST_F(SkinCheck, MutatedFilesLoadWithoutACrash)
{
    // Written to this process's own folder (other checks list xml\ meanwhile)
    // and loaded from there; the pictures still come from the program folder.
    const std::wstring scratch = TestProgramFolder() + L"mutated.xml";
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, CWnd::RegisterClassOnce(0), L"mutations", WS_POPUP, 0, 0, 1000, 640, nullptr, nullptr));
    Mutator m(0x5EED);
    for (const SkinFile& f : SkinFiles()) {
        std::vector<uint8_t> valid;
        ASSERT_TRUE(ReadFile(Folder() + L"xml\\" + f.file, valid));
        for (int i = 0; i < 6; ++i) {
            std::vector<uint8_t> bytes = m.Mutate(valid);
            ASSERT_TRUE(WriteBytes(scratch, bytes.data(), bytes.size()));
            CGUIItems items;
            LoadSkinXml(scratch.c_str(), &owner, &items, false);
            for (CGUIItem* item : items.Items()) ASSERT_NE(nullptr, item) << Narrow(f.file) << " " << i;
        }
    }
    owner.DestroyWindow();
}
