#include "FunctionCodeMaps.h"

namespace {

AssignmentValue MakeTemplate(uint32_t deviceType, uint32_t sub = 0)
{
    AssignmentValue v = ZeroAssignmentValue();
    v.valid = 1;
    v.type = deviceType;
    SetValueU32At(v, 12, sub);
    return v;
}

struct ButtonCode {
    int code;
    uint32_t bit;
    uint32_t deviceId;
};

// Codes 6 and 7 cross over on the device (id 7 and 6), as do 12/13 (8/9).
const ButtonCode kButtonCodes[] = {
    {1, 0x1, 1},     {2, 0x2, 2},     {3, 0x4, 3},       {4, 0x8, 4},
    {5, 0x10, 5},    {6, 0x40, 7},    {7, 0x20, 6},      {10, 0x200, 10},
    {11, 0x400, 11}, {12, 0x80, 8},   {13, 0x100, 9},
};

struct MouseCode {
    uint16_t code;
    int button;
    uint32_t flags;
};

// The raw-input mouse button flags: down then up for buttons 1 to 5.
const MouseCode kMouseCodes[] = {
    {0x001, 1, 255}, {0x002, 1, 1}, {0x004, 2, 255}, {0x008, 2, 1},
    {0x010, 3, 255}, {0x020, 3, 1}, {0x040, 4, 255}, {0x080, 4, 1},
    {0x100, 5, 255}, {0x200, 5, 1},
};

}  // namespace

FunctionCodeMaps::FunctionCodeMaps()
{
    m_templates[1] = MakeTemplate(kDevFnMouse, 1);
    m_templates[2] = MakeTemplate(kDevFnMouse, 2);
    m_templates[3] = MakeTemplate(kDevFnMouse, 3);
    m_templates[4] = MakeTemplate(kDevFnMouse, 11);
    m_templates[5] = MakeTemplate(kDevFnKey);
    m_templates[6] = MakeTemplate(kDevFnMacro);
    m_templates[7] = MakeTemplate(kDevFnMacro);
    m_templates[8] = MakeTemplate(kDevFnMouse, 0);
    m_templates[9] = MakeTemplate(kDevFnType6);
    m_templates[10] = MakeTemplate(kDevFnMouse, 8);
    m_templates[13] = MakeTemplate(kDevFnMouse, 9);
    m_templates[14] = MakeTemplate(kDevFnMouse, 10);
    for (int t = 16; t <= 20; ++t) {
        m_templates[t] = MakeTemplate(kDevFnSensitivity, 3);
        SetValueU32At(m_templates[t], 16, (uint32_t)(t - 16));
    }
    m_templates[21] = MakeTemplate(kDevFnSensitivity, 4);
    for (int t : {22, 23, 26, 27, 28, 29, 30})
        m_templates[t] = MakeTemplate(kDevFnProfile, 3);
    m_templates[24] = MakeTemplate(kDevFnProfile, 2);
    m_templates[25] = MakeTemplate(kDevFnProfile, 1);
    m_templates[33] = MakeTemplate(kDevFnMouse, 5);
    m_templates[34] = MakeTemplate(kDevFnMouse, 4);
    m_templates[41] = MakeTemplate(kDevFnMouse, 6);
    m_templates[42] = MakeTemplate(kDevFnMouse, 7);
    m_templates[63] = MakeTemplate(kDevFnLaunch);
}

const FunctionCodeMaps& FunctionCodeMaps::Get()
{
    static const FunctionCodeMaps maps;
    return maps;
}

const AssignmentValue* FunctionCodeMaps::Template(int configType) const
{
    auto it = m_templates.find(configType);
    return it == m_templates.end() ? nullptr : &it->second;
}

uint32_t FunctionCodeMaps::SupportedBit(int buttonCode)
{
    if (buttonCode >= 14 && buttonCode <= 25)
        return 0x800u << (buttonCode - 14);
    for (const ButtonCode& b : kButtonCodes)
        if (b.code == buttonCode)
            return b.bit;
    return 0;
}

uint32_t FunctionCodeMaps::DeviceButtonId(int buttonCode)
{
    if (buttonCode >= 14 && buttonCode <= 25)
        return (uint32_t)(buttonCode - 2);
    for (const ButtonCode& b : kButtonCodes)
        if (b.code == buttonCode)
            return b.deviceId;
    return 0;
}

int FunctionCodeMaps::ButtonCodeFromDeviceId(uint32_t deviceId)
{
    if (deviceId >= 12 && deviceId <= 23)
        return (int)deviceId + 2;
    for (const ButtonCode& b : kButtonCodes)
        if (b.deviceId == deviceId)
            return b.code;
    return 0;
}

uint16_t FunctionCodeMaps::DeviceMouseCode(int button, uint32_t flags)
{
    for (const MouseCode& m : kMouseCodes)
        if (m.button == button && m.flags == flags)
            return m.code;
    return 0;
}

bool FunctionCodeMaps::MouseEventFromCode(uint16_t code, int& button, uint32_t& flags)
{
    for (const MouseCode& m : kMouseCodes)
        if (m.code == code) {
            button = m.button;
            flags = m.flags;
            return true;
        }
    return false;
}
