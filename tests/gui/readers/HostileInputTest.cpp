// Hostile skin input: many seeded mutations of a valid page, language file
// and key-definition file. Every reader must give a result, never crash or
// read past its data.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "GuardedBuffer.h"
#include "KeyDefFiles.h"
#include "KeyboardDef.h"
#include "LangTable.h"
#include "Mutator.h"
#include "SkinLoader.h"
#include "SkinTestFiles.h"

namespace {

const char kValidPage[] =
    "<?xml version='1.0' encoding='UTF-8'?>\n"
    "<GUIPANEL>\n"
    "  <BACKGROUND>hostile_bg.bmp</BACKGROUND>\n"
    "  <MASK>hostile_mask.bmp</MASK>\n"
    "  <LANGLIST>\n"
    "    <LANG name='LANGUAGE_FRENCH' file='hostile.txt'>\n"
    "      <LANGFONT fontsearch='FONT_ARIAL12' fontreplace='FONT_ARIAL14'/>\n"
    "      <LANGOVERRIDECOL name='LCITEM_PROFILENAME' width='90'/>\n"
    "      <LANGOVERRIDE name='TEXT_CURRENTDPI' caps='U'/>\n"
    "      <LANGOVERRIDE name='BUTTON_OK'><RECT left='1' top='2' right='3' bottom='4'/></LANGOVERRIDE>\n"
    "      <LANGOVERRIDE name='BUTTON_APPLY'><SBMN>a.bmp</SBMN><SBMO><![CDATA[b.bmp]]></SBMO></LANGOVERRIDE>\n"
    "    </LANG>\n"
    "  </LANGLIST>\n"
    "  <KBLAYOUTLIST><KBLAYOUT name='KBDDEF_WINDOWS' kbdlayout='00000409' kbditems='x'/></KBLAYOUTLIST>\n"
    "  <FONTLIST>\n"
    "    <FONT name='FONT_ARIAL12' typeface='Arial' pitch='12' boldlevel='700'> hostile.ttf </FONT>\n"
    "    <FONT name='FONT_ARIAL14' typeface='Arial' pitch='14' width='6'/>\n"
    "  </FONTLIST>\n"
    "  <UNKNOWNLIST><FONT name='FONT_ARIAL16'/></UNKNOWNLIST>\n"
    "</GUIPANEL>\n";

}  // namespace

TEST(HostileInput, MutatedPagesLoadOrFailCleanly)
{
    ScopedTestProgramFolder folder;
    const std::wstring f = TestProgramFolder();
    WriteBmp24(f + L"skins\\hostile_bg.bmp", 16, 12, [](int x, int) { return x * 0x101010u; });
    WriteBmp24(f + L"skins\\hostile_mask.bmp", 16, 12, [](int x, int y) { return (x + y) % 3 ? 0u : 0xFFFFFFu; });
    WriteLangFile(f + L"lang\\hostile.txt", {L"Fran", L"x", L"Save", L"Enregistrer"});

    {
        CGUIItems items;
        WriteUtf8(f + L"xml\\hostile.xml", kValidPage);
        ASSERT_TRUE(LoadSkinPage(&items, L"hostile.xml", nullptr, false));
        EXPECT_EQ(6u, items.Count());  // two panel pictures, a language, a layout, two fonts
    }

    std::vector<uint8_t> valid(kValidPage, kValidPage + sizeof(kValidPage) - 1);
    Mutator m(0xC0FFEE);
    int loaded = 0;
    for (int i = 0; i < 400; ++i) {
        std::vector<uint8_t> page = m.Mutate(valid);
        WriteBytes(f + L"xml\\hostile_m.xml", page.data(), page.size());
        CGUIItems items;
        if (LoadSkinPage(&items, L"hostile_m.xml", nullptr, i % 2 == 0))
            ++loaded;
        for (CGUIItem* item : items.Items())
            ASSERT_NE(nullptr, item) << "iteration " << i;
    }
    // Most single edits still leave a readable page.
    EXPECT_GT(loaded, 0);
    EXPECT_TRUE(LangTableMap.empty());  // every table went with its list
    EXPECT_EQ(nullptr, CurrentFactory());
}

TEST(HostileInput, MutatedLanguageFilesParseWithinTheirSize)
{
    std::vector<BYTE> valid = LangFileBytes({L"English", L"ignored", L"Save", L"Save it", L"Assign this button",
                                             L"Assign", L"END OF FILE", L"after"});
    Mutator m(1234);
    for (int i = 0; i < 1000; ++i) {
        std::vector<uint8_t> data = m.Mutate(std::vector<uint8_t>(valid.begin(), valid.end()));
        // Read from where one byte past the data faults.
        CGuardedBuffer guarded(data);
        CLangTable t;
        t.Parse(data.empty() ? nullptr : reinterpret_cast<const wchar_t*>(guarded.Data()), data.size());
        CString out;
        t.Translate(L"$save", out);
        t.Translate(L"#assign", out);
        EXPECT_LE(t.PairCount(), (int)data.size() / 4 + 1) << "iteration " << i;
    }
}

TEST(HostileInput, MutatedKeyFilesLoadWithinTheirSize)
{
    std::vector<uint8_t> valid = ReadWholeFile(L"bin\\KbdDefWindows.bin");
    std::vector<uint8_t> defaults = ReadWholeFile(L"bin\\KbdDefaultsWindows.bin");
    ASSERT_FALSE(valid.empty());
    // Keep the mutations near the front, where the counts and lengths are.
    valid.resize(4 + 3 * 180);
    valid[0] = 3;
    Mutator m(99);
    for (int i = 0; i < 1000; ++i) {
        std::vector<uint8_t> data = m.Mutate(valid);
        CGuardedBuffer guarded(data);
        CKeyboardDef def;
        def.LoadKeyDefinitions(data.size(), data.empty() ? nullptr : guarded.Data());
        EXPECT_LE(def.Keys().size(), data.size() / KEYDEF_FIXED_BYTES + 1) << "iteration " << i;
        for (const KeyDefRecord& r : def.Keys())
            EXPECT_LE(r.name.size(), 256u);
        def.FindKeyByScanCode(0x1E);

        std::vector<uint8_t> d = m.Mutate(defaults);
        CGuardedBuffer guardedDefaults(d);
        def.LoadKeyDefaults(d.empty() ? nullptr : guardedDefaults.Data(), d.size());
        EXPECT_LE(def.DefaultCount(), d.size() / 8) << "iteration " << i;
    }
}
