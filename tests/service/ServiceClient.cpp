#include "ServiceClient.h"

Ptr<IDeviceCollection> ConnectService(HRESULT* result)
{
    Ptr<IDeviceCollection> c;
    HRESULT hr = ::CoCreateInstance(CLSID_TkDeviceService, nullptr, TK_DEVICE_SERVICE_CLSCTX,
                                    __uuidof(IDeviceCollection), c.OutVoid());
    if (result) *result = hr;
    return c;
}

Ptr<IServiceControl> ConnectControl()
{
    return ConnectService().As<IServiceControl>();
}

Ptr<IDevice> FindDevice(IDeviceCollection* collection, ULONG productId)
{
    for (LONG i = 0; collection; ++i) {
        Ptr<IDevice> d;
        if (FAILED(collection->Item(i, d.Out()))) break;
        DeviceInfo info{};
        if (SUCCEEDED(d->GetInfo(&info))) {
            ::CoTaskMemFree(info.text);
            if (static_cast<ULONG>(info.productId) == productId) return d;
        }
    }
    return Ptr<IDevice>();
}

Ptr<IProfile> ActiveProfile(IDevice* device)
{
    Ptr<IProfile> p;
    Ptr<IProfileManager> m = DeviceFeature<IProfileManager>(device);
    if (m) m->GetActive(p.Out());
    return p;
}

std::wstring TakeText(LPWSTR text)
{
    std::wstring s = text ? text : L"";
    ::CoTaskMemFree(text);
    return s;
}

std::wstring ProfileName(IProfile* profile)
{
    LPWSTR name = nullptr;
    if (!profile || FAILED(profile->GetName(&name))) return L"<failed>";
    return TakeText(name);
}

std::wstring CallLog()
{
    LPWSTR text = nullptr;
    Ptr<IServiceControl> c = ConnectControl();
    if (!c || FAILED(c->GetCallLog(&text))) return L"";
    return TakeText(text);
}

std::wstring ProgramDir()
{
    wchar_t dir[MAX_PATH] = {};
    DWORD n = ::GetEnvironmentVariableW(L"TK_PROGRAM_DIR", dir, MAX_PATH);
    return n && n < MAX_PATH ? std::wstring(dir) : std::wstring(L".");
}

std::wstring ServiceDir()
{
    return ProgramDir() + L"\\service";
}

namespace {

// A temporary file the child writes one of its outputs to; a file, not a
// pipe, so a long dump never blocks the tool on a full pipe.
HANDLE OutputFile(const std::wstring& path)
{
    SECURITY_ATTRIBUTES sa{sizeof(sa), nullptr, TRUE};
    return ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa,
                         CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, nullptr);
}

std::string ReadBack(HANDLE file)
{
    std::string text;
    ::SetFilePointer(file, 0, nullptr, FILE_BEGIN);
    char buf[4096];
    DWORD got = 0;
    while (::ReadFile(file, buf, sizeof(buf), &got, nullptr) && got) text.append(buf, got);
    return text;
}

}  // namespace

ToolRun RunControlTool(const std::wstring& arguments, DWORD timeoutMs)
{
    ToolRun run;
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    std::wstring base = std::wstring(temp) + L"tk-ctl-" + std::to_wstring(::GetCurrentProcessId());
    HANDLE out = OutputFile(base + L".out");
    HANDLE err = OutputFile(base + L".err");
    HANDLE in = ::CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    ::SetHandleInformation(in, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = in;
    si.hStdOutput = out;
    si.hStdError = err;
    std::wstring command = L"\"" + ServiceDir() + L"\\TkDeviceCtl.exe\" " + arguments;
    PROCESS_INFORMATION pi{};
    if (::CreateProcessW(nullptr, &command[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi)) {
        // The tool's command may call back into sinks this thread advised:
        // their calls arrive as messages, so the wait handles them.
        if (PumpFor([&] { return ::WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0; }, timeoutMs))
            ::GetExitCodeProcess(pi.hProcess, &run.code);
        else
            ::TerminateProcess(pi.hProcess, 0xFFFFFFFF);
        ::CloseHandle(pi.hThread);
        ::CloseHandle(pi.hProcess);
    }
    run.out = ReadBack(out);
    run.err = ReadBack(err);
    ::CloseHandle(in);
    ::CloseHandle(out);
    ::CloseHandle(err);
    ::DeleteFileW((base + L".out").c_str());
    ::DeleteFileW((base + L".err").c_str());
    return run;
}

bool ServerAnswers(DWORD timeoutMs)
{
    DWORD start = ::GetTickCount();
    for (;;) {
        Ptr<IServiceControl> control = ConnectControl();
        ULONG pid = 0;
        if (control && SUCCEEDED(control->GetServerProcessId(&pid))) return true;
        if (::GetTickCount() - start > timeoutMs) return false;
        ::Sleep(200);
    }
}
