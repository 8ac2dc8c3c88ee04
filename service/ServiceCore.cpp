#include "ServiceCore.h"

#include <cstdarg>
#include <cstdio>

#include "StateFile.h"

namespace tkservice {
namespace {

constexpr UINT kMsgDeliver = WM_APP + 1;
constexpr UINT kMsgSave = WM_APP + 2;
constexpr size_t kLogLines = 20000;
const wchar_t kWindowClass[] = L"TkDeviceServiceEvents";

std::wstring Widen(const char* s)
{
    std::wstring w;
    for (; *s; ++s) w += static_cast<wchar_t>(static_cast<unsigned char>(*s));
    return w;
}

}  // namespace

std::wstring Args(const wchar_t* format, ...)
{
    wchar_t buf[512];
    va_list args;
    va_start(args, format);
    std::vswprintf(buf, 512, format, args);
    va_end(args);
    return buf;
}

ServiceCore& ServiceCore::Instance()
{
    static ServiceCore* core = new ServiceCore;  // lives until the process ends
    return *core;
}

ServiceCore::ServiceCore()
{
    ResetToDefaults();
}

void ServiceCore::Start(const std::wstring& statePath)
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    statePath_ = statePath;
    if (!statePath.empty()) {
        std::vector<BYTE> data;
        std::wstring error;
        std::vector<DeviceState> loaded;
        const FileRead read = ReadWholeFileChecked(statePath, data);
        if (read == FileRead::Missing) {
            stateMessage_ = L"no state file, default state";
        } else if (read != FileRead::Ok) {
            stateMessage_ = std::wstring(L"state file refused (") + FileReadText(read) + L"), default state";
        } else if (!DecodeState(data, loaded, error)) {
            stateMessage_ = L"state file refused (" + error + L"), default state";
        } else {
            devices_ = std::move(loaded);
            stateMessage_ = L"state loaded";
        }
        ::OutputDebugStringW((L"device service: " + stateMessage_ + L"\n").c_str());
        // Nothing to save until something changes: a refused file stays as
        // it is until then.
        dirty_ = false;
    }
    if (!window_) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = WndProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = kWindowClass;
        ::RegisterClassW(&wc);
        window_ = ::CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    wc.hInstance, nullptr);
    }
}

LRESULT CALLBACK ServiceCore::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == kMsgDeliver) {
        Instance().DeliverEvents();
        return 0;
    }
    if (msg == kMsgSave) {
        Instance().SaveNow();
        return 0;
    }
    return ::DefWindowProcW(hwnd, msg, wp, lp);
}

void ServiceCore::SetShutdownHandler(ShutdownHandler handler)
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    shutdown_ = std::move(handler);
}

bool ServiceCore::RequestShutdown(bool restart, ULONG& successor)
{
    ShutdownHandler handler;
    {
        std::lock_guard<std::recursive_mutex> lock(mutex_);
        handler = shutdown_;
    }
    successor = 0;
    return handler && handler(restart, successor);
}

DeviceState* ServiceCore::FindDevice(ULONG productId)
{
    for (DeviceState& d : devices_)
        if (d.productId == productId) return &d;
    return nullptr;
}

DeviceState* ServiceCore::Live(const DeviceRef& ref)
{
    DeviceState* d = FindDevice(ref.productId);
    return d && d->attached && d->generation == ref.generation ? d : nullptr;
}

void ServiceCore::ResetToDefaults()
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    // Objects that clients still hold keep their old records; mark those
    // dead so that calls on them fail instead of changing nothing silently.
    for (DeviceState& d : devices_) {
        for (ProfilePtr& p : d.profiles) p->removed = true;
        for (MacroPtr& m : d.macros) m->removed = true;
    }
    std::vector<DeviceState> fresh;
    for (const ModelInfo& m : Models()) {
        fresh.push_back(DefaultDevice(m.productId));
        if (DeviceState* old = FindDevice(m.productId)) fresh.back().generation = old->generation + 1;
    }
    devices_ = std::move(fresh);
    MarkDirty();
}

void ServiceCore::MarkDirty()
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    dirty_ = true;
    // Saves are coalesced: many writes of one Apply make one file write.
    if (!statePath_.empty() && window_ && !savePosted_) {
        savePosted_ = true;
        ::PostMessageW(window_, kMsgSave, 0, 0);
    }
}

void ServiceCore::SaveNow()
{
    std::vector<BYTE> data;
    std::wstring path;
    {
        std::lock_guard<std::recursive_mutex> lock(mutex_);
        savePosted_ = false;
        if (!dirty_ || statePath_.empty()) return;
        dirty_ = false;
        data = EncodeState(devices_);
        path = statePath_;
    }
    if (!WriteWholeFile(path, data))
        ::OutputDebugStringW((L"device service: cannot write " + path + L"\n").c_str());
}

void ServiceCore::Flush()
{
    SaveNow();
}

HRESULT ServiceCore::BeginCall(const char* operation, const std::wstring& args)
{
    std::wstring op = Widen(operation);
    HRESULT result = S_OK;
    ULONG delay = 0;
    {
        std::lock_guard<std::mutex> lock(logMutex_);
        log_.push_back(args.empty() ? op : op + L" " + args);
        if (log_.size() > kLogLines) log_.pop_front();
        auto it = faults_.find(op);
        if (it == faults_.end()) it = faults_.find(op.substr(0, op.find(L'.')) + L".*");
        if (it != faults_.end()) {
            result = it->second.result;
            delay = it->second.delayMs;
            if (it->second.count > 0 && --it->second.count == 0) faults_.erase(it);
        }
    }
    if (delay) ::Sleep(delay);
    return result;
}

void ServiceCore::EndCall(const char* operation, HRESULT result)
{
    if (result == S_OK) return;
    std::lock_guard<std::mutex> lock(logMutex_);
    wchar_t buf[48];
    std::swprintf(buf, 48, L" -> 0x%08lX", static_cast<unsigned long>(result));
    if (!log_.empty()) log_.back() += buf;
}

void ServiceCore::SetFault(const std::wstring& operation, HRESULT result, ULONG delayMs, LONG count)
{
    std::lock_guard<std::mutex> lock(logMutex_);
    if (count == 0) {
        faults_.erase(operation);
        return;
    }
    faults_[operation] = {result, delayMs, count};
}

void ServiceCore::ClearFaults()
{
    std::lock_guard<std::mutex> lock(logMutex_);
    faults_.clear();
}

std::wstring ServiceCore::CallLog()
{
    std::lock_guard<std::mutex> lock(logMutex_);
    std::wstring out;
    for (const std::wstring& line : log_) out += line + L"\r\n";
    return out;
}

void ServiceCore::ClearCallLog()
{
    std::lock_guard<std::mutex> lock(logMutex_);
    log_.clear();
}

DWORD ServiceCore::Advise(EventKind kind, ULONG productId, IUnknown* sink)
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    sink->AddRef();
    DWORD cookie = nextCookie_++;
    if (nextCookie_ == 0) nextCookie_ = 1;
    sinks_.push_back({cookie, kind, productId, sink});
    return cookie;
}

bool ServiceCore::Unadvise(EventKind kind, DWORD cookie)
{
    IUnknown* sink = nullptr;
    {
        std::lock_guard<std::recursive_mutex> lock(mutex_);
        for (auto it = sinks_.begin(); it != sinks_.end(); ++it) {
            if (it->cookie == cookie && it->kind == kind) {
                sink = it->sink;
                sinks_.erase(it);
                break;
            }
        }
    }
    if (!sink) return false;
    sink->Release();  // outside the lock: a remote release may re-enter
    return true;
}

void ServiceCore::QueueEvent(EventKind kind, ULONG productId, std::function<HRESULT(IUnknown*)> invoke)
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    pending_.push_back({kind, productId, std::move(invoke)});
    if (window_) ::PostMessageW(window_, kMsgDeliver, 0, 0);
}

void ServiceCore::DeliverEvents()
{
    for (;;) {
        PendingEvent event;
        std::vector<Sink> targets;
        {
            std::lock_guard<std::recursive_mutex> lock(mutex_);
            if (pending_.empty()) return;
            event = std::move(pending_.front());
            pending_.pop_front();
            for (const Sink& s : sinks_) {
                if (s.kind == event.kind && s.productId == event.productId) {
                    s.sink->AddRef();
                    targets.push_back(s);
                }
            }
        }
        // Sinks are called without the lock: their handlers call back into
        // the service while the call is still out.
        for (Sink& s : targets) {
            HRESULT hr = event.invoke(s.sink);
            s.sink->Release();
            // A client that went away without unadvising: forget its sink.
            if (hr == RPC_E_DISCONNECTED || hr == HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE) ||
                hr == HRESULT_FROM_WIN32(RPC_S_CALL_FAILED) || hr == CO_E_OBJNOTCONNECTED)
                Unadvise(s.kind, s.cookie);
        }
    }
}

}  // namespace tkservice
