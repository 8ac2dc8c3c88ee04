#include "StatusReader.h"

#include <objbase.h>
#include <process.h>

#include <cwchar>
#include <memory>

#include "ModelFlags.h"
#include "ServiceConnection.h"
#include "TransferWorker.h"

namespace {

struct ThreadArgs {
    HWND target;
    int modelFlag;
    bool wantFirmware;
};

}  // namespace

ComPtr<IDevice> FindComDeviceByProductId(ULONG productId)
{
    ComPtr<IDeviceCollection> collection;
    if (FAILED(CreateDeviceServiceCollection(collection.Out())) || !collection)
        return ComPtr<IDevice>();
    return FindServiceDevice(collection.Get(), productId);
}

bool ReadBatteryStatus(IPowerStatus* power, StatusReport& report)
{
    if (!power)
        return false;
    LONG state = 0;
    if (FAILED(power->GetState(&state)))
        return false;
    LONG level = 0;
    if (FAILED(power->GetLevel(&level)))
        return false;
    report.batteryState = state == 0 ? 0 : state == 1 ? 1 : 2;
    report.batteryLevel = level < 0 ? 0u : (uint32_t)level;
    report.batteryRead = true;
    return true;
}

bool ReadUnitFirmwareVersion(IDevice* device, StatusReport& report)
{
    if (!device)
        return false;
    ComPtr<IUnitVersion> unit;
    if (FAILED(device->QueryInterface(__uuidof(IUnitVersion), unit.OutVoid())) || !unit)
        return false;
    BYTE major = 0, minor = 0, r1 = 0, r2 = 0;
    if (FAILED(unit->GetVersion(&major, &minor, &r1, &r2)) || (major == 0 && minor == 0))
        return false;
    swprintf(report.firmware, sizeof(report.firmware) / sizeof(report.firmware[0]), L"%d.%02d", major, minor);
    report.firmwareRead = true;
    return true;
}

uint32_t StatusProductForModel(int modelFlag)
{
    return modelFlag == MODEL_WIRELESS ? kProductWireless : kProductDock;
}

CStatusReader::~CStatusReader()
{
    Join();
}

bool CStatusReader::IsRunning() const
{
    return m_thread && ::WaitForSingleObject(m_thread, 0) == WAIT_TIMEOUT;
}

bool CStatusReader::Start(HWND target, int modelFlag, bool wantFirmware)
{
    if (IsRunning())
        return false;
    if (m_thread) {
        ::CloseHandle(m_thread);
        m_thread = nullptr;
    }
    auto* args = new ThreadArgs{target, modelFlag, wantFirmware};
    uintptr_t h = _beginthreadex(nullptr, 0, &CStatusReader::ThreadMain, args, 0, nullptr);
    if (!h) {
        delete args;
        return false;
    }
    m_thread = (HANDLE)h;
    m_started = true;
    return true;
}

void CStatusReader::Join()
{
    if (!m_thread)
        return;
    WaitHandlingSentMessages(m_thread, INFINITE);
    ::CloseHandle(m_thread);
    m_thread = nullptr;
}

unsigned __stdcall CStatusReader::ThreadMain(void* param)
{
    std::unique_ptr<ThreadArgs> args(static_cast<ThreadArgs*>(param));
    auto report = std::make_unique<StatusReport>();
    try {
        if (SUCCEEDED(::CoInitialize(nullptr))) {
            {
                ComPtr<IDevice> device = FindComDeviceByProductId(StatusProductForModel(args->modelFlag));
                if (device) {
                    ComPtr<IPowerStatus> power;
                    if (SUCCEEDED(device->GetFeature(__uuidof(IPowerStatus), power.OutUnknown())))
                        ReadBatteryStatus(power.Get(), *report);
                    if (args->wantFirmware)
                        ReadUnitFirmwareVersion(device.Get(), *report);
                }
            }
            ::CoUninitialize();
        }
    } catch (...) {
        // Nothing leaves the thread; an incomplete report says so itself.
    }
    StatusReport* raw = report.release();
    if (!::PostMessageW(args->target, WM_STATUS_REPORT, 0, (LPARAM)raw))
        delete raw;
    return 0;
}

StatusReport* TakeStatusReport(LPARAM lParam)
{
    return reinterpret_cast<StatusReport*>(lParam);
}
