// CProgressPanelThread: the user-interface thread that owns the progress
// panel, so the panel keeps drawing while the main thread is busy. Other
// threads reach it only through these thread messages.
#pragma once
#include <windows.h>

#include <atomic>
#include <memory>
#include <vector>

#include "ProgressPanel.h"
#include "WinThread.h"

// Thread messages (lParam 0). The texts of PPM_HEADINGTEXT and PPM_STATUSTEXT
// are heap copies made by ProgressTextCopy and owned by the message: the
// progress thread frees each one (also when it ends with texts still
// queued), the poster frees it when the post fails. Post them with
// PostHeadingText / PostStatusText.
const UINT PPM_SETPERCENT = 0x8001;   // wParam: percentage
const UINT PPM_HEADINGTEXT = 0x8002;  // wParam: wchar_t* copy
const UINT PPM_STATUSTEXT = 0x8004;   // wParam: wchar_t* copy
const UINT PPM_STARTANIM = 0x8008;    // wParam: interval in ms
const UINT PPM_STOPANIM = 0x8010;
// The exit code the thread ends with.
const int kProgressThreadExitCode = 69;

wchar_t* ProgressTextCopy(const wchar_t* text);
void ProgressTextFree(wchar_t* copy);

// What the panel is made from: the skin element's values.
struct ProgressPanelSetup {
    std::vector<ProgressTextArea> textAreas;
    DWORD style = WS_CHILD | WS_VISIBLE;
    RECT rect{};            // in the parent's client coordinates
    HWND parent = nullptr;  // the window the panel is created in
    FillInfo fill;
    ProgressPanelColours colours;
};

class CProgressPanelThread : public CWinThread {
public:
    // The panel object exists at once; its window is made on the thread.
    explicit CProgressPanelThread(const ProgressPanelSetup& setup);
    ~CProgressPanelThread() override;

    // Starts a progress thread for setup. Returns once the thread's message
    // queue exists, so nothing posted afterwards is lost; null on failure.
    static CProgressPanelThread* Begin(const ProgressPanelSetup& setup);
    // Ends the thread (WM_QUIT with exit code 69), waits for it while still
    // answering messages sent to this thread, and deletes it.
    static void End(CProgressPanelThread* thread);
    // The two halves of End, for callers that look at the panel after the
    // thread ended and before deleting it.
    BOOL Quit() { return PostThreadMessage(WM_QUIT, kProgressThreadExitCode, 0); }
    void WaitForEnd();

    BOOL PostPercent(unsigned percent) { return PostThreadMessage(PPM_SETPERCENT, percent, 0); }
    BOOL PostHeadingText(const wchar_t* text) { return PostText(PPM_HEADINGTEXT, text); }
    BOOL PostStatusText(const wchar_t* text) { return PostText(PPM_STATUSTEXT, text); }
    BOOL PostStartAnimation(UINT intervalMs) { return PostThreadMessage(PPM_STARTANIM, intervalMs, 0); }
    BOOL PostStopAnimation() { return PostThreadMessage(PPM_STOPANIM, 0, 0); }

    // The panel window once the thread made it (null before, after a failed
    // creation and once it is destroyed). Safe from any thread.
    HWND PanelWindow() const { return m_panelWindow.load(); }
    // Set once the thread has tried to make the panel (success or not).
    HANDLE ReadyEvent() const { return m_ready; }
    // Only for the progress thread (and for tests after it ended).
    CProgressPanel* Panel() const { return m_panel.get(); }

    BOOL InitInstance() override;
    int ExitInstance() override;

protected:
    void OnSetPercent(WPARAM w, LPARAM);
    void OnHeadingText(WPARAM w, LPARAM);
    void OnStatusText(WPARAM w, LPARAM);
    void OnStartAnimation(WPARAM w, LPARAM);
    void OnStopAnimation(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    BOOL PostText(UINT message, const wchar_t* text);
    bool HasPanelWindow() const { return m_panel && m_panel->IsWindow(); }

    std::unique_ptr<CProgressPanel> m_panel;
    ProgressPanelSetup m_setup;  // a copy: the thread never reads the item
    std::atomic<HWND> m_panelWindow{nullptr};
    HANDLE m_ready;
};
