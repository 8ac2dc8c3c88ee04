#include "NullMouseDefaults.h"

#include <cstring>

#include "KeyboardDef.h"
#include "MouseConfigInterface.h"

const wchar_t* const kNullKeyNames[kNullKeyNameCount] = {
    L"a A", L"b B", L"c C", L"d D", L"e E", L"f F", L"g G", L"h H", L"i I", L"j J", L"k K", L"l L",
    L"m M", L"n N", L"o O", L"p P", L"q Q", L"r R", L"s S", L"t T", L"u U", L"v V", L"w W", L"x X",
    L"y Y", L"z Z", L"1 !", L"2 @", L"3 #", L"4 $", L"5 %", L"6 ^", L"7 &", L"8 *", L"9 (", L"0 )",
    L"Return", L"Escape", L"Backspace", L"Tab", L"Space", L"- _", L"= +", L"[ {", L"] }", L"\\ |",
    L"; :", L"' \"", L"` ~", L", <", L". >", L"/ ?", L"Caps Lock",
    L"F1", L"F2", L"F3", L"F4", L"F5", L"F6", L"F7", L"F8", L"F9", L"F10", L"F11", L"F12",
    L"F23", L"F24", L"Print Screen (Note 1)", L"Scroll Lock", L"Pause", L"Insert (Note 1)",
    L"Home (Note 1)", L"Page Up (Note 1)", L"Delete (Note 1)", L"End (Note 1)",
    L"Page Down (Note 1)", L"Right Arrow (Note 1)", L"Left Arrow (Note 1)",
    L"Down Arrow (Note 1)", L"Up Arrow (Note 1)", L"Num Lock", L"Keypad / (Note 1)",
    L"Keypad *", L"Keypad -", L"Keypad +", L"Keypad Enter", L"Keypad 1 End", L"Keypad 2 Down",
    L"Keypad 3 PageDn", L"Keypad 4 Left", L"Keypad 5", L"Keypad 6 Right", L"Keypad 7 Home",
    L"Keypad 8 Up", L"Keypad 9 PageUp", L"Keypad 0 Insert", L"Keypad . Delete",
    L"Europe 2 (Note 2)", L"App", L"Keypad =", L"Left Control", L"Left Shift", L"Left Alt",
    L"Left GUI", L"Right Control", L"Right Shift", L"Right Alt", L"Right GUI",
};

namespace {

const wchar_t* const kProfileNames[kNullProfileCount] = {
    L"PROFILE01", L"PROFILE02", L"PROFILE03", L"PROFILE04", L"PROFILE05",
    L"PROFILE06", L"PROFILE07", L"PROFILE08", L"PROFILE09", L"PROFILE10",
    L"PROFILE11", L"PROFILE12", L"PROFILE13", L"PROFILE14", L"PROFILE15",
    L"PROFILE16", L"PROFILE17", L"PROFILE18", L"PROFILE19", L"PROFILE20",
};

#define NULL_GUID(d1, d2, b) {d1, d2, d2, {b, b, b, b, b, b, b, b}}
const GUID kProfileGuids[kNullProfileCount] = {
    NULL_GUID(0x00A98AC7, 0x0457, 0x01), NULL_GUID(0x0153158E, 0x08AE, 0x02),
    NULL_GUID(0x01FCA055, 0x0D05, 0x03), NULL_GUID(0x02A62B1C, 0x115C, 0x04),
    NULL_GUID(0x034FB5E3, 0x15B3, 0x05), NULL_GUID(0x03F940AA, 0x1A0A, 0x06),
    NULL_GUID(0x04A2CB71, 0x1E61, 0x07), NULL_GUID(0x054C5638, 0x22B8, 0x08),
    NULL_GUID(0x05F5E0FF, 0x270F, 0x09), NULL_GUID(0x00A98AC7, 0x15B3, 0x05),
    NULL_GUID(0x0153158E, 0x0457, 0x01), NULL_GUID(0x01FCA055, 0x08AE, 0x02),
    NULL_GUID(0x02A62B1C, 0x0D05, 0x03), NULL_GUID(0x034FB5E3, 0x115C, 0x04),
    NULL_GUID(0x03F940AA, 0x15B3, 0x05), NULL_GUID(0x04A2CB71, 0x0457, 0x01),
    NULL_GUID(0x054C5638, 0x08AE, 0x02), NULL_GUID(0x05F5E0FF, 0x0D05, 0x03),
    NULL_GUID(0x00A98AC7, 0x115C, 0x04), NULL_GUID(0x0153158E, 0x15B3, 0x05),
};
#undef NULL_GUID

}  // namespace

const wchar_t* NullProfileName(size_t n)
{
    return (n >= 1 && n <= kNullProfileCount) ? kProfileNames[n - 1] : nullptr;
}

GUID NullProfileGuid(size_t n)
{
    if (n >= 1 && n <= kNullProfileCount)
        return kProfileGuids[n - 1];
    return GUID{};
}

std::vector<uint32_t> NullKeyIds()
{
    std::vector<uint32_t> ids;
    ids.reserve(kNullKeyNameCount);
    for (const wchar_t* name : kNullKeyNames)
        ids.push_back(HashKeyName(name));
    return ids;
}

std::map<int, AssignmentRecord> NullButtonDefaults()
{
    const int defaults[][2] = {{1, kFnClick},    {2, kFnMenu},        {3, kFnUniversalScrolling},
                               {4, kFnBackward}, {5, kFnForward},     {12, kFnScrollUp},
                               {13, kFnScrollDown}};
    std::map<int, AssignmentRecord> buttons;
    for (auto d : defaults)
        buttons[d[0]] = AssignmentRecord::OfType(d[1]);
    return buttons;
}

void FillNullMouseDefaults(IMouseConfig& config, const std::vector<uint32_t>& keyIds,
                           const std::map<int, AssignmentRecord>& buttons)
{
    static const uint32_t kStages[5] = {800, 1200, 1800, 4000, 5600};
    config.ClearProfiles();
    for (size_t n = 1; n <= kNullProfileCount; ++n) {
        IMouseProfile* p = config.NewProfile(NullProfileName(n));
        if (!p)
            continue;
        GUID g = NullProfileGuid(n);
        uint32_t w[4];
        memcpy(w, &g, sizeof(w));
        p->SetGuid(w[0], w[1], w[2], w[3]);
        config.SetStageCapacity(5, p);
        config.SetDpiRange(100, 5600, 100, p);
        config.SetCurrentStage(3, p);
        config.SetStageCount(5, p);
        for (int s = 1; s <= 5; ++s)
            config.SetStageValue(s, kStages[s - 1], p);
        for (uint32_t key : keyIds) {
            AssignmentRecord r;
            config.GetDefaultKeyRecord(r, key);
            config.SetKeyAssignment((int)key, r, p);
        }
        for (const auto& b : buttons)
            config.SetButtonAssignment(b.first, b.second, p);
    }
    config.SetActiveProfile(config.GetProfile(0));
    config.SetAccelerationRange(1, 10);
    config.SetAcceleration(5);
    config.SetAccelerationEnabled(1);
    config.ResetBatteryLevelRange();
    // The power values' defaults, as a restore of defaults gives them.
    config.SetReducedBrightness(33);
    config.SetIdleToSleepSeconds(180);
    config.SetFlashWarningLevel(5);
    config.SetPollingRates({125, 500, 1000});
    config.SetPollingRateIndex(1);
}
