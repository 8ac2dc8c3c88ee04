// Client-side helpers of the device service tests: a small owning interface
// pointer, connecting to the service, finding a device and its features.
#pragma once

#include <windows.h>

#include <objbase.h>
#include <ocidl.h>

#include <string>

#include "ComPtr.h"
#include "DeviceService.h"

// The tests hold interfaces as the device code does.
template <class T>
using Ptr = ComPtr<T>;

// The collection, created as the programs create it.
Ptr<IDeviceCollection> ConnectService(HRESULT* result = nullptr);
Ptr<IServiceControl> ConnectControl();
// The first attached device with that product id.
Ptr<IDevice> FindDevice(IDeviceCollection* collection, ULONG productId);
template <class T>
Ptr<T> DeviceFeature(IDevice* device)
{
    Ptr<T> t;
    if (device) device->GetFeature(__uuidof(T), t.OutUnknown());
    return t;
}
template <class T>
Ptr<T> ProfileFeature(IProfile* profile)
{
    Ptr<T> t;
    if (profile) profile->GetFeature(__uuidof(T), t.OutUnknown());
    return t;
}
Ptr<IProfile> ActiveProfile(IDevice* device);
// Takes a CoTaskMem text (and frees it).
std::wstring TakeText(LPWSTR text);
std::wstring ProfileName(IProfile* profile);
std::wstring CallLog();
// Waits, pumping messages, until cond holds or ms pass.
template <class F>
bool PumpFor(F cond, DWORD ms)
{
    DWORD start = ::GetTickCount();
    for (;;) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (cond()) return true;
        if (::GetTickCount() - start > ms) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

// The program folder (the harness's TK_PROGRAM_DIR), and the service's own
// folder in it, which holds the server, the tool and the state file.
std::wstring ProgramDir();
std::wstring ServiceDir();

// One run of the control tool: its exit code and what it printed.
struct ToolRun {
    DWORD code = 0xFFFFFFFF;  // also when it did not end in time
    std::string out;
    std::string err;
};
ToolRun RunControlTool(const std::wstring& arguments, DWORD timeoutMs = 30000);

// Waits until the service answers a new connection.
bool ServerAnswers(DWORD timeoutMs = 15000);
