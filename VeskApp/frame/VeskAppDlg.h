// The configurator's main dialog.
#pragma once
#include "Dialog.h"

class CVeskAppDlg : public CDialog {
public:
    explicit CVeskAppDlg(CWnd* parent = nullptr);
    BOOL OnInitDialog() override;

protected:
    DECLARE_MESSAGE_MAP()
};
