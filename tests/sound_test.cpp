#include "sound/wave.h"

#include "archive/byte_stream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;
using Block = std::array<std::uint8_t, 9>;

constexpr std::size_t kHeader = 58;

// A sound item: length field, rate value bytes (high first) and the blocks, which the length
// announces exactly unless a length is given.
Bytes SoundItem(const std::vector<Block>& blocks, std::uint8_t rateHigh = 0, std::uint8_t rateLow = 0) {
    const std::size_t length = 11 + 9 * blocks.size();
    Bytes item = {static_cast<std::uint8_t>(length), static_cast<std::uint8_t>(length >> 8),
                  0xA1, 0xA2, 0xA3, 0xA4, 0xA5, rateHigh, rateLow, 0xA9, 0xAA};
    for (const Block& block : blocks) item.insert(item.end(), block.begin(), block.end());
    return item;
}

Bytes ItemWithLength(std::uint16_t length, std::size_t size, std::uint8_t rateHigh = 0,
                     std::uint8_t rateLow = 0) {
    Bytes item(std::max<std::size_t>(size, 11), 0);
    item[0] = static_cast<std::uint8_t>(length);
    item[1] = static_cast<std::uint8_t>(length >> 8);
    item[7] = rateHigh;
    item[8] = rateLow;
    item.resize(size);
    return item;
}

// A block from its header byte and 16 codes, each -8..7.
Block MakeBlock(std::uint8_t header, const std::array<int, 16>& codes) {
    Block block{header};
    for (int k = 0; k < 16; ++k) {
        const int nibble = codes[k] & 0xF;
        block[1 + k / 2] |= static_cast<std::uint8_t>(k % 2 == 0 ? nibble << 4 : nibble);
    }
    return block;
}

Block Uniform(std::uint8_t header, int code) {
    std::array<int, 16> codes;
    codes.fill(code);
    return MakeBlock(header, codes);
}

// Codes all 0 but the last ones, given in order.
Block EndingWith(std::uint8_t header, std::vector<int> last) {
    std::array<int, 16> codes{};
    std::copy(last.begin(), last.end(), codes.end() - static_cast<std::ptrdiff_t>(last.size()));
    return MakeBlock(header, codes);
}

Block StartingWith(std::uint8_t header, std::vector<int> first) {
    std::array<int, 16> codes{};
    std::copy(first.begin(), first.end(), codes.begin());
    return MakeBlock(header, codes);
}

struct Conversion {
    bool result;
    Bytes file;
    std::int32_t consumed;  // bytes of the item read
};

Conversion Convert(Bytes item, std::size_t capacity = 1 << 20) {
    Bytes out(capacity);
    MemoryByteStream source(item.data(), static_cast<std::int32_t>(item.size()));
    MemoryByteStream sink(out.data(), static_cast<std::int32_t>(out.size()));
    const bool result = WriteWaveFile(source, sink);
    out.resize(static_cast<std::size_t>(sink.position));
    return {result, out, source.position};
}

std::uint32_t Le(const Bytes& file, std::size_t offset, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = value * 256 + file.at(offset + i);
    return value;
}

std::vector<std::int16_t> Samples(const Bytes& file) {
    std::vector<std::int16_t> samples;
    for (std::size_t at = kHeader; at + 1 < file.size(); at += 2)
        samples.push_back(static_cast<std::int16_t>(Le(file, at, 2)));
    return samples;
}

// The decoder again, written apart from the product's: 64-bit values and truncating division
// worked out from magnitudes, so a shift or a floor in the product does not hide in both.
long long Quot(long long value, long long divisor) {
    const long long magnitude = std::llabs(value) / divisor;
    return value < 0 ? -magnitude : magnitude;
}

std::vector<std::int16_t> ReferenceSamples(const Bytes& item) {
    const long long length = item[0] + 256LL * item[1];
    const long long blocks = (length - 11) / 9;
    std::vector<std::int16_t> samples;
    long long older = 0, old = 0;
    for (long long b = 0; b < blocks; ++b) {
        const std::uint8_t* block = &item.at(static_cast<std::size_t>(11 + 9 * b));
        const int shift = block[0] / 16;
        const int filter = block[0] / 4 % 4;
        for (int k = 0; k < 16; ++k) {
            const int nibble = k % 2 ? block[1 + k / 2] % 16 : block[1 + k / 2] / 16;
            const long long code = nibble < 8 ? nibble : nibble - 16;
            long long s = Quot(code * (1LL << shift), 2);
            if (filter == 1) s += Quot(old, 2) - Quot(old, 32);
            if (filter == 2) s += old - Quot(old + Quot(old, 2), 32) + Quot(older, 32) - Quot(older, 2);
            if (filter == 3) s += old - Quot(16 * old, 128) + Quot(older, 16) - Quot(older, 2);
            s = std::min(32767LL, std::max(-32768LL, s));
            const long long out = b == blocks - 1 ? 0 : 2 * s;
            const long long low16 = ((out % 65536) + 65536) % 65536;
            samples.push_back(static_cast<std::int16_t>(low16 >= 32768 ? low16 - 65536 : low16));
            older = old;
            old = out;
        }
    }
    return samples;
}

// Blocks ahead of a final block, which is written as silence; the hand-worked samples are
// (index, stored value) pairs counted from the first sample.
struct BlockCase {
    const char* name;
    std::vector<Block> blocks;
    std::vector<std::pair<std::size_t, std::int16_t>> expected;
};

std::vector<Block> Deterministic(std::size_t count) {
    std::vector<Block> blocks(count);
    std::uint32_t state = 12345;
    for (Block& block : blocks)
        for (std::uint8_t& byte : block) {
            state = state * 1103515245u + 12345u;
            byte = static_cast<std::uint8_t>(state >> 16);
        }
    return blocks;
}

const std::vector<BlockCase>& BlockCases() {
    static const std::vector<BlockCase> cases = {
        // Filter 0 and the shift used as it comes.
        {"Shift0", {StartingWith(0x00, {7, -8, -1, 1})}, {{0, 6}, {1, -8}, {2, 0}, {3, 0}}},
        {"Shift12", {StartingWith(0xC0, {7, -8, -1})}, {{0, 28672}, {1, -32768}, {2, -4096}}},
        // 16384 doubles to 32768, stored as 0x8000; -20480 doubles to -40960, stored as 24576.
        {"Shift13Wraps", {StartingWith(0xD0, {4, -5, 3})}, {{0, -32768}, {1, 24576}, {2, 24576}}},
        // 7 * 32768 / 2 clamps to 32767 and wraps to -2; -8 clamps to -32768 and wraps to 0.
        {"Shift15Clamps", {StartingWith(0xF0, {7, -8, 1, -1})}, {{0, -2}, {1, 0}, {2, -32768}, {3, -32768}}},
        // The history keeps 32768, not the stored -32768: filter 1 then adds 15360, not -15360.
        {"HistoryUnwrapped", {Uniform(0xD0, 4), Uniform(0x04, 0)}, {{15, -32768}, {16, 30720}, {17, 28800}}},
        // p1 = -2 after the first block. Truncation toward zero keeps -2 / 32 at 0 where an
        // arithmetic shift would give -1.
        {"Filter1NegativeP1", {EndingWith(0x10, {-1}), Uniform(0x04, 0)}, {{15, -2}, {16, -2}}},
        {"Filter2NegativeP1", {EndingWith(0x10, {-1}), Uniform(0x08, 0)}, {{16, -4}}},
        {"Filter3NegativeP1", {EndingWith(0x10, {-1}), Uniform(0x0C, 0)}, {{16, -4}}},
        // p2 = -2, p1 = 0 across the block boundary: -2 / 32 and -2 / 16 truncate to 0, -2 / 2 is -1.
        {"Filter2NegativeP2", {EndingWith(0x10, {-1, 0}), Uniform(0x08, 0)}, {{14, -2}, {15, 0}, {16, 2}}},
        {"Filter3NegativeP2", {EndingWith(0x10, {-1, 0}), Uniform(0x0C, 0)}, {{16, 2}}},
        // Positive history: 15/16, 61/32 and 7/4 of 14336 with the truncations.
        {"Filter1Positive", {EndingWith(0xC0, {7}), Uniform(0x04, 0)}, {{16, 26880}}},
        {"Filter2Positive", {EndingWith(0xC0, {7}), Uniform(0x08, 0)}, {{16, (28672 - 1344) * 2 - 65536}}},
        {"Filter3Positive", {EndingWith(0xC0, {6, 7}), Uniform(0x0C, 0)}, {{16, 2 * (28672 - 3584 + 1536 - 12288)}}},
        // The prediction alone passes the range (62463 and -62464), so the sum is clamped
        // before doubling; unclamped it would be stored as -6146 and 6144.
        {"FilterClamps", {EndingWith(0xF0, {0, 7}), Uniform(0x08, 0)}, {{15, -2}, {16, -2}}},
        {"FilterClampsLow", {EndingWith(0xF0, {0, -8}), Uniform(0x08, 0)}, {{15, 0}, {16, 0}}},
        // The two ignored bits of the header change nothing.
        {"IgnoredHeaderBits", {StartingWith(0xC3, {7})}, {{0, 28672}}},
        {"ManyBlocks", Deterministic(40), {}},
    };
    return cases;
}

void PrintTo(const BlockCase& c, std::ostream* os) { *os << c.name; }

class BlockDecoding : public ::testing::TestWithParam<BlockCase> {};

TEST_P(BlockDecoding, MatchesHandWorkedAndReferenceSamples) {
    std::vector<Block> blocks = GetParam().blocks;
    blocks.push_back(Uniform(0xC4, 7));  // the last block, whose content is never heard
    const Bytes item = SoundItem(blocks);
    const Conversion converted = Convert(item);
    ASSERT_TRUE(converted.result);
    const std::vector<std::int16_t> samples = Samples(converted.file);
    ASSERT_EQ(samples.size(), 16 * blocks.size());
    for (auto [index, value] : GetParam().expected) EXPECT_EQ(samples.at(index), value) << "sample " << index;
    EXPECT_EQ(samples, ReferenceSamples(item));
    for (std::size_t k = samples.size() - 16; k < samples.size(); ++k) EXPECT_EQ(samples[k], 0);
}

INSTANTIATE_TEST_SUITE_P(WriteWaveFile, BlockDecoding, ::testing::ValuesIn(BlockCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(WriteWaveFile, HeaderBytes) {
    // Two blocks at rate value 0x0100: 12280 Hz.
    const Bytes expected = {
        'R', 'I', 'F', 'F', 114, 0, 0, 0, 'W', 'A', 'V', 'E', 'f', 'm', 't', ' ',
        18, 0, 0, 0, 1, 0, 1, 0, 0xF8, 0x2F, 0, 0, 0xF0, 0x5F, 0, 0,
        2, 0, 16, 0, 0, 0, 'f', 'a', 'c', 't', 4, 0, 0, 0, 32, 0, 0, 0,
        'd', 'a', 't', 'a', 64, 0, 0, 0};
    const Conversion converted = Convert(ItemWithLength(29, 29, 0x01, 0x00));
    ASSERT_TRUE(converted.result);
    ASSERT_EQ(converted.file.size(), 122u);
    EXPECT_EQ(Bytes(converted.file.begin(), converted.file.begin() + kHeader), expected);
}

struct HeaderCase {
    std::uint16_t length;
    std::uint8_t rateHigh, rateLow;
    std::uint32_t blocks;
    std::uint32_t rate;
};

void PrintTo(const HeaderCase& c, std::ostream* os) { *os << "length " << c.length; }

class HeaderFields : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(HeaderFields, FollowLengthAndRate) {
    const HeaderCase& c = GetParam();
    const Conversion converted = Convert(ItemWithLength(c.length, c.length + 5, c.rateHigh, c.rateLow));
    ASSERT_TRUE(converted.result);
    const Bytes& file = converted.file;
    ASSERT_EQ(file.size(), kHeader + 32 * c.blocks);
    EXPECT_EQ(Le(file, 4, 4), 32 * c.blocks + 50);
    EXPECT_EQ(Le(file, 16, 4), 18u);
    EXPECT_EQ(Le(file, 24, 4), c.rate);
    EXPECT_EQ(Le(file, 28, 4), 2 * c.rate);
    EXPECT_EQ(Le(file, 46, 4), 16 * c.blocks);
    EXPECT_EQ(Le(file, 54, 4), 32 * c.blocks);
    // Bytes past the announced blocks, a partial tenth byte group included, are never read.
    EXPECT_EQ(converted.consumed, static_cast<std::int32_t>(11 + 9 * c.blocks));
}

INSTANTIATE_TEST_SUITE_P(WriteWaveFile, HeaderFields,
                         ::testing::Values(HeaderCase{11, 0, 0, 0, 11000},
                                           HeaderCase{15, 0x01, 0x00, 0, 12280},
                                           HeaderCase{19, 0, 1, 0, 11005},
                                           HeaderCase{20, 0, 0, 1, 11000},
                                           HeaderCase{29, 0x01, 0x00, 2, 12280},
                                           HeaderCase{37, 0x12, 0x34, 2, 5 * 0x1234 + 11000},
                                           HeaderCase{101, 0xFF, 0xFF, 10, 5 * 65535 + 11000},
                                           HeaderCase{0x1000, 0x80, 0x00, (0x1000 - 11) / 9, 5 * 0x8000 + 11000}));

TEST(WriteWaveFile, OneBlockIsSilent) {
    Bytes item = SoundItem({Uniform(0xC0, 7)});
    const Conversion converted = Convert(item);
    ASSERT_TRUE(converted.result);
    EXPECT_EQ(converted.file.size(), kHeader + 32);
    EXPECT_EQ(Samples(converted.file), std::vector<std::int16_t>(16, 0));
}

struct ShortCase {
    const char* name;
    Bytes item;
    std::size_t written;  // bytes in the sink when the conversion gives up
};

void PrintTo(const ShortCase& c, std::ostream* os) { *os << c.name; }

class ShortItem : public ::testing::TestWithParam<ShortCase> {};

TEST_P(ShortItem, FailsKeepingWhatWasWritten) {
    const Conversion converted = Convert(GetParam().item);
    EXPECT_FALSE(converted.result);
    EXPECT_EQ(converted.file.size(), GetParam().written);
    if (GetParam().written >= kHeader) {
        EXPECT_EQ(Le(converted.file, 46, 4), 16 * ((Le(GetParam().item, 0, 2) - 11) / 9));
    }
}

INSTANTIATE_TEST_SUITE_P(
    WriteWaveFile, ShortItem,
    ::testing::Values(ShortCase{"Empty", {}, 0},
                      ShortCase{"HeaderCut", ItemWithLength(29, 10), 0},
                      // The header still announces both blocks.
                      ShortCase{"NoBlockBytes", ItemWithLength(20, 11), kHeader},
                      ShortCase{"FirstBlockCut", ItemWithLength(29, 19), kHeader},
                      ShortCase{"SecondBlockCut", ItemWithLength(29, 28), kHeader + 32},
                      // Below 11 the unsigned count would wrap to millions of blocks.
                      ShortCase{"LengthZero", ItemWithLength(0, 2000), 0},
                      ShortCase{"LengthTen", ItemWithLength(10, 2000), 0},
                      ShortCase{"LengthOne", ItemWithLength(1, 11), 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WriteWaveFile, StopsWhenTheSinkRefuses) {
    for (std::size_t capacity : {std::size_t{0}, std::size_t{30}, kHeader, kHeader + 7}) {
        const Conversion converted = Convert(ItemWithLength(29, 29), capacity);
        EXPECT_FALSE(converted.result) << capacity;
        EXPECT_EQ(converted.file.size(), capacity);
    }
    EXPECT_TRUE(Convert(ItemWithLength(29, 29), 122).result);
}

}  // namespace
