#include "archive/raw_items.h"

#include "archive/decompress.h"
#include "archive/palette.h"
#include "extract/run_extraction.h"
#include "tests/support/rom_builder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using test::RomBuilder;
using test::TempDir;

std::int32_t Extract(const RomBuilder& rom, const TempDir& dir, int version = 0,
                     ExtractionReport* report = nullptr) {
    rom.WriteTo(dir / "image.smc");
    return RunExtraction((dir / "image.smc").c_str(), (dir / "out").c_str(), version, report);
}

struct Out : TempDir {
    Out() { std::filesystem::create_directory(*this / "out"); }
    std::string Raw(unsigned number) const {
        char name[24];
        std::snprintf(name, sizeof name, "out/Raw/%03u.bin", number);
        return *this / name;
    }
};

struct PlacementCase {
    const char* name;
    std::vector<std::uint16_t> sizes;
    std::vector<std::uint32_t> offsets;
};

class PlacementTest : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(PlacementTest, FollowsTheBankRule) {
    ItemRecord directory[kItemCount] = {};
    const PlacementCase& c = GetParam();
    for (std::size_t i = 0; i < c.sizes.size(); ++i) directory[i].storedSize = c.sizes[i];
    PlaceItems(directory);
    for (std::size_t i = 0; i < c.offsets.size(); ++i)
        EXPECT_EQ(directory[i].fileOffset, c.offsets[i]) << "item " << i;
}

INSTANTIATE_TEST_SUITE_P(
    RawItems, PlacementTest,
    ::testing::Values(
        // Item 2 passes the bank's end; item 3 would end exactly on it and moves on as well.
        PlacementCase{"WorkedExample", {0x7000, 0x0800, 0x0900, 0x7700, 0x0100},
                      {0x48200, 0x4F200, 0x50200, 0x58200, 0x5F900}},
        PlacementCase{"WholeBankItemSkipsTheEmptyBank", {0x8000, 0x10, 0x10}, {0x50200, 0x58200, 0x58210}},
        PlacementCase{"LargerItemOverlapsTheNextStart", {0x9000, 0x10}, {0x50200, 0x58200}},
        PlacementCase{"LastByteOfBankFits", {0x7FFF, 0x01}, {0x48200, 0x50200}},
        PlacementCase{"EmptyItemsShareAnOffset", {0, 0, 4, 0}, {0x48200, 0x48200, 0x48200, 0x48204}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RawItems, WritesEveryItemByItsType) {
    RomBuilder rom;
    rom.ItemBytes(0, 0, {1, 2, 3})
        .ItemBytes(1, 1, {4, 5})
        .ItemBytes(2, 2, {4, 0, 2, 0, 0x31, 0xB2, 0x02})
        .ItemBytes(3, 3, {0, 0, 0, 6, 0x02, 0x41, 0x42, 0x88, 0x02})
        .ItemBytes(4, 7, {9, 9, 9})   // no handling: empty
        .Item(5, 0, 0);               // stored, size 0: empty
    Out dir;
    EXPECT_EQ(Extract(rom, dir), kRunCompleted);
    EXPECT_EQ(test::ReadFile(dir.Raw(0)), (Bytes{1, 2, 3}));
    EXPECT_EQ(test::ReadFile(dir.Raw(1)), (Bytes{4, 5}));
    EXPECT_EQ(test::ReadFile(dir.Raw(2)), (Bytes{0x11, 0x11, 0x11, 0x12}));
    EXPECT_EQ(test::ReadFile(dir.Raw(3)), (Bytes{0x41, 0x42, 0x41, 0x42, 0x41, 0x42}));
    EXPECT_TRUE(test::ReadFile(dir.Raw(4)).empty());
    EXPECT_TRUE(test::ReadFile(dir.Raw(5)).empty());
    for (unsigned n = 0; n < kItemCount; ++n) ASSERT_TRUE(test::FileExists(dir.Raw(n))) << n;
    EXPECT_FALSE(test::FileExists(dir.Raw(695)));
}

TEST(RawItems, ItemsInLaterBanksAreReadFromTheirPlace) {
    RomBuilder rom;
    // Fill the first bank up to its last byte with item 0, so item 1 starts the second bank.
    rom.ItemBytes(0, 0, Bytes(0x7FFF, 0xAA)).ItemBytes(1, 0, {7, 8, 9});
    ASSERT_EQ(rom.ItemOffset(1), 0x48200u + 0x8000u);
    Out dir;
    EXPECT_EQ(Extract(rom, dir), kRunCompleted);
    EXPECT_EQ(test::ReadFile(dir.Raw(0)).size(), 0x7FFFu);
    EXPECT_EQ(test::ReadFile(dir.Raw(1)), (Bytes{7, 8, 9}));
}

TEST(RawItems, StoredItemPastTheImageEndKeepsWhatIsThere) {
    RomBuilder rom;
    rom.ItemBytes(0, 0, {1, 2, 3, 4, 5, 6});
    rom.Truncate(rom.ItemOffset(0) + 4);
    // The palettes lie before the items, so the stage still completes.
    Out dir;
    EXPECT_EQ(Extract(rom, dir), kRunCompleted);
    EXPECT_EQ(test::ReadFile(dir.Raw(0)), (Bytes{1, 2, 3, 4}));
}

TEST(RawItems, DistanceZeroCopiesWhatEarlierItemsLeftInTheBuffer) {
    Out dir;
    {
        // Within a run: item 0 leaves AA BB CC DD; item 1 copies four bytes from distance 0.
        RomBuilder rom;
        rom.ItemBytes(0, 0, {0xAA, 0xBB, 0xCC, 0xDD}).ItemBytes(1, 3, {0, 0, 0, 4, 0x88, 0x00});
        ASSERT_EQ(Extract(rom, dir), kRunCompleted);
        EXPECT_EQ(test::ReadFile(dir.Raw(1)), (Bytes{0xAA, 0xBB, 0xCC, 0xDD}));
    }
    {
        // A pixel item packs 1 2 3 4 into 12 34 and leaves the unpacked 3 and 4 after them.
        RomBuilder rom;
        rom.ItemBytes(0, 2, {4, 0, 1, 0, 0x91, 0x03, 0x12, 0x34}).ItemBytes(1, 3, {0, 0, 0, 4, 0x88, 0x00});
        ASSERT_EQ(Extract(rom, dir), kRunCompleted);
        EXPECT_EQ(test::ReadFile(dir.Raw(1)), (Bytes{0x12, 0x34, 0x03, 0x04}));
    }
    {
        // Across runs: the buffer keeps the last run's bytes where nothing overwrote them.
        RomBuilder rom;
        rom.ItemBytes(0, 7, {}).ItemBytes(1, 3, {0, 0, 0, 4, 0x88, 0x00});
        for (unsigned n = 2; n < kItemCount; ++n) rom.Item(n, 9, 0);
        ASSERT_EQ(Extract(rom, dir), kRunCompleted);
        EXPECT_EQ(test::ReadFile(dir.Raw(1)), (Bytes{0x12, 0x34, 0x03, 0x04}));
    }
}

TEST(RawItems, VersionDoesNotChangeTheRawItems) {
    RomBuilder rom;
    rom.ItemBytes(0, 0, {1, 2}).ItemBytes(1, 3, {0, 0, 0, 2, 0x02, 5, 6});
    Out jp, us;
    ASSERT_EQ(Extract(rom, jp, 0), kRunCompleted);
    ASSERT_EQ(Extract(rom, us, 1), kRunCompleted);
    for (unsigned n = 0; n < 3; ++n) EXPECT_EQ(test::ReadFile(jp.Raw(n)), test::ReadFile(us.Raw(n)));
}

struct CutCase {
    const char* name;
    std::size_t length;
    bool itemFiles;      // whether the raw item files are written before the failure
    const char* failure;
};

class CutImageTest : public ::testing::TestWithParam<CutCase> {};

TEST_P(CutImageTest, FailsTheFirstStage) {
    const CutCase& c = GetParam();
    RomBuilder rom;
    rom.Truncate(c.length);
    Out dir;
    ExtractionReport report;
    EXPECT_EQ(Extract(rom, dir, 0, &report), kRunRawItemsFailed);
    EXPECT_STREQ(report.Stage(OutputFolder::Raw).failure, c.failure);
    EXPECT_TRUE(std::filesystem::is_directory(dir / "out/Raw"));
    EXPECT_EQ(test::FileExists(dir.Raw(0)), c.itemFiles);
    EXPECT_EQ(test::FileExists(dir.Raw(694)), c.itemFiles);
    // No later stage ran.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir / "out"), {}), 1);
    EXPECT_FALSE(report.Stage(OutputFolder::Creatures).ran);
}

INSTANTIATE_TEST_SUITE_P(
    RawItems, CutImageTest,
    ::testing::Values(CutCase{"Empty", 0, false, "the image ends inside the item type table"},
                      CutCase{"InsideSizeTable", test::kSizeTable + 100, false,
                              "the image ends inside the item type table"},
                      CutCase{"InsideTypeTable", test::kTypeTable + 694, false,
                              "the image ends inside the item type table"},
                      CutCase{"RightAfterTypeTable", test::kTypeTable + 695, true,
                              "the image ends inside the palette tables"},
                      CutCase{"InsidePaletteB", test::kHeader + test::kJp.paletteB + 63, true,
                              "the image ends inside the palette tables"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RawItems, PaletteCutShortKeepsTheEntriesRead) {
    RomBuilder rom;
    rom.Colours(test::kJp.paletteA, std::vector<std::uint16_t>(256, 0x7FFF));
    rom.Colours(test::kJp.paletteB, {0x001F});
    rom.Truncate(test::kHeader + test::kJp.paletteB + 2);
    Palettes().paletteB[1] = 0x123456;
    Out dir;
    EXPECT_EQ(Extract(rom, dir), kRunRawItemsFailed);
    EXPECT_EQ(Palettes().paletteA[255], 0xFFFFFFu);
    EXPECT_EQ(Palettes().paletteB[0], 0x0000FFu);
    EXPECT_EQ(Palettes().paletteB[1], 0x123456u);
}

TEST(RawItems, RawFolderBlockedByAFile) {
    RomBuilder rom;
    Out dir;
    test::WriteFile(dir / "out/Raw", {1});
    ExtractionReport report;
    EXPECT_EQ(Extract(rom, dir, 0, &report), kRunRawItemsFailed);
    EXPECT_EQ(report.Stage(OutputFolder::Raw).failure, kFolderNotCreated);
    EXPECT_EQ(report.Stage(OutputFolder::Raw).error, ENOTDIR);
    EXPECT_EQ(test::ReadFile(dir / "out/Raw"), (Bytes{1}));
}

TEST(RawItems, FileThatCannotBeCreatedIsCountedAndTheOthersWritten) {
    RomBuilder rom;
    rom.ItemBytes(4, 0, {1}).ItemBytes(5, 0, {2}).ItemBytes(6, 0, {3});
    Out dir;
    // A folder in the way of 005.bin makes its creation fail, even for a privileged user.
    std::filesystem::create_directories(dir / "out/Raw/005.bin");
    ExtractionReport report;
    EXPECT_EQ(Extract(rom, dir, 0, &report), kRunCompleted);
    EXPECT_EQ(report.Stage(OutputFolder::Raw).failedFiles, 1u);
    EXPECT_EQ(test::ReadFile(dir.Raw(4)), (Bytes{1}));
    EXPECT_EQ(test::ReadFile(dir.Raw(6)), (Bytes{3}));
}

TEST(RawItems, AnEarlierFileIsOverwritten) {
    RomBuilder rom;
    rom.ItemBytes(0, 0, {1});
    Out dir;
    std::filesystem::create_directories(dir / "out/Raw");
    test::WriteFile(dir.Raw(0), Bytes(100, 9));
    EXPECT_EQ(Extract(rom, dir), kRunCompleted);
    EXPECT_EQ(test::ReadFile(dir.Raw(0)), (Bytes{1}));
}

}  // namespace
