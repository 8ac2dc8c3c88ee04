// What the device service hands back is outside input: every text is copied
// bounded, never read past its allocation, and freed once.
#pragma once
#include <windows.h>

#include <cstddef>

#include "String.h"

// Takes a CoTaskMem text from the service (and frees it): at most maxChars
// characters, never past the allocation even when the terminator is missing.
CString TakeServiceText(LPWSTR text, size_t maxChars);

// A text the service wrote into a caller's buffer of bufferBytes: empty
// unless returnedBytes fits the buffer; it ends at the first NUL, at
// returnedBytes / 2 characters, or at maxChars, whichever comes first.
CString BufferText(const BYTE* buffer, ULONG bufferBytes, ULONG returnedBytes, size_t maxChars);
