#include "ServiceCore.h"

#include <process.h>

#include <algorithm>
#include <condition_variable>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <set>

#include "StateFile.h"

namespace tkservice {
namespace {

constexpr UINT kMsgDeliver = WM_APP + 1;
constexpr UINT kMsgSave = WM_APP + 2;
// A delivery thread found its sink's client gone: wParam the cookie,
// lParam the kind.
constexpr UINT kMsgSinkGone = WM_APP + 3;
// A save failed (the file held by a reader, say): try again after lParam ms.
constexpr UINT kMsgSaveLater = WM_APP + 4;
constexpr UINT_PTR kSaveTimer = 1;
// The pause after a failed save, doubled at each further failure up to the
// longest: a reader that holds the file for good does not cost a write a
// second for ever.
constexpr UINT kSaveRetryMs = 1000;
constexpr UINT kSaveRetryLongestMs = 64000;
// A save before the process ends tries again this long, this often.
constexpr DWORD kSaveNowMs = 1000;
constexpr DWORD kSaveNowPauseMs = 50;
// Events a client that does not take them can have waiting; later ones are
// dropped for it.
constexpr size_t kMaxQueuedEvents = 64;
// How long Unadvise waits for a sink's delivery thread to let go of it.
constexpr DWORD kLetGoMs = 5000;
constexpr size_t kLogLines = 20000;
const wchar_t kWindowClass[] = L"TkDeviceServiceEvents";

std::wstring Widen(const char* s)
{
    std::wstring w;
    for (; *s; ++s) w += static_cast<wchar_t>(static_cast<unsigned char>(*s));
    return w;
}

// A call on a sink whose client has gone away.
bool ClientGone(HRESULT hr)
{
    return hr == RPC_E_DISCONNECTED || hr == HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE) ||
           hr == HRESULT_FROM_WIN32(RPC_S_CALL_FAILED) || hr == CO_E_OBJNOTCONNECTED;
}

// Standard proxies answer IClientSecurity; objects of this process do not.
bool IsProxy(IUnknown* sink)
{
    IUnknown* security = nullptr;
    if (FAILED(sink->QueryInterface(IID_IClientSecurity, reinterpret_cast<void**>(&security))) || !security)
        return false;
    security->Release();
    return true;
}

// Waits for handle, taking this apartment's incoming calls meanwhile.
bool WaitTakingCalls(HANDLE handle, DWORD ms)
{
    DWORD index = 0;
    HRESULT hr = ::CoWaitForMultipleHandles(0, ms, 1, &handle, &index);
    if (hr == CO_E_NOTINITIALIZED)
        return ::WaitForSingleObject(handle, ms) == WAIT_OBJECT_0;
    return hr == S_OK;
}

}  // namespace

// The apartment of the client that a marshalled proxy leads to, read from
// its standard object reference; 0 when it cannot be read.
ULONGLONG ClientApartment(IStream* stream)
{
    HGLOBAL memory = nullptr;
    if (!stream || FAILED(::GetHGlobalFromStream(stream, &memory))) return 0;
    SIZE_T size = ::GlobalSize(memory);
    const BYTE* p = static_cast<const BYTE*>(::GlobalLock(memory));
    ULONGLONG apartment = 0;
    // Signature "MEOW", flags 1 (standard), interface id, then the standard
    // reference: flags, public references, the apartment's id.
    const DWORD kSignature = 0x574F454D;
    if (p && size >= 40 && std::memcmp(p, &kSignature, 4) == 0 && p[4] == 1) std::memcpy(&apartment, p + 32, 8);
    if (p) ::GlobalUnlock(memory);
    return apartment;
}

// The events of one client apartment, called in order on a thread of their
// own: one event at a time reaches a client, as from the event thread, and a
// client that is slow, hung or gone holds up only its own events.
struct ServiceCore::SinkLine {
    struct Item {
        DWORD cookie = 0;
        EventKind kind = EventKind::Dpi;
        std::function<HRESULT(IUnknown*)> invoke;  // an event
        IStream* take = nullptr;                   // or a sink to take
        IID iid{};
        std::shared_ptr<void> letGo;  // or a sink to let go of; set when done
    };
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<Item> queue;
    std::set<DWORD> live;  // the sinks whose events are still wanted
    size_t events = 0;
    bool stop = false;  // ends once the queue is done
    HWND window = nullptr;

    void Push(Item item)
    {
        {
            std::lock_guard<std::mutex> lock(mutex);
            if (item.invoke) {
                if (events >= kMaxQueuedEvents) return;
                ++events;
            }
            queue.push_back(std::move(item));
        }
        wake.notify_one();
    }

    static unsigned __stdcall Run(void* param)
    {
        auto* held = static_cast<std::shared_ptr<SinkLine>*>(param);
        std::shared_ptr<SinkLine> line = *held;
        delete held;
        HRESULT init = ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        std::map<DWORD, IUnknown*> sinks;
        for (;;) {
            Item item;
            {
                std::unique_lock<std::mutex> lock(line->mutex);
                line->wake.wait(lock, [&] { return line->stop || !line->queue.empty(); });
                if (line->queue.empty()) break;
                item = std::move(line->queue.front());
                line->queue.pop_front();
                if (item.invoke) {
                    --line->events;
                    if (!line->live.count(item.cookie)) continue;
                }
            }
            if (item.take) {
                IUnknown* sink = nullptr;
                if (SUCCEEDED(::CoGetInterfaceAndReleaseStream(item.take, item.iid, reinterpret_cast<void**>(&sink))) &&
                    sink)
                    sinks[item.cookie] = sink;
            } else if (item.letGo) {
                auto it = sinks.find(item.cookie);
                if (it != sinks.end()) {
                    it->second->Release();
                    sinks.erase(it);
                }
                ::SetEvent(item.letGo.get());
            } else {
                auto it = sinks.find(item.cookie);
                if (it != sinks.end() && ClientGone(item.invoke(it->second))) {
                    // Forgotten on the event thread, which holds the list.
                    {
                        std::lock_guard<std::mutex> lock(line->mutex);
                        line->live.erase(item.cookie);
                    }
                    if (line->window)
                        ::PostMessageW(line->window, kMsgSinkGone, item.cookie, static_cast<LPARAM>(item.kind));
                }
            }
        }
        for (auto& s : sinks) s.second->Release();
        if (SUCCEEDED(init)) ::CoUninitialize();
        return 0;
    }
};

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
        Instance().SaveLater();
        return 0;
    }
    if (msg == kMsgSaveLater) {
        ::SetTimer(hwnd, kSaveTimer, static_cast<UINT>(lp), nullptr);
        return 0;
    }
    if (msg == WM_TIMER && wp == kSaveTimer) {
        ::KillTimer(hwnd, kSaveTimer);
        Instance().SaveLater();
        return 0;
    }
    if (msg == kMsgSinkGone) {
        Instance().Unadvise(static_cast<EventKind>(lp), static_cast<DWORD>(wp));
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

void ServiceCore::SetDeviceChangeHandler(DeviceChangeHandler handler)
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    deviceChange_ = std::move(handler);
}

void ServiceCore::SetAttached(DeviceState& device, bool attached, bool notice)
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    if (device.attached == attached) return;
    device.attached = attached;
    ++device.generation;
    MarkDirty();
    if (notice && deviceChange_) deviceChange_(device.productId, attached);
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
    std::vector<ULONG> gone, come;
    for (const ModelInfo& m : Models()) {
        fresh.push_back(DefaultDevice(m.productId));
        if (DeviceState* old = FindDevice(m.productId)) {
            fresh.back().generation = old->generation + 1;
            if (old->attached != fresh.back().attached) (old->attached ? gone : come).push_back(m.productId);
        }
    }
    devices_ = std::move(fresh);
    MarkDirty();
    if (!deviceChange_) return;
    for (ULONG productId : gone) deviceChange_(productId, false);
    for (ULONG productId : come) deviceChange_(productId, true);
}

void ServiceCore::MarkDirty()
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    dirty_ = true;
    // Saves are coalesced: many writes of one Apply make one file write.
    // While saves fail, the retry timer saves the newest state.
    if (!statePath_.empty() && window_ && !savePosted_ && !saveRetryMs_) {
        savePosted_ = true;
        ::PostMessageW(window_, kMsgSave, 0, 0);
    }
}

void ServiceCore::SaveLater()
{
    std::lock_guard<std::mutex> save(saveMutex_);
    TellSaveResult(SaveOnce());
}

HRESULT ServiceCore::SaveOnce()
{
    std::vector<BYTE> data;
    std::wstring path;
    {
        std::lock_guard<std::recursive_mutex> lock(mutex_);
        savePosted_ = false;
        if (!dirty_ || statePath_.empty()) return S_OK;
        dirty_ = false;
        data = EncodeState(devices_);
        path = statePath_;
    }
    const Fault fault = UseFault(kSaveFault);
    auto hold = [&fault] {
        if (fault.delayMs) ::Sleep(fault.delayMs);
    };
    HRESULT hr = fault.result;
    if (FAILED(hr)) {
        hold();
    } else if (!WriteWholeFile(path, data, hold)) {
        const DWORD error = ::GetLastError();
        hr = HRESULT_FROM_WIN32(error ? error : ERROR_WRITE_FAULT);
    }
    if (FAILED(hr)) {
        std::lock_guard<std::recursive_mutex> lock(mutex_);
        dirty_ = true;  // still to be saved
    }
    return hr;
}

HRESULT ServiceCore::SaveRetrying()
{
    const DWORD start = ::GetTickCount();
    HRESULT hr = SaveOnce();
    while (FAILED(hr) && ::GetTickCount() - start < kSaveNowMs) {
        ::Sleep(kSaveNowPauseMs);
        hr = SaveOnce();
    }
    return hr;
}

void ServiceCore::TellSaveResult(HRESULT hr)
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    if (SUCCEEDED(hr)) {
        if (saveRetryMs_) ::OutputDebugStringW((L"device service: " + statePath_ + L" saved again\n").c_str());
        saveRetryMs_ = 0;
        // A change made while a retry was writing posted no save of its own.
        if (dirty_ && !statePath_.empty() && window_ && !savePosted_) {
            savePosted_ = true;
            ::PostMessageW(window_, kMsgSave, 0, 0);
        }
        return;
    }
    if (!saveRetryMs_) {
        wchar_t code[16];
        std::swprintf(code, 16, L"0x%08lX", static_cast<unsigned long>(hr));
        ::OutputDebugStringW((L"device service: cannot write " + statePath_ + L" (" + code +
                              L"), trying again later\n").c_str());
    }
    saveRetryMs_ = saveRetryMs_ ? std::min(saveRetryMs_ * 2, kSaveRetryLongestMs) : kSaveRetryMs;
    if (window_) ::PostMessageW(window_, kMsgSaveLater, 0, static_cast<LPARAM>(saveRetryMs_));
}

HRESULT ServiceCore::SaveNow()
{
    std::lock_guard<std::mutex> save(saveMutex_);
    const HRESULT hr = SaveRetrying();
    TellSaveResult(hr);
    return hr;
}

HRESULT ServiceCore::SaveNowAndHold()
{
    // Never let go: the process ends holding both, and the write is made
    // under the state lock.
    saveMutex_.lock();
    mutex_.lock();
    return SaveRetrying();
}

HRESULT ServiceCore::BeginCall(const char* operation, const std::wstring& args, ULONGLONG& line)
{
    std::wstring op = Widen(operation);
    Fault fault;
    {
        std::lock_guard<std::mutex> lock(logMutex_);
        log_.push_back(args.empty() ? op : op + L" " + args);
        line = logged_++;
        if (log_.size() > kLogLines) log_.pop_front();
        fault = UseFaultLogHeld(op);
        if (!fault.count) fault = UseFaultLogHeld(op.substr(0, op.find(L'.')) + L".*");
    }
    if (fault.delayMs) ::Sleep(fault.delayMs);
    return fault.result;
}

void ServiceCore::EndCall(ULONGLONG line, HRESULT result)
{
    if (result == S_OK) return;
    std::lock_guard<std::mutex> lock(logMutex_);
    // Calls end in any order: the result goes on the call's own line, unless
    // that line has left the log (or the log was cleared) meanwhile.
    const ULONGLONG first = logged_ - log_.size();
    if (line < first || line >= logged_) return;
    wchar_t buf[48];
    std::swprintf(buf, 48, L" -> 0x%08lX", static_cast<unsigned long>(result));
    log_[static_cast<size_t>(line - first)] += buf;
}

ServiceCore::Fault ServiceCore::UseFaultLogHeld(const std::wstring& operation)
{
    auto it = faults_.find(operation);
    if (it == faults_.end()) return Fault{};
    const Fault fault = it->second;
    if (it->second.count > 0 && --it->second.count == 0) faults_.erase(it);
    return fault;
}

ServiceCore::Fault ServiceCore::UseFault(const std::wstring& operation)
{
    std::lock_guard<std::mutex> lock(logMutex_);
    return UseFaultLogHeld(operation);
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

DWORD ServiceCore::Advise(EventKind kind, ULONG productId, REFIID eventIid, IUnknown* sink)
{
    IStream* marshalled = nullptr;
    if (!IsProxy(sink) || FAILED(::CoMarshalInterThreadInterfaceInStream(eventIid, sink, &marshalled)))
        marshalled = nullptr;
    // Set when the sink gets no line of its own: let go of outside the lock,
    // since releasing a proxy's marshalled reference calls its client.
    IStream* unused = nullptr;
    DWORD cookie = LockAndAddSink(kind, productId, eventIid, sink, marshalled, unused);
    if (unused) {
        ::CoReleaseMarshalData(unused);
        unused->Release();
    }
    return cookie;
}

DWORD ServiceCore::LockAndAddSink(EventKind kind, ULONG productId, REFIID eventIid, IUnknown* sink,
                                  IStream* marshalled, IStream*& unused)
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    sink->AddRef();
    DWORD cookie = nextCookie_++;
    if (nextCookie_ == 0) nextCookie_ = 1;
    std::shared_ptr<SinkLine> line;
    if (marshalled) {
        ULONGLONG client = ClientApartment(marshalled);
        // A client whose apartment cannot be told gets a line of its own.
        if (!client) client = (1ull << 63) | cookie;
        auto found = lines_.find(client);
        if (found != lines_.end()) {
            line = found->second;
        } else {
            line = std::make_shared<SinkLine>();
            line->window = window_;
            auto* held = new std::shared_ptr<SinkLine>(line);
            HANDLE thread = FAILED(UseFault(kLineFault).result)
                                ? nullptr
                                : reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &SinkLine::Run, held, 0, nullptr));
            if (thread) {
                ::CloseHandle(thread);
                lines_[client] = line;
            } else {
                delete held;
                line.reset();
            }
        }
        if (line) {
            {
                std::lock_guard<std::mutex> lineLock(line->mutex);
                line->live.insert(cookie);
            }
            SinkLine::Item take;
            take.cookie = cookie;
            take.take = marshalled;
            take.iid = eventIid;
            line->Push(std::move(take));
        } else {
            unused = marshalled;
        }
    }
    sinks_.push_back({cookie, kind, productId, sink, line});
    return cookie;
}

bool ServiceCore::Unadvise(EventKind kind, DWORD cookie)
{
    IUnknown* sink = nullptr;
    std::shared_ptr<SinkLine> line;
    // Set once the client's thread has let go of the sink.
    std::shared_ptr<void> letGo;
    {
        std::lock_guard<std::recursive_mutex> lock(mutex_);
        for (auto it = sinks_.begin(); it != sinks_.end(); ++it) {
            if (it->cookie == cookie && it->kind == kind) {
                sink = it->sink;
                line = it->line;
                sinks_.erase(it);
                break;
            }
        }
        if (line) {
            letGo.reset(::CreateEventW(nullptr, TRUE, FALSE, nullptr), [](void* h) {
                if (h) ::CloseHandle(h);
            });
            SinkLine::Item item;
            item.cookie = cookie;
            item.letGo = letGo;
            line->Push(std::move(item));
            bool empty = false;
            {
                std::lock_guard<std::mutex> lineLock(line->mutex);
                line->live.erase(cookie);
                empty = line->live.empty();
                // The thread ends once its queue is done; a new sink of
                // this client starts another.
                if (empty) line->stop = true;
            }
            line->wake.notify_one();
            if (empty)
                for (auto it = lines_.begin(); it != lines_.end(); ++it)
                    if (it->second == line) {
                        lines_.erase(it);
                        break;
                    }
        }
    }
    if (!sink) return false;
    // The sink is let go of before Unadvise returns, unless its client is
    // stuck in an event call; the thread lets go once that call ends.
    if (letGo && letGo.get()) WaitTakingCalls(letGo.get(), kLetGoMs);
    sink->Release();  // outside the lock: a remote release may re-enter
    return true;
}

void ServiceCore::QueueEvent(EventKind kind, ULONG productId, std::function<HRESULT(IUnknown*)> invoke)
{
    std::lock_guard<std::recursive_mutex> lock(mutex_);
    bool here = false;
    for (const Sink& s : sinks_) {
        if (s.kind != kind || s.productId != productId) continue;
        if (s.line) {
            SinkLine::Item item;
            item.cookie = s.cookie;
            item.kind = kind;
            item.invoke = invoke;
            s.line->Push(std::move(item));
        } else {
            here = true;
        }
    }
    if (!here) return;
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
                if (!s.line && s.kind == event.kind && s.productId == event.productId) {
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
            if (ClientGone(hr)) Unadvise(s.kind, s.cookie);
        }
    }
}

}  // namespace tkservice
