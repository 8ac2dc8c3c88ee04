#include "StagesPopup.h"

#include "ItemLookup.h"
#include "ItemIds.h"
#include "VeskPopup.h"

CVeskDPIStagesPopup::CVeskDPIStagesPopup(CWnd* parent, DpiStagesModel* model, UINT templateId)
    : CDPIStagesPopup(templateId, L"DPIStagesPopup.xml", parent, model)
{
}

void CVeskDPIStagesPopup::BindItems()
{
    for (int i = 0; i < DpiStagesLogic::kMaxTiles; ++i)
        m_tiles[i] = FindTypedItem<CDPIStageWindow>(&m_items, DPISTAGEWINDOW_01 + i, ITEM_DPISTAGEWINDOW);
    m_countText = FindTypedItem<CTextItem>(&m_items, TEXT_NUMSTAGES, ITEM_TEXT);
    m_xyLabel = FindTypedItem<CTextItem>(&m_items, TEXT_DPI_X, ITEM_TEXT);
    m_separateOnly = FindTypedItem<CTextItem>(&m_items, TEXT_DPI_Y, ITEM_TEXT);
    m_separateBox = FindTypedItem<CBitmapBtn>(&m_items, BUTTON_ENABLEXY_POPUP, ITEM_BITMAPBTN);
    m_ok = FindTypedItem<CBitmapBtn>(&m_items, BUTTON_DPISTAGES_OK, ITEM_BITMAPBTN);
    m_cancel = FindTypedItem<CBitmapBtn>(&m_items, BUTTON_DPISTAGES_CANCEL, ITEM_BITMAPBTN);
    m_minus = FindTypedItem<CBitmapBtn>(&m_items, BUTTON_DPISTAGES_DEC, ITEM_BITMAPBTN);
    m_plus = FindTypedItem<CBitmapBtn>(&m_items, BUTTON_DPISTAGES_INC, ITEM_BITMAPBTN);
    const int tracks[3] = {BITMAP_SLSENSTRK_XY_POPUP, BITMAP_SLSENSTRK_X_POPUP, BITMAP_SLSENSTRK_Y_POPUP};
    const int sliders[3] = {SLIDER_DPI_MULTI_POPUP, SLIDER_DPI_MULTI_X_POPUP, SLIDER_DPI_MULTI_Y_POPUP};
    for (int i = 0; i < 3; ++i) {
        m_tracks[i] = FindTypedItem<CSliderTrack>(&m_items, tracks[i], ITEM_SLIDERTRACK);
        m_sliders[i] = FindTypedItem<CSliderHMulti>(&m_items, sliders[i], ITEM_SLIDERHMULTI);
        // The sliders' notifications carry their thumb's id.
        CPHSlider* thumb = m_sliders[i] ? m_sliders[i]->Thumb(0) : nullptr;
        m_thumbIds[i] = thumb ? thumb->m_id : -1;
    }
}

BOOL CVeskDPIStagesPopup::OnInitDialog()
{
    BOOL result = CDPIStagesPopup::OnInitDialog();
    CenterOverOwner(m_hWnd);  // as the other popups open
    return result;
}

namespace {
StagesPopupRunner g_runner = nullptr;
}

void SetStagesPopupRunner(StagesPopupRunner runner)
{
    g_runner = runner;
}

bool RunStagesPopup(CWnd* owner, DpiStagesModel& model)
{
    if (model.stages.empty())
        return false;
    if (g_runner)
        return g_runner(owner, model);
    CVeskDPIStagesPopup popup(owner, &model);
    return popup.DoModal() == IDOK;
}
