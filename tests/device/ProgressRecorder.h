// A listener window that writes down the progress a device object sends:
// "Profile: name" for a text, "10" for a percentage, in arrival order.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "ProgressMessenger.h"
#include "RecordingWnd.h"

class ProgressRecorder {
public:
    ProgressRecorder()
        : wnd_([](UINT m) { return m == WM_PROGRESS_PERCENT || m == WM_PROGRESS_TEXT; })
    {
        wnd_.m_answer = [this](UINT m, WPARAM, LPARAM l, LRESULT*) {
            if (m == WM_PROGRESS_TEXT)
                events_.push_back(l ? reinterpret_cast<const wchar_t*>(l) : L"<null>");
            else if (m == WM_PROGRESS_PERCENT)
                events_.push_back(std::to_wstring(static_cast<int>(l)));
            return false;
        };
        wnd_.CreateTopLevel(200, 100, L"progress");
    }
    ~ProgressRecorder() { wnd_.DestroyWindow(); }

    HWND Hwnd() const { return wnd_.GetSafeHwnd(); }
    const std::vector<std::wstring>& Events() const { return events_; }
    const CRecordingWnd& Window() const { return wnd_; }
    void Clear()
    {
        events_.clear();
        wnd_.Clear();
    }

    // The per-profile sequence of a write (10/30/60/90/100) or a read
    // (10/30/60/80/100) for each name in order.
    static std::vector<std::wstring> Expected(const std::vector<std::wstring>& names, bool write)
    {
        std::vector<std::wstring> out;
        for (const std::wstring& n : names) {
            out.push_back(L"Profile: " + n);
            for (const wchar_t* p : {L"10", L"30", L"60", write ? L"90" : L"80", L"100"})
                out.push_back(p);
        }
        return out;
    }

private:
    CRecordingWnd wnd_;
    std::vector<std::wstring> events_;
};
