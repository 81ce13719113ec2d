#include "image/creatures.h"
#include "image/misc.h"
#include "image/ornates.h"

#include "archive/palette.h"
#include "extract/run_extraction.h"
#include "extract/version_profile.h"
#include "platform/file.h"
#include "tests/support/rom_builder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <set>
#include <ostream>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using test::RomBuilder;
using test::TempDir;

std::uint32_t Le32(const Bytes& bytes, std::size_t at) {
    return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) |
           (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

// What a test needs to know of a 4-bit bitmap file.
struct Bmp {
    explicit Bmp(const std::string& path) : bytes(test::ReadFile(path)) {}
    std::int32_t Width() const { return static_cast<std::int32_t>(Le32(bytes, 18)); }
    std::int32_t Height() const { return static_cast<std::int32_t>(Le32(bytes, 22)); }
    std::uint32_t Stride() const { return Le32(bytes, 34) / static_cast<std::uint32_t>(Height()); }
    // Byte i of the picture's top row, which the file stores last.
    std::uint8_t TopRow(std::size_t i) const {
        return bytes[118 + (Height() - 1) * Stride() + i];
    }
    // Colour table entry k as a palette value: red in bits 0-7, green 8-15, blue 16-23.
    std::uint32_t Colour(std::size_t k) const {
        return bytes[56 + 4 * k] | (bytes[55 + 4 * k] << 8) | (bytes[54 + 4 * k] << 16);
    }
    Bytes bytes;
};

std::set<std::string> FilesIn(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

std::string Name(const char* pattern, unsigned a, unsigned b = 0, unsigned c = 0) {
    char name[32];
    std::snprintf(name, sizeof name, pattern, a, b, c);
    return name;
}

// Each raw item of interest holds the low and high byte of its own number, so the top row of
// its picture tells which item it was made from.
void AddNumberedItems(RomBuilder& rom, const std::set<unsigned>& items) {
    for (unsigned item : items)
        rom.ItemBytes(item, 0, {static_cast<std::uint8_t>(item), static_cast<std::uint8_t>(item >> 8)});
}

struct VersionCase {
    const char* name;
    std::int32_t versionIndex;
    test::Offsets offsets;

    friend void PrintTo(const VersionCase& c, std::ostream* os) { *os << c.name; }
};

const auto kVersions = ::testing::Values(VersionCase{"Jp10", 0, test::kJp}, VersionCase{"Us", 1, test::kUs});
const auto kVersionName = [](const auto& info) { return std::string(info.param.name); };

// A run over an image built by the test, into dir/out.
struct RunFolder : TempDir {
    std::int32_t Extract(const RomBuilder& rom, std::int32_t version) {
        std::filesystem::create_directory(*this / "out");
        rom.WriteTo(*this / "image.smc");
        return RunExtraction((*this / "image.smc").c_str(), (*this / "out").c_str(), version, &report);
    }
    std::string Out(const std::string& name) const { return *this / ("out/" + name); }
    ExtractionReport report;
};

// ---- Creatures ----

struct CreaturePicture {
    unsigned slot;
    unsigned item;
    std::int32_t width;
    std::int32_t height;
};

struct CreatureCase {
    unsigned creature;
    Bytes record;  // 12 bytes
    std::vector<CreaturePicture> pictures;
};

// Every combination of the three size pairs being present, the worked example, the highest
// first-item byte, and unused bytes filled with junk.
const std::vector<CreatureCase> kCreatureCases = {
    {0, {9, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {}},
    {1, {9, 0, 0, 0, 0, 7, 5, 6, 0, 0, 0, 0}, {}},
    {2, {9, 0, 0, 0, 0, 7, 0, 0, 5, 6, 0, 0}, {}},
    {3, {0x05, 0, 0, 0, 0x0C, 0x40, 0x0A, 0x38, 0, 0, 0, 0},
     {{0, 378, 24, 64}, {1, 379, 20, 56}, {2, 380, 24, 64}}},
    {4, {10, 0xEE, 0xEE, 0xEE, 3, 4, 0, 9, 0, 9, 0xEE, 0xEE}, {{0, 383, 6, 4}}},
    {5, {20, 0, 0, 0, 3, 4, 0, 9, 5, 6, 0, 0}, {{0, 393, 6, 4}, {3, 394, 10, 6}}},
    {6, {30, 0, 0, 0, 2, 3, 4, 5, 6, 7, 0xFF, 0xFF},
     {{0, 403, 4, 3}, {1, 404, 8, 5}, {2, 405, 4, 3}, {3, 406, 12, 7}}},
    {7, {255, 0, 0, 0, 2, 1, 3, 2, 4, 3, 0, 0},
     {{0, 628, 4, 1}, {1, 629, 6, 2}, {2, 630, 4, 1}, {3, 631, 8, 3}}},
    {8, {40, 0, 0, 0, 0, 9, 5, 6, 7, 8, 0, 0}, {}},
    {9, {41, 0, 0, 0, 8, 2, 1, 1, 0, 0, 0, 0}, {{0, 414, 16, 2}, {1, 415, 2, 1}, {2, 416, 16, 2}}},
    {26, {50, 0, 0, 0, 2, 2, 0, 0, 0, 0, 0, 0}, {{0, 423, 4, 2}}},
};

RomBuilder CreatureImage(const test::Offsets& offsets) {
    RomBuilder rom;
    rom.Colours(offsets.paletteA, {0x7C00, 0x001F});
    std::set<unsigned> items;
    for (const CreatureCase& c : kCreatureCases) {
        rom.Put(test::kHeader + offsets.creatures + 12 * c.creature, c.record);
        for (const CreaturePicture& p : c.pictures) items.insert(p.item);
    }
    AddNumberedItems(rom, items);
    return rom;
}

class CreatureRunTest : public ::testing::TestWithParam<VersionCase> {};

TEST_P(CreatureRunTest, MakesThePicturesOfTheViewSlotsThatExist) {
    RunFolder run;
    ASSERT_EQ(run.Extract(CreatureImage(GetParam().offsets), GetParam().versionIndex), kRunCompleted);
    const StageReport& stage = run.report.Stage(OutputFolder::Creatures);
    EXPECT_TRUE(stage.succeeded);
    EXPECT_EQ(stage.failedFiles, 0u);

    std::set<std::string> expected;
    for (const CreatureCase& c : kCreatureCases) {
        for (const CreaturePicture& p : c.pictures) {
            const std::string name = Name("%02u.%1u.bmp", c.creature, p.slot);
            expected.insert(name);
            SCOPED_TRACE(name);
            ASSERT_TRUE(test::FileExists(run.Out("Creatures/" + name)));
            const Bmp bmp(run.Out("Creatures/" + name));
            EXPECT_EQ(bmp.Width(), p.width);
            EXPECT_EQ(bmp.Height(), p.height);
            EXPECT_EQ(bmp.TopRow(0), p.item & 0xFF);
            // paletteA from entry 0.
            EXPECT_EQ(bmp.Colour(0), 0xFF0000u);
            EXPECT_EQ(bmp.Colour(1), 0x0000FFu);
        }
    }
    EXPECT_EQ(FilesIn(run.Out("Creatures")), expected);
}

INSTANTIATE_TEST_SUITE_P(Creatures, CreatureRunTest, kVersions, kVersionName);

struct CreatureDirect : TempDir {
    CreatureDirect() {
        std::filesystem::create_directories(*this / "out/Raw");
        for (unsigned item : {378u, 379u, 380u})
            test::WriteFile(*this / Name("out/Raw/%03u.bin", item), {0x11, 0x22});
    }
};

TEST(Creatures, ImageEndingInsideTheTableKeepsTheCreaturesReadWhole) {
    CreatureDirect dir;
    RomBuilder rom = CreatureImage(test::kJp);
    // Creatures 0 to 3 are whole; creature 4's record is cut.
    rom.Truncate(test::kHeader + test::kJp.creatures + 12 * 4 + 5);
    rom.WriteTo(dir / "image.smc");
    platform::File file;
    ASSERT_TRUE(file.OpenForReading((dir / "image.smc").c_str()));
    const VersionProfileJp10 profile;
    StageReport report;
    EXPECT_FALSE(ExtractCreatures(&file, PathBuffer((dir / "out").c_str()), &profile, &report));
    EXPECT_STREQ(report.failure, "the image ends inside the creature table");
    EXPECT_EQ(FilesIn(dir / "out/Creatures"),
              (std::set<std::string>{"03.0.bmp", "03.1.bmp", "03.2.bmp"}));
}

TEST(Creatures, FolderInTheWayFailsBeforeReading) {
    CreatureDirect dir;
    test::WriteFile(dir / "out/Creatures", {});
    platform::File unopened;  // any read of it would raise
    const VersionProfileJp10 profile;
    StageReport report;
    EXPECT_FALSE(ExtractCreatures(&unopened, PathBuffer((dir / "out").c_str()), &profile, &report));
    EXPECT_STREQ(report.failure, kFolderNotCreated);
}

// ---- Ornates ----

// Wall ornates 5 and 7 use set 2, the rest set 0; floor ornate 3 uses set 1, the rest set 0.
constexpr unsigned kWallSet(unsigned n) { return n == 5 || n == 7 ? 2 : 0; }
constexpr unsigned kFloorSet(unsigned m) { return m == 3 ? 1 : 0; }
// Width byte and height of every record that serves a picture; the records that serve none hold
// a junk size, so a wrong record shows.
constexpr std::uint8_t WallWidthByte(unsigned set, unsigned record) { return static_cast<std::uint8_t>(2 + set + record - 11); }
constexpr std::uint8_t WallHeight(unsigned set, unsigned record) { return static_cast<std::uint8_t>(3 + 4 * set + record); }
constexpr std::uint8_t FloorWidthByte(unsigned set, unsigned record) { return static_cast<std::uint8_t>(1 + record + 3 * set); }
constexpr std::uint8_t FloorHeight(unsigned set, unsigned record) { return static_cast<std::uint8_t>(10 + record + 20 * set); }

Bytes Record(std::uint8_t widthByte, std::uint8_t height) { return {0xAA, 0xBB, 0xCC, 0xDD, widthByte, height}; }

RomBuilder OrnateImage(const test::Offsets& offsets) {
    RomBuilder rom;
    rom.Colours(offsets.paletteA, {0x03E0});
    for (unsigned n = 0; n < 60; ++n) rom.Put(test::kHeader + offsets.wallIndex + n, {std::uint8_t(kWallSet(n))});
    for (unsigned m = 0; m < 9; ++m) rom.Put(test::kHeader + offsets.floorIndex + m, {std::uint8_t(kFloorSet(m))});
    for (unsigned set : {0u, 2u})
        for (unsigned record = 0; record < 13; ++record)
            rom.Put(test::kHeader + offsets.wallTable + 78 * set + 6 * record,
                    record >= 11 ? Record(WallWidthByte(set, record), WallHeight(set, record))
                                 : Record(0x77, 0x77));
    for (unsigned set : {0u, 1u})
        for (unsigned record = 0; record < 9; ++record)
            rom.Put(test::kHeader + offsets.floorTable + 54 * set + 6 * record,
                    record % 3 != 0 ? Record(FloorWidthByte(set, record), FloorHeight(set, record))
                                    : Record(0x66, 0x66));
    // The worked example of the floors: record 8 of set 1 is 16 bytes wide and 20 rows high.
    rom.Put(test::kHeader + offsets.floorTable + 54 + 48, Record(16, 20));
    std::set<unsigned> items;
    for (unsigned item = 48; item <= 227; ++item) items.insert(item);
    AddNumberedItems(rom, items);
    return rom;
}

class OrnateRunTest : public ::testing::TestWithParam<VersionCase> {};

TEST_P(OrnateRunTest, WallsTakeRecords11And12OfTheirSet) {
    RunFolder run;
    ASSERT_EQ(run.Extract(OrnateImage(GetParam().offsets), GetParam().versionIndex), kRunCompleted);
    EXPECT_TRUE(run.report.Stage(OutputFolder::WallOrnates).succeeded);
    EXPECT_EQ(run.report.Stage(OutputFolder::WallOrnates).failedFiles, 0u);
    std::set<std::string> expected;
    for (unsigned n = 0; n < 60; ++n) {
        for (unsigned j = 0; j < 2; ++j) {
            const std::string name = Name("%02u.%u.bmp", n, j);
            expected.insert(name);
            SCOPED_TRACE(name);
            ASSERT_TRUE(test::FileExists(run.Out("Wall_Ornates/" + name)));
            const Bmp bmp(run.Out("Wall_Ornates/" + name));
            EXPECT_EQ(bmp.Width(), 2 * WallWidthByte(kWallSet(n), 11 + j));
            EXPECT_EQ(bmp.Height(), WallHeight(kWallSet(n), 11 + j));
            EXPECT_EQ(bmp.TopRow(0), 48 + 2 * n + j);
            EXPECT_EQ(bmp.Colour(0), 0x00FF00u);
        }
    }
    EXPECT_EQ(FilesIn(run.Out("Wall_Ornates")), expected);

    // Wall ornate 5, set 2, picture 1: record 12 of set 2, raw item 59.
    const Bmp example(run.Out("Wall_Ornates/05.1.bmp"));
    EXPECT_EQ(example.Width(), 2 * (2 + 2 + 1));
    EXPECT_EQ(example.Height(), 3 + 8 + 12);
    EXPECT_EQ(example.TopRow(0), 59);
}

TEST_P(OrnateRunTest, FloorsTakeRecord3vPlus2MinusJOfTheirSet) {
    RunFolder run;
    ASSERT_EQ(run.Extract(OrnateImage(GetParam().offsets), GetParam().versionIndex), kRunCompleted);
    EXPECT_TRUE(run.report.Stage(OutputFolder::FloorOrnates).succeeded);
    EXPECT_EQ(run.report.Stage(OutputFolder::FloorOrnates).failedFiles, 0u);
    // Group v, picture j: records 2 1, 5 4, 8 7.
    const unsigned records[3][2] = {{2, 1}, {5, 4}, {8, 7}};
    std::set<std::string> expected;
    for (unsigned m = 0; m < 9; ++m) {
        for (unsigned v = 0; v < 3; ++v) {
            for (unsigned j = 0; j < 2; ++j) {
                const std::string name = Name("%02u.%u.%u.bmp", m, v, j);
                expected.insert(name);
                SCOPED_TRACE(name);
                ASSERT_TRUE(test::FileExists(run.Out("Floor_Ornates/" + name)));
                const Bmp bmp(run.Out("Floor_Ornates/" + name));
                const unsigned set = kFloorSet(m), record = records[v][j];
                if (set == 1 && record == 8) continue;  // the worked example, below
                EXPECT_EQ(bmp.Width(), 2 * FloorWidthByte(set, record));
                EXPECT_EQ(bmp.Height(), FloorHeight(set, record));
                EXPECT_EQ(bmp.TopRow(0), 174 + 6 * m + 2 * v + j);
                EXPECT_EQ(bmp.Colour(0), 0x00FF00u);
            }
        }
    }
    EXPECT_EQ(FilesIn(run.Out("Floor_Ornates")), expected);

    // Floor ornate 3, set 1, group 2, picture 0: record 8 of set 1, raw item 196, 32 x 20.
    const Bmp example(run.Out("Floor_Ornates/03.2.0.bmp"));
    EXPECT_EQ(example.Width(), 32);
    EXPECT_EQ(example.Height(), 20);
    EXPECT_EQ(example.TopRow(0), 196);
}

INSTANTIATE_TEST_SUITE_P(Ornates, OrnateRunTest, kVersions, kVersionName);

struct ShortOrnateCase {
    const char* name;
    std::size_t length;  // the image is cut here

    friend void PrintTo(const ShortOrnateCase& c, std::ostream* os) { *os << c.name; }
};

class ShortOrnateTest : public ::testing::TestWithParam<ShortOrnateCase> {};

// Called on its own over an image that ends inside its tables, the stage reads -1 for the bytes it
// cannot have and so asks for pictures of width -2 and height -1: none gets a file, none counts
// as a write failure, and the stage still succeeds.
TEST_P(ShortOrnateTest, UnreadableSizesWriteNoFile) {
    TempDir dir;
    std::filesystem::create_directories(dir / "out/Raw");
    for (unsigned item = 48; item <= 227; ++item) test::WriteFile(dir / Name("out/Raw/%03u.bin", item), {1});
    RomBuilder rom = OrnateImage(test::kJp);
    rom.Truncate(GetParam().length);
    rom.WriteTo(dir / "image.smc");
    platform::File file;
    ASSERT_TRUE(file.OpenForReading((dir / "image.smc").c_str()));
    const VersionProfileJp10 profile;
    for (bool walls : {true, false}) {
        StageReport report;
        EXPECT_TRUE(ExtractOrnates(&file, PathBuffer((dir / "out").c_str()), walls, &profile, &report));
        EXPECT_EQ(report.failedFiles, 0u);
    }
    EXPECT_TRUE(FilesIn(dir / "out/Wall_Ornates").empty());
    EXPECT_TRUE(FilesIn(dir / "out/Floor_Ornates").empty());
}

INSTANTIATE_TEST_SUITE_P(
    Ornates, ShortOrnateTest,
    ::testing::Values(ShortOrnateCase{"BeforeTheSetIndices", test::kHeader + test::kJp.wallIndex},
                      ShortOrnateCase{"AfterTheSetIndices", test::kHeader + test::kJp.floorIndex + 9}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Misc ----

struct MiscPicture {
    unsigned item;
    std::int32_t width;
    std::int32_t height;
};

// The first 84 use paletteA, the last two paletteB.
const std::vector<MiscPicture> kMiscPictures = {
    {2, 24, 94}, {3, 24, 123}, {4, 24, 94}, {5, 36, 65}, {6, 24, 44}, {7, 24, 43}, {10, 24, 136},
    {11, 24, 136}, {12, 192, 111}, {13, 108, 71}, {14, 96, 51}, {17, 60, 46}, {18, 72, 46},
    {19, 48, 62}, {20, 72, 62}, {22, 120, 100}, {23, 24, 44}, {24, 60, 41}, {25, 72, 43},
    {26, 48, 62}, {27, 72, 62}, {29, 120, 91}, {30, 24, 60}, {32, 24, 43}, {33, 24, 39},
    {35, 36, 41}, {36, 48, 61}, {37, 72, 88}, {38, 36, 41}, {39, 48, 61}, {40, 72, 88},
    {41, 36, 41}, {42, 48, 61}, {43, 72, 88}, {44, 36, 41}, {45, 48, 61}, {46, 72, 88},
    {168, 72, 9}, {169, 72, 9}, {170, 60, 15}, {171, 84, 15}, {172, 48, 29}, {173, 120, 29},
    {228, 72, 88}, {229, 72, 88}, {230, 24, 19}, {231, 72, 88}, {232, 72, 88}, {233, 72, 88},
    {234, 24, 19}, {235, 24, 19}, {236, 24, 19}, {237, 72, 88}, {238, 24, 19}, {239, 24, 19},
    {240, 72, 88}, {241, 72, 88}, {242, 14, 16}, {271, 24, 28}, {272, 24, 11}, {273, 24, 28},
    {274, 24, 24}, {275, 120, 111}, {276, 96, 97}, {277, 120, 91}, {460, 168, 70},
    {461, 188, 29}, {462, 24, 136}, {463, 24, 136}, {464, 192, 111}, {465, 108, 71},
    {466, 96, 51}, {491, 72, 12}, {492, 48, 24}, {493, 120, 24}, {495, 144, 12}, {503, 72, 5},
    {504, 48, 9}, {505, 120, 9}, {508, 72, 51}, {509, 60, 71}, {510, 48, 111}, {511, 24, 136},
    {514, 72, 95}, {656, 168, 128}, {658, 104, 21},
};

bool UsesPaletteB(unsigned item) { return item == 656 || item == 658; }

class MiscRunTest : public ::testing::TestWithParam<VersionCase> {};

// The lists do not depend on the version; only the colours do.
TEST_P(MiscRunTest, WritesTheEightySixPictures) {
    RomBuilder rom;
    rom.Colours(GetParam().offsets.paletteA, {0x001F, 0x0001});
    rom.Colours(GetParam().offsets.paletteB, {0x7C00, 0x0003});
    std::set<unsigned> items;
    for (const MiscPicture& p : kMiscPictures) items.insert(p.item);
    AddNumberedItems(rom, items);
    RunFolder run;
    ASSERT_EQ(run.Extract(rom, GetParam().versionIndex), kRunCompleted);
    EXPECT_TRUE(run.report.Stage(OutputFolder::Misc).succeeded);
    EXPECT_EQ(run.report.Stage(OutputFolder::Misc).failedFiles, 0u);

    std::set<std::string> expected;
    for (const MiscPicture& p : kMiscPictures) {
        const std::string name = Name("%03u.bmp", p.item);
        expected.insert(name);
        SCOPED_TRACE(name);
        ASSERT_TRUE(test::FileExists(run.Out("Misc/" + name)));
        const Bmp bmp(run.Out("Misc/" + name));
        EXPECT_EQ(bmp.Width(), p.width);
        EXPECT_EQ(bmp.Height(), p.height);
        EXPECT_EQ(bmp.TopRow(0), p.item & 0xFF);
        EXPECT_EQ(bmp.Colour(0), UsesPaletteB(p.item) ? 0xFF0000u : 0x0000FFu);
        EXPECT_EQ(bmp.Colour(1), UsesPaletteB(p.item) ? 0x000018u : 0x000008u);
    }
    EXPECT_EQ(expected.size(), 86u);
    EXPECT_EQ(FilesIn(run.Out("Misc")), expected);
    // Item 242 is the smallest, 14 x 16: rows of 7 bytes padded to 8.
    EXPECT_EQ(Bmp(run.Out("Misc/242.bmp")).bytes.size(), 118u + 8 * 16);
    EXPECT_EQ(Bmp(run.Out("Misc/656.bmp")).TopRow(1), 656 >> 8);
}

INSTANTIATE_TEST_SUITE_P(Misc, MiscRunTest, kVersions, kVersionName);

// Misc reads no image: its stage is driven here over a Raw folder made by hand.
struct MiscDirect : TempDir {
    MiscDirect() {
        std::filesystem::create_directories(*this / "out/Raw");
        for (const MiscPicture& p : kMiscPictures)
            test::WriteFile(*this / Name("out/Raw/%03u.bin", p.item), {0x12, 0x34});
    }
    std::string Misc(unsigned item) const { return *this / Name("out/Misc/%03u.bmp", item); }
};

TEST(Misc, MissingRawFileLeavesOutJustItsPictureUncounted) {
    MiscDirect dir;
    std::filesystem::remove(dir / "out/Raw/013.bin");
    StageReport report;
    EXPECT_TRUE(ExtractMisc(nullptr, PathBuffer((dir / "out").c_str()), &report));
    EXPECT_EQ(report.failedFiles, 0u);
    EXPECT_FALSE(test::FileExists(dir.Misc(13)));
    EXPECT_EQ(FilesIn(dir / "out/Misc").size(), 85u);
    EXPECT_TRUE(test::FileExists(dir.Misc(14)));
    EXPECT_TRUE(test::FileExists(dir.Misc(658)));
}

TEST(Misc, WriteFailuresAreCountedAndTheStageGoesOn) {
    MiscDirect dir;
    std::filesystem::create_directories(dir / "out/Misc/012.bmp");  // cannot be created
    const bool full = std::filesystem::exists("/dev/full");
    if (full) std::filesystem::create_symlink("/dev/full", dir / "out/Misc/014.bmp");  // cannot be written
    StageReport report;
    EXPECT_TRUE(ExtractMisc(nullptr, PathBuffer((dir / "out").c_str()), &report));
    EXPECT_EQ(report.failedFiles, full ? 2u : 1u);
    EXPECT_EQ(report.failure, nullptr);
    EXPECT_TRUE(test::FileExists(dir.Misc(13)));
    EXPECT_TRUE(test::FileExists(dir.Misc(17)));
    EXPECT_TRUE(test::FileExists(dir.Misc(658)));
}

TEST(Misc, FolderInTheWayFails) {
    MiscDirect dir;
    test::WriteFile(dir / "out/Misc", {});
    StageReport report;
    EXPECT_FALSE(ExtractMisc(nullptr, PathBuffer((dir / "out").c_str()), &report));
    EXPECT_STREQ(report.failure, kFolderNotCreated);
    EXPECT_EQ(report.failedFiles, 0u);
}

// Write failures reach the run's report through each picture stage.
TEST(PictureStages, RunReportsFailedPictureFiles) {
    RunFolder run;
    std::filesystem::create_directories(run.Out("Creatures/03.1.bmp"));
    std::filesystem::create_directories(run.Out("Wall_Ornates/00.0.bmp"));
    std::filesystem::create_directories(run.Out("Floor_Ornates/08.2.1.bmp"));
    std::filesystem::create_directories(run.Out("Misc/514.bmp"));
    RomBuilder rom = OrnateImage(test::kJp);
    rom.Put(test::kHeader + test::kJp.creatures + 36, kCreatureCases[3].record);
    ASSERT_EQ(run.Extract(rom, 0), kRunCompleted);
    for (OutputFolder folder : {OutputFolder::Creatures, OutputFolder::WallOrnates,
                                OutputFolder::FloorOrnates, OutputFolder::Misc}) {
        EXPECT_TRUE(run.report.Stage(folder).succeeded) << OutputFolderName(folder);
        EXPECT_EQ(run.report.Stage(folder).failedFiles, 1u) << OutputFolderName(folder);
    }
    EXPECT_TRUE(test::FileExists(run.Out("Creatures/03.2.bmp")));
    EXPECT_TRUE(test::FileExists(run.Out("Wall_Ornates/00.1.bmp")));
    EXPECT_TRUE(test::FileExists(run.Out("Misc/511.bmp")));
}

}  // namespace
