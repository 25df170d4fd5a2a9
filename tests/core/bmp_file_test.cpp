#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "bmp/bmp_reader.h"
#include "bmp/bmp_writer.h"
#include "bmp/memory_picture_bmp.h"
#include "item_limits.h"

namespace swl {
namespace {

using Bytes = std::vector<std::uint8_t>;

void SetU32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}
void SetU16(Bytes& b, std::size_t at, std::uint16_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

// Packs stored pixel values (indexes or raw pixels) into bottom-up rows;
// `values` lists the pixels from the top row down.
Bytes PackRows(int w, int h, int bpp, const std::vector<std::uint32_t>& values) {
    const std::size_t stride = BmpStride(w, bpp);
    Bytes rows(stride * static_cast<std::size_t>(h), 0);
    for (int y = 0; y < h; ++y) {
        std::uint8_t* row = rows.data() + static_cast<std::size_t>(h - 1 - y) * stride;
        for (int x = 0; x < w; ++x) {
            const std::uint32_t v = values[static_cast<std::size_t>(y * w + x)];
            const auto ux = static_cast<std::size_t>(x);
            switch (bpp) {
                case 1: row[ux / 8] |= static_cast<std::uint8_t>(v << (7 - ux % 8)); break;
                case 4: row[ux / 2] |= static_cast<std::uint8_t>(ux % 2 == 0 ? v << 4 : v); break;
                default:
                    for (int i = 0; i < bpp / 8; ++i)
                        row[ux * static_cast<std::size_t>(bpp / 8) + static_cast<std::size_t>(i)] =
                            static_cast<std::uint8_t>(v >> (8 * i));
            }
        }
    }
    return rows;
}

struct DepthCase {
    const char* name;
    int bpp;
    std::vector<std::uint32_t> colours;
    std::optional<std::array<std::uint32_t, 3>> masks;
    std::vector<std::uint32_t> stored;    // 3 x 2 pixels, top row first
    std::vector<std::uint32_t> expected;  // what PixelValue gives for them
};

class BmpDepth : public testing::TestWithParam<DepthCase> {};

TEST_P(BmpDepth, RoundTripsThroughWriterAndReader) {
    const auto& c = GetParam();
    const Bytes rows = PackRows(3, 2, c.bpp, c.stored);
    BmpWriteInput in;
    in.width = 3;
    in.height = 2;
    in.bitsPerPixel = c.bpp;
    in.colours = c.colours;
    in.masks = c.masks;
    in.rows = rows;
    const auto file = WriteBmp(in);
    ASSERT_TRUE(file);
    EXPECT_EQ((*file)[0], 'B');
    EXPECT_EQ((*file)[1], 'M');

    const BmpReadResult read = ReadBmp(*file);
    ASSERT_TRUE(read.ok()) << BmpErrorName(read.error);
    const BmpImage& img = read.image;
    EXPECT_EQ(img.width, 3);
    EXPECT_EQ(img.height, 2);
    EXPECT_EQ(img.bitsPerPixel, c.bpp);
    EXPECT_EQ(img.bitfields, c.masks.has_value());
    EXPECT_EQ(img.stride, BmpStride(3, c.bpp));
    EXPECT_TRUE(std::equal(img.pixels.begin(), img.pixels.end(), rows.begin(), rows.end()));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(img.PixelValue(x, y), c.expected[static_cast<std::size_t>(y * 3 + x)])
                << c.name << " at " << x << "," << y;
}

const std::vector<std::uint32_t> kGrey16 = [] {
    std::vector<std::uint32_t> v;
    for (std::uint32_t i = 0; i < 16; ++i) v.push_back(i * 0x111111u);
    return v;
}();

const DepthCase kDepthCases[] = {
    {"1 bit", 1, {0x000000, 0xFFFFFF}, std::nullopt, {1, 0, 1, 0, 1, 1},
     {0xFFFFFF, 0, 0xFFFFFF, 0, 0xFFFFFF, 0xFFFFFF}},
    {"4 bits", 4, kGrey16, std::nullopt, {0, 15, 7, 1, 2, 3},
     {0, 0xFFFFFF, 0x777777, 0x111111, 0x222222, 0x333333}},
    {"8 bits, short table; index past it shows black", 8, {0x102030, 0x405060}, std::nullopt,
     {0, 1, 0, 1, 200, 0}, {0x102030, 0x405060, 0x102030, 0x405060, 0, 0x102030}},
    {"16 bits 5-5-5", 16, {}, std::nullopt, {0x7FFF, 0x7C00, 0x03E0, 0x001F, 0, 0x4210},
     {0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0, 0x848484}},
    {"16 bits 5-6-5 masks", 16, {}, std::array<std::uint32_t, 3>{0xF800, 0x07E0, 0x001F},
     {0xF800, 0x07E0, 0x001F, 0xFFFF, 0, 0x0020}, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0, 0x000400}},
    {"24 bits", 24, {}, std::nullopt, {0x123456, 0xABCDEF, 0, 0xFFFFFF, 0x010203, 0x800000},
     {0x123456, 0xABCDEF, 0, 0xFFFFFF, 0x010203, 0x800000}},
    {"32 bits keeps the top byte", 32, {}, std::nullopt,
     {0xFF123456, 0x00ABCDEF, 0x80000000, 1, 2, 3}, {0xFF123456, 0x00ABCDEF, 0x80000000, 1, 2, 3}},
    {"32 bits with masks", 32, {}, std::array<std::uint32_t, 3>{0x000000FF, 0x0000FF00, 0x00FF0000},
     {0xAA563412, 0x00000000, 0x00FFFFFF, 1, 2, 3}, {0x123456, 0, 0xFFFFFF, 0x010000, 0x020000, 0x030000}},
};

INSTANTIATE_TEST_SUITE_P(Depths, BmpDepth, testing::ValuesIn(kDepthCases));

// A valid 3 x 2, 8-bit file with a two-entry table, to be damaged.
Bytes ValidFile() {
    const Bytes rows = PackRows(3, 2, 8, {0, 1, 0, 1, 0, 1});
    const std::uint32_t colours[] = {0, 0xFFFFFF};
    BmpWriteInput in;
    in.width = 3;
    in.height = 2;
    in.bitsPerPixel = 8;
    in.colours = colours;
    in.rows = rows;
    return *WriteBmp(in);
}

// The same picture at 16 bits with a 40-byte header and masks after it.
Bytes ValidBitfieldsFile() {
    const Bytes rows = PackRows(3, 2, 16, {1, 2, 3, 4, 5, 6});
    BmpWriteInput in;
    in.width = 3;
    in.height = 2;
    in.bitsPerPixel = 16;
    in.masks = std::array<std::uint32_t, 3>{0xF800, 0x07E0, 0x001F};
    in.rows = rows;
    return *WriteBmp(in);
}

struct HostileCase {
    const char* name;
    Bytes (*base)();
    std::function<void(Bytes&)> damage;
    BmpError expected;
};

class BmpHostile : public testing::TestWithParam<HostileCase> {};

TEST_P(BmpHostile, IsRejected) {
    const auto& c = GetParam();
    Bytes file = c.base();
    c.damage(file);
    const BmpReadResult read = ReadBmp(file);
    EXPECT_EQ(read.error, c.expected) << c.name << ": got " << BmpErrorName(read.error);
}

// Offsets in the file: bfSize 2, bfOffBits 10, biSize 14, biWidth 18,
// biHeight 22, biPlanes 26, biBitCount 28, biCompression 30, biClrUsed 46,
// masks (after a 40-byte header) 54.
const HostileCase kHostileCases[] = {
    {"empty", ValidFile, [](Bytes& b) { b.clear(); }, BmpError::Truncated},
    {"shorter than the file header", ValidFile, [](Bytes& b) { b.resize(10); }, BmpError::Truncated},
    {"no signature", ValidFile, [](Bytes& b) { b[1] = 'N'; }, BmpError::NotBmp},
    {"header cut off", ValidFile, [](Bytes& b) { b.resize(30); SetU32(b, 2, 30); }, BmpError::Truncated},
    {"declared file size beyond the bytes", ValidFile, [](Bytes& b) { SetU32(b, 2, 0xFFFFFFFF); },
     BmpError::Truncated},
    {"unknown header size", ValidFile, [](Bytes& b) { SetU32(b, 14, 64); }, BmpError::HeaderSize},
    {"absurd header size", ValidFile, [](Bytes& b) { SetU32(b, 14, 0xFFFFFFF0); }, BmpError::HeaderSize},
    {"two planes", ValidFile, [](Bytes& b) { SetU16(b, 26, 2); }, BmpError::Planes},
    {"2 bits per pixel", ValidFile, [](Bytes& b) { SetU16(b, 28, 2); }, BmpError::BitDepth},
    {"0 bits per pixel", ValidFile, [](Bytes& b) { SetU16(b, 28, 0); }, BmpError::BitDepth},
    {"64 bits per pixel", ValidFile, [](Bytes& b) { SetU16(b, 28, 64); }, BmpError::BitDepth},
    {"RLE8", ValidFile, [](Bytes& b) { SetU32(b, 30, 1); }, BmpError::Compression},
    {"masks at 8 bits", ValidFile, [](Bytes& b) { SetU32(b, 30, 3); }, BmpError::Compression},
    {"unknown compression", ValidFile, [](Bytes& b) { SetU32(b, 30, 0xFFFFFFFF); }, BmpError::Compression},
    {"zero width", ValidFile, [](Bytes& b) { SetU32(b, 18, 0); }, BmpError::Dimensions},
    {"negative width", ValidFile, [](Bytes& b) { SetU32(b, 18, static_cast<std::uint32_t>(-3)); },
     BmpError::Dimensions},
    {"zero height", ValidFile, [](Bytes& b) { SetU32(b, 22, 0); }, BmpError::Dimensions},
    {"most negative height", ValidFile, [](Bytes& b) { SetU32(b, 22, 0x80000000u); }, BmpError::Dimensions},
    {"width beyond the limit", ValidFile, [](Bytes& b) { SetU32(b, 18, 65536); }, BmpError::Dimensions},
    {"pixel count beyond the limit", ValidFile,
     [](Bytes& b) { SetU32(b, 18, 32767); SetU32(b, 22, 32767); }, BmpError::TooLarge},
    {"rows beyond the bytes", ValidFile, [](Bytes& b) { SetU32(b, 22, 1000); }, BmpError::Truncated},
    {"last row cut short", ValidFile, [](Bytes& b) { b.pop_back(); SetU32(b, 2, static_cast<std::uint32_t>(b.size())); },
     BmpError::Truncated},
    {"more colours than 8 bits index", ValidFile, [](Bytes& b) { SetU32(b, 46, 257); }, BmpError::ColourTable},
    {"huge colour count", ValidFile, [](Bytes& b) { SetU32(b, 46, 0xFFFFFFFF); }, BmpError::ColourTable},
    {"colour table past the end", ValidFile, [](Bytes& b) { SetU32(b, 46, 200); }, BmpError::Truncated},
    {"huge table at 24 bits", ValidFile, [](Bytes& b) { SetU16(b, 28, 24); SetU32(b, 46, 100000); },
     BmpError::ColourTable},
    {"rows inside the table", ValidFile, [](Bytes& b) { SetU32(b, 10, 56); }, BmpError::PixelOffset},
    {"zero pixel offset", ValidFile, [](Bytes& b) { SetU32(b, 10, 0); }, BmpError::PixelOffset},
    {"pixel offset past the end", ValidFile, [](Bytes& b) { SetU32(b, 10, 0xFFFFFF00u); },
     BmpError::PixelOffset},
    {"overlapping masks", ValidBitfieldsFile, [](Bytes& b) { SetU32(b, 58, 0xFFE0); }, BmpError::Masks},
    {"mask with a gap", ValidBitfieldsFile, [](Bytes& b) { SetU32(b, 62, 0x0015); }, BmpError::Masks},
    {"mask beyond 16 bits", ValidBitfieldsFile, [](Bytes& b) { SetU32(b, 54, 0x1F0000); }, BmpError::Masks},
    {"zero mask", ValidBitfieldsFile, [](Bytes& b) { SetU32(b, 54, 0); }, BmpError::Masks},
    {"masks cut off", ValidBitfieldsFile, [](Bytes& b) { b.resize(60); SetU32(b, 2, 60); }, BmpError::Truncated},
};

INSTANTIATE_TEST_SUITE_P(Headers, BmpHostile, testing::ValuesIn(kHostileCases));

TEST(BmpReader, NegativeHeightMeansRowsFromTheTop) {
    Bytes file = ValidFile();  // rows bottom-up: stored first is the bottom row
    SetU32(file, 22, static_cast<std::uint32_t>(-2));
    const BmpReadResult read = ReadBmp(file);
    ASSERT_TRUE(read.ok());
    EXPECT_TRUE(read.image.topDown);
    EXPECT_EQ(read.image.height, 2);
    // The stored bottom row (1, 0, 1) is now the top row.
    EXPECT_EQ(read.image.PixelValue(0, 0), 0xFFFFFFu);
    EXPECT_EQ(read.image.PixelValue(1, 0), 0u);
    const Bytes info = BitmapInfoBytes(read.image);
    EXPECT_EQ(static_cast<std::int32_t>(info[8] | info[9] << 8 | info[10] << 16 | info[11] << 24), -2);
}

TEST(BmpReader, ReadsACoreHeaderWithThreeByteColours) {
    // 2 x 1 at 1 bit: file header, 12-byte header, two RGBTRIPLEs, one row.
    Bytes file(14 + 12 + 6 + 4, 0);
    file[0] = 'B';
    file[1] = 'M';
    SetU32(file, 2, static_cast<std::uint32_t>(file.size()));
    SetU32(file, 10, 32);
    SetU32(file, 14, 12);
    SetU16(file, 18, 2);
    SetU16(file, 20, 1);
    SetU16(file, 22, 1);
    SetU16(file, 24, 1);
    const std::uint8_t table[] = {0x30, 0x20, 0x10, 0x00, 0x00, 0xFF};  // blue first
    std::copy(std::begin(table), std::end(table), file.begin() + 26);
    file[32] = 0x40;  // pixels 0, 1
    const BmpReadResult read = ReadBmp(file);
    ASSERT_TRUE(read.ok()) << BmpErrorName(read.error);
    EXPECT_EQ(read.image.colourEntrySize, 3);
    EXPECT_EQ(read.image.PixelValue(0, 0), 0x102030u);
    EXPECT_EQ(read.image.PixelValue(1, 0), 0xFF0000u);
    // The system is handed an ordinary 40-byte header with 4-byte entries.
    const Bytes info = BitmapInfoBytes(read.image);
    ASSERT_EQ(info.size(), 40u + 8u);
    EXPECT_EQ(info[0], 40);
    EXPECT_EQ(info[40], 0x30);
    EXPECT_EQ(info[42], 0x10);
    EXPECT_EQ(info[44 + 2], 0xFF);
}

TEST(BmpReader, TakesAVersion5HeaderWithMasksInside) {
    // 1 x 1 at 32 bits, BI_BITFIELDS, masks inside the 124-byte header.
    Bytes file(14 + 124 + 4, 0);
    file[0] = 'B';
    file[1] = 'M';
    SetU32(file, 2, static_cast<std::uint32_t>(file.size()));
    SetU32(file, 10, 14 + 124);
    SetU32(file, 14, 124);
    SetU32(file, 18, 1);
    SetU32(file, 22, 1);
    SetU16(file, 26, 1);
    SetU16(file, 28, 32);
    SetU32(file, 30, 3);
    SetU32(file, 54, 0x00FF0000);
    SetU32(file, 58, 0x0000FF00);
    SetU32(file, 62, 0x000000FF);
    SetU32(file, 138, 0x11223344);
    const BmpReadResult read = ReadBmp(file);
    ASSERT_TRUE(read.ok()) << BmpErrorName(read.error);
    EXPECT_EQ(read.image.headerSize, 124u);
    EXPECT_EQ(read.image.PixelValue(0, 0), 0x223344u);
    const Bytes info = BitmapInfoBytes(read.image);
    ASSERT_EQ(info.size(), 52u);
    EXPECT_EQ(info[16], 3);  // BI_BITFIELDS, masks after the header
    EXPECT_EQ(info[40 + 2], 0xFF);
}

TEST(BmpWriter, RefusesInputThatIsNoPicture) {
    const std::uint32_t two[] = {0, 1};
    const std::uint32_t three[] = {0, 1, 2};
    const std::array<std::uint32_t, 3> masks{0xFF0000, 0xFF00, 0xFF};
    struct Case {
        const char* name;
        int bpp;
        std::size_t rowBytes;  // for a 2 x 1 picture
        std::span<const std::uint32_t> colours;
        bool withMasks;
        bool accepted;
    };
    const Case cases[] = {
        {"24 bits", 24, 8, {}, false, true},
        {"rows of the wrong length", 24, 6, {}, false, false},
        {"unknown depth", 12, 4, {}, false, false},
        {"indexes without a table", 1, 4, {}, false, false},
        {"1 bit with two colours", 1, 4, two, false, true},
        {"three colours at 1 bit", 1, 4, three, false, false},
        {"masks at 32 bits", 32, 8, {}, true, true},
        {"masks at 24 bits", 24, 8, {}, true, false},
    };
    for (const auto& c : cases) {
        const Bytes rows(c.rowBytes, 0);
        BmpWriteInput in;
        in.width = 2;
        in.height = 1;
        in.bitsPerPixel = c.bpp;
        in.colours = c.colours;
        if (c.withMasks) in.masks = masks;
        in.rows = rows;
        EXPECT_EQ(WriteBmp(in).has_value(), c.accepted) << c.name;
    }
}

TEST(MemoryPictureBmp, KeepsEveryPixelAndRejectsDamage) {
    MemoryPicture picture(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) picture.SetPixel(x, y, static_cast<std::uint32_t>(0x010203 * (x + 1) + 0x100000 * y));
    Bytes file = MemoryPictureToBmp(picture);
    const auto back = MemoryPictureFromBmp(file);
    ASSERT_TRUE(back);
    ASSERT_EQ(back->Width(), 5);
    ASSERT_EQ(back->Height(), 3);
    EXPECT_TRUE(std::equal(picture.Pixels().begin(), picture.Pixels().end(), back->Pixels().begin(),
                           back->Pixels().end()));

    file.resize(file.size() - 1);
    EXPECT_FALSE(MemoryPictureFromBmp(file));
    // A picture without pixels reads back as one.
    const auto empty = MemoryPictureFromBmp(MemoryPictureToBmp(MemoryPicture(0, 0)));
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->Width(), 0);
    EXPECT_EQ(empty->Height(), 0);
}

// Every picture size the history keeps is written and read back, at every
// depth; one pixel beyond the limits is refused by both.
TEST(BmpLimits, TheReaderTakesEverySizeTheHistoryKeeps) {
    struct Case {
        int width, height, bpp;
    };
    const int side = kMaxPictureSide;
    const int square = 8192;  // 8192 * 8192 is the pixel limit
    static_assert(std::uint64_t{square} * square == kMaxPicturePixels);
    const Case cases[] = {
        {side, 1, 32}, {side, 1, 24}, {1, side, 16}, {side, 2, 1}, {3, side, 8},
        {side + 1, 1, 32}, {1, side + 1, 24}, {0, 0, 32}, {0, 0, 24},
        {square, square, 1}, {square, square + 1, 1}, {square + 1, square, 4},
    };
    const std::uint32_t palette[16] = {};
    for (const auto& c : cases) {
        const bool kept = PictureSizeKept(c.width, c.height);
        const Bytes rows(BmpStride(c.width, c.bpp) * static_cast<std::size_t>(c.height), 0);
        BmpWriteInput in;
        in.width = c.width;
        in.height = c.height;
        in.bitsPerPixel = c.bpp;
        if (c.bpp <= 8) in.colours = std::span(palette, std::size_t{1} << std::min(c.bpp, 4));
        in.rows = rows;
        const auto file = WriteBmp(in);
        ASSERT_TRUE(file) << c.width << " x " << c.height << " at " << c.bpp;
        EXPECT_LE(file->size(), kMaxBmpFileBytes);
        const BmpReadResult read = ReadBmp(*file);
        EXPECT_EQ(read.ok(), kept) << c.width << " x " << c.height << " at " << c.bpp << ": "
                                   << BmpErrorName(read.error);
    }
    EXPECT_TRUE(PictureSizeKept(side, 1024));
    EXPECT_FALSE(PictureSizeKept(side, 1025));  // beyond the pixel limit
    EXPECT_FALSE(PictureSizeKept(-1, 0));
}

}  // namespace
}  // namespace swl
