// The configurator's application object: all of its work happens in
// InitInstance, which runs the main dialog modally and returns FALSE.
#pragma once
#include "GUIItem.h"
#include "MousePicker.h"
#include "WinThread.h"

class CVeskConfig;

class CVeskAppApp : public CWinApp {
public:
    CVeskAppApp();
    ~CVeskAppApp() override;
    BOOL InitInstance() override;
    int ExitInstance() override;

    // The device slot: the main dialog reads the current device object
    // through a pointer to it.
    GenDevice* m_device = nullptr;
    IMouseConfig* m_config = nullptr;  // the interface of m_ownedConfig

private:
    // Reads the attached device before the main dialog opens; false when
    // the program should end without it (the dock's splash was cancelled).
    bool ReadDeviceAtStart();
    void RunMainDialog();
    void Teardown();

    CVeskConfig* m_ownedConfig = nullptr;
    CGUIItems m_languageItems;  // what "Language.xml" defines
    int m_exitCode = 0;
};

// The picker's completion callback (user data: the application object).
void OnMouseChosen(GenDevice* device, void* application);
