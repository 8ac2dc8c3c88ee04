#include "DPIStagesPopup.h"

#include "WidgetMessages.h"

BEGIN_MESSAGE_MAP(CDPIStagesPopup, CGUIPanel)
    ON_WM_CREATE()
    ON_MESSAGE(WM_DPISTAGE_SELECTED, OnStageSelected)
    ON_MESSAGE(WM_SLIDER_RELEASED, OnSliderValue)
    ON_MESSAGE(WM_SLIDER_CHANGING, OnSliderValue)
    ON_WM_CTLCOLOR()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CDPIStagesPopup::CDPIStagesPopup(UINT templateId, const wchar_t* pageFile, CWnd* parent, DpiStagesModel* model)
    : CGUIPanel(templateId, pageFile, parent), m_model(model)
{
}

CDPIStagesPopup::CDPIStagesPopup(const RECT& rect, UINT templateId, CWnd* parent, DpiStagesModel* model)
    : CGUIPanel(rect, templateId, parent), m_model(model)
{
}

CDPIStagesPopup::~CDPIStagesPopup() = default;

int CDPIStagesPopup::OnCreate(LPCREATESTRUCTW cs)
{
    m_background.DeleteObject();
    m_background.CreateSolidBrush(RGB(0, 0, 0));
    return CGUIPanel::OnCreate(cs);
}

BOOL CDPIStagesPopup::OnInitDialog()
{
    BindItems();
    for (CSliderTrack* t : m_tracks)
        if (t)
            t->SetOwner(this);  // the sliders' notifications reach the popup
    if (m_model) {
        int tiles = 0;
        while (tiles < DpiStagesLogic::kMaxTiles && m_tiles[tiles])
            ++tiles;
        m_logic.reset(new DpiStagesLogic(*m_model, tiles));
        UpdateCountText();
        m_logic->Open();
        for (CSliderHMulti* s : m_sliders)
            if (s)
                s->SetRange(m_logic->SliderMin(), m_logic->SliderMax());
        ShowState(false);
    }
    return CGUIPanel::OnInitDialog();
}

void CDPIStagesPopup::UpdateCountText()
{
    if (!m_countText || !m_model)
        return;
    CString text;
    text.Format(L"%d", m_model->stageCount);
    m_countText->SetText(text);
}

void CDPIStagesPopup::SetSliderValues()
{
    const DpiSlider which[3] = {DpiSlider::Combined, DpiSlider::X, DpiSlider::Y};
    for (int i = 0; i < 3; ++i)
        if (m_sliders[i] && m_sliders[i]->Count() > 0)
            m_sliders[i]->SetValue(m_logic->SliderTarget(which[i]));
}

void CDPIStagesPopup::ShowState(bool repaintCurrentTile)
{
    if (!m_logic)
        return;
    bool separate = m_logic->SeparateChecked();
    if (m_separateBox && m_separateBox->IsSelected() != separate) {
        m_separateBox->SetSelected(separate);
        m_separateBox->Invalidate(FALSE);
    }
    auto show = [](CGUIItem* item, bool on) {
        if (item)
            item->Show(on);
    };
    show(m_sliders[0], !separate);
    show(m_tracks[0], !separate);
    for (int i = 1; i < 3; ++i) {
        show(m_sliders[i], separate);
        show(m_tracks[i], separate);
    }
    show(m_xyLabel, separate);
    show(m_separateOnly, separate);
    SetSliderValues();
    const DpiStagesModel& m = *m_model;
    for (int i = 0; i < m_logic->TileCount(); ++i) {
        CDPIStageWindow* tile = m_tiles[i];
        if (!tile)
            continue;
        const DpiStageEntry& e = m.stages[i];
        tile->SetStage(e.enabled != 0, m_logic->TileSelected(i), e.separateXY != 0, e.value, e.x, e.y);
        tile->ShowWindow(m_logic->TileShown(i) ? SW_SHOW : SW_HIDE);
        if (repaintCurrentTile && i + 1 == m.currentStage)
            tile->UpdateWindow();
    }
}

BOOL CDPIStagesPopup::OnCommand(WPARAM wParam, LPARAM lParam)
{
    CGUIItem* item = m_items.FindByHwnd((HWND)lParam);
    if (!item || (item->m_type != ITEM_BITMAPBTN && item->m_type != ITEM_TEXT) || !m_logic)
        return CGUIPanel::OnCommand(wParam, lParam);
    if (item == m_ok) {
        m_logic->ReadSelection();
        EndDialog(IDOK);
    } else if (item == m_cancel) {
        EndDialog(IDCANCEL);
    } else if (item == m_minus) {
        m_logic->Minus();
        UpdateCountText();
        ShowState(true);
    } else if (item == m_plus) {
        m_logic->Plus();
        UpdateCountText();
        ShowState(true);
    } else if (item == m_separateBox) {
        m_logic->ApplySeparate(m_separateBox->IsSelected());
        ShowState(false);
    } else {
        return CGUIPanel::OnCommand(wParam, lParam);
    }
    return TRUE;
}

LRESULT CDPIStagesPopup::OnStageSelected(WPARAM w, LPARAM)
{
    if (m_logic) {
        m_logic->SelectTile((int)w);
        ShowState(false);
        Invalidate(FALSE);
    }
    return 0;
}

LRESULT CDPIStagesPopup::OnSliderValue(WPARAM w, LPARAM l)
{
    if (!m_logic)
        return 0;
    const DpiSlider which[3] = {DpiSlider::Combined, DpiSlider::X, DpiSlider::Y};
    for (int i = 0; i < 3; ++i) {
        if (m_thumbIds[i] != -1 && (int)l == m_thumbIds[i]) {
            m_logic->SliderValue(which[i], (int)w);
            ShowState(true);
            break;
        }
    }
    return 0;
}
