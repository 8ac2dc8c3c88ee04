// What the feature steps share among themselves and with the device object's
// sequences: taking a feature interface, finding by GUID, reading names from
// the service, and creating a device macro.
#pragma once
#include <windows.h>
#include <cstring>
#include <string>
#include "ComPtr.h"
#include "DeviceService.h"
#include "Macro.h"

namespace featuresteps {

// Longest profile or macro name taken from the service; the configuration's
// macro names hold as much.
const size_t kServiceNameChars = CMacro::kNameChars - 1;

// A device-wide or per-profile feature interface; empty when the service
// does not offer it.
template <class T>
ComPtr<T> DeviceFeature(IDevice* device)
{
    ComPtr<IUnknown> unknown;
    if (!device || FAILED(device->GetFeature(__uuidof(T), unknown.OutUnknown())) || !unknown)
        return {};
    return unknown.As<T>();
}

template <class T>
ComPtr<T> ProfileFeature(IProfile* profile)
{
    ComPtr<IUnknown> unknown;
    if (!profile || FAILED(profile->GetFeature(__uuidof(T), unknown.OutUnknown())) || !unknown)
        return {};
    return unknown.As<T>();
}

// The profile or macro with that GUID through its manager's Find; empty for
// the null GUID or when the device has none.
template <class Item, class Manager>
ComPtr<Item> FindByGuid(Manager* manager, const GUID& guid)
{
    static_assert(sizeof(GUID) == 4 * sizeof(ULONG), "a GUID is four 32-bit words");
    static const GUID null = {};
    if (!manager || memcmp(&guid, &null, sizeof(GUID)) == 0)
        return {};
    ULONG w[4];
    memcpy(w, &guid, sizeof(GUID));
    ComPtr<Item> found;
    if (FAILED(manager->Find(w[0], w[1], w[2], w[3], found.Out())) || !found)
        return {};
    return found;
}

// Names from the service, cut to kServiceNameChars.
bool ReadProfileName(IProfile* profile, std::wstring& name);
bool ReadMacroName(IMacro* macro, std::wstring& name);

// Creates the device macro for a configuration macro: Create, its GUID into
// the macro, then its events and name. A device macro whose GUID cannot be
// read is removed again. True when the GUID was taken and both sends
// succeeded.
bool CreateDeviceMacro(IMacroManager* macros, CMacro& macro);

}  // namespace featuresteps
