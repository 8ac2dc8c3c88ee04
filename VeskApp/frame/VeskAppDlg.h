// CVeskAppDlg: the configurator's one window. It owns the page item lists,
// switches pages, shows the items of the running model, routes the user's
// commands and widget messages to the page modules (PageModule.h), polls
// the device status and closes when the mouse goes away. It holds no page
// logic of its own.
#pragma once
#include <memory>
#include <vector>

#include "ApplyWorker.h"
#include "BitmapBtn.h"
#include "DeviceListener.h"
#include "GUIPanel.h"
#include "LightingSender.h"
#include "LightingState.h"
#include "PageFiles.h"
#include "PageModules.h"
#include "StatusDisplay.h"
#include "StatusReader.h"
#include "TextItems.h"
#include "WorkerGate.h"

class CProgressPanelItem;

class CVeskAppDlg : public CGUIPanel, public IPageHost {
public:
    // The main window's class; its template (102) names it, so a second
    // start finds the running window by class.
    static const wchar_t* const kWindowClass;
    // Registers the class (kWindowClass unless a test names its own) for
    // this instance, once; false on failure.
    static bool RegisterWindowClass(HINSTANCE instance, const wchar_t* className = kWindowClass);

    // deviceSlot: the application's device-object pointer (the object can
    // be replaced behind it); config: the one configuration.
    // makeModules builds the page modules (tests give their own).
    using ModuleFactory = PageModuleList (*)(IPageHost& host);
    CVeskAppDlg(GenDevice** deviceSlot, IMouseConfig* config, CWnd* parent = nullptr,
                ModuleFactory makeModules = &CreatePageModules);
    ~CVeskAppDlg() override;

    BOOL OnInitDialog() override;
    void BindItems() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // Enter in the main window does nothing: it must not close the program
    // past the write and the lighting restore that OK and Cancel do.
    void OnOK() override {}
    void OnCancel() override;

    // mask: one PageMask bit (the lowest page bit counts).
    void ShowPage(int mask);
    void ShowItemsForModel();
    virtual void OpenManual();

    // IPageHost
    IMouseConfig* Config() override { return m_config; }
    GenDevice* Device() override { return m_deviceSlot ? *m_deviceSlot : nullptr; }
    CWnd* OwnerWindow() override { return this; }
    int ModelFlag() const override { return m_modelFlag; }
    int CurrentPage() const override { return m_currentPage; }
    void MarkUnsaved() override;
    bool IsUnsaved() const override { return m_unsaved; }
    void RefreshPages() override;
    void SetRecording(bool recording) override { m_recording = recording; }
    bool IsRecording() const override { return m_recording; }
    bool IsWriting() const override;
    void SaveLightingState() override;
    void RestoreLightingState() override;
    bool StartSendLighting() override;
    INT_PTR ShowWarning(const wchar_t* file, const wchar_t* dataText = nullptr,
                        const wchar_t* heading = nullptr) override;

    // For tests and the page modules' owners.
    CGUIItems& List(int index) { return m_lists[index]; }
    const PageModuleList& Modules() const { return m_modules; }
    bool IsTimer1Armed() const { return m_timer1 != 0; }
    // Past EndDialog (the close did not wait for a write, or it has ended).
    bool HasEnded() const { return m_closing; }
    int BatteryCount() const { return m_battery.Count(); }

    // Writes the whole configuration (the dock through an Apply worker);
    // true when the write started (the dock: was queued while the device
    // was idle). A write that did not start keeps the unsaved flag; when the
    // mouse is gone the no-mouse popup follows, as when it is unplugged.
    bool Apply();
    // The write on the UI thread; false when the device is busy or refuses.
    bool WriteToDevice();
    void HideProgress();
    // A write started whose result the dialog has not yet taken.
    bool WriteResultPending() const { return m_writeStarted; }
    CLightingSender& LightingSender() { return m_lightingSender; }

    // Timer 3's work: the status reader, the battery segments.
    void PollDeviceStatus();
    void ShowFirmwareVersion();

protected:
    // Timer ids.
    static constexpr UINT_PTR kTimerNoMouse = 1;
    static constexpr UINT_PTR kTimerProgress = 2;
    static constexpr UINT_PTR kTimerStatus = 3;
    static constexpr UINT_PTR kTimerWrite = 4;  // watches a running write end

    LRESULT OnNcHitTest(CPoint point);
    BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    void OnTimer(UINT_PTR id);
    void OnActivate(UINT state, CWnd* other, BOOL minimized);
    void OnDestroy();
    void OnPaint();
    HCURSOR OnQueryDragIcon() { return (HCURSOR)m_icon; }
    LRESULT OnHelp(WPARAM, LPARAM);
    LRESULT OnWidgetMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnRowClicked(WPARAM, LPARAM) { return 0; }
    LRESULT OnStatusReport(WPARAM, LPARAM lParam);
    LRESULT OnApplyWriteNow(WPARAM, LPARAM request);
    LRESULT OnProgressPercent(WPARAM sender, LPARAM percent);
    LRESULT OnProgressText(WPARAM sender, LPARAM text);
    BOOL OnDeviceChange(UINT event, DWORD_PTR data);
    DECLARE_MESSAGE_MAP()

    // The frame's own commands; false for an id that is not one.
    bool HandleFrameCommand(int id);
    void ArmNoMouseTimer(UINT elapse);
    // The running model is gone: the no-mouse popup, then the program ends.
    void NoticeMouseGone();
    // The dock worker's request: starts the write unless the device is busy.
    ApplyAnswer StartDockWrite();
    // Shows why the last write did not reach the mouse, once; true when it
    // did. An OK waiting for that write is called off and the window comes
    // back with the edit; a close the user asked for just goes on.
    bool TellWriteTrouble();
    void OpenShellPage(const wchar_t* relativePath);
    void StoreStatus(const StatusReport& report);
    void StopWorkers();
    // Arms the timer that notices the end of the writing state.
    void WatchWrite();
    void OnWriteEnded();
    // Once the device object is idle after a write: settles the applied
    // lights when it ended well, keeps the edit unsaved (and the trouble to
    // tell) when it did not.
    void TakeWriteResult();
    // Runs fn on every module, the current page's first.
    template <class Fn>
    bool RouteToModules(Fn fn, bool currentOnly = false);

    IMouseConfig* m_config;
    GenDevice** m_deviceSlot;
    CGUIItems m_lists[kFrameListCount];
    std::vector<ModelItem> m_modelItems;
    ModuleFactory m_makeModules;
    PageModuleList m_modules;
    CDeviceListener m_deviceListener;
    HICON m_icon = nullptr;

    int m_currentPage = 0;  // PageMask bit; 0 before the first ShowPage
    int m_modelFlag = 0;
    bool m_unsaved = false;
    bool m_recording = false;
    UINT_PTR m_timer1 = 0;

    // Status (the reader posts; this thread stores).
    CStatusReader m_statusReader;
    CBatterySegments m_battery;
    long long m_lastStatusStart = 0;  // seconds of the system clock
    bool m_statusRead = false;
    bool m_firmwareRead = false;      // the dock's second unit answered
    bool m_firmwareShown = false;
    bool m_removed = false;           // the running model went away
    bool m_painted = false;           // the first paint is marked
    CString m_firmware;               // the dock's "%d.%02d"
    std::unique_ptr<StatusReport> m_pendingStatus;  // arrived while a write ran

    // Writing and lighting.
    CWorkerGate m_gate;
    CLightingSender m_lightingSender{m_gate};
    CApplyWorkers m_applyWorkers{m_gate};
    CLightingState m_lightingState;
    bool m_writeWatched = false;
    bool m_writeStarted = false;     // its result not yet taken
    bool m_closeAfterWrite = false;  // OK or a close came while a write ran
    bool m_okPending = false;        // the close waits on OK's write
    enum WriteTrouble { kNoTrouble, kWriteRefused, kWriteFailed };
    WriteTrouble m_trouble = kNoTrouble;  // not yet told
    bool m_closing = false;          // past EndDialog: no new write starts

    // Bound from the main page (null when the page lacks them).
    CBitmapBtn* m_pageButtons[5] = {};  // buttons, performance, profiles, macros, lighting
    CBitmapBtn* m_ok = nullptr;
    CBitmapBtn* m_cancel = nullptr;
    CBitmapBtn* m_apply = nullptr;
    CTextItem* m_firmwareText = nullptr;
    CGUIItem* m_batterySegments[4] = {};
    CProgressPanelItem* m_progressPanel = nullptr;
};
