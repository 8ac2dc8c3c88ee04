// The one process-wide raw-input registration that key-capture edits and the
// macro recorder share: a widget adds the generic-desktop usages it wants,
// then registers the whole list to its own window. Only one registration is
// in force at a time; the first registering widget wins.
#pragma once
#include <windows.h>

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

namespace rawinput {
constexpr uint16_t kUsageMouse = 2;
constexpr uint16_t kUsageKeyboard = 6;
}

class RawInputUsageList {
public:
    // The system call, replaceable so the bookkeeping can be tested without
    // touching the process's real registration.
    using RegisterFn = BOOL(WINAPI*)(PCRAWINPUTDEVICE, UINT, UINT);

    explicit RawInputUsageList(RegisterFn fn = &::RegisterRawInputDevices) : m_register(fn) {}
    ~RawInputUsageList() { Unregister(); }

    // Appends the usage unless it is already listed; true when appended.
    bool Add(uint16_t usage);
    // Registers every listed usage for `window`. Refused (false, nothing
    // changed) while a registration exists, for a null window or an empty
    // list. When the system refuses it, nothing is held afterwards: no
    // records and no usages, as after Unregister.
    bool Register(HWND window);
    // Removes the registration (when there is one), forgets the records and
    // the usages.
    void Unregister();

    bool IsRegistered() const { return m_registered; }
    HWND Target() const { return m_devices.empty() ? nullptr : m_devices.front().hwndTarget; }
    const std::vector<uint16_t>& Usages() const { return m_usages; }
    const std::vector<RAWINPUTDEVICE>& Devices() const { return m_devices; }
    bool HasDevices() const { return m_hasDevices; }

private:
    RegisterFn m_register;
    std::vector<uint16_t> m_usages;
    std::vector<RAWINPUTDEVICE> m_devices;  // the records of the last Register
    bool m_hasDevices = false;
    bool m_registered = false;
};

// The process's list (unregistered at exit).
RawInputUsageList& TheRawInputUsageList();
bool AddRawInputUsage(uint16_t usage);
bool RegisterRawInput(HWND window);
void UnregisterRawInput();
// Ends the process's registration only when `window` holds it: a widget
// going away must not end another widget's registration.
void ReleaseRawInputHeldBy(HWND window);

// Reads the keyboard part of a WM_INPUT packet; false for a failed read, a
// packet too short to hold one, or another device's packet.
bool ReadRawKeyboard(HRAWINPUT input, RAWKEYBOARD& out);

// Button bits of RAWMOUSE::usButtonFlags: a button-down bit gives the button
// number and its button-up bit.
struct RawMouseButton {
    int button = 0;
    uint16_t upBit = 0;
};

class RawMouseButtonTable {
public:
    // Fills the table once; later calls do nothing.
    void Init();
    // The entry for a down bit; an unknown bit gives {0, 0} and is not added.
    RawMouseButton Find(uint16_t downBit) const;
    size_t Size() const { return m_map.size(); }
    void Clear() { m_map.clear(); m_filled = false; }

private:
    std::map<uint16_t, RawMouseButton> m_map;
    bool m_filled = false;
};

RawMouseButtonTable& TheRawMouseButtonTable();
void InitRawMouseButtonTable();
