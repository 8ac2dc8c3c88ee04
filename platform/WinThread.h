// CWinThread: a thread with an optional message loop and a message map for
// thread messages; CWinApp: the process's main thread object.
#pragma once
#include <windows.h>
#include "MessageMap.h"

class CWnd;

using AFX_THREADPROC = UINT (*)(LPVOID);

class CWinThread : public CCmdTarget {
public:
    CWinThread();
    CWinThread(AFX_THREADPROC proc, LPVOID param);
    ~CWinThread() override;

    // Starts the thread. The thread has its message queue before this
    // returns, so messages posted right away are not lost.
    BOOL CreateThread(DWORD createFlags = 0, UINT stackSize = 0, LPSECURITY_ATTRIBUTES security = nullptr);
    DWORD ResumeThread() { return ::ResumeThread(m_hThread); }
    DWORD SuspendThread() { return ::SuspendThread(m_hThread); }
    BOOL SetThreadPriority(int priority) { return ::SetThreadPriority(m_hThread, priority); }
    BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        return ::PostThreadMessageW(m_nThreadID, message, wParam, lParam);
    }
    operator HANDLE() const { return m_hThread; }

    virtual BOOL InitInstance();
    virtual int Run();
    virtual int ExitInstance();
    virtual BOOL PreTranslateMessage(MSG* msg);
    virtual BOOL PumpMessage();
    virtual BOOL OnIdle(LONG count);
    virtual CWnd* GetMainWnd() { return m_pMainWnd; }

    // Runs the thread-message entries of the map for msg (msg->hwnd null).
    BOOL DispatchThreadMessageEx(MSG* msg);

    // The thread object of the calling thread, or null.
    static CWinThread* GetCurrent();

    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    CWnd* m_pMainWnd = nullptr;
    BOOL m_bAutoDelete = TRUE;

protected:
    MSG m_msgCur{};
    AFX_THREADPROC m_pfnThreadProc = nullptr;
    LPVOID m_pThreadParams = nullptr;
    int m_startPriority = THREAD_PRIORITY_NORMAL;

    DECLARE_MESSAGE_MAP()

private:
    static unsigned __stdcall ThreadEntry(void* self);
    struct StartInfo;
    friend class CWinApp;
    friend CWinThread* AfxBeginThread(CWinThread*, int, UINT, DWORD, LPSECURITY_ATTRIBUTES);
    void BindToCurrentThread();
};

// A worker thread running proc(param).
CWinThread* AfxBeginThread(AFX_THREADPROC proc, LPVOID param, int priority = THREAD_PRIORITY_NORMAL,
                           UINT stackSize = 0, DWORD createFlags = 0, LPSECURITY_ATTRIBUTES security = nullptr);
// A user-interface thread for a thread object the caller constructed (with
// new: the object deletes itself at the end when m_bAutoDelete is set).
CWinThread* AfxBeginThread(CWinThread* thread, int priority = THREAD_PRIORITY_NORMAL, UINT stackSize = 0,
                           DWORD createFlags = 0, LPSECURITY_ATTRIBUTES security = nullptr);

class CWinApp : public CWinThread {
public:
    explicit CWinApp(const wchar_t* appName = nullptr);
    ~CWinApp() override;

    // Called by the program's entry point.
    int WinMainEntry(HINSTANCE instance, int showCmd);

    HINSTANCE m_hInstance = nullptr;
    const wchar_t* m_pszAppName = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;

protected:
    DECLARE_MESSAGE_MAP()
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
CWnd* AfxGetMainWnd();
