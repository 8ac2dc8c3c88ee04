// The controller's life: start-up, the icon, its menu and clicks, closing.
#include "VeskSysTrayDlg.h"

#include <objbase.h>
#include <wtsapi32.h>

#include "KeywordTables.h"
#include "LangTable.h"
#include "LanguageNames.h"
#include "DeviceNotices.h"
#include "PcManager.h"
#include "SkinLoader.h"
#include "TrayMenu.h"
#include "TrayText.h"
#include "resource.h"

namespace {

const wchar_t kZentName[] = L"Tandu Kovu Zent";
const wchar_t kZentMenuKey[] = L"$LoadKovuZentConfigurator";

// The English texts of the tray's language keys, for languages without them.
const wchar_t* EnglishOf(const CString& key)
{
    if (key == L"$LoadKovuConfigurator")
        return L"Open the Kovu configurator";
    return L"Open the Kovu Zent configurator";
}

class CAboutDlg : public CDialog {
public:
    CAboutDlg() : CDialog(IDD_ABOUTBOX) {}
};

}  // namespace

BEGIN_MESSAGE_MAP(CVeskSysTrayDlg, CDialog)
    ON_WM_SYSCOMMAND()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_WM_DEVICECHANGE()
    ON_WM_WTSSESSION_CHANGE()
    ON_MESSAGE(WM_TRAY_NOTIFY, OnTrayNotify)
    ON_MESSAGE(WM_TRAY_DEVICE_EVENT, OnDeviceEvent)
    ON_MESSAGE(WM_TRAY_MOUSE_EVENT, OnMouseEvent)
    ON_COMMAND(ID_TRAY_CONFIGURATOR, OnOpenConfigurator)
    ON_COMMAND_RANGE(ID_TRAY_PROFILE_FIRST, ID_TRAY_PROFILE_LAST, OnProfileCommand)
    ON_COMMAND(ID_TRAY_CLOSE, OnCloseCommand)
    ON_WM_TIMER()
    ON_WM_CLOSE()
    ON_WM_INPUT()
END_MESSAGE_MAP()

CVeskSysTrayDlg::CVeskSysTrayDlg()
    : CDialog(IDD_VESKSYSTRAY_DIALOG), m_battery(new CBatteryMonitor),
      m_sinks(new CSinkConnections(this, this, this))
{
    HINSTANCE inst = ::GetModuleHandleW(nullptr);
    m_windowIcon = ::LoadIconW(inst, MAKEINTRESOURCEW(IDR_MAINFRAME));
    m_trayIconImage = static_cast<HICON>(
        ::LoadImageW(inst, MAKEINTRESOURCEW(IDI_TRAYICON), IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                     ::GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    // S_FALSE (this thread already had COM) is a success that needs its
    // own uninitialise too.
    m_com = SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
}

CVeskSysTrayDlg::~CVeskSysTrayDlg()
{
    // The connections and the display talk to COM: they go before it does.
    m_sinks.reset();
    m_osd.reset();
    if (m_osdCom)
        ::CoUninitialize();
    // A reading thread that outlives the wait keeps its monitor: the process
    // is ending, and freeing it under the thread would be worse.
    if (!m_battery->WaitForReading(10000))
        m_battery.release();
    if (m_com)
        ::CoUninitialize();
    if (m_trayIconImage)
        ::DestroyIcon(m_trayIconImage);
}

BOOL CVeskSysTrayDlg::Create()
{
    m_deleteWithWindow = CDialog::Create(IDD_VESKSYSTRAY_DIALOG, nullptr) != FALSE;
    return m_deleteWithWindow;
}

void CVeskSysTrayDlg::PostNcDestroy()
{
    // A window that failed while being created leaves the object to its
    // creator, which still uses it on the way out.
    if (m_deleteWithWindow)
        delete this;
}

BOOL CVeskSysTrayDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CString about;
    HMENU system = ::GetSystemMenu(m_hWnd, FALSE);
    if (system && about.LoadString(IDS_ABOUTBOX) && !about.IsEmpty()) {
        ::AppendMenuW(system, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuW(system, MF_STRING, IDM_ABOUTBOX, about);
    }
    for (int id : {0, kProductWireless, kProductDock}) {
        m_productNames[id] = kZentName;
        m_menuKeys[id] = kZentMenuKey;
    }
    m_productNames[kProductWired] = L"Tandu Kovu";
    m_menuKeys[kProductWired] = L"$LoadKovuConfigurator";
    m_currentProductId = kProductWireless;
    SetIcon(m_windowIcon, TRUE);
    SetIcon(m_windowIcon, FALSE);

    LoadLanguage();
    // An icon the shell refuses now comes when the shell announces itself
    // ("TaskbarCreated"); the rest of the tray works meanwhile.
    m_trayIcon.Create(this, TrayText(L"$TanduKovuZent", kZentName), m_trayIconImage);
    CreateDisplay();
    SetTimer(kLinkedProgramTimer, kLinkedProgramMs);
    SetTimer(kBatteryTimer, kBatteryMs);
    RegisterNotifications();
    m_sinks->AddProducts();
    m_sinks->ConnectAll();
    CheckProductId(true);
    StartBatteryReading();
    return TRUE;
}

void CVeskSysTrayDlg::LoadLanguage()
{
    BuildLanguageTable();
    BuildKeywordMaps();
    LoadSkinPage(&m_languageItems, L"Language.xml", nullptr, false);
    CString name;
    int id = CPcManager::ReadLanguageSetting(name) ? LanguageIdFromName(name) : 0;
    // A language without a table speaks English.
    SelectLanguage(id);
}

void CVeskSysTrayDlg::CreateDisplay()
{
    m_osd.reset(new COsdDisplay);
    HRESULT hr = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    m_osdCom = SUCCEEDED(hr);
    if (!m_osdCom || FAILED(m_osd->CreateOsd(m_hWnd))) {
        m_osd.reset();
        if (m_osdCom)
            ::CoUninitialize();
        m_osdCom = false;
    }
}

void CVeskSysTrayDlg::RegisterNotifications()
{
    if (!m_deviceNotify) {
        DEV_BROADCAST_DEVICEINTERFACE_W filter{};
        filter.dbcc_size = sizeof(filter);
        filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
        filter.dbcc_classguid = *tknotices::kTrayNotices.interfaceClass;
        m_deviceNotify = ::RegisterDeviceNotificationW(m_hWnd, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
    }
    m_sessionNotify = ::WTSRegisterSessionNotification(m_hWnd, NOTIFY_FOR_THIS_SESSION) != FALSE;
}

void CVeskSysTrayDlg::OnSysCommand(UINT id, LPARAM lParam)
{
    if ((id & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg about;
        about.DoModal();
        return;
    }
    Default();
}

void CVeskSysTrayDlg::OnPaint()
{
    if (!IsIconic()) {
        Default();
        return;
    }
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    RECT r;
    GetClientRect(&r);
    int cx = ::GetSystemMetrics(SM_CXICON), cy = ::GetSystemMetrics(SM_CYICON);
    ::DrawIcon(dc, (r.right - cx + 1) / 2, (r.bottom - cy + 1) / 2, m_windowIcon);
    ::EndPaint(m_hWnd, &ps);
}

LRESULT CVeskSysTrayDlg::OnTrayNotify(WPARAM iconId, LPARAM message)
{
    if (SentFromAnotherThread()) {
        PostMessage(WM_TRAY_NOTIFY, iconId, message);
        return 0;
    }
    UINT id = static_cast<UINT>(iconId);
    switch (static_cast<UINT>(message)) {
    case WM_LBUTTONDBLCLK:
        if (m_clickTimer)
            KillTimer(m_clickTimer);
        m_clickTimer = 0;
        CPcManager::StartConfiguratorUnlessRunning();
        return 0;
    case WM_RBUTTONUP: {
        POINT point{};
        ::GetCursorPos(&point);
        ShowMenu(id, point);
        return 0;
    }
    case WM_LBUTTONDOWN:
        ::GetCursorPos(&m_clickPoint);
        m_clickTimer = SetTimer(kClickTimer, ::GetDoubleClickTime());
        break;
    case WM_MOUSEMOVE:
        UpdateTooltip(m_currentProductId);
        break;
    }
    m_trayIcon.OnTrayNotification(id, static_cast<UINT>(message));
    return 0;
}

void CVeskSysTrayDlg::ShowMenu(UINT iconId, POINT point)
{
    BuildTrayMenu();
    m_trayIcon.OnTrayNotification(iconId, WM_RBUTTONUP, point);
}

void CVeskSysTrayDlg::BuildTrayMenu()
{
    CDeviceManager manager;
    manager.GetProfileNames(m_profileNames);
    CString active;
    manager.GetActiveProfileName(active);
    m_menu.DestroyMenu();
    m_menu.LoadMenu(IDR_TRAYMENU);
    CString close;
    bool translated = TranslateTrayKey(L"$CloseTrayIcon", close);
    // The configurator item names the product attached, else the last seen.
    int product = manager.IsDevicePresent() ? manager.GetProductId() : 0;
    if (product)
        m_menuKeys[0] = m_menuKeys[product];
    const CString& key = m_menuKeys[0];
    ::BuildTrayMenu(m_menu.GetSubMenu(0), m_profileNames, active, TrayText(key, EnglishOf(key)),
                    translated ? close.GetString() : nullptr);
    m_trayIcon.SetMenu(m_menu);
    m_trayIcon.SetDefaultMenuItem(ID_TRAY_CONFIGURATOR, true);
}

void CVeskSysTrayDlg::UpdateTooltip(int productId)
{
    CString name = m_productNames[productId];
    m_productNames[0] = name;
    m_trayIcon.SetTooltip(ComposeTooltip(name, productId, m_battery ? m_battery->Text() : CString()));
}

void CVeskSysTrayDlg::OnOpenConfigurator()
{
    CPcManager::StartConfiguratorUnlessRunning();
}

void CVeskSysTrayDlg::OnProfileCommand(UINT id)
{
    ActivateProfileByIndex(id - ID_TRAY_PROFILE_FIRST);
}

void CVeskSysTrayDlg::ActivateProfileByIndex(size_t index)
{
    if (index >= m_profileNames.size())
        return;
    const CString name = m_profileNames[index];
    CDeviceManager manager;
    _Profile_Setting_ setting;
    // The notice is the new profile's: its own display flag decides.
    if (manager.ActivateProfile(name) && manager.GetProfileSetting(name, setting) && setting.profileOsd)
        ShowProfileName(name);
}

void CVeskSysTrayDlg::ShowProfileName(const CString& name)
{
    if (m_osd)
        m_osd->ShowOsdText(name);
}

void CVeskSysTrayDlg::OnCloseCommand()
{
    CloseTray();
    DestroyWindow();
}

void CVeskSysTrayDlg::OnClose()
{
    CloseTray();
    DestroyWindow();
}

void CVeskSysTrayDlg::CloseTray()
{
    if (m_closed)
        return;
    m_closed = true;
    m_osd.reset();  // the display is off from here
    if (m_osdCom)
        ::CoUninitialize();
    m_osdCom = false;
    m_recorder.OnRecordCancel();
    DisconnectSinks();
    if (m_sessionNotify)
        ::WTSUnRegisterSessionNotification(m_hWnd);
    m_sessionNotify = false;
    if (m_deviceNotify && ::UnregisterDeviceNotification(m_deviceNotify))
        m_deviceNotify = nullptr;
    KillTimer(kLinkedProgramTimer);
}
