#include "ProgressPanelThread.h"

#include <cwchar>
#include <new>

wchar_t* ProgressTextCopy(const wchar_t* text)
{
    if (!text)
        text = L"";
    size_t n = wcslen(text);
    wchar_t* copy = new (std::nothrow) wchar_t[n + 1];
    if (copy)
        wmemcpy(copy, text, n + 1);
    return copy;
}

void ProgressTextFree(wchar_t* copy)
{
    delete[] copy;
}

BEGIN_MESSAGE_MAP(CProgressPanelThread, CWinThread)
    ON_THREAD_MESSAGE(PPM_SETPERCENT, OnSetPercent)
    ON_THREAD_MESSAGE(PPM_HEADINGTEXT, OnHeadingText)
    ON_THREAD_MESSAGE(PPM_STATUSTEXT, OnStatusText)
    ON_THREAD_MESSAGE(PPM_STARTANIM, OnStartAnimation)
    ON_THREAD_MESSAGE(PPM_STOPANIM, OnStopAnimation)
END_MESSAGE_MAP()

CProgressPanelThread::CProgressPanelThread(const ProgressPanelSetup& setup)
    : m_panel(new CProgressPanel()), m_setup(setup), m_ready(::CreateEventW(nullptr, TRUE, FALSE, nullptr))
{
    m_bAutoDelete = FALSE;  // whoever began it ends it
}

CProgressPanelThread::~CProgressPanelThread()
{
    // The window was destroyed on its own thread; by now its handle is stale
    // and the object only lets go of it.
    m_panel.reset();
    if (m_ready)
        ::CloseHandle(m_ready);
}

CProgressPanelThread* CProgressPanelThread::Begin(const ProgressPanelSetup& setup)
{
    CProgressPanelThread* t = new CProgressPanelThread(setup);
    // AfxBeginThread returns once the new thread's queue exists.
    if (!AfxBeginThread(t)) {
        delete t;
        return nullptr;
    }
    return t;
}

void CProgressPanelThread::End(CProgressPanelThread* thread)
{
    if (!thread)
        return;
    thread->Quit();
    thread->WaitForEnd();
    delete thread;
}

void CProgressPanelThread::WaitForEnd()
{
    // The progress thread may send to this thread (its panel is a child of
    // one of our windows): answer sent messages while waiting, never block
    // them.
    HANDLE h = m_hThread;
    while (h) {
        DWORD r = ::MsgWaitForMultipleObjects(1, &h, FALSE, INFINITE, QS_SENDMESSAGE);
        if (r != WAIT_OBJECT_0 + 1)
            break;
        MSG msg;
        ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

BOOL CProgressPanelThread::InitInstance()
{
    if (!m_panel) {
        ::SetEvent(m_ready);
        return TRUE;
    }
    m_panel->SetColours(m_setup.colours);
    m_panel->SetTextAreas(m_setup.textAreas);
    // The rectangle is in the parent's client coordinates as every skin
    // rectangle is. No parent notification: that would be sent to the
    // parent's thread and wait for it.
    // It starts hidden, not made visible and hidden again: hiding a visible
    // child erases the parent at once, another call that waits for the
    // parent's thread.
    BOOL ok = ::IsWindow(m_setup.parent) &&
              m_panel->Create(L"", m_setup.style & ~WS_VISIBLE, m_setup.rect, m_setup.parent, m_setup.fill,
                              0xFFFF, WS_EX_NOPARENTNOTIFY);
    if (ok) {
        m_panel->EnableWindow(FALSE);
        m_panel->SetPercent(0);
        m_panelWindow = m_panel->m_hWnd;
    }
    ::SetEvent(m_ready);
    return ok;
}

int CProgressPanelThread::ExitInstance()
{
    // The window belongs to this thread: destroy it here, before the thread
    // ends, never from the thread that deletes this object.
    m_panelWindow = nullptr;
    if (HasPanelWindow())
        m_panel->DestroyWindow();
    // Texts still queued behind WM_QUIT are ours to free.
    MSG msg;
    while (::PeekMessageW(&msg, (HWND)-1, PPM_HEADINGTEXT, PPM_STATUSTEXT, PM_REMOVE)) {
        if (msg.message == PPM_HEADINGTEXT || msg.message == PPM_STATUSTEXT)
            ProgressTextFree(reinterpret_cast<wchar_t*>(msg.wParam));
    }
    return CWinThread::ExitInstance();
}

BOOL CProgressPanelThread::PostText(UINT message, const wchar_t* text)
{
    wchar_t* copy = ProgressTextCopy(text);
    if (!copy)
        return FALSE;
    if (!PostThreadMessage(message, (WPARAM)copy, 0)) {
        ProgressTextFree(copy);
        return FALSE;
    }
    return TRUE;
}

void CProgressPanelThread::OnSetPercent(WPARAM w, LPARAM)
{
    if (HasPanelWindow())
        m_panel->SetPercent((unsigned)w);
}

void CProgressPanelThread::OnHeadingText(WPARAM w, LPARAM)
{
    std::unique_ptr<wchar_t[]> text(reinterpret_cast<wchar_t*>(w));
    if (HasPanelWindow() && text)
        m_panel->SetHeadingText(text.get());
}

void CProgressPanelThread::OnStatusText(WPARAM w, LPARAM)
{
    std::unique_ptr<wchar_t[]> text(reinterpret_cast<wchar_t*>(w));
    if (HasPanelWindow() && text)
        m_panel->SetStatusText(text.get());
}

void CProgressPanelThread::OnStartAnimation(WPARAM w, LPARAM)
{
    if (HasPanelWindow())
        m_panel->StartAnimation((UINT)w);
}

void CProgressPanelThread::OnStopAnimation(WPARAM, LPARAM)
{
    if (HasPanelWindow())
        m_panel->StopAnimation();
}
