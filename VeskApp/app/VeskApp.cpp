#include "VeskApp.h"

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <memory>

#include "DeviceObjects.h"
#include "DockStartup.h"
#include "KeywordTables.h"
#include "LangTable.h"
#include "LanguageNames.h"
#include "ListPanel.h"
#include "ModelFlags.h"
#include "ProgramFolder.h"
#include "RawInput.h"
#include "Registry.h"
#include "SingleInstance.h"
#include "SkinLoader.h"
#include "SkinResourceCache.h"
#include "StartMark.h"
#include "VeskAppDlg.h"
#include "VeskConfig.h"
#include "resource.h"

namespace {

// Start-up reads: the keys (0x2) come with the main dialog; the dock has
// no second unit to read at start (0x1000).
constexpr uint32_t kStartupReadMask = 0x1B7D;

// Starts the tray program from the installation folder (a tray program that
// already runs ends itself). By its full path: a bare name would be found
// beside this program first, whatever InstallDir says.
void StartTrayProgram(const std::wstring& installDir)
{
    std::wstring file = L"TanduKovuSysTray.exe";
    if (!installDir.empty()) {
        ::SetCurrentDirectoryW(installDir.c_str());
        file = installDir + L"\\" + file;
    }
    ::ShellExecuteW(nullptr, L"open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace

CVeskAppApp::CVeskAppApp() : CWinApp(L"TanduKovuConfig") {}

CVeskAppApp::~CVeskAppApp() = default;

void OnMouseChosen(GenDevice* device, void* application)
{
    // The picker passes null when a transfer finds no model.
    if (!device || !application)
        return;
    CVeskAppApp* app = static_cast<CVeskAppApp*>(application);
    if (app->m_pMainWnd)
        device->GetProductId();
}

BOOL CVeskAppApp::InitInstance()
{
    if (!CVeskAppDlg::RegisterWindowClass(m_hInstance)) {
        m_exitCode = 1;
        return FALSE;
    }
    if (CheckSingleInstance(CVeskAppDlg::kWindowClass) != InstanceCheck::First)
        return FALSE;

    INITCOMMONCONTROLSEX icc{sizeof(icc), 0xFF};
    ::InitCommonControlsEx(&icc);
    ::CoInitialize(nullptr);
    ::SetCurrentDirectoryW(GetProgramFolder());

    BuildLanguageTable();
    BuildKeywordMaps();
    LoadSkinPage(&m_languageItems, L"Language.xml", nullptr, false);

    StartupSettings settings = ReadStartupSettings();
    if (settings.keyOpen) {
        StartTrayProgram(settings.installDir);
    }
    SelectLanguage(settings.languageId);
    g_dropdownPopupTemplateId = IDD_POPUP_PANEL;
    g_listPanelPopupTemplateId = IDD_POPUP_PANEL;
    SetBenchMark(L"setup");

    m_ownedConfig = new (std::nothrow) CVeskConfig();
    m_config = m_ownedConfig;
    if (m_config) {
        m_device = CreateDeviceObject(m_config, this, &OnMouseChosen);
        SetBenchMark(L"model");
        bool read = ReadDeviceAtStart();
        SetBenchMark(L"read");  // the benchmark times the start to here
        if (read)
            RunMainDialog();
    }
    Teardown();
    return FALSE;  // the dialog has ended: no message loop of our own
}

bool CVeskAppApp::ReadDeviceAtStart()
{
    if (!m_device || !m_device->IsConnected())
        return true;  // the main dialog shows the no-mouse popup
    if (m_device->GetProductId() == kProductDock) {
        // The dock brings its mouse online while the splash shows.
        CDockStartup startup(m_device, m_config);
        return startup.Run();
    }
    m_device->Transfer(m_config, kTransferRead, kStartupReadMask);
    return true;
}

void CVeskAppApp::RunMainDialog()
{
    try {
        auto dialog = std::make_unique<CVeskAppDlg>(&m_device, m_config);
        m_pMainWnd = dialog.get();
        dialog->DoModal();
        m_pMainWnd = nullptr;
    } catch (...) {
        // Whatever the dialog threw, the teardown still runs.
        m_pMainWnd = nullptr;
    }
}

void CVeskAppApp::Teardown()
{
    EndFactoryProgress();
    ReleaseAppGlobals();  // waits for a running write
    m_device = nullptr;
    m_config = nullptr;
    delete m_ownedConfig;
    m_ownedConfig = nullptr;
    // Free what the globals hold while the framework still runs, instead of
    // in the unordered destruction of globals at exit.
    m_languageItems.DeleteAll();
    UnregisterRawInput();
    SkinResourceCacheFreeAll();
    ::CoUninitialize();
}

int CVeskAppApp::ExitInstance()
{
    return m_exitCode;
}
