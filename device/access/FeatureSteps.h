// The reads and writes of one device feature each, run by the transfer
// sequences of CMouse. Every step gets the service object it works on (the
// device, or one of its profiles), takes the feature interface it needs
// itself and releases it before returning. Per-profile steps work on the
// given configuration profile. A step returns whether it succeeded; which
// steps run, and in what order, is the sequences' business.
//
// Threading: a step uses its interfaces on the calling thread only.
#pragma once
#include <windows.h>
#include <cstdint>
#include <vector>
#include "ComPtr.h"
#include "DeviceService.h"
#include "MouseConfigInterface.h"

struct DeviceDescriptor;

namespace featuresteps {

// What the device object learned of the device at its last read-all and the
// steps need: the supported button bits in rising order, the key ids, and the
// supported report rates.
struct DeviceLists {
    std::vector<uint32_t> buttonBits;
    std::vector<uint32_t> keyIds;
    std::vector<int> reportRates;
};

// GUID as the four 32-bit words the service's Find methods take.
void GuidWords(const GUID& guid, ULONG words[4]);
bool IsNullGuid(const GUID& guid);

// The device profile with the configuration profile's GUID.
ComPtr<IProfile> FindDeviceProfile(IProfileManager* profiles, IMouseProfile* profile);

// Makes sure a device profile exists for the configuration profile: a null
// GUID creates one, takes its GUID and names it; otherwise the found device
// profile is renamed when its name differs (ignoring case).
bool EnsureDeviceProfile(IProfileManager* profiles, IMouseProfile* profile);

// Per profile (device profile, configuration, configuration profile).
bool WriteProperties(IProfile* device, IMouseConfig& config, IMouseProfile* profile);
bool ReadProperties(IProfile* device, IMouseConfig& config, IMouseProfile* profile);
bool WriteSensitivity(IProfile* device, IMouseConfig& config, IMouseProfile* profile);
bool ReadSensitivity(IProfile* device, IMouseConfig& config, IMouseProfile* profile);
// The profile's stage capacity (GetCapacity's second value) and then its
// DPI range, as read-all and profile import take them; a failed capacity
// read skips the range.
bool ReadStageLimits(IProfile* device, IMouseConfig& config, IMouseProfile* profile);
// The button and key writes resolve references to new profiles, macros and
// applications first, which needs the device itself.
bool WriteButtons(IDevice* device, IProfile* deviceProfile, IMouseConfig& config,
                  IMouseProfile* profile, const DeviceLists& lists);
bool ReadButtons(IProfile* device, IMouseConfig& config, IMouseProfile* profile,
                 const DeviceLists& lists);
bool WriteKeys(IDevice* device, IProfile* deviceProfile, IMouseConfig& config,
               IMouseProfile* profile, const DeviceLists& lists);
bool ReadKeys(IProfile* device, IMouseConfig& config, IMouseProfile* profile,
              const DeviceLists& lists);
bool WriteLighting(IProfile* device, IMouseConfig& config, IMouseProfile* profile);
bool ReadLighting(IProfile* device, IMouseConfig& config, IMouseProfile* profile);

// Device-wide.
bool WriteAcceleration(IDevice* device, IMouseConfig& config);
bool ReadAcceleration(IDevice* device, IMouseConfig& config);
bool WriteReportRate(IDevice* device, IMouseConfig& config);
bool ReadReportRate(IDevice* device, IMouseConfig& config);
// Removes the device macros the configuration lacks, then sends the others.
bool WriteMacros(IDevice* device, IMouseConfig& config);
// Before buttons and keys are written: a configuration macro whose GUID the
// device no longer knows is created again (a new GUID), and every profile's
// button and key records that pointed at the old GUID take the new one.
// False when a macro could not be made again.
bool RecreateLostMacros(IDevice* device, IMouseConfig& config, const DeviceLists& lists);
// The records of the listed buttons and keys, in every profile, that call
// the macro `from` by GUID call `to` instead. Returns how many changed.
int RemapMacroReferences(IMouseConfig& config, const GUID& from, const GUID& to, const DeviceLists& lists);
bool ReadMacros(IDevice* device, IMouseConfig& config);
// Battery level, then state; both are always attempted.
bool ReadBattery(IDevice* device, IMouseConfig& config);
// Warning level, reduced brightness and idle time; all three are always
// attempted and the result is whether all succeeded.
bool WritePowerSettings(IDevice* device, IMouseConfig& config);
bool ReadPowerSettings(IDevice* device, IMouseConfig& config);

// Import and export through the service's profile and macro files. The
// caller has connected; these do not connect or disconnect.
bool ImportProfile(IDevice* device, const DeviceDescriptor& model, const wchar_t* path,
                   IMouseConfig& config, const DeviceLists& lists);
bool ExportProfile(IDevice* device, const wchar_t* path, IMouseProfile* profile);
bool ProfileExists(IDevice* device, IMouseProfile* profile);
bool ImportMacro(IDevice* device, const wchar_t* path, IMouseConfig& config);
bool ExportMacro(IDevice* device, const wchar_t* path, const CMacro& macro);
bool MacroExists(IDevice* device, const CMacro& macro);

}  // namespace featuresteps
