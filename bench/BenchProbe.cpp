// The benchmark's probe: times what tools/bench.sh asks of it and prints one
// line per measurement ("<figure> <run> <milliseconds> [detail]"). Runs
// counted from 0; run 0 is the cold one.
//
//   BenchProbe launch <exe> <runs> <mark>...   start a program, wait for its marks
//   BenchProbe pages <exe> <rounds> <x y>...    the configurator's page switches
//   BenchProbe read <runs>                     the start-up device read against plain calls
//   BenchProbe read-log x                      one such read and its service calls
//   BenchProbe write <profiles> <runs>         the device write of Apply
//   BenchProbe apply <exe> <profiles> <runs> <x y>  Apply in the configurator
//   BenchProbe osd <runs>                      a button press to the visible display
//   BenchProbe macro <exe> <runs> <x y>        a long macro shown on the macros page
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <ocidl.h>

#include <cstdio>
#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

#include "AssignmentValues.h"
#include "ComPtr.h"
#include "DeviceObjects.h"
#include "DeviceService.h"
#include "ItemIds.h"
#include "ProgressMessenger.h"
#include "StartMark.h"
#include "VeskConfig.h"
#include "WidgetMessages.h"

namespace {

const uint32_t kStartupReadMask = 0x1B7D;
const uint32_t kApplyMask = 0x2FFF;
const ULONG kWireless = 0x1F;
const DWORD kTimeoutMs = 60000;

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER c;
    ::QueryPerformanceCounter(&c);
    return 1000.0 * static_cast<double>(c.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Print(const char* figure, int run, double ms, const std::wstring& detail = std::wstring())
{
    std::printf("%s %d %.3f %ls\n", figure, run, ms, detail.c_str());
    std::fflush(stdout);
}

int Fail(const char* what)
{
    std::printf("error %s\n", what);
    std::fflush(stdout);
    return 1;
}

// Handles sent and posted messages until done() or the time-out.
template <class Done>
bool PumpUntil(Done done, DWORD timeoutMs = kTimeoutMs)
{
    const double end = Now() + timeoutMs;
    while (!done()) {
        if (Now() > end)
            return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    return true;
}

ComPtr<IServiceControl> ConnectControl()
{
    ComPtr<IDeviceCollection> c;
    if (FAILED(::CoCreateInstance(CLSID_TkDeviceService, nullptr, TK_DEVICE_SERVICE_CLSCTX, IID_IDeviceCollection,
                                  c.OutVoid())))
        return {};
    return c.As<IServiceControl>();
}

// Calls in the log that hand back an interface (and so cost a proxy and a
// release of their own); failed calls hand back none.
size_t InterfaceCalls(IServiceControl* control)
{
    LPWSTR text = nullptr;
    if (FAILED(control->GetCallLog(&text)) || !text)
        return 0;
    size_t n = 0;
    const wchar_t* line = text;
    while (*line) {
        const wchar_t* end = std::wcschr(line, L'\n');
        std::wstring l(line, end ? end : line + std::wcslen(line));
        bool returnsInterface = l.find(L".GetFeature") != std::wstring::npos ||
                                l.find(L".Item ") != std::wstring::npos ||
                                l.find(L".GetActive") != std::wstring::npos || l.find(L".Find ") != std::wstring::npos;
        if (returnsInterface && l.find(L" -> ") == std::wstring::npos)
            ++n;
        line = end ? end + 1 : line + l.size();
    }
    ::CoTaskMemFree(text);
    return n;
}

size_t CallLogLines(IServiceControl* control)
{
    LPWSTR text = nullptr;
    if (FAILED(control->GetCallLog(&text)) || !text)
        return 0;
    size_t lines = 0;
    for (const wchar_t* p = text; *p; ++p)
        lines += *p == L'\n';
    if (*text && text[std::wcslen(text) - 1] != L'\n')
        ++lines;
    ::CoTaskMemFree(text);
    return lines;
}

// ---- Starting a program -------------------------------------------------

struct Launched {
    PROCESS_INFORMATION process{};
    std::vector<HANDLE> marks;
    double start = 0;
};

std::wstring MarkName(const wchar_t* stage, DWORD pid)
{
    wchar_t name[kBenchMarkNameLength];
    BenchMarkName(name, stage, pid);
    return name;
}

// Starts the program suspended from its own folder, makes its mark events,
// then lets it run; start is taken just before the process is created.
bool Launch(const std::wstring& exe, const std::vector<std::wstring>& stages, Launched& out)
{
    std::wstring folder = exe.substr(0, exe.find_last_of(L"\\/"));
    std::wstring command = L"\"" + exe + L"\"";
    STARTUPINFOW si = {sizeof(si)};
    out.start = Now();
    if (!::CreateProcessW(exe.c_str(), &command[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                          folder.c_str(), &si, &out.process))
        return false;
    for (const std::wstring& stage : stages)
        out.marks.push_back(::CreateEventW(nullptr, TRUE, FALSE, MarkName(stage.c_str(), out.process.dwProcessId).c_str()));
    ::ResumeThread(out.process.hThread);
    return true;
}

struct WindowSearch {
    DWORD pid;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM param)
{
    WindowSearch* search = reinterpret_cast<WindowSearch*>(param);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    if (pid == search->pid && ::IsWindowVisible(hwnd))
        search->windows.push_back(hwnd);
    return TRUE;
}

// Closes the program's visible windows and waits for it to end; ends it
// when it has not after 15 s.
void Close(Launched& launched)
{
    WindowSearch search{launched.process.dwProcessId, {}};
    ::EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    for (HWND hwnd : search.windows)
        ::PostMessageW(hwnd, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(launched.process.hProcess, 15000) != WAIT_OBJECT_0) {
        ::TerminateProcess(launched.process.hProcess, 1);
        ::WaitForSingleObject(launched.process.hProcess, 5000);
    }
    for (HANDLE h : launched.marks)
        if (h)
            ::CloseHandle(h);
    ::CloseHandle(launched.process.hThread);
    ::CloseHandle(launched.process.hProcess);
}

int RunLaunch(const std::wstring& exe, int runs, const std::vector<std::wstring>& stages)
{
    for (int run = 0; run < runs; ++run) {
        Launched launched;
        if (!Launch(exe, stages, launched))
            return Fail("launch");
        for (size_t i = 0; i < stages.size(); ++i) {
            HANDLE waits[2] = {launched.marks[i], launched.process.hProcess};
            DWORD r = launched.marks[i] ? ::WaitForMultipleObjects(2, waits, FALSE, kTimeoutMs) : WAIT_FAILED;
            if (r != WAIT_OBJECT_0) {
                Close(launched);
                return Fail("mark not set");
            }
            std::string figure(stages[i].begin(), stages[i].end());
            Print(figure.c_str(), run, Now() - launched.start);
        }
        Close(launched);
    }
    return 0;
}

// ---- Page switches ------------------------------------------------------

struct ChildSearch {
    int id;
    HWND found;
};

BOOL CALLBACK FindChild(HWND hwnd, LPARAM param)
{
    ChildSearch* search = reinterpret_cast<ChildSearch*>(param);
    if (::GetDlgCtrlID(hwnd) == search->id && ::IsWindowVisible(hwnd)) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// The main dialog's pages in an order where each is reached from the one
// before: the thumb-grid view from the buttons page (a text item, found by
// its id), the others by their tab, found at the point the caller read from
// the main page's skin file (tab buttons have no control id).
struct PageCommand {
    const wchar_t* name;
    int id;
};
const PageCommand kPages[] = {
    {L"keys", TEXT_THUMBGRIDVIEW_BUTTON},    {L"performance", BUTTON_ADJUSTPERFORMANCE},
    {L"profiles", BUTTON_MANAGEPROFILES},    {L"macros", BUTTON_MANAGEMACROS},
    {L"lighting", BUTTON_LIGHTINGMAINTENANCE}, {L"buttons", BUTTON_ASSIGNBUTTONS},
};

HWND PageItem(HWND main, const PageCommand& page, const std::vector<POINT>& tabs, size_t index)
{
    if (page.id == TEXT_THUMBGRIDVIEW_BUTTON) {
        ChildSearch search{page.id, nullptr};
        ::EnumChildWindows(main, FindChild, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }
    if (index == 0 || index > tabs.size())
        return nullptr;
    HWND hwnd = ::ChildWindowFromPointEx(main, tabs[index - 1], CWP_SKIPINVISIBLE);
    return hwnd != main ? hwnd : nullptr;
}

// From the page command, sent as the item sends it, to the end of the
// repaint it causes: RDW_UPDATENOW sends the dialog and its children their
// WM_PAINT and returns when they are handled. The baseline repaints the
// page shown without a switch.
int RunPages(const std::wstring& exe, int rounds, const std::vector<POINT>& tabs)
{
    Launched launched;
    if (!Launch(exe, {L"paint"}, launched))
        return Fail("launch");
    int result = 0;
    HANDLE waits[2] = {launched.marks[0], launched.process.hProcess};
    HWND main = nullptr;
    if (!launched.marks[0] || ::WaitForMultipleObjects(2, waits, FALSE, kTimeoutMs) != WAIT_OBJECT_0 ||
        !(main = ::FindWindowW(L"SINGLE_INSTANCE_APP_KOVU", nullptr)))
        result = Fail("main window");
    const UINT repaint = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW;
    for (int round = 0; round < rounds && result == 0; ++round) {
        for (size_t i = 0; i < sizeof(kPages) / sizeof(kPages[0]); ++i) {
            const PageCommand& page = kPages[i];
            HWND item = PageItem(main, page, tabs, i);
            if (!item) {
                result = Fail("page item");
                break;
            }
            double t0 = Now();
            ::SendMessageW(main, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(item));
            ::RedrawWindow(main, nullptr, nullptr, RDW_ALLCHILDREN | RDW_UPDATENOW);
            std::string figure = "page_" + std::string(page.name, page.name + std::wcslen(page.name));
            Print(figure.c_str(), round, Now() - t0);
            t0 = Now();
            ::RedrawWindow(main, nullptr, nullptr, repaint);
            Print(("repaint_" + figure.substr(5)).c_str(), round, Now() - t0);
        }
    }
    Close(launched);
    return result;
}

// ---- The device read ----------------------------------------------------

int RunRead(int runs)
{
    ComPtr<IServiceControl> control = ConnectControl();
    if (!control || FAILED(control->Reset()))
        return Fail("service");
    for (int run = 0; run < runs; ++run) {
        // The read as the configurator makes it at start, counting its calls.
        control->ClearCallLog();
        CVeskConfig config;
        double t0 = Now();
        GenDevice* device = CreateDeviceObject(&config, nullptr);
        bool ok = device == AppPicker() && device->Transfer(&config, kTransferRead, kStartupReadMask);
        double read = Now() - t0;
        ReleaseAppGlobals();
        size_t calls = CallLogLines(control.Get());
        size_t interfaces = InterfaceCalls(control.Get());
        if (!ok || calls < 3 || interfaces > calls)
            return Fail("read");

        // The minimal round trips: as many plain calls, one connection.
        control->ClearCallLog();
        t0 = Now();
        {
            ComPtr<IDeviceCollection> collection;
            ComPtr<IDevice> device;
            ComPtr<IReportRate> rate;
            if (FAILED(::CoCreateInstance(CLSID_TkDeviceService, nullptr, TK_DEVICE_SERVICE_CLSCTX,
                                          IID_IDeviceCollection, collection.OutVoid())) ||
                FAILED(collection->Item(0, device.Out())) ||
                FAILED(device->GetFeature(IID_IReportRate, rate.OutUnknown())) || !rate)
                return Fail("plain calls");
            ULONG interval = 0;
            for (size_t i = 2; i < calls; ++i)
                rate->Get(&interval);
        }
        double plain = Now() - t0;
        size_t plainCalls = CallLogLines(control.Get());

        // Where the difference goes: the same calls, those that hand back an
        // interface made as GetFeature calls whose interface is released.
        t0 = Now();
        {
            ComPtr<IDeviceCollection> collection;
            ComPtr<IDevice> device;
            ComPtr<IReportRate> rate;
            if (FAILED(::CoCreateInstance(CLSID_TkDeviceService, nullptr, TK_DEVICE_SERVICE_CLSCTX,
                                          IID_IDeviceCollection, collection.OutVoid())) ||
                FAILED(collection->Item(0, device.Out())) ||
                FAILED(device->GetFeature(IID_IReportRate, rate.OutUnknown())) || !rate)
                return Fail("interface calls");
            for (size_t i = 2; i < interfaces; ++i) {
                ComPtr<IReportRate> another;
                device->GetFeature(IID_IReportRate, another.OutUnknown());
            }
            ULONG interval = 0;
            for (size_t i = std::max<size_t>(interfaces, 2); i < calls; ++i)
                rate->Get(&interval);
        }
        double withInterfaces = Now() - t0;
        Print("read", run, read, std::to_wstring(calls) + L" calls, " + std::to_wstring(interfaces) + L" hand back an interface");
        Print("plain", run, plain, std::to_wstring(plainCalls) + L" calls");
        Print("iface", run, withInterfaces);
    }
    return 0;
}

// One start-up read, then the service's call log of it: where the calls go.
int RunReadLog()
{
    ComPtr<IServiceControl> control = ConnectControl();
    if (!control)
        return Fail("service");
    control->ClearCallLog();
    CVeskConfig config;
    GenDevice* device = CreateDeviceObject(&config, nullptr);
    bool ok = device == AppPicker() && device->Transfer(&config, kTransferRead, kStartupReadMask);
    ReleaseAppGlobals();
    LPWSTR text = nullptr;
    if (!ok || FAILED(control->GetCallLog(&text)) || !text)
        return Fail("read");
    std::printf("%ls\n", text);
    ::CoTaskMemFree(text);
    return 0;
}

// ---- The device write of Apply ------------------------------------------

struct Stage {
    double at;
    std::wstring text;
};
std::vector<Stage>* g_stages = nullptr;

LRESULT CALLBACK ProgressProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PROGRESS_TEXT && g_stages && lParam)
        g_stages->push_back({Now(), reinterpret_cast<const wchar_t*>(lParam)});
    if (message == WM_PROGRESS_TEXT || message == WM_PROGRESS_PERCENT)
        return 0;
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

// A feature of the first device, after the service went back to its
// default state; empty when either fails.
template <class Feature>
ComPtr<Feature> FeatureAfterReset(const ComPtr<IServiceControl>& control, REFIID iid)
{
    ComPtr<IDeviceCollection> collection = control.As<IDeviceCollection>();
    ComPtr<IDevice> device;
    ComPtr<Feature> feature;
    if (FAILED(control->Reset()) || !collection || FAILED(collection->Item(0, device.Out())) ||
        FAILED(device->GetFeature(iid, feature.OutUnknown())))
        feature.Reset();
    return feature;
}

// Brings the device to `profiles` profiles through its own profile manager.
bool MakeProfiles(const ComPtr<IServiceControl>& control, int profiles)
{
    ComPtr<IProfileManager> manager = FeatureAfterReset<IProfileManager>(control, IID_IProfileManager);
    if (!manager)
        return false;
    int count = 0;
    for (;;) {
        ComPtr<IProfile> p;
        if (FAILED(manager->Item(count, p.Out())) || !p)
            break;
        ++count;
    }
    for (; count < profiles; ++count) {
        ComPtr<IProfile> p;
        if (FAILED(manager->Create(p.Out())) || !p)
            return false;
        wchar_t name[32];
        std::swprintf(name, 32, L"Bench %d", count + 1);
        if (FAILED(p->SetName(name)))
            return false;
    }
    return true;
}

int RunWrite(int profiles, int runs)
{
    ComPtr<IServiceControl> control = ConnectControl();
    if (!control || !MakeProfiles(control, profiles))
        return Fail("profiles");
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ProgressProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TkBenchProgress";
    ::RegisterClassW(&wc);
    HWND listener = ::CreateWindowW(wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);

    CVeskConfig config;
    GenDevice* device = CreateDeviceObject(&config, nullptr);
    if (device != AppPicker() || !device->Transfer(&config, kTransferRead, kStartupReadMask | 0x2) ||
        static_cast<int>(config.GetProfileCount()) != profiles)
        return Fail("read before write");
    device->AddProgressListener(listener);
    int result = 0;
    for (int run = 0; run < runs && result == 0; ++run) {
        std::vector<Stage> stages;
        g_stages = &stages;
        control->ClearCallLog();
        double t0 = Now();
        if (!device->Transfer(&config, kTransferWrite, kApplyMask) ||
            !PumpUntil([&] { return !device->IsBusy(); })) {
            result = Fail("write");
            break;
        }
        double total = Now() - t0;
        g_stages = nullptr;
        wchar_t detail[64];
        std::swprintf(detail, 64, L"%d profiles, %zu calls", profiles, CallLogLines(control.Get()));
        Print("write", run, total, detail);
        // Where the time goes: each progress text's arrival.
        for (const Stage& s : stages)
            Print("stage", run, s.at - t0, s.text);
    }
    device->RemoveProgressListener(listener);
    ReleaseAppGlobals();
    ::DestroyWindow(listener);
    control->Reset();
    return result;
}

// Apply in the configurator: the command sent as the Apply button sends it
// (at x y, read from the main page's skin file), to the end of the writing
// state, which the configurator marks when its progress display goes.
int RunApply(const std::wstring& exe, int profiles, int runs, POINT apply)
{
    ComPtr<IServiceControl> control = ConnectControl();
    if (!control || !MakeProfiles(control, profiles))
        return Fail("profiles");
    Launched launched;
    if (!Launch(exe, {L"paint", L"applied"}, launched))
        return Fail("launch");
    int result = 0;
    HANDLE painted[2] = {launched.marks[0], launched.process.hProcess};
    HWND main = nullptr;
    HWND button = nullptr;
    if (!launched.marks[0] || !launched.marks[1] ||
        ::WaitForMultipleObjects(2, painted, FALSE, kTimeoutMs) != WAIT_OBJECT_0 ||
        !(main = ::FindWindowW(L"SINGLE_INSTANCE_APP_KOVU", nullptr)) ||
        (button = ::ChildWindowFromPointEx(main, apply, CWP_SKIPINVISIBLE)) == main || !button)
        result = Fail("main window");
    for (int run = 0; run < runs && result == 0; ++run) {
        ::ResetEvent(launched.marks[1]);
        control->ClearCallLog();
        HANDLE applied[2] = {launched.marks[1], launched.process.hProcess};
        double t0 = Now();
        ::SendMessageW(main, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(button));
        if (::WaitForMultipleObjects(2, applied, FALSE, kTimeoutMs) != WAIT_OBJECT_0) {
            result = Fail("apply");
            break;
        }
        double total = Now() - t0;
        wchar_t detail[64];
        std::swprintf(detail, 64, L"%d profiles, %zu calls", profiles, CallLogLines(control.Get()));
        Print("apply", run, total, detail);
    }
    Close(launched);
    control->Reset();
    return result;
}

// ---- The on-screen display ----------------------------------------------

HWND VisibleDisplay()
{
    for (const wchar_t* cls : {L"csl_osdslider", L"csl_osd"}) {
        HWND hwnd = ::FindWindowW(cls, nullptr);
        if (hwnd && ::IsWindowVisible(hwnd))
            return hwnd;
    }
    return nullptr;
}

// The baseline: a bare sensitivity-event sink in this process, on the
// active profile's sensitivity settings, as the tray program's sink is.
class DpiSink : public _IDPIEvents {
public:
    double arrived = 0;
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        *out = (iid == IID_IUnknown || iid == IID__IDPIEvents) ? static_cast<_IDPIEvents*>(this) : nullptr;
        if (!*out)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
    STDMETHODIMP_(ULONG) Release() override { return --refs_; }  // lives on the stack
    STDMETHODIMP OnDpiChanged(ULONG, ULONG) override
    {
        arrived = Now();
        return S_OK;
    }

private:
    ULONG refs_ = 1;
};

ComPtr<IConnectionPoint> DpiEventPoint(const ComPtr<IServiceControl>& control)
{
    ComPtr<IDeviceCollection> collection = control.As<IDeviceCollection>();
    ComPtr<IDevice> device;
    ComPtr<IProfileManager> manager;
    ComPtr<IProfile> active;
    ComPtr<IDpiSettings> dpi;
    ComPtr<IConnectionPoint> point;
    if (collection && SUCCEEDED(collection->Item(0, device.Out())) &&
        SUCCEEDED(device->GetFeature(IID_IProfileManager, manager.OutUnknown())) && manager &&
        SUCCEEDED(manager->GetActive(active.Out())) && active &&
        SUCCEEDED(active->GetFeature(IID_IDpiSettings, dpi.OutUnknown())) && dpi) {
        ComPtr<IConnectionPointContainer> container = dpi.As<IConnectionPointContainer>();
        if (!container || FAILED(container->FindConnectionPoint(IID__IDPIEvents, point.Out())))
            point.Reset();
    }
    return point;
}

int RunOsd(int runs)
{
    ComPtr<IServiceControl> control = ConnectControl();
    if (!control)
        return Fail("service");
    ComPtr<IConnectionPoint> point = DpiEventPoint(control);
    DpiSink sink;
    DWORD cookie = 0;
    if (!point || FAILED(point->Advise(&sink, &cookie)))
        return Fail("event sink");
    int result = 0;
    for (int run = 0; run < runs && result == 0; ++run) {
        // The display hides itself after two seconds.
        if (!PumpUntil([] { return VisibleDisplay() == nullptr; }, 10000)) {
            result = Fail("display stays");
            break;
        }
        // The tray program may still be connecting its sinks: the cold run
        // presses again every 3 s, for a minute at most.
        bool ok = false;
        double shown = 0, t0 = 0;
        for (int attempt = 0; !ok && attempt < (run == 0 ? 20 : 1); ++attempt) {
            sink.arrived = 0;
            shown = 0;
            t0 = Now();
            if (FAILED(control->PressSensitivityButton(kWireless))) {
                result = Fail("press");
                break;
            }
            ok = PumpUntil(
                [&] {
                    if (!shown && VisibleDisplay())
                        shown = Now();
                    return shown && sink.arrived;
                },
                run == 0 ? 3000 : 10000);
        }
        if (result)
            break;
        if (!ok) {
            result = Fail(shown ? "no event" : "no display");
            break;
        }
        Print("osd", run, shown - t0);
        Print("event", run, sink.arrived - t0);
    }
    point->Unadvise(cookie);
    return result;
}

// ---- Showing a long macro ----------------------------------------------

// The lengths shown, each against a plain list view of as many rows.
const int kMacroLengths[] = {4096, 250};

// A recorded-looking macro: a key pressed, a short delay, the key released.
std::vector<MacroEvent> BenchMacroEvents(int count)
{
    std::vector<MacroEvent> events;
    for (int i = 0; i < count; ++i) {
        const int scan = 0x10 + (i / 3) % 26;
        if (i % 3 == 1)
            events.push_back({MacroEvent::kDelay, 20 + i % 50, 0});
        else
            events.push_back({MacroEvent::kKey, scan, i % 3 == 0 ? 255u : 1u});
    }
    return events;
}

// Puts a one-event macro and one macro of each length on the device, and
// gives the index each has in the configurator's macro list, which takes the
// device's macros in order and skips a name it already holds.
bool MakeMacros(const ComPtr<IServiceControl>& control, std::vector<int>& indices)
{
    ComPtr<IMacroManager> manager = FeatureAfterReset<IMacroManager>(control, IID_IMacroManager);
    if (!manager)
        return false;
    std::vector<std::pair<std::wstring, int>> wanted = {{L"Bench 1", 1}};
    for (int length : kMacroLengths)
        wanted.push_back({L"Bench " + std::to_wstring(length), length});
    for (const auto& w : wanted) {
        ComPtr<IMacro> macro;
        if (FAILED(manager->Create(macro.Out())) || !macro || FAILED(macro->SetName(w.first.c_str())))
            return false;
        MacroBlock* block = NewMacroBlock(BenchMacroEvents(w.second));
        const bool sent = block && SUCCEEDED(macro->SetEvents(block));
        ::CoTaskMemFree(block);
        if (!sent)
            return false;
    }
    std::vector<std::wstring> names;
    for (LONG i = 0;; ++i) {
        ComPtr<IMacro> macro;
        LPWSTR name = nullptr;
        if (FAILED(manager->Item(i, macro.Out())) || !macro)
            break;
        if (FAILED(macro->GetName(&name)) || !name)
            continue;
        bool taken = false;
        for (const std::wstring& n : names)
            taken = taken || _wcsicmp(n.c_str(), name) == 0;
        if (!taken)
            names.push_back(name);
        ::CoTaskMemFree(name);
    }
    indices.clear();
    for (const auto& w : wanted) {
        auto at = std::find(names.begin(), names.end(), w.first);
        if (at == names.end())
            return false;
        indices.push_back(static_cast<int>(at - names.begin()));
    }
    return true;
}

HWND VisibleChild(HWND parent, int id)
{
    ChildSearch search{id, nullptr};
    ::EnumChildWindows(parent, FindChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The baseline: a plain list view in a window of this process, as large as
// the macro display, filled with as many rows of the same kind of text, the
// last selected and scrolled into view, to the end of its repaint. It is
// filled with its redraw off, as a list view takes many rows at once: row by
// row with its redraw on it spends about a minute on 4096 rows here.
double FillPlainList(HWND top, HWND list, int rows)
{
    ::SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    ::RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const std::vector<MacroEvent> events = BenchMacroEvents(rows);
    const double t0 = Now();
    ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < rows; ++i) {
        wchar_t text[64];
        const MacroEvent& e = events[static_cast<size_t>(i)];
        if (e.kind == MacroEvent::kDelay) {
            std::swprintf(text, 64, L"%d.%03d seconds delay", e.value / 1000, e.value % 1000);
        } else {
            wchar_t key[32] = L"";
            ::GetKeyNameTextW(e.value << 16, key, 32);
            std::swprintf(text, 64, L"%ls", key);
        }
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = text;
        ::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    LVITEMW state{};
    state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageW(list, LVM_SETITEMSTATE, rows - 1, reinterpret_cast<LPARAM>(&state));
    ::SendMessageW(list, LVM_ENSUREVISIBLE, rows - 1, FALSE);
    ::RedrawWindow(top, nullptr, nullptr, RDW_ALLCHILDREN | RDW_UPDATENOW);
    return Now() - t0;
}

// Choosing a macro in the macros page's macro list, the notice sent as the
// drop-down sends it, to the end of the repaint it causes; first a one-event
// macro, so that each timed choice fills the display from (nearly) empty.
int RunMacro(const std::wstring& exe, int runs, POINT macrosTab)
{
    ComPtr<IServiceControl> control = ConnectControl();
    std::vector<int> indices;
    if (!control || !MakeMacros(control, indices))
        return Fail("macros");
    Launched launched;
    if (!Launch(exe, {L"paint"}, launched))
        return Fail("launch");
    int result = 0;
    HANDLE waits[2] = {launched.marks[0], launched.process.hProcess};
    HWND main = nullptr, tab = nullptr, box = nullptr, display = nullptr;
    const UINT update = RDW_ALLCHILDREN | RDW_UPDATENOW;
    if (!launched.marks[0] || ::WaitForMultipleObjects(2, waits, FALSE, kTimeoutMs) != WAIT_OBJECT_0 ||
        !(main = ::FindWindowW(L"SINGLE_INSTANCE_APP_KOVU", nullptr)) ||
        (tab = ::ChildWindowFromPointEx(main, macrosTab, CWP_SKIPINVISIBLE)) == main || !tab)
        result = Fail("main window");
    if (result == 0) {
        ::SendMessageW(main, WM_COMMAND, MAKEWPARAM(0, BN_CLICKED), reinterpret_cast<LPARAM>(tab));
        ::RedrawWindow(main, nullptr, nullptr, update);
        box = VisibleChild(main, LIST_GLOBALMACROLIST);
        display = VisibleChild(main, MACRO_DISPLAY);
        if (!box || !display)
            result = Fail("macros page");
    }
    RECT size{};
    if (display)
        ::GetClientRect(display, &size);
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&icc);
    HWND plainTop = ::CreateWindowExW(0, L"STATIC", L"plain list", WS_POPUP | WS_VISIBLE, 0, 0, size.right,
                                      size.bottom, nullptr, nullptr, nullptr, nullptr);
    HWND plain = ::CreateWindowExW(0, WC_LISTVIEWW, L"",
                                   WS_CHILD | WS_VISIBLE | WS_VSCROLL | LVS_REPORT | LVS_NOCOLUMNHEADER |
                                       LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                                   0, 0, size.right, size.bottom, plainTop, nullptr, nullptr, nullptr);
    if (result == 0 && plain) {
        LVCOLUMNW column{};
        column.mask = LVCF_WIDTH;
        column.cx = size.right;
        ::SendMessageW(plain, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    } else if (result == 0) {
        result = Fail("plain list");
    }
    const HWND boxParent = box ? ::GetParent(box) : nullptr;
    auto choose = [&](int index) {
        ::SendMessageW(boxParent, WM_DROPDOWN_SELECTED, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(box));
        ::RedrawWindow(main, nullptr, nullptr, update);
    };
    for (int run = 0; run < runs && result == 0; ++run) {
        for (size_t i = 0; i < sizeof(kMacroLengths) / sizeof(kMacroLengths[0]) && result == 0; ++i) {
            const int length = kMacroLengths[i];
            const std::string n = std::to_string(length);
            Print(("macro_plain" + n).c_str(), run, FillPlainList(plainTop, plain, length));
            choose(indices[0]);
            const double t0 = Now();
            choose(indices[i + 1]);
            const double shown = Now() - t0;
            if (::SendMessageW(display, LVM_GETITEMCOUNT, 0, 0) != length) {
                result = Fail("macro not shown");
                break;
            }
            Print(("macro" + n).c_str(), run, shown);
        }
    }
    if (plainTop)
        ::DestroyWindow(plainTop);
    Close(launched);
    control->Reset();
    return result;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3)
        return Fail("usage");
    std::wstring command = argv[1];
    if (command == L"launch" && argc >= 5) {
        std::vector<std::wstring> stages(argv + 4, argv + argc);
        return RunLaunch(argv[2], _wtoi(argv[3]), stages);
    }
    if (command == L"pages" && argc >= 4) {
        std::vector<POINT> tabs;  // x y of each tab after the first page
        for (int i = 4; i + 1 < argc; i += 2)
            tabs.push_back({_wtoi(argv[i]), _wtoi(argv[i + 1])});
        return RunPages(argv[2], _wtoi(argv[3]), tabs);
    }
    if (FAILED(::CoInitialize(nullptr)))
        return Fail("COM");
    int result = 2;
    if (command == L"macro" && argc >= 6)
        result = RunMacro(argv[2], _wtoi(argv[3]), POINT{_wtoi(argv[4]), _wtoi(argv[5])});
    else if (command == L"apply" && argc >= 7)
        result = RunApply(argv[2], _wtoi(argv[3]), _wtoi(argv[4]), POINT{_wtoi(argv[5]), _wtoi(argv[6])});
    else if (command == L"read")
        result = RunRead(_wtoi(argv[2]));
    else if (command == L"read-log")
        result = RunReadLog();
    else if (command == L"write" && argc >= 4)
        result = RunWrite(_wtoi(argv[2]), _wtoi(argv[3]));
    else if (command == L"osd")
        result = RunOsd(_wtoi(argv[2]));
    else
        Fail("usage");
    ::CoUninitialize();
    return result;
}
