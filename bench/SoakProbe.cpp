// The soak's probe: one request to the running programs, answered or not
// within the soak's limit. Exit code 0 answered, 1 no such window, 2 no
// answer in time.
//
//   SoakProbe ping            the configurator's and the tray's windows each
//                             answer a message
//   SoakProbe apply <x> <y>   the configurator takes the Apply command, sent
//                             as its button at x y of the main page sends it
#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

const DWORD kLimitMs = 5000;

std::vector<DWORD> ProcessesNamed(const wchar_t* exe)
{
    std::vector<DWORD> ids;
    HANDLE snap = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snap == INVALID_HANDLE_VALUE)
        return ids;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32FirstW(snap, &entry); more; more = ::Process32NextW(snap, &entry))
        if (_wcsicmp(entry.szExeFile, exe) == 0)
            ids.push_back(entry.th32ProcessID);
    ::CloseHandle(snap);
    return ids;
}

// A top-level window of the process; hidden ones count (the tray's is).
HWND WindowOf(DWORD pid)
{
    struct Find {
        DWORD pid;
        HWND found;
    } find{pid, nullptr};
    ::EnumWindows(
        [](HWND hwnd, LPARAM lp) -> BOOL {
            auto* f = reinterpret_cast<Find*>(lp);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(hwnd, &owner);
            if (owner != f->pid)
                return TRUE;
            f->found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&find));
    return find.found;
}

int Ping()
{
    int result = 0;
    for (const wchar_t* exe : {L"TanduKovuConfig.exe", L"TanduKovuSysTray.exe"}) {
        std::vector<DWORD> ids = ProcessesNamed(exe);
        HWND hwnd = ids.empty() ? nullptr : WindowOf(ids.front());
        DWORD_PTR answer = 0;
        if (!hwnd) {
            std::printf("%ls: no window\n", exe);
            result = result ? result : 1;
        } else if (!::SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_BLOCK, kLimitMs, &answer)) {
            std::printf("%ls: no answer within %lu ms\n", exe, kLimitMs);
            result = 2;
        }
    }
    return result;
}

int Apply(POINT at)
{
    HWND main = ::FindWindowW(L"SINGLE_INSTANCE_APP_KOVU", nullptr);
    HWND button = main ? ::ChildWindowFromPointEx(main, at, CWP_SKIPINVISIBLE) : nullptr;
    if (!button || button == main) {
        std::printf("configurator: no Apply button\n");
        return 1;
    }
    DWORD_PTR answer = 0;
    if (!::SendMessageTimeoutW(main, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(button),
                               SMTO_BLOCK, kLimitMs, &answer)) {
        std::printf("configurator: Apply not taken within %lu ms\n", kLimitMs);
        return 2;
    }
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    int result = 1;
    if (argc == 2 && std::wstring(argv[1]) == L"ping")
        result = Ping();
    else if (argc == 4 && std::wstring(argv[1]) == L"apply")
        result = Apply(POINT{_wtoi(argv[2]), _wtoi(argv[3])});
    else
        std::printf("usage: SoakProbe ping | apply <x> <y>\n");
    std::fflush(stdout);
    return result;
}
