// What the controller does on the mouse's events, device and session
// changes, and its timers.
#include "VeskSysTrayDlg.h"

#include <shellapi.h>

#include "DeviceInterfacePath.h"
#include "LinkedProfile.h"
#include "PcManager.h"
#include "TrayText.h"

bool CVeskSysTrayDlg::CheckProductId(bool update)
{
    CDeviceManager manager;
    if (!manager.IsDevicePresent()) {
        m_currentProductId = 0;
        return false;
    }
    if (manager.GetProductId() != m_currentProductId) {
        if (update)
            m_currentProductId = manager.GetProductId();
        return false;
    }
    return true;
}

void CVeskSysTrayDlg::ConnectSinks()
{
    if (!m_closed)
        m_sinks->ConnectAll();
}

void CVeskSysTrayDlg::DisconnectSinks()
{
    m_sinks->DisconnectAll();
}

// COM refuses outgoing calls while this thread handles a message another
// thread is waiting for (the system sends device changes so); such work is
// posted to this window again and done when it arrives.
bool CVeskSysTrayDlg::SentFromAnotherThread()
{
    return (::InSendMessageEx(nullptr) & (ISMEX_SEND | ISMEX_REPLIED)) == ISMEX_SEND;
}

BOOL CVeskSysTrayDlg::OnDeviceChange(UINT event, DWORD_PTR data)
{
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
    CString path;
    int productId = 0;
    if (event == DBT_DEVICEARRIVAL || event == DBT_DEVICEREMOVECOMPLETE) {
        // The record is the sender's: only what it says is kept.
        if (!InterfacePathOf(header, path) || !(productId = TrayProductOfPath(path)))
            return TRUE;
    } else if (event != DBT_DEVNODES_CHANGED) {
        return TRUE;
    }
    if (SentFromAnotherThread())
        PostMessage(WM_TRAY_DEVICE_EVENT, event, productId);
    else
        OnDeviceEvent(event, productId);
    return TRUE;
}

LRESULT CVeskSysTrayDlg::OnDeviceEvent(WPARAM event, LPARAM productId)
{
    if (m_closed)
        return 0;
    switch (event) {
    case DBT_DEVNODES_CHANGED:
        CheckProductId(true);
        // Products that went lose their connections; those that stay keep
        // theirs, and the program check runs while any product is attached.
        if (!m_sinks->DisconnectAbsent()) {
            KillTimer(kLinkedProgramTimer);
            m_recorder.ResetRecorder();
        }
        break;
    case DBT_DEVICEARRIVAL:
        OnInterfaceArrival(static_cast<int>(productId));
        break;
    case DBT_DEVICEREMOVECOMPLETE:
        OnInterfaceRemoval(static_cast<int>(productId));
        break;
    }
    return 0;
}

void CVeskSysTrayDlg::OnInterfaceArrival(int productId)
{
    SetTimer(kLinkedProgramTimer, kLinkedProgramMs);
    ConnectSinks();
    CheckProductId(true);
    m_battery->ClearText();
    m_battery->MarkDue();
    // Both wireless ids have a battery; the wired mouse has none.
    if (productId != kProductWired)
        StartBatteryReading();
}

void CVeskSysTrayDlg::OnInterfaceRemoval(int productId)
{
    m_recorder.ResetRecorder();
    CDeviceManager manager;
    manager.ScanPresentProducts();
    if (manager.IsPresent(productId)) {
        // Another interface of the same product went: connect it anew.
        m_sinks->DisconnectProduct(productId);
        m_sinks->ConnectProduct(productId);
    }
    bool anyLeft = m_sinks->DisconnectAbsent();
    CheckProductId(true);
    if (!anyLeft)
        KillTimer(kLinkedProgramTimer);
}

void CVeskSysTrayDlg::OnSessionChange(UINT code, UINT sessionId)
{
    if (m_closed)
        return;
    if (SentFromAnotherThread()) {
        PostMessage(WM_WTSSESSION_CHANGE, code, sessionId);
        return;
    }
    switch (code) {
    case WTS_CONSOLE_CONNECT:
    case WTS_SESSION_LOGON:
    case WTS_SESSION_UNLOCK:
        SetTimer(kLinkedProgramTimer, kLinkedProgramMs);
        ConnectSinks();
        break;
    case WTS_CONSOLE_DISCONNECT:
    case WTS_SESSION_LOGOFF:
    case WTS_SESSION_LOCK:
        KillTimer(kLinkedProgramTimer);
        DisconnectSinks();
        m_recorder.OnRecordCancel();
        break;
    }
}

void CVeskSysTrayDlg::OnTimer(UINT_PTR id)
{
    switch (id) {
    case kLinkedProgramTimer:
        if (CheckProductId(false))
            CheckLinkedProgram();
        break;
    case kClickTimer:
        if (m_clickTimer && id == m_clickTimer) {
            KillTimer(m_clickTimer);
            m_clickTimer = 0;
            ShowMenu(kTrayIconId, m_clickPoint);
        }
        break;
    case kBatteryTimer:
        StartBatteryReading();
        break;
    }
    Default();
}

void CVeskSysTrayDlg::StartBatteryReading()
{
    CDeviceManager manager;
    m_battery->StartReading(manager.IsDevicePresent() ? manager.GetProductId() : 0,
                            TrayText(L"$Battery", L"Battery"));
}

void CVeskSysTrayDlg::CheckLinkedProgram()
{
    CDeviceManager manager;
    CString active;
    if (!manager.GetProfileSettings(m_profileSettings) || !manager.GetActiveProfileName(active))
        return;
    int i = ChooseLinkedProfile(m_profileSettings, active, &CPcManager::ForegroundMatches);
    if (i < 0)
        return;
    const _Profile_Setting_& chosen = m_profileSettings[i];
    manager.ActivateProfile(chosen.name);
    if (chosen.profileOsd)
        ShowProfileName(chosen.name);
}

void CVeskSysTrayDlg::QueueMouseEvent(const MouseEvent& event)
{
    if (m_closed)
        return;
    m_mouseEvents.push_back(event);
    if (!PostMessage(WM_TRAY_MOUSE_EVENT))
        m_mouseEvents.pop_back();
}

void CVeskSysTrayDlg::OnDpiChanged(unsigned x, unsigned y, unsigned rangeMax)
{
    MouseEvent event;
    event.kind = MouseEvent::Dpi;
    event.x = x;
    event.y = y;
    event.rangeMax = rangeMax;
    QueueMouseEvent(event);
}

void CVeskSysTrayDlg::OnProfileChanged(int)
{
    MouseEvent event;
    event.kind = MouseEvent::Profile;
    QueueMouseEvent(event);
}

void CVeskSysTrayDlg::OnLaunchApp(int code, const wchar_t* path)
{
    MouseEvent event;
    event.kind = MouseEvent::Launch;
    event.code = code;
    event.path = path ? path : L"";
    QueueMouseEvent(event);
}

LRESULT CVeskSysTrayDlg::OnMouseEvent(WPARAM, LPARAM)
{
    if (m_mouseEvents.empty())
        return 0;
    MouseEvent event = m_mouseEvents.front();
    m_mouseEvents.pop_front();
    if (m_closed)
        return 0;
    switch (event.kind) {
    case MouseEvent::Dpi:
        ShowDpi(event.x, event.y, event.rangeMax);
        break;
    case MouseEvent::Profile:
        ShowActiveProfile();
        break;
    case MouseEvent::Launch:
        if (event.code == 1 && !event.path.IsEmpty())
            ::ShellExecuteW(nullptr, L"open", event.path, nullptr, nullptr, SW_SHOWNORMAL);
        break;
    }
    return 0;
}

void CVeskSysTrayDlg::ShowDpi(unsigned x, unsigned y, unsigned rangeMax)
{
    if (!m_osd)
        return;
    CString active;
    _Profile_Setting_ setting;
    {
        CDeviceManager manager;
        if (!manager.GetActiveProfileName(active) || !manager.GetProfileSetting(active, setting))
            return;
    }
    if (!setting.dpiOsd || !m_osd)
        return;
    DpiOsdPlan plan = PlanDpiOsd(x, y, rangeMax);
    if (plan.bars == 1)
        m_osd->ShowLevelBar(plan.xLevel, plan.xText);
    else if (plan.bars == 2)
        m_osd->ShowTwoLevelBars(plan.xLevel, plan.xText, plan.yLevel, plan.yText);
}

void CVeskSysTrayDlg::ShowActiveProfile()
{
    CDeviceManager manager;
    CString active;
    _Profile_Setting_ setting;
    if (manager.GetActiveProfileName(active) && manager.GetProfileSetting(active, setting) &&
        setting.profileOsd == 1)
        ShowProfileName(active);
}
