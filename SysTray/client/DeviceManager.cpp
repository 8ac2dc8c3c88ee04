#include "DeviceManager.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstddef>
#include <cstring>
#include <cwchar>

#include "ServiceConnect.h"
#include "ServiceText.h"

namespace {

std::atomic<TrayServiceFactory> g_factory{&ConnectDeviceService};

// Walks of the service's lists stop here even if the service keeps answering.
const LONG kMaxWalk = 1024;
// Profile and macro names are at most this long.
const size_t kMaxNameChars = 255;
const wchar_t kNewMacro[] = L"New Macro";

bool HasProductId(IDevice* device, int productId)
{
    ComPtr<IDeviceIdentity> identity;
    ULONG vendor = 0, product = 0;
    return device && SUCCEEDED(device->QueryInterface(IID_IDeviceIdentity, identity.OutVoid())) && identity &&
           SUCCEEDED(identity->GetIdentity(&vendor, &product)) && product == static_cast<ULONG>(productId);
}

// A feature of a device or a profile (both offer GetFeature); empty when
// the source is null or lacks it.
template <class T, class Source>
ComPtr<T> Feature(Source* source)
{
    ComPtr<T> t;
    if (!source || FAILED(source->GetFeature(__uuidof(T), t.OutUnknown())))
        t.Reset();
    return t;
}

// Walks list->Item(0, 1, ...) until a call fails, the bound is reached or
// stop(item) is true; the item that stopped the walk, or empty.
template <class T, class List, class F>
ComPtr<T> WalkItems(List* list, F stop)
{
    for (LONG i = 0; list && i < kMaxWalk; ++i) {
        ComPtr<T> item;
        if (FAILED(list->Item(i, item.Out())) || !item)
            break;
        if (stop(item.Get()))
            return item;
    }
    return ComPtr<T>();
}

bool ProfileName(IProfile* profile, CString& out)
{
    LPWSTR text = nullptr;
    if (!profile || FAILED(profile->GetName(&text))) {
        ::CoTaskMemFree(text);
        return false;
    }
    out = TakeServiceText(text, kMaxNameChars);
    return true;
}

// Property 0x80000002 into a zeroed buffer; the text only when the read
// succeeds with a size that fits.
HRESULT ReadLinkedApp(IProfileProperties* props, CString& out)
{
    BYTE buffer[kLinkedAppBytes] = {};
    ULONG size = sizeof(buffer);
    HRESULT hr = props->Get(kPropLinkedApp, 0, buffer, 0, &size);
    if (SUCCEEDED(hr) && size != 0)
        out = BufferText(buffer, sizeof(buffer), size, kMaxLinkedAppChars);
    return hr;
}

// Property 0x80000003: bit 0 program link, bit 1 sensitivity display,
// bit 2 profile display. The flags are taken only from a read of 1 or 2 bytes.
HRESULT ReadFlags(IProfileProperties* props, _Profile_Setting_& out, bool clearWhenUnread)
{
    BYTE buffer[2] = {};
    ULONG size = sizeof(buffer);
    HRESULT hr = props->Get(kPropFlags, 0, buffer, 0, &size);
    if (SUCCEEDED(hr) && size != 0 && size <= sizeof(buffer)) {
        out.appLinkEnabled = buffer[0] & 1;
        out.dpiOsd = (buffer[0] >> 1) & 1;
        out.profileOsd = (buffer[0] >> 2) & 1;
    } else if (clearWhenUnread) {
        out.appLinkEnabled = out.dpiOsd = out.profileOsd = 0;
    }
    return hr;
}

}  // namespace

TrayServiceFactory SetTrayServiceFactory(TrayServiceFactory factory)
{
    return g_factory.exchange(factory ? factory : &ConnectDeviceService);
}

const CLed kMacroLedScheme[3] = {
    {7, 1, 255, 100, 0, 0, 0},      // recording
    {7, 1, 255, 100, 1, 300, 300},  // stopped, waiting for the save
    {7, 0, 255, 100, 0, 0, 0},      // idle
};

CDeviceManager::CDeviceManager()
{
    IDeviceCollection* collection = nullptr;
    if (FAILED(g_factory.load()(&collection)) || !collection)
        return;
    m_collection = ComPtr<IDeviceCollection>::Attach(collection);
    for (int productId : kTrayProductIds) {
        LONG from = 0;
        ComPtr<IDevice> device = DeviceOf(productId, from);
        if (device) {
            m_productId = productId;
            m_device = device;
            m_profiles = Feature<IProfileManager>(device.Get());
            return;
        }
    }
}

// The first device of that product at index `from` or later; `from` is left
// just after it, so a caller can go on walking.
ComPtr<IDevice> CDeviceManager::DeviceOf(int productId, LONG& from) const
{
    for (; m_collection && from < kMaxWalk; ++from) {
        ComPtr<IDevice> device;
        if (FAILED(m_collection->Item(from, device.Out())) || !device)
            break;
        if (HasProductId(device.Get(), productId)) {
            ++from;
            return device;
        }
    }
    from = kMaxWalk;
    return ComPtr<IDevice>();
}

void CDeviceManager::ScanPresentProducts()
{
    m_presentCount = 0;
    for (int productId : kTrayProductIds) {
        LONG from = 0;
        while (DeviceOf(productId, from)) {
            m_presentProducts[productId] = productId;
            ++m_presentCount;
        }
    }
}

bool CDeviceManager::IsPresent(int productId) const
{
    auto it = m_presentProducts.find(productId);
    return it != m_presentProducts.end() && it->second == productId;
}

ComPtr<IProfile> CDeviceManager::FindProfile(const CString& name, bool ignoreCase) const
{
    return WalkItems<IProfile>(m_profiles.Get(), [&](IProfile* profile) {
        CString n;
        return ProfileName(profile, n) && (ignoreCase ? n.CompareNoCase(name) == 0 : n == name);
    });
}

ComPtr<IProfile> CDeviceManager::ActiveProfile() const
{
    ComPtr<IProfile> profile;
    if (!m_profiles || FAILED(m_profiles->GetActive(profile.Out())))
        profile.Reset();
    return profile;
}

ComPtr<IProfile> CDeviceManager::ActiveProfileOf(int productId) const
{
    if (!IsPresent(productId))
        return ComPtr<IProfile>();
    LONG from = 0;
    while (ComPtr<IDevice> device = DeviceOf(productId, from)) {
        ComPtr<IProfileManager> manager = Feature<IProfileManager>(device.Get());
        ComPtr<IProfile> profile;
        if (manager && SUCCEEDED(manager->GetActive(profile.Out())) && profile)
            return profile;
    }
    return ComPtr<IProfile>();
}

bool CDeviceManager::GetProfileSettings(std::vector<_Profile_Setting_>& out)
{
    out.clear();
    WalkItems<IProfile>(m_profiles.Get(), [&](IProfile* profile) {
        _Profile_Setting_ setting;
        ComPtr<IProfileProperties> props = Feature<IProfileProperties>(profile);
        if (ProfileName(profile, setting.name) && props) {
            ReadLinkedApp(props.Get(), setting.linkedAppPath);
            ReadFlags(props.Get(), setting, true);
            out.push_back(setting);
        }
        return false;
    });
    return !out.empty();
}

bool CDeviceManager::GetProfileNames(std::vector<CString>& out)
{
    out.clear();
    WalkItems<IProfile>(m_profiles.Get(), [&](IProfile* profile) {
        CString name;
        if (ProfileName(profile, name))
            out.push_back(name);
        return false;
    });
    return !out.empty();
}

bool CDeviceManager::GetProfileSetting(const CString& name, _Profile_Setting_& out)
{
    // A profile of that name without properties is passed over.
    ComPtr<IProfileProperties> props = PropertiesOf(name);
    if (!props)
        return false;
    out.name = name;
    return SUCCEEDED(ReadLinkedApp(props.Get(), out.linkedAppPath)) && SUCCEEDED(ReadFlags(props.Get(), out, false));
}

bool CDeviceManager::GetActiveProfileName(CString& out)
{
    ComPtr<IProfile> profile = ActiveProfile();
    return profile && ProfileName(profile.Get(), out);
}

bool CDeviceManager::ActivateProfile(const CString& name)
{
    ComPtr<IProfile> profile = FindProfile(name);
    return profile && SUCCEEDED(m_profiles->SetActive(profile.Get()));
}

// The properties of the first profile of that name that has them.
ComPtr<IProfileProperties> CDeviceManager::PropertiesOf(const CString& name) const
{
    ComPtr<IProfileProperties> props;
    WalkItems<IProfile>(m_profiles.Get(), [&](IProfile* profile) {
        CString n;
        return ProfileName(profile, n) && n == name && (props = Feature<IProfileProperties>(profile));
    });
    return props;
}

bool CDeviceManager::SetLinkedAppName(const CString& name, const CString& program)
{
    ComPtr<IProfileProperties> props = PropertiesOf(name);
    if (!props)
        return false;
    wchar_t buffer[kLinkedAppBytes / sizeof(wchar_t)] = {};
    size_t n = std::min<size_t>(program.GetLength(), kMaxLinkedAppChars);
    std::wmemcpy(buffer, program.GetString(), n);
    return SUCCEEDED(props->Set(kPropLinkedApp, reinterpret_cast<const BYTE*>(buffer), 0, sizeof(buffer), 0));
}

bool CDeviceManager::SetFlagBit(IProfileProperties* props, USHORT bit, USHORT value)
{
    const USHORT record[2] = {bit, value};
    return SUCCEEDED(props->Set(kPropFlags, reinterpret_cast<const BYTE*>(record), 0, sizeof(record), 0));
}

bool CDeviceManager::SetProfileFlags(const CString& name, USHORT value)
{
    ComPtr<IProfileProperties> props = PropertiesOf(name);
    return props && SetFlagBit(props.Get(), 1, value);
}

bool CDeviceManager::SetProfileFlagBits(const CString& name, USHORT link, USHORT dpiOsd, USHORT profileOsd)
{
    ComPtr<IProfileProperties> props = PropertiesOf(name);
    return props && SetFlagBit(props.Get(), 1, link) && SetFlagBit(props.Get(), 2, dpiOsd) &&
           SetFlagBit(props.Get(), 4, profileOsd);
}

bool CDeviceManager::IsPowerState1()
{
    ComPtr<IPowerStatus> power = Feature<IPowerStatus>(m_device.Get());
    LONG state = 0;
    return power && SUCCEEDED(power->GetState(&state)) && state == 1;
}

bool CDeviceManager::IsPowerStateNot2()
{
    ComPtr<IPowerStatus> power = Feature<IPowerStatus>(m_device.Get());
    LONG state = 0;
    return power && SUCCEEDED(power->GetState(&state)) && state != 2;
}

bool CDeviceManager::GetBatteryLevel(int& level)
{
    ComPtr<IPowerStatus> power = Feature<IPowerStatus>(m_device.Get());
    LONG value = 0;
    if (!power || FAILED(power->GetLevel(&value)))
        return false;
    level = value;
    return true;
}

std::unique_ptr<CDpiEventConnection> CDeviceManager::ConnectDpiEvents(int productId, IDpiEventHandler* handler)
{
    ComPtr<IDpiSettings> dpi = Feature<IDpiSettings>(ActiveProfileOf(productId).Get());
    if (!dpi)
        return nullptr;
    return std::unique_ptr<CDpiEventConnection>(new CDpiEventConnection(dpi.Get(), handler));
}

std::unique_ptr<CProfileEventConnection> CDeviceManager::ConnectProfileEvents(int productId,
                                                                              IProfileEventHandler* handler)
{
    if (!IsPresent(productId))
        return nullptr;
    LONG from = 0;
    while (ComPtr<IDevice> device = DeviceOf(productId, from)) {
        ComPtr<IProfileManager> manager = Feature<IProfileManager>(device.Get());
        if (manager)
            return std::unique_ptr<CProfileEventConnection>(new CProfileEventConnection(manager.Get(), handler));
    }
    return nullptr;
}

// From the device of that product, as the other connections are: with two
// products attached each reports its own buttons.
std::unique_ptr<CLaunchAppEventConnection> CDeviceManager::ConnectLaunchAppEvents(int productId,
                                                                                  ILaunchAppEventHandler* handler)
{
    if (!IsPresent(productId))
        return nullptr;
    LONG from = 0;
    while (ComPtr<IDevice> device = DeviceOf(productId, from)) {
        ComPtr<IButtonActions> actions = Feature<IButtonActions>(device.Get());
        if (actions)
            return std::unique_ptr<CLaunchAppEventConnection>(new CLaunchAppEventConnection(actions.Get(), handler));
    }
    return nullptr;
}

std::unique_ptr<CMacroEventConnection> CDeviceManager::ConnectMacroRecordingEvents(IMacroEventHandler* handler)
{
    ComPtr<IMacroRecorder> recorder = Feature<IMacroRecorder>(m_device.Get());
    if (!recorder)
        return nullptr;
    return std::unique_ptr<CMacroEventConnection>(new CMacroEventConnection(recorder.Get(), handler));
}

std::unique_ptr<CDpiEventConnection> CDeviceManager::ConnectDpiEventsCurrent(IDpiEventHandler* handler)
{
    ComPtr<IDpiSettings> dpi = Feature<IDpiSettings>(ActiveProfile().Get());
    if (!dpi)
        return nullptr;
    return std::unique_ptr<CDpiEventConnection>(new CDpiEventConnection(dpi.Get(), handler));
}

std::unique_ptr<CProfileEventConnection> CDeviceManager::ConnectProfileEventsCurrent(IProfileEventHandler* handler)
{
    if (!m_profiles)
        return nullptr;
    return std::unique_ptr<CProfileEventConnection>(new CProfileEventConnection(m_profiles.Get(), handler));
}

std::unique_ptr<CLaunchAppEventConnection> CDeviceManager::ConnectLaunchAppEventsCurrent(
    ILaunchAppEventHandler* handler)
{
    ComPtr<IButtonActions> actions = Feature<IButtonActions>(m_device.Get());
    if (!actions)
        return nullptr;
    return std::unique_ptr<CLaunchAppEventConnection>(new CLaunchAppEventConnection(actions.Get(), handler));
}

bool CDeviceManager::SetRecordLedMode(ULONG mode)
{
    ComPtr<IMacroRecordLed> led = Feature<IMacroRecordLed>(m_device.Get());
    return led && SUCCEEDED(led->SetMode(mode));
}

bool CDeviceManager::StartRecordingLed()
{
    return SetRecordMode2() && SetLedSchemeState(kMacroLedScheme[0]);
}

bool CDeviceManager::LedSchemeState1()
{
    return SetLedSchemeState(kMacroLedScheme[1]);
}

bool CDeviceManager::StopRecordingLed()
{
    return SetRecordMode1() && SetLedSchemeState(kMacroLedScheme[2]);
}

bool CDeviceManager::LedSchemeState2()
{
    return SetLedSchemeState(kMacroLedScheme[2]);
}

bool CDeviceManager::SetLedSchemeState(const CLed& led)
{
    CString name;
    return GetActiveProfileName(name) && ApplyLedScheme(name, led);
}

bool CDeviceManager::ApplyLedScheme(const CString& profileName, const CLed& led)
{
    ComPtr<ILightingZones> zones = Feature<ILightingZones>(FindProfile(profileName).Get());
    ComPtr<ILightingZone> zone = WalkItems<ILightingZone>(zones.Get(), [&](ILightingZone* z) {
        ULONG id = 0;
        return SUCCEEDED(z->GetId(&id)) && id == led.zoneId;
    });
    if (!zone)
        return false;
    if (ComPtr<IZoneColorValue> colour = zone.As<IZoneColorValue>())
        colour->Set(led.colour);
    if (ComPtr<IZoneEffect> effect = zone.As<IZoneEffect>())
        effect->Set(led.effect, led.value1, led.value2);
    if (ComPtr<IZoneBrightness> brightness = zone.As<IZoneBrightness>())
        brightness->Set(led.brightness);
    if (led.on == 1)
        zone->TurnOn();
    else
        zone->TurnOff();
    return true;
}

int NewMacroNumber(const CString& name)
{
    int i = 0;
    while (i < name.GetLength() && name[i] && std::wcschr(kNewMacro, name[i]))
        ++i;
    long long n = 0;
    for (; i < name.GetLength() && name[i] >= L'0' && name[i] <= L'9' && n < INT_MAX; ++i)
        n = n * 10 + (name[i] - L'0');
    return n > INT_MAX - 1 ? INT_MAX - 1 : static_cast<int>(n);
}

CString CDeviceManager::MakeNewMacroName()
{
    int largest = 0;
    ComPtr<IMacroManager> macros = Feature<IMacroManager>(m_device.Get());
    WalkItems<IMacro>(macros.Get(), [&](IMacro* macro) {
        LPWSTR text = nullptr;
        HRESULT hr = macro->GetName(&text);
        CString name = TakeServiceText(text, kMaxNameChars);
        if (SUCCEEDED(hr) && name.Find(kNewMacro) >= 0 && NewMacroNumber(name) > largest)
            largest = NewMacroNumber(name);
        return false;
    });
    CString out;
    out.Format(L"%ls%d", kNewMacro, largest + 1);
    return out;
}

bool CDeviceManager::CreateMacro(const CString& name, const std::vector<RecordedEvent>& events, GUID& id)
{
    if (!m_device || events.size() > ULONG_MAX / sizeof(MacroDeviceEvent) - 1)
        return false;
    // The header {0, count}, then the events (the block type declares one).
    size_t bytes = sizeof(MacroBlock) + events.size() * sizeof(MacroDeviceEvent);
    auto* block = static_cast<MacroBlock*>(::CoTaskMemAlloc(bytes));
    if (!block)
        return false;
    std::memset(block, 0, bytes);
    block->count = static_cast<ULONG>(events.size());
    BYTE* at = reinterpret_cast<BYTE*>(block) + offsetof(MacroBlock, events);
    for (const RecordedEvent& e : events) {
        MacroDeviceEvent d{e.type, e.data};
        std::memcpy(at, &d, sizeof(d));
        at += sizeof(d);
    }
    bool made = false;
    ComPtr<IMacroManager> macros = Feature<IMacroManager>(m_device.Get());
    ComPtr<IMacro> macro;
    if (macros && SUCCEEDED(macros->Create(macro.Out())) && macro) {
        macro->SetName(name);
        macro->SetEvents(block);
        macro->GetId(&id);
        made = true;
    }
    ::CoTaskMemFree(block);
    return made;
}

bool CDeviceManager::WriteMacroAssignment(IProfile* profile, int key, const GUID& id)
{
    ComPtr<IMacroManager> macros = Feature<IMacroManager>(m_device.Get());
    bool found = !!WalkItems<IMacro>(macros.Get(), [&](IMacro* macro) {
        GUID g{};
        return SUCCEEDED(macro->GetId(&g)) && IsEqualGUID(g, id);
    });
    ComPtr<IKeyAssignments> keys = Feature<IKeyAssignments>(profile);
    if (!found || !keys)
        return false;
    AssignmentValue value{};
    value.target = static_cast<ULONG>(key);
    value.type = 8;  // macro
    std::memcpy(value.params, &id, sizeof(id));
    value.params[16] = 1;  // play mode: once
    keys->Set(1, &value);
    return true;
}

bool CDeviceManager::AssignMacro(const GUID& id, int, int key)
{
    ComPtr<IProfile> profile = ActiveProfile();
    // Setting the profile active again makes the device take the change.
    return profile && WriteMacroAssignment(profile.Get(), key, id) &&
           SUCCEEDED(m_profiles->SetActive(profile.Get()));
}

bool CDeviceManager::AssignMacroToProfile(const CString& profileName, const GUID& id, int, int key)
{
    ComPtr<IProfile> profile = FindProfile(profileName, true);
    return profile && WriteMacroAssignment(profile.Get(), key, id);
}

// The recording lighting going back to idle never decides whether the
// recorded macro is kept: a model without the indicator zone still saves.
bool CDeviceManager::SaveRecordedMacro(int a, int key, const std::vector<RecordedEvent>& events)
{
    SetRecordMode1();
    SetLedSchemeState(kMacroLedScheme[2]);
    GUID id{};
    return CreateMacro(MakeNewMacroName(), events, id) && AssignMacro(id, a, key);
}
