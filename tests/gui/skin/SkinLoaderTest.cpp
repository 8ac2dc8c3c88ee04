// The skin loader: roots, list order, special lists, progress, and the
// program's own "Language.xml".
#include <windows.h>

#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "GUIItem.h"
#include "KeyboardDef.h"
#include "KeywordTables.h"
#include "LangTable.h"
#include "RecordingWnd.h"
#include "SkinAttributes.h"
#include "SkinLoader.h"
#include "SkinTestFiles.h"

namespace {

// A plain item that records which element made it.
class CTagItem : public CGUIItem {
public:
    CTagItem(std::wstring tag, int running) : m_tag(std::move(tag)), m_running(running) {}
    std::wstring m_tag;
    int m_running;
};

CGUIItem* ReadTag(const pugi::xml_node& e, const SkinElementContext& c)
{
    if (e.attribute(L"skip"))
        return nullptr;
    auto* item = new CTagItem(std::wstring(e.name()) + L":" + e.attribute(L"tag").value(), c.runningNumber);
    item->SetItemPart(ReadItemId(e), ITEM_BITMAP, nullptr, c.owner);
    return item;
}

// A table whose every named element is read by ReadTag.
class TagReaders {
public:
    explicit TagReaders(const std::vector<std::wstring>& names) : m_names(names) {
        for (const auto& n : m_names)
            m_entries.push_back({n.c_str(), &ReadTag});
    }
    SkinElementTable Table() const { return SkinElementTable(m_entries.data(), m_entries.size()); }

private:
    std::vector<std::wstring> m_names;
    std::vector<SkinElementReaderEntry> m_entries;
};

std::vector<std::wstring> Tags(const CGUIItems& items)
{
    std::vector<std::wstring> tags;
    for (CGUIItem* i : items.Items())
        if (auto* t = dynamic_cast<CTagItem*>(i))
            tags.push_back(t->m_tag);
    return tags;
}

std::wstring WritePage(const wchar_t* name, const std::string& xml)
{
    std::wstring path = TestProgramFolder() + L"xml\\" + name;
    WriteUtf8(path, xml);
    return path;
}

}  // namespace

TEST(SkinLoader, ListsFollowRowOrderAndKindsWithinAList)
{
    TagReaders readers({L"BUTTON", L"AVIBUTTON", L"TEXTITEM", L"BITMAPITEM", L"BITMAPWINDOW"});
    std::wstring path = WritePage(L"order.xml",
        "<ITEMLIST>"
        "<TEXTLIST><TEXTITEM tag='t1'/><TEXTITEM tag='t2'/></TEXTLIST>"
        "<BUTTONLIST><AVIBUTTON tag='a1'/><BUTTON tag='b1'/><AVIBUTTON tag='a2'/><BUTTON tag='b2'/></BUTTONLIST>"
        "<BITMAPLIST><BITMAPWINDOW tag='w1'/><BITMAPITEM tag='i1'/><BITMAPWINDOW tag='w2'/>"
        "<BITMAPITEM tag='i2' skip='1'/><BITMAPITEM tag='i3'/><UNKNOWN/></BITMAPLIST>"
        "</ITEMLIST><TEXTLIST><TEXTITEM tag='outside'/></TEXTLIST>");
    CGUIItems items;
    ASSERT_TRUE(LoadSkinFile(path.c_str(), readers.Table(), nullptr, &items, false));
    std::vector<std::wstring> expected = {L"BITMAPITEM:i1", L"BITMAPITEM:i3", L"BITMAPWINDOW:w1",
                                          L"BITMAPWINDOW:w2", L"BUTTON:b1", L"BUTTON:b2",
                                          L"AVIBUTTON:a1", L"TEXTITEM:t1", L"TEXTITEM:t2"};
    EXPECT_EQ(expected, Tags(items));
}

TEST(SkinLoader, RunningNumbersAndKeyListsNeedTheirSharedPictures)
{
    TagReaders readers({L"DPISTAGEWINDOW", L"KBDKEY"});
    std::wstring path = WritePage(L"stages.xml",
        "<ITEMLIST><DPISTAGELIST><DPISTAGEWINDOW tag='1'/><DPISTAGEWINDOW tag='2' skip='1'/>"
        "<DPISTAGEWINDOW tag='3'/></DPISTAGELIST>"
        "<KBDKEYLIST><KBDKEY tag='k'/></KBDKEYLIST></ITEMLIST>");
    CGUIItems items;
    ASSERT_TRUE(LoadSkinFile(path.c_str(), readers.Table(), nullptr, &items, false));
    ASSERT_EQ(2u, items.Count());
    EXPECT_EQ(1, static_cast<CTagItem*>(items.At(0))->m_running);
    EXPECT_EQ(3, static_cast<CTagItem*>(items.At(1))->m_running);

    std::wstring keys = WritePage(L"keys.xml",
        "<ITEMLIST><KBDKEYLIST><BUTTONBITMAPS/><KBDKEY tag='k'/></KBDKEYLIST></ITEMLIST>");
    CGUIItems keyItems;
    ASSERT_TRUE(LoadSkinFile(keys.c_str(), readers.Table(), nullptr, &keyItems, false));
    EXPECT_EQ(1u, keyItems.Count());
}

TEST(SkinLoader, RootsAndBrokenFiles)
{
    ScopedTestProgramFolder folder;
    CGUIItems items;
    EXPECT_FALSE(LoadSkinXml(WritePage(L"none.xml", "").c_str(), nullptr, &items, false));
    EXPECT_FALSE(LoadSkinXml(WritePage(L"bad.xml", "<ITEMLIST><FONTLIST>").c_str(), nullptr, &items, false));
    EXPECT_FALSE(LoadSkinXml(WritePage(L"root.xml", "<PAGE/>").c_str(), nullptr, &items, false));
    EXPECT_FALSE(LoadSkinXml((TestProgramFolder() + L"xml\\missing.xml").c_str(), nullptr, &items, false));
    EXPECT_FALSE(LoadSkinXml(WritePage(L"empty.xml", "<ITEMLIST/>").c_str(), nullptr, nullptr, false));
    EXPECT_TRUE(LoadSkinXml(WritePage(L"empty.xml", "<ITEMLIST/>").c_str(), nullptr, &items, false));
    EXPECT_TRUE(LoadSkinPage(&items, L"empty.xml", nullptr, false));
    EXPECT_EQ(0u, items.Count());

    // A panel needs both pictures; the one read before the failure stays.
    WriteBmp24(TestProgramFolder() + L"skins\\loader_bg.bmp", 8, 6, [](int, int) { return 0x336699u; });
    std::wstring noMask = WritePage(L"nomask.xml",
        "<GUIPANEL><BACKGROUND>  loader_bg.bmp </BACKGROUND><FONTLIST><FONT name='FONT_ARIAL12'/></FONTLIST>"
        "</GUIPANEL>");
    EXPECT_FALSE(LoadSkinXml(noMask.c_str(), nullptr, &items, false));
    ASSERT_EQ(1u, items.Count());
    EXPECT_EQ(ITEMID_BACKGROUND, items.At(0)->m_id);
    EXPECT_EQ(ITEM_PANELBITMAP, items.At(0)->m_type);
    EXPECT_EQ(nullptr, items.At(0)->m_window);
}

TEST(SkinLoader, AReaderThatThrowsFailsTheLoadAndLeavesNothingBehind)
{
    static const SkinElementReaderEntry entries[] = {
        {L"BITMAPITEM", &ReadTag},
        {L"BUTTON", [](const pugi::xml_node&, const SkinElementContext&) -> CGUIItem* { throw std::bad_alloc(); }}};
    std::wstring path = WritePage(L"throws.xml",
        "<ITEMLIST><BUTTONLIST><BUTTON/></BUTTONLIST><BITMAPLIST><BITMAPITEM tag='i'/></BITMAPLIST></ITEMLIST>");
    CGUIItems items;
    EXPECT_FALSE(LoadSkinFile(path.c_str(), SkinElementTable(entries), nullptr, &items, true));
    EXPECT_EQ(1u, items.Count());  // read before the failure, and owned by the list
    EXPECT_EQ(nullptr, CurrentFactory());
    EXPECT_TRUE(RegisteredMessengers().empty());
}

TEST(SkinLoader, ProgressGoesToTheFactorysListeners)
{
    CRecordingWnd listener([](UINT m) { return m == WM_PROGRESS_PERCENT; });
    ASSERT_TRUE(listener.CreateTopLevel());
    CGUIItemFactory factory(L"x");
    factory.Subscribe(listener.m_hWnd);
    pugi::xml_document doc;
    doc.load_string(L"<ITEMLIST/>");
    CGUIItems items;
    EXPECT_TRUE(WalkSkinLists(doc.child(L"ITEMLIST"), ProgramSkinElements(), nullptr, &items, &factory));
    std::vector<RecordedMsg> expected;
    for (int i = 0; i < 15; ++i)
        expected.push_back({WM_PROGRESS_PERCENT, (WPARAM)&factory, (LPARAM)(6 * i)});
    expected.push_back({WM_PROGRESS_PERCENT, (WPARAM)&factory, 100});
    EXPECT_EQ("", DiffSequence(expected, listener.Log()));
    EXPECT_STREQ(L"LANGUAGES", SkinLoaderRowLabel(0));
    EXPECT_STREQ(L"PROGRESS PANELS", SkinLoaderRowLabel(14));
    listener.DestroyWindow();
}

TEST(SkinLoader, LanguageFileLoadsLanguagesFontsAndTheKeyboard)
{
    CGUIItems items;
    ASSERT_TRUE(LoadSkinPage(&items, L"Language.xml", nullptr, false));
    ASSERT_EQ(1u, LangTableMap.count(0));
    ASSERT_EQ(1u, LangTableMap.count(5));
    EXPECT_TRUE(g_keyboardDef.IsLoaded());
    EXPECT_EQ(108u, g_keyboardDef.UsableKeyCount());
    EXPECT_EQ(108u, g_keyboardDef.DefaultCount());
    EXPECT_EQ(301, g_keyboardDef.m_id);
    EXPECT_EQ(ITEM_KEYBOARDDEF, g_keyboardDef.m_type);
    EXPECT_EQ(nullptr, items.FindById(301));  // the definition is not an item of the list
    CGUIItem* font = items.FindById(FindItemIdByName(L"FONT_ARIAL14"));
    ASSERT_NE(nullptr, font);
    EXPECT_EQ(ITEM_FONT, font->m_type);

    SelectLanguage(5);
    EXPECT_STREQ(L"Abbrechen", TranslateText(L"$cancel"));
    EXPECT_STREQ(L"Akku", TranslateText(L"#Batt"));
    SelectLanguage(13);  // no Turkish: the default table
    EXPECT_STREQ(L"Cancel", TranslateText(L"$Cancel"));

    items.DeleteAll();
    EXPECT_EQ(0u, LangTableMap.size());
    EXPECT_EQ(nullptr, GetCurrentLangTable());
}

TEST(SkinLoader, KeyboardDefinitionNeedsAKnownNameAndItsFile)
{
    pugi::xml_document doc;
    doc.load_string(L"<KEYBOARD><KEYBOARDDEF name='NOT_AN_ID' file='KbdDefWindows.bin'/></KEYBOARD>");
    EXPECT_FALSE(ReadKeyboardDefElement(doc.child(L"KEYBOARD"), nullptr));
    doc.load_string(L"<KEYBOARD><KEYBOARDDEF name='KBDDEF_WINDOWS'/></KEYBOARD>");
    EXPECT_FALSE(ReadKeyboardDefElement(doc.child(L"KEYBOARD"), nullptr));
    doc.load_string(L"<KEYBOARD><KEYBOARDDEF name='KBDDEF_WINDOWS' file='missing.bin'/></KEYBOARD>");
    EXPECT_FALSE(ReadKeyboardDefElement(doc.child(L"KEYBOARD"), nullptr));
    // The child-element form of the file names.
    doc.load_string(L"<KEYBOARD><KEYBOARDDEF name='KBDDEF_WINDOWS'><file> KbdDefWindows.bin </file>"
                    L"<kbddefaults>KbdDefaultsWindows.bin</kbddefaults></KEYBOARDDEF></KEYBOARD>");
    EXPECT_TRUE(ReadKeyboardDefElement(doc.child(L"KEYBOARD"), nullptr));
    EXPECT_EQ(108u, g_keyboardDef.DefaultCount());
}
