// The headers of the picture files the system's picture loader decodes for
// the skin. That loader makes a picture as large as a file's headers say,
// whatever the file's size: the declared size is read here first, so that a
// small compressed file cannot cost more than the largest picture may (see
// kMaxPictureSide). Plain functions over bytes, testable without a window.
// Windows' loader decodes no PNG, which then loads as a malformed file
// (LoadPictureFile); Wine's does, so a PNG file's size is held here too.
#pragma once
#include <cstddef>
#include <cstdint>

#include "SkinFile.h"

// Whether `data` (size bytes) may go to the system's picture loader:
// SKINFILE_OK for a GIF, JPEG or PNG file whose every declared size fits
// (PictureSizeFits) and whose GIF frames together hold no more pixels than
// the largest picture, SKINFILE_TOO_LARGE for one that declares more.
// Anything else is SKINFILE_MALFORMED: headers cut short or contradicting
// themselves before the size, a GIF image without colours, and every other
// format (icons, cursors and metafiles become pictures the skin cannot use,
// and the loader would take a wrapper of unknown bytes in front of a picture
// it then decodes unchecked).
SkinFileStatus CheckPictureHeader(const uint8_t* data, size_t size);
