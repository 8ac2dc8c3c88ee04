// The tray's client of the device service. The tray keeps no long-lived hold
// on the service: each operation that touches the mouse makes a manager,
// which connects and picks one device, uses it and is deleted again, so
// nothing goes stale across device arrival and removal.
#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <vector>

#include "ComPtr.h"
#include "DeviceService.h"
#include "EventSinks.h"
#include "ProfileSetting.h"
#include "String.h"

// The product ids the tray knows, in the order a manager looks for them:
// the wireless mouse (reported as 0x1F or, through its dock, 0x21), then the
// wired one.
const int kProductWireless = 0x1F;
const int kProductDock = 0x21;
const int kProductWired = 0x15;
const int kTrayProductIds[] = {kProductWireless, kProductDock, kProductWired};

// Tests replace how the service is reached (null restores ConnectDeviceService).
using TrayServiceFactory = HRESULT (*)(IDeviceCollection** out);
TrayServiceFactory SetTrayServiceFactory(TrayServiceFactory factory);

// One lighting state of a zone: the macro recorder's indicator.
struct CLed {
    ULONG zoneId;
    ULONG on;  // 1 on, 0 off
    ULONG colour;
    ULONG brightness;
    ULONG effect;
    ULONG value1;
    ULONG value2;
};

// One recorded macro event: type 1 mouse button, 2 key, 3 delay.
struct RecordedEvent {
    ULONG type;
    ULONG data;
};

class CDeviceManager {
public:
    // Connects and chooses the first attached product of kTrayProductIds.
    CDeviceManager();
    ~CDeviceManager() = default;
    CDeviceManager(const CDeviceManager&) = delete;
    CDeviceManager& operator=(const CDeviceManager&) = delete;

    // The chosen product (0 when none is attached).
    int GetProductId() const { return m_productId; }
    bool IsDevicePresent() const { return m_device && m_productId; }

    // Which known products are attached; read by the per-product calls.
    void ScanPresentProducts();
    bool IsPresent(int productId) const;
    int PresentCount() const { return m_presentCount; }

    // Profiles of the chosen device. Names are compared exactly.
    bool GetProfileSettings(std::vector<_Profile_Setting_>& out);
    bool GetProfileNames(std::vector<CString>& out);
    bool GetProfileSetting(const CString& name, _Profile_Setting_& out);
    bool GetActiveProfileName(CString& out);
    bool ActivateProfile(const CString& name);

    // A profile's linked program (cut to 127 characters) and its flags: the
    // program-link bit alone, or the link, sensitivity-display and
    // profile-display bits one after the other.
    bool SetLinkedAppName(const CString& name, const CString& program);
    bool SetProfileFlags(const CString& name, USHORT value);
    bool SetProfileFlagBits(const CString& name, USHORT link, USHORT dpiOsd, USHORT profileOsd);

    // Battery of the chosen device.
    bool IsPowerState1();
    bool IsPowerStateNot2();
    bool GetBatteryLevel(int& level);

    // Event connections; null when the source cannot be had.
    std::unique_ptr<CDpiEventConnection> ConnectDpiEvents(int productId, IDpiEventHandler* handler);
    std::unique_ptr<CProfileEventConnection> ConnectProfileEvents(int productId, IProfileEventHandler* handler);
    std::unique_ptr<CLaunchAppEventConnection> ConnectLaunchAppEvents(int productId, ILaunchAppEventHandler* handler);
    std::unique_ptr<CMacroEventConnection> ConnectMacroRecordingEvents(IMacroEventHandler* handler);
    // The same on the chosen device and its active profile.
    std::unique_ptr<CDpiEventConnection> ConnectDpiEventsCurrent(IDpiEventHandler* handler);
    std::unique_ptr<CProfileEventConnection> ConnectProfileEventsCurrent(IProfileEventHandler* handler);
    std::unique_ptr<CLaunchAppEventConnection> ConnectLaunchAppEventsCurrent(ILaunchAppEventHandler* handler);

    // The on-the-fly recorder's calls: its lighting, record-LED mode and the
    // saving of a recorded macro to a key of the active profile.
    bool StartRecordingLed();
    bool LedSchemeState1();
    bool StopRecordingLed();
    bool LedSchemeState2();
    bool SetLedSchemeState(const CLed& led);
    bool ApplyLedScheme(const CString& profileName, const CLed& led);
    bool SetRecordMode1() { return SetRecordLedMode(1); }
    bool SetRecordMode2() { return SetRecordLedMode(2); }
    bool SetRecordLedMode(ULONG mode);
    CString MakeNewMacroName();
    bool CreateMacro(const CString& name, const std::vector<RecordedEvent>& events, GUID& id);
    bool AssignMacro(const GUID& id, int a, int key);
    bool AssignMacroToProfile(const CString& profileName, const GUID& id, int a, int key);
    bool SaveRecordedMacro(int a, int key, const std::vector<RecordedEvent>& events);

private:
    ComPtr<IDevice> DeviceOf(int productId, LONG& from) const;
    ComPtr<IProfile> FindProfile(const CString& name, bool ignoreCase = false) const;
    ComPtr<IProfile> ActiveProfile() const;
    ComPtr<IProfile> ActiveProfileOf(int productId) const;
    ComPtr<IProfileProperties> PropertiesOf(const CString& name) const;
    bool SetFlagBit(IProfileProperties* props, USHORT bit, USHORT value);
    bool WriteMacroAssignment(IProfile* profile, int key, const GUID& id);

    int m_productId = 0;
    ComPtr<IDeviceCollection> m_collection;
    ComPtr<IDevice> m_device;
    ComPtr<IProfileManager> m_profiles;
    std::map<int, int> m_presentProducts;
    int m_presentCount = 0;
};

// The number after "New Macro" in a macro name, as the recorder numbers its
// macros: the name's characters that occur in "New Macro" are dropped from
// its start and the decimal number that follows is read (0 when none).
int NewMacroNumber(const CString& name);
// The lighting of the recorder: recording, stopped, idle.
extern const CLed kMacroLedScheme[3];
