// The value grammar shared by every skin element reader: ids, integers,
// bools, colours, text keys, rectangles, state pictures and the common child
// groups, with the current language's overrides consulted where a value may
// be overridden. No reader reports an error: an absent or unreadable value
// gives its kind's default.
//
// Skin files are files users edit and share, so every number one gives is
// bounded here, once per kind of value, by what the value controls (see
// SkinNumber): a value past its range is clamped to the range's end, as a
// malformed value gets its kind's default. Readers read no number any other
// way. Texts are cut at kMaxSkinText characters.
#pragma once
#include <windows.h>

#include <pugixml.hpp>

#include "GUIItem.h"
#include "Gdi.h"
#include "SkinElementReaders.h"
#include "String.h"

class CFontItem;

// name= (or another attribute) through the item-id table, ignoring case;
// -1 when absent or unknown.
int ReadItemId(const pugi::xml_node& e, const wchar_t* attribute = L"name");
bool HasAttribute(const pugi::xml_node& e, const wchar_t* attribute);
// Decimal as atoi reads it (leading blanks and sign, up to the first
// non-digit); def when absent, 0 when present without digits.
int ReadInt(const pugi::xml_node& e, const wchar_t* attribute, int def = 0);
// The kinds of numbers a skin gives, each with its range:
enum class SkinNumber {
    Coordinate,   // RECT left, top, width and height (language overrides too): -32767 .. 32767
    Extent,       // column widths, list heights, text margins: 0 .. 32767
    BorderWidth,  // bdrwidth: 0 .. 16, and at most half the control's smaller side (BorderWithin)
    FontHeight,   // FONT pitch: -400 .. 400
    FontWeight,   // FONT boldlevel: 0 .. 1000
    FontWidth,    // FONT width: 0 .. 400
    Count,        // an edit's text limit, a macro display's event limit: 0 .. 32767
    Multiplier,   // a slider thumb's value multiplier: 0 .. 10000
};
struct SkinNumberRange {
    int min;
    int max;
};
SkinNumberRange RangeOf(SkinNumber kind);
int ClampNumber(long long value, SkinNumber kind);
// ReadInt clamped to its kind's range; def (clamped too) when absent.
int ReadNumber(const pugi::xml_node& e, const wchar_t* attribute, SkinNumber kind, int def = 0);
// The lists' reading: a present value that is not negative, clamped to its
// kind's range; otherwise `current` (the widget's own value) stays.
int ReadNumberOrKeep(const pugi::xml_node& e, const wchar_t* attribute, SkinNumber kind, int current);
// A border width no more than half the smaller side of the control it frames.
int BorderWithin(int borderWidth, const RECT& control);
// A list column's width: the language's override of the column first.
int ReadColumnWidth(const pugi::xml_node& column, int columnId);
const int kMaxSkinText = 4096;

// Only the first character counts: 1 t T y Y are true. Present but empty:
// false. Absent: def.
bool ReadBool(const pugi::xml_node& e, const wchar_t* attribute, bool def);
// A colour name of the colour table (ignoring case); an unknown name stores
// 0xFFFFFFFF. Absent: nothing stored, false returned.
bool ReadColor(const pugi::xml_node& e, const wchar_t* attribute, COLORREF& out);
// The attribute's text (a text key stays untranslated); empty when absent.
CString ReadText(const pugi::xml_node& e, const wchar_t* attribute);
// The element's own text (first text or CDATA child); empty when none.
CString ReadElementText(const pugi::xml_node& e);

enum SkinJustify { JUSTIFY_LEFT = 0, JUSTIFY_CENTER = 1, JUSTIFY_RIGHT = 2 };
enum SkinTooltipPos { TTPOS_LEFT = 0, TTPOS_RIGHT = 1, TTPOS_TOP = 2, TTPOS_BOTTOM = 3 };
enum SkinCaps { CAPS_AS_WRITTEN = 0, CAPS_UPPER = 1, CAPS_LOWER = 2 };

int ReadJustify(const pugi::xml_node& e);     // justify: C centre, R right, else left
int ReadTooltipPos(const pugi::xml_node& e);  // ttpos: R, T, B, else left
// caps / multiline of an element, the current language's override of its
// id first.
int ReadCaps(const pugi::xml_node& e, int itemId);
bool ReadMultiline(const pugi::xml_node& e, int itemId);
int ReadMultiplier(const pugi::xml_node& e);  // 1 when absent (a Multiplier)

// The RECT child {left, top, left + right, top + bottom} (right and bottom
// hold width and height); the language's "RECT" override of itemId first.
// An element without RECT gets the empty rectangle at 0,0.
CRect ReadRect(const pugi::xml_node& e, int itemId);
CRect ReadRectNoOverride(const pugi::xml_node& e);
bool HasRectChild(const pugi::xml_node& e);

// A picture from skins\ named by a child element's text (trimmed); null
// when the child is missing or the file does not load.
CBitmap* ReadStateBitmap(const pugi::xml_node& e, const wchar_t* child);
// SBMN, SBMO, SBMD, SBMDS, SBMM.
SkinStateBitmaps ReadStateBitmaps(const pugi::xml_node& e);
// A BUTTON's state picture: the language's override (a file name) of the
// child's name first; an override whose file does not load gives none.
CBitmap* ReadOverriddenStateBitmap(const pugi::xml_node& e, int itemId, const wchar_t* child);

// BMPINFO: state pictures and a RECT (with itemId's override); present when
// its SBMN loaded.
struct BmpInfo {
    SkinStateBitmaps bitmaps;
    CRect rect;
};
bool ReadBmpInfo(const pugi::xml_node& bmpInfo, int itemId, BmpInfo& out);

// Tooltip group: tooltip, ttprefix, ttpos, ttenabled.
struct TooltipInfo {
    bool present = false;  // tooltip= given
    CString text;
    CString prefix;
    int pos = TTPOS_LEFT;
    bool enabled = true;
};
TooltipInfo ReadTooltip(const pugi::xml_node& e);

// VSCROLL group: six pictures (track top, track bottom, arrow up, arrow
// down, track span, thumb) and bdrwidth. Width: the widest picture plus
// bdrwidth; without a thumb picture the width is 0 and no picture is given.
struct VScrollInfo {
    bool present = false;  // the VSCROLL child exists
    CBitmap* bitmaps[6] = {};
    int borderWidth = 0;
    int width = 0;
};
VScrollInfo ReadVScroll(const pugi::xml_node& e);

// FILLINFO group; out's colours hold the starting values and are kept when
// absent. Present only with a RECT of non-zero width + height and fillclr.
struct FillInfo {
    COLORREF fill = 0;
    COLORREF back = 0;
    RECT rect = {};
};
bool ReadFillInfo(const pugi::xml_node& e, FillInfo& io);

// TEXTINFO: name and RECT required.
struct TextInfo {
    CString name;
    CString textKey;
    CRect rect;
    CFontItem* font = nullptr;
    COLORREF fontColor = 0;
    COLORREF backColor = 0;
    bool hasFontColor = false;
    bool hasBackColor = false;
};
bool ReadTextInfo(const pugi::xml_node& e, CGUIItems* items, TextInfo& out);

// fontid of an element: the language's "fontid" override of elementId
// first (used without remap), else the attribute through the font remap;
// the font only when that id names a FONT item of the page.
CFontItem* ReadFont(const pugi::xml_node& e, int elementId, const CGUIItems* items);
// Sends WM_SETFONT (redraw) when there is a font and a window.
void ApplyFont(HWND window, CFontItem* font);

// An item of the page named by an id attribute, when it has the given type.
CGUIItem* ReadItemReference(const pugi::xml_node& e, const wchar_t* attribute, const CGUIItems* items,
                            int requiredType);

// Colour attributes applied through a table of {attribute name, field}.
template <typename Widget>
struct SkinColorAttribute {
    const wchar_t* name;
    COLORREF Widget::*field;
};
template <typename Widget, size_t N>
void ReadColors(const pugi::xml_node& e, Widget& widget, const SkinColorAttribute<Widget> (&table)[N])
{
    for (const auto& entry : table) {
        COLORREF c;
        if (ReadColor(e, entry.name, c))
            widget.*(entry.field) = c;
    }
}
