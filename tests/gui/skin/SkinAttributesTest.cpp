// The shared attribute grammar over in-memory documents.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "FontItem.h"
#include "KeywordTables.h"
#include "LangTable.h"
#include "SkinAttributes.h"
#include "SkinTestFiles.h"

namespace {

pugi::xml_node Parse(pugi::xml_document& doc, const wchar_t* xml)
{
    EXPECT_TRUE(doc.load_string(xml));
    return doc.first_child();
}

// Makes a table current for a scope.
class ScopedCurrentTable {
public:
    ScopedCurrentTable() { SetCurrentLangTable(&table); }
    ~ScopedCurrentTable() { SetCurrentLangTable(nullptr); }
    CLangTable table;
};

struct Widget {
    COLORREF font = 1, back = 2, border = 3;
};
const SkinColorAttribute<Widget> kWidgetColors[] = {
    {L"fontclr", &Widget::font}, {L"backclr", &Widget::back}, {L"bdrclr", &Widget::border}};

}  // namespace

TEST(SkinAttributes, ScalarsFollowTheirKindsRules)
{
    pugi::xml_document doc;
    pugi::xml_node e = Parse(doc, L"<X name='button_apply' n='  -42abc' e='' big='99999999999' yes='Yes' on='on' "
                                  L"t='true' justify='Centre' ttpos='Top' multiline='true' caps='Upper'/>");
    EXPECT_EQ(74, ReadItemId(e));
    EXPECT_EQ(-1, ReadItemId(e, L"nothing"));
    EXPECT_EQ(-42, ReadInt(e, L"n"));
    EXPECT_EQ(0, ReadInt(e, L"e", 9));
    EXPECT_EQ(9, ReadInt(e, L"absent", 9));
    EXPECT_EQ(0x7FFFFFFF, ReadInt(e, L"big"));
    EXPECT_TRUE(ReadBool(e, L"yes", false));
    EXPECT_FALSE(ReadBool(e, L"on", true));
    EXPECT_TRUE(ReadBool(e, L"t", false));
    EXPECT_FALSE(ReadBool(e, L"e", true));
    EXPECT_TRUE(ReadBool(e, L"absent", true));
    EXPECT_EQ(JUSTIFY_CENTER, ReadJustify(e));
    EXPECT_EQ(TTPOS_TOP, ReadTooltipPos(e));
    EXPECT_FALSE(ReadMultiline(e, -1));
    EXPECT_EQ(CAPS_UPPER, ReadCaps(e, -1));
    EXPECT_EQ(1, ReadMultiplier(e));

    pugi::xml_node one = Parse(doc, L"<X multiline='1' justify='r' multiplier='3'/>");
    EXPECT_TRUE(ReadMultiline(one, -1));
    EXPECT_EQ(JUSTIFY_LEFT, ReadJustify(one));  // case counts
    EXPECT_EQ(3, ReadMultiplier(one));
}

TEST(SkinAttributes, EveryKindOfNumberIsHeldToItsRange)
{
    const SkinNumber kinds[] = {SkinNumber::Coordinate, SkinNumber::Extent,     SkinNumber::BorderWidth,
                                SkinNumber::FontHeight, SkinNumber::FontWeight, SkinNumber::FontWidth,
                                SkinNumber::Count,      SkinNumber::Multiplier};
    for (SkinNumber kind : kinds) {
        const SkinNumberRange r = RangeOf(kind);
        SCOPED_TRACE(r.max);
        ASSERT_LT(r.min, r.max);
        EXPECT_LE(r.max, 32767);  // nothing a skin gives reaches past a screen's range
        for (long long v : {(long long)r.min, (long long)r.max, (r.min + r.max) / 2LL})
            EXPECT_EQ(v, ClampNumber(v, kind));
        EXPECT_EQ(r.max, ClampNumber(r.max + 1LL, kind));
        EXPECT_EQ(r.min, ClampNumber(r.min - 1LL, kind));
        EXPECT_EQ(r.max, ClampNumber(4294967296LL, kind));
    }
    pugi::xml_document doc;
    pugi::xml_node e = Parse(doc, L"<X b='1000000' m='-5' f='99999999999999999999' c='600000'>"
                                  L"<RECT left='4294967296' top='-100000' right='100000' bottom='7'/></X>");
    EXPECT_EQ(16, ReadNumber(e, L"b", SkinNumber::BorderWidth));
    EXPECT_EQ(0, ReadNumber(e, L"m", SkinNumber::Extent));
    EXPECT_EQ(400, ReadNumber(e, L"f", SkinNumber::FontHeight));
    EXPECT_EQ(32767, ReadNumber(e, L"c", SkinNumber::Count));
    EXPECT_EQ(3, ReadNumber(e, L"absent", SkinNumber::Count, 3));
    EXPECT_EQ(7, ReadNumberOrKeep(e, L"m", SkinNumber::Extent, 7));  // a negative value keeps the list's own
    EXPECT_EQ(16, ReadNumberOrKeep(e, L"b", SkinNumber::BorderWidth, 7));
    EXPECT_EQ(CRect(32767, -32767, 65534, -32760), ReadRectNoOverride(e));
    // A border is at most half the control's smaller side.
    EXPECT_EQ(3, BorderWithin(16, CRect(0, 0, 100, 7)));
    EXPECT_EQ(0, BorderWithin(16, CRect(0, 0, -5, 20)));
    EXPECT_EQ(2, BorderWithin(2, CRect(0, 0, 100, 100)));

    // Texts are cut at their bound.
    std::wstring xml = L"<X t='" + std::wstring(kMaxSkinText + 10, L'a') + L"'/>";
    EXPECT_EQ(kMaxSkinText, ReadText(Parse(doc, xml.c_str()), L"t").GetLength());
}

TEST(SkinAttributes, ColoursAreNamesOnlyAndAbsentOnesAreKept)
{
    pugi::xml_document doc;
    pugi::xml_node e = Parse(doc, L"<X fontclr='white' backclr='0x00FF00'/>");
    Widget w;
    ReadColors(e, w, kWidgetColors);
    EXPECT_EQ(0xFFFFFFu, w.font);
    EXPECT_EQ(0xFFFFFFFFu, w.back);
    EXPECT_EQ(3u, w.border);
}

TEST(SkinAttributes, RectHoldsWidthAndHeightAndTheLanguageMayMoveIt)
{
    pugi::xml_document doc;
    pugi::xml_node e = Parse(doc, L"<X><RECT left='10' top='20' right='30' bottom='40'/></X>");
    EXPECT_EQ(CRect(10, 20, 40, 60), ReadRect(e, 74));
    EXPECT_EQ(CRect(0, 0, 0, 0), ReadRect(Parse(doc, L"<X/>"), 74));

    pugi::xml_document doc2;
    pugi::xml_node e2 = Parse(doc2, L"<X><RECT left='10' top='20' right='30' bottom='40'/></X>");
    ScopedCurrentTable lang;
    int moved[4] = {1, 2, 3, 4};
    lang.table.AddOverride(74, L"RECT", moved, sizeof(moved));
    EXPECT_EQ(CRect(1, 2, 4, 6), ReadRect(e2, 74));
    EXPECT_EQ(CRect(10, 20, 40, 60), ReadRectNoOverride(e2));
    EXPECT_EQ(CRect(10, 20, 40, 60), ReadRect(e2, -1));
}

TEST(SkinAttributes, CapsAndMultilineOverrides)
{
    pugi::xml_document doc;
    pugi::xml_node e = Parse(doc, L"<X caps='U' multiline='1'/>");
    ScopedCurrentTable lang;
    lang.table.AddOverride(167, L"caps", L"L", 4);
    lang.table.AddOverride(167, L"multiline", L"0", 4);
    EXPECT_EQ(CAPS_LOWER, ReadCaps(e, 167));
    EXPECT_FALSE(ReadMultiline(e, 167));
    EXPECT_EQ(CAPS_UPPER, ReadCaps(e, 168));
    EXPECT_TRUE(ReadMultiline(e, 168));
}

TEST(SkinAttributes, FontsResolveThroughOverrideRemapAndPageItems)
{
    CGUIItems items;
    auto* arial12 = new CFontItem;
    arial12->SetItemPart(FindItemIdByName(L"FONT_ARIAL12"), ITEM_FONT, nullptr, nullptr);
    auto* arial14 = new CFontItem;
    arial14->SetItemPart(FindItemIdByName(L"FONT_ARIAL14"), ITEM_FONT, nullptr, nullptr);
    auto* notAFont = new CFontItem;
    notAFont->SetItemPart(FindItemIdByName(L"FONT_ARIAL16"), ITEM_BITMAP, nullptr, nullptr);
    items.Append(arial12);
    items.Append(arial14);
    items.Append(notAFont);

    pugi::xml_document doc;
    pugi::xml_node e = Parse(doc, L"<X fontid='FONT_ARIAL14'/>");
    EXPECT_EQ(arial14, ReadFont(e, 74, &items));
    EXPECT_EQ(nullptr, ReadFont(Parse(doc, L"<X fontid='FONT_ARIAL16'/>"), 74, &items));
    EXPECT_EQ(nullptr, ReadFont(Parse(doc, L"<X fontid='FONT_ARIAL10'/>"), 74, &items));

    pugi::xml_document doc2;
    pugi::xml_node e2 = Parse(doc2, L"<X fontid='FONT_ARIAL14'/>");
    ScopedCurrentTable lang;
    lang.table.SetFontRemap(arial14->m_id, arial12->m_id);
    EXPECT_EQ(arial12, ReadFont(e2, 74, &items));
    lang.table.AddOverride(75, L"fontid", L"FONT_ARIAL14", 26);
    lang.table.AddOverride(76, L"fontid", L"NO_SUCH_FONT", 26);
    EXPECT_EQ(arial14, ReadFont(e2, 75, &items));  // the override is not remapped
    EXPECT_EQ(arial14, ReadFont(e2, 76, &items));  // unknown: the element's own id, not remapped
}

TEST(SkinAttributes, GroupsScrollFillAndTextInfo)
{
    ScopedTestProgramFolder folder;
    WriteBmp24(TestProgramFolder() + L"skins\\attr_w7.bmp", 7, 3, [](int, int) { return 0x808080u; });
    WriteBmp24(TestProgramFolder() + L"skins\\attr_w11.bmp", 11, 3, [](int, int) { return 0x808080u; });

    pugi::xml_document doc;
    pugi::xml_node noThumb = Parse(doc, L"<X><VSCROLL bdrwidth='2'><VSBMP_TOP>attr_w7.bmp</VSBMP_TOP>"
                                        L"<VSBMP_SPN>attr_w11.bmp</VSBMP_SPN></VSCROLL></X>");
    VScrollInfo v = ReadVScroll(noThumb);
    EXPECT_TRUE(v.present);
    EXPECT_EQ(0, v.width);
    EXPECT_EQ(nullptr, v.bitmaps[0]);

    pugi::xml_document doc2;
    pugi::xml_node withThumb = Parse(doc2, L"<X><VSCROLL bdrwidth='2'><VSBMP_TOP>attr_w7.bmp</VSBMP_TOP>"
                                           L"<VSBMP_SPN>attr_w11.bmp</VSBMP_SPN>"
                                           L"<VSBMP_TMB> attr_w7.bmp </VSBMP_TMB></VSCROLL></X>");
    v = ReadVScroll(withThumb);
    EXPECT_EQ(13, v.width);
    EXPECT_NE(nullptr, v.bitmaps[5]);
    EXPECT_EQ(v.bitmaps[0], v.bitmaps[5]);  // one cached picture
    EXPECT_FALSE(ReadVScroll(Parse(doc2, L"<X/>")).present);

    FillInfo fill;
    fill.back = 0x123456;
    pugi::xml_document doc3;
    EXPECT_TRUE(ReadFillInfo(Parse(doc3, L"<X><FILLINFO fillclr='RED'><RECT left='1' top='2' right='5' bottom='0'/>"
                                         L"</FILLINFO></X>"), fill));
    EXPECT_EQ(0x0000FFu, fill.fill);
    EXPECT_EQ(0x123456u, fill.back);
    EXPECT_EQ(6, fill.rect.right);
    EXPECT_FALSE(ReadFillInfo(Parse(doc3, L"<X><FILLINFO fillclr='RED'><RECT/></FILLINFO></X>"), fill));
    EXPECT_FALSE(ReadFillInfo(Parse(doc3, L"<X><FILLINFO><RECT right='3'/></FILLINFO></X>"), fill));

    TextInfo text;
    EXPECT_FALSE(ReadTextInfo(Parse(doc3, L"<TEXTINFO name='a'/>"), nullptr, text));
    EXPECT_TRUE(ReadTextInfo(Parse(doc3, L"<TEXTINFO name='status' textkey='$Battery' fontclr='WHITE'>"
                                         L"<RECT right='50' bottom='10'/></TEXTINFO>"), nullptr, text));
    EXPECT_STREQ(L"status", text.name);
    EXPECT_STREQ(L"$Battery", text.textKey);
    EXPECT_TRUE(text.hasFontColor);
    EXPECT_FALSE(text.hasBackColor);

    // BMPINFO counts only with a normal picture; state names are trimmed.
    BmpInfo info;
    EXPECT_TRUE(ReadBmpInfo(Parse(doc3, L"<BMPINFO><SBMN>\n attr_w7.bmp\n</SBMN><RECT right='4'/></BMPINFO>"), -1,
                            info));
    EXPECT_EQ(4, info.rect.right);
    EXPECT_FALSE(ReadBmpInfo(Parse(doc3, L"<BMPINFO><SBMN>missing.bmp</SBMN></BMPINFO>"), -1, info));

    TooltipInfo tip = ReadTooltip(Parse(doc3, L"<X ttenabled='no' ttprefix='DPI '/>"));
    EXPECT_FALSE(tip.present);
    EXPECT_FALSE(tip.enabled);
    EXPECT_STREQ(L"DPI ", tip.prefix);
}
