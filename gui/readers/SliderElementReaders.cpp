// Skin element readers of the slider track, the sliders, the stage slider,
// the marker, the DPI stage tiles and the progress panel.
#include "ElementReaders.h"

#include <memory>
#include <vector>

#include "APMSlider.h"
#include "BitmapTools.h"
#include "DPIStageWindow.h"
#include "FontItem.h"
#include "KeywordTables.h"
#include "LangTable.h"
#include "ProgressPanelItem.h"
#include "SkinAttributes.h"
#include "SkinResourceCache.h"
#include "Slider.h"
#include "SliderHMulti.h"
#include "SliderTrack.h"
#include "TextItems.h"

namespace {

HBITMAP Handle(CBitmap* bm)
{
    return bm ? (HBITMAP)bm->GetSafeHandle() : nullptr;
}

// A thumb picture: the child's text, trimmed, loaded as a BMP file; each
// thumb gets its own copy.
HBITMAP ReadThumbBitmapCopy(const pugi::xml_node& e, const wchar_t* child)
{
    pugi::xml_node c = e.child(child);
    if (!c)
        return nullptr;
    CString name = TrimmedName(ReadElementText(c));
    HBITMAP shared = name.IsEmpty() ? nullptr : FindOrLoadBmpFile(name);
    return shared ? CopyBitmapHandle(shared) : nullptr;
}

// The top-left part of a picture as large as rect (1:1), owned by the caller.
HBITMAP CutToSize(CBitmap* source, const RECT& rect)
{
    CBitmap cut;
    if (!source || !CopyBitmapRect(Handle(source), 0, 0, rect.right - rect.left, rect.bottom - rect.top, cut))
        return nullptr;
    return (HBITMAP)cut.Detach();
}

// The part of a picture under rect (1:1), owned by the caller.
HBITMAP CutUnder(CBitmap* source, const RECT& rect)
{
    CBitmap cut;
    if (!source || !CopyBitmapRect(Handle(source), rect.left, rect.top, rect.right, rect.bottom, cut))
        return nullptr;
    return (HBITMAP)cut.Detach();
}

}  // namespace

CGUIItem* ReadSliderTrack(const pugi::xml_node& e, const SkinElementContext& c)
{
    int id = ReadItemId(e);
    if (id == -1)
        return nullptr;
    CBitmap* normal = ReadStateBitmap(e, L"SBMN");
    CBitmap* mask = ReadStateBitmap(e, L"SBMM");
    FillInfo fill;
    fill.fill = 0xFFFFFF;
    fill.back = 0;
    bool hasFill = ReadFillInfo(e, fill);
    CRect rect = ReadRect(e, id);
    auto track = std::make_unique<CSliderTrack>();
    track->m_id = id;
    if (hasFill)
        track->SetFill(fill);
    if (!track->CreateTrack(rect, c.owner))
        return nullptr;
    track->SetBitmap(CutToSize(normal, rect));
    if (mask) {
        if (HRGN region = CreateRegionFromBitmap(Handle(mask)))
            track->SetWindowRgn(region, TRUE);
    }
    track->SetItemPart(id, ITEM_SLIDERTRACK, track->m_hWnd, c.owner);
    return track.release();
}

CGUIItem* ReadVSlider(const pugi::xml_node& e, const SkinElementContext& c)
{
    int id = ReadItemId(e);
    if (id == -1)
        return nullptr;
    auto slider = std::make_unique<CVertSlider>();
    slider->m_id = id;
    HBITMAP normal = ReadThumbBitmapCopy(e, L"SBMN");
    HBITMAP over = ReadThumbBitmapCopy(e, L"SBMO");
    HBITMAP mask = ReadThumbBitmapCopy(e, L"SBMM");
    auto* track = static_cast<CSliderTrack*>(ReadItemReference(e, L"trackid", c.items, ITEM_SLIDERTRACK));
    CWnd* parent = track ? static_cast<CWnd*>(track) : c.owner;
    CRect rect = ReadRect(e, id);
    if (track)
        track->SetThumb(slider.get());
    if (!slider->Create(normal, parent, over, mask, false, rect))
        return nullptr;
    TooltipInfo tip = ReadTooltip(e);
    slider->SetToolTip(tip.text, tip.pos, tip.prefix);
    slider->SetItemPart(id, ITEM_VERTSLIDER, slider->m_hWnd, c.owner);
    return slider.release();
}

CGUIItem* ReadHSliderM(const pugi::xml_node& e, const SkinElementContext& c)
{
    int id = ReadItemId(e);
    if (id == -1)
        return nullptr;
    std::vector<pugi::xml_node> stages;
    for (pugi::xml_node s = e.child(L"STAGES").child(L"STAGE"); s; s = s.next_sibling(L"STAGE"))
        stages.push_back(s);
    if (stages.empty())
        return nullptr;
    // Without its track the thumbs would have neither parent nor window.
    auto* track = static_cast<CSliderTrack*>(ReadItemReference(e, L"trackid", c.items, ITEM_SLIDERTRACK));
    if (!track || !track->IsWindow())
        return nullptr;
    auto multi = std::make_unique<CSliderHMulti>((int)stages.size());
    multi->m_ownerWnd = c.owner;
    pugi::xml_node normalNode = e.child(L"SBMN");
    int multiplier = ReadMultiplier(e);
    CRect rect = ReadRect(e, id);
    TooltipInfo tip = ReadTooltip(e);
    for (size_t i = 0; i < stages.size(); ++i) {
        CPHSlider* thumb = multi->Thumb((int)i);
        thumb->m_id = FindItemIdByName(TrimmedName(ReadElementText(stages[i])));
        thumb->SetMultiplier(multiplier);
        track->SetThumb(thumb);
        (void)normalNode;
        if (!thumb->Create(ReadThumbBitmapCopy(e, L"SBMN"), track, ReadThumbBitmapCopy(e, L"SBMO"), nullptr, true,
                           rect))
            continue;
        thumb->SetToolTip(tip.text, tip.pos, tip.prefix);
        thumb->SetTipEnabled(tip.enabled);
        if (tip.enabled != track->ToolAdded())
            track->EnableTip(tip.enabled);
    }
    if (multi->Count() > 0)
        track->SetThumb(multi->Thumb(0));
    multi->EnableAll(ReadBool(e, L"interactive", true));
    multi->SetItemPart(id, ITEM_SLIDERHMULTI, track->m_hWnd, c.owner);
    return multi.release();
}

CGUIItem* ReadHSliderMapM(const pugi::xml_node& e, const SkinElementContext& c)
{
    int id = ReadItemId(e);
    if (id == -1)
        return nullptr;
    auto* track = static_cast<CBitmapItem*>(ReadItemReference(e, L"trackid", c.items, ITEM_BITMAP));
    if (!track || !track->IsWindow())
        return nullptr;
    CRect rect = ReadRect(e, id);
    auto slider = std::make_unique<CAPMSlider>();
    slider->m_id = id;
    HBITMAP picture = track->Bitmap() ? CopyBitmapHandle(track->Bitmap()) : nullptr;
    if (!slider->Create(track, picture, 1, 32, rect))
        return nullptr;
    TooltipInfo tip = ReadTooltip(e);
    if (tip.present)
        slider->SetCaption(tip.text);
    slider->SetDefaultStages();
    if (slider->FreeCaps())
        slider->RemoveTickerCapRanges();
    else
        slider->SetTickerCapRanges();
    slider->BuildGreyColours();
    slider->SetItemPart(id, ITEM_APMSLIDER, slider->m_hWnd, track);
    return slider.release();
}

CGUIItem* ReadDMarker(const pugi::xml_node& e, const SkinElementContext& c)
{
    int id = ReadItemId(e);
    if (id == -1)
        return nullptr;
    CBitmap* background = ReadStateBitmap(e, L"SBMN");
    CBitmap* mark = ReadStateBitmap(e, L"MARK");
    CRect rect = ReadRect(e, id);
    auto marker = std::make_unique<CDMarker>();
    if (!marker->Create(rect, id, c.owner))
        return nullptr;
    marker->SetBitmaps(CutUnder(background, rect), CutUnder(mark, rect), rect);
    marker->SetItemPart(id, ITEM_DMARKER, marker->m_hWnd, c.owner);
    return marker.release();
}

CGUIItem* ReadDpiStageWindow(const pugi::xml_node& e, const SkinElementContext& c)
{
    int id = ReadItemId(e);
    if (id == -1)
        return nullptr;
    std::vector<DpiStageBitmapRecord> bitmaps;
    for (pugi::xml_node b = e.child(L"BMPINFO"); b; b = b.next_sibling(L"BMPINFO")) {
        if (!HasAttribute(b, L"name"))
            continue;
        DpiStageBitmapRecord r;
        r.name = ReadText(b, L"name");
        r.bitmap = Handle(ReadStateBitmap(b, L"BMPDATA"));
        r.mask = Handle(ReadStateBitmap(b, L"BMPMASK"));
        r.rect = ReadRect(b, id);
        bitmaps.push_back(r);
    }
    std::vector<DpiStageTextRecord> texts;
    for (pugi::xml_node t = e.child(L"TEXTAREA"); t; t = t.next_sibling(L"TEXTAREA")) {
        if (!HasAttribute(t, L"name"))
            continue;
        DpiStageTextRecord r;
        r.name = ReadText(t, L"name");
        r.text = ReadText(t, L"textkey");
        r.rect = ReadRect(t, id);
        texts.push_back(r);
    }
    CRect rect = ReadRect(e, id);
    auto tile = std::make_unique<CDPIStageWindow>(c.runningNumber);
    if (!tile->SetLayout(c.owner, rect, bitmaps, texts, id))
        return nullptr;
    if (CFontItem* font = ReadFont(e, id, c.items)) {
        tile->SetFontHandle(*font);
        ApplyFont(tile->m_hWnd, font);
    }
    TooltipInfo tip = ReadTooltip(e);
    if (tip.present)
        tile->SetToolTip(tip.text);
    tile->SetItemPart(id, ITEM_DPISTAGEWINDOW, tile->m_hWnd, c.owner);
    return tile.release();
}

using PanelColourSetter = void (CProgressPanelItem::*)(COLORREF);
struct PanelColourAttribute {
    const wchar_t* name;
    PanelColourSetter setter;
};
const PanelColourAttribute kPanelColours[] = {
    {L"fontclr", &CProgressPanelItem::SetFontColour},   {L"fontclrhi", &CProgressPanelItem::SetFontColourHi},
    {L"backclr", &CProgressPanelItem::SetBackColour},   {L"backclrhi", &CProgressPanelItem::SetBackColourHi},
    {L"bdrclr", &CProgressPanelItem::SetBorderColour},
};

CGUIItem* ReadProgressPanelItem(const pugi::xml_node& e, const SkinElementContext& c)
{
    int id = ReadItemId(e);
    if (id == -1)
        return nullptr;
    auto item = std::make_unique<CProgressPanelItem>();
    for (const PanelColourAttribute& a : kPanelColours) {
        COLORREF colour;
        if (ReadColor(e, a.name, colour))
            (item.get()->*a.setter)(colour);
    }
    const int border = ReadNumber(e, L"bdrwidth", SkinNumber::BorderWidth);
    FillInfo fill;
    fill.fill = 0xFFFFFF;
    fill.back = 0;
    ReadFillInfo(e, fill);
    item->SetFill(fill);
    std::vector<ProgressTextArea> areas;
    for (pugi::xml_node t = e.child(L"TEXTINFOLIST").child(L"TEXTINFO"); t; t = t.next_sibling(L"TEXTINFO")) {
        TextInfo info;
        if (!ReadTextInfo(t, c.items, info))
            continue;
        ProgressTextArea a;
        a.name = info.name;
        a.text = TranslateText(info.textKey);
        a.rect = info.rect;
        a.font = info.font;
        a.textColour = info.hasFontColor ? info.fontColor : 0xFFFFFF;
        a.backColour = info.hasBackColor ? info.backColor : 0;
        areas.push_back(a);
    }
    item->SetTextAreas(areas);
    CRect rect = ReadRect(e, id);
    item->SetBorderWidth(BorderWithin(border, rect));
    item->SetPlacement(rect, c.owner, WS_CHILD | WS_VISIBLE);
    item->SetItemPart(id, ITEM_PROGRESSPANEL, nullptr, c.owner);
    return item.release();
}
