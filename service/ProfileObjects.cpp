// A device profile and its per-profile features: properties, sensitivity,
// button and key assignments, lighting zones.
#include <algorithm>
#include <cstring>

#include "EventSource.h"
#include "ListLookup.h"
#include "ServiceObjects.h"
#include "StateFile.h"

namespace tkservice {
namespace {

// What every per-profile object holds: its device attachment and its
// profile record, which stays readable after the profile is removed.
class ProfileBound {
public:
    ProfileBound(DeviceRef device, ProfilePtr profile) : device_(device), profile_(std::move(profile)) {}

protected:
    // Under the state lock: the live device and profile, or the failure.
    HRESULT Resolve(DeviceState*& device, ProfileState*& profile)
    {
        device = ServiceCore::Instance().Live(device_);
        if (!device) return kErrNotConnected;
        if (profile_->removed) return kErrNotFound;
        profile = profile_.get();
        return S_OK;
    }
    void Changed() { ServiceCore::Instance().MarkDirty(); }

    DeviceRef device_;
    ProfilePtr profile_;
};

#define TK_RESOLVE()                                       \
    DeviceState* device = nullptr;                         \
    ProfileState* profile = nullptr;                       \
    if (HRESULT hr_ = Resolve(device, profile); FAILED(hr_)) return call.Done(hr_); \
    (void)device

// ---- Properties ------------------------------------------------------

class CProfileProperties : public ComObject<IProfileProperties>, ProfileBound {
public:
    using ProfileBound::ProfileBound;

    STDMETHODIMP Get(ULONG id, ULONG, BYTE* buffer, ULONG, ULONG* size) override
    {
        TK_SERVICE_CALL("IProfileProperties.Get", Args(L"0x%08lX %lu", id, size ? *size : 0));
        if (!size) return call.Done(E_POINTER);
        ULONG room = *size;
        *size = 0;  // nothing goes back unless the read succeeds
        if (room && !buffer) return call.Done(E_POINTER);
        TK_RESOLVE();
        if (id == kPropLinkedApp) {
            if (profile->linkedApp.empty()) return call.Done(S_OK);
            ULONG bytes = static_cast<ULONG>((profile->linkedApp.size() + 1) * sizeof(wchar_t));
            if (room < bytes) return call.Done(HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER));
            std::memcpy(buffer, profile->linkedApp.c_str(), bytes);
            *size = bytes;
            return call.Done(S_OK);
        }
        if (id == kPropFlags) {
            if (room < sizeof(USHORT)) return call.Done(HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER));
            std::memcpy(buffer, &profile->flags, sizeof(USHORT));
            *size = sizeof(USHORT);
            return call.Done(S_OK);
        }
        return call.Done(E_INVALIDARG);
    }

    STDMETHODIMP Set(ULONG id, const BYTE* buffer, ULONG, ULONG size, ULONG) override
    {
        TK_SERVICE_CALL("IProfileProperties.Set", Args(L"0x%08lX %lu", id, size));
        if (!buffer) return call.Done(E_POINTER);
        TK_RESOLVE();
        if (id == kPropLinkedApp) {
            if (size < sizeof(wchar_t) || size > kLinkedAppBytes) return call.Done(E_INVALIDARG);
            const wchar_t* text = reinterpret_cast<const wchar_t*>(buffer);
            size_t chars = size / sizeof(wchar_t);
            size_t length = 0;
            wchar_t ch = 0;
            for (; length < chars; ++length) {
                std::memcpy(&ch, buffer + length * sizeof(wchar_t), sizeof(wchar_t));
                if (!ch) break;
            }
            if (length == chars || length > kMaxLinkedAppChars) return call.Done(E_INVALIDARG);
            std::wstring name(length, L'\0');
            if (length) std::memcpy(&name[0], text, length * sizeof(wchar_t));
            profile->linkedApp = name;
            Changed();
            return call.Done(S_OK);
        }
        if (id == kPropFlags) {
            USHORT pair[2];
            if (size != sizeof(pair)) return call.Done(E_INVALIDARG);
            std::memcpy(pair, buffer, sizeof(pair));
            if ((pair[0] != 1 && pair[0] != 2 && pair[0] != 4) || pair[1] > 1) return call.Done(E_INVALIDARG);
            profile->flags = static_cast<USHORT>(pair[1] ? profile->flags | pair[0] : profile->flags & ~pair[0]);
            Changed();
            return call.Done(S_OK);
        }
        return call.Done(E_INVALIDARG);
    }
};

// ---- Sensitivity -----------------------------------------------------

bool InRange(ULONG v)
{
    return v >= kDpiMin && v <= kDpiMax;
}

class CDpiSettings : public ComObject<IDpiSettings, IConnectionPointContainer>, ProfileBound {
public:
    using ProfileBound::ProfileBound;

    STDMETHODIMP GetDpi(ULONG* x, ULONG* y) override
    {
        TK_SERVICE_CALL("IDpiSettings.GetDpi", L"");
        if (!x || !y) return call.Done(E_POINTER);
        TK_RESOLVE();
        *x = profile->dpiX;
        *y = profile->dpiY;
        return call.Done(S_OK);
    }
    STDMETHODIMP SetDpi(ULONG x, ULONG y) override
    {
        TK_SERVICE_CALL("IDpiSettings.SetDpi", Args(L"%lu %lu", x, y));
        TK_RESOLVE();
        if (!InRange(x) || !InRange(y)) return call.Done(E_INVALIDARG);
        profile->dpiX = x;
        profile->dpiY = y;
        Changed();
        return call.Done(S_OK);
    }
    STDMETHODIMP GetCapacity(DpiCapacity* capacity) override
    {
        TK_SERVICE_CALL("IDpiSettings.GetCapacity", L"");
        if (!capacity) return call.Done(E_POINTER);
        TK_RESOLVE();
        capacity->reserved = 0;
        capacity->capacity = kStageCapacity;
        return call.Done(S_OK);
    }
    STDMETHODIMP GetCurrentStage(ULONG* stage) override
    {
        TK_SERVICE_CALL("IDpiSettings.GetCurrentStage", L"");
        if (!stage) return call.Done(E_POINTER);
        TK_RESOLVE();
        *stage = profile->currentStage;
        return call.Done(S_OK);
    }
    STDMETHODIMP SetCurrentStage(ULONG stage) override
    {
        TK_SERVICE_CALL("IDpiSettings.SetCurrentStage", Args(L"%lu", stage));
        TK_RESOLVE();
        if (stage < 1 || stage > profile->stages.size()) return call.Done(E_INVALIDARG);
        profile->currentStage = stage;
        Changed();
        return call.Done(S_OK);
    }
    STDMETHODIMP GetStages(ULONG* count, DpiStage** stages) override
    {
        TK_SERVICE_CALL("IDpiSettings.GetStages", L"");
        if (!count || !stages) return call.Done(E_POINTER);
        *count = 0;
        *stages = nullptr;
        TK_RESOLVE();
        size_t bytes = profile->stages.size() * sizeof(DpiStage);
        auto* block = static_cast<DpiStage*>(::CoTaskMemAlloc(bytes ? bytes : 1));
        if (!block) return call.Done(E_OUTOFMEMORY);
        std::copy(profile->stages.begin(), profile->stages.end(), block);
        *count = static_cast<ULONG>(profile->stages.size());
        *stages = block;
        return call.Done(S_OK);
    }
    STDMETHODIMP SetStages(ULONG count, const DpiStage* stages) override
    {
        std::wstring args = Args(L"%lu", count);
        for (ULONG i = 0; stages && i < count && i < kStageCapacity; ++i)
            args += Args(L" %lux%lu", stages[i].x, stages[i].y);
        TK_SERVICE_CALL("IDpiSettings.SetStages", args);
        if (!stages) return call.Done(E_POINTER);
        TK_RESOLVE();
        if (count < 1 || count > kStageCapacity) return call.Done(E_INVALIDARG);
        std::vector<DpiStage> list(stages, stages + count);
        if (!ValidStages(list)) return call.Done(E_INVALIDARG);
        profile->stages = list;
        profile->currentStage = std::min<ULONG>(profile->currentStage, count);
        Changed();
        return call.Done(S_OK);
    }
    STDMETHODIMP GetRange(ULONG* minimum, ULONG* maximum, ULONG* step) override
    {
        TK_SERVICE_CALL("IDpiSettings.GetRange", L"");
        if (!minimum || !maximum || !step) return call.Done(E_POINTER);
        TK_RESOLVE();
        *minimum = kDpiMin;
        *maximum = kDpiMax;
        *step = kDpiStep;
        return call.Done(S_OK);
    }

    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** out) override
    {
        if (out) *out = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** out) override
    {
        return FindEventPoint(this, iid, __uuidof(_IDPIEvents), EventKind::Dpi, device_, out);
    }
};

// ---- Button and key assignments -------------------------------------

// Copies up to *count values out; the shared half of both GetAll methods.
HRESULT CopyValues(const std::vector<AssignmentValue>& from, ULONG* count, AssignmentValue* values)
{
    if (!count) return E_POINTER;
    ULONG n = std::min<ULONG>(*count, static_cast<ULONG>(from.size()));
    *count = 0;
    if (n && !values) return E_POINTER;
    std::copy(from.begin(), from.begin() + n, values);
    *count = n;
    return S_OK;
}

// Stores values whose targets the list knows; all or nothing.
HRESULT StoreValues(std::vector<AssignmentValue>& into, ULONG count, const AssignmentValue* values)
{
    if (!values) return E_POINTER;
    if (count == 0 || count > into.size()) return E_INVALIDARG;
    std::vector<AssignmentValue> result = into;
    for (ULONG i = 0; i < count; ++i) {
        const AssignmentValue& v = values[i];
        auto it = std::find_if(result.begin(), result.end(),
                               [&](const AssignmentValue& have) { return have.target == v.target; });
        if (it == result.end() || v.type > 9) return E_INVALIDARG;
        *it = v;
    }
    into = std::move(result);
    return S_OK;
}

std::wstring ValuesArgs(ULONG count, const AssignmentValue* values)
{
    std::wstring args = Args(L"%lu", count);
    for (ULONG i = 0; values && i < count && i < 32; ++i) {
        const AssignmentValue& v = values[i];
        ULONG p0, p1;
        std::memcpy(&p0, v.params, 4);
        std::memcpy(&p1, v.params + 4, 4);
        args += Args(L" {%lu 0x%lX %lu 0x%lX 0x%lX}", v.valid, v.target, v.type, p0, p1);
    }
    return args;
}

class CButtonAssignments : public ComObject<IButtonAssignments>, ProfileBound {
public:
    using ProfileBound::ProfileBound;

    STDMETHODIMP GetAll(ULONG* count, AssignmentValue* values) override
    {
        TK_SERVICE_CALL("IButtonAssignments.GetAll", Args(L"%lu", count ? *count : 0));
        if (!count) return call.Done(E_POINTER);
        DeviceState* device = nullptr;
        ProfileState* profile = nullptr;
        if (HRESULT hr = Resolve(device, profile); FAILED(hr)) {
            *count = 0;
            return call.Done(hr);
        }
        return call.Done(CopyValues(profile->buttons, count, values));
    }
    STDMETHODIMP Set(ULONG count, const AssignmentValue* values) override
    {
        TK_SERVICE_CALL("IButtonAssignments.Set", ValuesArgs(count, values));
        TK_RESOLVE();
        HRESULT hr = StoreValues(profile->buttons, count, values);
        if (SUCCEEDED(hr)) Changed();
        return call.Done(hr);
    }
    STDMETHODIMP GetSupported(ButtonSupport* support) override
    {
        TK_SERVICE_CALL("IButtonAssignments.GetSupported", L"");
        if (!support) return call.Done(E_POINTER);
        TK_RESOLVE();
        support->count = static_cast<ULONG>(Buttons().size());
        support->reserved = 0;
        support->bits = 0;
        for (const ButtonDefault& b : Buttons()) support->bits |= b.bit;
        return call.Done(S_OK);
    }
};

class CKeyAssignments : public ComObject<IKeyAssignments>, ProfileBound {
public:
    using ProfileBound::ProfileBound;

    STDMETHODIMP GetCount(KeyCount* count) override
    {
        TK_SERVICE_CALL("IKeyAssignments.GetCount", L"");
        if (!count) return call.Done(E_POINTER);
        TK_RESOLVE();
        count->reserved = 0;
        count->count = static_cast<ULONG>(profile->keys.size());
        return call.Done(S_OK);
    }
    STDMETHODIMP GetAll(ULONG* count, AssignmentValue* values) override
    {
        TK_SERVICE_CALL("IKeyAssignments.GetAll", Args(L"%lu", count ? *count : 0));
        if (!count) return call.Done(E_POINTER);
        DeviceState* device = nullptr;
        ProfileState* profile = nullptr;
        if (HRESULT hr = Resolve(device, profile); FAILED(hr)) {
            *count = 0;
            return call.Done(hr);
        }
        return call.Done(CopyValues(profile->keys, count, values));
    }
    STDMETHODIMP Set(ULONG count, const AssignmentValue* values) override
    {
        TK_SERVICE_CALL("IKeyAssignments.Set", ValuesArgs(count, values));
        TK_RESOLVE();
        HRESULT hr = StoreValues(profile->keys, count, values);
        if (SUCCEEDED(hr)) Changed();
        return call.Done(hr);
    }
};

// ---- Lighting --------------------------------------------------------

// One zone. Its colour, brightness and effect interfaces share method
// names, so each is a small part object that delegates IUnknown here.
class CZone : public ComObject<ILightingZone>, ProfileBound {
public:
    CZone(DeviceRef device, ProfilePtr profile, ULONG zoneId)
        : ProfileBound(device, std::move(profile)), zoneId_(zoneId), colour_(this), brightness_(this),
          effect_(this) {}

    STDMETHODIMP TurnOn() override { return Switch("ILightingZone.TurnOn", true); }
    STDMETHODIMP TurnOff() override { return Switch("ILightingZone.TurnOff", false); }
    STDMETHODIMP IsOn(LONG* on) override
    {
        TK_SERVICE_CALL("ILightingZone.IsOn", Args(L"zone %lu", zoneId_));
        if (!on) return call.Done(E_POINTER);
        ZoneState* z;
        if (HRESULT hr = Zone(z); FAILED(hr)) return call.Done(hr);
        *on = z->on;
        return call.Done(S_OK);
    }
    STDMETHODIMP GetId(ULONG* id) override
    {
        TK_SERVICE_CALL("ILightingZone.GetId", L"");
        if (!id) return call.Done(E_POINTER);
        ZoneState* z;
        if (HRESULT hr = Zone(z); FAILED(hr)) return call.Done(hr);
        *id = zoneId_;
        return call.Done(S_OK);
    }

private:
    template <class Itf>
    struct Part : Itf {
        explicit Part(CZone* zone) : zone(zone) {}
        STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return zone->QueryInterface(iid, out); }
        STDMETHODIMP_(ULONG) AddRef() override { return zone->AddRef(); }
        STDMETHODIMP_(ULONG) Release() override { return zone->Release(); }
        CZone* zone;
    };
    struct Colour : Part<IZoneColorValue> {
        using Part::Part;
        STDMETHODIMP Set(ULONG colour) override
        {
            TK_SERVICE_CALL("IZoneColorValue.Set", Args(L"zone %lu 0x%06lX", zone->zoneId_, colour));
            if (colour > 0xFFFFFF) return call.Done(E_INVALIDARG);
            return call.Done(zone->Change([&](ZoneState& z) { z.colour = colour; }));
        }
        STDMETHODIMP Get(ULONG* colour) override
        {
            TK_SERVICE_CALL("IZoneColorValue.Get", Args(L"zone %lu", zone->zoneId_));
            if (!colour) return call.Done(E_POINTER);
            ZoneState* z;
            if (HRESULT hr = zone->Zone(z); FAILED(hr)) return call.Done(hr);
            *colour = z->colour;
            return call.Done(S_OK);
        }
    };
    struct Brightness : Part<IZoneBrightness> {
        using Part::Part;
        STDMETHODIMP Set(ULONG level) override
        {
            TK_SERVICE_CALL("IZoneBrightness.Set", Args(L"zone %lu %lu", zone->zoneId_, level));
            if (level > 100) return call.Done(E_INVALIDARG);
            return call.Done(zone->Change([&](ZoneState& z) { z.level = level; }));
        }
        STDMETHODIMP Get(ULONG* level) override
        {
            TK_SERVICE_CALL("IZoneBrightness.Get", Args(L"zone %lu", zone->zoneId_));
            if (!level) return call.Done(E_POINTER);
            ZoneState* z;
            if (HRESULT hr = zone->Zone(z); FAILED(hr)) return call.Done(hr);
            *level = z->level;
            return call.Done(S_OK);
        }
    };
    struct Effect : Part<IZoneEffect> {
        using Part::Part;
        STDMETHODIMP Set(ULONG effect, ULONG value1, ULONG value2) override
        {
            TK_SERVICE_CALL("IZoneEffect.Set",
                            Args(L"zone %lu %lu %lu %lu", zone->zoneId_, effect, value1, value2));
            if (effect > 5) return call.Done(E_INVALIDARG);
            return call.Done(zone->Change([&](ZoneState& z) {
                z.effect = effect;
                z.value1 = value1;
                z.value2 = value2;
            }));
        }
        STDMETHODIMP Get(ULONG* effect, ULONG* value1, ULONG* value2) override
        {
            TK_SERVICE_CALL("IZoneEffect.Get", Args(L"zone %lu", zone->zoneId_));
            if (!effect || !value1 || !value2) return call.Done(E_POINTER);
            ZoneState* z;
            if (HRESULT hr = zone->Zone(z); FAILED(hr)) return call.Done(hr);
            *effect = z->effect;
            *value1 = z->value1;
            *value2 = z->value2;
            return call.Done(S_OK);
        }
    };

    bool OtherInterface(REFIID iid, void** out) override
    {
        IUnknown* part = nullptr;
        if (IsEqualIID(iid, __uuidof(IZoneColorValue))) part = static_cast<IZoneColorValue*>(&colour_);
        if (IsEqualIID(iid, __uuidof(IZoneBrightness))) part = static_cast<IZoneBrightness*>(&brightness_);
        if (IsEqualIID(iid, __uuidof(IZoneEffect))) part = static_cast<IZoneEffect*>(&effect_);
        if (!part) return false;
        AddRef();
        *out = part;
        return true;
    }

    // Under the state lock.
    HRESULT Zone(ZoneState*& zone)
    {
        DeviceState* d;
        ProfileState* p;
        if (HRESULT hr = Resolve(d, p); FAILED(hr)) return hr;
        for (ZoneState& z : p->zones) {
            if (z.id == zoneId_) {
                zone = &z;
                return S_OK;
            }
        }
        return kErrNotFound;
    }
    template <class F>
    HRESULT Change(F change)
    {
        ZoneState* z;
        if (HRESULT hr = Zone(z); FAILED(hr)) return hr;
        change(*z);
        Changed();
        return S_OK;
    }
    HRESULT Switch(const char* op, bool on)
    {
        TK_SERVICE_CALL(op, Args(L"zone %lu", zoneId_));
        return call.Done(Change([&](ZoneState& z) { z.on = on; }));
    }

    ULONG zoneId_;
    Colour colour_;
    Brightness brightness_;
    Effect effect_;
};

class CLightingZones : public ComObject<ILightingZones>, ProfileBound {
public:
    using ProfileBound::ProfileBound;

    STDMETHODIMP Item(LONG index, ILightingZone** zone) override
    {
        TK_SERVICE_CALL("ILightingZones.Item", Args(L"%ld", index));
        if (!zone) return call.Done(E_POINTER);
        *zone = nullptr;
        TK_RESOLVE();
        return call.Done(ItemAt(profile->zones, index, zone, [this](const ZoneState& z) {
            return static_cast<ILightingZone*>(new CZone(device_, profile_, z.id));
        }));
    }
};

// ---- The profile -----------------------------------------------------

class CProfile : public ComObject<IProfile>, ProfileBound {
public:
    using ProfileBound::ProfileBound;

    STDMETHODIMP GetFeature(REFIID iid, IUnknown** feature) override
    {
        TK_SERVICE_CALL("IProfile.GetFeature", GuidText(iid));
        if (!feature) return call.Done(E_POINTER);
        *feature = nullptr;
        TK_RESOLVE();
        return call.Done(CreateProfileFeature(device_, profile_, iid, feature));
    }
    STDMETHODIMP GetId(GUID* id) override
    {
        TK_SERVICE_CALL("IProfile.GetId", L"");
        if (!id) return call.Done(E_POINTER);
        TK_RESOLVE();
        *id = profile->id;
        return call.Done(S_OK);
    }
    STDMETHODIMP GetName(LPWSTR* name) override
    {
        TK_SERVICE_CALL("IProfile.GetName", L"");
        if (!name) return call.Done(E_POINTER);
        *name = nullptr;
        TK_RESOLVE();
        *name = CoTaskText(profile->name);
        return call.Done(*name ? S_OK : E_OUTOFMEMORY);
    }
    STDMETHODIMP SetName(LPCWSTR name) override
    {
        TK_SERVICE_CALL("IProfile.SetName", name ? Args(L"\"%.300ls\"", name) : L"null");
        if (!name) return call.Done(E_POINTER);
        TK_RESOLVE();
        std::wstring text(name);
        if (!ValidName(text)) return call.Done(E_INVALIDARG);
        profile->name = text;
        Changed();
        return call.Done(S_OK);
    }
    STDMETHODIMP Reserved7() override { return E_NOTIMPL; }
    STDMETHODIMP Export(LPCWSTR path) override
    {
        TK_SERVICE_CALL("IProfile.Export", path ? Args(L"\"%.300ls\"", path) : L"null");
        if (!path) return call.Done(E_POINTER);
        TK_RESOLVE();
        if (!WriteWholeFile(path, EncodeProfile(*profile)))
            return call.Done(HRESULT_FROM_WIN32(ERROR_WRITE_FAULT));
        return call.Done(S_OK);
    }
};

// ---- The profile manager ----------------------------------------------

class CProfileManager : public ComObject<IProfileManager, IConnectionPointContainer> {
public:
    explicit CProfileManager(DeviceRef device) : device_(device) {}

private:
    // Defined first: Item and Find deduce its type.
    auto MakeProfile()
    {
        return [this](const ProfilePtr& p) { return CreateProfileObject(device_, p); };
    }

public:
    STDMETHODIMP Item(LONG index, IProfile** out) override
    {
        TK_SERVICE_CALL("IProfileManager.Item", Args(L"%ld", index));
        return call.Done(DeviceItem(device_, &DeviceState::profiles, index, out, MakeProfile()));
    }
    STDMETHODIMP Find(ULONG a, ULONG b, ULONG c, ULONG e, IProfile** out) override
    {
        GUID id = GuidFromWords(a, b, c, e);
        TK_SERVICE_CALL("IProfileManager.Find", GuidText(id));
        return call.Done(DeviceFind(device_, &DeviceState::profiles, id, out, MakeProfile()));
    }
    STDMETHODIMP SetActive(IProfile* profile) override
    {
        // Asked before the lock: a caller's own profile object answers from
        // the caller's process, which may call us meanwhile.
        GUID id;
        const bool named = profile && IdOfProfile(profile, id);
        TK_SERVICE_CALL("IProfileManager.SetActive", L"");
        DeviceState* d = ServiceCore::Instance().Live(device_);
        if (!d) return call.Done(kErrNotConnected);
        if (!named || !FindProfile(*d, id)) return call.Done(kErrNotFound);
        d->activeProfile = id;
        ServiceCore::Instance().MarkDirty();
        return call.Done(S_OK);
    }
    STDMETHODIMP GetActive(IProfile** out) override
    {
        TK_SERVICE_CALL("IProfileManager.GetActive", L"");
        if (!out) return call.Done(E_POINTER);
        *out = nullptr;
        DeviceState* d = ServiceCore::Instance().Live(device_);
        if (!d) return call.Done(kErrNotConnected);
        ProfilePtr p = FindProfile(*d, d->activeProfile);
        if (!p) return call.Done(kErrNotFound);
        *out = CreateProfileObject(device_, p);
        return call.Done(S_OK);
    }
    STDMETHODIMP Create(IProfile** out) override
    {
        TK_SERVICE_CALL("IProfileManager.Create", L"");
        if (!out) return call.Done(E_POINTER);
        *out = nullptr;
        DeviceState* d = ServiceCore::Instance().Live(device_);
        if (!d) return call.Done(kErrNotConnected);
        if (d->profiles.size() >= kMaxProfiles) return call.Done(kErrFull);
        ProfilePtr p = DefaultProfile(NewGuid(), L"New Profile");
        d->profiles.push_back(p);
        ServiceCore::Instance().MarkDirty();
        *out = CreateProfileObject(device_, p);
        return call.Done(S_OK);
    }
    STDMETHODIMP Remove(IProfile* profile) override
    {
        GUID id;
        const bool named = profile && IdOfProfile(profile, id);  // before the lock, as above
        TK_SERVICE_CALL("IProfileManager.Remove", L"");
        DeviceState* d = ServiceCore::Instance().Live(device_);
        if (!d) return call.Done(kErrNotConnected);
        int index = named ? ProfileIndex(*d, id) : -1;
        if (index < 0) return call.Done(kErrNotFound);
        // The device always keeps one profile, which is then the active one.
        if (d->profiles.size() == 1) return call.Done(HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED));
        d->profiles[index]->removed = true;
        d->profiles.erase(d->profiles.begin() + index);
        if (IsEqualGUID(d->activeProfile, id)) d->activeProfile = d->profiles.front()->id;
        ServiceCore::Instance().MarkDirty();
        return call.Done(S_OK);
    }
    STDMETHODIMP Reserved9() override { return E_NOTIMPL; }
    STDMETHODIMP Import(LPCWSTR path, IProfile** out) override
    {
        TK_SERVICE_CALL("IProfileManager.Import", path ? Args(L"\"%.300ls\"", path) : L"null");
        if (!out) return call.Done(E_POINTER);
        *out = nullptr;
        if (!path) return call.Done(E_POINTER);
        DeviceState* d = ServiceCore::Instance().Live(device_);
        if (!d) return call.Done(kErrNotConnected);
        std::vector<BYTE> data;
        if (!ReadWholeFile(path, data)) return call.Done(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
        auto p = std::make_shared<ProfileState>();
        if (!DecodeProfile(data, *p)) return call.Done(kErrBadFile);
        if (d->profiles.size() >= kMaxProfiles) return call.Done(kErrFull);
        p->id = NewGuid();  // an import is a new profile, even of an exported one
        d->profiles.push_back(p);
        ServiceCore::Instance().MarkDirty();
        *out = CreateProfileObject(device_, p);
        return call.Done(S_OK);
    }

    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** out) override
    {
        if (out) *out = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** out) override
    {
        return FindEventPoint(this, iid, __uuidof(_IProfileManagerEvents), EventKind::Profile, device_, out);
    }

private:
    DeviceRef device_;
};

}  // namespace

IProfile* CreateProfileObject(DeviceRef device, const ProfilePtr& profile)
{
    return new CProfile(device, profile);
}

HRESULT CreateProfileFeature(DeviceRef device, const ProfilePtr& profile, REFIID iid, IUnknown** out)
{
    *out = nullptr;
    auto has = [&](int code) { return ModelHas(device.productId, code); };
    if (IsEqualIID(iid, __uuidof(IProfileProperties)) && has(kFeatProperties))
        *out = static_cast<IProfileProperties*>(new CProfileProperties(device, profile));
    else if (IsEqualIID(iid, __uuidof(IDpiSettings)) && has(kFeatDpi))
        *out = static_cast<IDpiSettings*>(new CDpiSettings(device, profile));
    else if (IsEqualIID(iid, __uuidof(IButtonAssignments)) && has(kFeatButtons))
        *out = static_cast<IButtonAssignments*>(new CButtonAssignments(device, profile));
    else if (IsEqualIID(iid, __uuidof(IKeyAssignments)) && has(kFeatKeys))
        *out = static_cast<IKeyAssignments*>(new CKeyAssignments(device, profile));
    else if (IsEqualIID(iid, __uuidof(ILightingZones)) && has(kFeatLighting))
        *out = static_cast<ILightingZones*>(new CLightingZones(device, profile));
    return *out ? S_OK : E_NOINTERFACE;
}

IUnknown* CreateProfileManager(DeviceRef device)
{
    return static_cast<IProfileManager*>(new CProfileManager(device));
}

bool IdOfProfile(IProfile* profile, GUID& id)
{
    return SUCCEEDED(profile->GetId(&id));
}

}  // namespace tkservice
