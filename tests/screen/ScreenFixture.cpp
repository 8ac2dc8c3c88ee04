#include "ScreenFixture.h"

#include "RecordingWnd.h"

ScreenDiff ScreenShowsWindow(HWND window, const CapturedImage& before, const wchar_t* name, COLORREF keyed,
                             void (*keepShown)(HWND))
{
    ScreenDiff last;
    last.insideWrong = 1;  // nothing compared yet
    CapturedImage own, screen;
    RECT rect{};
    PumpUntil([&] {
        if (keepShown)
            keepShown(window);
        PumpPending();
        HRGN shape = nullptr;
        if (!::IsWindowVisible(window) || !::GetWindowRect(window, &rect) || !OwnPicture(window, own, &shape))
            return false;
        bool grabbed = GrabXScreen(screen);
        RECT after{};
        // The window must have stood still while the screen was read.
        bool still = ::IsWindowVisible(window) && ::GetWindowRect(window, &after) && ::EqualRect(&rect, &after);
        if (grabbed && still)
            last = CompareWithScreen(screen, before, rect, own, shape, keyed);
        if (shape)
            ::DeleteObject(shape);
        return grabbed && still && last.Matches();
    });
    if (screen.width > 0 && own.width > 0) {
        SaveImage(Crop(screen, rect), (std::wstring(L"screen\\") + name + L"_x").c_str());
        SaveImage(own, (std::wstring(L"screen\\") + name + L"_own").c_str());
    }
    return last;
}

namespace {

void Send(DWORD flags, POINT p)
{
    // Absolute coordinates are in 0..65535 over the primary screen.
    const int w = ::GetSystemMetrics(SM_CXSCREEN), h = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = (LONG)(((LONGLONG)p.x * 65535 + w / 2) / (w - 1));
    in.mi.dy = (LONG)(((LONGLONG)p.y * 65535 + h / 2) / (h - 1));
    in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    ::SendInput(1, &in, sizeof(in));
}

bool CursorAt(POINT p)
{
    POINT now{};
    return ::GetCursorPos(&now) && now.x == p.x && now.y == p.y;
}

}  // namespace

void MoveTo(POINT p)
{
    Send(0, p);
    PumpUntil([&] { return CursorAt(p); });
}

void Click(POINT p, bool right)
{
    MoveTo(p);
    Send(right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN, p);
    Send(right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP, p);
    PumpPending();
}

void DragTo(POINT from, POINT to)
{
    MoveTo(from);
    Send(MOUSEEVENTF_LEFTDOWN, from);
    // In steps, as a hand moves, each waited for.
    for (int i = 1; i <= 8; ++i)
        MoveTo({from.x + (to.x - from.x) * i / 8, from.y + (to.y - from.y) * i / 8});
    Send(MOUSEEVENTF_LEFTUP, to);
    PumpPending();
}

POINT CentreOf(HWND window)
{
    RECT r{};
    ::GetWindowRect(window, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

namespace {

struct ButtonSearch {
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectButton(HWND button, LPARAM lp)
{
    auto* s = reinterpret_cast<ButtonSearch*>(lp);
    wchar_t cls[32] = {};
    ::GetClassNameW(button, cls, 32);
    if (lstrcmpiW(cls, L"Button") != 0 || !::IsWindowVisible(button))
        return TRUE;
    // Wine's taskbar gives each button the handle of its window as id.
    HWND target = (HWND)(UINT_PTR)(UINT)::GetWindowLongPtrW(button, GWLP_ID);
    DWORD pid = 0;
    if (target && ::IsWindow(target) && ::GetWindowThreadProcessId(target, &pid) && pid == s->pid)
        s->found.push_back(target);
    return TRUE;
}

}  // namespace

std::vector<HWND> TaskbarButtonsOf(DWORD pid)
{
    ButtonSearch s{pid, {}};
    if (HWND bar = ::FindWindowW(L"Shell_TrayWnd", nullptr))
        ::EnumChildWindows(bar, &CollectButton, (LPARAM)&s);
    return s.found;
}

bool SyncTaskbar()
{
    if (!::FindWindowW(L"Shell_TrayWnd", nullptr))
        return false;
    HWND probe = ::CreateWindowExW(WS_EX_NOACTIVATE, L"STATIC", L"probe", WS_POPUP | WS_VISIBLE, 0, 0, 8, 8, nullptr,
                                   nullptr, nullptr, nullptr);
    if (!probe)
        return false;
    // The button list is brought up to date as a whole: once the probe has
    // its button, every other window's button is current too.
    bool synced = PumpUntil([&] {
        for (HWND w : TaskbarButtonsOf(::GetCurrentProcessId()))
            if (w == probe)
                return true;
        return false;
    });
    ::DestroyWindow(probe);
    PumpPending();
    return synced;
}

namespace {

struct WindowSearch {
    DWORD pid;
    const wchar_t* cls;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND h, LPARAM lp)
{
    auto* s = reinterpret_cast<WindowSearch*>(lp);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(h, &pid);
    wchar_t cls[64] = {};
    ::GetClassNameW(h, cls, 64);
    if (pid == s->pid && ::IsWindowVisible(h) && (!s->cls || lstrcmpiW(cls, s->cls) == 0))
        s->found.push_back(h);
    return TRUE;
}

}  // namespace

std::vector<HWND> VisibleWindowsOf(DWORD pid, const wchar_t* windowClass)
{
    WindowSearch s{pid, windowClass, {}};
    ::EnumWindows(&CollectWindow, (LPARAM)&s);
    return s.found;
}
