#include "image/dib_image.h"

#include "tests/support/rom_builder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using test::TempDir;

std::uint32_t Le32(const Bytes& bytes, std::size_t at) {
    return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) |
           (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

std::uint16_t Le16(const Bytes& bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

struct HeaderCase {
    const char* name;
    std::int32_t width;
    std::int32_t height;
    std::uint16_t bits;
    std::uint32_t stride;
    std::uint32_t colours;      // colour table entries in the file
    std::uint32_t pixelOffset;
    std::uint32_t fileSize;

    friend void PrintTo(const HeaderCase& c, std::ostream* os) { *os << c.name; }
};

class HeaderTest : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(HeaderTest, LaysOutHeadersTableAndRows) {
    const HeaderCase& c = GetParam();
    TempDir dir;
    CDibImage bitmap;
    ASSERT_TRUE(bitmap.Create(c.width, c.height, c.bits, nullptr, 0));
    EXPECT_EQ(bitmap.Stride(), static_cast<std::int32_t>(c.stride));
    // A marker in the bottom storage row and one in the top row show that the storage is written
    // unchanged, bottom row first.
    bitmap.StorageRow(0)[0] = 0xA5;
    bitmap.StorageRow(c.height - 1)[c.stride - 1] = 0x5A;
    ASSERT_TRUE(bitmap.WriteBitmapFile((dir / "out.bmp").c_str()));

    const Bytes file = test::ReadFile(dir / "out.bmp");
    ASSERT_EQ(file.size(), c.fileSize);
    const std::uint32_t imageSize = c.stride * static_cast<std::uint32_t>(c.height);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(Le32(file, 2), c.fileSize);
    EXPECT_EQ(Le32(file, 6), 0u);
    EXPECT_EQ(Le32(file, 10), c.pixelOffset);
    EXPECT_EQ(Le32(file, 14), 40u);
    EXPECT_EQ(Le32(file, 18), static_cast<std::uint32_t>(c.width));
    EXPECT_EQ(Le32(file, 22), static_cast<std::uint32_t>(c.height));
    EXPECT_EQ(Le16(file, 26), 1u);
    EXPECT_EQ(Le16(file, 28), c.bits);
    EXPECT_EQ(Le32(file, 30), 0u);
    EXPECT_EQ(Le32(file, 34), imageSize);
    EXPECT_EQ(Le32(file, 38), 0u);
    EXPECT_EQ(Le32(file, 42), 0u);
    EXPECT_EQ(Le32(file, 46), c.colours);
    EXPECT_EQ(Le32(file, 50), c.colours);
    EXPECT_EQ(file[c.pixelOffset], 0xA5);
    EXPECT_EQ(file[c.pixelOffset + imageSize - 1], 0x5A);
    // Everything else of the storage starts zero.
    for (std::uint32_t i = 1; i + 1 < imageSize; ++i) ASSERT_EQ(file[c.pixelOffset + i], 0) << i;
}

INSTANTIATE_TEST_SUITE_P(
    Bitmap, HeaderTest,
    ::testing::Values(HeaderCase{"Width3Height2", 3, 2, 4, 4, 16, 118, 126},
                      HeaderCase{"Width32Height16", 32, 16, 4, 16, 16, 118, 374},
                      HeaderCase{"Width9RoundsFiveBytesToEight", 9, 1, 4, 8, 16, 118, 126},
                      HeaderCase{"Width8RoundsFourBytesToFour", 8, 3, 4, 4, 16, 118, 130},
                      HeaderCase{"Largest4BitPicture", 510, 255, 4, 256, 16, 118, 118 + 65280},
                      HeaderCase{"EightBits", 5, 3, 8, 8, 256, 1078, 1078 + 24},
                      HeaderCase{"TwentyFourBits", 5, 3, 24, 16, 0, 54, 54 + 48},
                      HeaderCase{"ThirtyTwoBits", 2, 2, 32, 8, 0, 54, 54 + 16},
                      HeaderCase{"OneBitHasNoTableInTheFile", 9, 2, 1, 4, 0, 54, 54 + 8}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Bitmap, WritesTheKeptColourTable) {
    TempDir dir;
    RgbQuad colours[16] = {};
    for (std::uint8_t k = 0; k < 16; ++k) colours[k] = RgbQuad{k, std::uint8_t(k + 0x40), std::uint8_t(k + 0x80), 0};
    colours[3] = RgbQuad{0xFF, 0x80, 0x00, 0x00};
    CDibImage bitmap;
    ASSERT_TRUE(bitmap.Create(2, 1, 4, colours, 16));
    ASSERT_TRUE(bitmap.WriteBitmapFile((dir / "out.bmp").c_str()));
    const Bytes file = test::ReadFile(dir / "out.bmp");
    ASSERT_EQ(file.size(), 122u);
    for (std::size_t k = 0; k < 16; ++k) {
        EXPECT_EQ(file[54 + 4 * k], colours[k].blue) << k;
        EXPECT_EQ(file[55 + 4 * k], colours[k].green) << k;
        EXPECT_EQ(file[56 + 4 * k], colours[k].red) << k;
        EXPECT_EQ(file[57 + 4 * k], 0) << k;
    }
    EXPECT_EQ(Bytes(file.begin() + 66, file.begin() + 70), (Bytes{0xFF, 0x80, 0x00, 0x00}));
}

TEST(Bitmap, EightBitTableHoldsTheGivenColoursThenZero) {
    TempDir dir;
    RgbQuad colours[2] = {{1, 2, 3, 0}, {4, 5, 6, 0}};
    CDibImage bitmap;
    ASSERT_TRUE(bitmap.Create(1, 1, 8, colours, 2));
    ASSERT_TRUE(bitmap.WriteBitmapFile((dir / "out.bmp").c_str()));
    const Bytes file = test::ReadFile(dir / "out.bmp");
    ASSERT_EQ(file.size(), 1078u + 4);
    EXPECT_EQ(Bytes(file.begin() + 54, file.begin() + 62), (Bytes{1, 2, 3, 0, 4, 5, 6, 0}));
    for (std::size_t i = 62; i < 1078; ++i) ASSERT_EQ(file[i], 0) << i;
}

TEST(Bitmap, BitmapWithoutRowsLeavesHeadersAndTableAndFails) {
    TempDir dir;
    CDibImage bitmap;
    ASSERT_TRUE(bitmap.Create(4, 0, 4, nullptr, 0));
    EXPECT_FALSE(bitmap.WriteBitmapFile((dir / "out.bmp").c_str()));
    const Bytes file = test::ReadFile(dir / "out.bmp");
    ASSERT_EQ(file.size(), 118u);
    EXPECT_EQ(Le32(file, 2), 118u);
    EXPECT_EQ(Le32(file, 34), 0u);
}

TEST(Bitmap, FolderThatDoesNotExistGivesFalseAndNoFile) {
    TempDir dir;
    CDibImage bitmap;
    ASSERT_TRUE(bitmap.Create(4, 4, 4, nullptr, 0));
    EXPECT_FALSE(bitmap.WriteBitmapFile((dir / "missing/out.bmp").c_str()));
    EXPECT_FALSE(test::FileExists(dir / "missing"));
}

TEST(Bitmap, ReplacesAnExistingFile) {
    TempDir dir;
    test::WriteFile(dir / "out.bmp", Bytes(1000, 0xEE));
    CDibImage bitmap;
    ASSERT_TRUE(bitmap.Create(3, 2, 4, nullptr, 0));
    ASSERT_TRUE(bitmap.WriteBitmapFile((dir / "out.bmp").c_str()));
    EXPECT_EQ(test::ReadFile(dir / "out.bmp").size(), 126u);

    // Truncated even when the write then fails.
    test::WriteFile(dir / "out.bmp", Bytes(1000, 0xEE));
    ASSERT_TRUE(bitmap.Create(3, 0, 4, nullptr, 0));
    EXPECT_FALSE(bitmap.WriteBitmapFile((dir / "out.bmp").c_str()));
    EXPECT_EQ(test::ReadFile(dir / "out.bmp").size(), 118u);
}

// /dev/full takes the open and refuses every byte: a small file fails only when its buffered bytes
// are flushed at the close, a large one already in the pixel write.
struct FullDeviceCase {
    const char* name;
    std::int32_t width;
    std::int32_t height;

    friend void PrintTo(const FullDeviceCase& c, std::ostream* os) { *os << c.name; }
};

class FullDeviceTest : public ::testing::TestWithParam<FullDeviceCase> {};

TEST_P(FullDeviceTest, LostBytesGiveFalse) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    CDibImage bitmap;
    ASSERT_TRUE(bitmap.Create(GetParam().width, GetParam().height, 4, nullptr, 0));
    EXPECT_FALSE(bitmap.WriteBitmapFile("/dev/full"));
}

INSTANTIATE_TEST_SUITE_P(Bitmap, FullDeviceTest,
                         ::testing::Values(FullDeviceCase{"FailedClose", 4, 4},
                                           FullDeviceCase{"ShortWrite", 510, 255}),
                         [](const auto& info) { return std::string(info.param.name); });

struct RefusedCase {
    const char* name;
    std::int32_t width;
    std::int32_t height;
    std::uint16_t bits;

    friend void PrintTo(const RefusedCase& c, std::ostream* os) { *os << c.name; }
};

class RefusedTest : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedTest, HoldsNothing) {
    const RefusedCase& c = GetParam();
    CDibImage bitmap;
    EXPECT_FALSE(bitmap.Create(c.width, c.height, c.bits, nullptr, 0));
    EXPECT_FALSE(bitmap.IsCreated());
    // The storage was not kept: another bitmap can be made.
    CDibImage next;
    EXPECT_TRUE(next.Create(4, 4, 4, nullptr, 0));
}

INSTANTIATE_TEST_SUITE_P(
    Bitmap, RefusedTest,
    ::testing::Values(RefusedCase{"NegativeWidth", -2, 4, 4}, RefusedCase{"NegativeHeight", 4, -1, 4},
                      RefusedCase{"StoragePastTheBuffer", 1024, 1024, 24},
                      RefusedCase{"HugeWidth", 0x7FFFFFFF, 1, 32},
                      RefusedCase{"UnknownDepth", 4, 4, 3}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Bitmap, StorageFillsTheBufferExactlyButNoMore) {
    CDibImage bitmap;
    // 24 bits: a width of 4 gives 12-byte rows.
    const std::int32_t rows = static_cast<std::int32_t>(CDibImage::kStorageBytes / 12);
    EXPECT_TRUE(bitmap.Create(4, rows, 24, nullptr, 0));
    EXPECT_FALSE(bitmap.Create(4, rows + 1, 24, nullptr, 0));
}

TEST(Bitmap, OneBitmapHoldsTheStorageAtATime) {
    CDibImage first;
    ASSERT_TRUE(first.Create(8, 8, 4, nullptr, 0));
    first.StorageRow(0)[0] = 0x77;
    CDibImage second;
    EXPECT_FALSE(second.Create(8, 8, 4, nullptr, 0));
    EXPECT_EQ(first.StorageRow(0)[0], 0x77);
    first.Release();
    ASSERT_TRUE(second.Create(8, 8, 4, nullptr, 0));
    // A new bitmap starts zero-filled, whatever the last one left.
    EXPECT_EQ(second.StorageRow(0)[0], 0);
}

TEST(Bitmap, ColourTableReadBackDeliversWhatTheDepthHolds) {
    CDibImage bitmap;
    RgbQuad colours[16] = {};
    colours[15] = {9, 8, 7, 0};
    ASSERT_TRUE(bitmap.Create(1, 1, 4, colours, 16));
    RgbQuad table[256];
    EXPECT_EQ(bitmap.GetColourTable(0, 256, table), 16u);
    EXPECT_EQ(table[15].blue, 9);
    EXPECT_EQ(bitmap.GetColourTable(12, 16, table), 4u);
    ASSERT_TRUE(bitmap.Create(1, 1, 24, nullptr, 0));
    EXPECT_EQ(bitmap.GetColourTable(0, 16, table), 0u);
}

}  // namespace
