#include "VeskAppDlg.h"

#include <shellapi.h>

#include <ctime>

#include "ItemIds.h"
#include "MouseConfigInterface.h"
#include "ModelFlags.h"
#include "ProgramFolder.h"
#include "ProgressMessenger.h"
#include "ProgressPanelItem.h"
#include "SkinLoader.h"
#include "VeskPopup.h"
#include "WarningPopup.h"
#include "StartMark.h"
#include "WidgetMessages.h"
#include "WidgetText.h"
#include "resource.h"

const wchar_t* const CVeskAppDlg::kWindowClass = L"SINGLE_INSTANCE_APP_KOVU";

namespace {

// The main page's items that carry a fixed model mask.
struct FixedMask {
    int id;
    int mask;
};
const FixedMask kMainPageMasks[] = {
    {BITMAP_ICON_KOVUZENT, MODEL_WIRELESS | MODEL_DOCK},
    {BITMAP_ICON_KOVU, MODEL_WIRED},
    {BITMAP_ICON_KOVUQUAREL, MODEL_2E},
    {BITMAP_ICON_NULL, MODEL_NULL},
    // The wireless mouse answers as 0x1F on its cable and as the dock's
    // 0x21 over the air.
    {BITMAP_CONNECTION_WIRED, MODEL_WIRELESS},
    {BITMAP_CONNECTION_WIRELESS, MODEL_DOCK | MODEL_NULL},
};

// Page tab ids in the order of m_pageButtons, and the pages each marks.
const int kPageButtonIds[5] = {BUTTON_ASSIGNBUTTONS, BUTTON_ADJUSTPERFORMANCE, BUTTON_MANAGEPROFILES,
                               BUTTON_MANAGEMACROS, BUTTON_LIGHTINGMAINTENANCE};
const int kPageButtonMasks[5] = {PAGE_BUTTONS | PAGE_KEYS, PAGE_PERFORMANCE, PAGE_PROFILES, PAGE_MACROS,
                                 PAGE_LIGHTING};

bool IsCommandItem(const CGUIItem* item)
{
    return item && (item->m_type == ITEM_BITMAPBTN || item->m_type == ITEM_TEXT);
}

}  // namespace

// A widget notification, routed to the page modules with its number.
#define ON_WIDGET_MESSAGE(msg) AFX_MSG(msg, *result = self->OnWidgetMessage(msg, wParam, lParam); return true;)

BEGIN_MESSAGE_MAP(CVeskAppDlg, CGUIPanel)
    ON_WM_NCHITTEST()
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_TIMER()
    ON_WM_ACTIVATE()
    ON_WM_DESTROY()
    ON_WM_QUERYDRAGICON()
    ON_MESSAGE(WM_HELP, OnHelp)
    ON_MESSAGE(WM_XLIST_ROW_CLICKED, OnRowClicked)
    ON_MESSAGE(WM_STATUS_REPORT, OnStatusReport)
    ON_MESSAGE(WM_APPLY_WRITE_NOW, OnApplyWriteNow)
    ON_MESSAGE(WM_PROGRESS_PERCENT, OnProgressPercent)
    ON_MESSAGE(WM_PROGRESS_TEXT, OnProgressText)
    ON_WM_DEVICECHANGE()
    ON_WIDGET_MESSAGE(WM_SLIDER_RELEASED)
    ON_WIDGET_MESSAGE(WM_SLIDER_CHANGING)
    ON_WIDGET_MESSAGE(WM_SLIDERTRACK_RELEASED)
    ON_WIDGET_MESSAGE(WM_DROPDOWN_SELECTED)
    ON_WIDGET_MESSAGE(WM_DROPDOWN_CLICKED)
    ON_WIDGET_MESSAGE(WM_XLIST_CELL_CHANGED)
    ON_WIDGET_MESSAGE(WM_XLIST_CHECK_CHANGED)
    ON_WIDGET_MESSAGE(WM_XLIST_CONTEXT)
    ON_WIDGET_MESSAGE(WM_XLIST_COMMAND)
    ON_WIDGET_MESSAGE(WM_XLIST_ROW_ACTIVATED)
    ON_WIDGET_MESSAGE(WM_XLIST_EDIT_DONE)
    ON_WIDGET_MESSAGE(WM_LISTPANEL_CHOSEN)
    ON_WIDGET_MESSAGE(WM_LISTPANEL_ROW_CLICKED)
    ON_WIDGET_MESSAGE(WM_MACRO_EVENTS_CHANGED)
    ON_WIDGET_MESSAGE(WM_MACRO_EVENT_EDIT)
    ON_WIDGET_MESSAGE(WM_MACRO_PLAYBACK_DONE)
    ON_WIDGET_MESSAGE(WM_MACRO_RECORD_FULL)
    ON_WIDGET_MESSAGE(WM_ITEM_VALUE_CHOSEN)
    ON_WIDGET_MESSAGE(WM_EDITITEM_CHANGED)
    ON_WIDGET_MESSAGE(WM_EDITITEM_LEFT)
    ON_WIDGET_MESSAGE(WM_COLORPALETTE_SELECT)
    ON_WIDGET_MESSAGE(WM_COLORPALETTE_CANCEL)
    ON_WIDGET_MESSAGE(WM_COLORPALETTE_CUSTOM)
    ON_WIDGET_MESSAGE(WM_DPISTAGE_SELECTED)
    ON_WIDGET_MESSAGE(WM_KBDKEY_HOVER)
    ON_WIDGET_MESSAGE(WM_KBDKEY_PRESSED)
END_MESSAGE_MAP()

bool CVeskAppDlg::RegisterWindowClass(HINSTANCE instance, const wchar_t* className)
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (::GetClassInfoExW(instance, className, &wc))
        return true;
    wc = WNDCLASSEXW{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS | CS_SAVEBITS | CS_BYTEALIGNWINDOW;
    wc.lpfnWndProc = ::DefDlgProcW;
    wc.cbWndExtra = DLGWINDOWEXTRA;
    wc.hInstance = instance;
    wc.hIcon = ::LoadIconW(instance, MAKEINTRESOURCEW(IDR_MAINFRAME));
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)::GetStockObject(BLACK_BRUSH);
    wc.lpszClassName = className;
    return ::RegisterClassExW(&wc) != 0;
}

CVeskAppDlg::CVeskAppDlg(GenDevice** deviceSlot, IMouseConfig* config, CWnd* parent, ModuleFactory makeModules)
    : CGUIPanel(IDD_VESKAPP_DIALOG, L"MainPage.xml", parent),
      m_config(config),
      m_deviceSlot(deviceSlot),
      m_makeModules(makeModules)
{
    m_icon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
}

CVeskAppDlg::~CVeskAppDlg()
{
    m_modules.clear();
    // The lists go from the last to the first, then the main page's items.
    for (int i = kFrameListCount - 1; i >= 0; --i)
        m_lists[i].DeleteAll();
}

BOOL CVeskAppDlg::OnInitDialog()
{
    CGUIPanel::OnInitDialog();
    if (GenDevice* device = Device())
        device->AddProgressListener(m_hWnd);
    m_deviceListener.RegisterWindow(this);
    SetIcon(m_icon, TRUE);
    SetIcon(m_icon, FALSE);
    MakeLayeredWithKey(RGB(255, 0, 255));  // magenta pixels of the skin are see-through
    SetWindowText(L"Tandu Kovu Configurator");
    CenterOverOwner(m_hWnd);
    SetBenchMark(L"mainpage");

    LoadPageLists(m_lists, this, m_modelItems);
    SetBenchMark(L"pagelists");
    BindItems();
    m_modules = m_makeModules ? m_makeModules(*this) : PageModuleList();
    PageLists lists;
    lists.main = &m_items;
    for (int i = 0; i < kPageListCount; ++i)
        lists.lists[i] = &m_lists[i];
    for (auto& module : m_modules)
        module->Bind(lists);
    ShowPage(PAGE_BUTTONS);
    SetBenchMark(L"modules");

    GenDevice* device = Device();
    if (!m_config || !device || !device->IsConnected() || device->GetProductId() == 0) {
        ArmNoMouseTimer(500);
        return FALSE;
    }
    device->Transfer(m_config, kTransferRead, 0x2);  // the keys: the start-up read leaves them out
    m_modelFlag = ModelFlagFromProductId(device->GetProductId());
    SetTimer(kTimerStatus, 1000);
    PollDeviceStatus();
    SetBenchMark(L"keys");

    if (!m_config->GetActiveProfile()) {
        m_config->SetActiveProfile(m_config->GetProfile(0));
        if (!m_config->GetActiveProfile()) {
            ArmNoMouseTimer(500);
            return FALSE;
        }
    }
    for (const FixedMask& row : kMainPageMasks) {
        if (CGUIItem* item = m_items.FindById(row.id))
            m_modelItems.push_back({item, row.mask});
    }
    SaveLightingState();
    for (auto& module : m_modules)
        module->Fill();
    SetBenchMark(L"filled");
    ShowItemsForModel();
    m_unsaved = false;
    if (m_apply)
        m_apply->EnableWindow(FALSE);
    if (m_progressPanel)
        m_progressPanel->Start();
    SetBenchMark(L"dialog");
    return TRUE;
}

void CVeskAppDlg::OnPaint()
{
    CGUIPanel::OnPaint();
    if (!m_painted) {
        m_painted = true;
        SetBenchMark(L"paint");  // the benchmark times the start to here
    }
}

void CVeskAppDlg::BindItems()
{
    for (int i = 0; i < 5; ++i)
        m_pageButtons[i] = FindTypedItem<CBitmapBtn>(&m_items, kPageButtonIds[i], ITEM_BITMAPBTN);
    m_ok = FindTypedItem<CBitmapBtn>(&m_items, BUTTON_OK, ITEM_BITMAPBTN);
    m_cancel = FindTypedItem<CBitmapBtn>(&m_items, BUTTON_CANCEL, ITEM_BITMAPBTN);
    m_apply = FindTypedItem<CBitmapBtn>(&m_items, BUTTON_APPLY, ITEM_BITMAPBTN);
    m_firmwareText = FindTypedItem<CTextItem>(&m_items, TEXT_FIRMWAREVER, ITEM_TEXT);
    for (int i = 0; i < 4; ++i)
        m_batterySegments[i] = m_items.FindById(BATTERY_LEVEL0 + i);
    m_progressPanel = FindTypedItem<CProgressPanelItem>(&m_items, PROG_PANEL_ITEM_MAINPAGE, ITEM_PROGRESSPANEL);
}

void CVeskAppDlg::ShowPage(int mask)
{
    int index = PageIndexFromMask(mask);
    if (index < 0)
        return;
    int target = 1 << index;
    if (target == m_currentPage)
        return;
    for (int i = 0; i < 6; ++i)
        m_lists[i].ShowAll(i == index);
    m_lists[LIST_STRIP].ShowAll((target & (PAGE_BUTTONS | PAGE_KEYS | PAGE_PERFORMANCE)) != 0);
    for (int i = 0; i < 5; ++i) {
        if (m_pageButtons[i])
            m_pageButtons[i]->SetSelected((kPageButtonMasks[i] & target) != 0);
    }
    m_currentPage = target;
    ShowItemsForModel();
    for (auto& module : m_modules)
        module->OnPageShown(m_currentPage);
}

void CVeskAppDlg::ShowItemsForModel()
{
    if (CBitmapBtn* tab = m_pageButtons[4])
        tab->SetCaption(IsWiredModel(m_modelFlag) ? L"$Lighting" : L"$LightingAndPower");
    int index = PageIndexFromMask(m_currentPage);
    const CGUIItems* current = index >= 0 ? &m_lists[index] : nullptr;
    for (const ModelItem& entry : m_modelItems) {
        // Only items of the main page and of the page shown: the others
        // are hidden with their lists.
        bool onMain = m_items.FindById(entry.item->m_id) == entry.item;
        bool onCurrent = current && current->FindById(entry.item->m_id) == entry.item;
        if (onMain || onCurrent)
            entry.item->Show(ShownForModel(entry.mask, m_modelFlag));
    }
}

template <class Fn>
bool CVeskAppDlg::RouteToModules(Fn fn, bool currentOnly)
{
    CPageModule* current = nullptr;
    for (auto& module : m_modules) {
        if (module->PageMask() == m_currentPage)
            current = module.get();
    }
    if (current && fn(*current))
        return true;
    if (currentOnly)
        return false;
    for (auto& module : m_modules) {
        if (module.get() != current && fn(*module))
            return true;
    }
    return false;
}

BOOL CVeskAppDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    HWND sender = (HWND)lParam;
    CGUIItem* item = nullptr;
    int list = -1;
    if (sender) {
        int index = PageIndexFromMask(m_currentPage);
        if ((item = m_items.FindByHwnd(sender)) != nullptr) {
            list = -1;
        } else if (index >= 0 && (item = m_lists[index].FindByHwnd(sender)) != nullptr) {
            list = index;
        } else if ((item = m_lists[LIST_STRIP].FindByHwnd(sender)) != nullptr) {
            list = LIST_STRIP;
        }
    }
    if (!IsCommandItem(item))
        return CGUIPanel::OnCommand(wParam, lParam);
    if (m_recording && item->m_id != BUTTON_MACRO_RECORD_STOP)
        return TRUE;
    if (HandleFrameCommand(item->m_id))
        return TRUE;
    if (IsWriting())
        return TRUE;
    CPageModule::Command command{item, item->m_id, list, HIWORD(wParam)};
    if (RouteToModules([&](CPageModule& m) { return m.OnCommand(command); }))
        return TRUE;
    return CGUIPanel::OnCommand(wParam, lParam);
}

bool CVeskAppDlg::HandleFrameCommand(int id)
{
    switch (id) {
    case BUTTON_ASSIGNBUTTONS:
    case TEXT_TOPVIEW_BUTTON:
        ShowPage(PAGE_BUTTONS);
        return true;
    case TEXT_THUMBGRIDVIEW_BUTTON:
        ShowPage(PAGE_KEYS);
        return true;
    case BUTTON_ADJUSTPERFORMANCE:
        ShowPage(PAGE_PERFORMANCE);
        return true;
    case BUTTON_MANAGEPROFILES:
        ShowPage(PAGE_PROFILES);
        return true;
    case BUTTON_MANAGEMACROS:
        ShowPage(PAGE_MACROS);
        return true;
    case BUTTON_LIGHTINGMAINTENANCE:
        ShowPage(PAGE_LIGHTING);
        return true;
    case BUTTON_OK:
        if (IsWriting())
            return true;
        m_okPending = true;
        Apply();
        // A write that could not start is told and the window stays, with
        // the edit still to apply; without a mouse the no-mouse popup comes.
        if (TellWriteTrouble() || m_timer1) {
            m_okPending = false;
            return true;
        }
        ShowWindow(SW_HIDE);
        PostMessage(WM_CLOSE);  // waits for the write to end (OnCancel)
        return true;
    case BUTTON_CANCEL:
        ShowWindow(SW_HIDE);
        MarkUnsaved();
        PostMessage(WM_CLOSE);
        return true;
    case BUTTON_APPLY:
        if (!IsWriting()) {
            Apply();
            TellWriteTrouble();
        }
        return true;
    case BUTTON_HELP:
        OpenManual();
        return true;
    case BUTTON_EXIT:
        PostMessage(WM_CLOSE);
        return true;
    case BUTTON_UPDATE:
        OpenShellPage(L"update.html");
        return true;
    case BUTTON_FB:
    case BUTTON_TWITTER:
    case BUTTON_VREL:
        OpenShellPage(L"community.html");
        return true;
    default:
        return false;
    }
}

LRESULT CVeskAppDlg::OnWidgetMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (IsWriting())
        return 0;
    LRESULT result = 0;
    // While a macro is recorded only the macros page hears its widgets.
    RouteToModules([&](CPageModule& m) { return m.OnWidgetMessage(message, wParam, lParam, &result); },
                   m_recording);
    return result;
}

void CVeskAppDlg::OnCancel()
{
    if (m_recording)
        return;
    if (IsWriting()) {
        // The write is not cut short: the window goes and the dialog ends
        // once the write has.
        ShowWindow(SW_HIDE);
        m_closeAfterWrite = true;
        WatchWrite();
        return;
    }
    TakeWriteResult();  // a write may have ended since the last tick
    if (m_okPending && TellWriteTrouble())
        return;  // OK's write failed: the window came back
    m_trouble = kNoTrouble;  // a close the user asked for needs no reason
    m_closing = true;
    EndDialog(IDCANCEL);
    GenDevice* device = Device();
    if (!m_unsaved || !m_config || !device || !device->IsConnected())
        return;
    if (!device->Transfer(m_config, kTransferRead, 0x30F))
        return;
    // The device's lights as last applied go back to it.
    if (!RestoreAppliedLighting(*m_config))
        return;
    SaveLightingState();
    RestoreLightingState();
    if (!device->IsBusy())
        StartSendLighting();
}

bool CVeskAppDlg::Apply()
{
    if (!m_config || m_closing)
        return false;
    PrepareSnapshotsForWrite(*m_config);
    GenDevice* device = Device();
    if (m_modelFlag == MODEL_DOCK) {
        bool idle = device && !device->IsBusy();
        if (!m_applyWorkers.Start(m_hWnd))
            return false;
        WatchWrite();
        if (!idle)
            return false;
        // Counted as started; a write the device then refuses marks the
        // configuration unsaved again.
        m_unsaved = false;
        if (m_apply)
            m_apply->EnableWindow(FALSE);
        return true;
    }
    return WriteToDevice();
}

bool CVeskAppDlg::WriteToDevice()
{
    GenDevice* device = Device();
    if (!device || !m_config || device->IsBusy())
        return false;
    // Listeners do not survive a change of model; a second add is harmless.
    device->AddProgressListener(m_hWnd);
    if (m_progressPanel && m_progressPanel->Thread()) {
        m_progressPanel->Thread()->PostHeadingText(L"Writing to device ...");
        m_progressPanel->ShowPanel();
    }
    if (!device->Transfer(m_config, kTransferWrite, 0x2FFF)) {
        HideProgress();
        MarkUnsaved();
        // The device object refuses when it no longer finds the running
        // model: that is the mouse gone, noticed here before any removal
        // notice. Otherwise the user is told and can try again.
        if (!device->IsConnected() || ModelFlagFromProductId(device->GetProductId()) != m_modelFlag)
            NoticeMouseGone();
        else
            m_trouble = kWriteRefused;
        return false;
    }
    // The profiles' applied lights settle once the write is known to have
    // ended well (TakeWriteResult).
    m_writeStarted = true;
    m_unsaved = false;
    if (m_apply)
        m_apply->EnableWindow(FALSE);
    WatchWrite();
    return true;
}

void CVeskAppDlg::TakeWriteResult()
{
    if (!m_writeStarted || IsWriting())
        return;
    m_writeStarted = false;
    GenDevice* device = Device();
    if (device && device->LastWriteSucceeded()) {
        // Only now do the profiles' applied lights become what the device has.
        if (m_config)
            SettleSnapshotsAfterWrite(*m_config);
        SaveLightingState();
        return;
    }
    // The device did not take it all: the edit stays unsaved, so Apply can
    // be pressed again and a close puts the device's own state back.
    MarkUnsaved();
    m_trouble = kWriteFailed;
}

bool CVeskAppDlg::TellWriteTrouble()
{
    const WriteTrouble trouble = m_trouble;
    m_trouble = kNoTrouble;
    if (trouble == kNoTrouble || m_closing)
        return false;
    if (m_okPending) {
        m_okPending = false;
        m_closeAfterWrite = false;
        ShowWindow(SW_SHOW);
    }
    ShowWarning(trouble == kWriteRefused ? L"WriteRefusedPopup.xml" : L"WriteFailedPopup.xml");
    return true;
}

void CVeskAppDlg::WatchWrite()
{
    if (!m_writeWatched && m_hWnd) {
        SetTimer(kTimerWrite, 100);
        m_writeWatched = true;
    }
}

void CVeskAppDlg::OnWriteEnded()
{
    KillTimer(kTimerWrite);
    m_writeWatched = false;
    HideProgress();
    TakeWriteResult();
    SetBenchMark(L"applied");  // the benchmark times Apply to here
    if (m_closeAfterWrite) {
        m_closeAfterWrite = false;
        if (m_okPending && TellWriteTrouble())
            return;  // OK's write failed: the window came back
        PostMessage(WM_CLOSE);
        return;
    }
    // The dock's write, or its refusal, ends here too.
    TellWriteTrouble();
}

void CVeskAppDlg::HideProgress()
{
    CProgressPanelThread* thread = m_progressPanel ? m_progressPanel->Thread() : nullptr;
    if (!thread)
        return;
    thread->PostPercent(0);
    if (HWND panel = thread->PanelWindow())
        ::ShowWindow(panel, SW_HIDE);
}

LRESULT CVeskAppDlg::OnApplyWriteNow(WPARAM, LPARAM request)
{
    // Posted, never sent: the write starts here with no other thread
    // waiting inside a sent message, so its calls to the device service
    // may leave this thread. A refusal is told once the worker has ended
    // (OnWriteEnded).
    if (!m_applyWorkers.IsWaiting(request))
        return 0;  // late, or not a worker's
    m_applyWorkers.Answer(request, StartDockWrite());
    return 0;
}

ApplyAnswer CVeskAppDlg::StartDockWrite()
{
    GenDevice* device = Device();
    if (m_closing || !device || !m_config)
        return kApplyGiveUp;
    if (device->IsBusy())
        return kApplyBusy;
    WriteToDevice();
    return kApplyDone;
}

LRESULT CVeskAppDlg::OnProgressPercent(WPARAM sender, LPARAM percent)
{
    GenDevice* device = Device();
    CProgressPanelThread* thread = m_progressPanel ? m_progressPanel->Thread() : nullptr;
    if (thread && device && (CProgressMessenger*)sender == device->GetProgressMessenger())
        thread->PostPercent((unsigned)percent);
    return 0;
}

LRESULT CVeskAppDlg::OnProgressText(WPARAM sender, LPARAM text)
{
    GenDevice* device = Device();
    CProgressPanelThread* thread = m_progressPanel ? m_progressPanel->Thread() : nullptr;
    if (thread && device && text && (CProgressMessenger*)sender == device->GetProgressMessenger())
        thread->PostStatusText((const wchar_t*)text);
    return 0;
}

void CVeskAppDlg::SaveLightingState()
{
    if (m_config)
        m_lightingState.Save(*m_config, m_modelFlag);
}

void CVeskAppDlg::RestoreLightingState()
{
    if (m_config)
        m_lightingState.Restore(*m_config, m_modelFlag);
}

bool CVeskAppDlg::StartSendLighting()
{
    LightingValues values;
    if (!m_config || !ActiveLightingValues(*m_config, values))
        return false;  // no profile active: nothing to preview
    m_lightingSender.SetLatest(values);
    GenDevice* device = Device();
    bool idle = !device || !device->IsBusy();
    m_lightingSender.Start();
    return idle;
}

void CVeskAppDlg::MarkUnsaved()
{
    m_unsaved = true;
    if (m_apply)
        m_apply->EnableWindow(TRUE);
}

void CVeskAppDlg::RefreshPages()
{
    for (auto& module : m_modules)
        module->Refresh();
}

bool CVeskAppDlg::IsWriting() const
{
    GenDevice* device = m_deviceSlot ? *m_deviceSlot : nullptr;
    return (device && device->IsBusy()) || m_applyWorkers.Pending() > 0;
}

INT_PTR CVeskAppDlg::ShowWarning(const wchar_t* file, const wchar_t* dataText, const wchar_t* heading)
{
    return RunWarningPopup(this, file, dataText, heading);
}

void CVeskAppDlg::ArmNoMouseTimer(UINT elapse)
{
    m_timer1 = SetTimer(kTimerNoMouse, elapse);
}

void CVeskAppDlg::OnTimer(UINT_PTR id)
{
    if (id == kTimerWrite) {
        if (!IsWriting())
            OnWriteEnded();
        return;
    }
    if (m_timer1) {
        if (id != kTimerNoMouse)
            return;
        KillTimer(kTimerNoMouse);
        ShowWarning(L"NoMousePopup.xml");
        PostMessage(WM_CLOSE);
        return;
    }
    if (id == kTimerProgress) {
        KillTimer(kTimerProgress);
        EndFactoryProgress();
    } else if (id == kTimerStatus) {
        if (GenDevice* device = Device())
            device->IsConnected();
        PollDeviceStatus();
        ShowFirmwareVersion();
    }
}

void CVeskAppDlg::PollDeviceStatus()
{
    if (IsWiredModel(m_modelFlag)) {
        for (CGUIItem* segment : m_batterySegments) {
            if (segment)
                segment->Show(false);
        }
        return;
    }
    if (m_pendingStatus && !IsWriting()) {
        std::unique_ptr<StatusReport> report = std::move(m_pendingStatus);
        StoreStatus(*report);
    }
    long long now = (long long)::time(nullptr);
    if ((!m_statusReader.HasStarted() || now - m_lastStatusStart > 4) && !m_statusReader.IsRunning()) {
        m_lastStatusStart = now;
        m_statusReader.Start(m_hWnd, m_modelFlag, m_modelFlag == MODEL_DOCK && !m_firmwareRead);
    }
    int count = m_config ? m_battery.Tick(m_config->GetBatteryState(), m_config->GetBatteryLevel(), m_statusRead) : -1;
    for (int i = 0; i < 4; ++i) {
        if (m_batterySegments[i])
            m_batterySegments[i]->Show(BatterySegmentShown(i, count));
    }
}

LRESULT CVeskAppDlg::OnStatusReport(WPARAM, LPARAM lParam)
{
    std::unique_ptr<StatusReport> report(TakeStatusReport(lParam));
    if (!report)
        return 0;
    // The configuration must not change under a running write: keep the
    // newest report for the next tick.
    if (IsWriting())
        m_pendingStatus = std::move(report);
    else
        StoreStatus(*report);
    return 0;
}

void CVeskAppDlg::StoreStatus(const StatusReport& report)
{
    if (report.batteryRead && m_config) {
        m_config->SetBatteryLevel(report.batteryLevel);
        m_config->SetBatteryState(report.batteryState);
        m_statusRead = true;
    }
    if (report.firmwareRead && !m_firmwareRead) {
        m_firmware = report.firmware;
        m_firmwareRead = true;
    }
}

void CVeskAppDlg::ShowFirmwareVersion()
{
    if (!m_firmwareText)
        return;
    CString version;
    if (m_modelFlag == MODEL_DOCK) {
        if (!m_firmwareRead) {
            m_firmwareText->Show(false);
            return;
        }
        version = m_firmware;
    } else {
        GenDevice* device = Device();
        if (!device || !device->GetVersionA(version))
            return;
    }
    if (m_firmwareShown || version.IsEmpty())
        return;
    bool translated = false;
    CString label = TranslateWidgetText(L"$FirmwareVersion", &translated);
    CString text;
    text.Format(L"%s: %s", translated ? (const wchar_t*)label : L"Firmware version", (const wchar_t*)version);
    m_firmwareText->SetText(text);
    m_firmwareText->Show(true);
    m_firmwareShown = true;
}

BOOL CVeskAppDlg::OnDeviceChange(UINT event, DWORD_PTR data)
{
    if (IsRunningModelRemoval(event, (LPARAM)data, m_modelFlag))
        NoticeMouseGone();
    return TRUE;
}

void CVeskAppDlg::NoticeMouseGone()
{
    if (m_timer1)
        return;  // once: the popup shows or is on its way
    m_removed = true;
    ArmNoMouseTimer(5);
    KillTimer(kTimerStatus);
}

void CVeskAppDlg::StopWorkers()
{
    KillTimer(kTimerStatus);
    m_statusReader.Join();
    // Reports posted before the reader ended still wait in the queue.
    MSG msg;
    while (::PeekMessageW(&msg, m_hWnd, WM_STATUS_REPORT, WM_STATUS_REPORT, PM_REMOVE))
        delete TakeStatusReport(msg.lParam);
}

void CVeskAppDlg::OnActivate(UINT state, CWnd* other, BOOL minimized)
{
    Default();
    SetTimer(kTimerProgress, 200);
}

void CVeskAppDlg::OnDestroy()
{
    m_closing = true;
    KillTimer(kTimerWrite);
    m_applyWorkers.StopAndJoin();
    m_lightingSender.Join();
    StopWorkers();
    if (GenDevice* device = Device())
        device->RemoveProgressListener(m_hWnd);
    m_modules.clear();
    CGUIPanel::OnDestroy();
}

LRESULT CVeskAppDlg::OnNcHitTest(CPoint point)
{
    // The whole skin drags the window.
    LRESULT hit = Default();
    return hit == HTCLIENT ? HTCAPTION : hit;
}

LRESULT CVeskAppDlg::OnHelp(WPARAM, LPARAM)
{
    if (!m_recording)
        OpenManual();
    return TRUE;
}

void CVeskAppDlg::OpenManual()
{
    OpenShellPage(L"index.html");
}

void CVeskAppDlg::OpenShellPage(const wchar_t* page)
{
    // Pages ship under Manuals\ in the model's folder; a prefix without a
    // handler for them just opens nothing.
    CString path = GetProgramFolder() + L"Manuals\\" + (IsWiredModel(m_modelFlag) ? L"Kovu\\" : L"KovuZent\\") + page;
    ::ShellExecuteW(m_hWnd, L"OPEN", path, nullptr, nullptr, SW_SHOWNORMAL);
}
