// The simulated devices' state as plain data: what the mouse keeps in its
// on-board memory (profiles, macros, device-wide settings) plus what the
// control tool changes (attachment, battery, link). No COM in here.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "DeviceService.h"

namespace tkservice {

constexpr ULONG kVendorId = 0x2F7C;
constexpr ULONG kWirelessMouse = 0x1F;
constexpr ULONG kChargingDock = 0x21;
constexpr ULONG kWiredMouse = 0x15;
constexpr ULONG kQuarelMouse = 0x2E;  // the other cable mouse

constexpr size_t kMaxProfiles = 20;
constexpr size_t kMaxMacros = 64;
constexpr size_t kMaxActions = 64;
constexpr ULONG kMaxMacroEvents = 4096;
constexpr size_t kMaxNameChars = 255;      // profile and macro names
constexpr size_t kMaxLinkedAppChars = 127; // property 0x80000002
constexpr size_t kMaxPathChars = 259;      // launch paths

constexpr ULONG kPropLinkedApp = 0x80000002;
constexpr ULONG kPropFlags = 0x80000003;
constexpr ULONG kLinkedAppBytes = 256;

// Feature codes a model offers (the same numbering callers use).
enum FeatureCode : int {
    kFeatProfiles = 1, kFeatButtons = 2, kFeatKeys = 3, kFeatMacros = 4, kFeatLighting = 5,
    kFeatVersions = 6, kFeatProperties = 7, kFeatDpi = 10, kFeatReportRate = 11,
    kFeatAcceleration = 12, kFeatPowerStatus = 14, kFeatPowerSettings = 15, kFeatUnitVersion = 16,
};

struct ZoneState {
    ULONG id = 0;       // 1-based zone id
    bool on = true;
    ULONG colour = 0;   // COLORREF
    ULONG level = 100;  // 0..100
    ULONG effect = 0;
    ULONG value1 = 0;
    ULONG value2 = 0;
};

struct ProfileState {
    GUID id{};
    std::wstring name;
    std::wstring linkedApp;
    USHORT flags = 0;               // bit 0 app link, bit 1 DPI OSD, bit 2 profile OSD
    std::vector<DpiStage> stages;
    ULONG currentStage = 1;         // 1-based
    ULONG dpiX = 0, dpiY = 0;
    std::vector<AssignmentValue> buttons; // in device button order
    std::vector<AssignmentValue> keys;    // in key-list order
    std::vector<ZoneState> zones;
    bool removed = false;           // objects still held by clients see this
};

struct MacroState {
    GUID id{};
    std::wstring name;
    std::vector<MacroDeviceEvent> events;
    bool removed = false;
};

struct ActionState {
    GUID id{};
    std::wstring path;
};

using ProfilePtr = std::shared_ptr<ProfileState>;
using MacroPtr = std::shared_ptr<MacroState>;

struct DeviceState {
    ULONG productId = 0;
    bool attached = false;
    // Counts attachments, so objects from before a detach stay dead after
    // the next attach.
    ULONG generation = 1;
    std::vector<ProfilePtr> profiles;
    GUID activeProfile{};
    std::vector<MacroPtr> macros;
    std::vector<ActionState> actions;
    ULONG reportInterval = 2;
    LONG acceleration = 5;
    bool accelerationOn = true;
    LONG batteryLevel = 80;
    LONG batteryState = 0;          // 0 on battery, 1 charging, 2 on the cable
    LONG warningLevel = 20;
    LONG reducedBrightness = 50;
    LONG idleSeconds = 300;
    bool linked = true;
    BYTE unitMajor = 0, unitMinor = 0;
    DWORD unitPresentTick = 0;      // GetTickCount from which the unit answers
    ULONG recordLedMode = 1;
};

// One known model: product id, feature codes, name, the versions its
// device record gives and what its second unit answers by default (0.00
// for a model without one).
struct ModelInfo {
    ULONG productId;
    const wchar_t* name;
    std::vector<int> features;
    LONG versionAMajor, versionAMinor, versionBMajor, versionBMinor;
    BYTE unitMajor, unitMinor;
};

const std::vector<ModelInfo>& Models();
const ModelInfo* FindModel(ULONG productId);
bool ModelHas(ULONG productId, int feature);

// The DPI range and stage capacity of every model.
constexpr ULONG kDpiMin = 100, kDpiMax = 5600, kDpiStep = 100, kStageCapacity = 5;
// Supported report rates (Hz) and the polling intervals (ms) the device takes.
const std::vector<ULONG>& SupportedRates();
bool IsValidInterval(ULONG interval);

// The buttons the mouse has: device button ids, their supported bits and
// their default functions.
struct ButtonDefault {
    ULONG deviceId;
    ULONG bit;
    ULONG functionType;
    ULONG mouseFunction;
};
const std::vector<ButtonDefault>& Buttons();

// The thumb-grid keys: key id (name hash) and default set-1 scan code.
struct KeyDefault {
    const wchar_t* name;
    ULONG keyId;
    USHORT scanCode;
};
const std::vector<KeyDefault>& ThumbKeys();

// DJB2 over UTF-16 code units: the key id of a key name.
ULONG KeyNameHash(const wchar_t* name);

// Default contents.
AssignmentValue DefaultButtonValue(const ButtonDefault& b);
AssignmentValue DefaultKeyValue(const KeyDefault& k);
ProfilePtr DefaultProfile(const GUID& id, const std::wstring& name);
DeviceState DefaultDevice(ULONG productId);

// Lookups.
ProfilePtr FindProfile(const DeviceState& d, const GUID& id);
MacroPtr FindMacro(const DeviceState& d, const GUID& id);
int ProfileIndex(const DeviceState& d, const GUID& id);

GUID NewGuid();
GUID GuidFromWords(ULONG a, ULONG b, ULONG c, ULONG d);
std::wstring GuidText(const GUID& g);

}  // namespace tkservice
