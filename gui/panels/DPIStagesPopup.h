// CDPIStagesPopup: the skinned dialog that edits up to five sensitivity
// stages. The rules live in DpiStagesLogic; this class binds the page's
// items (through the derived class's BindItems) and shows what the logic
// decides: tiles, stage count, the X/Y split and the three sliders.
#pragma once
#include <memory>

#include "BitmapBtn.h"
#include "DPIStageWindow.h"
#include "DpiStagesModel.h"
#include "GUIPanel.h"
#include "SliderHMulti.h"
#include "SliderTrack.h"
#include "TextItems.h"

class CDPIStagesPopup : public CGUIPanel {
public:
    CDPIStagesPopup(UINT templateId, const wchar_t* pageFile, CWnd* parent, DpiStagesModel* model);
    CDPIStagesPopup(const RECT& rect, UINT templateId, CWnd* parent, DpiStagesModel* model);
    ~CDPIStagesPopup() override;

    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    DpiStagesLogic* Logic() const { return m_logic.get(); }

    // Bound by the derived class's BindItems.
    CDPIStageWindow* m_tiles[DpiStagesLogic::kMaxTiles] = {};
    CTextItem* m_countText = nullptr;
    CGUIItem* m_separateOnly = nullptr;   // shown only in separate mode
    CBitmapBtn* m_separateBox = nullptr;  // its selected flag is the state
    CBitmapBtn* m_ok = nullptr;
    CBitmapBtn* m_cancel = nullptr;
    CBitmapBtn* m_minus = nullptr;
    CBitmapBtn* m_plus = nullptr;
    CSliderTrack* m_tracks[3] = {};       // combined, X, Y
    CGUIItem* m_xyLabel = nullptr;
    CSliderHMulti* m_sliders[3] = {};     // combined, X, Y
    int m_thumbIds[3] = {-1, -1, -1};     // ids the sliders' notifications carry

protected:
    // Pushes the logic's state to the items.
    void ShowState(bool repaintCurrentTile);
    void SetSliderValues();
    void UpdateCountText();
    LRESULT OnStageSelected(WPARAM w, LPARAM l);
    LRESULT OnSliderValue(WPARAM w, LPARAM l);
    HBRUSH OnCtlColor(CDC*, CWnd*, UINT) { return (HBRUSH)m_background.GetSafeHandle(); }
    BOOL OnEraseBkgnd(CDC*) { return FALSE; }
    int OnCreate(LPCREATESTRUCTW cs);
    DECLARE_MESSAGE_MAP()

private:
    DpiStagesModel* m_model;
    std::unique_ptr<DpiStagesLogic> m_logic;
    CBrush m_background;
};
