// Packs 4-bit pixels into the archive's pixel-run item format (type 2): a header of width, 0,
// height, 0, then commands by the high nibble: runs of one colour (0-7, 8, 12), literal pixels
// (9) and copies from the row above (11, 15).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace pack {

inline constexpr int kPixelRunMaxSide = 255;

// pixels holds width x height values 0..15, rows top first. The commands produce exactly that
// many pixels, so the decoder's output is (width x height) / 2 bytes; the command sequence is the
// shortest one the packer finds. Throws std::invalid_argument when a side exceeds 255, the pixel
// count does not match or a value exceeds 15.
std::vector<std::uint8_t> PackPixelRuns(std::span<const std::uint8_t> pixels, int width, int height);

}  // namespace pack
