#include "archive/palette.h"

#include "archive/byte_stream.h"
#include "extract/version_profile.h"
#include "platform/file.h"

PaletteTables& Palettes() {
    static PaletteTables tables{};
    return tables;
}

std::uint32_t ColourFromWord(std::uint32_t word) {
    // c * 255/31 truncated toward zero, in the double the game's tools used: the constant lies a
    // hair above 255/31, so this equals the integer quotient (c * 255) / 31 for every c.
    constexpr double kWiden = 8.225806451612904;
    auto widen = [](std::uint32_t c) { return static_cast<std::uint32_t>(c * kWiden); };
    const std::uint32_t red = widen(word & 0x1F);
    const std::uint32_t green = widen((word >> 5) & 0x1F);
    const std::uint32_t blue = widen((word >> 10) & 0x1F);
    return (blue << 16) | (green << 8) | red;
}

namespace {

bool ReadTable(platform::File& rom, ByteSource& romBytes, std::uint32_t romOffset,
               std::uint32_t* table, int entries) {
    rom.Seek(romOffset + kCopierHeaderSize);
    for (int i = 0; i < entries; ++i) {
        std::int32_t low = romBytes.Get();
        if (low < 0) return false;
        std::int32_t high = romBytes.Get();
        if (high < 0) return false;
        table[i] = ColourFromWord(static_cast<std::uint32_t>(low + 256 * high));
    }
    return true;
}

}  // namespace

bool ReadPaletteTables(platform::File& rom, ByteSource& romBytes, const VersionProfile& profile) {
    PaletteTables& tables = Palettes();
    return ReadTable(rom, romBytes, profile.paletteAOffset(), tables.paletteA,
                     PaletteTables::kPaletteAEntries) &&
           ReadTable(rom, romBytes, profile.paletteBOffset(), tables.paletteB,
                     PaletteTables::kPaletteBEntries);
}
