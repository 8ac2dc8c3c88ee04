// Profiles to and from the service's profile files.
#include "DeviceDescriptor.h"
#include "FeatureStepSupport.h"
#include "FeatureSteps.h"

namespace featuresteps {

namespace {

// Feature codes, as the model's descriptor lists them.
enum : uint32_t { kCodeButtons = 2, kCodeKeys = 3, kCodeLighting = 5, kCodeProperties = 7, kCodeDpi = 10 };

// Reads every feature the model has into the new profile.
bool ReadImported(IProfile* device, const DeviceDescriptor& model, IMouseConfig& config,
                  IMouseProfile* profile, const DeviceLists& lists)
{
    if (model.HasFeature(kCodeDpi) &&
        !(ReadStageLimits(device, config, profile) && ReadSensitivity(device, config, profile)))
        return false;
    if (model.HasFeature(kCodeProperties) && !ReadProperties(device, config, profile))
        return false;
    if (model.HasFeature(kCodeButtons) && !ReadButtons(device, config, profile, lists))
        return false;
    if (model.HasFeature(kCodeKeys) && !ReadKeys(device, config, profile, lists))
        return false;
    if (model.HasFeature(kCodeLighting) && !ReadLighting(device, config, profile))
        return false;
    return true;
}

}  // namespace

bool ImportProfile(IDevice* device, const DeviceDescriptor& model, const wchar_t* path,
                   IMouseConfig& config, const DeviceLists& lists)
{
    ComPtr<IProfileManager> profiles = DeviceFeature<IProfileManager>(device);
    ComPtr<IProfile> imported;
    if (!profiles || !path || FAILED(profiles->Import(path, imported.Out())) || !imported)
        return false;
    // A failure after the service took the file removes both the device's
    // new profile and the configuration's, so nothing half-read stays.
    std::wstring name;
    GUID id;
    if (ReadProfileName(imported.Get(), name) && SUCCEEDED(imported->GetId(&id)) && !IsNullGuid(id)) {
        IMouseProfile* profile = config.NewProfile(name.c_str());
        if (profile) {
            ULONG w[4];
            GuidWords(id, w);
            profile->SetGuid(w[0], w[1], w[2], w[3]);
            if (ReadImported(imported.Get(), model, config, profile, lists))
                return true;
            config.DeleteProfile(profile);
        }
    }
    profiles->Remove(imported.Get());
    return false;
}

bool ExportProfile(IDevice* device, const wchar_t* path, IMouseProfile* profile)
{
    ComPtr<IProfileManager> profiles = DeviceFeature<IProfileManager>(device);
    ComPtr<IProfile> found = FindDeviceProfile(profiles.Get(), profile);
    return found && path && SUCCEEDED(found->Export(path));
}

}  // namespace featuresteps
