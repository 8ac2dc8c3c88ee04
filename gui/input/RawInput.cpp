#include "RawInput.h"

#include <algorithm>
#include <cstddef>

bool RawInputUsageList::Add(uint16_t usage)
{
    if (std::find(m_usages.begin(), m_usages.end(), usage) != m_usages.end()) return false;
    m_usages.push_back(usage);
    return true;
}

bool RawInputUsageList::Register(HWND window)
{
    if (m_registered || m_hasDevices || !window || m_usages.empty()) return false;
    m_devices.clear();
    for (uint16_t usage : m_usages) {
        RAWINPUTDEVICE d{};
        d.usUsagePage = 1;
        d.usUsage = usage;
        // The mouse keeps its legacy messages; other devices lose them so
        // that only the registered window sees the keys.
        d.dwFlags = usage == rawinput::kUsageMouse ? RIDEV_INPUTSINK : RIDEV_INPUTSINK | RIDEV_NOLEGACY;
        d.hwndTarget = window;
        m_devices.push_back(d);
    }
    m_registered = m_register(m_devices.data(), (UINT)m_devices.size(), sizeof(RAWINPUTDEVICE)) != FALSE;
    m_hasDevices = m_registered;
    // A refused registration holds nothing: left in place, its records and
    // usages would refuse every later registration (key capture, macro
    // recording) until the program ends, as no widget holds it to release.
    if (!m_registered) {
        m_devices.clear();
        m_usages.clear();
    }
    return m_registered;
}

void RawInputUsageList::Unregister()
{
    // Only the records actually registered are removed, and only when there
    // are some: the usage list may have grown since.
    if (m_hasDevices && m_registered) {
        for (RAWINPUTDEVICE& d : m_devices) {
            d.dwFlags = RIDEV_REMOVE;
            d.hwndTarget = nullptr;
        }
        m_register(m_devices.data(), (UINT)m_devices.size(), sizeof(RAWINPUTDEVICE));
    }
    m_devices.clear();
    m_hasDevices = false;
    m_usages.clear();
    m_registered = false;
}

RawInputUsageList& TheRawInputUsageList()
{
    static RawInputUsageList list;
    return list;
}

bool AddRawInputUsage(uint16_t usage) { return TheRawInputUsageList().Add(usage); }
bool RegisterRawInput(HWND window) { return TheRawInputUsageList().Register(window); }
void UnregisterRawInput() { TheRawInputUsageList().Unregister(); }

void ReleaseRawInputHeldBy(HWND window)
{
    RawInputUsageList& list = TheRawInputUsageList();
    if (window && list.IsRegistered() && list.Target() == window) list.Unregister();
}

bool ReadRawKeyboard(HRAWINPUT input, RAWKEYBOARD& out)
{
    UINT size = 0;
    if (::GetRawInputData(input, RID_INPUT, nullptr, &size, sizeof(RAWINPUTHEADER)) != 0 || size == 0) return false;
    std::vector<BYTE> buffer(size);
    if (::GetRawInputData(input, RID_INPUT, buffer.data(), &size, sizeof(RAWINPUTHEADER)) == (UINT)-1) return false;
    // Only as much as the packet holds is read.
    if (size < offsetof(RAWINPUT, data) + sizeof(RAWKEYBOARD)) return false;
    const RAWINPUT* packet = reinterpret_cast<const RAWINPUT*>(buffer.data());
    if (packet->header.dwType != RIM_TYPEKEYBOARD) return false;
    out = packet->data.keyboard;
    return true;
}

void RawMouseButtonTable::Init()
{
    if (m_filled) return;
    m_filled = true;
    m_map[0x1] = {1, 0x2};
    m_map[0x4] = {2, 0x8};
    m_map[0x10] = {3, 0x20};
    m_map[0x40] = {4, 0x80};
    m_map[0x100] = {5, 0x200};
}

RawMouseButton RawMouseButtonTable::Find(uint16_t downBit) const
{
    auto it = m_map.find(downBit);
    return it == m_map.end() ? RawMouseButton{} : it->second;
}

RawMouseButtonTable& TheRawMouseButtonTable()
{
    static RawMouseButtonTable table;
    return table;
}

void InitRawMouseButtonTable() { TheRawMouseButtonTable().Init(); }
