// Packs bytes into the archive's LZ item format (type 3): a four-byte header whose last two bytes
// give the output length big-endian, then literal runs (0nnnnnnn and n bytes) and back-references
// (1ccccccd dddddddd: c bytes, 0..63, from d bytes back, 1..511).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace pack {

// The longest input the 16-bit length field can announce.
inline constexpr std::size_t kLzMaxLength = 65535;

// Throws std::length_error for more than kLzMaxLength bytes. Never emits distance 0, whose copy
// would read whatever an earlier item left in the decoder's buffer.
std::vector<std::uint8_t> PackLz(std::span<const std::uint8_t> bytes);

}  // namespace pack
