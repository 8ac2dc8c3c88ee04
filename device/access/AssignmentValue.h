// The 32-byte assignment record the device service exchanges for one button
// or key is the service interface's own AssignmentValue. Its parameter bytes
// hold little-endian fields at fixed offsets of the whole value, so they are
// read and written through these offset accessors, never through a packed
// struct.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include "DeviceService.h"

static_assert(sizeof(AssignmentValue) == 32, "the device exchanges 32-byte values");
static_assert(offsetof(AssignmentValue, params) == 12, "parameters start at byte 12");

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

inline AssignmentValue ZeroAssignmentValue()
{
    AssignmentValue v;
    memset(&v, 0, sizeof(v));
    return v;
}

// Access by offset within the whole 32-byte value; only the parameter bytes
// (12 to 31) are reachable, anything else reads 0 and writes nothing.
inline bool ValueFieldFits(size_t offset, size_t width)
{
    return offset >= offsetof(AssignmentValue, params) && offset + width <= sizeof(AssignmentValue);
}
inline uint32_t ValueU32At(const AssignmentValue& v, size_t offset)
{
    uint32_t x = 0;
    if (ValueFieldFits(offset, 4))
        memcpy(&x, v.params + (offset - 12), 4);
    return x;
}
inline uint16_t ValueU16At(const AssignmentValue& v, size_t offset)
{
    uint16_t x = 0;
    if (ValueFieldFits(offset, 2))
        memcpy(&x, v.params + (offset - 12), 2);
    return x;
}
inline uint8_t ValueByteAt(const AssignmentValue& v, size_t offset)
{
    return ValueFieldFits(offset, 1) ? v.params[offset - 12] : 0;
}
inline void SetValueU32At(AssignmentValue& v, size_t offset, uint32_t x)
{
    if (ValueFieldFits(offset, 4))
        memcpy(v.params + (offset - 12), &x, 4);
}
inline void SetValueU16At(AssignmentValue& v, size_t offset, uint16_t x)
{
    if (ValueFieldFits(offset, 2))
        memcpy(v.params + (offset - 12), &x, 2);
}
inline void SetValueByteAt(AssignmentValue& v, size_t offset, uint8_t x)
{
    if (ValueFieldFits(offset, 1))
        v.params[offset - 12] = x;
}
