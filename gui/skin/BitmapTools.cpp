#include "BitmapTools.h"

#include <ole2.h>
#include <olectl.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <vector>

#include "BmpFile.h"
#include "PictureHeader.h"

namespace {

// Region data with room that grows by 100 rectangles at a time.
class RegionBuilder {
public:
    void Add(int left, int top, int right, int bottom) {
        if (m_rects.size() == m_rects.capacity())
            m_rects.reserve(m_rects.size() + 100);
        m_rects.push_back(RECT{left, top, right, bottom});
        if (m_rects.size() == 2000)
            Flush();
    }
    HRGN Finish() {
        Flush();
        if (!m_result)
            m_result = ::CreateRectRgn(0, 0, 0, 0);
        return m_result;
    }
    ~RegionBuilder() {
        if (m_result && !m_finished)
            ::DeleteObject(m_result);
    }
    void Release() { m_finished = true; }

private:
    void Flush() {
        if (m_rects.empty())
            return;
        std::vector<BYTE> data(sizeof(RGNDATAHEADER) + m_rects.size() * sizeof(RECT));
        auto* hdr = reinterpret_cast<RGNDATAHEADER*>(data.data());
        hdr->dwSize = sizeof(RGNDATAHEADER);
        hdr->iType = RDH_RECTANGLES;
        hdr->nCount = (DWORD)m_rects.size();
        hdr->nRgnSize = 0;
        RECT bounds = m_rects.front();
        for (const RECT& r : m_rects) {
            if (r.left < bounds.left) bounds.left = r.left;
            if (r.top < bounds.top) bounds.top = r.top;
            if (r.right > bounds.right) bounds.right = r.right;
            if (r.bottom > bounds.bottom) bounds.bottom = r.bottom;
        }
        hdr->rcBound = bounds;
        memcpy(data.data() + sizeof(RGNDATAHEADER), m_rects.data(), m_rects.size() * sizeof(RECT));
        HRGN part = ::ExtCreateRegion(nullptr, (DWORD)data.size(), reinterpret_cast<RGNDATA*>(data.data()));
        if (part) {
            if (m_result) {
                ::CombineRgn(m_result, m_result, part, RGN_OR);
                ::DeleteObject(part);
            } else {
                m_result = part;
            }
        }
        m_rects.clear();
    }

    std::vector<RECT> m_rects;
    HRGN m_result = nullptr;
    bool m_finished = false;
};

struct ScreenFormat {
    int planes = 0;
    int bitsPerPixel = 0;
};

// The screen's bitmap format, read once it could be read: getting and
// releasing a screen DC is a round trip to the window system, and the skin
// cuts hundreds of bitmaps at start. Planes and depth are kept in one value
// so that another thread never sees half of it.
ScreenFormat ScreenPixelFormat()
{
    static std::atomic<unsigned> known{0};
    unsigned packed = known.load();
    if (!packed) {
        if (HDC screen = ::GetDC(nullptr)) {
            const int planes = ::GetDeviceCaps(screen, PLANES), bits = ::GetDeviceCaps(screen, BITSPIXEL);
            ::ReleaseDC(nullptr, screen);
            if (planes > 0 && planes < 0x10000 && bits > 0 && bits < 0x10000)
                packed = ((unsigned)planes << 16) | (unsigned)bits;
            known.store(packed);
        }
    }
    ScreenFormat f;
    f.planes = (int)(packed >> 16);
    f.bitsPerPixel = (int)(packed & 0xFFFF);
    return f;
}

}  // namespace

HRGN CreateRegionFromBitmap(HBITMAP bitmap)
{
    BITMAP bm{};
    if (!bitmap || !::GetObjectW(bitmap, sizeof(bm), &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return nullptr;
    const int w = bm.bmWidth, h = bm.bmHeight;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> pixels((size_t)w * (size_t)h);
    HDC dc = ::CreateCompatibleDC(nullptr);
    int lines = ::GetDIBits(dc, bitmap, 0, (UINT)h, pixels.data(), &bi, DIB_RGB_COLORS);
    ::DeleteDC(dc);
    if (lines != h)
        return nullptr;

    // Rows with the same runs as the row above extend that band downwards:
    // the same pixels in far fewer rectangles (a mask is mostly bands of
    // equal rows, and the region call's cost grows with the rectangles).
    RegionBuilder builder;
    std::vector<POINT> band, runs;  // runs as (left, right)
    int bandTop = 0;
    auto flushBand = [&](int bottom) {
        for (const POINT& r : band)
            builder.Add(r.x, bandTop, r.y, bottom);
    };
    for (int y = 0; y < h; ++y) {
        const DWORD* row = pixels.data() + (size_t)y * (size_t)w;
        runs.clear();
        int x = 0;
        while (x < w) {
            while (x < w && (row[x] & 0xFFFFFF) == 0xFFFFFF)
                ++x;
            int start = x;
            while (x < w && (row[x] & 0xFFFFFF) != 0xFFFFFF)
                ++x;
            if (x > start)
                runs.push_back(POINT{start, x});
        }
        const bool same = runs.size() == band.size() &&
                          std::equal(runs.begin(), runs.end(), band.begin(), [](const POINT& a, const POINT& b) {
                              return a.x == b.x && a.y == b.y;
                          });
        if (same)
            continue;
        flushBand(y);
        band.swap(runs);
        bandTop = y;
    }
    flushBand(h);
    HRGN rgn = builder.Finish();
    builder.Release();
    return rgn;
}

bool CopyBitmapRect(HBITMAP source, int left, int top, int right, int bottom, CBitmap& target)
{
    target.DeleteObject();
    const int w = right - left, h = bottom - top;
    if (!source || w <= 0 || h <= 0)
        return false;
    const ScreenFormat screen = ScreenPixelFormat();
    CDC src, dst;
    CBitmap out;
    // Made as CreateCompatibleBitmap makes it for the screen, without a
    // screen DC for every copy.
    if (!screen.bitsPerPixel || !src.CreateCompatibleDC(nullptr) || !dst.CreateCompatibleDC(nullptr) ||
        !out.CreateBitmap(w, h, (UINT)screen.planes, (UINT)screen.bitsPerPixel, nullptr))
        return false;
    {
        CSelectGuard srcSelected(src, source), dstSelected(dst, out);
        if (!::BitBlt(dst, 0, 0, w, h, src, left, top, SRCCOPY))
            return false;
    }
    return target.Attach(out.Detach());
}

HBITMAP CopyBitmapHandle(HBITMAP source)
{
    if (!source)
        return nullptr;
    return (HBITMAP)::CopyImage(source, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
}

namespace {

// Decodes a picture held in memory with the system's picture loader, given
// only files whose headers declare a size that fits (PictureHeader.h). What
// the loader makes is measured again, for a decoder that sizes a picture by
// other means than those headers: one that does not fit is not copied, and
// `why` says so.
HBITMAP DecodePicture(const std::vector<uint8_t>& bytes, SkinFileStatus& why)
{
    why = SKINFILE_MALFORMED;
    HGLOBAL mem = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!mem)
        return nullptr;
    if (void* p = ::GlobalLock(mem)) {
        memcpy(p, bytes.data(), bytes.size());
        ::GlobalUnlock(mem);
    }
    IStream* stream = nullptr;
    if (FAILED(::CreateStreamOnHGlobal(mem, TRUE, &stream))) {
        ::GlobalFree(mem);
        return nullptr;
    }
    IPicture* picture = nullptr;
    HRESULT hr = ::OleLoadPicture(stream, (LONG)bytes.size(), FALSE, IID_IPicture, (void**)&picture);
    stream->Release();
    if (FAILED(hr) || !picture)
        return nullptr;
    HBITMAP copy = nullptr;
    SHORT type = 0;
    OLE_HANDLE handle = 0;
    // The picture owns its bitmap; keep a copy of our own.
    if (SUCCEEDED(picture->get_Type(&type)) && type == PICTYPE_BITMAP && SUCCEEDED(picture->get_Handle(&handle))) {
        BITMAP info{};
        const HBITMAP decoded = (HBITMAP)(UINT_PTR)handle;
        if (::GetObjectW(decoded, sizeof(info), &info) &&
            !PictureSizeFits(info.bmWidth, info.bmHeight < 0 ? -(long long)info.bmHeight : info.bmHeight))
            why = SKINFILE_TOO_LARGE;
        else
            copy = CopyBitmapHandle(decoded);
    }
    picture->Release();
    return copy;
}

}  // namespace

bool LoadPictureFile(const wchar_t* path, CBitmap& target, SkinFileStatus* why)
{
    SkinFileStatus status = SKINFILE_MALFORMED;
    if (path && !target.GetSafeHandle()) {
        std::vector<uint8_t> bytes;
        status = ReadSkinFile(path, bytes);
        if (status == SKINFILE_OK) {
            // A bitmap file is checked and decoded here: the system picture
            // loader would trust its headers, and it costs a converted copy
            // per picture at every start. Other formats go to that loader
            // once their own headers have been read.
            HBITMAP picture = nullptr;
            BmpLayout layout;
            SkinFileStatus refused = SKINFILE_MALFORMED;
            if (LooksLikeBmp(bytes.data(), bytes.size())) {
                if (CheckBmp(bytes.data(), bytes.size(), layout, &refused))
                    picture = CreateBmpSection(bytes.data(), layout);
            } else if ((refused = CheckPictureHeader(bytes.data(), bytes.size())) == SKINFILE_OK) {
                picture = DecodePicture(bytes, refused);
            }
            if (picture && target.Attach(picture)) {
                status = SKINFILE_OK;
            } else {
                if (picture)
                    ::DeleteObject(picture);
                status = refused != SKINFILE_OK ? refused : SKINFILE_MALFORMED;
            }
        }
    }
    if (why)
        *why = status;
    return status == SKINFILE_OK;
}

HBITMAP LoadBmpFile(const wchar_t* path, SkinFileStatus* why)
{
    std::vector<uint8_t> bytes;
    SkinFileStatus status = ReadSkinFile(path, bytes);
    HBITMAP picture = nullptr;
    if (status == SKINFILE_OK) {
        BmpLayout layout;
        SkinFileStatus refused = SKINFILE_MALFORMED;
        if (CheckBmp(bytes.data(), bytes.size(), layout, &refused))
            picture = CreateBmpSection(bytes.data(), layout);
        status = picture ? SKINFILE_OK : (refused != SKINFILE_OK ? refused : SKINFILE_MALFORMED);
    }
    if (why)
        *why = status;
    return picture;
}
