#include "WinThread.h"

#include <process.h>

#include "Wnd.h"

namespace {
thread_local CWinThread* t_current = nullptr;
CWinApp* g_app = nullptr;
}

BEGIN_MESSAGE_MAP(CWinThread, CCmdTarget)
END_MESSAGE_MAP()

CWinThread::CWinThread() = default;

CWinThread::CWinThread(AFX_THREADPROC proc, LPVOID param) : m_pfnThreadProc(proc), m_pThreadParams(param) {}

CWinThread::~CWinThread()
{
    if (m_hThread)
        ::CloseHandle(m_hThread);
    if (t_current == this)
        t_current = nullptr;
}

CWinThread* CWinThread::GetCurrent()
{
    return t_current;
}

void CWinThread::BindToCurrentThread()
{
    t_current = this;
    m_nThreadID = ::GetCurrentThreadId();
}

struct CWinThread::StartInfo {
    CWinThread* thread;
    HANDLE started;       // set once the thread's message queue exists
    bool ownedByThread;   // a suspended start: nobody waits, the thread frees this
};

unsigned __stdcall CWinThread::ThreadEntry(void* p)
{
    StartInfo* info = static_cast<StartInfo*>(p);
    CWinThread* self = info->thread;
    t_current = self;
    MSG msg;
    ::PeekMessageW(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE);  // creates the queue
    if (info->ownedByThread) {
        ::CloseHandle(info->started);
        delete info;
    } else {
        ::SetEvent(info->started);  // the creator's; not touched after this
    }

    int exitCode = 0;
    try {
        if (self->m_pfnThreadProc) {
            exitCode = (int)self->m_pfnThreadProc(self->m_pThreadParams);
        } else if (self->InitInstance()) {
            exitCode = self->Run();
        } else {
            exitCode = self->ExitInstance();
        }
    } catch (...) {
        // Nothing may end a thread by an exception.
        ::OutputDebugStringW(L"unhandled exception ended a thread\n");
        exitCode = -1;
    }
    CWnd::DeleteTempMap();
    t_current = nullptr;
    if (self->m_bAutoDelete)
        delete self;
    return (unsigned)exitCode;
}

BOOL CWinThread::CreateThread(DWORD createFlags, UINT stackSize, LPSECURITY_ATTRIBUTES security)
{
    if (m_hThread)
        return FALSE;
    bool suspended = (createFlags & CREATE_SUSPENDED) != 0;
    StartInfo* info = new StartInfo{this, ::CreateEventW(nullptr, TRUE, FALSE, nullptr), suspended};
    if (!info->started) {
        delete info;
        return FALSE;
    }
    unsigned id = 0;
    HANDLE h = (HANDLE)_beginthreadex(security, stackSize, &ThreadEntry, info, createFlags | CREATE_SUSPENDED, &id);
    if (!h) {
        ::CloseHandle(info->started);
        delete info;
        return FALSE;
    }
    m_hThread = h;
    m_nThreadID = id;
    if (m_startPriority != THREAD_PRIORITY_NORMAL)
        ::SetThreadPriority(h, m_startPriority);
    if (suspended)
        return TRUE;  // the caller resumes it; posts before that are lost
    // An auto-deleting object (and the handle it owns) may be gone once the
    // thread runs: wait on copies made before it starts.
    HANDLE started = info->started;
    HANDLE wait[2] = {started, nullptr};
    ::DuplicateHandle(::GetCurrentProcess(), h, ::GetCurrentProcess(), &wait[1], SYNCHRONIZE, FALSE, 0);
    ::ResumeThread(h);
    ::WaitForMultipleObjects(wait[1] ? 2 : 1, wait, FALSE, INFINITE);
    if (wait[1])
        ::CloseHandle(wait[1]);
    ::CloseHandle(started);
    delete info;
    return TRUE;
}

BOOL CWinThread::InitInstance()
{
    return FALSE;
}

int CWinThread::ExitInstance()
{
    return (int)m_msgCur.wParam;
}

BOOL CWinThread::OnIdle(LONG)
{
    CWnd::DeleteTempMap();
    return FALSE;
}

BOOL CWinThread::DispatchThreadMessageEx(MSG* msg)
{
    LRESULT r = 0;
    if (DispatchEntry(AfxThreadMessage, msg->message, 0, 0, msg->wParam, msg->lParam, &r))
        return TRUE;
    if (msg->message >= 0xC000 && msg->message <= 0xFFFF &&
        DispatchEntry(AfxRegisteredThreadMessage, msg->message, 0, 0, msg->wParam, msg->lParam, &r))
        return TRUE;
    return FALSE;
}

BOOL CWinThread::PreTranslateMessage(MSG* msg)
{
    if (!msg->hwnd)
        return DispatchThreadMessageEx(msg);
    CWnd* main = GetMainWnd();
    return CWnd::WalkPreTranslateTree(main ? main->m_hWnd : nullptr, msg);
}

BOOL CWinThread::PumpMessage()
{
    if (::GetMessageW(&m_msgCur, nullptr, 0, 0) <= 0)
        return FALSE;  // WM_QUIT (or an error)
    if (!PreTranslateMessage(&m_msgCur)) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessageW(&m_msgCur);
    }
    return TRUE;
}

int CWinThread::Run()
{
    for (;;) {
        MSG peek;
        LONG idle = 0;
        while (!::PeekMessageW(&peek, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(idle++))
                break;
        }
        if (!PumpMessage())
            return ExitInstance();
    }
}

CWinThread* AfxBeginThread(AFX_THREADPROC proc, LPVOID param, int priority, UINT stackSize, DWORD createFlags,
                           LPSECURITY_ATTRIBUTES security)
{
    return AfxBeginThread(new CWinThread(proc, param), priority, stackSize, createFlags, security);
}

CWinThread* AfxBeginThread(CWinThread* thread, int priority, UINT stackSize, DWORD createFlags,
                           LPSECURITY_ATTRIBUTES security)
{
    if (!thread)
        return nullptr;
    // Set while the thread cannot run yet: an auto-deleting object may be
    // gone as soon as it does.
    thread->m_startPriority = priority;
    if (!thread->CreateThread(createFlags, stackSize, security)) {
        if (thread->m_bAutoDelete)
            delete thread;
        return nullptr;
    }
    return thread;
}

// -------------------------------------------------------------------- CWinApp

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
END_MESSAGE_MAP()

CWinApp::CWinApp(const wchar_t* appName) : m_pszAppName(appName)
{
    g_app = this;
    m_bAutoDelete = FALSE;
}

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
    m_hThread = nullptr;  // not ours to close
}

int CWinApp::WinMainEntry(HINSTANCE instance, int showCmd)
{
    m_hInstance = instance;
    m_nCmdShow = showCmd;
    BindToCurrentThread();
    m_hThread = nullptr;
    int code;
    try {
        if (!InitInstance()) {
            code = ExitInstance();
        } else {
            code = Run();
        }
    } catch (...) {
        ::OutputDebugStringW(L"unhandled exception in the application object\n");
        code = -1;
    }
    CWnd::DeleteTempMap();
    return code;
}

CWinApp* AfxGetApp()
{
    return g_app;
}

HINSTANCE AfxGetInstanceHandle()
{
    return g_app && g_app->m_hInstance ? g_app->m_hInstance : ::GetModuleHandleW(nullptr);
}

CWnd* AfxGetMainWnd()
{
    CWinThread* t = CWinThread::GetCurrent();
    if (t && t->m_pMainWnd)
        return t->m_pMainWnd;
    return g_app ? g_app->m_pMainWnd : nullptr;
}
