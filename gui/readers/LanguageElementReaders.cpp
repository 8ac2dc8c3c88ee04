#include "ElementReaders.h"

#include <memory>
#include <cwchar>
#include <string>

#include "FontItem.h"
#include "KeyboardLayoutSetting.h"
#include "KeywordTables.h"
#include "LangTable.h"
#include "SkinAttributes.h"
#include "SkinResourceCache.h"

namespace {

// The longest face name a font keeps (LOGFONT's field less its NUL).
const int kMaxTypefaceLength = LF_FACESIZE - 1;

int CountAttributes(const pugi::xml_node& e)
{
    int n = 0;
    for (pugi::xml_attribute a = e.first_attribute(); a; a = a.next_attribute())
        ++n;
    return n;
}

// The one attribute other than name= of a two-attribute element.
pugi::xml_attribute OtherAttribute(const pugi::xml_node& e)
{
    for (pugi::xml_attribute a = e.first_attribute(); a; a = a.next_attribute())
        if (wcscmp(a.name(), L"name") != 0)
            return a;
    return pugi::xml_attribute();
}

int TextBytes(const wchar_t* text) { return (int)((wcslen(text) + 1) * sizeof(wchar_t)); }

void ReadOverride(const pugi::xml_node& o, CLangTable& table)
{
    const int attributes = CountAttributes(o);
    if (!o.attribute(L"name") || (attributes != 1 && attributes != 2))
        return;
    int id = ReadItemId(o);
    if (id == -1)
        return;
    if (attributes == 2) {
        pugi::xml_attribute a = OtherAttribute(o);
        // Text under "RECT" would be taken for a rectangle: refused.
        if (wcscmp(a.name(), L"RECT") == 0)
            return;
        table.AddOverride(id, a.name(), a.value(), TextBytes(a.value()));
        return;
    }
    if (pugi::xml_node r = o.child(L"RECT")) {
        int32_t v[4] = {ReadNumber(r, L"left", SkinNumber::Coordinate), ReadNumber(r, L"top", SkinNumber::Coordinate),
                        ReadNumber(r, L"right", SkinNumber::Coordinate), ReadNumber(r, L"bottom", SkinNumber::Coordinate)};
        table.AddOverride(id, L"RECT", v, (int)sizeof(v));
        return;
    }
    static const wchar_t* const kStates[] = {L"SBMN", L"SBMO", L"SBMD", L"SBMDS", L"SBMM"};
    for (const wchar_t* state : kStates)
        if (pugi::xml_node s = o.child(state)) {
            CString text = ReadElementText(s);
            table.AddOverride(id, state, (const wchar_t*)text, TextBytes(text));
        }
}

void ReadColumnOverride(const pugi::xml_node& o, CLangTable& table)
{
    if (CountAttributes(o) != 2 || !o.attribute(L"name"))
        return;
    int column = FindListColumnItemByName(o.attribute(L"name").value());
    if (column == -1)
        return;
    pugi::xml_attribute a = OtherAttribute(o);
    table.AddColumnOverride(column, a.name(), a.value(), TextBytes(a.value()));
}

}  // namespace

CGUIItem* ReadLangElement(const pugi::xml_node& e, const SkinElementContext& context)
{
    int id = ReadItemId(e);
    if (id == -1)
        return nullptr;
    const SkinResource* file = FindOrLoadLangFileEntry(ReadText(e, L"file"));
    if (!file || !file->handle)
        return nullptr;

    auto table = std::make_unique<CLangTable>();
    // Bounded by the buffer this entry holds; a table is made even when the
    // file yields no pair.
    table->Parse(static_cast<const wchar_t*>(file->handle), (size_t)file->size);
    for (pugi::xml_node f = e.child(L"LANGFONT"); f; f = f.next_sibling(L"LANGFONT")) {
        int search = ReadItemId(f, L"fontsearch"), replace = ReadItemId(f, L"fontreplace");
        if (search != -1 && replace != -1)
            table->SetFontRemap(search, replace);
    }
    for (pugi::xml_node c = e.child(L"LANGOVERRIDECOL"); c; c = c.next_sibling(L"LANGOVERRIDECOL"))
        ReadColumnOverride(c, *table);
    for (pugi::xml_node o = e.child(L"LANGOVERRIDE"); o; o = o.next_sibling(L"LANGOVERRIDE"))
        ReadOverride(o, *table);
    table->SetItemPart(id, ITEM_LANGTABLE, nullptr, context.owner);
    return table.release();
}

CGUIItem* ReadKeyboardLayoutElement(const pugi::xml_node& e, const SkinElementContext& context)
{
    int id = ReadItemId(e);
    if (id == -1)
        return nullptr;
    auto layout = std::make_unique<CKeyboardLayoutSetting>();
    layout->m_layout = ReadText(e, L"kbdlayout");
    layout->m_items = ReadText(e, L"kbditems");
    layout->SetItemPart(id, ITEM_KEYBOARDLAYOUT, nullptr, context.owner);
    return layout.release();
}

CGUIItem* ReadFontElement(const pugi::xml_node& e, const SkinElementContext& context)
{
    int id = ReadItemId(e);
    if (id == -1)
        return nullptr;
    LOGFONTW lf{};
    lf.lfPitchAndFamily = FF_SWISS | DEFAULT_PITCH;
    // A longer face name is cut to what the field holds.
    wcsncpy(lf.lfFaceName, e.attribute(L"typeface").value(), kMaxTypefaceLength);
    lf.lfFaceName[kMaxTypefaceLength] = 0;
    const int pitch = ReadNumber(e, L"pitch", SkinNumber::FontHeight);
    const int bold = ReadNumber(e, L"boldlevel", SkinNumber::FontWeight);
    const int width = ReadNumber(e, L"width", SkinNumber::FontWidth);
    if (pitch > 0)
        lf.lfHeight = pitch;
    if (bold > 0)
        lf.lfWeight = bold;
    if (width > 0)
        lf.lfWidth = width;

    auto font = std::make_unique<CFontItem>();
    // The private font file must be in before a font of its face is made.
    CString file = TrimmedName(ReadElementText(e));
    if (!file.IsEmpty())
        FindOrLoadFontFile(file);
    font->CreateFontIndirect(&lf);
    font->SetItemPart(id, ITEM_FONT, nullptr, context.owner);
    return font.release();
}
