// CMouse::ReadAll: rebuilds the configuration's profile list from the device
// and learns what the device supports (buttons, keys, report rates).
#include "Mouse.h"

#include "AssignmentValues.h"
#include "CoTaskMem.h"
#include "FeatureStepSupport.h"
#include "FunctionCodeMaps.h"
#include "TransferPlan.h"

using namespace featuresteps;

namespace {

// Bounds on the sizes the service reports.
const ULONG kMaxKeys = 1024;
const ULONG kMaxRates = 64;
// Button bits the device can report, 0x1 up to 0x400000.
const int kButtonBitCount = 23;

}  // namespace

bool CMouse::ReadAll(IMouseConfig* config)
{
    // The code tables are built once; here, before any worker reads them.
    FunctionCodeMaps::Get();
    if (!config || !m_model || !ConnectDevice())
        return false;
    m_buttonBits.clear();
    m_keyIds.clear();
    m_reportRates.clear();

    bool ok = true;
    if (m_model->HasFeature(kCodeVersions))
        ok = ReadVersions();

    ComPtr<IProfile> active;
    if (m_model->HasFeature(kCodeProfiles)) {
        config->ClearProfiles();
        ok = ok && ReadProfileList(*config);
        // The supported buttons and the key list are asked of the active
        // device profile.
        ComPtr<IProfileManager> profiles = DeviceFeature<IProfileManager>(Device());
        if (ok) {
            ComPtr<IProfile> current;
            GUID id{};
            ok = profiles && SUCCEEDED(profiles->GetActive(current.Out())) && current &&
                 SUCCEEDED(current->GetId(&id));
            if (ok) {
                active = FindByGuid<IProfile>(profiles.Get(), id);
                ok = static_cast<bool>(active);
            }
        }
    }
    if (m_model->HasFeature(kCodeButtons))
        ok = active && ReadSupportedButtons(active.Get()) && ok;
    if (m_model->HasFeature(kCodeKeys))
        ok = active && ReadKeyIds(active.Get()) && ok;
    if (m_model->HasFeature(kCodeAcceleration))
        config->SetAccelerationRange(1, 10);
    if (m_model->HasFeature(kCodeReportRate))
        ok = ReadReportRates(*config) && ok;
    if (m_model->HasFeature(kCodePowerStatus))
        config->ResetBatteryLevelRange();

    ok = ok && Device() != nullptr;
    DisconnectDevice();
    return ok;
}

bool CMouse::ReadVersions()
{
    DeviceInfo info = {};
    bool ok = SUCCEEDED(Device()->GetInfo(&info));
    if (ok) {
        ::CoTaskMemFree(info.text);
        m_versionA = FormatVersion(info.versionAMajor, info.versionAMinor);
        m_versionB = FormatVersion(info.versionBMajor, info.versionBMinor);
    } else {
        m_versionA = m_versionB = L"0.00";
    }
    return ok;
}

bool CMouse::ReadProfileList(IMouseConfig& config)
{
    ComPtr<IProfileManager> profiles = DeviceFeature<IProfileManager>(Device());
    if (!profiles)
        return false;
    const bool withRange = m_model->HasFeature(kCodeSensitivity);
    bool ok = true;
    for (LONG i = 0; ok && i < kMaxServiceItems; ++i) {
        ComPtr<IProfile> device;
        if (FAILED(profiles->Item(i, device.Out())) || !device)
            break;
        std::wstring name;
        GUID id{};
        if (!ReadProfileName(device.Get(), name) || FAILED(device->GetId(&id))) {
            ok = false;
            break;
        }
        IMouseProfile* profile = config.NewProfile(name.c_str());
        if (!profile) {
            ok = false;
            break;
        }
        ULONG w[4];
        GuidWords(id, w);
        profile->SetGuid(w[0], w[1], w[2], w[3]);
        if (withRange)
            ok = ReadStageLimits(device.Get(), config, config.FindProfileByGuid(w[0], w[1], w[2], w[3]));
    }
    return ok;
}

bool CMouse::ReadSupportedButtons(IProfile* profile)
{
    ComPtr<IButtonAssignments> buttons = ProfileFeature<IButtonAssignments>(profile);
    ButtonSupport support = {};
    if (!buttons || FAILED(buttons->GetSupported(&support)))
        return false;
    for (int b = 0; b < kButtonBitCount && m_buttonBits.size() < support.count; ++b) {
        uint32_t bit = 1u << b;
        if (support.bits & bit)
            m_buttonBits.push_back(bit);
    }
    return !m_buttonBits.empty();
}

bool CMouse::ReadKeyIds(IProfile* profile)
{
    ComPtr<IKeyAssignments> keys = ProfileFeature<IKeyAssignments>(profile);
    KeyCount count = {};
    if (!keys || FAILED(keys->GetCount(&count)) || count.count == 0 || count.count > kMaxKeys)
        return false;
    std::vector<AssignmentValue> values(count.count);
    ULONG n = count.count;
    if (FAILED(keys->GetAll(&n, values.data())) || n > count.count)
        return false;
    for (ULONG i = 0; i < n; ++i)
        m_keyIds.push_back(values[i].target);
    return !m_keyIds.empty();
}

bool CMouse::ReadReportRates(IMouseConfig& config)
{
    ComPtr<IReportRate> rate = DeviceFeature<IReportRate>(Device());
    ULONG count = 0;
    CoTaskPtr<ULONG> rates;
    if (!rate || FAILED(rate->GetSupported(&count, rates.Out())))
        return false;
    // The count must fit both our bound and what the service allocated.
    bool ok = count <= kMaxRates && (count == 0 || CoTaskMemSize(rates.Get()) >= count * sizeof(ULONG));
    if (ok)
        for (ULONG i = 0; i < count; ++i)
            m_reportRates.push_back(static_cast<int>(rates.Get()[i]));
    if (ok)
        config.SetPollingRates(m_reportRates);
    return ok;
}
