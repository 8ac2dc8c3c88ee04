// The device-interface class each program asks the system to tell it of
// (RegisterDeviceNotification): the configurator the HID class, the tray
// program the mouse class. The programs register with these, and the device
// service's stand-in for the system's notices builds its table from them,
// so each program hears of exactly the class it registered for.
#pragma once
#include <windows.h>

namespace tknotices {

inline constexpr GUID kHidInterfaceClass = {
    0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};
inline constexpr GUID kMouseInterfaceClass = {
    0x378DE44C, 0x56EF, 0x11D1, {0xBC, 0x8C, 0x00, 0xA0, 0xC9, 0x14, 0x05, 0xDD}};

struct ProgramNotices {
    const wchar_t* program;  // the program's file name
    const GUID* interfaceClass;
};
inline constexpr ProgramNotices kConfiguratorNotices = {L"TanduKovuConfig.exe", &kHidInterfaceClass};
inline constexpr ProgramNotices kTrayNotices = {L"TanduKovuSysTray.exe", &kMouseInterfaceClass};

}  // namespace tknotices
