// The collection, the device and its device-wide features.
#include <algorithm>
#include <cstring>

#include "EventSource.h"
#include "ServiceObjects.h"
#include "StateFile.h"

namespace tkservice {
namespace {

// What every device-wide object holds: its device attachment.
class DeviceBound {
public:
    explicit DeviceBound(DeviceRef device) : device_(device) {}

protected:
    DeviceState* Live() { return ServiceCore::Instance().Live(device_); }
    void Changed() { ServiceCore::Instance().MarkDirty(); }
    DeviceRef device_;
};

#define TK_LIVE()                                            \
    DeviceState* device = Live();                            \
    if (!device) return call.Done(kErrNotConnected)

class CReportRate : public ComObject<IReportRate>, DeviceBound {
public:
    using DeviceBound::DeviceBound;
    STDMETHODIMP Get(ULONG* interval) override
    {
        TK_SERVICE_CALL("IReportRate.Get", L"");
        if (!interval) return call.Done(E_POINTER);
        TK_LIVE();
        *interval = device->reportInterval;
        return call.Done(S_OK);
    }
    STDMETHODIMP Set(ULONG interval) override
    {
        TK_SERVICE_CALL("IReportRate.Set", Args(L"%lu", interval));
        TK_LIVE();
        if (!IsValidInterval(interval)) return call.Done(E_INVALIDARG);
        device->reportInterval = interval;
        Changed();
        return call.Done(S_OK);
    }
    STDMETHODIMP GetSupported(ULONG* count, ULONG** rates) override
    {
        TK_SERVICE_CALL("IReportRate.GetSupported", L"");
        if (!count || !rates) return call.Done(E_POINTER);
        *count = 0;
        *rates = nullptr;
        TK_LIVE();
        const std::vector<ULONG>& list = SupportedRates();
        auto* block = static_cast<ULONG*>(::CoTaskMemAlloc(list.size() * sizeof(ULONG)));
        if (!block) return call.Done(E_OUTOFMEMORY);
        std::copy(list.begin(), list.end(), block);
        *count = static_cast<ULONG>(list.size());
        *rates = block;
        return call.Done(S_OK);
    }
};

class CDeviceSwitches : public ComObject<IDeviceSwitches>, DeviceBound {
public:
    using DeviceBound::DeviceBound;
    STDMETHODIMP Enable() override { return Switch("IDeviceSwitches.Enable", true); }
    STDMETHODIMP Disable() override { return Switch("IDeviceSwitches.Disable", false); }
    STDMETHODIMP IsEnabled(LONG* enabled) override
    {
        TK_SERVICE_CALL("IDeviceSwitches.IsEnabled", L"");
        if (!enabled) return call.Done(E_POINTER);
        TK_LIVE();
        *enabled = device->accelerationOn;
        return call.Done(S_OK);
    }
    STDMETHODIMP SetValue(LONG value) override
    {
        TK_SERVICE_CALL("IDeviceSwitches.SetValue", Args(L"%ld", value));
        TK_LIVE();
        if (value < 1 || value > 10) return call.Done(E_INVALIDARG);
        device->acceleration = value;
        Changed();
        return call.Done(S_OK);
    }
    STDMETHODIMP GetValue(LONG* value) override
    {
        TK_SERVICE_CALL("IDeviceSwitches.GetValue", L"");
        if (!value) return call.Done(E_POINTER);
        TK_LIVE();
        *value = device->acceleration;
        return call.Done(S_OK);
    }

private:
    HRESULT Switch(const char* op, bool on)
    {
        TK_SERVICE_CALL(op, L"");
        TK_LIVE();
        device->accelerationOn = on;
        Changed();
        return call.Done(S_OK);
    }
};

class CPowerStatus : public ComObject<IPowerStatus>, DeviceBound {
public:
    using DeviceBound::DeviceBound;
    STDMETHODIMP GetLevel(LONG* level) override
    {
        // The value passed in is the caller's scaled guess; the device's own
        // reading replaces it.
        TK_SERVICE_CALL("IPowerStatus.GetLevel", L"");
        if (!level) return call.Done(E_POINTER);
        TK_LIVE();
        *level = device->batteryLevel;
        return call.Done(S_OK);
    }
    STDMETHODIMP GetState(LONG* state) override
    {
        TK_SERVICE_CALL("IPowerStatus.GetState", L"");
        if (!state) return call.Done(E_POINTER);
        TK_LIVE();
        *state = device->batteryState;
        return call.Done(S_OK);
    }
};

class CPowerSettings : public ComObject<IPowerSettings>, DeviceBound {
public:
    using DeviceBound::DeviceBound;
    STDMETHODIMP GetWarningLevel(LONG* v) override { return Get("IPowerSettings.GetWarningLevel", &DeviceState::warningLevel, v); }
    STDMETHODIMP SetWarningLevel(LONG v) override { return Put("IPowerSettings.SetWarningLevel", &DeviceState::warningLevel, v, 100); }
    STDMETHODIMP GetReducedBrightness(LONG* v) override { return Get("IPowerSettings.GetReducedBrightness", &DeviceState::reducedBrightness, v); }
    STDMETHODIMP SetReducedBrightness(LONG v) override { return Put("IPowerSettings.SetReducedBrightness", &DeviceState::reducedBrightness, v, 100); }
    STDMETHODIMP GetIdleSeconds(LONG* v) override { return Get("IPowerSettings.GetIdleSeconds", &DeviceState::idleSeconds, v); }
    STDMETHODIMP SetIdleSeconds(LONG v) override { return Put("IPowerSettings.SetIdleSeconds", &DeviceState::idleSeconds, v, 86400); }

private:
    HRESULT Get(const char* op, LONG DeviceState::*field, LONG* v)
    {
        TK_SERVICE_CALL(op, L"");
        if (!v) return call.Done(E_POINTER);
        TK_LIVE();
        *v = device->*field;
        return call.Done(S_OK);
    }
    HRESULT Put(const char* op, LONG DeviceState::*field, LONG v, LONG maximum)
    {
        TK_SERVICE_CALL(op, Args(L"%ld", v));
        TK_LIVE();
        if (v < 0 || v > maximum) return call.Done(E_INVALIDARG);
        device->*field = v;
        Changed();
        return call.Done(S_OK);
    }
};

class CMacroRecordLed : public ComObject<IMacroRecordLed>, DeviceBound {
public:
    using DeviceBound::DeviceBound;
    STDMETHODIMP Reserved3() override { return E_NOTIMPL; }
    STDMETHODIMP SetMode(ULONG mode) override
    {
        TK_SERVICE_CALL("IMacroRecordLed.SetMode", Args(L"%lu", mode));
        TK_LIVE();
        if (mode != 1 && mode != 2) return call.Done(E_INVALIDARG);
        device->recordLedMode = mode;
        Changed();
        return call.Done(S_OK);
    }
};

class CMacroRecorder : public ComObject<IMacroRecorder, IConnectionPointContainer>, DeviceBound {
public:
    using DeviceBound::DeviceBound;
    STDMETHODIMP Reserved3() override { return E_NOTIMPL; }
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** out) override
    {
        if (out) *out = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** out) override
    {
        return FindEventPoint(this, iid, __uuidof(_IOTFMacroRecordingEvents), EventKind::Recording,
                              device_, out);
    }
};

class CButtonAction : public ComObject<IButtonAction>, DeviceBound {
public:
    CButtonAction(DeviceRef device, const GUID& id) : DeviceBound(device), id_(id) {}
    STDMETHODIMP GetId(GUID* id) override
    {
        TK_SERVICE_CALL("IButtonAction.GetId", L"");
        if (!id) return call.Done(E_POINTER);
        TK_LIVE();
        *id = id_;
        return call.Done(S_OK);
    }
    STDMETHODIMP Reserved4() override { return E_NOTIMPL; }
    STDMETHODIMP Reserved5() override { return E_NOTIMPL; }
    STDMETHODIMP SetPath(LPCWSTR path) override
    {
        TK_SERVICE_CALL("IButtonAction.SetPath", path ? Args(L"\"%.300ls\"", path) : L"null");
        if (!path) return call.Done(E_POINTER);
        TK_LIVE();
        std::wstring text(path);
        if (text.size() > kMaxPathChars) return call.Done(E_INVALIDARG);
        for (ActionState& a : device->actions) {
            if (IsEqualGUID(a.id, id_)) {
                a.path = text;
                Changed();
                return call.Done(S_OK);
            }
        }
        return call.Done(kErrNotFound);
    }

private:
    GUID id_;
};

class CButtonActions : public ComObject<IButtonActions, IConnectionPointContainer>, DeviceBound {
public:
    using DeviceBound::DeviceBound;
    STDMETHODIMP Reserved3() override { return E_NOTIMPL; }
    STDMETHODIMP Reserved4() override { return E_NOTIMPL; }
    STDMETHODIMP Create(IButtonAction** out) override
    {
        TK_SERVICE_CALL("IButtonActions.Create", L"");
        if (!out) return call.Done(E_POINTER);
        *out = nullptr;
        TK_LIVE();
        if (device->actions.size() >= kMaxActions) return call.Done(kErrFull);
        ActionState a;
        a.id = NewGuid();
        device->actions.push_back(a);
        Changed();
        *out = new CButtonAction(device_, a.id);
        return call.Done(S_OK);
    }
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** out) override
    {
        if (out) *out = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** out) override
    {
        return FindEventPoint(this, iid, __uuidof(_IApplicationEvent), EventKind::Launch, device_, out);
    }
};

// ---- The device ------------------------------------------------------

class CDevice : public ComObject<IDevice, IDeviceLink, IUnitVersion, IFeatureSource, IDeviceIdentity>,
                DeviceBound {
public:
    using DeviceBound::DeviceBound;

    STDMETHODIMP GetInfo(DeviceInfo* info) override
    {
        TK_SERVICE_CALL("IDevice.GetInfo", L"");
        if (!info) return call.Done(E_POINTER);
        std::memset(info, 0, sizeof(*info));
        TK_LIVE();
        const ModelInfo* m = FindModel(device->productId);
        info->vendorId = kVendorId;
        info->productId = static_cast<LONG>(device->productId);
        info->versionBMajor = m->versionBMajor;
        info->versionBMinor = m->versionBMinor;
        info->versionAMajor = m->versionAMajor;
        info->versionAMinor = m->versionAMinor;
        info->text = CoTaskText(m->name);
        return call.Done(info->text ? S_OK : E_OUTOFMEMORY);
    }
    // Also IFeatureSource's only method, which does the same.
    STDMETHODIMP GetFeature(REFIID iid, IUnknown** feature) override
    {
        TK_SERVICE_CALL("IDevice.GetFeature", GuidText(iid));
        return call.Done(Feature(iid, feature));
    }

    // IDeviceLink
    STDMETHODIMP Reserved3() override { return E_NOTIMPL; }
    STDMETHODIMP Reserved4() override { return E_NOTIMPL; }
    STDMETHODIMP IsLinked(BYTE* linked) override
    {
        TK_SERVICE_CALL("IDeviceLink.IsLinked", L"");
        if (!linked) return call.Done(E_POINTER);
        TK_LIVE();
        *linked = device->linked ? 1 : 0;
        return call.Done(S_OK);
    }

    // IUnitVersion
    STDMETHODIMP GetVersion(BYTE* major, BYTE* minor, BYTE* r1, BYTE* r2) override
    {
        TK_SERVICE_CALL("IUnitVersion.GetVersion", L"");
        if (!major || !minor || !r1 || !r2) return call.Done(E_POINTER);
        *major = *minor = *r1 = *r2 = 0;
        TK_LIVE();
        // Until the second unit answers, its version reads as 0.00.
        if (static_cast<LONG>(::GetTickCount() - device->unitPresentTick) >= 0) {
            *major = device->unitMajor;
            *minor = device->unitMinor;
        }
        return call.Done(S_OK);
    }

    // IDeviceIdentity
    STDMETHODIMP GetIdentity(ULONG* vendorId, ULONG* productId) override
    {
        TK_SERVICE_CALL("IDeviceIdentity.GetIdentity", L"");
        if (!vendorId || !productId) return call.Done(E_POINTER);
        TK_LIVE();
        *vendorId = kVendorId;
        *productId = device->productId;
        return call.Done(S_OK);
    }

private:
    HRESULT Feature(REFIID iid, IUnknown** feature)
    {
        if (!feature) return E_POINTER;
        *feature = nullptr;
        if (!Live()) return kErrNotConnected;
        return CreateDeviceFeature(device_, iid, feature);
    }
};

}  // namespace

HRESULT CreateDeviceFeature(DeviceRef device, REFIID iid, IUnknown** out)
{
    *out = nullptr;
    auto has = [&](int code) { return ModelHas(device.productId, code); };
    if (IsEqualIID(iid, __uuidof(IProfileManager)) && has(kFeatProfiles))
        *out = CreateProfileManager(device);
    else if (IsEqualIID(iid, __uuidof(IMacroManager)) && has(kFeatMacros))
        *out = CreateMacroManager(device);
    else if (IsEqualIID(iid, __uuidof(IReportRate)) && has(kFeatReportRate))
        *out = static_cast<IReportRate*>(new CReportRate(device));
    else if (IsEqualIID(iid, __uuidof(IDeviceSwitches)) && has(kFeatAcceleration))
        *out = static_cast<IDeviceSwitches*>(new CDeviceSwitches(device));
    else if (IsEqualIID(iid, __uuidof(IPowerStatus)) && has(kFeatPowerStatus))
        *out = static_cast<IPowerStatus*>(new CPowerStatus(device));
    else if (IsEqualIID(iid, __uuidof(IPowerSettings)) && has(kFeatPowerSettings))
        *out = static_cast<IPowerSettings*>(new CPowerSettings(device));
    else if (IsEqualIID(iid, __uuidof(IButtonActions)))
        *out = static_cast<IButtonActions*>(new CButtonActions(device));
    else if (IsEqualIID(iid, __uuidof(IMacroRecorder)))
        *out = static_cast<IMacroRecorder*>(new CMacroRecorder(device));
    else if (IsEqualIID(iid, __uuidof(IMacroRecordLed)))
        *out = static_cast<IMacroRecordLed*>(new CMacroRecordLed(device));
    return *out ? S_OK : E_NOINTERFACE;
}

IDevice* CreateDeviceObject(DeviceRef device)
{
    return new CDevice(device);
}

wchar_t* CoTaskText(const std::wstring& text)
{
    size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    auto* out = static_cast<wchar_t*>(::CoTaskMemAlloc(bytes));
    if (out) std::memcpy(out, text.c_str(), bytes);
    return out;
}

// ---- The collection ----------------------------------------------------

namespace {

class CDeviceCollection : public ComObject<IDeviceCollection> {
public:
    STDMETHODIMP Item(LONG index, IDevice** out) override
    {
        TK_SERVICE_CALL("IDeviceCollection.Item", Args(L"%ld", index));
        if (!out) return call.Done(E_POINTER);
        *out = nullptr;
        LONG seen = 0;
        for (DeviceState& d : ServiceCore::Instance().Devices()) {
            if (!d.attached) continue;
            if (seen++ == index) {
                *out = CreateDeviceObject(ServiceCore::Instance().RefOf(d));
                return call.Done(S_OK);
            }
        }
        return call.Done(kErrNoMoreItems);
    }

private:
    bool OtherInterface(REFIID iid, void** out) override
    {
        // The control interface is an object of its own, made per request.
        if (!IsEqualIID(iid, __uuidof(IServiceControl))) return false;
        *out = CreateServiceControl();
        return true;
    }
};

}  // namespace

IDeviceCollection* CreateDeviceCollection()
{
    return new CDeviceCollection;
}

}  // namespace tkservice
