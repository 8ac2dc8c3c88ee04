// TkDeviceCtl: the console control tool of the simulated mouse. Every
// command goes to the running device service (started by COM on first use)
// through its control interface.
#include <windows.h>

#include <objbase.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "DeviceService.h"
#include "ServiceConnect.h"

namespace {

const wchar_t kUsage[] =
    L"usage: TkDeviceCtl <command> [arguments]\n"
    L"  start | stop                      start the device service / end it\n"
    L"  attach <model> | detach <model> [--no-notice]\n"
    L"                                    model: wireless (0x1F), dock (0x21), wired (0x15),\n"
    L"                                    quarel (0x2E); the running programs get the system's\n"
    L"                                    notice of a real mouse (WM_DEVICECHANGE), unless\n"
    L"                                    --no-notice: then that notice is lost\n"
    L"  battery <model> <level> <state>   state 0 on battery, 1 charging, 2 on the cable\n"
    L"  link <model> on|off\n"
    L"  unit <model> <major> <minor> [present-after-ms]\n"
    L"  press dpi|profile <model>\n"
    L"  press launch <model> <path>\n"
    L"  press record <model> start|stop|cancel|save <a> <b>\n"
    L"  dump | reset\n"
    L"  fail <operation> <hresult> [count]   e.g. fail IDpiSettings.SetDpi 0x80004005 1\n"
    L"  slow <operation> <ms> [count]\n"
    L"  faults clear\n"
    L"  log [clear]\n";

int Usage()
{
    std::fwprintf(stderr, L"%ls", kUsage);
    return 2;
}

bool Number(const wchar_t* text, long long& value)
{
    if (!text || !*text) return false;
    wchar_t* end = nullptr;
    value = std::wcstoll(text, &end, 0);
    return end && !*end;
}

bool Model(const wchar_t* text, ULONG& productId)
{
    if (!text) return false;
    if (!_wcsicmp(text, L"wireless")) productId = 0x1F;
    else if (!_wcsicmp(text, L"dock")) productId = 0x21;
    else if (!_wcsicmp(text, L"wired")) productId = 0x15;
    else if (!_wcsicmp(text, L"quarel")) productId = 0x2E;
    else {
        long long v;
        if (!Number(text, v) || (v != 0x1F && v != 0x21 && v != 0x15 && v != 0x2E)) return false;
        productId = static_cast<ULONG>(v);
    }
    return true;
}

int Report(HRESULT hr)
{
    if (SUCCEEDED(hr)) return 0;
    std::fwprintf(stderr, L"device service refused: 0x%08lX\n", static_cast<unsigned long>(hr));
    return 1;
}

// Long texts go out as UTF-8 through the handle: the C runtime's wide
// printing gives up on them.
void Print(const wchar_t* text)
{
    int bytes = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 1) return;
    std::string utf8(static_cast<size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, -1, &utf8[0], bytes, nullptr, nullptr);
    DWORD put = 0;
    ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), utf8.data(), static_cast<DWORD>(bytes - 1), &put, nullptr);
}

int PrintText(HRESULT hr, LPWSTR text)
{

    if (SUCCEEDED(hr) && text) Print(text);
    ::CoTaskMemFree(text);
    return Report(hr);
}

template <class F>
int Exec(IServiceControl* control, F call)
{
    return control ? Report(call()) : 0;
}

// Runs one command, or with no control only checks its arguments; returns
// the exit code (2 for bad arguments).
int Run(IServiceControl* control, const std::vector<std::wstring>& a)
{
    auto arg = [&](size_t i) { return i < a.size() ? a[i].c_str() : nullptr; };
    const std::wstring& cmd = a[0];
    ULONG model = 0;
    long long n1 = 0, n2 = 0, n3 = 0;
    if (cmd == L"start" && a.size() == 1) {
        if (!control) return 0;
        ULONG pid = 0;
        HRESULT hr = control->GetServerProcessId(&pid);
        if (SUCCEEDED(hr)) std::fwprintf(stdout, L"device service running, process %lu\n", pid);
        return Report(hr);
    }
    if (cmd == L"stop" && a.size() == 1) return Exec(control, [&] { return control->Shutdown(); });
    if (cmd == L"reset" && a.size() == 1) return Exec(control, [&] { return control->Reset(); });
    if (cmd == L"dump" && a.size() == 1) {
        if (!control) return 0;
        LPWSTR text = nullptr;
        HRESULT hr = control->DumpState(&text);
        return PrintText(hr, text);
    }
    if (cmd == L"log" && a.size() == 1) {
        if (!control) return 0;
        LPWSTR text = nullptr;
        HRESULT hr = control->GetCallLog(&text);
        return PrintText(hr, text);
    }
    if (cmd == L"log" && a.size() == 2 && a[1] == L"clear") return Exec(control, [&] { return control->ClearCallLog(); });
    if (cmd == L"faults" && a.size() == 2 && a[1] == L"clear") return Exec(control, [&] { return control->ClearFaults(); });
    if ((cmd == L"attach" || cmd == L"detach") && (a.size() == 2 || (a.size() == 3 && a[2] == L"--no-notice")) &&
        Model(arg(1), model))
        return Exec(control, [&] {
            const bool attach = cmd == L"attach";
            if (a.size() == 3) return control->SetAttachedWithoutNotice(model, attach);
            return attach ? control->Attach(model) : control->Detach(model);
        });
    if (cmd == L"battery" && a.size() == 4 && Model(arg(1), model) && Number(arg(2), n1) && Number(arg(3), n2))
        return Exec(control, [&] { return control->SetBattery(model, static_cast<LONG>(n1), static_cast<LONG>(n2)); });
    if (cmd == L"link" && a.size() == 3 && Model(arg(1), model) && (a[2] == L"on" || a[2] == L"off"))
        return Exec(control, [&] { return control->SetLink(model, a[2] == L"on"); });
    if (cmd == L"unit" && (a.size() == 4 || a.size() == 5) && Model(arg(1), model) && Number(arg(2), n1) &&
        Number(arg(3), n2) && n1 >= 0 && n1 < 256 && n2 >= 0 && n2 < 256 &&
        (a.size() == 4 || (Number(arg(4), n3) && n3 >= 0)))
        return Exec(control, [&] { return control->SetUnitVersion(model, static_cast<BYTE>(n1), static_cast<BYTE>(n2),
                                              static_cast<ULONG>(n3)); });
    if (cmd == L"press" && a.size() >= 3 && Model(arg(2), model)) {
        if (a[1] == L"dpi" && a.size() == 3) return Exec(control, [&] { return control->PressSensitivityButton(model); });
        if (a[1] == L"profile" && a.size() == 3) return Exec(control, [&] { return control->PressProfileButton(model); });
        if (a[1] == L"launch" && a.size() == 4) return Exec(control, [&] { return control->PressLaunchButton(model, arg(3)); });
        if (a[1] == L"record" && a.size() == 4) {
            if (a[3] == L"start") return Exec(control, [&] { return control->PressRecordButton(model, 0, 0, 0); });
            if (a[3] == L"stop") return Exec(control, [&] { return control->PressRecordButton(model, 1, 0, 0); });
            if (a[3] == L"cancel") return Exec(control, [&] { return control->PressRecordButton(model, 3, 0, 0); });
        }
        if (a[1] == L"record" && a.size() == 6 && a[3] == L"save" && Number(arg(4), n1) && Number(arg(5), n2))
            return Exec(control, [&] { return control->PressRecordButton(model, 2, static_cast<LONG>(n1), static_cast<LONG>(n2)); });
        return Usage();
    }
    if (cmd == L"fail" && (a.size() == 3 || a.size() == 4) && Number(arg(2), n1) &&
        static_cast<HRESULT>(n1) < 0 && (a.size() == 3 || Number(arg(3), n2)))
        return Exec(control, [&] { return control->SetFault(arg(1), static_cast<HRESULT>(n1), 0, a.size() == 4 ? static_cast<LONG>(n2) : -1); });
    if (cmd == L"slow" && (a.size() == 3 || a.size() == 4) && Number(arg(2), n1) && n1 > 0 &&
        (a.size() == 3 || Number(arg(3), n2)))
        return Exec(control, [&] { return control->SetFault(arg(1), S_OK, static_cast<ULONG>(n1),
                                        a.size() == 4 ? static_cast<LONG>(n2) : -1); });
    return Usage();
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2) return Usage();
    std::vector<std::wstring> args(argv + 1, argv + argc);
    if (args[0] == L"help" || args[0] == L"--help" || args[0] == L"/?") {
        std::fwprintf(stdout, L"%ls", kUsage);
        return 0;
    }
    // Bad arguments are refused before the service is started for them.
    if (Run(nullptr, args) != 0) return 2;
    HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (FAILED(com)) {
        std::fwprintf(stderr, L"cannot start COM: 0x%08lX\n", static_cast<unsigned long>(com));
        return 1;
    }
    IDeviceCollection* collection = nullptr;
    HRESULT hr = ConnectDeviceService(&collection);
    int code = 1;
    if (FAILED(hr)) {
        std::fwprintf(stderr, L"cannot reach the device service: 0x%08lX\n", static_cast<unsigned long>(hr));
    } else {
        IServiceControl* control = nullptr;
        hr = collection->QueryInterface(__uuidof(IServiceControl), reinterpret_cast<void**>(&control));
        if (SUCCEEDED(hr)) {
            code = Run(control, args);
            control->Release();
        } else {
            Report(hr);
        }
        collection->Release();
    }
    ::CoUninitialize();
    return code;
}
