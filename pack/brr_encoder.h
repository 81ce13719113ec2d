// Encodes 16-bit samples into the sound chip's BRR blocks, and builds the archive's sound items
// around them.
//
// A block is 9 bytes: a header (shift in bits 7-4, filter in bits 3-2, end flag in bit 0) and 16
// signed 4-bit codes, high nibble first. The extraction's decoder gives, with truncating division:
//   s = code * 2^shift / 2, plus the filter's prediction from the two previous outputs p1, p2:
//     filter 1: p1/2 - p1/32                               (p1 * 15/16 in clamped units)
//     filter 2: p1 - (p1 + p1/2)/32 + p2/32 - p2/2         (p1 * 61/32 - p2 * 15/16)
//     filter 3: p1 - (16 * p1)/128 + p2/16 - p2/2          (p1 * 7/4 - p2 * 7/8)
//   s clamped to -32768..32767; the output and the next p1 are 2 * s, stored as its low 16 bits.
// The last block of an item always decodes to silence.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace pack {

inline constexpr int kBrrBlockBytes = 9;
inline constexpr int kBrrBlockSamples = 16;
inline constexpr int kBrrMaxShift = 12;

// The decoder's history between samples: the last two outputs, full (not cut to 16 bits).
struct BrrHistory {
    std::int32_t p1 = 0;
    std::int32_t p2 = 0;
};

// One sample as the extraction decodes it: returns the full output 2 * s and moves the history.
std::int32_t DecodeBrrSample(int code, int shift, int filter, BrrHistory& history);

// Encodes samples (padded with silence to whole blocks) and appends one more block, which the
// decoder always renders silent, with the end flag set. Per block it picks the shift (0..12) and
// filter (0..3) whose decoded samples lie closest to the input, following the decoder's history
// exactly.
std::vector<std::uint8_t> EncodeBrr(std::span<const std::int16_t> samples);

// Sample rate of the sound items: R = 5 * P + 11000 for a rate value P.
inline constexpr std::uint16_t RateValueFor(int sampleRate) {
    return static_cast<std::uint16_t>((sampleRate - 11000) / 5);
}

// A sound item's plain bytes: the total length (little-endian), the rate value P at bytes 7-8
// (big-endian), and the BRR blocks from byte 11 on. Throws std::length_error when the item would
// not fit the 16-bit length.
std::vector<std::uint8_t> MakeSoundItem(std::span<const std::int16_t> samples, std::uint16_t rateValue);

}  // namespace pack
