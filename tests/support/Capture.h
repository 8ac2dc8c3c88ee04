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
// The same, drawn over `background` (the window's size) instead of white, so
// a window that leaves its background alone shows what lies beneath it.
bool CaptureWindowOver(HWND hwnd, const CapturedImage& background, CapturedImage& out);
// Saves an image as <TK_CAPTURE_DIR>\<name>.png (the build tree's captures
// folder under ctest); returns the path, or empty on failure.
std::wstring SaveImage(const CapturedImage& img, const wchar_t* name);
// Saves the window's capture the same way.
std::wstring SaveCapture(HWND hwnd, const wchar_t* name);
