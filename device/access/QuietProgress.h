// Progress-messenger calls for code that must not throw (worker threads,
// device operations called from window procedures): the messenger's lock
// time-out costs the one report or list change instead of an exception.
#pragma once
#include <windows.h>
#include "ProgressMessenger.h"

inline void SendPercentQuietly(CProgressMessenger& m, int percent)
{
    try {
        m.SendProgress(percent);
    } catch (const wchar_t*) {
    }
}

inline void SendTextQuietly(CProgressMessenger& m, const wchar_t* text)
{
    try {
        m.SendText(text);
    } catch (const wchar_t*) {
    }
}

inline void SubscribeQuietly(CProgressMessenger& m, HWND window)
{
    try {
        m.Subscribe(window);
    } catch (const wchar_t*) {
    }
}

inline void UnsubscribeQuietly(CProgressMessenger& m, HWND window)
{
    try {
        m.Unsubscribe(window);
    } catch (const wchar_t*) {
    }
}
