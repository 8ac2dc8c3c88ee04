// Reading the files a skin refers to: one bounded read for every kind, and
// the reason a file gives nothing, for traces and for tests.
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

// Files over this size are not skin files, whatever their kind.
const long long kMaxSkinFileBytes = 256LL << 20;

enum SkinFileStatus : int {
    SKINFILE_OK = 0,
    SKINFILE_MISSING,     // no such file
    SKINFILE_UNREADABLE,  // there, but it cannot be opened or read
    SKINFILE_TOO_LARGE,   // over kMaxSkinFileBytes
    SKINFILE_EMPTY,       // no bytes
    SKINFILE_MALFORMED,   // its content was refused
};

// "missing", "unreadable", "too large", "empty", "malformed" ("" for OK).
const wchar_t* SkinFileStatusText(int status);

// The file's size without reading it.
SkinFileStatus MeasureSkinFile(const wchar_t* path, long long& size);
// The whole file, when it is there, readable, not empty and within the limit.
SkinFileStatus ReadSkinFile(const wchar_t* path, std::vector<uint8_t>& bytes);
