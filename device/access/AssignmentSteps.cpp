// Button and key assignments of one profile. Before a write, records that
// name a profile, macro or application are turned into references by GUID,
// creating the device object when it has none yet.
#include <algorithm>
#include <vector>

#include "AssignmentValues.h"
#include "FeatureStepSupport.h"
#include "FeatureSteps.h"
#include "FunctionCodeMaps.h"
#include "QvApp.h"

namespace featuresteps {

namespace {

void SetGuidParams(AssignmentRecord& record, int type, const GUID& guid)
{
    record.type = type;
    memset(&record.params, 0, sizeof(record.params));
    ULONG w[4];
    GuidWords(guid, w);
    for (int i = 0; i < 4; ++i)
        record.params.values[i] = w[i];
}

bool ResolveProfile(IDevice* device, IMouseConfig& config, AssignmentRecord& record)
{
    IMouseProfile* target = config.FindProfileByName(record.NameText().c_str());
    if (!target)
        return false;
    GUID guid;
    target->GetGuid(guid);
    if (IsNullGuid(guid)) {
        ComPtr<IProfileManager> profiles = DeviceFeature<IProfileManager>(device);
        if (!EnsureDeviceProfile(profiles.Get(), target))
            return false;
        target->GetGuid(guid);
        if (IsNullGuid(guid))
            return false;
    }
    SetGuidParams(record, kFnProfileByGuid, guid);
    return true;
}

// A macro that already has a GUID resolves to it: a second button naming
// the same new macro finds the GUID the first one gave it.
bool ResolveMacro(IDevice* device, IMouseConfig& config, AssignmentRecord& record)
{
    CMacro* macro = config.FindMacroByName(record.NameText().c_str());
    if (!macro)
        return false;
    if (IsNullGuid(macro->guid)) {
        ComPtr<IMacroManager> macros = DeviceFeature<IMacroManager>(device);
        if (!macros)
            return false;
        CreateDeviceMacro(macros.Get(), *macro);
        if (IsNullGuid(macro->guid))
            return false;
    }
    SetGuidParams(record, kFnMacroByGuid, macro->guid);
    return true;
}

bool RegisterApp(IDevice* device, CQvApp& app)
{
    ComPtr<IButtonActions> actions = DeviceFeature<IButtonActions>(device);
    ComPtr<IButtonAction> action;
    if (!actions || FAILED(actions->Create(action.Out())) || !action)
        return false;
    GUID id;
    if (FAILED(action->GetId(&id)) || IsNullGuid(id))
        return false;
    if (FAILED(action->SetPath(app.name.c_str())))
        return false;
    app.guid = id;
    return true;
}

bool ResolveApp(IDevice* device, IMouseConfig& config, AssignmentRecord& record)
{
    CQvApp* app = config.FindAppByName(record.NameText().c_str());
    if (!app)
        return false;
    if (IsNullGuid(app->guid) && !RegisterApp(device, *app))
        return false;
    SetGuidParams(record, kFnLaunchByGuid, app->guid);
    return true;
}

// Turns a by-name record into its by-GUID form. False when the record names
// something that cannot be resolved: its name bytes must never reach the
// device as a GUID.
bool ResolveByName(IDevice* device, IMouseConfig& config, AssignmentRecord& record)
{
    switch (record.type) {
    case kFnProfileByName:
        return ResolveProfile(device, config, record);
    case kFnMacroByName:
        return ResolveMacro(device, config, record);
    case kFnLaunchByName:
        return ResolveApp(device, config, record);
    default:
        return true;
    }
}

bool IsByName(int type)
{
    return type == kFnProfileByName || type == kFnMacroByName || type == kFnLaunchByName;
}

// Button code of a supported-button bit; 0 when no button has it.
int ButtonCodeFromBit(uint32_t bit)
{
    for (int code = 1; code <= 25; ++code)
        if (FunctionCodeMaps::SupportedBit(code) == bit)
            return code;
    return 0;
}

// The key's default code as a key value carries it: scan code in bits
// 0-15, modifier byte in bits 16-23.
uint32_t DefaultKeyCode(IMouseConfig& config, uint32_t key)
{
    AssignmentRecord def;
    config.GetDefaultKeyRecord(def, key);
    return (uint32_t)def.ScanCode() | ((uint32_t)def.Modifiers() << 16);
}

template <class Itf>
bool SendValues(Itf* assignments, const std::vector<AssignmentValue>& values)
{
    if (!assignments || values.empty())
        return false;
    bool ok = true;
    for (const AssignmentValue& v : values)
        ok = SUCCEEDED(assignments->Set(1, &v)) && ok;
    return ok;
}

// GetAll into room for count values; the count that comes back must fit.
template <class Itf>
bool ReadValues(Itf* assignments, size_t count, std::vector<AssignmentValue>& values)
{
    if (!assignments || count == 0)
        return false;
    values.assign(count, ZeroAssignmentValue());
    ULONG got = (ULONG)count;
    if (FAILED(assignments->GetAll(&got, values.data())) || got > count)
        return false;
    values.resize(got);
    return true;
}

}  // namespace

bool WriteButtons(IDevice* device, IProfile* deviceProfile, IMouseConfig& config,
                  IMouseProfile* profile, const DeviceLists& lists)
{
    if (!profile)
        return false;
    std::vector<int> codes;
    for (uint32_t bit : lists.buttonBits)
        if (int code = ButtonCodeFromBit(bit))
            codes.push_back(code);

    bool ok = true;
    std::vector<AssignmentValue> values;
    for (int code : codes) {
        AssignmentRecord record;
        config.GetButtonAssignment(record, code, profile);
        if (IsByName(record.type)) {
            if (!ResolveByName(device, config, record)) {
                ok = false;  // left as it is on the device
                continue;
            }
            config.SetButtonAssignment(code, record, profile);
        }
        values.push_back(ValueFromRecord(record, FunctionCodeMaps::DeviceButtonId(code)));
    }
    ComPtr<IButtonAssignments> buttons = ProfileFeature<IButtonAssignments>(deviceProfile);
    return SendValues(buttons.Get(), values) && ok;
}

bool ReadButtons(IProfile* device, IMouseConfig& config, IMouseProfile* profile,
                 const DeviceLists& lists)
{
    if (!profile)
        return false;
    ComPtr<IButtonAssignments> buttons = ProfileFeature<IButtonAssignments>(device);
    std::vector<AssignmentValue> values;
    if (!ReadValues(buttons.Get(), lists.buttonBits.size(), values))
        return false;
    for (const AssignmentValue& v : values) {
        int code = FunctionCodeMaps::ButtonCodeFromDeviceId(v.target);
        if (code)
            config.SetButtonAssignment(code, RecordFromValue(v), profile);
    }
    return true;
}

bool WriteKeys(IDevice* device, IProfile* deviceProfile, IMouseConfig& config,
               IMouseProfile* profile, const DeviceLists& lists)
{
    if (!profile)
        return false;
    const bool keysOn = config.GetKeyMode(profile) != 0;
    bool ok = true;
    std::vector<AssignmentValue> values;
    for (uint32_t key : lists.keyIds) {
        AssignmentRecord record;
        config.GetKeyAssignment(record, (int)key, profile);
        if (IsByName(record.type)) {
            if (!ResolveByName(device, config, record)) {
                if (keysOn) {
                    ok = false;
                    continue;
                }
            } else {
                config.SetKeyAssignment((int)key, record, profile);
            }
        }
        if (!keysOn)
            record = AssignmentRecord::OfType(kFnButtonOff);
        if (record.type == kFnDefaultKey) {
            uint32_t def = DefaultKeyCode(config, key);
            if (record.ScanCode() == (uint16_t)(def & 0xFFFF) &&
                record.Modifiers() == (uint8_t)((def >> 16) & 0xFF))
                record.type = kFnSingleKey;
        }
        values.push_back(ValueFromRecord(record, key));
    }
    ComPtr<IKeyAssignments> keys = ProfileFeature<IKeyAssignments>(deviceProfile);
    return SendValues(keys.Get(), values) && ok;
}

int RemapMacroReferences(IMouseConfig& config, const GUID& from, const GUID& to, const DeviceLists& lists)
{
    ULONG w[4];
    GuidWords(from, w);
    auto points = [&](const AssignmentRecord& r) {
        return r.type == kFnMacroByGuid && memcmp(r.params.values, w, sizeof(w)) == 0;
    };
    int changed = 0;
    for (uint32_t i = 0; i < config.GetProfileCount(); ++i) {
        IMouseProfile* profile = config.GetProfile(i);
        if (!profile)
            continue;
        for (uint32_t bit : lists.buttonBits) {
            int code = ButtonCodeFromBit(bit);
            AssignmentRecord record;
            if (code)
                config.GetButtonAssignment(record, code, profile);
            if (code && points(record)) {
                SetGuidParams(record, kFnMacroByGuid, to);
                config.SetButtonAssignment(code, record, profile);
                ++changed;
            }
        }
        for (uint32_t key : lists.keyIds) {
            AssignmentRecord record;
            config.GetKeyAssignment(record, (int)key, profile);
            if (points(record)) {
                SetGuidParams(record, kFnMacroByGuid, to);
                config.SetKeyAssignment((int)key, record, profile);
                ++changed;
            }
        }
    }
    return changed;
}

bool ReadKeys(IProfile* device, IMouseConfig& config, IMouseProfile* profile,
              const DeviceLists& lists)
{
    if (!profile)
        return false;
    ComPtr<IKeyAssignments> keys = ProfileFeature<IKeyAssignments>(device);
    std::vector<AssignmentValue> values;
    if (!ReadValues(keys.Get(), lists.keyIds.size(), values))
        return false;
    std::vector<AssignmentRecord> records;
    for (const AssignmentValue& v : values) {
        // Only the keys the device listed at read-all; anything else would
        // add a key the configuration does not have.
        if (std::find(lists.keyIds.begin(), lists.keyIds.end(), v.target) == lists.keyIds.end())
            continue;
        AssignmentRecord record = RecordFromValue(v);
        MarkDefaultKey(record, DefaultKeyCode(config, v.target));
        config.SetKeyAssignment((int)v.target, record, profile);
        records.push_back(record);
    }
    config.SetKeyMode(KeyModeFromRecords(records), profile);
    return true;
}

}  // namespace featuresteps
