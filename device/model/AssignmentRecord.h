// The function assigned to one mouse button or thumb key, as a profile
// stores it. Plain data, copied as a whole block.
#pragma once
#include <cstdint>
#include <cstring>
#include <string>
#include "BoundedText.h"

// Function types: the ids of the button-function keyword table.
enum FunctionType : int {
    kFnNone = -1,
    kFnDefaultKey = 0,
    kFnClick = 1,
    kFnMenu = 2,
    kFnUniversalScrolling = 3,
    kFnDoubleClick = 4,
    kFnSingleKey = 5,
    kFnMacroByGuid = 6,
    kFnMacroByName = 7,
    kFnButtonOff = 8,
    kFnOnTheFlySensitivity = 10,
    kFnStageUp = 13,
    kFnStageDown = 14,
    kFnProfileByGuid = 22,
    kFnProfileByName = 23,
    kFnBackward = 33,
    kFnForward = 34,
    kFnScrollUp = 41,
    kFnScrollDown = 42,
    kFnLaunchByGuid = 63,
    kFnLaunchByName = 64,
    kFnDeviceDefaultKey = 65,
};

// Key modifier bits of a keyboard-key record.
enum : uint8_t {
    kModExtended = 0x01,
    kModAlt = 0x02,
    kModCtrl = 0x04,
    kModShift = 0x08,
};

struct AssignmentRecord {
    static const size_t kNameChars = 260;  // 259 characters and the terminator

    int type;
    union {
        uint8_t bytes[520];
        uint32_t values[130];
        wchar_t name[kNameChars];
    } params;
    int mode;   // macro play mode, 1-4
    int count;  // macro repeat count

    // Type -1 with every other field zero: what a missing entry reads as.
    static AssignmentRecord Empty()
    {
        AssignmentRecord r;
        memset(&r, 0, sizeof(r));
        r.type = kFnNone;
        return r;
    }
    static AssignmentRecord OfType(int type)
    {
        AssignmentRecord r = Empty();
        r.type = type;
        return r;
    }

    // Keyboard-key parameters (types 0 and 5).
    void SetKey(uint16_t scanCode, uint16_t virtualKey, uint8_t modifiers)
    {
        memset(&params, 0, sizeof(params));
        memcpy(params.bytes, &scanCode, 2);
        memcpy(params.bytes + 2, &virtualKey, 2);
        params.bytes[4] = modifiers;
    }
    uint16_t ScanCode() const { uint16_t v; memcpy(&v, params.bytes, 2); return v; }
    uint16_t VirtualKey() const { uint16_t v; memcpy(&v, params.bytes + 2, 2); return v; }
    uint8_t Modifiers() const { return params.bytes[4]; }

    // Name parameters (types 7, 23 and 64): cut to 259 characters.
    void SetName(const wchar_t* text)
    {
        memset(&params, 0, sizeof(params));
        CopyBoundedText(params.name, kNameChars, text);
    }
    // Length of the stored name, never reading past the parameter area.
    size_t NameLength() const { return BoundedTextLength(params.name, kNameChars); }
    std::wstring NameText() const { return std::wstring(params.name, NameLength()); }
};

static_assert(sizeof(AssignmentRecord) == 532, "the record is a fixed 532-byte block");
