#include "BmpFile.h"

#include <cstring>
#include <vector>

namespace {

uint16_t U16(const uint8_t* p) { return (uint16_t)(p[0] | (p[1] << 8)); }
uint32_t U32(const uint8_t* p) { return (uint32_t)p[0] | ((uint32_t)p[1] << 8) | ((uint32_t)p[2] << 16) | ((uint32_t)p[3] << 24); }

const size_t kFileHeader = 14;

bool KnownInfoSize(size_t n) { return n == 12 || n == 40 || n == 52 || n == 56 || n == 108 || n == 124; }

// Expands run-length coded rows (8 or 4 bits a pixel, bottom-up) into a
// plain DIB of that depth. Every read stays inside the `size` bytes given,
// every write inside the picture; a run past an edge is cut there.
void ExpandRle(const uint8_t* in, size_t size, bool four, int width, int height, uint8_t* bits)
{
    const size_t stride = (((size_t)width * (four ? 4 : 8) + 31) / 32) * 4;
    int x = 0, y = 0;
    auto put = [&](int value) {
        if (x < width && y < height) {
            uint8_t* row = bits + (size_t)y * stride;
            if (four) {
                uint8_t& b = row[x / 2];
                b = (x & 1) ? (uint8_t)((b & 0xF0) | (value & 0x0F)) : (uint8_t)((b & 0x0F) | (value << 4));
            } else {
                row[x] = (uint8_t)value;
            }
        }
        ++x;
    };
    size_t i = 0;
    while (i + 1 < size && y < height) {
        const int count = in[i], value = in[i + 1];
        i += 2;
        if (count > 0) {
            for (int n = 0; n < count && x < width; ++n)
                put(four ? ((n & 1) ? value & 0x0F : value >> 4) : value);
        } else if (value == 0) {  // end of line
            x = 0;
            ++y;
        } else if (value == 1) {  // end of picture
            break;
        } else if (value == 2) {  // move by a delta
            if (i + 1 >= size)
                break;
            x += in[i];
            y += in[i + 1];
            i += 2;
        } else {  // `value` pixels as they stand, padded to a word
            const size_t bytes = four ? ((size_t)value + 1) / 2 : (size_t)value;
            if (bytes > size - i)
                break;
            for (int n = 0; n < value; ++n)
                put(four ? ((n & 1) ? in[i + n / 2] & 0x0F : in[i + n / 2] >> 4) : in[i + n]);
            i += (bytes + 1) & ~(size_t)1;
        }
    }
}

}  // namespace

bool LooksLikeBmp(const uint8_t* data, size_t size)
{
    return data && size >= 2 && data[0] == 'B' && data[1] == 'M';
}

bool PictureSizeFits(long long width, long long height)
{
    return width > 0 && height > 0 && width <= kMaxPictureSide && height <= kMaxPictureSide;
}

bool CheckBmp(const uint8_t* data, size_t size, BmpLayout& out, SkinFileStatus* why)
{
    if (why)
        *why = SKINFILE_MALFORMED;
    if (!LooksLikeBmp(data, size) || size < kFileHeader + 12)
        return false;
    BmpLayout l;
    l.infoOffset = kFileHeader;
    l.pixelOffset = U32(data + 10);
    l.infoSize = U32(data + kFileHeader);
    if (!KnownInfoSize(l.infoSize) || kFileHeader + l.infoSize > size)
        return false;
    const uint8_t* info = data + kFileHeader;
    int planes = 0;
    uint32_t used = 0, imageSize = 0;
    size_t entrySize = 4;
    if (l.infoSize == 12) {
        l.width = U16(info + 4);
        l.height = U16(info + 6);
        planes = U16(info + 8);
        l.bitCount = U16(info + 10);
        entrySize = 3;
    } else {
        l.width = (int32_t)U32(info + 4);
        l.height = (int32_t)U32(info + 8);
        planes = U16(info + 12);
        l.bitCount = U16(info + 14);
        l.compression = U32(info + 16);
        imageSize = U32(info + 20);
        used = U32(info + 32);
    }
    const long long rows = l.height < 0 ? -(long long)l.height : l.height;
    if (planes != 1 || l.width <= 0 || rows <= 0)
        return false;
    // Run-length coded pixels take far fewer bytes than they decode to: the
    // size is judged by what the picture becomes, not by the file.
    if (!PictureSizeFits(l.width, rows)) {
        if (why)
            *why = SKINFILE_TOO_LARGE;
        return false;
    }
    switch (l.bitCount) {
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    default: return false;
    }
    switch (l.compression) {
    case BI_RGB: break;
    case BI_RLE8: if (l.bitCount != 8 || l.height < 0) return false; break;
    case BI_RLE4: if (l.bitCount != 4 || l.height < 0) return false; break;
    case BI_BITFIELDS: if (l.bitCount != 16 && l.bitCount != 32) return false; break;
    default: return false;
    }
    // The palette: every entry the pictures may index (at most 256).
    const uint32_t maxColours = l.bitCount <= 8 ? (1u << l.bitCount) : 256u;
    if (used > maxColours)
        return false;
    l.colours = (int)(used ? used : (l.bitCount <= 8 ? maxColours : 0));
    // A 40-byte header keeps BI_BITFIELDS' three masks after it.
    const size_t masks = l.compression == BI_BITFIELDS && l.infoSize == 40 ? 12 : 0;
    const size_t paletteEnd = kFileHeader + l.infoSize + masks + (size_t)l.colours * entrySize;
    if (paletteEnd > size || l.pixelOffset < paletteEnd || l.pixelOffset > size)
        return false;
    // The pixels, as many as the headers promise, all inside the file.
    if (l.compression == BI_RLE8 || l.compression == BI_RLE4) {
        if (imageSize == 0)
            return false;
        l.pixelBytes = imageSize;
    } else {
        const unsigned long long stride = (((unsigned long long)l.width * l.bitCount + 31) / 32) * 4;
        const unsigned long long bytes = stride * (unsigned long long)rows;
        if (bytes > size)
            return false;
        l.pixelBytes = (size_t)bytes;
    }
    if (l.pixelBytes > size - l.pixelOffset)
        return false;
    out = l;
    if (why)
        *why = SKINFILE_OK;
    return true;
}

HBITMAP CreateBmpSection(const uint8_t* data, const BmpLayout& l)
{
    // A BITMAPINFO of our own: the core header is widened, an RLE picture
    // becomes a plain one of its depth; masks and palette follow it.
    std::vector<uint8_t> info(sizeof(BITMAPINFOHEADER) + 3 * sizeof(DWORD) + 256 * sizeof(RGBQUAD), 0);
    auto* h = reinterpret_cast<BITMAPINFOHEADER*>(info.data());
    h->biSize = sizeof(BITMAPINFOHEADER);
    h->biWidth = l.width;
    h->biHeight = l.height;
    h->biPlanes = 1;
    h->biBitCount = (WORD)l.bitCount;
    h->biCompression = l.compression == BI_BITFIELDS ? BI_BITFIELDS : BI_RGB;
    h->biClrUsed = (DWORD)l.colours;
    uint8_t* after = info.data() + sizeof(BITMAPINFOHEADER);
    const uint8_t* src = data + l.infoOffset + l.infoSize;
    if (l.compression == BI_BITFIELDS) {
        // After a 40-byte header, or inside a larger one at offset 40.
        const uint8_t* masks = l.infoSize == 40 ? src : data + l.infoOffset + 40;
        std::memcpy(after, masks, 3 * sizeof(DWORD));
        after += 3 * sizeof(DWORD);
        if (l.infoSize == 40)
            src += 3 * sizeof(DWORD);
    }
    auto* palette = reinterpret_cast<RGBQUAD*>(after);
    for (int i = 0; i < l.colours; ++i) {
        const uint8_t* e = src + (size_t)i * (l.infoSize == 12 ? 3 : 4);
        palette[i] = RGBQUAD{e[0], e[1], e[2], 0};
    }
    void* bits = nullptr;
    HBITMAP section = ::CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS, &bits,
                                         nullptr, 0);
    if (!section || !bits)
        return section;
    const uint8_t* pixels = data + l.pixelOffset;
    if (l.compression == BI_RLE8 || l.compression == BI_RLE4)
        ExpandRle(pixels, l.pixelBytes, l.compression == BI_RLE4, l.width, l.height, static_cast<uint8_t*>(bits));
    else
        std::memcpy(bits, pixels, l.pixelBytes);
    return section;
}
