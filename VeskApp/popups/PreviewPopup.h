// CVeskPreviewPopup: one profile shown read-only. Its content is worked out
// by the caller (PreviewContent); the popup only places it: the model's top
// view with each button's function, the thumb grid in either layout, the
// lights and the sensitivity stages. The view drop-down switches between
// the top view and the grid's two layouts.
#pragma once
#include "String.h"
#include "VeskPopup.h"

class CDropdownListItem;

struct PreviewContent {
    static constexpr int kButtons = 7;  // TEXT_PREVIEW_01..07
    static constexpr int kKeys = 12;    // BUTTON_ASSNTHUMBGRID01..12
    static constexpr int kStages = 5;

    CString buttons[kButtons];
    CString keys[2][kKeys];  // number-row defaults, keypad defaults
    CString views[3];        // top view, grid (123), grid (NUM)
    CString logo, wheel;     // "label : value"
    CString colour, brightness;
    bool showColour = false;  // the wireless models' colour and brightness lines
    int stageCount = 0;
    int currentStage = 0;  // 1-5
    bool separateXY = false;
    int stageValue[kStages] = {}, stageX[kStages] = {}, stageY[kStages] = {};
};

class CVeskPreviewPopup : public CVeskPopup {
public:
    CVeskPreviewPopup(CWnd* owner, int modelFlag, const PreviewContent& content);

    // The model's top-view file that joins "PreviewPopup.xml".
    static const wchar_t* ModelFile(int modelFlag);

    void BindItems() override;
    int CurrentView() const { return m_view; }
    // Shows view 0 (top), 1 (grid, number row) or 2 (grid, keypad).
    void ShowView(int view);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int m_modelFlag;
    PreviewContent m_content;
    CDropdownListItem* m_views = nullptr;
    int m_view = 0;
};
