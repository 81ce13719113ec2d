// The two colour tables every picture takes its 16 colours from, read from the ROM by the first
// stage. Entries hold red in bits 0-7, green in 8-15 and blue in 16-23.
#pragma once

#include <cstdint>

class ByteSource;
class VersionProfile;
namespace platform { class File; }

struct PaletteTables {
    static constexpr int kPaletteAEntries = 256;
    static constexpr int kPaletteBEntries = 32;

    std::uint32_t paletteA[kPaletteAEntries];
    std::uint32_t paletteB[kPaletteBEntries];
};

// Process-wide, zero at start; each run's first stage overwrites them.
PaletteTables& Palettes();

// A 15-bit SNES colour word (bit 15 ignored) widened to 8 bits per channel.
std::uint32_t ColourFromWord(std::uint32_t word);

// Reads paletteA, then paletteB, at the profile's offsets. False as soon as a byte is missing;
// the entries converted so far keep their new values.
bool ReadPaletteTables(platform::File& rom, ByteSource& romBytes, const VersionProfile& profile);
