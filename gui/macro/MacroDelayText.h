// Delay rows of the macro display: the text a delay shows and the numbers
// the in-place delay edit reads and writes.
#pragma once
#include <windows.h>

#include "String.h"

// "%.3f %s": the milliseconds as seconds with three decimals, then the
// (translated) word for seconds.
CString FormatDelayText(DWORD milliseconds, const wchar_t* secondsWord);

// The whole milliseconds of a row text that starts with a number of seconds
// ("1.001 s" -> 1001). Rounded to the nearest millisecond: the text has three
// decimals and truncating 1.001 * 1000 (1000.9999...) would lose one.
// 0 when the text has no number; negative values count as 0; values past
// the delay maximum are capped.
DWORD DelayMillisecondsFromText(const wchar_t* text);

// What the user typed into the delay edit: an unsigned number of
// milliseconds. False (keep the old delay) for no number and for 0.
bool ParseDelayEdit(const wchar_t* text, DWORD& milliseconds);

// The most characters the delay edit accepts.
constexpr int kDelayEditLimit = 7;
// Measured delays are capped here.
constexpr DWORD kMaxMeasuredDelay = 0xFFFFFF;
