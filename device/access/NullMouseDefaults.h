// What the configuration holds when no device answers: twenty default
// profiles with fixed names and GUIDs, the keyboard's key ids and the
// default button functions. Used by the null device's read.
#pragma once
#include <windows.h>
#include <cstdint>
#include <map>
#include <vector>
#include "AssignmentRecord.h"

class IMouseConfig;

const size_t kNullKeyNameCount = 108;
const size_t kNullProfileCount = 20;

// The keyboard's key names, in the order their ids are assigned.
extern const wchar_t* const kNullKeyNames[kNullKeyNameCount];

// Profile n (1-20): "PROFILEnn" and its fixed GUID; n out of range gives
// null / the zero GUID.
const wchar_t* NullProfileName(size_t n);
GUID NullProfileGuid(size_t n);

// Key ids (name hashes) of the key-name table, in table order.
std::vector<uint32_t> NullKeyIds();

// Buttons 1-3 click, menu, universal scrolling; 4 back, 5 forward; 12 and
// 13 scroll up and down. Parameters zero.
std::map<int, AssignmentRecord> NullButtonDefaults();

// Replaces the configuration's profiles by the twenty defaults and sets the
// device-wide defaults (acceleration, battery range, polling rates).
void FillNullMouseDefaults(IMouseConfig& config, const std::vector<uint32_t>& keyIds,
                           const std::map<int, AssignmentRecord>& buttons);
