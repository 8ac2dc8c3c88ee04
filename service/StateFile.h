// The stand-in's files: the saved device state, ".qvp" profile files and
// ".qvm" macro files. Each is {4-byte magic, u32 version, u32 payload size,
// u32 payload checksum, payload}; a reader refuses anything that does not
// parse completely, so a bad file changes nothing.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ServiceState.h"

namespace tkservice {

// The state file is at version 2 (version 1 held no model 0x2E); profile
// and macro files are at version 1. A reader takes every version up to its
// own.
constexpr ULONG kStateFileVersion = 2;
constexpr ULONG kItemFileVersion = 1;

std::vector<BYTE> EncodeState(const std::vector<DeviceState>& devices);
// A version-1 file loads as it did, with model 0x2E added in its default
// state and the wireless mouse's unit version of then (0.00) made today's
// default.
bool DecodeState(const std::vector<BYTE>& file, std::vector<DeviceState>& devices, std::wstring& error);

std::vector<BYTE> EncodeProfile(const ProfileState& profile);
bool DecodeProfile(const std::vector<BYTE>& file, ProfileState& profile);

std::vector<BYTE> EncodeMacro(const MacroState& macro);
bool DecodeMacro(const std::vector<BYTE>& file, MacroState& macro);

// Whole-file reads and writes; the write goes through a temporary file,
// flushed before it replaces the old one, so a crash never leaves half a
// file. whileOpen runs with the written temporary file still open. A failed
// write leaves the system's error for GetLastError.
enum class FileRead { Ok, Missing, Unreadable, TooLarge };
FileRead ReadWholeFileChecked(const std::wstring& path, std::vector<BYTE>& data, size_t limit = 1 << 22);
// "missing", "unreadable", "too large" ("" for Ok).
const wchar_t* FileReadText(FileRead result);
bool ReadWholeFile(const std::wstring& path, std::vector<BYTE>& data, size_t limit = 1 << 22);
bool WriteWholeFile(const std::wstring& path, const std::vector<BYTE>& data,
                   const std::function<void()>& whileOpen = {});

// Checks shared by the COM objects and the readers.
bool ValidStages(const std::vector<DpiStage>& stages);
bool ValidMacroEvents(const std::vector<MacroDeviceEvent>& events);
bool ValidName(const std::wstring& name);

// The state as readable text (the control tool's dump).
std::wstring DescribeState(const std::vector<DeviceState>& devices);

}  // namespace tkservice
