#include "RecordingWnd.h"

#include <cstdio>

BOOL CRecordingWnd::CreateTopLevel(int width, int height, const wchar_t* title)
{
    return CreateEx(0, RegisterClassOnce(CS_DBLCLKS, nullptr, (HBRUSH)::GetStockObject(WHITE_BRUSH)), title,
                    WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN, 20, 20, width, height, nullptr, nullptr);
}

BOOL CRecordingWnd::CreateChild(CWnd* parent, const RECT& r, UINT id)
{
    return CreateEx(0, RegisterClassOnce(CS_DBLCLKS), L"", WS_CHILD | WS_VISIBLE, r, parent, id);
}

LRESULT CRecordingWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_filter && m_filter(message))
        m_log.push_back({message, wParam, lParam});
    LRESULT r = 0;
    if (m_answer && m_answer(message, wParam, lParam, &r))
        return r;
    return CWnd::WindowProc(message, wParam, lParam);
}

std::vector<RecordedMsg> CRecordingWnd::OnlyMessage(UINT message) const
{
    std::vector<RecordedMsg> out;
    for (const auto& m : m_log)
        if (m.message == message)
            out.push_back(m);
    return out;
}

int CRecordingWnd::Count(UINT message) const
{
    int n = 0;
    for (const auto& m : m_log)
        n += m.message == message;
    return n;
}

static std::string Describe(const RecordedMsg& m)
{
    char buf[96];
    snprintf(buf, sizeof buf, "{0x%04x, 0x%llx, 0x%llx}", m.message, (unsigned long long)m.wParam,
             (unsigned long long)m.lParam);
    return buf;
}

std::string DiffSequence(const std::vector<RecordedMsg>& expected, const std::vector<RecordedMsg>& actual)
{
    if (expected == actual)
        return std::string();
    std::string out = "expected:";
    for (const auto& m : expected)
        out += " " + Describe(m);
    out += "\n  actual:";
    for (const auto& m : actual)
        out += " " + Describe(m);
    return out;
}

bool PumpUntil(const std::function<bool()>& cond, DWORD timeoutMs)
{
    DWORD start = ::GetTickCount();
    for (;;) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (cond())
            return true;
        DWORD elapsed = ::GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, timeoutMs - elapsed < 10 ? timeoutMs - elapsed : 10,
                                    QS_ALLINPUT);
    }
}

void PumpPending()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}
