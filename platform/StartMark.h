// Start marks a timed program sets (the end of its first paint, the end of
// its first device read): named events the benchmark makes for the child's
// process id before it lets the child run; with no one waiting, nothing is set.
#pragma once
#include <windows.h>
#include <cwchar>

const size_t kBenchMarkNameLength = 96;

inline void BenchMarkName(wchar_t (&name)[kBenchMarkNameLength], const wchar_t* stage, DWORD pid)
{
    std::swprintf(name, kBenchMarkNameLength, L"Local\\TanduKovu.Mark.%ls.%lu", stage, pid);
}

inline void SetBenchMark(const wchar_t* stage)
{
    wchar_t name[kBenchMarkNameLength];
    BenchMarkName(name, stage, ::GetCurrentProcessId());
    if (HANDLE event = ::OpenEventW(EVENT_MODIFY_STATE, FALSE, name)) {
        ::SetEvent(event);
        ::CloseHandle(event);
    }
}
