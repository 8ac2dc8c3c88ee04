// The tray program's hidden controller dialog.
#pragma once
#include "Dialog.h"

class CVeskSysTrayDlg : public CDialog {
public:
    CVeskSysTrayDlg();
    BOOL Create();
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override { DestroyWindow(); }

protected:
    void OnClose();
    void PostNcDestroy() override;
    DECLARE_MESSAGE_MAP()
};
