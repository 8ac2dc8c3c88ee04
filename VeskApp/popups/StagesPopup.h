// CVeskDPIStagesPopup: the configurator's sensitivity stages popup. The
// stage rules and their display are the framework's stages popup; this class
// binds the skin's items to it and ends with the skin's OK and Cancel.
#pragma once
#include "resource.h"
#include "DPIStagesPopup.h"

class CVeskDPIStagesPopup : public CDPIStagesPopup {
public:
    static constexpr UINT kTemplate = IDD_POPUP_STAGES;

    CVeskDPIStagesPopup(CWnd* parent, DpiStagesModel* model, UINT templateId = kTemplate);
    void BindItems() override;
    BOOL OnInitDialog() override;
};

// Runs the popup modally over the model; true when it ended with OK (the
// model then holds the edited stages; after Cancel it may hold edits too,
// which the caller drops).
bool RunStagesPopup(CWnd* owner, DpiStagesModel& model);
// Tests answer in place of the modal popup; null restores it.
using StagesPopupRunner = bool (*)(CWnd* owner, DpiStagesModel& model);
void SetStagesPopupRunner(StagesPopupRunner runner);
