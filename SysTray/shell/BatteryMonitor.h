// The wireless mouse's battery text for the icon's tooltip. A reading asks
// the device at most once every 300 seconds (unless a device arrived since)
// and runs on a thread of its own for the wireless products, so a slow
// device never holds up the icon. The text, its lock and the reading's state
// live here, in an object that outlives every reading thread it starts.
#pragma once
#include <windows.h>

#include <atomic>
#include <ctime>

#include "String.h"
#include "Sync.h"

class CBatteryMonitor {
public:
    CBatteryMonitor() = default;
    // Call WaitForReading first: a thread still running keeps using this.
    ~CBatteryMonitor();
    CBatteryMonitor(const CBatteryMonitor&) = delete;
    CBatteryMonitor& operator=(const CBatteryMonitor&) = delete;

    // Starts a reading for the attached product (0: none) with the label
    // the text is made with: on a new thread for the wireless products, at
    // once on this thread otherwise; nothing while the last thread runs.
    void StartReading(int productId, const CString& label);
    // One reading at `now` (seconds): asks the device when 300 seconds have
    // passed since the last one or a device arrived since; true when the
    // text changed.
    bool ReadBattery(const CString& label, __time64_t now);
    // True once no reading thread runs (waiting up to ms; an apartment
    // thread goes on taking incoming COM calls meanwhile).
    bool WaitForReading(DWORD ms);

    // A device arrived: the next reading asks the device at once.
    void MarkDue() { m_readDue = true; }
    void ClearText();
    CString Text() const;

    // " : <label> [<level>%]"
    static CString FormatText(const CString& label, int level);

private:
    static unsigned __stdcall ThreadMain(void* param);

    mutable CMutex m_lock;  // guards m_text
    CString m_text;
    std::atomic<bool> m_readDue{false};
    __time64_t m_lastRead = 0;  // one reader at a time
    HANDLE m_thread = nullptr;
    CString m_threadLabel;
};
