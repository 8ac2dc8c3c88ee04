// Conversions between the configuration's assignment records and macro
// events and the device service's 32-byte values and macro event blocks.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>
#include "AssignmentRecord.h"
#include "AssignmentValue.h"
#include "Macro.h"

// Builds the device value for a record, with the given target (device button
// id or key id). A type without a device function gives an all-zero value
// (valid 0) that still carries the target.
AssignmentValue ValueFromRecord(const AssignmentRecord& record, uint32_t target);

// Reads a device value back into a record; type -1 when no template matches.
AssignmentRecord RecordFromValue(const AssignmentValue& value);

// A device key value equal to the key's own default key code (scan code in
// bits 0-15, modifier byte in bits 16-23) is the key's default: type 5
// becomes type 0. Returns whether the record changed.
bool MarkDefaultKey(AssignmentRecord& record, uint32_t defaultKeyCode);

// The key mode after reading keys: 1 when any key holds a function other
// than "button off", else 0.
uint8_t KeyModeFromRecords(const std::vector<AssignmentRecord>& keys);

// Device macro events (the service's MacroDeviceEvent): kind 1 mouse,
// 2 key, 3 delay.
static_assert(sizeof(MacroDeviceEvent) == 8, "device macro events are 8 bytes");
static_assert(offsetof(MacroBlock, events) == 8, "events follow the {0, count} header");

enum : uint32_t { kDevMacroMouse = 1, kDevMacroKey = 2, kDevMacroDelay = 3 };
enum : uint16_t { kDevKeyRelease = 0x1, kDevKeyExtended = 0x2 };

// The device events for a macro's events; events of an unknown kind are
// left out.
std::vector<MacroDeviceEvent> DeviceEventsFromMacro(const std::vector<MacroEvent>& events);

// The block IMacro::SetEvents takes: {0, count, events}, in CoTaskMem memory
// of count x 8 + 16 bytes that the caller frees with CoTaskMemFree. Null
// when out of memory.
MacroBlock* NewMacroBlock(const std::vector<MacroEvent>& events);

// Replaces the macro's events by those of a device block of size bytes. A
// block that is too short for its header or its count is refused (false)
// and the macro is left as it was; events of unknown kind or mouse code are
// skipped. Returns whether the macro has any event.
bool MacroEventsFromBlock(CMacro& macro, const void* block, size_t size);

// The same for a block IMacro::GetEvents handed out: its count is checked
// against the size of its CoTaskMem allocation before anything is read.
// Returns whether the block was accepted, so an empty macro is not taken
// for a failed read. The block stays the caller's to free.
bool ReadMacroTaskBlock(CMacro& macro, const MacroBlock* block);

// Firmware version text: "%d.%02d".
std::wstring FormatVersion(int major, int minor);
