// Whatever file it is given, the command line ends with 0 (completed) or 1 (failed, one line on
// stderr naming the image and the reason), changes nothing but the output folder and leaves the
// image's bytes as they were.
#include "tests/support/process.h"
#include "tests/support/rom_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using test::RomBuilder;
using test::TempDir;

constexpr const char* kOutput = "out";

// Every path below root, with its kind and, for files, size and a hash of the content.
std::map<std::string, std::string> Snapshot(const std::string& root) {
    std::map<std::string, std::string> tree;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
        const std::string path = fs::relative(entry.path(), root).string();
        if (entry.is_symlink()) {
            tree[path] = "link " + fs::read_symlink(entry.path()).string();
        } else if (entry.is_directory()) {
            tree[path] = "folder";
        } else if (entry.is_regular_file()) {
            std::uint64_t hash = 14695981039346656037ull;
            for (std::uint8_t byte : test::ReadFile(entry.path().string())) hash = (hash ^ byte) * 1099511628211ull;
            tree[path] = "file " + std::to_string(entry.file_size()) + " " + std::to_string(hash);
        } else {
            tree[path] = "other";
        }
    }
    return tree;
}

// The snapshot without the output folder and what is below it.
std::map<std::string, std::string> OutsideOutput(std::map<std::string, std::string> tree) {
    std::erase_if(tree, [](const auto& entry) {
        return entry.first == kOutput || entry.first.rfind(std::string(kOutput) + "/", 0) == 0;
    });
    return tree;
}

Bytes RandomBytes(std::size_t size, std::uint32_t seed) {
    std::mt19937 random(seed);
    Bytes bytes(size);
    for (std::uint8_t& byte : bytes) byte = static_cast<std::uint8_t>(random());
    return bytes;
}

// A laid-out image with an item of each kind, so that cuts fall inside tables and items alike.
RomBuilder LaidOut() {
    RomBuilder rom;
    rom.ItemBytes(0, 0, Bytes(3000, 0x5A));
    rom.ItemBytes(1, 2, {8, 0, 4, 0, 0x86, 0x05, 0x97, 0x03, 0x12, 0xC4, 0x00, 0x03, 0xF0, 0x00, 0x02});
    rom.ItemBytes(2, 3, {0, 0, 0x01, 0x00, 0x02, 0x41, 0x42, 0xFE, 0x02, 0xFE, 0x02, 0xFE, 0x02});
    rom.ItemBytes(583, 0, {29, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0xC0, 0x77, 0x77, 0x77, 0x77, 0x77,
                           0x77, 0x77, 0x77, 0x84, 1, 2, 3, 4, 5, 6, 7, 8});
    rom.Put(test::kHeader + test::kUs.creatures, {0, 0, 0, 0, 4, 6, 2, 3, 1, 1, 0, 0});
    return rom;
}

Bytes Cut(std::size_t length) { return LaidOut().Truncate(length).Bytes(); }

Bytes EverySize(std::uint16_t size, std::uint8_t type) {
    RomBuilder rom;
    for (std::size_t item = 0; item < test::kItems; ++item) rom.Item(item, type, size);
    return rom.Bytes();
}

Bytes Repeated(const std::string& text, std::size_t size) {
    Bytes bytes;
    while (bytes.size() < size) bytes.insert(bytes.end(), text.begin(), text.end());
    bytes.resize(size);
    return bytes;
}

Bytes PngLike() {
    Bytes bytes = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R',
                   0, 0, 1, 0, 0, 0, 1, 0, 8, 6, 0, 0, 0};
    Bytes noise = RandomBytes(5000, 7);
    bytes.insert(bytes.end(), noise.begin(), noise.end());
    return bytes;
}

// File offsets where the tables and items of the laid-out image lie.
constexpr std::size_t kUsPaletteA = test::kHeader + test::kUs.paletteA;
constexpr std::size_t kUsPaletteB = test::kHeader + test::kUs.paletteB;
constexpr std::size_t kUsCreatures = test::kHeader + test::kUs.creatures;
constexpr std::size_t kUsWallTable = test::kHeader + test::kUs.wallTable;
constexpr std::size_t kJpPaletteB = test::kHeader + test::kJp.paletteB;
constexpr std::size_t kItemData = 0x48200;

constexpr const char* kTypeTableCut = "the image ends inside the item type table";
constexpr const char* kPaletteCut = "the image ends inside the palette tables";

struct BadImage {
    const char* name;
    // Lays the image out in the folder and returns its path.
    std::function<std::string(const TempDir&)> make;
    const char* game;
    int status;
    const char* reason;  // a part of the stderr line when the run fails
};

std::function<std::string(const TempDir&)> File(Bytes bytes) {
    return [bytes](const TempDir& dir) {
        test::WriteFile(dir / "image.smc", bytes);
        return dir / "image.smc";
    };
}

class BadImageTest : public ::testing::TestWithParam<BadImage> {};

TEST_P(BadImageTest, EndsCleanlyAndChangesOnlyTheOutputFolder) {
    const BadImage& c = GetParam();
    TempDir dir;
    const std::string image = c.make(dir);
    const auto before = Snapshot(dir.Path());

    // Bounded in time, so that an input that makes the command wait for ever fails as such (124).
    const test::ProcessResult r =
        test::RunProgram("timeout", {"60", QUILLMERE_CLI, "--game", c.game, image, dir / kOutput});

    ASSERT_EQ(r.status, c.status) << r.err;
    EXPECT_EQ(OutsideOutput(Snapshot(dir.Path())), before);
    if (c.status == 0) {
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(std::distance(fs::directory_iterator(dir / kOutput + "/Raw"), {}), 695);
        return;
    }
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_EQ(r.err.rfind("quillmere-cli: ", 0), 0u) << r.err;
    EXPECT_NE(r.err.find(image), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(c.reason), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Cli, BadImageTest,
    ::testing::Values(
        BadImage{"EmptyFile", File({}), "jp", 1, kTypeTableCut},
        BadImage{"Folder",
                 [](const TempDir& d) {
                     fs::create_directory(d / "image.smc");
                     return d / "image.smc";
                 },
                 "jp", 1, "Is a directory"},
        BadImage{"MissingPath", [](const TempDir& d) { return d / "none.smc"; }, "us", 1,
                 "No such file or directory"},
        BadImage{"NamedPipeWithoutWriter",
                 [](const TempDir& d) {
                     mkfifo((d / "image.smc").c_str(), 0600);
                     return d / "image.smc";
                 },
                 "jp", 1, "Illegal seek"},
        BadImage{"DeviceWithNoBytes", [](const TempDir&) { return std::string("/dev/null"); }, "us", 1,
                 kTypeTableCut},
        BadImage{"CutInsideTheHeader", File(Cut(test::kHeader - 1)), "us", 1, kTypeTableCut},
        BadImage{"CutInsidePaletteA", File(Cut(kUsPaletteA + 100)), "us", 1, kTypeTableCut},
        BadImage{"CutInsideTheSizeTable", File(Cut(test::kSizeTable + 101)), "us", 1, kTypeTableCut},
        BadImage{"CutInsideTheTypeTable", File(Cut(test::kTypeTable + 300)), "us", 1, kTypeTableCut},
        BadImage{"CutAfterTheTypeTable", File(Cut(test::kTypeTable + test::kItems)), "us", 1, kPaletteCut},
        BadImage{"CutInsideTheOrnateTables", File(Cut(kUsWallTable + 77)), "us", 1, kPaletteCut},
        BadImage{"CutInsideTheCreatureTable", File(Cut(kUsCreatures + 30)), "us", 1, kPaletteCut},
        BadImage{"CutInsidePaletteB", File(Cut(kUsPaletteB + 63)), "us", 1, kPaletteCut},
        BadImage{"CutInsidePaletteBOfJp", File(Cut(kJpPaletteB + 1)), "jp", 1, kPaletteCut},
        BadImage{"CutWhereTheItemsBegin", File(Cut(kItemData)), "us", 0, ""},
        BadImage{"CutInsideAStoredItem", File(Cut(kItemData + 1500)), "us", 0, ""},
        BadImage{"CutInsideAPixelRunItem", File(Cut(kItemData + 3000 + 7)), "us", 0, ""},
        BadImage{"CutInsideAnLzItem", File(Cut(kItemData + 3000 + 15 + 6)), "jp", 0, ""},
        BadImage{"CutInsideASoundItem", File(Cut(LaidOut().ItemOffset(583) + 15)), "us", 0, ""},
        BadImage{"RandomTiny", File(RandomBytes(17, 1)), "jp", 1, kTypeTableCut},
        BadImage{"RandomShortOfTheTypeTable", File(RandomBytes(test::kTypeTable + test::kItems - 1, 2)),
                 "us", 1, kTypeTableCut},
        BadImage{"RandomShortOfThePalettes", File(RandomBytes(100000, 3)), "us", 1, kPaletteCut},
        BadImage{"RandomPastThePalettes", File(RandomBytes(200000, 4)), "jp", 0, ""},
        BadImage{"RandomWithItems", File(RandomBytes(600000, 5)), "us", 0, ""},
        BadImage{"EverySizeFFFFStored", File(EverySize(0xFFFF, 0)), "jp", 0, ""},
        BadImage{"EverySizeFFFFPixelRuns", File(EverySize(0xFFFF, 2)), "us", 0, ""},
        BadImage{"EveryByteFF", File(Bytes(400000, 0xFF)), "us", 0, ""},
        BadImage{"TextFile", File(Repeated("This is not a cartridge image.\n", 50000)), "jp", 1, kPaletteCut},
        BadImage{"PngLikeHeader", File(PngLike()), "us", 1, kTypeTableCut}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
