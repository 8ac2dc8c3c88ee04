// The MACRODISPLAY skin element: the macro event list with its columns,
// event pictures and scroll bar.
#include "ElementReaders.h"

#include <memory>
#include <vector>

#include "FontItem.h"
#include "KeywordTables.h"
#include "LangTable.h"
#include "MacroDisplayItem.h"
#include "SkinAttributes.h"

namespace {

const SkinColorAttribute<CMacroDisplayItem> kMacroColours[] = {
    {L"fontclr", &CMacroDisplayItem::m_textColour},       {L"fontclrhi", &CMacroDisplayItem::m_selTextColour},
    {L"backclr", &CMacroDisplayItem::m_backColour},       {L"backclrhi", &CMacroDisplayItem::m_selBackColour},
    {L"bdrclr", &CMacroDisplayItem::m_borderColour},
};

// The list-view's justification (0 left, 1 right, 2 centre) of the skin's.
int ListJustify(const pugi::xml_node& column)
{
    switch (ReadJustify(column)) {
    case JUSTIFY_CENTER: return 2;
    case JUSTIFY_RIGHT: return 1;
    default: return 0;
    }
}

}  // namespace

CGUIItem* ReadMacroDisplayElement(const pugi::xml_node& e, const SkinElementContext& c)
{
    if (!c.owner) return nullptr;
    const int id = ReadItemId(e);
    auto md = std::make_unique<CMacroDisplayItem>();
    md->m_max = ReadNumber(e, L"max", SkinNumber::Count);
    md->m_readOnly = ReadBool(e, L"readonly", false);
    // The border panel's picture; it counts only when its SBMN loaded.
    BmpInfo bmpInfo;
    PanelImage panelImage;
    const pugi::xml_node bmpInfoNode = e.child(L"BMPINFO");
    const bool hasPanelImage = ReadBmpInfo(bmpInfoNode, ReadItemId(bmpInfoNode), bmpInfo);
    if (hasPanelImage) {
        panelImage.bitmap = (HBITMAP)*bmpInfo.bitmaps.normal;
        panelImage.mask = bmpInfo.bitmaps.mask ? (HBITMAP)*bmpInfo.bitmaps.mask : nullptr;
        panelImage.rect = bmpInfo.rect;
    }
    md->m_borderWidth = ReadNumberOrKeep(e, L"bdrwidth", SkinNumber::BorderWidth, md->m_borderWidth);
    md->m_leftMargin = ReadNumberOrKeep(e, L"lmargin", SkinNumber::Extent, md->m_leftMargin);
    if (CFontItem* font = ReadFont(e, id, c.items)) md->m_font = (HFONT)*font;
    ReadColors(e, *md, kMacroColours);

    std::unique_ptr<CVScrollBar> bar;
    VScrollInfo vs = ReadVScroll(e);
    if (vs.present) {
        bar = std::make_unique<CVScrollBar>(vs.width, md.get());
        auto pic = [&](int i) { return vs.bitmaps[i] ? (HBITMAP)*vs.bitmaps[i] : nullptr; };
        bar->SetBitmaps(ScrollBarBitmaps{pic(0), pic(1), pic(2), pic(3), pic(4), pic(5)}, vs.borderWidth);
    }
    CRect r = ReadRect(e, id);
    md->m_borderWidth = BorderWithin(md->m_borderWidth, r);
    if (!md->Create(c.owner, r, id, std::move(bar), vs.width, hasPanelImage ? &panelImage : nullptr)) return nullptr;
    md->m_owner = c.owner;

    // Handed over as KEYDN, KEYUP, MSE, MSEH, CLK, CLKH; kept by event kind.
    auto picture = [&](const wchar_t* child) {
        CBitmap* b = ReadStateBitmap(e, child);
        return b ? (HBITMAP)*b : nullptr;
    };
    HBITMAP pictures[6] = {picture(L"MDBMP_KEYDN"), picture(L"MDBMP_KEYUP"), picture(L"MDBMP_CLK"),
                           picture(L"MDBMP_CLKH"),  picture(L"MDBMP_MSE"),   picture(L"MDBMP_MSEH")};
    md->SetEventBitmaps(pictures);

    int columns = 0, added = 0;
    for (pugi::xml_node column : e.children(L"LISTCOLUMN")) {
        ++columns;
        CString name = ReadText(column, L"name");
        int columnId = FindListColumnItemByName(name);
        int type = FindMacroColumnTypeByName(ReadText(column, L"type"));
        if (columnId == -1 || type == -1) continue;
        int width = ReadColumnWidth(column, columnId);
        if (columnId == CMacroDisplayItem::kColumnDescription) width -= 2 * md->m_borderWidth;
        // Checked after the reduction: a column narrowed to nothing is refused.
        if (width <= 0) continue;
        if (md->AddColumn(columnId, type, width, ListJustify(column), name) >= 0) ++added;
    }
    if (columns == 0 || added != columns) return nullptr;
    TooltipInfo tip = ReadTooltip(e);
    if (tip.present) md->SetToolTip(tip.text);
    return md.release();
}
