// The layout of a Windows bitmap file, checked before anything is decoded:
// sane header sizes and dimensions, and a file at least as long as the
// palette and the pixels its headers promise. Plain functions over bytes,
// so every malformed case is testable without a window.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

// The largest width and height a skin picture may have.
const int kMaxBmpSide = 32767;

struct BmpLayout {
    size_t infoOffset = 0;   // the info header (after the 14-byte file header)
    size_t infoSize = 0;     // 12 (core header) or 40 and more
    size_t pixelOffset = 0;  // bfOffBits
    size_t pixelBytes = 0;   // what the pixels take from pixelOffset
    int width = 0;
    int height = 0;          // as stored: negative for top-down rows
    int bitCount = 0;
    DWORD compression = BI_RGB;
    int colours = 0;         // palette entries
};

// True when `data` (size bytes) starts with "BM".
bool LooksLikeBmp(const uint8_t* data, size_t size);
// Checks a whole .bmp file held in memory; fills `out` when it is sound.
bool CheckBmp(const uint8_t* data, size_t size, BmpLayout& out);
// A DIB section holding the checked file's picture at its own bit depth;
// null when it cannot be made.
HBITMAP CreateBmpSection(const uint8_t* data, const BmpLayout& layout);
