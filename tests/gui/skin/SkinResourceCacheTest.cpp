// The resource cache: one entry per name and kind, failures cached too,
// sizes, and the image routines it loads pictures with.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <utility>
#include <vector>

#include "BitmapTools.h"
#include "BmpFile.h"
#include "GuardedBuffer.h"
#include "MemDC2.h"
#include "PictureHeader.h"
#include "Png.h"
#include "SkinResourceCache.h"
#include "SkinTestFiles.h"

TEST(SkinResourceCache, SameNameAndKindIsOneEntryLoadedOnce)
{
    ScopedTestProgramFolder folder;
    WriteBmp24(TestProgramFolder() + L"skins\\Cache_Back.bmp", 5, 4, [](int, int) { return 0x102030u; });
    size_t before = SkinResourceCount();
    CBitmap* a = FindOrLoadPicture(L"Cache_Back.bmp");
    ASSERT_NE(nullptr, a);
    EXPECT_EQ(a, FindOrLoadPicture(L"cache_back.bmp"));
    EXPECT_EQ(a, FindOrLoadPicture(L" \tcache_back.bmp \n"));
    EXPECT_EQ(before + 1, SkinResourceCount());
    EXPECT_EQ(8, SkinResourceSize(L"CACHE_BACK.BMP"));
    EXPECT_EQ(CSize(5, 4), a->GetSize());

    // Another kind of the same name is another entry.
    HBITMAP plain = FindOrLoadBmpFile(L"Cache_Back.bmp");
    EXPECT_NE(nullptr, plain);
    EXPECT_EQ(before + 2, SkinResourceCount());
    EXPECT_EQ(8, SkinResourceSize(L"Cache_Back.bmp"));  // the first entry of the name
}

TEST(SkinResourceCache, FailuresAreCachedAndFilesAreReadWhole)
{
    ScopedTestProgramFolder folder;
    EXPECT_EQ(nullptr, FindOrLoadPicture(L"cache_missing.bmp"));
    size_t count = SkinResourceCount();
    // Made afterwards: the cached failure stands, the disk is not read again.
    WriteBmp24(TestProgramFolder() + L"skins\\cache_missing.bmp", 2, 2, [](int, int) { return 0u; });
    EXPECT_EQ(nullptr, FindOrLoadPicture(L"cache_missing.bmp"));
    EXPECT_EQ(count, SkinResourceCount());

    WriteBytes(TestProgramFolder() + L"lang\\cache_zero.txt", "", 0);
    const SkinResource* zero = FindOrLoadLangFileEntry(L"cache_zero.txt");
    ASSERT_NE(nullptr, zero);
    EXPECT_EQ(nullptr, zero->handle);
    EXPECT_EQ(0, zero->size);

    WriteBytes(TestProgramFolder() + L"bin\\cache_seven.bin", "1234567", 7);
    const SkinResource* bin = FindOrLoadBinFileEntry(L"cache_seven.bin");
    ASSERT_NE(nullptr, bin->handle);
    EXPECT_EQ(7, bin->size);
    EXPECT_EQ(0, memcmp(bin->handle, "1234567", 7));

    // A font file the system refuses gives no handle.
    WriteBytes(TestProgramFolder() + L"fonts\\cache_bad.ttf", "not a font", 10);
    EXPECT_FALSE(FindOrLoadFontFile(L"cache_bad.ttf"));
    EXPECT_EQ(nullptr, FindOrLoadSkinResource(nullptr, RESOURCE_PICTURE));
    EXPECT_EQ(0, SkinResourceSize(L"never.requested"));
}

TEST(SkinResourceCache, FreeAllEmptiesTheCacheAndFreesEveryPicture)
{
    ScopedTestProgramFolder folder;
    WriteBmp24(TestProgramFolder() + L"skins\\cache_free.bmp", 2, 2, [](int, int) { return 0u; });
    CBitmap* picture = FindOrLoadPicture(L"cache_free.bmp");
    ASSERT_NE(nullptr, picture);
    const HGDIOBJ pictureHandle = picture->GetSafeHandle();
    const HBITMAP file = FindOrLoadBmpFile(L"cache_free.bmp");
    ASSERT_NE(nullptr, file);
    SkinResourceCacheFreeAll();
    EXPECT_EQ(0u, SkinResourceCount());
    EXPECT_EQ(0, SkinResourceSize(L"cache_free.bmp"));
    EXPECT_EQ(0u, ::GetObjectType(pictureHandle));
    EXPECT_EQ(0u, ::GetObjectType(file));
}

namespace {

// A file that says it holds `size` bytes without taking the disk space.
void WriteSparse(const std::wstring& path, long long size)
{
    HANDLE f = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, f);
    LARGE_INTEGER at;
    at.QuadPart = size;
    EXPECT_TRUE(::SetFilePointerEx(f, at, nullptr, FILE_BEGIN) && ::SetEndOfFile(f));
    ::CloseHandle(f);
}

}  // namespace

TEST(SkinResourceCache, RefusedFilesOfEveryKindSayWhy)
{
    ScopedTestProgramFolder folder;
    const std::wstring root = TestProgramFolder();
    const long long huge = kMaxSkinFileBytes + 1;
    WriteSparse(root + L"skins\\cache_huge.bmp", huge);
    WriteSparse(root + L"fonts\\cache_huge.ttf", huge);
    WriteSparse(root + L"lang\\cache_huge.txt", huge);
    WriteSparse(root + L"bin\\cache_huge.bin", huge);
    for (int kind : {RESOURCE_PICTURE, RESOURCE_BMPFILE, RESOURCE_FONT, RESOURCE_LANGFILE, RESOURCE_BINFILE}) {
        const wchar_t* name = kind == RESOURCE_FONT ? L"cache_huge.ttf"
                              : kind == RESOURCE_LANGFILE ? L"cache_huge.txt"
                              : kind == RESOURCE_BINFILE ? L"cache_huge.bin" : L"cache_huge.bmp";
        const SkinResource* r = FindOrLoadSkinResource(name, kind);
        ASSERT_NE(nullptr, r);
        EXPECT_EQ(nullptr, r->handle) << kind;
        EXPECT_EQ(SKINFILE_TOO_LARGE, r->status) << kind;
        EXPECT_EQ(0, r->size) << kind;
    }
    EXPECT_EQ(SKINFILE_MISSING, FindOrLoadSkinResource(L"cache_nope.bmp", RESOURCE_BMPFILE)->status);
    WriteBytes(root + L"lang\\cache_empty.txt", "", 0);
    EXPECT_EQ(SKINFILE_EMPTY, FindOrLoadLangFileEntry(L"cache_empty.txt")->status);
    WriteBytes(root + L"fonts\\cache_junk.ttf", "not a font", 10);
    EXPECT_EQ(SKINFILE_MALFORMED, FindOrLoadSkinResource(L"cache_junk.ttf", RESOURCE_FONT)->status);
    ::CreateDirectoryW((root + L"bin\\cache_folder.bin").c_str(), nullptr);
    EXPECT_EQ(SKINFILE_UNREADABLE, FindOrLoadBinFileEntry(L"cache_folder.bin")->status);

    // A picture cut short (its header promises more pixels than the file
    // holds) gives nothing, as either kind, instead of being read past.
    const std::wstring cut = root + L"skins\\cache_cut.bmp";
    WriteBmp24(cut, 40, 40, [](int, int) { return 0x336699u; });
    HANDLE f = ::CreateFileW(cut.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, f);
    ::SetFilePointer(f, 54 + 100, nullptr, FILE_BEGIN);
    ::SetEndOfFile(f);
    ::CloseHandle(f);
    for (int kind : {RESOURCE_PICTURE, RESOURCE_BMPFILE}) {
        const SkinResource* r = FindOrLoadSkinResource(L"cache_cut.bmp", kind);
        EXPECT_EQ(nullptr, r->handle) << kind;
        EXPECT_EQ(SKINFILE_MALFORMED, r->status) << kind;
    }
}

namespace {

HBITMAP MakeBitmap(int w, int h, const std::function<COLORREF(int, int)>& pixel)
{
    HDC screen = ::GetDC(nullptr);
    HBITMAP bm = ::CreateCompatibleBitmap(screen, w, h);
    HDC dc = ::CreateCompatibleDC(screen);
    HGDIOBJ old = ::SelectObject(dc, bm);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            ::SetPixel(dc, x, y, pixel(x, y));
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return bm;
}

}  // namespace

TEST(BitmapTools, RegionsFromMasks)
{
    HBITMAP white = MakeBitmap(20, 10, [](int, int) { return RGB(255, 255, 255); });
    HRGN empty = CreateRegionFromBitmap(white);
    ASSERT_NE(nullptr, empty);
    RECT box;
    EXPECT_EQ(NULLREGION, ::GetRgnBox(empty, &box));
    ::DeleteObject(empty);
    ::DeleteObject(white);
    EXPECT_EQ(nullptr, CreateRegionFromBitmap(nullptr));

    // Alternate pixels: 50 runs a row, 3000 runs in all (past one 2000 batch).
    HBITMAP stripes = MakeBitmap(100, 60, [](int x, int) { return x % 2 ? RGB(255, 255, 255) : RGB(254, 255, 255); });
    HRGN rgn = CreateRegionFromBitmap(stripes);
    ASSERT_NE(nullptr, rgn);
    EXPECT_TRUE(::PtInRegion(rgn, 0, 0));
    EXPECT_FALSE(::PtInRegion(rgn, 1, 0));
    EXPECT_TRUE(::PtInRegion(rgn, 98, 59));
    EXPECT_TRUE(::PtInRegion(rgn, 50, 30));
    EXPECT_FALSE(::PtInRegion(rgn, 99, 59));
    ::GetRgnBox(rgn, &box);
    EXPECT_EQ(0, box.left);
    EXPECT_EQ(0, box.top);
    EXPECT_EQ(99, box.right);
    EXPECT_EQ(60, box.bottom);
    ::DeleteObject(rgn);
    ::DeleteObject(stripes);
}

TEST(BitmapTools, CopyRectCutsOneToOne)
{
    HBITMAP source = MakeBitmap(10, 10, [](int x, int y) { return RGB(x * 20, y * 20, 7); });
    CBitmap target;
    target.CreateBitmap(1, 1, 1, 1, nullptr);
    ASSERT_TRUE(CopyBitmapRect(source, 2, 3, 6, 8, target));
    EXPECT_EQ(CSize(4, 5), target.GetSize());
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, target);
    EXPECT_EQ(RGB(40, 60, 7), ::GetPixel(dc, 0, 0));
    EXPECT_EQ(RGB(100, 140, 7), ::GetPixel(dc, 3, 4));
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    EXPECT_FALSE(CopyBitmapRect(source, 5, 5, 5, 9, target));
    EXPECT_EQ(nullptr, target.GetSafeHandle());
    ::DeleteObject(source);
}

namespace {

// A GIF of width x 1 black pixels, coded without compression: a clear code
// before every two pixels keeps every code 3 bits wide.
std::vector<uint8_t> GifRow(int width)
{
    std::vector<uint8_t> g = {'G', 'I', 'F', '8', '9', 'a', (uint8_t)width, (uint8_t)(width >> 8), 1, 0, 0x80, 0, 0,
                              0, 0, 0, 255, 255, 255, 0x2C, 0, 0, 0, 0, (uint8_t)width, (uint8_t)(width >> 8), 1, 0,
                              0, 2};
    std::vector<uint8_t> codes;
    uint32_t bits = 0, count = 0;
    auto put = [&](uint32_t code) {
        bits |= code << count;
        for (count += 3; count >= 8; count -= 8, bits >>= 8)
            codes.push_back((uint8_t)bits);
    };
    for (int x = 0; x < width; ++x) {
        if (x % 2 == 0)
            put(4);  // clear
        put(0);
    }
    put(5);  // end
    if (count)
        codes.push_back((uint8_t)bits);
    for (size_t at = 0; at < codes.size(); at += 255) {
        const size_t n = std::min<size_t>(255, codes.size() - at);
        g.push_back((uint8_t)n);
        g.insert(g.end(), codes.begin() + at, codes.begin() + at + n);
    }
    g.push_back(0);
    g.push_back(0x3B);
    return g;
}

}  // namespace

TEST(BitmapTools, PictureFilesDecodeOrFail)
{
    ScopedTestProgramFolder folder;
    std::wstring path = TestProgramFolder() + L"skins\\tools_pic.bmp";
    WriteBmp24(path, 3, 2, [](int x, int y) { return x == 2 && y == 1 ? 0xFF0000u : 0x00FF00u; });
    CBitmap bm;
    ASSERT_TRUE(LoadPictureFile(path.c_str(), bm));
    EXPECT_EQ(CSize(3, 2), bm.GetSize());
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, bm);
    EXPECT_EQ(RGB(255, 0, 0), ::GetPixel(dc, 2, 1));
    EXPECT_EQ(RGB(0, 255, 0), ::GetPixel(dc, 0, 0));
    ::SelectObject(dc, old);
    ::DeleteDC(dc);

    CBitmap none;
    EXPECT_FALSE(LoadPictureFile((TestProgramFolder() + L"skins\\absent.bmp").c_str(), none));
    std::wstring junk = TestProgramFolder() + L"skins\\junk.bmp";
    WriteBytes(junk, "BM not really", 13);
    EXPECT_FALSE(LoadPictureFile(junk.c_str(), none));
    EXPECT_FALSE(LoadPictureFile(path.c_str(), bm));  // the target must be empty

    // Other formats go to the system's loader; what it decodes is held to
    // the same size as a bitmap file.
    const std::wstring gif = TestProgramFolder() + L"skins\\tools_row.gif";
    const std::vector<uint8_t> row = GifRow(kMaxPictureSide);
    ASSERT_TRUE(WriteBytes(gif, row.data(), row.size()));
    CBitmap decoded;
    ASSERT_TRUE(LoadPictureFile(gif.c_str(), decoded));
    EXPECT_EQ(CSize(kMaxPictureSide, 1), decoded.GetSize());
    const std::vector<uint8_t> wider = GifRow(kMaxPictureSide + 1);
    ASSERT_TRUE(WriteBytes(gif, wider.data(), wider.size()));
    SkinFileStatus why = SKINFILE_OK;
    EXPECT_FALSE(LoadPictureFile(gif.c_str(), none, &why));
    EXPECT_EQ(SKINFILE_TOO_LARGE, why);
}

namespace {

// A grey 8 x 8 baseline JPEG with fill bytes, a stand-alone marker and its
// tables before the frame: one code of one bit each for the DC category 0
// and the end of block, so every coefficient is 0. `head` ends after the
// frame header, before any scan.
std::vector<uint8_t> Jpeg(uint16_t width, uint16_t height, bool head = false)
{
    std::vector<uint8_t> j = {0xFF, 0xD8, 0xFF, 0xFF, 0xE0, 0, 4, 'x', 'y', 0xFF, 0x01, 0xFF, 0xDB, 0, 67, 0};
    j.insert(j.end(), 64, 1);
    for (uint8_t table : {0x00, 0x10}) {
        j.insert(j.end(), {0xFF, 0xC4, 0, 20, table, 1});
        j.insert(j.end(), 15, 0);
        j.push_back(0);
    }
    j.insert(j.end(), {0xFF, 0xC0, 0, 11, 8, (uint8_t)(height >> 8), (uint8_t)height, (uint8_t)(width >> 8),
                       (uint8_t)width, 1, 1, 0x11, 0});
    if (!head)
        j.insert(j.end(), {0xFF, 0xDA, 0, 8, 1, 1, 0x00, 0, 63, 0, 0x3F, 0xFF, 0xD9});
    return j;
}

}  // namespace

TEST(BitmapTools, PicturesReachTheSystemLoaderOnlyWhenTheirHeadersDeclareASizeThatFits)
{
    auto header = [](const std::vector<uint8_t>& b) {
        CGuardedBuffer guarded(b);
        return CheckPictureHeader(guarded.Data(), guarded.Size());
    };
    ScopedTestProgramFolder folder;
    auto load = [](const wchar_t* name, const std::vector<uint8_t>& b, CSize* size = nullptr) {
        const std::wstring path = TestProgramFolder() + L"skins\\" + name;
        SkinFileStatus why = SKINFILE_OK;
        CBitmap bm;
        if (WriteBytes(path, b.data(), b.size()) && LoadPictureFile(path.c_str(), bm, &why) && size)
            *size = bm.GetSize();
        return why;
    };

    // A few dozen bytes declaring 30000 x 30000: refused for its size, not
    // by the decoder that would first make it.
    std::vector<uint8_t> gif = GifRow(2);
    gif[6] = gif[8] = gif[24] = gif[26] = 0x30;
    gif[7] = gif[9] = gif[25] = gif[27] = 0x75;
    EXPECT_EQ(SKINFILE_TOO_LARGE, load(L"hdr_huge.gif", gif));
    EXPECT_EQ(SKINFILE_TOO_LARGE, load(L"hdr_huge.jpg", Jpeg(30000, 30000, true)));
    EXPECT_EQ(SKINFILE_TOO_LARGE, header(Jpeg(8, kMaxPictureSide + 1, true)));
    std::vector<uint8_t> progressive = Jpeg(kMaxPictureSide + 1, 8, true);
    progressive[progressive.size() - 12] = 0xC2;
    EXPECT_EQ(SKINFILE_TOO_LARGE, header(progressive));
    gif = GifRow(8);
    gif[20] = 0xFF;  // an image placed past the right of its 8 x 1 screen
    gif[21] = 0x1F;
    EXPECT_EQ(SKINFILE_TOO_LARGE, header(gif));
    const std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R',
                                      0, 0, 0x20, 0x01, 0, 0, 0, 1, 8, 2, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(SKINFILE_TOO_LARGE, header(png));
    // An animation costs every frame it holds: together no more than the
    // largest picture.
    auto frames = [](std::initializer_list<std::pair<int, int>> sizes) {
        const std::vector<uint8_t> row = GifRow(8);
        std::vector<uint8_t> g(row.begin(), row.begin() + 19);  // the screen and its colours
        for (const auto& [width, height] : sizes) {
            g.insert(g.end(), {0x21, 0xF9, 4, 0, 10, 0, 0, 0});  // a tenth of a second each
            const size_t at = g.size();
            g.insert(g.end(), row.begin() + 19, row.end() - 1);
            g[at + 5] = (uint8_t)width;
            g[at + 6] = (uint8_t)(width >> 8);
            g[at + 7] = (uint8_t)height;
            g[at + 8] = (uint8_t)(height >> 8);
        }
        g.push_back(0x3B);
        return g;
    };
    const int half = kMaxPictureSide / 2;
    EXPECT_EQ(SKINFILE_OK, header(frames({{kMaxPictureSide, half}, {kMaxPictureSide, half}})));
    EXPECT_EQ(SKINFILE_TOO_LARGE, header(frames({{kMaxPictureSide, half}, {kMaxPictureSide, half + 1}})));
    EXPECT_EQ(SKINFILE_TOO_LARGE, header(frames({{kMaxPictureSide, kMaxPictureSide}, {1, 1}})));

    // Cut anywhere before the size, or with a segment shorter than its own
    // length, the headers are refused, reading nothing past their end.
    const std::vector<uint8_t> jpeg = Jpeg(8, 8);
    for (const std::vector<uint8_t>* whole : {&jpeg, &png}) {
        const size_t sizeEnd = whole == &png ? 29 : Jpeg(8, 8, true).size();
        for (size_t cut = 0; cut < sizeEnd; ++cut)
            EXPECT_EQ(SKINFILE_MALFORMED, header(std::vector<uint8_t>(whole->begin(), whole->begin() + cut))) << cut;
    }
    const std::vector<uint8_t> row = GifRow(8);
    for (size_t cut = 0; cut < row.size(); ++cut) {
        // The stream may end before its first block (at 19) or its trailer.
        const SkinFileStatus got = header(std::vector<uint8_t>(row.begin(), row.begin() + cut));
        EXPECT_EQ(cut < 19 || (cut > 19 && cut < row.size() - 1) ? SKINFILE_MALFORMED : SKINFILE_OK, got) << cut;
    }
    std::vector<uint8_t> shortSegment = jpeg;
    shortSegment[6] = 1;  // the first segment's length, which counts its own two bytes
    EXPECT_EQ(SKINFILE_MALFORMED, header(shortSegment));
    // An image with neither its own colours nor the screen's has none to
    // show, and a decoder may read a palette that is not there.
    EXPECT_EQ(SKINFILE_MALFORMED, header({'G', 'I', 'F', '8', '9', 'a', 1, 0, 240, 0, 0, 0, 0, 0x2C, 0, 0, 0, 0,
                                          1, 0, 1, 0, 0, 2, 2, 0x44, 0x01, 0}));
    // An icon becomes no bitmap the skin can use: it is not even decoded.
    EXPECT_EQ(SKINFILE_MALFORMED, header({0, 0, 1, 0, 1, 0, 16, 16, 0, 0, 1, 0, 32, 0, 0, 4, 0, 0, 22, 0, 0, 0}));

    // Small sound pictures of each kind still decode.
    CSize size;
    EXPECT_EQ(SKINFILE_OK, load(L"hdr_grey.jpg", jpeg, &size));
    EXPECT_EQ(CSize(8, 8), size);
    EXPECT_EQ(SKINFILE_OK, load(L"hdr_row.gif", row, &size));
    EXPECT_EQ(CSize(8, 1), size);
    EXPECT_EQ(SKINFILE_OK, load(L"hdr_frames.gif", frames({{8, 1}, {8, 1}, {8, 1}}), &size));
    EXPECT_EQ(CSize(8, 1), size);
    const std::wstring small = TestProgramFolder() + L"skins\\hdr_small.png";
    ASSERT_TRUE(WritePng(small, 3, 2, std::vector<uint8_t>(18, 0x40)));
    CBitmap decoded;
    ASSERT_TRUE(LoadPictureFile(small.c_str(), decoded));  // the system's loader here reads PNG too
    EXPECT_EQ(CSize(3, 2), decoded.GetSize());
}

TEST(BitmapTools, MemDcPutsItsDrawingOnTheTargetAtTheEnd)
{
    HBITMAP surface = MakeBitmap(20, 20, [](int, int) { return RGB(0, 0, 0); });
    CDC target;
    target.CreateCompatibleDC(nullptr);
    HGDIOBJ old = target.SelectObject(surface);
    CRect r(5, 5, 15, 15);
    {
        CMemDC2 mem(&target, &r);
        EXPECT_TRUE(mem.IsOffScreen());
        mem.FillSolidRect(6, 6, 2, 2, RGB(1, 2, 3));
        EXPECT_EQ(RGB(0, 0, 0), target.GetPixel(6, 6));  // not yet on the target
    }
    EXPECT_EQ(RGB(1, 2, 3), target.GetPixel(6, 6));
    EXPECT_EQ(RGB(0, 0, 0), target.GetPixel(2, 2));
    target.SelectObject(old);
    ::DeleteObject(surface);
}
