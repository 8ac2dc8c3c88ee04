// The status reader: one short worker thread that asks the device service
// for the battery and (for the dock) the second unit's firmware version and
// posts what it found to the main dialog. It never touches the
// configuration: the dialog stores the report on its own thread.
#pragma once
#include <windows.h>

#include <cstdint>

#include "ComPtr.h"
#include "DeviceService.h"

// Posted to the dialog: lParam a StatusReport* that the receiver deletes
// (TakeStatusReport); wParam 0.
constexpr UINT WM_STATUS_REPORT = WM_APP + 0x40;

struct StatusReport {
    bool batteryRead = false;   // both GetState and GetLevel succeeded
    int batteryState = 0;       // 0 on battery, 1 charging, 2 anything else
    uint32_t batteryLevel = 0;  // percent as the device says
    bool firmwareRead = false;  // a version other than 0.00 was read
    wchar_t firmware[16] = {};  // "%d.%02d"
};

// The device service's first device with that product id; empty when none
// (or the service cannot be reached). Call on a thread with COM initialised.
ComPtr<IDevice> FindComDeviceByProductId(ULONG productId);
// Fills the battery part of `report` from the power status; true when both
// reads succeeded.
bool ReadBatteryStatus(IPowerStatus* power, StatusReport& report);
// Fills the firmware part from the device's second unit; true when a
// version other than 0.00 was read.
bool ReadUnitFirmwareVersion(IDevice* device, StatusReport& report);

// The product the reader asks for: 0x1F for the wireless mouse's flag,
// else the dock's 0x21.
uint32_t StatusProductForModel(int modelFlag);

class CStatusReader {
public:
    CStatusReader() = default;
    ~CStatusReader();
    CStatusReader(const CStatusReader&) = delete;
    CStatusReader& operator=(const CStatusReader&) = delete;

    // Starts a read for the model; the report goes to `target`. False when
    // one still runs or the thread could not start.
    bool Start(HWND target, int modelFlag, bool wantFirmware);
    bool IsRunning() const;
    bool HasStarted() const { return m_started; }
    // Waits for a running read, handling messages sent to this thread.
    void Join();

private:
    static unsigned __stdcall ThreadMain(void* param);

    HANDLE m_thread = nullptr;
    bool m_started = false;
};

// The report carried by a WM_STATUS_REPORT; the caller owns it.
StatusReport* TakeStatusReport(LPARAM lParam);
