#include "SkinAttributes.h"

#include <cwchar>

#include "FontItem.h"
#include "KeywordTables.h"
#include "LangTable.h"
#include "SkinResourceCache.h"

int ReadItemId(const pugi::xml_node& e, const wchar_t* attribute)
{
    pugi::xml_attribute a = e.attribute(attribute);
    return a ? FindItemIdByName(a.value()) : -1;
}

bool HasAttribute(const pugi::xml_node& e, const wchar_t* attribute) { return (bool)e.attribute(attribute); }

int ReadInt(const pugi::xml_node& e, const wchar_t* attribute, int def)
{
    pugi::xml_attribute a = e.attribute(attribute);
    if (!a)
        return def;
    // atoi's reading, without its undefined overflow: saturate.
    const wchar_t* p = a.value();
    while (*p == L' ' || (*p >= L'\t' && *p <= L'\r'))
        ++p;
    bool negative = false;
    if (*p == L'+' || *p == L'-')
        negative = *p++ == L'-';
    long long v = 0;
    for (; *p >= L'0' && *p <= L'9'; ++p) {
        v = v * 10 + (*p - L'0');
        if (v > 0x80000000LL)
            v = 0x80000000LL;
    }
    if (negative)
        v = -v;
    if (v > 0x7FFFFFFFLL)
        v = 0x7FFFFFFFLL;
    return (int)v;
}

SkinNumberRange RangeOf(SkinNumber kind)
{
    switch (kind) {
    case SkinNumber::Coordinate: return {-32767, 32767};
    case SkinNumber::Extent: return {0, 32767};
    case SkinNumber::BorderWidth: return {0, 16};
    case SkinNumber::FontHeight: return {-400, 400};
    case SkinNumber::FontWeight: return {0, 1000};
    case SkinNumber::FontWidth: return {0, 400};
    case SkinNumber::Count: return {0, 32767};
    case SkinNumber::Multiplier: return {0, 10000};
    }
    return {0, 0};
}

int ClampNumber(long long value, SkinNumber kind)
{
    const SkinNumberRange r = RangeOf(kind);
    return value < r.min ? r.min : value > r.max ? r.max : (int)value;
}

int ReadNumber(const pugi::xml_node& e, const wchar_t* attribute, SkinNumber kind, int def)
{
    return ClampNumber(ReadInt(e, attribute, def), kind);
}

int ReadNumberOrKeep(const pugi::xml_node& e, const wchar_t* attribute, SkinNumber kind, int current)
{
    if (!HasAttribute(e, attribute))
        return current;
    const int v = ReadInt(e, attribute);
    return v >= 0 ? ClampNumber(v, kind) : current;
}

int BorderWithin(int borderWidth, const RECT& control)
{
    const long long w = (long long)control.right - control.left, h = (long long)control.bottom - control.top;
    const long long half = (w < h ? w : h) / 2;
    return borderWidth > half ? (int)(half < 0 ? 0 : half) : borderWidth;
}

int ReadColumnWidth(const pugi::xml_node& column, int columnId)
{
    if (CLangTable* lang = GetCurrentLangTable())
        if (int w = lang->FindColumnWidthOverride(columnId)) return ClampNumber(w, SkinNumber::Extent);
    return ReadNumber(column, L"width", SkinNumber::Extent);
}

bool ReadBool(const pugi::xml_node& e, const wchar_t* attribute, bool def)
{
    pugi::xml_attribute a = e.attribute(attribute);
    if (!a)
        return def;
    wchar_t c = a.value()[0];
    return c == L'1' || c == L't' || c == L'T' || c == L'y' || c == L'Y';
}

bool ReadColor(const pugi::xml_node& e, const wchar_t* attribute, COLORREF& out)
{
    pugi::xml_attribute a = e.attribute(attribute);
    if (!a)
        return false;
    int c = FindColorByName(a.value());
    out = c == -1 ? 0xFFFFFFFF : (COLORREF)c;
    return true;
}

namespace {

CString BoundedText(const wchar_t* text)
{
    return CString(text, (int)wcsnlen(text, kMaxSkinText));
}

}  // namespace

CString ReadText(const pugi::xml_node& e, const wchar_t* attribute)
{
    pugi::xml_attribute a = e.attribute(attribute);
    return a ? BoundedText(a.value()) : CString();
}

CString ReadElementText(const pugi::xml_node& e)
{
    for (pugi::xml_node n = e.first_child(); n; n = n.next_sibling())
        if (n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata)
            return BoundedText(n.value());
    return CString();
}

int ReadJustify(const pugi::xml_node& e)
{
    wchar_t c = e.attribute(L"justify").value()[0];
    return c == L'C' ? JUSTIFY_CENTER : c == L'R' ? JUSTIFY_RIGHT : JUSTIFY_LEFT;
}

int ReadTooltipPos(const pugi::xml_node& e)
{
    wchar_t c = e.attribute(L"ttpos").value()[0];
    return c == L'R' ? TTPOS_RIGHT : c == L'T' ? TTPOS_TOP : c == L'B' ? TTPOS_BOTTOM : TTPOS_LEFT;
}

namespace {

const wchar_t* OverrideText(int itemId, const wchar_t* attribute)
{
    if (itemId == -1)
        return nullptr;
    const LangOverride* o = FindCurrentOverride(itemId, attribute);
    return o ? o->Text() : nullptr;
}

int CapsOf(const wchar_t* text)
{
    wchar_t c = text ? text[0] : 0;
    return c == L'U' ? CAPS_UPPER : c == L'L' ? CAPS_LOWER : CAPS_AS_WRITTEN;
}

bool MultilineOf(const wchar_t* text)
{
    if (!text)
        return false;
    wchar_t* end = nullptr;
    long v = wcstol(text, &end, 10);
    return end != text && v == 1;
}

}  // namespace

int ReadCaps(const pugi::xml_node& e, int itemId)
{
    if (const wchar_t* o = OverrideText(itemId, L"caps"))
        return CapsOf(o);
    pugi::xml_attribute a = e.attribute(L"caps");
    return a ? CapsOf(a.value()) : CAPS_AS_WRITTEN;
}

bool ReadMultiline(const pugi::xml_node& e, int itemId)
{
    if (const wchar_t* o = OverrideText(itemId, L"multiline"))
        return MultilineOf(o);
    pugi::xml_attribute a = e.attribute(L"multiline");
    return a && MultilineOf(a.value());
}

int ReadMultiplier(const pugi::xml_node& e) { return ReadNumber(e, L"multiplier", SkinNumber::Multiplier, 1); }

namespace {

CRect RectFrom(int left, int top, int width, int height)
{
    left = ClampNumber(left, SkinNumber::Coordinate);
    top = ClampNumber(top, SkinNumber::Coordinate);
    width = ClampNumber(width, SkinNumber::Coordinate);
    height = ClampNumber(height, SkinNumber::Coordinate);
    return CRect(left, top, left + width, top + height);
}

}  // namespace

bool HasRectChild(const pugi::xml_node& e) { return (bool)e.child(L"RECT"); }

CRect ReadRectNoOverride(const pugi::xml_node& e)
{
    pugi::xml_node r = e.child(L"RECT");
    if (!r)
        return CRect(0, 0, 0, 0);
    return RectFrom(ReadInt(r, L"left"), ReadInt(r, L"top"), ReadInt(r, L"right"), ReadInt(r, L"bottom"));
}

CRect ReadRect(const pugi::xml_node& e, int itemId)
{
    if (itemId != -1) {
        const LangOverride* o = FindCurrentOverride(itemId, L"RECT");
        int v[4];
        // Only a stored rectangle counts; text stored under "RECT" does not.
        if (o && o->Rect(v))
            return RectFrom(v[0], v[1], v[2], v[3]);
    }
    return ReadRectNoOverride(e);
}

CBitmap* ReadStateBitmap(const pugi::xml_node& e, const wchar_t* child)
{
    pugi::xml_node c = e.child(child);
    if (!c)
        return nullptr;
    CString name = TrimmedName(ReadElementText(c));
    return name.IsEmpty() ? nullptr : FindOrLoadPicture(name);
}

SkinStateBitmaps ReadStateBitmaps(const pugi::xml_node& e)
{
    SkinStateBitmaps b;
    b.normal = ReadStateBitmap(e, L"SBMN");
    b.over = ReadStateBitmap(e, L"SBMO");
    b.down = ReadStateBitmap(e, L"SBMD");
    b.disabled = ReadStateBitmap(e, L"SBMDS");
    b.mask = ReadStateBitmap(e, L"SBMM");
    return b;
}

CBitmap* ReadOverriddenStateBitmap(const pugi::xml_node& e, int itemId, const wchar_t* child)
{
    if (const wchar_t* o = OverrideText(itemId, child)) {
        CString name = TrimmedName(o);
        return name.IsEmpty() ? nullptr : FindOrLoadPicture(name);
    }
    return ReadStateBitmap(e, child);
}

bool ReadBmpInfo(const pugi::xml_node& bmpInfo, int itemId, BmpInfo& out)
{
    if (!bmpInfo)
        return false;
    out.bitmaps = ReadStateBitmaps(bmpInfo);
    out.rect = ReadRect(bmpInfo, itemId);
    return out.bitmaps.normal != nullptr;
}

TooltipInfo ReadTooltip(const pugi::xml_node& e)
{
    TooltipInfo t;
    t.present = HasAttribute(e, L"tooltip");
    t.text = ReadText(e, L"tooltip");
    t.prefix = ReadText(e, L"ttprefix");
    t.pos = ReadTooltipPos(e);
    t.enabled = ReadBool(e, L"ttenabled", true);
    return t;
}

VScrollInfo ReadVScroll(const pugi::xml_node& e)
{
    static const wchar_t* const kChildren[6] = {L"VSBMP_TOP", L"VSBMP_BOT", L"VSBMP_AUP",
                                                L"VSBMP_ADN", L"VSBMP_SPN", L"VSBMP_TMB"};
    VScrollInfo v;
    pugi::xml_node s = e.child(L"VSCROLL");
    if (!s)
        return v;
    v.present = true;
    v.borderWidth = ReadNumber(s, L"bdrwidth", SkinNumber::BorderWidth);
    CBitmap* bitmaps[6];
    int widest = 0;
    for (int i = 0; i < 6; ++i) {
        bitmaps[i] = ReadStateBitmap(s, kChildren[i]);
        if (bitmaps[i]) {
            int w = bitmaps[i]->GetSize().cx;
            if (w > widest)
                widest = w;
        }
    }
    if (!bitmaps[5])
        return v;  // no thumb: width 0, no pictures
    for (int i = 0; i < 6; ++i)
        v.bitmaps[i] = bitmaps[i];
    v.width = widest + v.borderWidth;
    return v;
}

bool ReadFillInfo(const pugi::xml_node& e, FillInfo& io)
{
    pugi::xml_node f = e.child(L"FILLINFO");
    if (!f || !f.child(L"RECT") || !HasAttribute(f, L"fillclr"))
        return false;
    pugi::xml_node r = f.child(L"RECT");
    int w = ReadInt(r, L"right"), h = ReadInt(r, L"bottom");
    if ((long long)w + h == 0)
        return false;
    ReadColor(f, L"fillclr", io.fill);
    ReadColor(f, L"backclr", io.back);
    io.rect = ReadRectNoOverride(f);
    return true;
}

bool ReadTextInfo(const pugi::xml_node& e, CGUIItems* items, TextInfo& out)
{
    if (!HasAttribute(e, L"name") || !HasRectChild(e))
        return false;
    out.name = ReadText(e, L"name");
    out.rect = ReadRectNoOverride(e);
    out.hasFontColor = ReadColor(e, L"fontclr", out.fontColor);
    out.hasBackColor = ReadColor(e, L"backclr", out.backColor);
    out.textKey = ReadText(e, L"textkey");
    if (HasAttribute(e, L"fontid") && items) {
        int id = ReadItemId(e, L"fontid");
        if (id != -1)
            id = RemapFontId(id);
        CGUIItem* item = items->FindById(id);
        out.font = item && item->m_type == ITEM_FONT ? static_cast<CFontItem*>(item) : nullptr;
    }
    return true;
}

CFontItem* ReadFont(const pugi::xml_node& e, int elementId, const CGUIItems* items)
{
    int attributeId = ReadItemId(e, L"fontid");
    int id = attributeId;
    const wchar_t* o = OverrideText(elementId, L"fontid");
    if (o) {
        id = FindItemIdByName(o);
        if (id == -1)
            id = attributeId;  // an unknown override name: the element's own id, not remapped
    } else if (attributeId != -1) {
        id = RemapFontId(attributeId);
    }
    if (id == -1 || !items)
        return nullptr;
    CGUIItem* item = items->FindById(id);
    return item && item->m_type == ITEM_FONT ? static_cast<CFontItem*>(item) : nullptr;
}

void ApplyFont(HWND window, CFontItem* font)
{
    if (font && window && window != GUIITEM_NO_WINDOW_YET && font->GetSafeHandle())
        ::SendMessageW(window, WM_SETFONT, (WPARAM)font->GetSafeHandle(), TRUE);
}

CGUIItem* ReadItemReference(const pugi::xml_node& e, const wchar_t* attribute, const CGUIItems* items,
                            int requiredType)
{
    int id = ReadItemId(e, attribute);
    if (id == -1 || !items)
        return nullptr;
    CGUIItem* item = items->FindById(id);
    return item && item->m_type == requiredType ? item : nullptr;
}
