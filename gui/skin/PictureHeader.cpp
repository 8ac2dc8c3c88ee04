#include "PictureHeader.h"

#include <cstring>

#include "BmpFile.h"

namespace {

uint32_t Le16(const uint8_t* p) { return (uint32_t)(p[0] | (p[1] << 8)); }
uint32_t Be16(const uint8_t* p) { return (uint32_t)((p[0] << 8) | p[1]); }
uint32_t Be32(const uint8_t* p) { return ((uint32_t)p[0] << 24) | ((uint32_t)p[1] << 16) | ((uint32_t)p[2] << 8) | p[3]; }

SkinFileStatus Judge(long long width, long long height)
{
    return PictureSizeFits(width, height) ? SKINFILE_OK : SKINFILE_TOO_LARGE;
}

// Moves `pos` past a chain of GIF data sub-blocks and its empty last one.
bool SkipSubBlocks(const uint8_t* d, size_t size, size_t& pos)
{
    for (;;) {
        if (pos >= size)
            return false;
        const size_t n = d[pos++];
        if (n == 0)
            return true;
        if (n > size - pos)
            return false;
        pos += n;
    }
}

// The logical screen and every image on it, each with its place: a decoder
// may size its picture by either. The decoder reads every frame of an
// animation, so together they may cost no more than the largest picture.
SkinFileStatus CheckGif(const uint8_t* d, size_t size)
{
    if (size < 13)
        return SKINFILE_MALFORMED;
    // A side of 0 holds no pixels, and costs none.
    auto fits = [](uint32_t w, uint32_t h) { return PictureSizeFits(w ? w : 1, h ? h : 1); };
    if (!fits(Le16(d + 6), Le16(d + 8)))
        return SKINFILE_TOO_LARGE;
    auto colourTable = [](uint8_t flags) { return flags & 0x80 ? (size_t)3 << ((flags & 7) + 1) : 0; };
    const unsigned long long maxArea = (unsigned long long)kMaxPictureSide * kMaxPictureSide;
    unsigned long long area = 0;  // of the images so far
    size_t pos = 13;
    if (colourTable(d[10]) > size - pos)
        return SKINFILE_MALFORMED;
    pos += colourTable(d[10]);
    for (;;) {
        if (pos == size)  // a stream may end without its trailer
            return SKINFILE_OK;
        switch (d[pos]) {
        case 0x3B:  // trailer
            return SKINFILE_OK;
        case 0x21:  // extension: label, then its sub-blocks
            if (size - pos < 2)
                return SKINFILE_MALFORMED;
            pos += 2;
            if (!SkipSubBlocks(d, size, pos))
                return SKINFILE_MALFORMED;
            break;
        case 0x2C: {  // image: left, top, width, height, flags
            if (size - pos < 10)
                return SKINFILE_MALFORMED;
            const uint8_t* image = d + pos;
            if (!fits(Le16(image + 1) + Le16(image + 5), Le16(image + 3) + Le16(image + 7)))
                return SKINFILE_TOO_LARGE;
            area += (unsigned long long)Le16(image + 5) * Le16(image + 7);
            if (area > maxArea)
                return SKINFILE_TOO_LARGE;
            pos += 10;
            const size_t table = colourTable(image[9]);
            // Without its own colours or the screen's an image has none to
            // show, and a decoder may read a palette that is not there.
            if (!table && !colourTable(d[10]))
                return SKINFILE_MALFORMED;
            if (table >= size - pos)  // the table, then the code size
                return SKINFILE_MALFORMED;
            pos += table + 1;
            if (!SkipSubBlocks(d, size, pos))
                return SKINFILE_MALFORMED;
            break;
        }
        default:
            return SKINFILE_MALFORMED;
        }
    }
}

// The first frame header, found by walking the marker segments before it.
SkinFileStatus CheckJpeg(const uint8_t* d, size_t size)
{
    size_t pos = 2;  // after the start of image
    for (;;) {
        if (pos >= size || d[pos] != 0xFF)
            return SKINFILE_MALFORMED;
        while (pos < size && d[pos] == 0xFF)  // fill bytes
            ++pos;
        if (pos >= size)
            return SKINFILE_MALFORMED;
        const uint8_t marker = d[pos++];
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))  // stand alone, no length
            continue;
        // A second start, the end or a scan before any frame: no picture.
        if (marker == 0x00 || marker == 0xD8 || marker == 0xD9 || marker == 0xDA)
            return SKINFILE_MALFORMED;
        if (size - pos < 2)
            return SKINFILE_MALFORMED;
        const size_t length = Be16(d + pos);  // counts itself
        if (length < 2 || length > size - pos)
            return SKINFILE_MALFORMED;
        // C0..CF are frames but for C4 (Huffman tables), C8 (reserved) and
        // CC (arithmetic coding conditions).
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
            if (length < 8)  // precision, height, width, components
                return SKINFILE_MALFORMED;
            const uint32_t height = Be16(d + pos + 3), width = Be16(d + pos + 5);
            // A height of 0 is declared only after the first scan; the
            // decoders refuse it.
            if (!width || !height)
                return SKINFILE_MALFORMED;
            return Judge(width, height);
        }
        pos += length;
    }
}

// The header chunk, first in every PNG file.
SkinFileStatus CheckPng(const uint8_t* d, size_t size)
{
    if (size < 8 + 8 + 13 || Be32(d + 8) != 13 || std::memcmp(d + 12, "IHDR", 4) != 0)
        return SKINFILE_MALFORMED;
    const uint32_t width = Be32(d + 16), height = Be32(d + 20);
    if (!width || !height || width > 0x7FFFFFFFu || height > 0x7FFFFFFFu)
        return SKINFILE_MALFORMED;
    return Judge(width, height);
}

}  // namespace

SkinFileStatus CheckPictureHeader(const uint8_t* data, size_t size)
{
    if (!data)
        return SKINFILE_MALFORMED;
    if (size >= 6 && (std::memcmp(data, "GIF87a", 6) == 0 || std::memcmp(data, "GIF89a", 6) == 0))
        return CheckGif(data, size);
    if (size >= 2 && data[0] == 0xFF && data[1] == 0xD8)
        return CheckJpeg(data, size);
    if (size >= 8 && std::memcmp(data, "\x89PNG\r\n\x1A\n", 8) == 0)
        return CheckPng(data, size);
    return SKINFILE_MALFORMED;
}
