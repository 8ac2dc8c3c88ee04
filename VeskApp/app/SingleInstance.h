// One configurator at a time: a second start brings the running one's
// window forward and ends before it touches the registry, the tray program
// or the device.
#pragma once
#include <windows.h>

enum class InstanceCheck {
    First,         // no other configurator: go on
    OtherRunning,  // another one's window was brought forward
    Busy,          // another start holds the check: end silently
};

// Brackets the look for a window of `windowClass` with the mutex
// "CSingleInstanceApp{B98C6AA5-57C0}" (waited for at most 1000 ms).
InstanceCheck CheckSingleInstance(const wchar_t* windowClass);
