// The configuration's places under the program folder: the save folder
// (save\) and the INI file in it that records the active profile's name.
#pragma once
#include <string>
#include <vector>

// Builds the process-wide INI path and save folder from a folder that ends
// with a backslash. When a path would not fit its 260-character buffer both
// stay empty and the result is false.
bool BuildConfigStoragePaths(const wchar_t* programFolder);
// The folder of the running executable, with a trailing backslash.
std::wstring ExecutableFolder();

const wchar_t* ConfigIniPath();     // <program folder>save\Vesk.qvc
const wchar_t* ConfigSaveFolder();  // <program folder>save\ (with the backslash)

// Names (without folder and extension, at most 255 characters) of the files
// of folder whose extension is ext, in the order the search returns them.
std::vector<std::wstring> FindProfileFiles(const wchar_t* folder, const wchar_t* ext);

// ActiveProfileName of section SETTINGS; empty when the file, key or path
// is missing.
std::wstring ReadActiveProfileName(const wchar_t* iniPath);
// Writes it; false when the path is empty or the write fails. A new file is
// started as UTF-16 so that names outside the ANSI code page survive.
bool WriteActiveProfileName(const wchar_t* iniPath, const wchar_t* name);
