#include "image/item_image.h"

#include "tests/support/rom_builder.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <ostream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using test::TempDir;

constexpr std::size_t kPixelRows = 118;  // 54 header bytes and 16 colour entries

// A Raw folder with item files, and an output folder, below one temporary folder.
struct ItemFolders : TempDir {
    ItemFolders() {
        std::filesystem::create_directory(*this / "Raw");
        std::filesystem::create_directory(*this / "Out");
    }
    void Item(unsigned number, const Bytes& bytes) const {
        char name[16];
        std::snprintf(name, sizeof name, "Raw/%03u.bin", number);
        test::WriteFile(*this / name, bytes);
    }
    ItemImageRequest Request(unsigned number, std::int32_t width, std::int32_t height,
                             const std::uint32_t* palette, const std::string& output) {
        outputPath = output;
        return ItemImageRequest{PathBuffer((*this / "Raw").c_str()), number, width, height, palette,
                                outputPath.c_str()};
    }
    std::string outputPath;
};

const std::array<std::uint32_t, 16> kGreys = [] {
    std::array<std::uint32_t, 16> palette{};
    for (std::uint32_t k = 0; k < 16; ++k) palette[k] = k * 0x111111;
    return palette;
}();

struct PixelCase {
    const char* name;
    std::int32_t width;
    std::int32_t height;
    Bytes raw;
    Bytes rows;  // the file's pixel rows, bottom row first

    friend void PrintTo(const PixelCase& c, std::ostream* os) { *os << c.name; }
};

class PixelTest : public ::testing::TestWithParam<PixelCase> {};

TEST_P(PixelTest, TurnsTopDownRawRowsIntoBottomUpStorage) {
    const PixelCase& c = GetParam();
    ItemFolders dir;
    dir.Item(7, c.raw);
    StageReport report;
    ASSERT_TRUE(ExportItemImage(dir.Request(7, c.width, c.height, kGreys.data(), dir / "Out/7.bmp"),
                                &report));
    const Bytes file = test::ReadFile(dir / "Out/7.bmp");
    ASSERT_EQ(file.size(), kPixelRows + c.rows.size());
    EXPECT_EQ(Bytes(file.begin() + kPixelRows, file.end()), c.rows);
    EXPECT_EQ(report.failedFiles, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    ItemImage, PixelTest,
    ::testing::Values(
        PixelCase{"Width4Height2", 4, 2, {0x01, 0x23, 0x45, 0x67},
                  {0x45, 0x67, 0, 0, 0x01, 0x23, 0, 0}},
        // The low nibble of an odd row's last byte fills the half byte after its last pixel.
        PixelCase{"OddWidthKeepsTheLowNibble", 3, 1, {0xAB, 0xCD}, {0xAB, 0xCD, 0, 0}},
        PixelCase{"OddWidthRowsTakeWholeBytes", 3, 2, {0xAB, 0xCD, 0x12, 0x34},
                  {0x12, 0x34, 0, 0, 0xAB, 0xCD, 0, 0}},
        PixelCase{"ShortFileLeavesZeros", 4, 2, {0x01, 0x23, 0x45},
                  {0x45, 0, 0, 0, 0x01, 0x23, 0, 0}},
        PixelCase{"EmptyFileLeavesZeros", 4, 2, {}, Bytes(8, 0)},
        PixelCase{"ExtraBytesAreIgnored", 2, 2, {0x11, 0x22, 0x33, 0x44},
                  {0x22, 0, 0, 0, 0x11, 0, 0, 0}},
        PixelCase{"Width9UsesFiveOfEightBytes", 9, 1, {1, 2, 3, 4, 5, 6}, {1, 2, 3, 4, 5, 0, 0, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ItemImage, ColourEntriesGoBlueGreenRedReserved) {
    ItemFolders dir;
    dir.Item(1, {});
    std::array<std::uint32_t, 16> palette{};
    palette[0] = 0x00FF8000;  // blue 255, green 128, red 0
    palette[1] = 0xAB0000FF;  // bits 24-31 do not reach the file
    palette[15] = 0x00123456;
    ASSERT_TRUE(ExportItemImage(dir.Request(1, 2, 2, palette.data(), dir / "Out/1.bmp")));
    const Bytes file = test::ReadFile(dir / "Out/1.bmp");
    EXPECT_EQ(Bytes(file.begin() + 54, file.begin() + 62), (Bytes{0xFF, 0x80, 0x00, 0x00, 0x00, 0x00, 0xFF, 0x00}));
    EXPECT_EQ(Bytes(file.begin() + 114, file.begin() + 118), (Bytes{0x12, 0x34, 0x56, 0x00}));
}

TEST(ItemImage, MissingRawFileWritesNothingAndIsNotCounted) {
    ItemFolders dir;
    StageReport report;
    EXPECT_FALSE(ExportItemImage(dir.Request(13, 4, 4, kGreys.data(), dir / "Out/13.bmp"), &report));
    EXPECT_FALSE(test::FileExists(dir / "Out/13.bmp"));
    EXPECT_EQ(report.failedFiles, 0u);

    // A folder in the raw file's place is no raw file either.
    std::filesystem::create_directory(dir / "Raw/013.bin");
    EXPECT_FALSE(ExportItemImage(dir.Request(13, 4, 4, kGreys.data(), dir / "Out/13.bmp"), &report));
    EXPECT_FALSE(test::FileExists(dir / "Out/13.bmp"));
    EXPECT_EQ(report.failedFiles, 0u);
}

struct SizeCase {
    const char* name;
    std::int32_t width;
    std::int32_t height;

    friend void PrintTo(const SizeCase& c, std::ostream* os) { *os << c.name; }
};

class NoPixelsTest : public ::testing::TestWithParam<SizeCase> {};

// A short image makes the ornate stage ask for such sizes; they get no file and count as no
// write failure, and an existing file of that name stays as it was.
TEST_P(NoPixelsTest, WritesNoFile) {
    ItemFolders dir;
    dir.Item(3, Bytes(64, 0xFF));
    test::WriteFile(dir / "Out/kept.bmp", {1, 2, 3});
    StageReport report;
    EXPECT_FALSE(ExportItemImage(
        dir.Request(3, GetParam().width, GetParam().height, kGreys.data(), dir / "Out/3.bmp"), &report));
    EXPECT_FALSE(ExportItemImage(
        dir.Request(3, GetParam().width, GetParam().height, kGreys.data(), dir / "Out/kept.bmp"), &report));
    EXPECT_FALSE(test::FileExists(dir / "Out/3.bmp"));
    EXPECT_EQ(test::ReadFile(dir / "Out/kept.bmp"), (Bytes{1, 2, 3}));
    EXPECT_EQ(report.failedFiles, 0u);
}

INSTANTIATE_TEST_SUITE_P(ItemImage, NoPixelsTest,
                         ::testing::Values(SizeCase{"UnreadWidth", -2, 5}, SizeCase{"UnreadHeight", 4, -1},
                                           SizeCase{"BothUnread", -2, -1}, SizeCase{"ZeroWidth", 0, 3},
                                           SizeCase{"ZeroHeight", 4, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ItemImage, TooLargeForTheStorageWritesNoFile) {
    ItemFolders dir;
    dir.Item(3, {});
    StageReport report;
    EXPECT_FALSE(ExportItemImage(dir.Request(3, 4096, 4096, kGreys.data(), dir / "Out/3.bmp"), &report));
    EXPECT_FALSE(test::FileExists(dir / "Out/3.bmp"));
    EXPECT_EQ(report.failedFiles, 0u);
}

struct WriteFailureCase {
    const char* name;
    std::int32_t width;
    std::int32_t height;
    bool folderInTheWay;  // else the output goes to /dev/full

    friend void PrintTo(const WriteFailureCase& c, std::ostream* os) { *os << c.name; }
};

class WriteFailureTest : public ::testing::TestWithParam<WriteFailureCase> {};

TEST_P(WriteFailureTest, IsCountedOnce) {
    const WriteFailureCase& c = GetParam();
    if (!c.folderInTheWay && !std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    ItemFolders dir;
    dir.Item(5, Bytes(100, 0x12));
    std::string output = "/dev/full";
    if (c.folderInTheWay) {
        output = dir / "Out/5.bmp";
        std::filesystem::create_directory(output);
    }
    StageReport report;
    EXPECT_FALSE(ExportItemImage(dir.Request(5, c.width, c.height, kGreys.data(), output), &report));
    EXPECT_EQ(report.failedFiles, 1u);
    // Without a report the failure is still told by the result.
    EXPECT_FALSE(ExportItemImage(dir.Request(5, c.width, c.height, kGreys.data(), output)));
}

INSTANTIATE_TEST_SUITE_P(ItemImage, WriteFailureTest,
                         ::testing::Values(WriteFailureCase{"CannotCreate", 4, 4, true},
                                           WriteFailureCase{"FailedClose", 4, 4, false},
                                           WriteFailureCase{"ShortWrite", 200, 100, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// Runs a command and returns what it printed, or nothing when it did not exit with 0.
bool RunCommand(const std::string& command, std::string& output) {
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return false;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
    const int status = pclose(pipe);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// An independent reader sees the size and the colours: rows top first, the left pixel of each byte
// in its high nibble, colours from the table.
TEST(ItemImage, IndependentReaderSeesSizeAndColours) {
    ItemFolders dir;
    // 5 x 3: raw rows of 3 bytes, top row first.
    dir.Item(9, {0x12, 0x34, 0x5F, 0xAB, 0xCD, 0xEF, 0x00, 0x00, 0x0F});
    std::array<std::uint32_t, 16> palette{};
    for (std::uint32_t k = 0; k < 16; ++k) palette[k] = (k * 16) | ((255 - k) << 8) | ((k * 3) << 16);
    ASSERT_TRUE(ExportItemImage(dir.Request(9, 5, 3, palette.data(), dir / "Out/9.bmp")));

    const std::string probe =
        "import sys\n"
        "from PIL import Image\n"
        "im = Image.open(sys.argv[1]).convert('RGB')\n"
        "print(im.size[0], im.size[1])\n"
        "for x, y in ((0, 0), (1, 0), (4, 0), (0, 1), (3, 1), (4, 2), (0, 2)):\n"
        "    print(*im.getpixel((x, y)))\n";
    test::WriteFile(dir / "probe.py", Bytes(probe.begin(), probe.end()));
    std::string output;
    if (!std::filesystem::exists("/usr/bin/python3") ||
        !RunCommand("/usr/bin/python3 -c 'import PIL' 2>/dev/null", output))
        GTEST_SKIP() << "no Pillow for /usr/bin/python3";
    output.clear();
    ASSERT_TRUE(RunCommand("/usr/bin/python3 '" + dir / "probe.py" + "' '" + dir / "Out/9.bmp" + "'",
                           output));

    auto colour = [&](std::uint32_t index) {
        const std::uint32_t p = palette[index];
        return std::to_string(p & 0xFF) + " " + std::to_string((p >> 8) & 0xFF) + " " +
               std::to_string((p >> 16) & 0xFF) + "\n";
    };
    const std::string expected = "5 3\n" + colour(0x1) + colour(0x2) + colour(0x5) + colour(0xA) +
                                 colour(0xD) + colour(0x0) + colour(0x0);
    EXPECT_EQ(output, expected);
}

}  // namespace
