// The charging dock's start-up: the first read runs on a start-up thread
// while the splash shows; a second thread polls the dock's second unit
// until it answers. The splash closes itself once the dock's mouse is
// online; the user closing it first ends the program without the main
// dialog.
//
// No thread is ever suspended or left running: a cancel sets a flag and
// signals the event, and both threads are joined (with a message-pumping
// wait, since the read may send progress to this thread's windows) before
// anything they use goes away.
//
// While the splash shows, the start-up thread is the one caller of the
// device object (in its own apartment, with interfaces it opens and
// releases itself); the UI thread runs only the splash and calls the device
// object again once that thread is joined. No call to the device service is
// made inside a message sent between the threads: no window listens to the
// read's progress yet, and the main window, which listens later, only
// forwards it.
#pragma once
#include <windows.h>

#include <atomic>

#include "MousePicker.h"

class CWnd;

class CDockStartup {
public:
    CDockStartup(GenDevice* device, IMouseConfig* config);
    ~CDockStartup();
    CDockStartup(const CDockStartup&) = delete;
    CDockStartup& operator=(const CDockStartup&) = delete;

    // Shows the splash and returns once it has closed and both threads
    // ended: true when the dock came online, false when the user closed the
    // splash first (or nothing could be started).
    bool Run(CWnd* owner = nullptr);

    // How long the program waits for the dock when the splash cannot be
    // shown (its skin file is missing): the user then has no cancel.
    static constexpr DWORD kNoSplashWaitMs = 60000;

private:
    static unsigned __stdcall StartupThread(void* self);
    static unsigned __stdcall PollThread(void* self);
    void StartupWork();
    void PollWork();
    void CloseSplashWhenVisible();
    void StopThreads();

    GenDevice* m_device;
    IMouseConfig* m_config;
    HANDLE m_event = nullptr;  // auto-reset: the dock's unit answered
    HANDLE m_startupThread = nullptr;
    HANDLE m_pollThread = nullptr;
    std::atomic<bool> m_cancel{false};     // the user ended the wait
    std::atomic<bool> m_completed{false};  // set before the splash is asked to close
    std::atomic<bool> m_splashEnded{false};
    std::atomic<bool> m_online{false};     // the start-up thread's wait ended without a cancel
    std::atomic<HWND> m_splash{nullptr};
};
