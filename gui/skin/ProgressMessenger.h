// CProgressMessenger: sends progress percentages and texts to a list of
// listener windows. The skin loader's factory and the device objects derive
// from it; device workers send while windows of the UI thread subscribe and
// unsubscribe. Every operation waits at most 5000 ms for the messenger's
// mutex and throws kWaitingLockException (a const wchar_t*) on time-out:
//     try { m.SendProgress(50); } catch (const wchar_t* text) { ... }
// Callers in window procedures and threads must catch it.
#pragma once
#include <windows.h>

#include <vector>

#include "String.h"
#include "Sync.h"

const UINT WM_PROGRESS_PERCENT = WM_USER + 30;  // wParam: sender, lParam: 0-100
const UINT WM_PROGRESS_TEXT = WM_USER + 31;     // wParam: sender, lParam: const wchar_t*, valid while handled

extern const wchar_t* const kWaitingLockException;  // L"Waiting Lock Exception\n"

class CProgressMessenger {
public:
    CProgressMessenger();
    virtual ~CProgressMessenger();
    CProgressMessenger(const CProgressMessenger&) = delete;
    CProgressMessenger& operator=(const CProgressMessenger&) = delete;

    // Each takes an optional caller's lock, held (without time limit) around
    // the list change or around each single send.
    void Subscribe(HWND window, CSyncObject* sync = nullptr);
    void Unsubscribe(HWND window, CSyncObject* sync = nullptr);
    // Sends to a copy of the listener list taken under the mutex, after
    // releasing it: a handler may subscribe or unsubscribe (on any thread)
    // without breaking the send or waiting out the time-out.
    void SendProgress(int percent, CSyncObject* sync = nullptr);
    void SendText(const wchar_t* text, CSyncObject* sync = nullptr);

    std::vector<HWND> Listeners() const;
    const CString& Status() const { return m_status; }
    void SetStatus(const wchar_t* text) { m_status = text; }

private:
    void Lock() const;
    void Unlock() const;
    std::vector<HWND> Snapshot() const;
    void Send(UINT message, LPARAM lParam, CSyncObject* sync);

    std::vector<HWND> m_listeners;
    CString m_status;
    HANDLE m_mutex;
    DWORD m_wait = 5000;
};

// The messengers currently reporting (UI thread only, not owning).
void RegisterMessenger(CProgressMessenger* messenger);
void UnregisterMessenger(CProgressMessenger* messenger);
void UnsubscribeFromAllMessengers(HWND window);
const std::vector<CProgressMessenger*>& RegisteredMessengers();
