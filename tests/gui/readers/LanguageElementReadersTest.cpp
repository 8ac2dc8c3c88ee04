// The language, font and layout element readers over in-memory documents.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ElementReaders.h"
#include "FontItem.h"
#include "KeyboardLayoutSetting.h"
#include "KeywordTables.h"
#include "LangTable.h"
#include "SkinTestFiles.h"

namespace {

pugi::xml_node Parse(pugi::xml_document& doc, const wchar_t* xml)
{
    EXPECT_TRUE(doc.load_string(xml));
    return doc.first_child();
}

}  // namespace

TEST(LanguageElements, LangReadsFontsColumnsAndOverridesInOrder)
{
    ScopedTestProgramFolder folder;
    WriteLangFile(TestProgramFolder() + L"lang\\elem_de.txt", {L"Deutsch", L"x", L"Save", L"Speichern"});
    WriteLangFile(TestProgramFolder() + L"lang\\elem_empty.txt", {L"Leer", L"x"});
    WriteBytes(TestProgramFolder() + L"lang\\elem_zero.txt", "", 0);
    pugi::xml_document doc;
    pugi::xml_node e = Parse(doc,
        L"<LANG name='LANGUAGE_GERMAN' file=' elem_de.txt '>"
        L"<LANGFONT fontsearch='FONT_ARIAL14' fontreplace='FONT_ARIAL12'/>"
        L"<LANGFONT fontsearch='FONT_ARIAL14' fontreplace='FONT_ARIAL16'/>"
        L"<LANGFONT fontsearch='FONT_ARIAL14' fontreplace='NOPE'/>"
        L"<LANGOVERRIDECOL name='LCITEM_PROFILENAME' width='140'/>"
        L"<LANGOVERRIDECOL name='LCITEM_PROFILENAME' width='1' extra='2'/>"
        L"<LANGOVERRIDE name='TEXT_CURRENTDPI' caps='U'/>"
        L"<LANGOVERRIDE name='TEXT_CURRENTDPI' caps='L' multiline='1'/>"
        L"<LANGOVERRIDE name='TEXT_CURRENTDPI' RECT='1234567'/>"
        L"<LANGOVERRIDE name='NOT_AN_ITEM' caps='U'/>"
        L"<LANGOVERRIDE caps='U' multiline='1'/>"
        L"<LANGOVERRIDE name='BUTTON_APPLY'><RECT left='1' top='2' right='3' bottom='4'/><SBMN>x.bmp</SBMN>"
        L"</LANGOVERRIDE>"
        L"<LANGOVERRIDE name='BUTTON_OK'><SBMO>over.bmp</SBMO><SBMN>norm.bmp</SBMN></LANGOVERRIDE>"
        L"</LANG>");
    SkinElementContext context;
    CGUIItem* item = ReadLangElement(e, context);
    ASSERT_NE(nullptr, item);
    std::unique_ptr<CLangTable> table(static_cast<CLangTable*>(item));
    EXPECT_EQ(5, table->m_id);
    EXPECT_EQ(ITEM_LANGTABLE, table->m_type);
    EXPECT_EQ(nullptr, table->m_window);
    EXPECT_EQ(1, table->PairCount());
    EXPECT_EQ(FindItemIdByName(L"FONT_ARIAL16"), table->FontRemap(FindItemIdByName(L"FONT_ARIAL14")));
    EXPECT_EQ(140, table->FindColumnWidthOverride(2));
    ASSERT_EQ(5u, table->Overrides().size());
    EXPECT_STREQ(L"U", table->FindOverride(167, L"caps")->Text());
    EXPECT_EQ(nullptr, table->FindOverride(167, L"RECT"));
    int r[4];
    ASSERT_TRUE(table->FindOverride(74, L"RECT")->Rect(r));
    EXPECT_EQ(4, r[3]);
    EXPECT_EQ(nullptr, table->FindOverride(74, L"SBMN"));
    EXPECT_EQ(L"SBMN", table->Overrides()[3]->attribute);  // SBMN before SBMO, whatever the file's order
    EXPECT_STREQ(L"over.bmp", table->FindOverride(72, L"SBMO")->Text());

    // An empty file still makes a table; a missing or zero-byte one does not.
    pugi::xml_document doc2;
    std::unique_ptr<CGUIItem> empty(ReadLangElement(Parse(doc2, L"<LANG name='LANGUAGE_DEFAULT' file='elem_empty.txt'/>"), context));
    EXPECT_NE(nullptr, empty);
    EXPECT_EQ(nullptr, ReadLangElement(Parse(doc2, L"<LANG name='LANGUAGE_DEFAULT' file='elem_zero.txt'/>"), context));
    EXPECT_EQ(nullptr, ReadLangElement(Parse(doc2, L"<LANG name='LANGUAGE_DEFAULT' file='nope.txt'/>"), context));
    EXPECT_EQ(nullptr, ReadLangElement(Parse(doc2, L"<LANG name='LANGUAGE_ENGLISH' file='elem_de.txt'/>"), context));
}

TEST(LanguageElements, FontsAndLayouts)
{
    pugi::xml_document doc;
    SkinElementContext context;
    std::wstring longFace(40, L'F');
    std::wstring xml = L"<FONT name='FONT_ARIAL32B' typeface='" + longFace + L"' pitch='-3' boldlevel='700' width='0'>"
                       L" missing.ttf </FONT>";
    std::unique_ptr<CGUIItem> item(ReadFontElement(Parse(doc, xml.c_str()), context));
    ASSERT_NE(nullptr, item);
    auto* font = static_cast<CFontItem*>(item.get());
    EXPECT_EQ(ITEM_FONT, font->m_type);
    LOGFONTW lf{};
    ASSERT_TRUE(font->GetLogFont(&lf));
    EXPECT_EQ(31u, wcslen(lf.lfFaceName));
    EXPECT_EQ(0, lf.lfHeight);
    EXPECT_EQ(700, lf.lfWeight);
    EXPECT_EQ(FF_SWISS | DEFAULT_PITCH, lf.lfPitchAndFamily);
    EXPECT_EQ(nullptr, ReadFontElement(Parse(doc, L"<FONT name='BAD' typeface='Arial'/>"), context));

    std::unique_ptr<CGUIItem> layout(
        ReadKeyboardLayoutElement(Parse(doc, L"<KBLAYOUT name='KBDDEF_WINDOWS' kbdlayout='00000409'/>"), context));
    ASSERT_NE(nullptr, layout);
    EXPECT_STREQ(L"00000409", static_cast<CKeyboardLayoutSetting*>(layout.get())->m_layout);
    EXPECT_STREQ(L"", static_cast<CKeyboardLayoutSetting*>(layout.get())->m_items);
}
