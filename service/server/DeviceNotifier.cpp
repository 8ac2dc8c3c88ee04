#include "DeviceNotifier.h"

#include <dbt.h>
#include <process.h>

#include <cstddef>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <map>
#include <set>
#include <vector>

#include "DeviceNotices.h"
#include "ServiceState.h"

namespace tkservice {
namespace {

// Each program and the one interface class it registers for: the system
// tells a window only of the classes it asked for.
const tknotices::ProgramNotices kPrograms[] = {tknotices::kConfiguratorNotices, tknotices::kTrayNotices};

// How long a window may take to take a notice; one that does not is
// skipped for the rest of that change.
constexpr UINT kAnswerMs = 2000;
constexpr size_t kMaxBacklog = 64;

// The record the system sends for a mouse's interface of that class: the
// header, then the interface path with its terminator, named as the HID
// driver names a mouse's collection.
std::vector<BYTE> InterfaceRecord(ULONG productId, const GUID& interfaceClass)
{
    wchar_t cls[40] = {};
    ::StringFromGUID2(interfaceClass, cls, 40);
    for (wchar_t* c = cls; *c; ++c) *c = static_cast<wchar_t>(std::towlower(*c));
    wchar_t path[128] = {};
    std::swprintf(path, 128, L"\\\\?\\HID#VID_%04lX&PID_%04lX#7&%04lx%04lx&0&0000#%ls", kVendorId, productId,
                  kVendorId, productId, cls);
    const size_t chars = std::wcslen(path) + 1;
    const size_t nameAt = offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name);
    std::vector<BYTE> record(nameAt + chars * sizeof(wchar_t));
    DEV_BROADCAST_DEVICEINTERFACE_W header{};
    header.dbcc_size = static_cast<DWORD>(record.size());
    header.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    header.dbcc_classguid = interfaceClass;
    std::memcpy(record.data(), &header, nameAt);
    std::memcpy(record.data() + nameAt, path, chars * sizeof(wchar_t));
    return record;
}

// The interface class the process's program registers for; null for any
// other process.
const GUID* ProgramClass(DWORD processId)
{
    HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process) return nullptr;
    wchar_t path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    const GUID* found = nullptr;
    if (::QueryFullProcessImageNameW(process, 0, path, &size)) {
        const wchar_t* name = path;
        for (const wchar_t* p = path; *p; ++p)
            if (*p == L'\\' || *p == L'/') name = p + 1;
        for (const auto& program : kPrograms)
            if (_wcsicmp(name, program.program) == 0) found = program.interfaceClass;
    }
    ::CloseHandle(process);
    return found;
}

// The programs' top-level windows that no other window owns (their main
// windows, not their popups and tooltips), as they are now.
std::vector<DeviceNotifier::Window> ProgramWindows()
{
    struct Walk {
        std::map<DWORD, const GUID*> programs;  // by process id
        std::vector<DeviceNotifier::Window> windows;
    } walk;
    ::EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* walk = reinterpret_cast<Walk*>(param);
            DWORD processId = 0;
            const DWORD thread = ::GetWindowThreadProcessId(window, &processId);
            if (::GetWindow(window, GW_OWNER)) return TRUE;
            try {
                auto found = walk->programs.find(processId);
                if (found == walk->programs.end())
                    found = walk->programs.emplace(processId, ProgramClass(processId)).first;
                if (found->second) walk->windows.push_back({window, thread, found->second});
            } catch (...) {
                return FALSE;  // out of memory: the windows found so far
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&walk));
    return walk.windows;
}

}  // namespace

bool DeviceNotifier::Start()
{
    HANDLE thread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &DeviceNotifier::Run, this, 0, nullptr));
    if (!thread) return false;
    ::CloseHandle(thread);
    return true;
}

void DeviceNotifier::Post(ULONG productId, bool attached)
{
    try {
        // Finding the windows asks the system, never the programs.
        std::vector<Window> windows = ProgramWindows();
        if (windows.empty()) return;
        std::lock_guard<std::mutex> lock(mutex_);
        if (queue_.size() >= kMaxBacklog) return;
        queue_.push_back({productId, attached, std::move(windows)});
    } catch (...) {
        return;  // out of memory: that change goes untold
    }
    wake_.notify_one();
}

// Runs for as long as the server: it ends the process without ending its
// threads.
unsigned __stdcall DeviceNotifier::Run(void* param)
{
    auto* self = static_cast<DeviceNotifier*>(param);
    for (;;) {
        Change change{};
        {
            std::unique_lock<std::mutex> lock(self->mutex_);
            self->wake_.wait(lock, [&] { return !self->queue_.empty(); });
            change = std::move(self->queue_.front());
            self->queue_.pop_front();
        }
        try {
            self->Send(change);
        } catch (...) {
            // Out of memory: that change goes untold.
        }
    }
}

void DeviceNotifier::Send(const Change& change)
{
    const std::vector<Window>& windows = change.windows;
    // An interface's arrival or removal carries its record: it is sent, and
    // the receiver gets its own copy of the record. Each window hears only
    // of the class its program registered for.
    std::set<DWORD> slow;  // threads that did not answer in time
    auto send = [&](WPARAM event) {
        for (const Window& w : windows) {
            if (slow.count(w.thread)) continue;
            const std::vector<BYTE> record = InterfaceRecord(change.productId, *w.interfaceClass);
            DWORD_PTR answer = 0;
            if (!::SendMessageTimeoutW(w.window, WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(record.data()),
                                       SMTO_ABORTIFHUNG, kAnswerMs, &answer) &&
                ::IsWindow(w.window))
                slow.insert(w.thread);
        }
    };
    // The device tree's change carries nothing and is posted.
    auto nodesChanged = [&] {
        for (const Window& w : windows) ::PostMessageW(w.window, WM_DEVICECHANGE, DBT_DEVNODES_CHANGED, 0);
    };
    if (change.attached) {
        nodesChanged();
        send(DBT_DEVICEARRIVAL);
    } else {
        send(DBT_DEVICEREMOVECOMPLETE);
        nodesChanged();
    }
}

}  // namespace tkservice
