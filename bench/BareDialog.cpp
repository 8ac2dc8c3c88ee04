// Baseline for the configurator's start: a bare dialog of the main window's
// size from an in-memory template, marking the end of its first paint.
#include <windows.h>

#include "StartMark.h"

namespace {

bool g_painted = false;

INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(hwnd, &ps);
        ::FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(::GetStockObject(DKGRAY_BRUSH)));
        ::EndPaint(hwnd, &ps);
        if (!g_painted) {
            g_painted = true;
            SetBenchMark(L"paint");
        }
        return TRUE;
    }
    case WM_CLOSE:
        ::EndDialog(hwnd, 0);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    // DLGTEMPLATE followed by empty menu, class and title arrays; the
    // template must be DWORD aligned.
    alignas(4) WORD buffer[32] = {};
    DLGTEMPLATE* t = reinterpret_cast<DLGTEMPLATE*>(buffer);
    t->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_CENTER;
    t->cx = 700;  // dialog units; about the main window's 1050 x 700 pixels
    t->cy = 380;
    return static_cast<int>(::DialogBoxIndirectParamW(instance, t, nullptr, DialogProc, 0));
}
