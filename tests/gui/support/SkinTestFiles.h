// Skin files for tests, made by the test code: 24-bit BMP pictures, pages,
// language files, in a program folder of this test process's own (so tests
// running in parallel never share a file).
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// The process's own program folder (with xml\ skins\ fonts\ lang\ bin\),
// made on first use, with trailing backslash.
std::wstring TestProgramFolder();
// Deletes the test folder with everything in it (at the end of the run).
void RemoveTestProgramFolder();
// The real program folder of the build (the tests' working directory).
std::wstring RealProgramFolder();

// Makes the test folder the program folder for a scope.
class ScopedTestProgramFolder {
public:
    ScopedTestProgramFolder();
    ~ScopedTestProgramFolder();
};

bool WriteBytes(const std::wstring& path, const void* data, size_t size);
bool WriteUtf8(const std::wstring& path, const std::string& text);
// A 24-bit bottom-up BMP; pixel(x, y) gives 0x00RRGGBB for the top-down row y.
bool WriteBmp24(const std::wstring& path, int width, int height, const std::function<DWORD(int, int)>& pixel);
// A language file: UTF-16LE, each line ended by CR LF.
bool WriteLangFile(const std::wstring& path, const std::vector<std::wstring>& lines);
std::vector<BYTE> LangFileBytes(const std::vector<std::wstring>& lines);
