// The fixed code tables between the configuration and the device: function
// templates by configuration function type, the button code table and the
// macro mouse-event codes. Built once, read-only afterwards.
#pragma once
#include <cstdint>
#include <map>
#include "AssignmentValue.h"

class FunctionCodeMaps {
public:
    // The one process-wide instance; built on first use (thread-safe static
    // initialisation), so the worker thread may read it as well.
    static const FunctionCodeMaps& Get();

    // Template value for a configuration function type; null when the type
    // has no device function.
    const AssignmentValue* Template(int configType) const;
    // Templates ordered by configuration type (the read direction walks it).
    const std::map<int, AssignmentValue>& Templates() const { return m_templates; }

    // Button code 1-25 of the profile's button map <-> the device.
    static uint32_t SupportedBit(int buttonCode);
    static uint32_t DeviceButtonId(int buttonCode);
    // Button code of a device button id; 0 when none.
    static int ButtonCodeFromDeviceId(uint32_t deviceId);

    // Macro mouse events {button, flags} <-> device mouse codes; 0 / false
    // when there is no such code.
    static uint16_t DeviceMouseCode(int button, uint32_t flags);
    static bool MouseEventFromCode(uint16_t code, int& button, uint32_t& flags);

    // Lighting zone id 1-11 -> zone index 0-10; -1 for any other id.
    static int ZoneIndexFromId(uint32_t id) { return (id >= 1 && id <= 11) ? (int)id - 1 : -1; }

private:
    FunctionCodeMaps();
    std::map<int, AssignmentValue> m_templates;
};
