// The one state owner of a service process: the devices, the lock every COM
// object takes, the call log, injected faults, the event sinks and their
// asynchronous delivery, and saving the state file.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "ServiceState.h"

namespace tkservice {

enum class EventKind { Dpi, Profile, Launch, Recording };

// Which device an object belongs to, and which attachment of it.
struct DeviceRef {
    ULONG productId = 0;
    ULONG generation = 0;
};

HRESULT const kErrNotConnected = HRESULT_FROM_WIN32(ERROR_DEVICE_NOT_CONNECTED);
HRESULT const kErrNotFound = HRESULT_FROM_WIN32(ERROR_NOT_FOUND);
HRESULT const kErrNoMoreItems = HRESULT_FROM_WIN32(ERROR_NO_MORE_ITEMS);
HRESULT const kErrFull = HRESULT_FROM_WIN32(ERROR_HANDLE_DISK_FULL);
HRESULT const kErrBadFile = HRESULT_FROM_WIN32(ERROR_FILE_CORRUPT);

// Faults of what the service does by itself (DeviceService.idl).
const wchar_t kSaveFault[] = TK_FAULT_SAVE;
const wchar_t kLineFault[] = TK_FAULT_EVENT_LINE;

class ServiceCore {
public:
    static ServiceCore& Instance();

    // Loads the state from statePath (empty: defaults, never saved) and makes
    // the calling thread the one that delivers events and saves.
    void Start(const std::wstring& statePath);
    // Writes a pending save at once, before a shutdown or restart, trying
    // again for about a second while it fails (a reader holding the file);
    // the failure when it still fails, S_OK when nothing was pending.
    HRESULT SaveNow();
    // The last save of the process, as SaveNow: it keeps the state lock for
    // good, so no call can change what was saved and be told it succeeded.
    // Only for a process that ends right after.
    HRESULT SaveNowAndHold();
    // The server's way to end; restart: start its successor first and give
    // its process id (0 when it could not be started).
    using ShutdownHandler = std::function<bool(bool restart, ULONG& successor)>;
    void SetShutdownHandler(ShutdownHandler handler);
    // False when nothing handles it (the object model in a client process).
    bool RequestShutdown(bool restart, ULONG& successor);
    // The server's way to tell the session's programs that a model was
    // attached or detached, as the system tells them of a real mouse.
    // Called under the lock in the order of the changes, so it only queues;
    // unset (the object model in a client process), nothing is told.
    using DeviceChangeHandler = std::function<void(ULONG productId, bool attached)>;
    void SetDeviceChangeHandler(DeviceChangeHandler handler);

    std::recursive_mutex& Mutex() { return mutex_; }

    // Under the lock:
    std::vector<DeviceState>& Devices() { return devices_; }
    DeviceState* FindDevice(ULONG productId);
    DeviceState* Live(const DeviceRef& ref);  // null unless still attached
    DeviceRef RefOf(const DeviceState& d) const { return {d.productId, d.generation}; }
    void MarkDirty();
    // Attaches or detaches a model: a change starts a new generation (the
    // objects of the earlier one stay dead) and, with notice, is told.
    void SetAttached(DeviceState& device, bool attached, bool notice);
    void ResetToDefaults();
    std::wstring StateMessage() const { return stateMessage_; }

    // Call log and faults. BeginCall logs the call, waits any injected delay
    // and returns the injected failure (S_OK when none); line names the
    // call's own line, to which EndCall adds a failure, whatever other calls
    // were logged meanwhile.
    HRESULT BeginCall(const char* operation, const std::wstring& args, ULONGLONG& line);
    void EndCall(ULONGLONG line, HRESULT result);
    void SetFault(const std::wstring& operation, HRESULT result, ULONG delayMs, LONG count);
    void ClearFaults();
    std::wstring CallLog();
    void ClearCallLog();

    // Event sinks. sink is the sink's event interface eventIid (referenced
    // here). The sinks of a client in another process are called on a
    // delivery thread of that client's, so a client that is slow, hung or
    // gone holds up only its own events, never this apartment or another
    // client's; a sink in this process is called on the event thread.
    DWORD Advise(EventKind kind, ULONG productId, REFIID eventIid, IUnknown* sink);
    bool Unadvise(EventKind kind, DWORD cookie);
    // Delivers later to every sink of that kind on that device; invoke makes
    // the one call on a sink.
    void QueueEvent(EventKind kind, ULONG productId, std::function<HRESULT(IUnknown*)> invoke);
    struct SinkLine;

private:
    ServiceCore();
    static LRESULT CALLBACK WndProc(HWND, UINT, WPARAM, LPARAM);
    void DeliverEvents();
    // The event thread's save of what changed; a failure is tried again
    // later, after a pause that grows while it keeps failing.
    void SaveLater();
    // One try, under saveMutex_: encodes the state under the state lock and
    // writes it, outside that lock unless the caller holds it. S_OK when
    // nothing was pending.
    HRESULT SaveOnce();
    // SaveOnce until it succeeds or about a second has gone.
    HRESULT SaveRetrying();
    // Tells once of a run of failed saves, and of its end.
    void TellSaveResult(HRESULT hr);
    // Advise's part that takes the state lock; unused gets the marshalled
    // sink when it has no line to go to.
    DWORD LockAndAddSink(EventKind kind, ULONG productId, REFIID eventIid, IUnknown* sink, IStream* marshalled,
                         IStream*& unused);

    struct Fault {
        HRESULT result = S_OK;
        ULONG delayMs = 0;
        LONG count = 0;  // uses left (< 0: until cleared); 0: no fault set
    };
    // Uses up one use of the fault set for operation (a value-initialised
    // Fault when none is). UseFault takes logMutex_, for the service's own
    // operations (kSaveFault, kLineFault); UseFaultLogHeld needs it held.
    Fault UseFault(const std::wstring& operation);
    Fault UseFaultLogHeld(const std::wstring& operation);
    struct Sink {
        DWORD cookie;
        EventKind kind;
        ULONG productId;
        IUnknown* sink;
        std::shared_ptr<SinkLine> line;  // null: called on the event thread
    };
    struct PendingEvent {
        EventKind kind;
        ULONG productId;
        std::function<HRESULT(IUnknown*)> invoke;
    };

    std::recursive_mutex mutex_;
    // Held for a whole save, taken before mutex_: one file write at a time,
    // each of the state as it is once the one before has been written, so
    // the newest state is what ends in the file.
    std::mutex saveMutex_;
    std::vector<DeviceState> devices_;
    std::wstring statePath_;
    std::wstring stateMessage_;
    bool savePosted_ = false;
    bool dirty_ = false;
    // While saves fail, only the retry timer saves, each time after a
    // longer pause; set and read under mutex_.
    UINT saveRetryMs_ = 0;  // 0: the last save succeeded
    HWND window_ = nullptr;
    ShutdownHandler shutdown_;
    DeviceChangeHandler deviceChange_;

    std::mutex logMutex_;
    std::deque<std::wstring> log_;
    ULONGLONG logged_ = 0;  // lines ever logged: the next line's number
    std::map<std::wstring, Fault> faults_;

    std::vector<Sink> sinks_;
    std::map<ULONGLONG, std::shared_ptr<SinkLine>> lines_;  // by client apartment
    DWORD nextCookie_ = 1;
    std::deque<PendingEvent> pending_;
};

// Formats call-log arguments.
std::wstring Args(const wchar_t* format, ...);

// One logged service operation: BeginCall on construction, EndCall in Done.
class Call {
public:
    Call(const char* operation, const std::wstring& args = std::wstring())
    {
        fault_ = ServiceCore::Instance().BeginCall(operation, args, line_);
    }
    HRESULT Fault() const { return fault_; }
    HRESULT Done(HRESULT hr)
    {
        ServiceCore::Instance().EndCall(line_, hr);
        return hr;
    }

private:
    ULONGLONG line_ = 0;
    HRESULT fault_ = S_OK;
};

}  // namespace tkservice
