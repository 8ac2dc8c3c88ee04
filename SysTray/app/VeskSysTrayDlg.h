// The tray program's hidden controller: the program's main window. It owns
// the notification-area icon and its menu, the on-screen display, the event
// connections, the battery text and the macro recorder; it follows device
// arrival and removal, session changes and its timers.
#pragma once
#include <windows.h>

#include <dbt.h>

#include <deque>
#include <map>
#include <memory>
#include <vector>

#include "BatteryMonitor.h"
#include "Dialog.h"
#include "EventHandlers.h"
#include "GUIItem.h"
#include "MacroRecorder.h"
#include "Menu.h"
#include "OsdDisplay.h"
#include "ProfileSetting.h"
#include "SinkConnections.h"
#include "TrayNotifyIcon.h"

// Timers of the controller.
const UINT_PTR kLinkedProgramTimer = 700;  // every 5 s
const UINT_PTR kClickTimer = 701;          // tells a click from a double click
const UINT_PTR kBatteryTimer = 702;        // every 25 minutes
const UINT kLinkedProgramMs = 5000;
const UINT kBatteryMs = 25 * 60 * 1000;
// A device change taken up after the system's message returned:
// wParam the change (DBT_*), lParam the product id.
const UINT WM_TRAY_DEVICE_EVENT = WM_APP + 1;
// A mouse event taken up after the service's call returned (one per event
// queued).
const UINT WM_TRAY_MOUSE_EVENT = WM_APP + 2;

// One event of the mouse, as the sinks reported it.
struct MouseEvent {
    enum Kind { Dpi, Profile, Launch } kind = Dpi;
    unsigned x = 0, y = 0, rangeMax = 0;  // Dpi
    int code = 0;                         // Launch
    CString path;                         // Launch
};

class CVeskSysTrayDlg : public CDialog,
                        public IDpiEventHandler,
                        public IProfileEventHandler,
                        public IMacroEventHandler,
                        public ILaunchAppEventHandler {
public:
    CVeskSysTrayDlg();
    ~CVeskSysTrayDlg() override;
    // Creates the hidden window; once it exists the object deletes itself
    // with it. On failure the caller deletes the object.
    BOOL Create();
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}

    // Event handlers (the sinks call them on this thread, inside the
    // service's call): each event is queued and taken up once that call has
    // returned, so the service's call never waits for the work, and no call
    // or release of the service's is taken in the middle of it.
    void OnDpiChanged(unsigned x, unsigned y, unsigned rangeMax) override;
    void OnProfileChanged(int index) override;
    void OnLaunchApp(int code, const wchar_t* path) override;
    void OnRecordStart() override { m_recorder.OnRecordStart(m_hWnd); }
    void OnRecordStop() override { m_recorder.OnRecordStop(); }
    void OnRecordCancel() override { m_recorder.OnRecordCancel(); }
    void OnRecordSave(int a, int b) override { m_recorder.OnRecordSave(a, b); }

protected:
    void OnSysCommand(UINT id, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(m_windowIcon); }
    BOOL OnDeviceChange(UINT event, DWORD_PTR data);
    LRESULT OnDeviceEvent(WPARAM event, LPARAM productId);
    LRESULT OnMouseEvent(WPARAM, LPARAM);
    void OnSessionChange(UINT code, UINT sessionId);
    LRESULT OnTrayNotify(WPARAM iconId, LPARAM message);
    void OnOpenConfigurator();
    void OnProfileCommand(UINT id);
    void OnCloseCommand();
    void OnTimer(UINT_PTR id);
    void OnClose();
    // The system frees a report only once the default procedure has seen it.
    void OnRawInput(UINT code, HRAWINPUT input)
    {
        m_recorder.OnRawInput(input);
        Default();
    }
    void PostNcDestroy() override;
    DECLARE_MESSAGE_MAP()

private:
    static bool SentFromAnotherThread();
    bool CheckProductId(bool update);
    void ActivateProfileByIndex(size_t index);
    void CloseTray();
    void ShowMenu(UINT iconId, POINT point);
    void BuildTrayMenu();
    void UpdateTooltip(int productId);
    void StartBatteryReading();
    void CheckLinkedProgram();
    void ConnectSinks();
    void DisconnectSinks();
    void LoadLanguage();
    void CreateDisplay();
    void RegisterNotifications();
    void OnInterfaceArrival(int productId);
    void OnInterfaceRemoval(int productId);
    void ShowProfileName(const CString& name);
    void QueueMouseEvent(const MouseEvent& event);
    void ShowDpi(unsigned x, unsigned y, unsigned rangeMax);
    void ShowActiveProfile();

    HICON m_windowIcon = nullptr;
    HICON m_trayIconImage = nullptr;
    CTrayNotifyIcon m_trayIcon;
    std::vector<CString> m_profileNames;  // of the last menu
    std::vector<_Profile_Setting_> m_profileSettings;
    CMenu m_menu;  // the one owner of the menu the icon shows
    POINT m_clickPoint{};
    UINT_PTR m_clickTimer = 0;
    std::unique_ptr<COsdDisplay> m_osd;  // null while the display is off
    bool m_osdCom = false;
    std::unique_ptr<CBatteryMonitor> m_battery;
    int m_currentProductId = kProductWireless;
    HDEVNOTIFY m_deviceNotify = nullptr;
    bool m_sessionNotify = false;
    bool m_closed = false;
    std::unique_ptr<CSinkConnections> m_sinks;
    std::deque<MouseEvent> m_mouseEvents;
    CMacroRecorder m_recorder;
    CGUIItems m_languageItems;
    std::map<int, CString> m_productNames;
    std::map<int, CString> m_menuKeys;
    bool m_com = false;
    bool m_deleteWithWindow = false;
};
