// Image routines of the skin: window shapes from mask bitmaps, 1:1 cut-outs
// of bitmaps, and decoding picture files. Bitmaps are never stretched.
#pragma once
#include <windows.h>

#include "Gdi.h"
#include "SkinFile.h"

// The region of every horizontal run of pixels that is not pure white; null
// when the bitmap cannot be read. An all-white bitmap gives an empty region.
HRGN CreateRegionFromBitmap(HBITMAP bitmap);

// Replaces target's bitmap with a new one holding the rectangle
// (left, top)-(right, bottom) of source, copied 1:1. False (target emptied)
// for an empty rectangle or a missing source.
bool CopyBitmapRect(HBITMAP source, int left, int top, int right, int bottom, CBitmap& target);

// Decodes a picture file into target, which must be empty: a bitmap file
// after its layout is checked (BmpFile.h), a GIF, JPEG or PNG file through
// the system picture loader after the size its headers declare is
// (PictureHeader.h). False, with the reason in `why`, when the file cannot
// be read or is refused. Windows' loader does not decode PNG (Wine's does):
// there a PNG file is refused as SKINFILE_MALFORMED, and the skin shows its
// element as if the file were missing.
bool LoadPictureFile(const wchar_t* path, CBitmap& target, SkinFileStatus* why = nullptr);
// A bitmap file, checked, as a DIB section at its own depth; null (with the
// reason in `why`) when it cannot be read or is refused.
HBITMAP LoadBmpFile(const wchar_t* path, SkinFileStatus* why = nullptr);

// A 24-bit bottom-up DIB section copy of a bitmap (pictures kept by the
// skin are independent of the loader's objects); null on failure.
HBITMAP CopyBitmapHandle(HBITMAP source);
