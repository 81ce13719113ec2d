// A whole RunExtraction on images made by patching a valid one: the fuzz input is a list of byte
// patches placed inside the regions the stages read (the item tables, the creature and ornate
// tables, the palettes, the items), and may cut the image short. Checked after every run: the
// image file is unchanged and the output folder holds nothing but the six stage folders.
#include "extract/run_extraction.h"
#include "fuzz/fuzz_input.h"
#include "image/creatures.h"
#include "image/misc.h"
#include "image/ornates.h"
#include "platform/file.h"
#include "sound/sounds.h"
#include "tests/support/rom_builder.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using test::Offsets;

void SetItem(test::RomBuilder& rom, std::size_t number, std::uint8_t type, Bytes bytes) {
    rom.ItemBytes(number, type, bytes);
}

// Pixel bytes for a raw picture item: a few rows' worth, so pictures have some colour and some 0.
Bytes Pixels(std::size_t number, std::size_t count) {
    Bytes bytes(count);
    for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<std::uint8_t>(number * 7 + i * 13);
    return bytes;
}

// A sound item of two blocks: length 29, a rate, and one block of each filter pair.
Bytes Sound(std::size_t number) {
    Bytes bytes = {29, 0, 0, 0, 0, 0, 0, static_cast<std::uint8_t>(number & 3), 0x40, 0, 0};
    bytes.push_back(static_cast<std::uint8_t>(0x84 | (number & 3) << 2));
    for (int i = 0; i < 8; ++i) bytes.push_back(static_cast<std::uint8_t>(0x17 * (i + number)));
    bytes.insert(bytes.end(), {0xC8, 0x7F, 0x80, 0x01, 0xF0, 0x0F, 0x88, 0x77, 0x12});
    return bytes;
}

void Tables(test::RomBuilder& rom, const Offsets& at) {
    std::vector<std::uint16_t> colours(256);
    for (std::size_t i = 0; i < colours.size(); ++i) colours[i] = static_cast<std::uint16_t>(i * 0x0421 + 3);
    rom.Colours(at.paletteA, colours);
    colours.resize(32);
    rom.Colours(at.paletteB, colours);

    // 27 creatures: every combination of view slots, and the last one with none.
    for (std::size_t c = 0; c < 27; ++c) {
        Bytes record(12, 0);
        record[0] = static_cast<std::uint8_t>(4 * c);
        record[4] = c == 26 ? 0 : static_cast<std::uint8_t>(2 + c % 5);
        record[5] = static_cast<std::uint8_t>(3 + c % 7);
        record[6] = c % 2 ? 3 : 0;
        record[7] = 5;
        record[8] = c % 3 ? 1 : 0;
        record[9] = 2;
        rom.Put(test::kHeader + at.creatures + 12 * c, record);
    }

    // Wall sets 0..7 fill the space up to the floor sets; floor sets 0..3.
    for (std::size_t n = 0; n < 60; ++n) rom.Put(test::kHeader + at.wallIndex + n, {static_cast<std::uint8_t>(n % 8)});
    for (std::size_t m = 0; m < 9; ++m) rom.Put(test::kHeader + at.floorIndex + m, {static_cast<std::uint8_t>(m % 4)});
    for (std::size_t s = 0; s < 8; ++s)
        for (std::size_t r = 11; r < 13; ++r)
            rom.Put(test::kHeader + at.wallTable + 78 * s + 6 * r + 4,
                    {static_cast<std::uint8_t>(1 + s), static_cast<std::uint8_t>(2 + r - 11 + s)});
    for (std::size_t s = 0; s < 4; ++s)
        for (std::size_t r = 0; r < 9; ++r)
            rom.Put(test::kHeader + at.floorTable + 54 * s + 6 * r + 4,
                    {static_cast<std::uint8_t>(1 + r % 3), static_cast<std::uint8_t>(1 + s + r)});
}

Bytes BaseImage() {
    test::RomBuilder rom;
    Tables(rom, test::kJp);
    Tables(rom, test::kUs);

    // Picture items of every stage, stored; a few packed ones of both kinds among them.
    for (const MiscImageEntry& entry : MiscImagesPaletteA) SetItem(rom, entry.itemNumber, 0, Pixels(entry.itemNumber, 24));
    for (const MiscImageEntry& entry : MiscImagesPaletteB) SetItem(rom, entry.itemNumber, 1, Pixels(entry.itemNumber, 24));
    for (std::size_t item = kFirstWallItem; item < kFirstWallItem + 2 * kWallOrnateCount; ++item)
        SetItem(rom, item, 0, Pixels(item, 8));
    for (std::size_t item = kFirstFloorItem; item < kFirstFloorItem + 6 * kFloorOrnateCount; ++item)
        SetItem(rom, item, 0, Pixels(item, 6));
    for (std::size_t item = 373; item < 373 + 4 * 27; ++item) SetItem(rom, item, 0, Pixels(item, 12));
    SetItem(rom, 2, 2, {24, 0, 4, 0, 0x31, 0xB2, 0x02, 0x95, 0x02, 0xAB, 0xC4, 0x00, 0x03, 0xF0, 0x00, 0x02, 0x8E, 0x09});
    SetItem(rom, 3, 3, {0, 0, 0, 40, 0x02, 0x41, 0x42, 0x88, 0x02, 0x85, 0x01, 0x81, 0x00, 0xBE, 0x04, 0x03, 1, 2, 3});
    SetItem(rom, 380, 2, {4, 0, 8, 0, 0x71, 0xB1, 0x05, 0xF2, 0x00, 0x06});
    SetItem(rom, 381, 3, {0, 0, 0, 30, 0x03, 9, 8, 7, 0xA0, 0x00, 0x7F, 0x01});
    SetItem(rom, 1, 7, {1, 2, 3});
    for (std::uint32_t item : SoundItemTable) SetItem(rom, item, 0, Sound(item));
    return rom.Bytes();
}

struct Region {
    std::size_t offset;
    std::size_t length;
};

std::vector<Region> Regions(const Bytes& image) {
    std::vector<Region> regions = {
        {test::kTypeTable, 695},
        {test::kSizeTable, 2 * 695},
        {0x48200, image.size() - 0x48200},  // the items
        {0, image.size()},
    };
    for (const Offsets& at : {test::kJp, test::kUs}) {
        regions.push_back({test::kHeader + at.paletteA, 512});
        regions.push_back({test::kHeader + at.paletteB, 64});
        regions.push_back({test::kHeader + at.creatures, 27 * 12});
        regions.push_back({test::kHeader + at.wallIndex, 69});
        regions.push_back({test::kHeader + at.wallTable, 624 + 4 * 54});
    }
    return regions;
}

const std::set<std::string> kStageFolders = {"Raw", "Creatures", "Wall_Ornates", "Floor_Ornates", "Misc", "Snd"};

}  // namespace

// Input: a byte (bit 0 the version, bit 1 asks for a cut at the 24-bit length that follows), then
// patches of a region byte, a 16-bit offset within the region, a length byte and that many bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Bytes base = BaseImage();
    static const std::vector<Region> regions = Regions(base);

    fuzz::Input input(data, size);
    const std::uint8_t flags = input.Byte();
    Bytes image = base;
    std::size_t cut = image.size();
    if (flags & 2) cut = (input.U16() | static_cast<std::size_t>(input.Byte()) << 16) % (image.size() + 1);
    while (input.RestSize() >= 4) {
        const Region& region = regions[input.Byte() % regions.size()];
        const std::size_t at = region.offset + input.U16() % region.length;
        const std::size_t length = input.Byte();
        const std::uint8_t* bytes = input.Rest();
        const std::size_t taken = input.Take(length);
        std::memcpy(image.data() + at, bytes, std::min(taken, image.size() - at));
    }
    image.resize(cut);

    namespace fs = std::filesystem;
    const fs::path folder = fuzz::ScratchFolder("run");
    const fs::path romPath = folder / "image.smc";
    const fs::path output = folder / "out";
    std::error_code error;
    fs::remove_all(output, error);
    fs::create_directory(output);
    {
        std::ofstream rom(romPath, std::ios::binary | std::ios::trunc);
        rom.write(reinterpret_cast<const char*>(image.data()), static_cast<std::streamsize>(image.size()));
    }

    ExtractionReport report;
    std::int32_t result = kRunCompleted;
    try {
        result = RunExtraction(romPath.c_str(), output.c_str(), flags & 1, &report);
    } catch (const platform::FileError&) {
        // Ends the run with a message at the front ends; not a fault of the input handling.
    }
    fuzz::Require(result == kRunCompleted || result == kRunRawItemsFailed, "the image opens and the folder is taken");
    fuzz::Require(report.FailedFiles() == 0, "every output file of a writable folder is written");

    std::ifstream in(romPath, std::ios::binary);
    const Bytes after{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    fuzz::Require(after == image, "the image is unchanged");
    for (const fs::directory_entry& entry : fs::directory_iterator(output))
        fuzz::Require(entry.is_directory() && kStageFolders.count(entry.path().filename().string()),
                      "only the stage folders in the output folder");
    fuzz::Require(fs::directory_iterator(folder) != fs::directory_iterator() &&
                      std::distance(fs::directory_iterator(folder), fs::directory_iterator()) == 2,
                  "nothing beside the output folder");
    return 0;
}
