#include "AssignmentValues.h"

#include <cwchar>

#include "CoTaskMem.h"
#include "FunctionCodeMaps.h"

namespace {

const uint16_t kScanNumLockPause = 0x45;
const uint16_t kVkPause = 0x13;
const uint16_t kVkNumLock = 0x90;
const uint32_t kDevModBits[4] = {0x1000000, 0x2000000, 0x4000000, 0x8000000};

uint32_t Param(const AssignmentRecord& r, int n) { return r.params.values[n - 1]; }
void SetParam(AssignmentRecord& r, int n, uint32_t v) { r.params.values[n - 1] = v; }

void StoreParams(AssignmentValue& v, size_t offset, const AssignmentRecord& r)
{
    for (int n = 1; n <= 4; ++n)
        SetValueU32At(v, offset + 4 * (n - 1), Param(r, n));
}

void LoadParams(AssignmentRecord& r, const AssignmentValue& v, size_t offset)
{
    for (int n = 1; n <= 4; ++n)
        SetParam(r, n, ValueU32At(v, offset + 4 * (n - 1)));
}

// Play modes between record and device: 3 and 4 swap, unknown modes are 0.
// The mapping is its own inverse, so it serves both directions.
int SwapPlayMode(int mode)
{
    switch (mode) {
    case 1: return 1;
    case 2: return 2;
    case 3: return 4;
    case 4: return 3;
    default: return 0;
    }
}

bool TemplateMatches(const AssignmentValue& t, const AssignmentValue& v)
{
    if (t.type != v.type)
        return false;
    switch (v.type) {
    case kDevFnMouse:
    case kDevFnProfile:
    case kDevFnSensitivity:
        return ValueU32At(t, 12) == ValueU32At(v, 12);
    default:
        return true;
    }
}

}  // namespace

AssignmentValue ValueFromRecord(const AssignmentRecord& record, uint32_t target)
{
    const AssignmentValue* t = FunctionCodeMaps::Get().Template(record.type);
    AssignmentValue v = t ? *t : ZeroAssignmentValue();
    v.target = target;
    if (!t)
        return v;
    switch (v.type) {
    case kDevFnRaw:
        StoreParams(v, 12, record);
        break;
    case kDevFnProfile:
        if (ValueU32At(v, 12) == 3)
            StoreParams(v, 16, record);
        break;
    case kDevFnSensitivity:
        if (ValueU32At(v, 12) == 3) {
            // The pages build stage functions with zero parameters; then the
            // template's stage stands, otherwise the record's own stage.
            if (Param(record, 1))
                SetValueU32At(v, 16, Param(record, 1));
        } else if (ValueU32At(v, 12) == 4) {
            SetValueU16At(v, 24, (uint16_t)Param(record, 2));
            SetValueU16At(v, 26, (uint16_t)Param(record, 3));
        }
        break;
    case kDevFnKey: {
        SetValueU16At(v, 12, record.ScanCode());
        uint32_t mods = 0;
        for (int i = 0; i < 4; ++i)
            if (record.Modifiers() & (1u << i))
                mods |= kDevModBits[i];
        if (record.VirtualKey() == kVkPause)
            mods |= kDevModBits[0];
        SetValueU32At(v, 14, mods);
        break;
    }
    case kDevFnMacro:
        StoreParams(v, 12, record);
        SetValueByteAt(v, 28, (uint8_t)SwapPlayMode(record.mode));
        SetValueByteAt(v, 29, (uint8_t)record.count);
        break;
    case kDevFnLaunch:
        StoreParams(v, 12, record);
        break;
    default:
        break;
    }
    return v;
}

AssignmentRecord RecordFromValue(const AssignmentValue& value)
{
    AssignmentRecord r = AssignmentRecord::Empty();
    for (const auto& entry : FunctionCodeMaps::Get().Templates())
        if (TemplateMatches(entry.second, value)) {
            r.type = entry.first;
            break;
        }
    if (r.type == kFnNone)
        return r;
    switch (value.type) {
    case kDevFnRaw:
        LoadParams(r, value, 12);
        break;
    case kDevFnProfile:
        // The profile's GUID comes back too, or a profile switch would lose
        // its target on every read.
        if (ValueU32At(value, 12) == 3)
            LoadParams(r, value, 16);
        break;
    case kDevFnSensitivity:
        SetParam(r, 1, ValueU32At(value, 16));
        SetParam(r, 2, ValueU16At(value, 24));
        SetParam(r, 3, ValueU16At(value, 26));
        break;
    case kDevFnKey: {
        uint16_t scan = ValueU16At(value, 12);
        uint32_t bits = ValueU32At(value, 14);
        uint8_t mods = 0;
        for (int i = 0; i < 4; ++i)
            if (bits & kDevModBits[i])
                mods |= (uint8_t)(1u << i);
        uint16_t vk = 0;
        if (scan == kScanNumLockPause) {
            // Num Lock and Pause share the scan code; the first modifier bit
            // tells them apart and is no modifier of its own there.
            vk = (bits & kDevModBits[0]) ? kVkPause : kVkNumLock;
            mods &= (uint8_t)~kModExtended;
        }
        r.SetKey(scan, vk, mods);
        break;
    }
    case kDevFnMacro:
        // The GUID, play mode and count come back so the record still names
        // its macro after a read.
        LoadParams(r, value, 12);
        r.mode = SwapPlayMode(ValueByteAt(value, 28));
        r.count = ValueByteAt(value, 29);
        break;
    case kDevFnLaunch:
        LoadParams(r, value, 12);
        break;
    default:
        break;
    }
    return r;
}

bool MarkDefaultKey(AssignmentRecord& record, uint32_t defaultKeyCode)
{
    if (record.type != kFnSingleKey)
        return false;
    if (record.ScanCode() != (uint16_t)(defaultKeyCode & 0xFFFF) ||
        record.Modifiers() != (uint8_t)((defaultKeyCode >> 16) & 0xFF))
        return false;
    record.type = kFnDefaultKey;
    return true;
}

uint8_t KeyModeFromRecords(const std::vector<AssignmentRecord>& keys)
{
    for (const AssignmentRecord& r : keys)
        if (r.type != kFnButtonOff)
            return 1;
    return 0;
}

std::vector<MacroDeviceEvent> DeviceEventsFromMacro(const std::vector<MacroEvent>& events)
{
    std::vector<MacroDeviceEvent> out;
    out.reserve(events.size());
    for (const MacroEvent& e : events) {
        MacroDeviceEvent d = {0, 0};
        switch (e.kind) {
        case MacroEvent::kKey: {
            uint32_t scan = (uint32_t)e.value & 0xFFFF;
            uint32_t vk = ((uint32_t)e.value >> 16) & 0xFFFF;
            uint32_t flags = 0;
            if ((e.flags & 0xFF) != MacroEvent::kPress)
                flags |= kDevKeyRelease;
            if ((e.flags & MacroEvent::kExtended) || vk == kVkPause)
                flags |= kDevKeyExtended;
            d = {kDevMacroKey, scan | (flags << 16)};
            break;
        }
        case MacroEvent::kMouseButton:
            d = {kDevMacroMouse, FunctionCodeMaps::DeviceMouseCode(e.value, e.flags)};
            break;
        case MacroEvent::kDelay:
            d = {kDevMacroDelay, (uint32_t)e.value};
            break;
        default:
            continue;
        }
        out.push_back(d);
    }
    return out;
}

MacroBlock* NewMacroBlock(const std::vector<MacroEvent>& events)
{
    std::vector<MacroDeviceEvent> out = DeviceEventsFromMacro(events);
    // The service reads count events after the header; the spare 8 bytes
    // keep even an empty block as large as the declared struct.
    size_t bytes = out.size() * sizeof(MacroDeviceEvent) + 16;
    auto* block = static_cast<MacroBlock*>(CoTaskMemAlloc(bytes));
    if (!block)
        return nullptr;
    memset(block, 0, bytes);
    block->reserved = 0;
    block->count = (ULONG)out.size();
    if (!out.empty())
        memcpy(block->events, out.data(), out.size() * sizeof(MacroDeviceEvent));
    return block;
}

bool MacroEventsFromBlock(CMacro& macro, const void* block, size_t size)
{
    const size_t header = offsetof(MacroBlock, events);
    if (!block || size < header)
        return false;
    const uint8_t* bytes = static_cast<const uint8_t*>(block);
    uint32_t count;
    memcpy(&count, bytes + offsetof(MacroBlock, count), 4);
    if (count > (size - header) / sizeof(MacroDeviceEvent))
        return false;
    std::vector<MacroEvent> events;
    events.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        MacroDeviceEvent d;
        memcpy(&d, bytes + header + i * sizeof(d), sizeof(d));
        MacroEvent e = {0, 0, 0};
        if (d.kind == kDevMacroMouse) {
            int button;
            uint32_t flags;
            if (!FunctionCodeMaps::MouseEventFromCode((uint16_t)(d.data & 0xFFFF), button, flags))
                continue;
            e = {MacroEvent::kMouseButton, button, flags};
        } else if (d.kind == kDevMacroKey) {
            uint32_t scan = d.data & 0xFFFF;
            uint32_t devFlags = d.data >> 16;
            uint32_t flags = (devFlags & kDevKeyRelease) ? MacroEvent::kRelease : MacroEvent::kPress;
            uint32_t vk = 0;
            if (scan == kScanNumLockPause)
                vk = (devFlags & kDevKeyExtended) ? kVkPause : kVkNumLock;
            else if (devFlags & kDevKeyExtended)
                flags |= MacroEvent::kExtended;
            e = {MacroEvent::kKey, (int)(scan | (vk << 16)), flags};
        } else if (d.kind == kDevMacroDelay) {
            e = {MacroEvent::kDelay, (int)d.data, 0};
        } else {
            continue;
        }
        events.push_back(e);
    }
    macro.events.swap(events);
    return !macro.events.empty();
}

bool ReadMacroTaskBlock(CMacro& macro, const MacroBlock* block)
{
    if (!block)
        return false;
    // The allocation's own size bounds what the count may claim.
    size_t size = CoTaskMemSize(block);
    const size_t header = offsetof(MacroBlock, events);
    if (size < header ||
        block->count > (size - header) / sizeof(MacroDeviceEvent))
        return false;
    MacroEventsFromBlock(macro, block, size);
    return true;
}

std::wstring FormatVersion(int major, int minor)
{
    wchar_t text[32];
    swprintf(text, 32, L"%d.%02d", major, minor);
    return text;
}
