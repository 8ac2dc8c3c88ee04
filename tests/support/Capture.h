// Window captures for looking at what a test built: PrintWindow (which
// sends WM_PRINT/WM_PRINTCLIENT) into a 24-bit DIB, saved as PNG.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct CapturedImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;  // top row first
    COLORREF Pixel(int x, int y) const;
};

// The window's image, drawn by the window itself into a memory DC.
bool CaptureWindow(HWND hwnd, CapturedImage& out);
// Saves the capture as <TK_CAPTURE_DIR>\<name>.png (the build tree's
// captures folder under ctest); returns the path, or empty on failure.
std::wstring SaveCapture(HWND hwnd, const wchar_t* name);
// The window as it stands on the screen after a full redraw, children and
// transparent labels over their parent included (a capture of one window
// leaves both out); another program's window on top shows too.
std::wstring SaveScreenCapture(HWND top, const wchar_t* name);
