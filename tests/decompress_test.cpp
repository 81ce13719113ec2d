#include "archive/decompress.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

enum class Decoder { PixelRle, Lz };

struct DecodeCase {
    const char* name;
    Decoder decoder;
    Bytes input;
    Bytes output;
    int consumed = -1;  // input bytes read, where it matters
};

// Decodes into a buffer of the item buffer's size, filled with a marker so that stray reads of
// unwritten bytes show.
struct Decoded {
    Bytes output;
    int consumed;
};

Decoded Decode(Decoder decoder, const Bytes& input, std::uint8_t fill = 0) {
    Bytes in = input;
    MemoryByteStream source(in.data(), static_cast<std::int32_t>(in.size()));
    Bytes buffer(kItemBufferSize, fill);
    MemoryByteStream output(buffer.data(), kItemBufferSize);
    if (decoder == Decoder::PixelRle)
        DecodePixelRle(source, output);
    else
        DecodeLz(source, output);
    return {Bytes(buffer.begin(), buffer.begin() + output.position), source.position};
}

class DecodeTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeTest, ProducesTheItemBytes) {
    const DecodeCase& c = GetParam();
    Decoded d = Decode(c.decoder, c.input);
    EXPECT_EQ(d.output, c.output);
    if (c.consumed >= 0) {
        EXPECT_EQ(d.consumed, c.consumed);
    }
}

// Pixel runs: header width, -, height, -; then commands.
INSTANTIATE_TEST_SUITE_P(
    PixelRle, DecodeTest,
    ::testing::Values(
        DecodeCase{"RunThenRowCopy", Decoder::PixelRle, {4, 0, 2, 0, 0x31, 0xB2, 0x02}, {0x11, 0x11, 0x11, 0x12}},
        DecodeCase{"LiteralEvenCountStartsWithV", Decoder::PixelRle, {3, 0, 1, 0, 0x95, 0x02, 0xAB}, {0x5A}},
        DecodeCase{"LiteralOddCountIgnoresV", Decoder::PixelRle, {4, 0, 1, 0, 0x9F, 0x03, 0x12, 0x34}, {0x12, 0x34}},
        DecodeCase{"WidthZeroReadsNoCommand", Decoder::PixelRle, {0, 0, 5, 0, 0x31}, {}, 4},
        DecodeCase{"HeightZeroReadsNoCommand", Decoder::PixelRle, {5, 0, 0, 0, 0x31}, {}, 4},
        DecodeCase{"CopyInFirstRowFails", Decoder::PixelRle, {4, 0, 2, 0, 0xB0, 0x00, 0x31}, {}, 6},
        DecodeCase{"RunPastTotalIsKept", Decoder::PixelRle, {2, 0, 1, 0, 0x73}, {0x33, 0x33, 0x33, 0x33}, 5},
        DecodeCase{"SkippedOpsEmitNothing", Decoder::PixelRle, {2, 0, 1, 0, 0xA5, 0xD5, 0xE5, 0x11}, {0x11}, 8},
        DecodeCase{"ByteRun", Decoder::PixelRle, {8, 0, 1, 0, 0x86, 0x05}, {0x66, 0x66, 0x66}},
        DecodeCase{"WordRun", Decoder::PixelRle, {2, 0, 2, 0, 0xC4, 0x00, 0x03}, {0x44, 0x44}},
        DecodeCase{"WordCopy", Decoder::PixelRle, {2, 0, 3, 0, 0x0C, 0x0D, 0xF0, 0x00, 0x02},
                   {0xCD, 0xCD, 0xCD}},
        DecodeCase{"OddLastPixelDropped", Decoder::PixelRle, {3, 0, 1, 0, 0x27}, {0x77}},
        DecodeCase{"InputEndsInsideLiteral", Decoder::PixelRle, {8, 0, 1, 0, 0x32, 0x97, 0x03, 0x12}, {0x22, 0x22, 0x12}},
        DecodeCase{"InputEndsInsideWordCount", Decoder::PixelRle, {4, 0, 2, 0, 0x31, 0xF0, 0x00}, {0x11, 0x11}},
        DecodeCase{"InputEndsInsideHeader", Decoder::PixelRle, {4, 0, 2}, {}},
        DecodeCase{"InputEndsBeforeTotal", Decoder::PixelRle, {4, 0, 4, 0, 0x35}, {0x55, 0x55}}),
    [](const auto& info) { return std::string(info.param.name); });

// LZ: two unused bytes, big-endian length, then literal runs and back-references.
INSTANTIATE_TEST_SUITE_P(
    Lz, DecodeTest,
    ::testing::Values(
        DecodeCase{"LiteralsThenOverlappingCopy", Decoder::Lz, {0, 0, 0, 6, 0x02, 0x41, 0x42, 0x88, 0x02},
                   {0x41, 0x42, 0x41, 0x42, 0x41, 0x42}},
        DecodeCase{"LengthZero", Decoder::Lz, {9, 9, 0, 0, 0x01, 0x41}, {}, 4},
        DecodeCase{"LengthIsBigEndian", Decoder::Lz, {0, 0, 0x01, 0x00, 0x01, 0x07, 0xFE, 0x01, 0xFE, 0x01},
                   Bytes(1 + 63 + 63, 0x07)},
        DecodeCase{"DistanceBeyondWrittenEnds", Decoder::Lz, {0, 0, 0, 9, 0x02, 1, 2, 0x82, 0x03, 0x01, 9}, {1, 2}},
        DecodeCase{"CountZeroGoesOn", Decoder::Lz, {0, 0, 0, 3, 0x01, 5, 0x80, 0x01, 0x02, 6, 7}, {5, 6, 7}},
        DecodeCase{"CountZeroTooFarEnds", Decoder::Lz, {0, 0, 0, 3, 0x01, 5, 0x81, 0x00, 0x02, 6, 7}, {5}},
        DecodeCase{"LastCommandCrossesLength", Decoder::Lz, {0, 0, 0, 2, 0x04, 1, 2, 3, 4}, {1, 2, 3, 4}},
        DecodeCase{"ControlZeroCopiesNothing", Decoder::Lz, {0, 0, 0, 1, 0x00, 0x01, 8}, {8}},
        DecodeCase{"InputEndsInsideLiterals", Decoder::Lz, {0, 0, 0, 5, 0x05, 1, 2}, {1, 2}},
        DecodeCase{"InputEndsInsideReference", Decoder::Lz, {0, 0, 0, 5, 0x01, 1, 0x82}, {1}},
        DecodeCase{"InputEndsInsideHeader", Decoder::Lz, {0, 0, 0}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DecodeLz, ControlByteSplitsIntoCountAndNineBitDistance) {
    // 85 10: count (0x85 >> 1) & 63 = 2, distance 256 + 0x10 = 272.
    Bytes input = {0, 0, 0x01, 0x20};
    input.push_back(0x7F);
    for (int i = 0; i < 127; ++i) input.push_back(static_cast<std::uint8_t>(i));
    input.push_back(0x7F);
    for (int i = 127; i < 254; ++i) input.push_back(static_cast<std::uint8_t>(i));
    input.push_back(0x12);
    for (int i = 254; i < 272; ++i) input.push_back(static_cast<std::uint8_t>(i));
    input.push_back(0x85);
    input.push_back(0x10);
    Decoded d = Decode(Decoder::Lz, input);
    ASSERT_EQ(d.output.size(), 274u);
    EXPECT_EQ(d.output[272], 0);
    EXPECT_EQ(d.output[273], 1);
}

TEST(DecodePixelRle, RowCopiesReadOneRowAbove) {
    // Width 3: row 0 is 1 2 3 from literals, then op 15 copies 2 + 2 = 4 pixels, op 11 copies
    // one more and adds colour 9: rows 123 / 123 / 29 -> pixels 1 2 3 1 2 3 1 2 9 (9 pixels).
    Bytes input = {3, 0, 3, 0, 0x91, 0x02, 0x23, 0xF0, 0x00, 0x02, 0xB9, 0x00};
    Decoded d = Decode(Decoder::PixelRle, input);
    EXPECT_EQ(d.output, (Bytes{0x12, 0x31, 0x23, 0x12}));
}

TEST(DecodePixelRle, StopsAtTheFullBuffer) {
    // 255 x 255 pixels asked, runs of 65,536 pixels: the buffer holds 65,536, so the first run
    // fills it, the second cannot add one and the item ends with 32,768 bytes.
    Bytes input = {255, 0, 255, 0, 0xC7, 0xFF, 0xFF, 0xC7, 0xFF, 0xFF};
    Decoded d = Decode(Decoder::PixelRle, input);
    EXPECT_EQ(d.output.size(), 32768u);
    EXPECT_EQ(d.output.front(), 0x77);
    EXPECT_EQ(d.output.back(), 0x77);
}

TEST(DecodePixelRle, RowCopyAtTheFullBufferKeepsThePixelsThatFit) {
    // 65,020 pixels of colour 7, then a copy of 600 pixels from the row above: 516 fit before the
    // buffer is full, they stay, and the item ends there.
    Bytes input = {255, 0, 255, 0, 0xC7, 0xFD, 0xFB, 0xF0, 0x02, 0x56};
    Decoded d = Decode(Decoder::PixelRle, input);
    EXPECT_EQ(d.output.size(), 32768u);
    EXPECT_EQ(d.output.back(), 0x77);
}

TEST(DecodeLz, StopsAtTheFullBuffer) {
    // Length 0xFFFF asked; literal runs of 127 fill the buffer, and the run that would pass 65,536
    // bytes ends the item at exactly that size.
    Bytes input = {0, 0, 0xFF, 0xFF};
    for (int run = 0; run < 517; ++run) {
        input.push_back(0x7F);
        input.insert(input.end(), 127, static_cast<std::uint8_t>(run));
    }
    Decoded d = Decode(Decoder::Lz, input);
    EXPECT_EQ(d.output.size(), 65536u);
}

TEST(DecodePixelRle, OddPixelCountPairsWithTheStaleByteAfterIt) {
    // Three pixels 1 2 3: the second packed byte is 3 << 4 | the byte after the pixels, and it is
    // written into the buffer although the output length stops before it.
    Bytes input = {3, 0, 1, 0, 0x91, 0x02, 0x23};
    Bytes in = input;
    MemoryByteStream source(in.data(), static_cast<std::int32_t>(in.size()));
    Bytes buffer(16, 0x05);
    MemoryByteStream output(buffer.data(), 16);
    DecodePixelRle(source, output);
    EXPECT_EQ(output.position, 1);
    EXPECT_EQ(buffer[0], 0x12);
    EXPECT_EQ(buffer[1], 0x35);
}

TEST(DecodePixelRle, OddPixelCountFillingAnOddBufferStaysInside) {
    Bytes input = {3, 0, 1, 0, 0x91, 0x02, 0x23};
    Bytes in = input;
    MemoryByteStream source(in.data(), static_cast<std::int32_t>(in.size()));
    Bytes buffer(3, 0);
    MemoryByteStream output(buffer.data(), 3);
    DecodePixelRle(source, output);
    EXPECT_EQ(output.position, 1);
    EXPECT_EQ(buffer[0], 0x12);
    EXPECT_EQ(buffer[1], 0x30);
}

}  // namespace
