// The resource cache: one entry per name and kind, failures cached too,
// sizes, and the image routines it loads pictures with.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "BitmapTools.h"
#include "BmpFile.h"
#include "MemDC2.h"
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
