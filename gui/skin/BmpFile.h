// The layout of a Windows bitmap file, checked before anything is decoded:
// sane header sizes and dimensions, and a file at least as long as the
// palette and the pixels its headers promise. Plain functions over bytes,
// so every malformed case is testable without a window.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "SkinFile.h"

// Skin pictures are shown 1:1 in windows no larger than their screen, and
// the largest screens are 8K (7680 x 4320, either way up): a picture wider
// or taller than this can only be a fault, and is refused before it is
// decoded, whatever its file's size (CheckBmp below, CheckPictureHeader for
// the formats the system decodes).
const int kMaxPictureSide = 8192;
// Decoded at 32 bits a pixel, the widest form the mask and cut-out code make
// of a picture, the largest one takes no more than a skin file may: a small
// compressed file cannot cost more memory than a large plain one.
static_assert(4ULL * kMaxPictureSide * kMaxPictureSide <= (unsigned long long)kMaxSkinFileBytes,
              "a picture of the largest size must decode within the skin files' limit");

// Whether a picture of width x height may be decoded.
bool PictureSizeFits(long long width, long long height);

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
// Otherwise `why` (when given) says SKINFILE_TOO_LARGE for a picture whose
// size does not fit (above), SKINFILE_MALFORMED for any other fault.
bool CheckBmp(const uint8_t* data, size_t size, BmpLayout& out, SkinFileStatus* why = nullptr);
// A DIB section holding the checked file's picture at its own bit depth;
// null when it cannot be made.
HBITMAP CreateBmpSection(const uint8_t* data, const BmpLayout& layout);
