// Skin element readers of bitmap, button and text items, edit boxes and the
// keys of the on-screen keyboard. Each reads its element's values through
// the shared attribute readers, creates the widget as a child of the owner
// (or of the bitmap item its windowid names) and sets the item part.
#include "ElementReaders.h"

#include <memory>

#include "BitmapBtn.h"
#include "EditItems.h"
#include "FontItem.h"
#include "KeyboardDef.h"
#include "RawInput.h"
#include "SkinAttributes.h"
#include "TextItems.h"

namespace {

HBITMAP H(CBitmap* b) { return b ? (HBITMAP)b->m_hObject : nullptr; }

// windowid names a bitmap item of the page; otherwise the owner is the parent.
CWnd* ParentFor(const pugi::xml_node& e, const SkinElementContext& c)
{
    CGUIItem* ref = ReadItemReference(e, L"windowid", c.items, ITEM_BITMAP);
    if (ref && ref->HasWindow()) return CWnd::FromHandle(ref->m_window);
    return c.owner;
}

UINT JustifyDrawFlag(int justify)
{
    return justify == JUSTIFY_RIGHT ? DT_RIGHT : justify == JUSTIFY_CENTER ? DT_CENTER : 0;
}

DWORD ButtonStyle(int justify)
{
    const DWORD align = justify == JUSTIFY_RIGHT ? BS_RIGHT : justify == JUSTIFY_CENTER ? BS_CENTER : BS_LEFT;
    return WS_CHILD | WS_VISIBLE | BS_OWNERDRAW | BS_MULTILINE | BS_VCENTER | align;
}

template <typename T>
CGUIItem* Finish(std::unique_ptr<T> widget, int id, int type, CWnd* owner)
{
    widget->SetItemPart(id, type, widget->m_hWnd, owner);
    return widget.release();
}

}  // namespace

// ---- BITMAPITEM ----

CGUIItem* ReadBitmapItem(const pugi::xml_node& e, const SkinElementContext& c)
{
    const int id = ReadItemId(e);
    if (id == -1) return nullptr;
    CBitmap* normal = ReadStateBitmap(e, L"SBMN");
    CBitmap* mask = ReadStateBitmap(e, L"SBMM");
    auto item = std::make_unique<CBitmapItem>();
    const CRect r = ReadRect(e, id);
    const bool moveable = ReadBool(e, L"moveable", true);
    item->m_moveable = moveable;
    // A moveable item takes no mouse input: the owner gets it.
    if (!item->Create(WS_CHILD | WS_VISIBLE | (moveable ? WS_DISABLED : 0), r, c.owner, id)) {
        return nullptr;
    }
    if (mask) item->SetBitmapAndMask(H(mask), H(normal), r);
    else item->SetBitmap(H(normal), r);
    TooltipInfo tip = ReadTooltip(e);
    if (tip.present) item->SetToolTip(tip.text);
    return Finish(std::move(item), id, ITEM_BITMAP, c.owner);
}

// ---- BITMAPWINDOW ----

CGUIItem* ReadBitmapWindow(const pugi::xml_node& e, const SkinElementContext& c)
{
    const int id = ReadItemId(e);
    if (id == -1) return nullptr;
    CBitmap* disabled = ReadStateBitmap(e, L"SBMDS");
    CBitmap* normal = ReadStateBitmap(e, L"SBMN");
    CBitmap* over = ReadStateBitmap(e, L"SBMO");
    CBitmap* down = ReadStateBitmap(e, L"SBMD");
    CBitmap* mask = ReadStateBitmap(e, L"SBMM");
    auto w = std::make_unique<CBitmapWindow>();
    w->m_caseMode = ReadCaps(e, id);
    const bool multiline = ReadMultiline(e, id);
    const CRect r = ReadRect(e, id);
    if (!w->Create(WS_CHILD | WS_VISIBLE, r, c.owner, id)) {
        return nullptr;
    }
    w->SetBitmaps(H(normal), H(over), H(down), H(disabled), H(mask));
    TooltipInfo tip = ReadTooltip(e);
    if (tip.present) w->SetToolTip(tip.text);
    w->m_drawFormat = JustifyDrawFlag(ReadJustify(e)) | (multiline ? DT_WORDBREAK : DT_SINGLELINE | DT_VCENTER);
    if (CFontItem* font = ReadFont(e, id, c.items)) {
        w->SetItemFont((HFONT)*font);
        ApplyFont(w->m_hWnd, font);
    }
    ReadColor(e, L"fontclr", w->m_textColour);
    for (pugi::xml_node child = e.child(L"BITMAPITEM"); child; child = child.next_sibling(L"BITMAPITEM")) {
        for (pugi::xml_attribute a = child.first_attribute(); a; a = a.next_attribute()) {
            if (_wcsicmp(a.name(), L"assntype") != 0) continue;
            if (CBitmap* icon = ReadStateBitmap(child, L"SBMN"))
                w->SetTypeIcon(ReadNumber(child, a.name(), SkinNumber::Count), H(icon));
        }
    }
    return Finish(std::move(w), id, ITEM_BITMAPWINDOW, c.owner);
}

// ---- BUTTON ----

CGUIItem* ReadButton(const pugi::xml_node& e, const SkinElementContext& c)
{
    const int id = ReadItemId(e);
    if (id == -1) return nullptr;
    CBitmap* normal = ReadOverriddenStateBitmap(e, id, L"SBMN");
    CBitmap* over = ReadOverriddenStateBitmap(e, id, L"SBMO");
    CBitmap* down = ReadOverriddenStateBitmap(e, id, L"SBMD");
    CBitmap* disabled = ReadOverriddenStateBitmap(e, id, L"SBMDS");
    CBitmap* mask = ReadOverriddenStateBitmap(e, id, L"SBMM");
    const int justify = ReadJustify(e);
    const bool multiline = ReadMultiline(e, id);
    CWnd* parent = ParentFor(e, c);
    const CRect r = ReadRect(e, id);
    auto b = std::make_unique<CBitmapBtn>();
    // Control id 0: pages find their buttons by window handle.
    if (!b->Create(L"", ButtonStyle(justify), r, parent, 0)) {
        return nullptr;
    }
    b->m_drawFormat = DT_EDITCONTROL | DT_MODIFYSTRING | JustifyDrawFlag(justify) |
                      (multiline ? DT_WORDBREAK : DT_SINGLELINE | DT_WORDBREAK | DT_VCENTER);
    if (CFontItem* font = ReadFont(e, id, c.items)) b->SetItemFont((HFONT)*font);
    if (mask) b->SetStateBitmapsAndMask(H(mask), H(normal), H(over), H(down), H(disabled), r);
    else b->SetStateBitmaps(H(normal), H(over), H(down), H(disabled), r);
    TooltipInfo tip = ReadTooltip(e);
    if (tip.present) b->SetToolTip(tip.text);
    b->m_isCheckBox = ReadBool(e, L"ischeckbox", false) ? 1 : 0;
    if (HasAttribute(e, L"caption")) {
        const int caps = ReadCaps(e, id);
        struct { const wchar_t* child; COLORREF* field; } states[] = {
            {L"SBMN", &b->m_colours.normal}, {L"SBMO", &b->m_colours.hover},
            {L"SBMD", &b->m_colours.pressed}, {L"SBMDS", &b->m_colours.disabled}};
        for (auto& s : states) {
            COLORREF colour;
            // An unknown colour name counts as not given here.
            if (ReadColor(e.child(s.child), L"fontclr", colour) && colour != 0xFFFFFFFF) *s.field = colour;
        }
        b->SetCaption(ReadText(e, L"caption"), caps);
    }
    return Finish(std::move(b), id, ITEM_BITMAPBTN, c.owner);
}

// ---- AVIBUTTON ----

CGUIItem* ReadAviButton(const pugi::xml_node& e, const SkinElementContext& c)
{
    const int id = ReadItemId(e);
    if (id == -1) return nullptr;
    auto b = std::make_unique<CAVIButton>();
    b->SetVideoFile(ReadElementText(e.child(L"VIDEO")).Trim());
    b->SetSoundFile(ReadElementText(e.child(L"SOUND")).Trim());
    const CRect r = ReadRect(e, id);
    if (!b->Create(L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, r, c.owner, 0)) {
        return nullptr;
    }
    return Finish(std::move(b), id, ITEM_AVIBUTTON, c.owner);
}

// ---- TEXTITEM ----

CGUIItem* ReadTextItem(const pugi::xml_node& e, const SkinElementContext& c)
{
    const int id = ReadItemId(e);
    if (id == -1) return nullptr;
    const CString key = ReadText(e, L"textkey");
    const int caps = ReadCaps(e, id);
    CWnd* parent = ParentFor(e, c);
    const int justify = ReadJustify(e);
    const bool multiline = ReadMultiline(e, id);
    const bool interactive = ReadBool(e, L"interactive", false);
    auto t = std::make_unique<CTextItem>(key, caps);
    CGUIItem* box = ReadItemReference(e, L"checkboxid", c.items, ITEM_BITMAPBTN);
    if (box && static_cast<CBitmapBtn*>(box)->m_isCheckBox) t->SetCheckBox(static_cast<CBitmapBtn*>(box));
    const CRect r = ReadRect(e, id);
    if (!t->Create(L"", WS_CHILD | WS_VISIBLE | SS_OWNERDRAW | (interactive ? SS_NOTIFY : 0), r, parent, id)) {
        return nullptr;
    }
    if (justify != JUSTIFY_LEFT)
        t->m_drawFormat = JustifyDrawFlag(justify) | (multiline ? DT_WORDBREAK : DT_SINGLELINE | DT_VCENTER);
    else if (multiline)
        t->m_drawFormat = DT_WORDBREAK;
    if (CFontItem* font = ReadFont(e, id, c.items)) t->SetItemFont((HFONT)*font);
    TooltipInfo tip = ReadTooltip(e);
    if (tip.present) t->SetToolTip(tip.text);
    ReadColor(e, L"fontclr", t->m_normalColour);
    ReadColor(e, L"fontclrhi", t->m_hoverColour);
    ReadColor(e, L"disbfontclr", t->m_selectedColour);
    return Finish(std::move(t), id, ITEM_TEXT, c.owner);
}

// ---- EDITCTRL, EDITCTRLSK, EDITCTRLSKMMO ----

namespace {

void ReadEditColours(const pugi::xml_node& e, CEditItem& edit, bool withDisabled)
{
    static const SkinColorAttribute<CEditItem> common[] = {
        {L"fontclr", &CEditItem::m_textColour},       {L"fontclrhi", &CEditItem::m_hoverTextColour},
        {L"backclr", &CEditItem::m_backColour},       {L"backclrhi", &CEditItem::m_hoverBackColour},
        {L"bdrclr", &CEditItem::m_borderColour}};
    static const SkinColorAttribute<CEditItem> disabled[] = {
        {L"disbbackclr", &CEditItem::m_disabledBackColour},
        {L"disbbdrclr", &CEditItem::m_disabledBorderColour},
        {L"disbfontclr", &CEditItem::m_disabledTextColour}};
    ReadColors(e, edit, common);
    if (withDisabled) ReadColors(e, edit, disabled);
}

// A max of 0 (or less) leaves the system's limit.
void ApplyMax(const pugi::xml_node& e, CEditItem& edit)
{
    const int max = ReadNumber(e, L"max", SkinNumber::Count);
    if (max > 0) edit.LimitText(max);
}

}  // namespace

CGUIItem* ReadEdit(const pugi::xml_node& e, const SkinElementContext& c)
{
    const int id = ReadItemId(e);
    if (id == -1) return nullptr;
    auto edit = std::make_unique<CEditItem>();
    ReadEditColours(e, *edit, true);
    CFontItem* font = ReadFont(e, id, c.items);
    if (font) edit->SetItemFont((HFONT)*font);
    const CRect r = ReadRect(e, id);
    edit->m_borderWidth = BorderWithin(ReadNumber(e, L"bdrwidth", SkinNumber::BorderWidth, 1), r);
    const DWORD align = ReadText(e, L"justify").Left(1) == L"C" ? ES_CENTER : ES_LEFT;
    if (!edit->Create(WS_CHILD | WS_VISIBLE | align, r, c.owner, id)) {
        return nullptr;
    }
    ApplyMax(e, *edit);
    TooltipInfo tip = ReadTooltip(e);
    if (tip.present) edit->SetToolTip(tip.text);
    return Finish(std::move(edit), id, ITEM_EDIT, c.owner);
}

namespace {

template <typename Edit>
CGUIItem* ReadKeyEditAs(const pugi::xml_node& e, const SkinElementContext& c)
{
    const int id = ReadItemId(e);
    if (id == -1) return nullptr;
    auto edit = std::make_unique<Edit>();
    ReadEditColours(e, *edit, false);
    if (CFontItem* font = ReadFont(e, id, c.items)) edit->SetItemFont((HFONT)*font);
    const CRect r = ReadRect(e, id);
    edit->m_borderWidth = BorderWithin(ReadNumber(e, L"bdrwidth", SkinNumber::BorderWidth, 1), r);
    if (!edit->Create(WS_CHILD | WS_VISIBLE | ES_CENTER, r, c.owner, id)) {
        return nullptr;
    }
    // The first capture edit of a page holds the registration; later ones
    // are refused and fall back to key messages.
    AddRawInputUsage(rawinput::kUsageKeyboard);
    RegisterRawInput(edit->m_hWnd);
    ApplyMax(e, *edit);
    return Finish(std::move(edit), id, ITEM_EDITSINGLEKEY, c.owner);
}

}  // namespace

CGUIItem* ReadKeyEdit(const pugi::xml_node& e, const SkinElementContext& c)
{
    return ReadKeyEditAs<CEditItemSingleKeyInput>(e, c);
}

CGUIItem* ReadKeyEditMMO(const pugi::xml_node& e, const SkinElementContext& c)
{
    return ReadKeyEditAs<CEditItemSingleKeyInputMMO>(e, c);
}

// ---- KBDKEY ----

CGUIItem* ReadKeyboardKey(const pugi::xml_node& e, const SkinElementContext& c)
{
    const int id = ReadItemId(e);
    if (id == -1) return nullptr;
    const int justify = ReadJustify(e);
    const bool multiline = ReadMultiline(e, id);
    const CRect r = ReadRect(e, id);
    CWnd* parent = c.parentWindow ? CWnd::FromHandle(c.parentWindow) : c.owner;
    auto key = std::make_unique<CKeyboardKeyItem>();
    key->m_id = id;
    if (!key->Create(L"", ButtonStyle(justify), r, parent, 0)) {
        return nullptr;
    }
    key->m_drawFormat = DT_EDITCONTROL | DT_MODIFYSTRING | JustifyDrawFlag(justify) |
                        (multiline ? DT_WORDBREAK | DT_VCENTER : DT_SINGLELINE | DT_WORDBREAK | DT_VCENTER);
    if (CFontItem* font = ReadFont(e, id, c.items)) key->SetItemFont((HFONT)*font);
    if (const SkinStateBitmaps* s = c.sharedBitmaps) {
        const RECT size{0, 0, r.Width(), r.Height()};
        if (s->mask) key->SetStateBitmapsAndMask(H(s->mask), H(s->normal), H(s->over), H(s->down), H(s->disabled), size);
        else key->SetStateBitmaps(H(s->normal), H(s->over), H(s->down), H(s->disabled), size);
    }
    TooltipInfo tip = ReadTooltip(e);
    if (tip.present) {
        key->m_keyName = tip.text;
        key->SetToolTip(tip.text);
    }
    if (HasAttribute(e, L"caption")) key->SetCaption(ReadText(e, L"caption"), ReadCaps(e, id));
    if (HasAttribute(e, L"kbddefid")) {
        const uint32_t hash = HashKeyName(ReadText(e, L"kbddefid").GetString());
        const KeyDefRecord* record = g_keyboardDef.KeyRecordMapFind(hash);
        if (record && !record->name.empty()) {
            key->m_kbddefId = hash;
            key->BindKey();
        }
    }
    if (pugi::xml_node bmpInfo = e.child(L"BMPINFO")) {
        BmpInfo info;
        if (ReadBmpInfo(bmpInfo, ReadItemId(bmpInfo), info)) {
            const int values[9] = {info.rect.left, info.rect.top, info.rect.right, info.rect.bottom, 0, 0, 0, 0, 0};
            key->SetBitmapInfo(values);
        }
    }
    return Finish(std::move(key), id, ITEM_KEYBOARDKEY, c.owner);
}
