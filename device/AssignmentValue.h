// The 32-byte assignment record the device service exchanges for one button
// or key. Fields are little-endian and sit at fixed offsets, so the record is
// read and written through byte offsets, never through a packed struct.
#pragma once
#include <cstdint>
#include <cstring>

// Device function types of AssignmentValue::type.
enum DeviceFunctionType : uint32_t {
    kDevFnMouse = 1,
    kDevFnRaw = 2,
    kDevFnProfile = 3,
    kDevFnSensitivity = 4,
    kDevFnKey = 5,
    kDevFnType6 = 6,
    kDevFnType7 = 7,
    kDevFnMacro = 8,
    kDevFnLaunch = 9,
};

// Plain record. TODO(service): one definition with the service interface's
// own 32-byte record once that header exists.
struct AssignmentValue {
    uint32_t valid;
    uint32_t target;  // device button id or key id
    uint32_t type;    // DeviceFunctionType
    uint8_t params[20];  // value bytes 12 to 31

    static AssignmentValue Zero()
    {
        AssignmentValue v;
        memset(&v, 0, sizeof(v));
        return v;
    }

    // Access by offset within the whole 32-byte value (12 to 31).
    uint32_t U32At(size_t offset) const
    {
        uint32_t x = 0;
        if (offset >= 12 && offset + 4 <= 32)
            memcpy(&x, params + (offset - 12), 4);
        return x;
    }
    uint16_t U16At(size_t offset) const
    {
        uint16_t x = 0;
        if (offset >= 12 && offset + 2 <= 32)
            memcpy(&x, params + (offset - 12), 2);
        return x;
    }
    uint8_t ByteAt(size_t offset) const
    {
        return (offset >= 12 && offset < 32) ? params[offset - 12] : 0;
    }
    void SetU32At(size_t offset, uint32_t x)
    {
        if (offset >= 12 && offset + 4 <= 32)
            memcpy(params + (offset - 12), &x, 4);
    }
    void SetU16At(size_t offset, uint16_t x)
    {
        if (offset >= 12 && offset + 2 <= 32)
            memcpy(params + (offset - 12), &x, 2);
    }
    void SetByteAt(size_t offset, uint8_t x)
    {
        if (offset >= 12 && offset < 32)
            params[offset - 12] = x;
    }
};
static_assert(sizeof(AssignmentValue) == 32, "the device exchanges 32-byte values");
