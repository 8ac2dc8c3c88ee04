// The tray program's application object.
#pragma once
#include "WinThread.h"

class CVeskSysTrayApp : public CWinApp {
public:
    CVeskSysTrayApp();
    ~CVeskSysTrayApp() override;
    BOOL InitInstance() override;
    int ExitInstance() override;

private:
    HANDLE m_instanceMutex = nullptr;
    bool m_com = false;
};

extern CVeskSysTrayApp theApp;
