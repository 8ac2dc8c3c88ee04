#include "ProgressMessenger.h"

#include <algorithm>

const wchar_t* const kWaitingLockException = L"Waiting Lock Exception\n";

namespace {

std::vector<CProgressMessenger*>& Registry()
{
    static std::vector<CProgressMessenger*> registry;
    return registry;
}

// Holds a caller's lock for a scope; nothing without one.
class CallerLock {
public:
    explicit CallerLock(CSyncObject* sync) : m_sync(sync) {
        if (m_sync)
            m_sync->Lock(INFINITE);
    }
    ~CallerLock() {
        if (m_sync)
            m_sync->Unlock();
    }

private:
    CSyncObject* m_sync;
};

}  // namespace

CProgressMessenger::CProgressMessenger() : m_mutex(::CreateMutexW(nullptr, FALSE, nullptr)) {}

CProgressMessenger::~CProgressMessenger()
{
    if (m_mutex)
        ::CloseHandle(m_mutex);
}

void CProgressMessenger::Lock() const
{
    DWORD r = m_mutex ? ::WaitForSingleObject(m_mutex, m_wait) : WAIT_FAILED;
    if (r != WAIT_OBJECT_0 && r != WAIT_ABANDONED)
        throw kWaitingLockException;
}

void CProgressMessenger::Unlock() const { ::ReleaseMutex(m_mutex); }

void CProgressMessenger::Subscribe(HWND window, CSyncObject* sync)
{
    CallerLock caller(sync);
    Lock();
    if (std::find(m_listeners.begin(), m_listeners.end(), window) == m_listeners.end())
        m_listeners.push_back(window);
    Unlock();
}

void CProgressMessenger::Unsubscribe(HWND window, CSyncObject* sync)
{
    CallerLock caller(sync);
    Lock();
    auto it = std::find(m_listeners.begin(), m_listeners.end(), window);
    if (it != m_listeners.end())
        m_listeners.erase(it);
    Unlock();
}

std::vector<HWND> CProgressMessenger::Snapshot() const
{
    Lock();
    std::vector<HWND> copy = m_listeners;
    Unlock();
    return copy;
}

std::vector<HWND> CProgressMessenger::Listeners() const { return Snapshot(); }

void CProgressMessenger::Send(UINT message, LPARAM lParam, CSyncObject* sync)
{
    std::vector<HWND> listeners = Snapshot();
    for (HWND window : listeners) {
        CallerLock caller(sync);
        // A window that is gone makes SendMessage fail; the loop goes on.
        ::SendMessageW(window, message, (WPARAM)this, lParam);
    }
}

void CProgressMessenger::SendProgress(int percent, CSyncObject* sync)
{
    Send(WM_PROGRESS_PERCENT, (LPARAM)percent, sync);
}

void CProgressMessenger::SendText(const wchar_t* text, CSyncObject* sync)
{
    Send(WM_PROGRESS_TEXT, (LPARAM)(text ? text : L""), sync);
}

void RegisterMessenger(CProgressMessenger* messenger)
{
    auto& registry = Registry();
    if (!messenger || std::find(registry.begin(), registry.end(), messenger) != registry.end())
        return;
    messenger->SetStatus(L"Loading UI components ...");
    registry.push_back(messenger);
}

void UnregisterMessenger(CProgressMessenger* messenger)
{
    auto& registry = Registry();
    auto it = std::find(registry.begin(), registry.end(), messenger);
    if (it != registry.end())
        registry.erase(it);
}

void UnsubscribeFromAllMessengers(HWND window)
{
    for (CProgressMessenger* m : Registry())
        m->Unsubscribe(window);
}

const std::vector<CProgressMessenger*>& RegisteredMessengers() { return Registry(); }
