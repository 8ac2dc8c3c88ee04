#include <cwchar>
#include "ServiceState.h"

#include <objbase.h>

#include <cstdio>
#include <cstring>

namespace tkservice {

const std::vector<ModelInfo>& Models()
{
    // Preference order of the callers: wireless mouse, dock, wired mouse,
    // then the other cable mouse. The configurator shows a wireless model's
    // unit version as its firmware: like a real one, each answers one.
    static const std::vector<ModelInfo> models = {
        {kWirelessMouse, L"Tandu Kovu Zent Wireless Mouse",
         {1, 2, 3, 4, 5, 6, 7, 10, 11, 12, 14, 16, 15}, 1, 5, 2, 10, 1, 5},
        {kChargingDock, L"Tandu Kovu Zent Charging Dock",
         {1, 2, 3, 4, 5, 6, 7, 10, 11, 12, 14, 16, 15}, 1, 12, 2, 10, 1, 20},
        {kWiredMouse, L"Tandu Kovu", {1, 2, 3, 4, 5, 6, 7, 10, 11, 12}, 1, 3, 2, 10, 0, 0},
        {kQuarelMouse, L"Tandu Kovu Quarel", {1, 2, 3, 4, 5, 6, 7, 10, 11, 12}, 1, 2, 2, 10, 0, 0},
    };
    return models;
}

const ModelInfo* FindModel(ULONG productId)
{
    for (const ModelInfo& m : Models())
        if (m.productId == productId) return &m;
    return nullptr;
}

bool ModelHas(ULONG productId, int feature)
{
    const ModelInfo* m = FindModel(productId);
    if (!m) return false;
    for (int f : m->features)
        if (f == feature) return true;
    return false;
}

const std::vector<ULONG>& SupportedRates()
{
    static const std::vector<ULONG> rates = {125, 500, 1000};
    return rates;
}

bool IsValidInterval(ULONG interval)
{
    return interval == 1 || interval == 2 || interval == 4 || interval == 8;
}

const std::vector<ButtonDefault>& Buttons()
{
    // Left, right, middle, back, forward, wheel up, wheel down.
    static const std::vector<ButtonDefault> buttons = {
        {1, 0x1, 1, 1}, {2, 0x2, 1, 2}, {3, 0x4, 1, 3}, {4, 0x8, 1, 5},
        {5, 0x10, 1, 4}, {8, 0x80, 1, 6}, {9, 0x100, 1, 7},
    };
    return buttons;
}

ULONG KeyNameHash(const wchar_t* name)
{
    ULONG h = 5381;
    for (; *name; ++name) h = h * 33 + static_cast<unsigned short>(*name);
    return h;
}

// Every keyboard key's name and code, from the one key table the
// configurator's key-definition files are generated from.
struct KeyTableRow { const wchar_t* name; USHORT code; int flag; };
const KeyTableRow kKeyTable[] = {
#include "KeyboardKeyTable.inc"
};

USHORT KeyTableCode(const wchar_t* name)
{
    for (const KeyTableRow& r : kKeyTable)
        if (wcscmp(r.name, name) == 0) return r.code;
    return 0;
}

const std::vector<KeyDefault>& ThumbKeys()
{
    // The twelve thumb keys in the number-row layout, then in the keypad
    // layout; their values are the key table's codes.
    static const wchar_t* const names[] = {
        L"1 !", L"2 @", L"3 #", L"4 $", L"5 %", L"6 ^", L"7 &", L"8 *", L"9 (", L"0 )", L"- _", L"= +",
        L"Keypad 1 End", L"Keypad 2 Down", L"Keypad 3 PageDn", L"Keypad 4 Left", L"Keypad 5",
        L"Keypad 6 Right", L"Keypad 7 Home", L"Keypad 8 Up", L"Keypad 9 PageUp", L"Keypad 0 Insert",
        L"Keypad -", L"Keypad +",
    };
    static const std::vector<KeyDefault> keys = [] {
        std::vector<KeyDefault> v;
        for (const wchar_t* n : names) v.push_back({n, KeyNameHash(n), KeyTableCode(n)});
        return v;
    }();
    return keys;
}

AssignmentValue DefaultButtonValue(const ButtonDefault& b)
{
    AssignmentValue v{};
    v.valid = 1;
    v.target = b.deviceId;
    v.type = b.functionType;
    std::memcpy(v.params, &b.mouseFunction, sizeof(ULONG));
    return v;
}

AssignmentValue DefaultKeyValue(const KeyDefault& k)
{
    AssignmentValue v{};
    v.valid = 1;
    v.target = k.keyId;
    v.type = 5;
    std::memcpy(v.params, &k.scanCode, sizeof(USHORT));
    return v;
}

ProfilePtr DefaultProfile(const GUID& id, const std::wstring& name)
{
    auto p = std::make_shared<ProfileState>();
    p->id = id;
    p->name = name;
    p->flags = 0x6;  // both on-screen displays on, no program link
    for (ULONG s : {800u, 1200u, 1800u, 4000u, 5600u}) p->stages.push_back({s, s});
    p->currentStage = 3;
    p->dpiX = p->dpiY = 1800;
    for (const ButtonDefault& b : Buttons()) p->buttons.push_back(DefaultButtonValue(b));
    for (const KeyDefault& k : ThumbKeys()) p->keys.push_back(DefaultKeyValue(k));
    for (ULONG z : {1u, 4u, 7u}) {
        ZoneState zone;
        zone.id = z;
        zone.colour = 0x000000FF;
        p->zones.push_back(zone);
    }
    return p;
}

DeviceState DefaultDevice(ULONG productId)
{
    DeviceState d;
    d.productId = productId;
    d.attached = productId == kWirelessMouse;
    for (int i = 1; i <= 5; ++i) {
        wchar_t name[32];
        std::swprintf(name, 32, L"Profile %d", i);
        d.profiles.push_back(DefaultProfile(NewGuid(), name));
    }
    d.activeProfile = d.profiles.front()->id;
    if (!ModelHas(productId, kFeatPowerStatus)) d.batteryState = 2;  // a cable mouse
    if (const ModelInfo* m = FindModel(productId)) {
        d.unitMajor = m->unitMajor;
        d.unitMinor = m->unitMinor;
    }
    return d;
}

ProfilePtr FindProfile(const DeviceState& d, const GUID& id)
{
    for (const ProfilePtr& p : d.profiles)
        if (IsEqualGUID(p->id, id)) return p;
    return nullptr;
}

MacroPtr FindMacro(const DeviceState& d, const GUID& id)
{
    for (const MacroPtr& m : d.macros)
        if (IsEqualGUID(m->id, id)) return m;
    return nullptr;
}

int ProfileIndex(const DeviceState& d, const GUID& id)
{
    for (size_t i = 0; i < d.profiles.size(); ++i)
        if (IsEqualGUID(d.profiles[i]->id, id)) return static_cast<int>(i);
    return -1;
}

GUID NewGuid()
{
    static const GUID null{};
    GUID g{};
    // CoCreateGuid does not fail in practice; never hand out the null GUID,
    // which callers read as "no device profile yet".
    while (FAILED(::CoCreateGuid(&g)) || IsEqualGUID(g, null)) {
    }
    return g;
}

GUID GuidFromWords(ULONG a, ULONG b, ULONG c, ULONG d)
{
    ULONG words[4] = {a, b, c, d};
    GUID g;
    static_assert(sizeof(g) == sizeof(words), "a GUID is four 32-bit words");
    std::memcpy(&g, words, sizeof(g));
    return g;
}

std::wstring GuidText(const GUID& g)
{
    wchar_t buf[64];
    ::StringFromGUID2(g, buf, 64);
    return buf;
}

}  // namespace tkservice
