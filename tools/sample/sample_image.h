// Lays out a complete cartridge image of the project's own making, exactly as the extraction
// reads one: copier header, item tables, 695 items placed bank by bank in every handling, both
// palettes, the creature table and the ornate tables at the chosen version's offsets.
#pragma once

#include <cstdint>
#include <vector>

namespace sample {

enum class Game { Jp, Us };

// A picture as drawn, before packing: palette indices, rows top first.
struct DrawnPicture {
    std::uint32_t item;
    int width;
    int height;
    std::vector<std::uint8_t> pixels;
};

struct SampleImage {
    std::vector<std::uint8_t> bytes;         // the image file, header included
    std::vector<std::uint8_t> itemTypes;     // by item number
    std::vector<DrawnPicture> pictures;      // every picture item, ascending item number

    // Null for an item that holds no picture.
    const DrawnPicture* Picture(std::uint32_t item) const;
};

// The same bytes on every call for a game version.
SampleImage BuildSampleImage(Game game);

}  // namespace sample
