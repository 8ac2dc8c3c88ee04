// The bitmap-file check: sound files pass, every header value at its limit
// and just past it, and files shorter than their headers promise; each
// read from a buffer that faults one byte past its end.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "BmpFile.h"
#include "GuardedBuffer.h"
#include "SkinResourceCache.h"
#include "SkinTestFiles.h"

namespace {

void Put16(std::vector<uint8_t>& b, size_t at, uint16_t v) { std::memcpy(&b[at], &v, 2); }
void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) { std::memcpy(&b[at], &v, 4); }

// A bitmap file with a 40-byte header: width x height at `bits` bits a pixel
// (a grey palette at 8 bits and less), rows of `fill`.
std::vector<uint8_t> Bmp(int width, int height, int bits = 24, uint8_t fill = 0x80)
{
    const int colours = bits <= 8 ? 1 << bits : 0;
    const size_t stride = (((size_t)width * bits + 31) / 32) * 4;
    const size_t rows = (size_t)(height < 0 ? -height : height);
    const size_t offset = 14 + 40 + 4 * (size_t)colours;
    std::vector<uint8_t> b(offset + stride * rows, fill);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, (uint32_t)b.size());
    Put32(b, 6, 0);
    Put32(b, 10, (uint32_t)offset);
    Put32(b, 14, 40);
    Put32(b, 18, (uint32_t)width);
    Put32(b, 22, (uint32_t)height);
    Put16(b, 26, 1);
    Put16(b, 28, (uint16_t)bits);
    Put32(b, 30, BI_RGB);
    Put32(b, 34, 0);
    for (size_t i = 38; i < 54; ++i)
        b[i] = 0;
    for (int i = 0; i < colours; ++i)
        Put32(b, 54 + 4 * (size_t)i, (uint32_t)(i * 0x010101));
    return b;
}

// An 8-bit run-length coded picture of width x height holding `runs`.
std::vector<uint8_t> Rle8(int width, int height, const std::vector<uint8_t>& runs)
{
    std::vector<uint8_t> b = Bmp(1, 1, 8);
    b.resize(14 + 40 + 1024);
    b.insert(b.end(), runs.begin(), runs.end());
    Put32(b, 2, (uint32_t)b.size());
    Put32(b, 18, (uint32_t)width);
    Put32(b, 22, (uint32_t)height);
    Put32(b, 30, BI_RLE8);
    Put32(b, 34, (uint32_t)runs.size());
    return b;
}

bool Check(const std::vector<uint8_t>& bytes, BmpLayout* layout = nullptr, SkinFileStatus* why = nullptr)
{
    CGuardedBuffer guarded(bytes);
    BmpLayout l;
    const bool ok = CheckBmp(guarded.Data(), guarded.Size(), l, why);
    if (layout)
        *layout = l;
    return ok;
}

}  // namespace

TEST(BmpFile, SoundFilesPassAndSayWhereThePixelsAre)
{
    BmpLayout l;
    ASSERT_TRUE(Check(Bmp(3, 2), &l));
    EXPECT_EQ(54u, l.pixelOffset);
    EXPECT_EQ(24u, l.pixelBytes);  // rows of 9 bytes padded to 12
    EXPECT_TRUE(Check(Bmp(5, -4, 32)));  // top-down
    EXPECT_TRUE(Check(Bmp(7, 3, 1)));
    ASSERT_TRUE(Check(Bmp(2, 2, 8), &l));
    EXPECT_EQ(256, l.colours);
    EXPECT_TRUE(Check(Bmp(kMaxPictureSide, 1)));
    EXPECT_FALSE(Check(Bmp(kMaxPictureSide + 1, 1)));
    EXPECT_TRUE(Check(Bmp(1, kMaxPictureSide, 1)));
    EXPECT_FALSE(Check(Bmp(1, -(kMaxPictureSide + 1), 1)));
}

TEST(BmpFile, FilesShorterThanTheirHeadersPromiseAreRefused)
{
    const std::vector<uint8_t> sound = Bmp(16, 16, 24);
    for (size_t cut : {sound.size() - 1, sound.size() - 48, (size_t)60, (size_t)54, (size_t)40, (size_t)20, (size_t)2,
                       (size_t)0}) {
        std::vector<uint8_t> shorter(sound.begin(), sound.begin() + cut);
        EXPECT_FALSE(Check(shorter)) << cut;
    }
    std::vector<uint8_t> palette = Bmp(4, 4, 8);
    palette.resize(14 + 40 + 4 * 100);  // the palette itself cut
    EXPECT_FALSE(Check(palette));
}

TEST(BmpFile, EveryHeaderValueOutOfItsRangeIsRefused)
{
    struct Mutation {
        size_t at;
        int width;
        uint32_t value;
    } cases[] = {
        {14, 4, 41},            // unknown header size
        {14, 4, 0xFFFFFFF0u},   // a header larger than any file
        {18, 4, 0},             // no width
        {18, 4, 0x80000000u},   // a negative width
        {22, 4, 0},             // no height
        {22, 4, 0x80000000u},   // the most negative height
        {26, 2, 2},             // two planes
        {28, 2, 7},             // seven bits a pixel
        {28, 2, 64},
        {30, 4, 9},             // an unknown compression
        {30, 4, BI_RLE8},       // run-length coding without its size
        {46, 4, 257},           // more colours than 8 bits index
        {10, 4, 0xFFFFFFFFu},   // pixels past the end
        {10, 4, 20},            // pixels inside the headers
    };
    for (const Mutation& m : cases) {
        std::vector<uint8_t> b = Bmp(4, 4, 8);
        if (m.width == 2)
            Put16(b, m.at, (uint16_t)m.value);
        else
            Put32(b, m.at, m.value);
        EXPECT_FALSE(Check(b)) << "offset " << m.at << " value " << m.value;
    }
}

TEST(BmpFile, RunLengthPicturesStayInsideTheirBytesAndTheirRows)
{
    // 8 x 4 at 8 bits, RLE8: runs longer than a row, a delta past the
    // picture, absolute runs cut off by the end of the data.
    std::vector<uint8_t> b = Rle8(8, 4, {200, 5, 0, 0, 3, 7, 0, 2, 250, 250, 0, 5, 1, 2});
    CGuardedBuffer guarded(b);
    BmpLayout l;
    ASSERT_TRUE(CheckBmp(guarded.Data(), guarded.Size(), l));
    HBITMAP picture = CreateBmpSection(guarded.Data(), l);
    ASSERT_NE(nullptr, picture);
    DIBSECTION dib{};
    ASSERT_EQ((int)sizeof(dib), ::GetObjectW(picture, sizeof(dib), &dib));
    EXPECT_EQ(8, dib.dsBm.bmWidth);
    EXPECT_EQ(5, static_cast<const uint8_t*>(dib.dsBm.bmBits)[0]);  // the long run, cut at the row's end
    EXPECT_EQ(5, static_cast<const uint8_t*>(dib.dsBm.bmBits)[7]);
    ::DeleteObject(picture);

    Put32(b, 34, 100000);  // more runs than the file holds
    EXPECT_FALSE(Check(b));
}

TEST(BmpFile, PicturesAreJudgedByTheSizeTheyDecodeTo)
{
    // About a kilobyte of runs that would decode to a gigabyte.
    const std::vector<uint8_t> huge = Rle8(32767, 32767, {255, 1, 0, 1});
    SkinFileStatus why = SKINFILE_OK;
    EXPECT_FALSE(Check(huge, nullptr, &why));
    EXPECT_EQ(SKINFILE_TOO_LARGE, why);
    EXPECT_TRUE(Check(Rle8(kMaxPictureSide, kMaxPictureSide, {0, 1}), nullptr, &why));
    EXPECT_EQ(SKINFILE_OK, why);
    EXPECT_FALSE(Check(Rle8(1, kMaxPictureSide + 1, {0, 1}), nullptr, &why));
    EXPECT_EQ(SKINFILE_TOO_LARGE, why);
    EXPECT_FALSE(Check(Bmp(kMaxPictureSide + 1, 1, 1), nullptr, &why));
    EXPECT_EQ(SKINFILE_TOO_LARGE, why);
    EXPECT_FALSE(Check(Rle8(8, 8, {}), nullptr, &why));  // no runs: refused for another reason
    EXPECT_EQ(SKINFILE_MALFORMED, why);

    // As either kind the cache keeps: nothing decoded, and the reason kept.
    ScopedTestProgramFolder folder;
    ASSERT_TRUE(WriteBytes(TestProgramFolder() + L"skins\\bmp_huge_rle.bmp", huge.data(), huge.size()));
    for (int kind : {RESOURCE_PICTURE, RESOURCE_BMPFILE}) {
        const SkinResource* r = FindOrLoadSkinResource(L"bmp_huge_rle.bmp", kind);
        ASSERT_NE(nullptr, r);
        EXPECT_EQ(nullptr, r->handle) << kind;
        EXPECT_EQ(SKINFILE_TOO_LARGE, r->status) << kind;
    }
}
