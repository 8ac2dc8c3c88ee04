// Baseline for the tray program's idle cost: a hidden window with one
// notification-area icon and a message loop, nothing else.
#include <windows.h>
#include <shellapi.h>

#include "StartMark.h"

namespace {

const UINT kCallback = WM_APP + 1;

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    WNDCLASSEXW wc = {sizeof(wc)};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = L"TkBenchBareTray";
    if (!::RegisterClassExW(&wc))
        return 1;
    HWND hwnd = ::CreateWindowExW(0, wc.lpszClassName, L"Bare tray", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                  nullptr, nullptr, instance, nullptr);
    if (!hwnd)
        return 1;
    NOTIFYICONDATAW nid = {};
    nid.cbSize = sizeof(nid);
    nid.hWnd = hwnd;
    nid.uID = 1;
    nid.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    nid.uCallbackMessage = kCallback;
    nid.hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
    ::lstrcpynW(nid.szTip, L"Bare tray", ARRAYSIZE(nid.szTip));
    ::Shell_NotifyIconW(NIM_ADD, &nid);
    SetBenchMark(L"ready");
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    ::Shell_NotifyIconW(NIM_DELETE, &nid);
    return 0;
}
