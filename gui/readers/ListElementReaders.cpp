// Skin element readers of the drop-down list (COMBO), the colour drop-down
// (COMBOCOLOR) and the list panel (LISTPANEL).
#include "ElementReaders.h"

#include <memory>

#include "DropdownColorButton.h"
#include "DropdownListItem.h"
#include "FontItem.h"
#include "ListPanel.h"
#include "SkinAttributes.h"

namespace {

ListPanelScrollSettings ScrollSettings(const VScrollInfo& v)
{
    ListPanelScrollSettings s;
    for (int i = 0; i < 6; ++i) s.bitmaps[i] = v.bitmaps[i] ? (HBITMAP)*v.bitmaps[i] : nullptr;
    s.borderWidth = v.borderWidth;
    s.width = v.width;
    return s;
}

const SkinColorAttribute<CDropdownListItem> kComboColours[] = {
    {L"fontclr", &CDropdownListItem::m_textColour},       {L"fontclrhi", &CDropdownListItem::m_textHiColour},
    {L"backclr", &CDropdownListItem::m_backColour},       {L"backclrhi", &CDropdownListItem::m_backHiColour},
    {L"bdrclr", &CDropdownListItem::m_borderColour},      {L"disbbackclr", &CDropdownListItem::m_disBackColour},
    {L"disbbdrclr", &CDropdownListItem::m_disBorderColour}, {L"disbfontclr", &CDropdownListItem::m_disTextColour},
};

const SkinColorAttribute<ListPanelColours> kPanelColours[] = {
    {L"fontclr", &ListPanelColours::text},          {L"fontclrhi", &ListPanelColours::textHover},
    {L"fontclrsel", &ListPanelColours::textSelected}, {L"disbfontclr", &ListPanelColours::textDisabled},
    {L"backclr", &ListPanelColours::back},          {L"backclrhi", &ListPanelColours::backHover},
    {L"backclrsel", &ListPanelColours::backSelected}, {L"disbbackclr", &ListPanelColours::backDisabled},
    {L"bdrclr", &ListPanelColours::border},
};

void AddComboItems(const pugi::xml_node& e, CDropdownListItem& box)
{
    for (pugi::xml_node item : e.child(L"COMBOITEMS").children(L"COMBOITEM")) {
        CString text = ReadElementText(item);
        text.Trim();
        box.AddItem(ListPanelEntry(text));
    }
}

// The part COMBO and COMBOCOLOR share, up to the box's window.
bool ReadDropdown(const pugi::xml_node& e, const SkinElementContext& c, CDropdownListItem& box, bool full)
{
    ReadColors(e, box, kComboColours);
    box.m_arrowColour = box.m_textColour;
    box.m_borderWidth = ReadNumberOrKeep(e, L"bdrwidth", SkinNumber::BorderWidth, box.m_borderWidth);
    const int id = ReadItemId(e);
    if (full) {
        box.m_leftMargin = ReadNumberOrKeep(e, L"lmargin", SkinNumber::Extent, box.m_leftMargin);
        box.m_rightMargin = ReadNumberOrKeep(e, L"rmargin", SkinNumber::Extent, box.m_rightMargin);
        if (CFontItem* font = ReadFont(e, id, c.items)) box.m_font = (HFONT)*font;
        box.m_sorted = ReadBool(e, L"sorted", false);
    }
    pugi::xml_node clist = e.child(L"CLIST");
    if (!clist) return false;
    box.m_listHeight = ReadNumberOrKeep(clist, L"height", SkinNumber::Extent, box.m_listHeight);
    box.m_scroll = ScrollSettings(ReadVScroll(clist));
    return true;
}

bool CreateBox(const pugi::xml_node& e, const pugi::xml_node& cbox, const SkinElementContext& c,
               CDropdownListItem& box)
{
    const int id = ReadItemId(e);
    CRect r = ReadRect(cbox, id);
    box.m_borderWidth = BorderWithin(box.m_borderWidth, r);
    if (!c.owner || !box.Create(c.owner, r, id)) return false;
    box.m_owner = c.owner;
    TooltipInfo tip = ReadTooltip(e);
    if (tip.present) box.SetToolTip(tip.text);
    return true;
}

}  // namespace

CGUIItem* ReadComboElement(const pugi::xml_node& e, const SkinElementContext& c)
{
    auto box = std::make_unique<CDropdownListItem>();
    if (!ReadDropdown(e, c, *box, true) || !CreateBox(e, e.child(L"CBOX"), c, *box)) {
        return nullptr;
    }
    AddComboItems(e, *box);
    return box.release();
}

CGUIItem* ReadComboColorElement(const pugi::xml_node& e, const SkinElementContext& c)
{
    auto box = std::make_unique<CDropdownColorButton>();
    pugi::xml_node cboxNode = e.child(L"CBOX");
    if (!ReadDropdown(e, c, *box, false)) {
        return nullptr;
    }
    if (!CreateBox(e, cboxNode, c, *box)) {
        return nullptr;
    }
    if (CBitmap* mask = ReadStateBitmap(cboxNode, L"SBMM")) box->SetMask(*mask);
    box->m_hasArrow = ReadBool(e, L"hasarrow", box->m_hasArrow);
    AddComboItems(e, *box);
    return box.release();
}

CGUIItem* ReadListPanelElement(const pugi::xml_node& e, const SkinElementContext& c)
{
    auto panel = std::make_unique<CListPanelItem>();
    const int id = ReadItemId(e);
    ReadColors(e, panel->m_look.colours, kPanelColours);
    panel->m_look.borderWidth = ReadNumberOrKeep(e, L"bdrwidth", SkinNumber::BorderWidth, panel->m_look.borderWidth);
    panel->m_look.leftMargin = ReadNumberOrKeep(e, L"lmargin", SkinNumber::Extent, panel->m_look.leftMargin);
    panel->m_look.rightMargin = ReadNumberOrKeep(e, L"rmargin", SkinNumber::Extent, panel->m_look.rightMargin);
    if (CFontItem* font = ReadFont(e, id, c.items)) panel->m_look.font = (HFONT)*font;
    panel->m_sorted = ReadBool(e, L"sorted", false);
    ListPanelRows rows;
    for (pugi::xml_node item : e.child(L"LISTPANELITEMS").children(L"LISTPANELITEM")) {
        CString text = ReadElementText(item);
        text.Trim();
        CString tip = ReadText(item, L"tooltip");
        rows.emplace_back(text, nullptr, tip.IsEmpty() ? nullptr : tip.GetString());
    }
    panel->SetRows(rows);
    if (pugi::xml_node clist = e.child(L"CLIST")) {
        panel->m_defaultHeight = ReadNumberOrKeep(clist, L"height", SkinNumber::Extent, panel->m_defaultHeight);
        panel->m_look.scroll = ScrollSettings(ReadVScroll(clist));
    }
    CRect r = ReadRect(e, id);
    panel->m_look.borderWidth = BorderWithin(panel->m_look.borderWidth, r);
    panel->m_rect = r;
    panel->m_width = r.Width();
    panel->m_dynamic = ReadBool(e, L"dynamic", true);
    panel->SetItemPart(id, ITEM_LISTPANEL, nullptr, c.owner);
    if (!panel->m_dynamic) {
        TooltipInfo tip = ReadTooltip(e);
        if (tip.present) panel->m_tooltip = tip.text;
        if (!c.owner || !panel->Create(c.owner, r, id)) {
            return nullptr;
        }
    }
    return panel.release();
}
