#include "archive/palette.h"

#include "extract/run_extraction.h"
#include "tests/support/rom_builder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace {

using test::RomBuilder;
using test::TempDir;

struct WordCase {
    std::uint32_t word;
    std::uint32_t colour;
    friend void PrintTo(const WordCase& c, std::ostream* os) { *os << std::hex << "0x" << c.word; }
};

class ColourWordTest : public ::testing::TestWithParam<WordCase> {};

TEST_P(ColourWordTest, WidensEachChannel) {
    EXPECT_EQ(ColourFromWord(GetParam().word), GetParam().colour);
}

INSTANTIATE_TEST_SUITE_P(Palette, ColourWordTest,
                         ::testing::Values(WordCase{0x7FFF, 0x00FFFFFF}, WordCase{0x001F, 0x000000FF},
                                           WordCase{0x03E0, 0x0000FF00}, WordCase{0x7C00, 0x00FF0000},
                                           WordCase{0x8000, 0}, WordCase{0xFFFF, 0x00FFFFFF},
                                           WordCase{0x1234, 0x00208BA4},
                                           // Truncation, not rounding: 3 gives 24 and 5 gives 41.
                                           WordCase{0x0003, 24}, WordCase{0x0005, 41},
                                           WordCase{0x0010, 131}, WordCase{0x001E, 246},
                                           WordCase{3 << 5, 24 << 8}, WordCase{5 << 10, 41 << 16}));

TEST(Palette, EveryChannelValueIsTheTruncatedQuotient) {
    for (std::uint32_t c = 0; c < 32; ++c) {
        const std::uint32_t wide = c * 255 / 31;
        EXPECT_EQ(ColourFromWord(c), wide) << c;
        EXPECT_EQ(ColourFromWord(c << 5), wide << 8) << c;
        EXPECT_EQ(ColourFromWord(c << 10), wide << 16) << c;
    }
}

// Both tables filled from one made-up colour word per entry, laid at the version's file offsets.
std::uint16_t WordA(std::uint32_t i) { return static_cast<std::uint16_t>(i * 0x0421 + 0x8000 * (i & 1)); }
std::uint16_t WordB(std::uint32_t i) { return static_cast<std::uint16_t>(0x7FFF - i * 0x0123); }

std::vector<std::uint8_t> Words(std::uint16_t (*word)(std::uint32_t), std::uint32_t count) {
    std::vector<std::uint8_t> bytes;
    for (std::uint32_t i = 0; i < count; ++i) {
        bytes.push_back(static_cast<std::uint8_t>(word(i)));
        bytes.push_back(static_cast<std::uint8_t>(word(i) >> 8));
    }
    return bytes;
}

std::uint32_t Widened(std::uint16_t word) {
    auto wide = [](std::uint32_t c) { return c * 255 / 31; };
    return wide(word & 0x1F) | (wide((word >> 5) & 0x1F) << 8) | (wide((word >> 10) & 0x1F) << 16);
}

struct OffsetCase {
    const char* name;
    std::int32_t versionIndex;
    std::size_t paletteAFileOffset;
    std::size_t paletteBFileOffset;

    friend void PrintTo(const OffsetCase& c, std::ostream* os) { *os << c.name; }
};

class PaletteOffsetTest : public ::testing::TestWithParam<OffsetCase> {};

TEST_P(PaletteOffsetTest, ReadsBothTablesWhole) {
    const OffsetCase& c = GetParam();
    RomBuilder rom;
    rom.Put(c.paletteAFileOffset, Words(WordA, 256)).Put(c.paletteBFileOffset, Words(WordB, 32));
    TempDir dir;
    rom.WriteTo(dir / "image.smc");
    ASSERT_EQ(RunExtraction((dir / "image.smc").c_str(), dir.Path().c_str(), c.versionIndex),
              kRunCompleted);
    for (std::uint32_t i = 0; i < 256; ++i) ASSERT_EQ(Palettes().paletteA[i], Widened(WordA(i))) << i;
    for (std::uint32_t i = 0; i < 32; ++i) ASSERT_EQ(Palettes().paletteB[i], Widened(WordB(i))) << i;
}

INSTANTIATE_TEST_SUITE_P(Palette, PaletteOffsetTest,
                         ::testing::Values(OffsetCase{"Jp10", 0, 1318, 160477},
                                           OffsetCase{"Us", 1, 1326, 160634}),
                         [](const auto& info) { return std::string(info.param.name); });

struct CutCase {
    const char* name;
    std::int32_t versionIndex;
    test::Offsets offsets;
    std::uint32_t paletteBRead;  // entries of paletteB before the image ends

    friend void PrintTo(const CutCase& c, std::ostream* os) { *os << c.name; }
};

class PaletteCutTest : public ::testing::TestWithParam<CutCase> {};

// The palettes are read after every raw file is written; an image that ends inside them fails the
// first stage, so no picture or sound stage runs and none of their folders appears.
TEST_P(PaletteCutTest, FailsTheFirstStageAfterTheRawFiles) {
    RomBuilder rom;
    const CutCase& c = GetParam();
    rom.Colours(c.offsets.paletteA, std::vector<std::uint16_t>(256, 0x7C00));
    rom.Colours(c.offsets.paletteB, std::vector<std::uint16_t>(32, 0x03E0));
    rom.Truncate(test::kHeader + c.offsets.paletteB + 2 * c.paletteBRead + 1);
    TempDir dir;
    rom.WriteTo(dir / "image.smc");
    Palettes() = PaletteTables{};
    ExtractionReport report;
    EXPECT_EQ(RunExtraction((dir / "image.smc").c_str(), dir.Path().c_str(), c.versionIndex, &report),
              kRunRawItemsFailed);
    EXPECT_STREQ(report.Stage(OutputFolder::Raw).failure, "the image ends inside the palette tables");

    for (unsigned item = 0; item < test::kItems; ++item) {
        char name[16];
        std::snprintf(name, sizeof name, "Raw/%03u.bin", item);
        ASSERT_TRUE(test::FileExists(dir / name)) << name;
    }
    for (const char* folder : {"Creatures", "Wall_Ornates", "Floor_Ornates", "Misc", "Snd"})
        EXPECT_FALSE(std::filesystem::exists(dir / folder)) << folder;
    for (OutputFolder folder : {OutputFolder::Creatures, OutputFolder::WallOrnates,
                                OutputFolder::FloorOrnates, OutputFolder::Misc, OutputFolder::Snd})
        EXPECT_FALSE(report.Stage(folder).ran);

    // paletteA is filled; of paletteB the entries converted before the end keep their colours and
    // the rest stay as they were.
    for (std::uint32_t i = 0; i < 256; ++i) ASSERT_EQ(Palettes().paletteA[i], 0xFF0000u) << i;
    for (std::uint32_t i = 0; i < 32; ++i)
        ASSERT_EQ(Palettes().paletteB[i], i < c.paletteBRead ? 0x00FF00u : 0u) << i;
}

INSTANTIATE_TEST_SUITE_P(
    Palette, PaletteCutTest,
    ::testing::Values(CutCase{"Jp10", 0, test::kJp, 5}, CutCase{"Us", 1, test::kUs, 0},
                      CutCase{"UsLastEntry", 1, test::kUs, 31}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
