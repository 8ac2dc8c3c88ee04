// The configurator's application object.
#pragma once
#include "WinThread.h"

class CVeskAppApp : public CWinApp {
public:
    CVeskAppApp();
    BOOL InitInstance() override;
    int ExitInstance() override;

private:
    int m_exitCode = 0;
};

extern CVeskAppApp theApp;
