// Images the tray tests look at: what a painting function draws into a
// memory DC, and a part of the screen (windows of other processes too).
#pragma once
#include <windows.h>

#include <functional>

#include "Capture.h"

// Runs paint on a w x h memory DC (first filled white) and returns the image.
CapturedImage PaintToImage(int w, int h, const std::function<void(HDC)>& paint);
// The screen's pixels in r.
CapturedImage CaptureScreen(const RECT& r);
// Saves a capture of an on-screen display window as it looks over a dark
// scene: its transparent key colour drawn black.
void SaveOsdCapture(HWND window, const wchar_t* name);
