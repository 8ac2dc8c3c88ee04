// Stands in for a program that hears of mice coming and going: copied under
// a program's name, it keeps one top-level window and writes each device
// interface notice it gets ("arrival hid", "removal mouse", ...) to
// "<its own path>.log", until its window is closed.
#include <windows.h>

#include <dbt.h>

#include <cstdio>
#include <cwchar>

#include "DeviceNotices.h"

namespace {

// Held open from the start, so a reader never keeps a line out.
HANDLE g_log = INVALID_HANDLE_VALUE;

void Note(WPARAM event, LPARAM data)
{
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(data);
    const char* what = event == DBT_DEVICEARRIVAL ? "arrival" : "removal";
    const char* cls = "other";
    if (header && header->dbch_devicetype == DBT_DEVTYP_DEVICEINTERFACE &&
        header->dbch_size >= sizeof(DEV_BROADCAST_DEVICEINTERFACE_W)) {
        const GUID& g = reinterpret_cast<const DEV_BROADCAST_DEVICEINTERFACE_W*>(header)->dbcc_classguid;
        cls = IsEqualGUID(g, tknotices::kHidInterfaceClass)     ? "hid"
              : IsEqualGUID(g, tknotices::kMouseInterfaceClass) ? "mouse"
                                                                : "other";
    }
    char line[32];
    const int n = std::snprintf(line, sizeof(line), "%s %s\n", what, cls);
    DWORD put = 0;
    ::WriteFile(g_log, line, static_cast<DWORD>(n), &put, nullptr);
}

LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wp, LPARAM lp)
{
    if (message == WM_DEVICECHANGE && (wp == DBT_DEVICEARRIVAL || wp == DBT_DEVICEREMOVECOMPLETE)) {
        Note(wp, lp);
        return TRUE;
    }
    if (message == WM_DESTROY) ::PostQuitMessage(0);
    return ::DefWindowProcW(window, message, wp, lp);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int)
{
    wchar_t log[MAX_PATH + 8] = {};
    DWORD n = ::GetModuleFileNameW(nullptr, log, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return 1;
    wcscat(log, L".log");
    g_log = ::CreateFileW(log, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          CREATE_ALWAYS, 0, nullptr);
    if (g_log == INVALID_HANDLE_VALUE) return 1;
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.lpszClassName = L"TkNoticeProbe";
    if (!::RegisterClassW(&wc) ||
        !::CreateWindowExW(0, wc.lpszClassName, L"", WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr))
        return 1;
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
    return 0;
}
