// Captures a window together with its visible child windows, each drawn by
// itself (PrintWindow under Wine leaves children out), and saves it as PNG
// in the captures folder.
#pragma once
#include <windows.h>

#include "Capture.h"

bool CaptureTree(HWND hwnd, CapturedImage& out);
bool SaveTreeCapture(HWND hwnd, const wchar_t* name);
