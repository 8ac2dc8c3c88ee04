// Language files, "$" and "#" lookups, overrides, font remap and the
// process-wide table map.
#include <gtest/gtest.h>

#include "LangTable.h"
#include "SkinTestFiles.h"

namespace {

bool ParseLines(CLangTable& t, const std::vector<std::wstring>& lines)
{
    std::vector<BYTE> bytes = LangFileBytes(lines);
    return t.Parse(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size());
}

bool ParseRaw(CLangTable& t, const std::wstring& text)
{
    return t.Parse(text.data(), text.size() * sizeof(wchar_t));
}

}  // namespace

TEST(LangTable, ParseStopsAtTheEndLine)
{
    CLangTable t;
    EXPECT_TRUE(ParseLines(t, {L"Deutsch", L"x", L"Save", L"Speichern", L"END OF FILE", L"a", L"b"}));
    EXPECT_STREQ(L"Deutsch", t.Heading());
    EXPECT_EQ(1, t.PairCount());
    CString out;
    EXPECT_TRUE(t.Translate(L"$save", out));
    EXPECT_STREQ(L"Speichern", out);
    EXPECT_FALSE(t.Translate(L"$a", out));
    EXPECT_STREQ(L"$a", out);

    CLangTable early;
    EXPECT_FALSE(ParseLines(early, {L"H", L"x", L"end of file", L"k", L"v"}));
    EXPECT_EQ(0, early.PairCount());
    // The end word counts only as a whole line.
    CLangTable longer;
    EXPECT_TRUE(ParseLines(longer, {L"H", L"x", L"END OF FILES", L"v"}));
}

TEST(LangTable, LineEndsAndOddSizes)
{
    // Files saved with CR LF, LF or CR line ends, or a mix, give the same
    // texts; CR CR LF LF is one line end; the last line needs none.
    for (const wchar_t* text : {L"Head\r\nignored\r\nk1\r\nv1\r\nk2\r\nv2", L"Head\nignored\nk1\nv1\nk2\nv2\n",
                                L"Head\rignored\rk1\rv1\rk2\rv2", L"Head\r\r\n\nignored\nk1\r\nv1\rk2\n\nv2"}) {
        CLangTable t;
        EXPECT_TRUE(ParseRaw(t, text));
        ASSERT_EQ(2, t.PairCount()) << text;
        EXPECT_STREQ(L"Head", t.Heading());
        EXPECT_EQ(L"k1", t.Texts()[0].first);
        EXPECT_EQ(L"v1", t.Texts()[0].second);
        EXPECT_EQ(L"v2", t.Texts()[1].second);
    }

    // An odd byte count drops the last half unit; a key without value is dropped.
    std::wstring text = L"H\rx\rk\rvalue\rlonely";
    CLangTable odd;
    EXPECT_TRUE(odd.Parse(text.data(), text.size() * 2 - 1));
    EXPECT_EQ(1, odd.PairCount());

    CLangTable none;
    EXPECT_FALSE(none.Parse(nullptr, 10));
    EXPECT_FALSE(none.Parse(text.data(), 1));
}

TEST(LangTable, DollarKeysDropBlanksAndIgnoreCase)
{
    CLangTable t;
    std::wstring seventy(70, L'k');
    ASSERT_TRUE(ParseLines(t, {L"E", L"x", L"Assign this button", L"Assigned", seventy, L"long", L"assignment",
                               L"second"}));
    CString out;
    EXPECT_TRUE(t.Translate(L"$ASSIGNTHISBUTTON", out));
    EXPECT_STREQ(L"Assigned", out);
    EXPECT_FALSE(t.Translate(L"$assign this button", out));
    EXPECT_TRUE(t.Translate((L"$" + seventy.substr(0, 59)).c_str(), out));
    EXPECT_STREQ(L"long", out);
    EXPECT_FALSE(t.Translate((L"$" + seventy).c_str(), out));
    EXPECT_FALSE(t.Translate(L"$", out));
    EXPECT_STREQ(L"$", out);
    EXPECT_FALSE(t.Translate(L"#", out));
    EXPECT_FALSE(t.Translate(L"plain", out));
    EXPECT_STREQ(L"plain", out);
    EXPECT_FALSE(t.Translate(nullptr, out));
}

TEST(LangTable, FirstKeyInFileOrderWins)
{
    CLangTable t;
    ASSERT_TRUE(ParseLines(t, {L"E", L"x", L"zeta", L"first", L"assign", L"second", L"zeta", L"third",
                               L"assignment", L"fourth"}));
    CString out;
    EXPECT_TRUE(t.Translate(L"$zeta", out));
    EXPECT_STREQ(L"first", out);
    EXPECT_TRUE(t.Translate(L"#assign", out));
    EXPECT_STREQ(L"second", out);
    EXPECT_TRUE(t.Translate(L"#ASSIGNM", out));
    EXPECT_STREQ(L"fourth", out);
}

TEST(LangTable, NormalisedKeysAreBounded)
{
    wchar_t out[60];
    NormaliseLangKey(L" a b\rc", out);
    EXPECT_STREQ(L"ab", out);
    std::wstring big(100, L'x');
    NormaliseLangKey(big.c_str(), out);
    EXPECT_EQ(59u, wcslen(out));
    NormaliseLangKey(nullptr, out);
    EXPECT_STREQ(L"", out);
}

TEST(LangTable, OverridesMatchIdAndNameAndKeepTheirSize)
{
    CLangTable t;
    t.AddOverride(74, L"caps", L"U", 4);
    t.AddOverride(74, L"CAPS", L"L", 4);
    int rect[4] = {1, 2, 3, 4};
    t.AddOverride(74, L"RECT", rect, sizeof(rect));
    t.AddOverride(75, L"RECT", L"1,2", 8);
    t.AddColumnOverride(2, L"width", L"120", 8);

    const LangOverride* caps = t.FindOverride(74, L"Caps");
    ASSERT_NE(nullptr, caps);
    EXPECT_STREQ(L"U", caps->Text());
    int r[4];
    ASSERT_TRUE(t.FindOverride(74, L"rect")->Rect(r));
    EXPECT_EQ(3, r[2]);
    EXPECT_FALSE(t.FindOverride(75, L"RECT")->Rect(r));
    EXPECT_EQ(nullptr, t.FindOverride(2, L"width"));  // a column override is not an item's
    EXPECT_EQ(120, t.FindColumnWidthOverride(2));
    EXPECT_EQ(0, t.FindColumnWidthOverride(3));
    EXPECT_EQ(nullptr, t.FindOverride(74, nullptr));
}

TEST(LangTable, FontRemapAndTheCurrentTable)
{
    auto* t = new CLangTable;
    t->SetItemPart(5, ITEM_LANGTABLE, nullptr, nullptr);
    t->SetFontRemap(18, 26);
    t->SetFontRemap(19, 0);
    ASSERT_TRUE(ParseLines(*t, {L"Deutsch", L"x", L"Save", L"Speichern"}));

    SetCurrentLangTable(nullptr);
    EXPECT_EQ(18, RemapFontId(18));
    EXPECT_STREQ(L"$save", TranslateText(L"$save"));

    LangTableMap[5] = t;
    EXPECT_EQ(t, SelectLanguage(7) == nullptr ? t : nullptr);  // no 7, no 0: none chosen
    EXPECT_EQ(nullptr, GetCurrentLangTable());
    EXPECT_EQ(t, SelectLanguage(5));
    EXPECT_EQ(26, RemapFontId(18));
    EXPECT_EQ(19, RemapFontId(19));
    EXPECT_EQ(20, RemapFontId(20));
    EXPECT_STREQ(L"Speichern", TranslateText(L"$save"));

    // A destroyed table leaves neither the map nor the current table behind.
    delete t;
    EXPECT_EQ(0u, LangTableMap.count(5));
    EXPECT_EQ(nullptr, GetCurrentLangTable());
    EXPECT_STREQ(L"$save", TranslateText(L"$save"));
}
