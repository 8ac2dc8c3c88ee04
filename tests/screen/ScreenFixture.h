// What the screen tests share: the X screen's picture of a window compared
// with the window's own, the grabs saved beside the captures
// (captures/screen/), real mouse input and Wine's taskbar.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "XScreen.h"

// Polls until the X screen shows `window` as it draws itself (its shape cut
// out of the picture `before`, grabbed without it; `keyed`: a layered
// window's colour key), at most the hang time; `keepShown` is called before
// each look (to keep a window up that hides itself). Saves the last grab of
// the window's rectangle and its own picture as screen/<name>_x.png and
// screen/<name>_own.png. The last comparison is returned.
ScreenDiff ScreenShowsWindow(HWND window, const CapturedImage& before, const wchar_t* name,
                             COLORREF keyed = CLR_INVALID, void (*keepShown)(HWND) = nullptr);

// Real input, as the user gives it: the pointer moved to a screen point,
// clicks and a drag.
void MoveTo(POINT p);
void Click(POINT p, bool right = false);
void DragTo(POINT from, POINT to);

// The centre of a window on the screen.
POINT CentreOf(HWND window);

// The visible windows of Wine's taskbar (its buttons) that stand for a
// window of `pid`; empty without a taskbar.
std::vector<HWND> TaskbarButtonsOf(DWORD pid);
// Makes the taskbar bring its buttons up to date (a top-level window's
// creation does) and waits until it has: a visible probe window of this
// process gets its button. False without a taskbar or on time-out.
bool SyncTaskbar();

// The visible top-level windows of a process with that class (null: any).
std::vector<HWND> VisibleWindowsOf(DWORD pid, const wchar_t* windowClass);
