#include "PerformancePage.h"

#include "AssignmentRules.h"
#include "ItemIds.h"
#include "MouseConfigInterface.h"
#include "PerformanceRules.h"
#include "StagesPopup.h"
#include "WidgetMessages.h"

namespace {

void ShowItem(CGUIItem* item, bool show)
{
    if (item)
        item->Show(show);
}

void Select(CBitmapBtn* button, bool on)
{
    if (button)
        button->SetSelected(on);
}

}  // namespace

void CPerformancePage::Bind(const PageLists& lists)
{
    const CGUIItems* list = lists.lists[LIST_PAGE_PERFORMANCE];
    m_separate = FindTypedItem<CBitmapBtn>(list, BUTTON_ENABLEXY, ITEM_BITMAPBTN);
    m_acceleration = FindTypedItem<CBitmapBtn>(list, BUTTON_ENABLEACCELERATION, ITEM_BITMAPBTN);
    m_dpiOsd = FindTypedItem<CBitmapBtn>(list, BUTTON_ENABLE_DPI_OSD, ITEM_BITMAPBTN);
    m_stages = FindTypedItem<CBitmapBtn>(list, BUTTON_SENSITIVITY_STAGES, ITEM_BITMAPBTN);
    const int rateIds[3] = {BUTTON_RATE1, BUTTON_RATE2, BUTTON_RATE3};
    for (int i = 0; i < 3; ++i) {
        m_rates[i] = FindTypedItem<CBitmapBtn>(list, rateIds[i], ITEM_BITMAPBTN);
        if (m_rates[i])
            m_rateUnits[i] = m_rates[i]->Caption();
    }
    const int sliderIds[kSliderCount] = {SLIDER_DPI_MULTI, SLIDER_DPI_MULTI_X, SLIDER_DPI_MULTI_Y, SLIDER_ID_ACCEL,
                                         SLIDER_ID_ACCELDISB};
    const int trackIds[kSliderCount] = {BITMAP_SLSENSTRK_XY, BITMAP_SLSENSTRK_X, BITMAP_SLSENSTRK_Y, BITMAP_SLACCLTRK,
                                        BITMAP_SLACCLTRKDISB};
    for (int i = 0; i < kSliderCount; ++i) {
        m_sliders[i] = FindTypedItem<CSliderHMulti>(list, sliderIds[i], ITEM_SLIDERHMULTI);
        m_tracks[i] = FindTypedItem<CSliderTrack>(list, trackIds[i], ITEM_SLIDERTRACK);
    }
    m_values[0] = FindTypedItem<CTextItem>(list, TEXT_DPIVALUE1, ITEM_TEXT);
    m_values[1] = FindTypedItem<CTextItem>(list, TEXT_DPIVALUE2, ITEM_TEXT);
    m_dpiY = FindTypedItem<CTextItem>(list, TEXT_DPI2, ITEM_TEXT);
    m_headings[0] = FindTypedItem<CTextItem>(list, TEXT_HEADING_X, ITEM_TEXT);
    m_headings[1] = FindTypedItem<CTextItem>(list, TEXT_HEADING_Y, ITEM_TEXT);
    m_valueWindowY = list ? list->FindById(BITMAP_SENSWINDOW2) : nullptr;
    // A disabled acceleration slider only shows the value.
    if (m_sliders[kAccelOff])
        m_sliders[kAccelOff]->EnableAll(false);
}

void CPerformancePage::Fill()
{
    IMouseConfig* config = m_host.Config();
    if (!config)
        return;
    SliderSpan sens = SensitivitySliderSpan(*config);
    for (int i : {kSingle, kX, kY})
        if (m_sliders[i])
            m_sliders[i]->SetRange(sens.min, sens.max);
    SliderSpan accel = AccelerationSliderSpan(*config);
    for (int i : {kAccel, kAccelOff})
        if (m_sliders[i])
            m_sliders[i]->SetRange(accel.min, accel.max);
    const int offered = OfferedReportRates(*config);
    for (int i = 0; i < offered; ++i)
        if (m_rates[i])
            m_rates[i]->SetCaption(ReportRateCaption(config->GetPollingRate(i), m_rateUnits[i]));
    Refresh();
}

void CPerformancePage::Refresh()
{
    IMouseConfig* config = m_host.Config();
    if (!config)
        return;
    Select(m_separate, config->GetXYSeparate(nullptr) != 0);
    SetSeparateXY(config->GetXYSeparate(nullptr) != 0);
    Select(m_acceleration, config->GetAccelerationEnabled() != 0);
    SetAcceleration(config->GetAccelerationEnabled() != 0);
    const int offered = OfferedReportRates(*config);
    const int rate = config->GetPollingRateIndex();
    for (int i = 0; i < 3; ++i)
        Select(m_rates[i], i < offered && rate == i);
    Select(m_dpiOsd, config->GetDpiOsd(nullptr) != 0);
}

void CPerformancePage::OnPageShown(int currentPage)
{
    if (currentPage == PageMask())
        ShowState();
}

void CPerformancePage::ShowState()
{
    if (!IsCurrent())
        return;
    ShowSensitivitySliders();
    ShowAccelerationSliders();
    const int offered = m_host.Config() ? OfferedReportRates(*m_host.Config()) : 0;
    for (int i = 0; i < 3; ++i)
        ShowItem(m_rates[i], i < offered);
}

void CPerformancePage::ShowSensitivitySliders()
{
    const bool separate = m_host.Config() && m_host.Config()->GetXYSeparate(nullptr) != 0;
    ShowItem(m_sliders[kSingle], !separate);
    ShowItem(m_tracks[kSingle], !separate);
    for (int i : {kX, kY}) {
        ShowItem(m_sliders[i], separate);
        ShowItem(m_tracks[i], separate);
    }
    for (CTextItem* heading : m_headings)
        ShowItem(heading, separate);
    // The Y readout goes with its window and its unit.
    ShowItem(m_valueWindowY, separate);
    ShowItem(m_values[1], separate);
    ShowItem(m_dpiY, separate);
}

void CPerformancePage::ShowAccelerationSliders()
{
    const bool on = m_host.Config() && m_host.Config()->GetAccelerationEnabled() != 0;
    ShowItem(m_sliders[kAccel], on);
    ShowItem(m_tracks[kAccel], on);
    ShowItem(m_sliders[kAccelOff], !on);
    ShowItem(m_tracks[kAccelOff], !on);
}

void CPerformancePage::SetSeparateXY(bool on)
{
    IMouseConfig* config = m_host.Config();
    if (!config)
        return;
    ChangeXYSeparate(*config, on);
    const int values[3] = {config->GetDpi(nullptr), config->GetDpiX(nullptr), config->GetDpiY(nullptr)};
    for (int i : {kSingle, kX, kY})
        if (m_sliders[i])
            m_sliders[i]->SetValue(SensitivityToSlider(*config, values[i]));
    if (IsCurrent())
        ShowSensitivitySliders();
    UpdateSensitivityTexts();
}

void CPerformancePage::SetAcceleration(bool on)
{
    IMouseConfig* config = m_host.Config();
    if (!config)
        return;
    if ((config->GetAccelerationEnabled() != 0) != on) {
        config->SetAccelerationEnabled(on ? 1 : 0);
        if (m_sliders[kAccel])
            config->SetAcceleration(m_sliders[kAccel]->GetValue());
        m_host.MarkUnsaved();
    }
    for (int i : {kAccel, kAccelOff})
        if (m_sliders[i])
            m_sliders[i]->SetValue(config->GetAcceleration());
    if (IsCurrent())
        ShowAccelerationSliders();
}

void CPerformancePage::UpdateSensitivityTexts()
{
    IMouseConfig* config = m_host.Config();
    if (!config)
        return;
    const int step = SensitivityStep(*config);
    const bool separate = config->GetXYSeparate(nullptr) != 0;
    CSliderHMulti* first = m_sliders[separate ? kX : kSingle];
    CSliderHMulti* sources[2] = {first, m_sliders[kY]};
    for (int i = 0; i < 2; ++i) {
        if (!m_values[i] || !sources[i])
            continue;
        CString text;
        text.Format(L"%d", sources[i]->GetValue() * step);
        m_values[i]->SetText(text);
        m_values[i]->RedrawInParent();
    }
}

bool CPerformancePage::SliderMoved(int thumbId, int value)
{
    IMouseConfig* config = m_host.Config();
    if (!config)
        return false;
    switch (thumbId) {
    case SLIDER_DPI_MULTI_STAGE1:
        config->SetDpi(SliderToSensitivity(*config, value), nullptr);
        break;
    case SLIDER_DPI_MULTI_X_STAGE1:
        config->SetDpiX(SliderToSensitivity(*config, value), nullptr);
        break;
    case SLIDER_DPI_MULTI_Y_STAGE1:
        config->SetDpiY(SliderToSensitivity(*config, value), nullptr);
        break;
    case SLIDER_ACCEL_STAGE1:
        config->SetAcceleration(value);
        for (int i : {kAccel, kAccelOff})
            if (m_sliders[i] && m_sliders[i]->GetValue() != value)
                m_sliders[i]->SetValue(value);
        m_host.MarkUnsaved();
        return true;
    default:
        return false;
    }
    m_host.MarkUnsaved();
    UpdateSensitivityTexts();
    return true;
}

void CPerformancePage::SelectReportRate(int index)
{
    IMouseConfig* config = m_host.Config();
    if (!config || index < 0 || index >= OfferedReportRates(*config))
        return;
    config->SetPollingRateIndex(index);
    for (int i = 0; i < 3; ++i)
        Select(m_rates[i], i == index);
    m_host.MarkUnsaved();
}

void CPerformancePage::OpenStages()
{
    IMouseConfig* config = m_host.Config();
    if (!config)
        return;
    DpiStagesModel model = BuildStagesModel(*config);
    if (!RunStagesPopup(m_host.OwnerWindow(), model))
        return;  // Cancel: the edits in the model are dropped
    m_host.MarkUnsaved();
    StoreStagesModel(*config, model);
    // Reading every control once gives each a record in the active profile.
    int* layout = KeypadLayoutOf(config);
    int fallback = 0;
    AssignmentRules rules(*config, layout ? *layout : fallback);
    for (const AssignControl& c : kAssignControls)
        rules.Stored(c.button);
    m_host.RefreshPages();
}

bool CPerformancePage::OnCommand(const Command& command)
{
    if (command.list != LIST_PAGE_PERFORMANCE || !command.item || !m_host.Config())
        return false;
    CGUIItem* item = command.item;
    if (item == m_separate) {
        SetSeparateXY(m_separate->IsSelected());
        m_host.MarkUnsaved();
    } else if (item == m_acceleration) {
        SetAcceleration(m_acceleration->IsSelected());
        m_host.MarkUnsaved();
    } else if (item == m_dpiOsd) {
        m_host.Config()->SetDpiOsd(m_dpiOsd->IsSelected() ? 1 : 0, nullptr);
        m_host.MarkUnsaved();
    } else if (item == m_stages) {
        OpenStages();
    } else {
        for (int i = 0; i < 3; ++i) {
            if (item == m_rates[i]) {
                SelectReportRate(i);
                return true;
            }
        }
        return false;
    }
    return true;
}

bool CPerformancePage::OnWidgetMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    switch (message) {
    case WM_SLIDER_CHANGING:
    case WM_SLIDER_RELEASED:
        // A click on the track moves the thumb and reports only the release.
        if (!SliderMoved((int)lParam, (int)wParam))
            return false;
        *result = 0;
        return true;
    case WM_SLIDERTRACK_RELEASED:
        if ((int)wParam != BITMAP_SLSENSTRK_Y && (int)wParam != BITMAP_SLSENSTRK_X &&
            (int)wParam != BITMAP_SLSENSTRK_XY)
            return false;
        UpdateSensitivityTexts();
        *result = 0;
        return true;
    default:
        return false;
    }
}
