#include "DockStartup.h"

#include <objbase.h>
#include <process.h>

#include "ModelFlags.h"
#include "SplashPopup.h"
#include "StatusReader.h"
#include "TransferWorker.h"

namespace {

// The dock's start-up read: everything but the keys (the main dialog reads
// them) and the second unit's version (it is not online yet).
constexpr uint32_t kDockStartupMask = 0xB7D;

// A splash that tells its window to whoever waits to close it.
class CPublishedSplash : public CKyrthSplashScreenDialog {
public:
    CPublishedSplash(CWnd* owner, std::atomic<HWND>& slot) : CKyrthSplashScreenDialog(owner), m_slot(slot) {}
    BOOL OnInitDialog() override
    {
        BOOL result = CKyrthSplashScreenDialog::OnInitDialog();
        if (m_background) {
            m_shown = true;
            m_slot = m_hWnd;
        }
        return result;
    }
    bool WasShown() const { return m_shown; }

private:
    std::atomic<HWND>& m_slot;
    bool m_shown = false;
};

HANDLE StartThread(unsigned(__stdcall* fn)(void*), void* arg)
{
    return (HANDLE)_beginthreadex(nullptr, 0, fn, arg, 0, nullptr);
}

}  // namespace

CDockStartup::CDockStartup(GenDevice* device, IMouseConfig* config) : m_device(device), m_config(config)
{
    m_event = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
}

CDockStartup::~CDockStartup()
{
    StopThreads();
    if (m_event)
        ::CloseHandle(m_event);
}

bool CDockStartup::Run(CWnd* owner)
{
    if (!m_device || !m_config || !m_event)
        return false;
    m_startupThread = StartThread(&CDockStartup::StartupThread, this);
    if (!m_startupThread)
        return false;

    CPublishedSplash splash(owner, m_splash);
    splash.DoModal();
    m_splash = nullptr;
    m_splashEnded = true;
    if (!splash.WasShown() && !m_completed) {
        // No splash to cancel with: wait for the dock a bounded time.
        WaitHandlingSentMessages(m_startupThread, kNoSplashWaitMs);
    }
    bool completed = m_completed || (!splash.WasShown() && m_online);
    StopThreads();
    return completed;
}

void CDockStartup::StopThreads()
{
    m_cancel = true;
    if (m_event)
        ::SetEvent(m_event);
    // The start-up thread may be inside the read, which sends progress to
    // this thread's windows: wait while handling sent messages.
    for (HANDLE* thread : {&m_startupThread, &m_pollThread}) {
        if (*thread) {
            WaitHandlingSentMessages(*thread, INFINITE);
            ::CloseHandle(*thread);
            *thread = nullptr;
        }
    }
}

unsigned __stdcall CDockStartup::StartupThread(void* self)
{
    try {
        static_cast<CDockStartup*>(self)->StartupWork();
    } catch (...) {
        // Nothing leaves the thread; the splash then waits for the user.
    }
    return 0;
}

void CDockStartup::StartupWork()
{
    if (SUCCEEDED(::CoInitialize(nullptr))) {
        m_device->Transfer(m_config, kTransferRead, kDockStartupMask);
        if (!m_cancel)
            m_pollThread = StartThread(&CDockStartup::PollThread, this);
        bool online = false;
        while (!m_cancel && !online) {
            while (m_device->IsBusy() && !m_cancel)
                ::Sleep(100);
            online = m_device->IsOnline();
            DWORD wait = ::WaitForSingleObject(m_event, 100);
            if (wait == WAIT_OBJECT_0 || wait == WAIT_FAILED)
                break;
        }
        ::CoUninitialize();
    }
    if (!m_cancel)
        m_online = true;
    CloseSplashWhenVisible();
}

void CDockStartup::CloseSplashWhenVisible()
{
    // Stops when the splash already ended (the user closed it) or the wait
    // was cancelled; otherwise waits until it shows.
    while (!m_cancel && !m_splashEnded) {
        HWND splash = m_splash;
        if (splash && ::IsWindowVisible(splash)) {
            m_completed = true;  // before the close request: never read as a cancel
            ::PostMessageW(splash, WM_CLOSE, 0, 62);
            return;
        }
        ::Sleep(10);
    }
}

unsigned __stdcall CDockStartup::PollThread(void* self)
{
    try {
        static_cast<CDockStartup*>(self)->PollWork();
    } catch (...) {
    }
    return 0;
}

void CDockStartup::PollWork()
{
    if (FAILED(::CoInitialize(nullptr)))
        return;
    {
        ComPtr<IDevice> device = FindComDeviceByProductId(kProductDock);
        ComPtr<IUnitVersion> unit = device ? device.As<IUnitVersion>() : ComPtr<IUnitVersion>();
        while (unit && !m_cancel) {
            BYTE major = 0, minor = 0, r1 = 0, r2 = 0;
            if (SUCCEEDED(unit->GetVersion(&major, &minor, &r1, &r2)) && (major != 0 || minor != 0)) {
                ::SetEvent(m_event);
                break;
            }
            ::Sleep(100);
        }
    }
    ::CoUninitialize();
}
