// The LISTCTRL skin element: the multi-column list, as wide as its scroll
// bar, border and columns together.
#include "ElementReaders.h"

#include <map>
#include <memory>
#include <vector>

#include "FontItem.h"
#include "KeywordTables.h"
#include "LangTable.h"
#include "ListColumnBook.h"
#include "SkinAttributes.h"
#include "XListCtrl.h"

namespace {

const SkinColorAttribute<CXListCtrl> kListColours[] = {
    {L"fontclr", &CXListCtrl::m_textColour},   {L"fontclrhi", &CXListCtrl::m_selTextColour},
    {L"backclr", &CXListCtrl::m_backColour},   {L"backclrhi", &CXListCtrl::m_selBackColour},
    {L"bdrclr", &CXListCtrl::m_borderColour},
};

HBITMAP Picture(const pugi::xml_node& e, const wchar_t* child)
{
    CBitmap* b = ReadStateBitmap(e, child);
    return b ? (HBITMAP)*b : nullptr;
}

}  // namespace

CGUIItem* ReadListCtrlElement(const pugi::xml_node& e, const SkinElementContext& c)
{
    if (!c.owner) return nullptr;
    const int id = ReadItemId(e);
    auto list = std::make_unique<CXListCtrl>();

    std::unique_ptr<CVScrollBar> bar;
    VScrollInfo vs = ReadVScroll(e);
    if (vs.present) {
        bar = std::make_unique<CVScrollBar>(vs.width, list.get());
        auto pic = [&](int i) { return vs.bitmaps[i] ? (HBITMAP)*vs.bitmaps[i] : nullptr; };
        bar->SetBitmaps(ScrollBarBitmaps{pic(0), pic(1), pic(2), pic(3), pic(4), pic(5)}, vs.borderWidth);
    }
    DWORD style = WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SINGLESEL;
    if (pugi::xml_node header = e.child(L"LISTHDR")) {
        ReadColor(header, L"backclr", list->m_headerBackColour);
        ReadColor(header, L"fontclr", list->m_headerTextColour);
    } else {
        style |= LVS_NOCOLUMNHEADER;
    }
    // The panel picture counts only when its SBMN loaded.
    PanelImage picture;
    bool hasPicture = false;
    if (pugi::xml_node info = e.child(L"BMPINFO")) {
        BmpInfo bmp;
        if (ReadBmpInfo(info, ReadItemId(info), bmp)) {
            picture.bitmap = (HBITMAP)*bmp.bitmaps.normal;
            picture.mask = bmp.bitmaps.mask ? (HBITMAP)*bmp.bitmaps.mask : nullptr;
            picture.rect = bmp.rect;
            hasPicture = true;
        }
    }
    list->m_borderWidth = ReadNumberOrKeep(e, L"bdrwidth", SkinNumber::BorderWidth, list->m_borderWidth);

    // First pass: the widths decide the list's width before it exists.
    std::map<int, int> widths;
    std::vector<int> all;
    for (pugi::xml_node column : e.children(L"LISTCOLUMN")) {
        int columnId = FindListColumnItemByName(ReadText(column, L"name"));
        if (columnId == -1) continue;
        int w = ReadColumnWidth(column, columnId);
        widths[columnId] = w;
        all.push_back(w);
    }
    CRect r = ReadRect(e, id);
    // Only the height is known yet: the width follows from the border.
    list->m_borderWidth = BorderWithin(list->m_borderWidth, CRect(0, 0, r.Height(), r.Height()));
    r.right = r.left + ClampNumber(ListTotalWidth(vs.width, list->m_borderWidth, all), SkinNumber::Extent);

    if (CFontItem* font = ReadFont(e, id, c.items)) list->m_font = (HFONT)*font;
    ReadColors(e, *list, kListColours);
    if (!list->Create(c.owner, r, id, style, std::move(bar), vs.width, hasPicture ? &picture : nullptr))
        return nullptr;
    list->m_owner = c.owner;
    list->SetExtendedStyle(list->GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_FLATSB | LVS_EX_DOUBLEBUFFER);

    // Second pass: the columns themselves.
    int columns = 0, added = 0;
    for (pugi::xml_node column : e.children(L"LISTCOLUMN")) {
        ++columns;
        int columnId = FindListColumnItemByName(ReadText(column, L"name"));
        int type = FindListColumnTypeByName(ReadText(column, L"type"));
        auto w = widths.find(columnId);
        if (columnId == -1 || type == -1 || w == widths.end() || w->second <= 0) continue;
        XListColumn col;
        col.type = type;
        col.width = w->second;
        if (type == kColCheckBox) {
            col.exclusive = ReadBool(column, L"exclusive", false);
            col.unchecked = Picture(column, L"SBMN");
            col.checked = Picture(column, L"SBMD");
            col.mask = Picture(column, L"SBMM");
        }
        col.tooltip = ReadText(column, L"tooltip");
        col.header = ReadElementText(column);
        col.header.Trim();
        list->AddColumn(columnId, col);  // a refused eleventh still counts
        ++added;
    }
    if (columns == 0 || added != columns) return nullptr;
    return list.release();
}
