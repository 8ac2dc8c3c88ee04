// Test helpers for windows: a parent that records every message it gets,
// sequence comparison in the manner of Wine's message tests, and pumping
// until a condition holds (never a blind sleep).
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "Wnd.h"

struct RecordedMsg {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const RecordedMsg& o) const {
        return message == o.message && wParam == o.wParam && lParam == o.lParam;
    }
};

// A top-level (or child) window that logs what reaches it and otherwise
// behaves as a plain window.
class CRecordingWnd : public CWnd {
public:
    // Records messages for which the filter returns true (default: the
    // notifications a widget sends its owner: WM_COMMAND, WM_NOTIFY and the
    // private range from WM_USER up).
    using Filter = std::function<bool(UINT)>;
    static bool NotificationsOnly(UINT m) { return m == WM_COMMAND || m == WM_NOTIFY || (m >= WM_USER && m < 0xC000); }

    explicit CRecordingWnd(Filter filter = &CRecordingWnd::NotificationsOnly) : m_filter(std::move(filter)) {}
    BOOL CreateTopLevel(int width = 400, int height = 300, const wchar_t* title = L"recorder");
    BOOL CreateChild(CWnd* parent, const RECT& r, UINT id = 0);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    void Clear() { m_log.clear(); }
    const std::vector<RecordedMsg>& Log() const { return m_log; }
    std::vector<RecordedMsg> OnlyMessage(UINT message) const;
    int Count(UINT message) const;

    // Answers for a message instead of the default procedure.
    std::function<bool(UINT, WPARAM, LPARAM, LRESULT*)> m_answer;

private:
    Filter m_filter;
    std::vector<RecordedMsg> m_log;
};

// Readable difference between two sequences, empty when they are equal.
std::string DiffSequence(const std::vector<RecordedMsg>& expected, const std::vector<RecordedMsg>& actual);

// How long a wait may take before it counts as a hang. Waits end as soon as
// what they wait for happens, so only a fault pays this; it is long because a
// loaded machine (a parallel test run) can stall a process for seconds.
constexpr DWORD kHangTimeoutMs = 20000;

// Pumps this thread's messages until cond() holds or timeoutMs passes.
bool PumpUntil(const std::function<bool()>& cond, DWORD timeoutMs = kHangTimeoutMs);
// Pumps until the queue is empty (posted messages delivered).
void PumpPending();
