// The device service's out-of-process server. Started by COM (-Embedding) or
// by hand, it serves the collection to every caller and stays running until
// a control request ends it. Its objects live in the multithreaded apartment:
// each call runs on the thread it arrives on, so no call, release or event of
// one client waits for a thread that another client's call keeps busy; every
// client sees the one device state, guarded by the core's lock.
//
//   TkDeviceService.exe /regserver     register the server and the proxy DLL
//   TkDeviceService.exe /unregserver   remove both registrations
//   TkDeviceService.exe [-Embedding]   serve
#include <windows.h>

#include <objbase.h>
#include <ocidl.h>

#include <cstdio>
#include <string>

#include "DeviceNotifier.h"
#include "InterfaceKeeper.h"
#include "ServiceObjects.h"

namespace {

using namespace tkservice;

const wchar_t kClsidKey[] = L"CLSID\\{472079C9-3628-45F7-A32E-FE00490518F1}";
const wchar_t kProxyDll[] = L"DeviceServicePS.dll";
const wchar_t kStateFile[] = L"DeviceState.dat";
const wchar_t kInstanceMutex[] = L"TkDeviceServiceInstance";
// Set by the serving copy once its class is registered.
const wchar_t kReadyEvent[] = L"TkDeviceServiceReady";
// Set by a successor once it waits for the instance.
const wchar_t kSuccessorEvent[] = L"TkDeviceServiceSuccessor";
constexpr DWORD kReadyTimeoutMs = 20000;
// COM looks for a started server's class about once a second.
constexpr DWORD kLingerMs = 2500;
constexpr UINT kShutdownGraceMs = 300;
// Posted to the main thread by the shutdown handler, which runs on whichever
// thread served the request.
constexpr UINT kMsgShutdown = WM_APP + 100;

// Every interface this server hands out, kept served for its whole life
// (InterfaceKeeper.h says why).
const IID* const kServedInterfaces[] = {
    &IID_IClassFactory, &IID_IConnectionPointContainer, &IID_IConnectionPoint,
    &__uuidof(IDeviceCollection), &__uuidof(IServiceControl), &__uuidof(IDevice), &__uuidof(IDeviceLink),
    &__uuidof(IUnitVersion), &__uuidof(IFeatureSource), &__uuidof(IDeviceIdentity), &__uuidof(IProfileProperties),
    &__uuidof(IDpiSettings), &__uuidof(IButtonAssignments), &__uuidof(IKeyAssignments), &__uuidof(ILightingZone),
    &__uuidof(ILightingZones), &__uuidof(IZoneColorValue), &__uuidof(IZoneBrightness), &__uuidof(IZoneEffect),
    &__uuidof(IProfile), &__uuidof(IProfileManager), &__uuidof(IReportRate), &__uuidof(IDeviceSwitches),
    &__uuidof(IMacro), &__uuidof(IMacroManager), &__uuidof(IButtonAction), &__uuidof(IButtonActions),
    &__uuidof(IPowerStatus), &__uuidof(IPowerSettings), &__uuidof(IMacroRecorder), &__uuidof(IMacroRecordLed),
};

std::wstring ModuleDir()
{
    wchar_t path[MAX_PATH];
    DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring p(path, n);
    return p.substr(0, p.find_last_of(L"\\/") + 1);
}

class CClassFactory : public ComObject<IClassFactory> {
public:
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override
    {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        std::lock_guard<std::recursive_mutex> lock(ServiceCore::Instance().Mutex());
        IDeviceCollection* collection = CreateDeviceCollection();
        HRESULT hr = collection->QueryInterface(iid, out);
        collection->Release();
        return hr;
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }
};

// COM hands each connecting client the class object marshalled for that
// client alone, and under Wine the object's stub goes when the last client
// holding such a copy lets go of it. A copy marshalled just as another
// client's release takes the stub down refers to a stub that is gone: that
// client's CreateInstance fails with RPC_E_DISCONNECTED (about one connect
// in 20 000 under many clients). Marshalled once more for a table and never
// released, the stub stays as long as the server.
bool KeepClassObjectServed(IClassFactory* factory)
{
    IStream* stream = nullptr;  // kept, with the marshalled data in it
    return SUCCEEDED(::CreateStreamOnHGlobal(nullptr, TRUE, &stream)) &&
           SUCCEEDED(::CoMarshalInterface(stream, IID_IClassFactory, factory, MSHCTX_LOCAL, nullptr,
                                          MSHLFLAGS_TABLESTRONG));
}

HRESULT CallProxyDll(const char* entry)
{
    HMODULE dll = ::LoadLibraryW((ModuleDir() + kProxyDll).c_str());
    if (!dll) return HRESULT_FROM_WIN32(::GetLastError());
    using Entry = HRESULT(STDAPICALLTYPE*)();
    auto fn = reinterpret_cast<Entry>(reinterpret_cast<void*>(::GetProcAddress(dll, entry)));
    HRESULT hr = fn ? fn() : E_FAIL;
    ::FreeLibrary(dll);
    return hr;
}

int Register()
{
    std::wstring exe = ModuleDir() + L"TkDeviceService.exe";
    std::wstring command = L"\"" + exe + L"\"";
    HKEY key;
    std::wstring local = std::wstring(kClsidKey) + L"\\LocalServer32";
    if (::RegCreateKeyExW(HKEY_CLASSES_ROOT, local.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                          nullptr) != ERROR_SUCCESS)
        return 1;
    ::RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                     static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(key);
    if (::RegCreateKeyExW(HKEY_CLASSES_ROOT, kClsidKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                          nullptr) == ERROR_SUCCESS) {
        const wchar_t name[] = L"Tandu Kovu device service (simulated)";
        ::RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(name), sizeof(name));
        ::RegCloseKey(key);
    }
    return SUCCEEDED(CallProxyDll("DllRegisterServer")) ? 0 : 2;
}

int Unregister()
{
    ::RegDeleteTreeW(HKEY_CLASSES_ROOT, kClsidKey);
    return SUCCEEDED(CallProxyDll("DllUnregisterServer")) ? 0 : 2;
}

// Whoever starts the server (COM on a client's behalf, a shell) hands it
// their standard handles, and under Wine that keeps the starter's output
// pipe open for as long as the server lives: a test runner would wait for
// it forever. So the server starts a copy of itself on the null device; the
// copy registers the class and serves.
//
// The first process must not leave at once, though: COM, having started
// it, takes its end before the class is registered for a failed start and
// the client's activation fails. So it stays until the copy has registered
// (or has given up) and then a little longer, until the waiting client has
// had time to find the class.
// Starts a copy of this server on the null device with the given extra
// arguments; its process handle, or null.
HANDLE StartCopy(const wchar_t* arguments, DWORD& processId)
{
    SECURITY_ATTRIBUTES sa{sizeof(sa), nullptr, TRUE};
    HANDLE in = ::CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa, OPEN_EXISTING, 0, nullptr);
    HANDLE out = ::CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = in;
    si.hStdOutput = out;
    si.hStdError = out;
    std::wstring command = L"\"" + ModuleDir() + L"TkDeviceService.exe\" -Embedding /detached" + arguments;
    PROCESS_INFORMATION pi{};
    BOOL ok = ::CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr,
                               ModuleDir().c_str(), &si, &pi);
    ::CloseHandle(in);
    ::CloseHandle(out);
    if (!ok) return nullptr;
    ::CloseHandle(pi.hThread);
    processId = pi.dwProcessId;
    return pi.hProcess;
}

void Signal(const wchar_t* name)
{
    if (HANDLE event = ::OpenEventW(EVENT_MODIFY_STATE, FALSE, name)) {
        ::SetEvent(event);
        ::CloseHandle(event);
    }
}

// Waits until the copy signals the named event (true) or ends (false).
bool CopySignals(HANDLE event, HANDLE process, DWORD timeoutMs)
{
    HANDLE waits[2] = {event, process};
    return event && ::WaitForMultipleObjects(2, waits, FALSE, timeoutMs) == WAIT_OBJECT_0;
}

int Relaunch()
{
    HANDLE ready = ::CreateEventW(nullptr, TRUE, FALSE, kReadyEvent);
    DWORD pid = 0;
    HANDLE process = StartCopy(L"", pid);
    if (process) {
        // A copy that finds a server already running leaves without
        // registering; then there is nothing to wait for.
        if (CopySignals(ready, process, kReadyTimeoutMs)) ::Sleep(kLingerMs);
        ::CloseHandle(process);
    }
    if (ready) ::CloseHandle(ready);
    return process ? 0 : 5;
}

// A restart starts the next server from this one rather than from the
// client that asks: a process inherits its starter's error output under
// Wine, and a server that a test started would keep the test runner's pipe
// open. The successor takes over the instance once this one has gone.
ULONG StartSuccessor()
{
    HANDLE waiting = ::CreateEventW(nullptr, TRUE, FALSE, kSuccessorEvent);
    DWORD pid = 0;
    HANDLE process = StartCopy(L" /successor", pid);
    bool ok = process && CopySignals(waiting, process, kReadyTimeoutMs);
    if (process) ::CloseHandle(process);
    if (waiting) ::CloseHandle(waiting);
    return ok ? pid : 0;
}

int Serve(bool successor)
{
    // One server per prefix: a second start (by hand while COM starts one)
    // leaves at once; a successor waits for the server it follows to end.
    HANDLE instance = ::CreateMutexW(nullptr, TRUE, kInstanceMutex);
    if (!instance) return 0;
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        if (!successor) return 0;
        Signal(kSuccessorEvent);
        DWORD got = ::WaitForSingleObject(instance, kReadyTimeoutMs);
        if (got != WAIT_OBJECT_0 && got != WAIT_ABANDONED) return 0;
    } else if (successor) {
        Signal(kSuccessorEvent);
    }

    if (FAILED(::CoInitializeEx(nullptr, COINIT_MULTITHREADED))) return 3;
    if (!KeepInterfacesServed(kServedInterfaces, sizeof(kServedInterfaces) / sizeof(kServedInterfaces[0])))
        ::OutputDebugStringW(L"device service: some interfaces could not be kept served\n");
    ServiceCore& core = ServiceCore::Instance();
    // This thread keeps the core's window: saves and forgotten sinks.
    core.Start(ModuleDir() + kStateFile);
    // Attaching and detaching reach the programs as a real mouse's would;
    // only this server tells them, never the object model in a client.
    auto* notifier = new DeviceNotifier;  // lives until the process ends
    if (notifier->Start())
        core.SetDeviceChangeHandler([notifier](ULONG productId, bool attached) { notifier->Post(productId, attached); });
    const DWORD mainThread = ::GetCurrentThreadId();
    core.SetShutdownHandler([mainThread](bool restart, ULONG& next) {
        if (restart && !(next = StartSuccessor())) return true;  // nothing ends
        return ::PostThreadMessageW(mainThread, kMsgShutdown, 0, 0) != FALSE;
    });

    CClassFactory* factory = new CClassFactory;
    if (!KeepClassObjectServed(factory))
        ::OutputDebugStringW(L"device service: the class object could not be kept served\n");
    DWORD cookie = 0;
    HRESULT hr = ::CoRegisterClassObject(CLSID_TkDeviceService, static_cast<IClassFactory*>(factory),
                                         CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE, &cookie);
    factory->Release();
    if (FAILED(hr)) {
        ::CoUninitialize();
        return 4;
    }
    Signal(kReadyEvent);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (!msg.hwnd && msg.message == kMsgShutdown) {
            // The caller of Shutdown still waits for its answer and then
            // releases what it holds: keep serving a moment before the loop
            // ends.
            ::SetTimer(nullptr, 0, kShutdownGraceMs, [](HWND, UINT, UINT_PTR id, DWORD) {
                ::KillTimer(nullptr, id);
                ::PostQuitMessage(0);
            });
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    ::CoRevokeClassObject(cookie);
    // The state lock is held to the end: a call still arriving cannot change
    // what was saved and be told it succeeded.
    const HRESULT saved = core.SaveNowAndHold();
    if (FAILED(saved)) {
        wchar_t text[96];
        std::swprintf(text, 96, L"device service: ending with the last changes unsaved (0x%08lX)\n",
                      static_cast<unsigned long>(saved));
        ::OutputDebugStringW(text);
    }
    // Calls may still be running on other threads. No CoUninitialize: it
    // waits for them, and under Wine for ever for one that arrived after the
    // loop ended. Nor ExitProcess: it stops those threads (RPC, event
    // delivery) wherever they are, also inside a lock, and then runs every
    // DLL's detach, which can wait for ever on such a lock; a server that
    // never ends holds up every client's call and its successor. The state is
    // saved; ending the process disconnects every client.
    ::TerminateProcess(::GetCurrentProcess(), 0);
    return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR commandLine, int)
{
    std::wstring args = commandLine ? commandLine : L"";
    if (args.find(L"/regserver") != std::wstring::npos || args.find(L"-regserver") != std::wstring::npos)
        return Register();
    if (args.find(L"/unregserver") != std::wstring::npos || args.find(L"-unregserver") != std::wstring::npos)
        return Unregister();
    if (args.find(L"/detached") == std::wstring::npos) return Relaunch();
    return Serve(args.find(L"/successor") != std::wstring::npos);
}
