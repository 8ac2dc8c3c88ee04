// Device profiles for configuration profiles, and the profile properties:
// the linked program's name and the three profile flags.
#include <cwchar>
#include <cstring>

#include "CoTaskMem.h"
#include "DeviceGuid.h"
#include "FeatureStepSupport.h"
#include "FeatureSteps.h"

namespace featuresteps {

namespace {

const ULONG kPropLinkedApp = 0x80000002;
const ULONG kPropFlags = 0x80000003;
const ULONG kLinkedAppBytes = 256;
const size_t kMaxLinkedAppChars = kLinkedAppBytes / sizeof(wchar_t) - 1;  // 127 and the terminator

enum : USHORT { kFlagAppLink = 1, kFlagDpiOsd = 2, kFlagProfileOsd = 4 };

bool SetFlag(IProfileProperties* props, USHORT bit, uint8_t on)
{
    const USHORT pair[2] = {bit, (USHORT)(on ? 1 : 0)};
    return SUCCEEDED(props->Set(kPropFlags, reinterpret_cast<const BYTE*>(pair), 0, sizeof(pair), 0));
}

bool GetFlags(IProfileProperties* props, USHORT& flags)
{
    USHORT value = 0;
    ULONG size = sizeof(value);
    if (FAILED(props->Get(kPropFlags, 0, reinterpret_cast<BYTE*>(&value), 0, &size)) ||
        size != sizeof(value))
        return false;
    flags = value;
    return true;
}

bool SetDeviceProfileName(IProfile* device, const wchar_t* name)
{
    return SUCCEEDED(device->SetName(name ? name : L""));
}

}  // namespace

void GuidWords(const GUID& guid, ULONG words[4])
{
    static_assert(sizeof(GUID) == 4 * sizeof(ULONG), "a GUID is four 32-bit words");
    memcpy(words, &guid, sizeof(GUID));
}

bool IsNullGuid(const GUID& guid)
{
    return GuidIsZero(guid);
}

bool ReadProfileName(IProfile* profile, std::wstring& name)
{
    CoTaskPtr<wchar_t> text;
    if (!profile || FAILED(profile->GetName(text.Out())) || !text)
        return false;
    name = BoundedServiceText(text.Get(), kServiceNameChars);
    return true;
}

ComPtr<IProfile> FindDeviceProfile(IProfileManager* profiles, IMouseProfile* profile)
{
    if (!profile)
        return {};
    GUID guid;
    profile->GetGuid(guid);
    return FindByGuid<IProfile>(profiles, guid);
}

bool EnsureDeviceProfile(IProfileManager* profiles, IMouseProfile* profile)
{
    if (!profiles || !profile)
        return false;
    GUID guid;
    profile->GetGuid(guid);
    if (IsNullGuid(guid)) {
        ComPtr<IProfile> created;
        if (FAILED(profiles->Create(created.Out())) || !created)
            return false;
        GUID id;
        if (FAILED(created->GetId(&id)) || IsNullGuid(id)) {
            // A device profile nobody can name again would stay for good.
            profiles->Remove(created.Get());
            return false;
        }
        ULONG w[4];
        GuidWords(id, w);
        profile->SetGuid(w[0], w[1], w[2], w[3]);
        return SetDeviceProfileName(created.Get(), profile->GetName());
    }
    ComPtr<IProfile> found = FindDeviceProfile(profiles, profile);
    std::wstring name;
    if (!found || !ReadProfileName(found.Get(), name))
        return false;
    if (_wcsicmp(name.c_str(), profile->GetName()) == 0)
        return true;
    return SetDeviceProfileName(found.Get(), profile->GetName());
}

bool WriteProperties(IProfile* device, IMouseConfig&, IMouseProfile* profile)
{
    if (!device || !profile)
        return false;
    SetDeviceProfileName(device, profile->GetName());  // a refused name does not stop the properties

    const wchar_t* app = profile->GetLinkedAppName();
    size_t length = app ? wcslen(app) : 0;
    if (length > kMaxLinkedAppChars)
        return false;
    ComPtr<IProfileProperties> props = ProfileFeature<IProfileProperties>(device);
    if (!props)
        return false;

    BYTE buffer[kLinkedAppBytes] = {};
    if (length)
        memcpy(buffer, app, length * sizeof(wchar_t));
    bool chain = true;
    if (SUCCEEDED(props->Set(kPropLinkedApp, buffer, 0, sizeof(buffer), 0)))
        chain = SetFlag(props.Get(), kFlagAppLink, length ? profile->GetAppLinkEnabled() : 0);
    if (chain)
        chain = SetFlag(props.Get(), kFlagDpiOsd, profile->GetDpiOsd());
    if (chain)
        chain = SetFlag(props.Get(), kFlagProfileOsd, profile->GetProfileOsd());
    return chain;
}

bool ReadProperties(IProfile* device, IMouseConfig&, IMouseProfile* profile)
{
    if (!device || !profile)
        return false;
    bool ok = true;
    std::wstring name;
    if (ReadProfileName(device, name))
        profile->SetName(name.c_str());
    else
        ok = false;
    GUID id;
    if (SUCCEEDED(device->GetId(&id))) {
        ULONG w[4];
        GuidWords(id, w);
        profile->SetGuid(w[0], w[1], w[2], w[3]);
    } else {
        ok = false;
    }

    ComPtr<IProfileProperties> props = ProfileFeature<IProfileProperties>(device);
    if (!props)
        return false;
    // One spare character keeps the text terminated whatever comes back.
    wchar_t text[kLinkedAppBytes / sizeof(wchar_t) + 1] = {};
    ULONG size = kLinkedAppBytes;
    if (SUCCEEDED(props->Get(kPropLinkedApp, 0, reinterpret_cast<BYTE*>(text), 0, &size))) {
        if (size > kLinkedAppBytes)
            ok = false;  // more than the buffer holds: nothing of it is used
        else if (size)
            profile->SetLinkedAppName(std::wstring(text, wcsnlen(text, size / sizeof(wchar_t))).c_str());
    } else {
        ok = false;
    }
    USHORT flags = 0;
    if (GetFlags(props.Get(), flags))
        profile->SetAppLinkEnabled((flags & kFlagAppLink) ? 1 : 0);
    else
        ok = false;
    if (GetFlags(props.Get(), flags)) {
        profile->SetDpiOsd((flags & kFlagDpiOsd) ? 1 : 0);
        profile->SetProfileOsd((flags & kFlagProfileOsd) ? 1 : 0);
    } else {
        ok = false;
    }
    return ok;
}

bool ProfileExists(IDevice* device, IMouseProfile* profile)
{
    ComPtr<IProfileManager> profiles = DeviceFeature<IProfileManager>(device);
    return (bool)FindDeviceProfile(profiles.Get(), profile);
}

}  // namespace featuresteps
