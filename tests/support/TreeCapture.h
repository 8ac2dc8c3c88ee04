// Captures a window together with its visible child windows, each drawn by
// itself (PrintWindow under Wine leaves children out), and saves it as PNG
// in the captures folder.
#pragma once
#include <windows.h>

#include "Capture.h"

bool CaptureTree(HWND hwnd, CapturedImage& out);
bool SaveTreeCapture(HWND hwnd, const wchar_t* name);
// The top-level window as it stands on the screen after a full redraw: its
// tree, with this thread's own visible windows above it (its pop-ups and
// drop-downs) pasted over it. Other programs' windows never show, however
// they lie on the shared desktop.
std::wstring SaveScreenCapture(HWND top, const wchar_t* name);
