// Round trips through the item encoders and the extraction's own decoders, over many seeded
// random inputs.
#include "pack/brr_encoder.h"
#include "pack/lz_packer.h"
#include "pack/pixel_run_packer.h"

#include "archive/byte_stream.h"
#include "archive/decompress.h"
#include "sound/wave.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <stdexcept>
#include <vector>

namespace {

constexpr int kDecodeBufferSize = 65536;

// What a decoder made of packed bytes, and how many of them it read.
struct Decoded {
    std::vector<std::uint8_t> bytes;
    std::int32_t consumed = 0;
};

// Decodes into a buffer full of a foreign byte, so that a copy of distance 0 (which keeps what the
// buffer held) shows as a wrong byte.
template <typename Decoder>
Decoded Decode(Decoder decoder, std::vector<std::uint8_t> packed) {
    std::vector<std::uint8_t> buffer(kDecodeBufferSize, 0xA5);
    MemoryByteStream input(packed.data(), static_cast<std::int32_t>(packed.size()));
    MemoryByteStream output(buffer.data(), kDecodeBufferSize);
    decoder(input, output);
    buffer.resize(static_cast<std::size_t>(output.position));
    return {buffer, input.position};
}

// ---- LZ (type 3) ----

enum class ByteShape { Noise, FewSymbols, Pattern, Runs };

std::vector<std::uint8_t> RandomBytes(std::mt19937& random, std::size_t size, ByteShape shape) {
    std::vector<std::uint8_t> bytes(size);
    std::uniform_int_distribution<int> anyByte(0, 255);
    switch (shape) {
    case ByteShape::Noise:
        for (auto& b : bytes) b = static_cast<std::uint8_t>(anyByte(random));
        break;
    case ByteShape::FewSymbols:
        for (auto& b : bytes) b = static_cast<std::uint8_t>(anyByte(random) % 3);
        break;
    case ByteShape::Pattern: {
        // Periods around the 511-byte reach of a back-reference, and short ones.
        const std::size_t period = std::uniform_int_distribution<std::size_t>(1, 600)(random);
        for (std::size_t i = 0; i < size; ++i)
            bytes[i] = i < period ? static_cast<std::uint8_t>(anyByte(random)) : bytes[i - period];
        for (int flips = 0; flips < 5 && size > 0; ++flips)
            bytes[std::uniform_int_distribution<std::size_t>(0, size - 1)(random)] ^= 0x5A;
        break;
    }
    case ByteShape::Runs:
        for (std::size_t i = 0; i < size;) {
            const std::size_t length = std::uniform_int_distribution<std::size_t>(1, 200)(random);
            const auto value = static_cast<std::uint8_t>(anyByte(random));
            for (std::size_t k = 0; k < length && i < size; ++k) bytes[i++] = value;
        }
        break;
    }
    return bytes;
}

TEST(PackLz, RoundTripsRandomInputs) {
    std::mt19937 random(6001);
    const std::vector<std::size_t> fixedSizes = {0, 1, 2, 3, 4, 63, 64, 127, 128, 511, 512, 513};
    for (int round = 0; round < 320; ++round) {
        const std::size_t size = round < static_cast<int>(fixedSizes.size())
                                     ? fixedSizes[static_cast<std::size_t>(round)]
                                     : std::uniform_int_distribution<std::size_t>(0, 6000)(random);
        const auto shape = static_cast<ByteShape>(round % 4);
        const std::vector<std::uint8_t> bytes = RandomBytes(random, size, shape);
        const std::vector<std::uint8_t> packed = pack::PackLz(bytes);
        const Decoded decoded = Decode(DecodeLz, packed);
        ASSERT_EQ(decoded.bytes, bytes) << "round " << round << ", size " << size;
        EXPECT_EQ(decoded.consumed, static_cast<std::int32_t>(packed.size())) << "round " << round;
    }
}

TEST(PackLz, HandlesTheLongestLength) {
    std::mt19937 random(6002);
    for (ByteShape shape : {ByteShape::Noise, ByteShape::Runs}) {
        const std::vector<std::uint8_t> bytes = RandomBytes(random, pack::kLzMaxLength, shape);
        EXPECT_EQ(Decode(DecodeLz, pack::PackLz(bytes)).bytes, bytes);
    }
    const std::vector<std::uint8_t> tooLong(pack::kLzMaxLength + 1, 0);
    EXPECT_THROW(pack::PackLz(tooLong), std::length_error);
}

TEST(PackLz, UsesBackReferencesWhereTheyPay) {
    // 4096 equal bytes: one literal, then copies of 63 bytes at two bytes each.
    const std::vector<std::uint8_t> zeros(4096, 0);
    EXPECT_LE(pack::PackLz(zeros).size(), 4u + 2u + 2u * (4096 / 63 + 1));
    // A block repeated at the largest distance a reference reaches.
    std::mt19937 random(6003);
    std::vector<std::uint8_t> block = RandomBytes(random, 511, ByteShape::Noise);
    std::vector<std::uint8_t> twice = block;
    twice.insert(twice.end(), block.begin(), block.end());
    EXPECT_LE(pack::PackLz(twice).size(), 4u + 511u + 5u + 2u * (511 / 63 + 1));
    // Noise costs at most one control byte per 127 literals.
    const std::vector<std::uint8_t> noise = RandomBytes(random, 5000, ByteShape::Noise);
    EXPECT_LE(pack::PackLz(noise).size(), 4u + 5000u + 5000u / 127 + 1);
}

// ---- pixel runs (type 2) ----

enum class PixelShape { Noise, Runs, RepeatedRows, Patches, VerticalStripes };

std::vector<std::uint8_t> RandomPixels(std::mt19937& random, int width, int height, PixelShape shape) {
    const int total = width * height;
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(total));
    std::uniform_int_distribution<int> colour(0, 15);
    std::uniform_int_distribution<int> percent(0, 99);
    for (int i = 0; i < total; ++i) {
        const int x = i % width;
        const bool hasAbove = i >= width;
        std::uint8_t& p = pixels[static_cast<std::size_t>(i)];
        switch (shape) {
        case PixelShape::Noise:
            p = static_cast<std::uint8_t>(colour(random));
            break;
        case PixelShape::Runs:
            p = (i > 0 && percent(random) < 90) ? pixels[i - 1] : static_cast<std::uint8_t>(colour(random));
            break;
        case PixelShape::RepeatedRows:
            p = (hasAbove && percent(random) < 95) ? pixels[i - width] : static_cast<std::uint8_t>(colour(random));
            break;
        case PixelShape::Patches:
            if (hasAbove && percent(random) < 70) p = pixels[i - width];
            else if (x > 0 && percent(random) < 70) p = pixels[i - 1];
            else p = static_cast<std::uint8_t>(colour(random));
            break;
        case PixelShape::VerticalStripes:
            p = hasAbove ? pixels[i - width] : static_cast<std::uint8_t>(x / 3 % 16);
            break;
        }
    }
    return pixels;
}

std::vector<std::uint8_t> PackedPairs(const std::vector<std::uint8_t>& pixels) {
    std::vector<std::uint8_t> bytes;
    for (std::size_t k = 0; 2 * k + 1 < pixels.size(); ++k)
        bytes.push_back(static_cast<std::uint8_t>((pixels[2 * k] << 4) | pixels[2 * k + 1]));
    return bytes;
}

TEST(PackPixelRuns, RoundTripsRandomPictures) {
    std::mt19937 random(6010);
    struct Size {
        int width, height;
    };
    // Width 1 makes every row copy a copy of the pixel before; odd widths and counts leave a
    // pixel that the decoder drops; 255 is the widest side the header holds.
    const std::vector<Size> fixedSizes = {{0, 0}, {0, 7}, {7, 0}, {1, 1}, {1, 2}, {2, 1}, {1, 255},
                                          {3, 3}, {5, 1}, {255, 1}, {255, 2}, {255, 255}, {16, 16},
                                          {17, 9}, {24, 94}, {192, 111}};
    std::uniform_int_distribution<int> side(1, 80);
    for (int round = 0; round < 300; ++round) {
        const Size size = round < static_cast<int>(fixedSizes.size())
                              ? fixedSizes[static_cast<std::size_t>(round)]
                              : Size{side(random), side(random)};
        const auto shape = static_cast<PixelShape>(round % 5);
        const std::vector<std::uint8_t> pixels = RandomPixels(random, size.width, size.height, shape);
        const std::vector<std::uint8_t> packed = pack::PackPixelRuns(pixels, size.width, size.height);
        const Decoded decoded = Decode(DecodePixelRle, packed);
        ASSERT_EQ(decoded.bytes, PackedPairs(pixels))
            << "round " << round << ", " << size.width << " x " << size.height;
        // The commands end exactly at the last pixel: nothing is left unread.
        EXPECT_EQ(decoded.consumed, static_cast<std::int32_t>(packed.size())) << "round " << round;
    }
}

TEST(PackPixelRuns, UsesRowCopiesAndLiteralsWhereTheyPay) {
    std::mt19937 random(6011);
    // One row of noise repeated: a literal row, then one copy of all the other rows.
    std::vector<std::uint8_t> rows = RandomPixels(random, 100, 1, PixelShape::Noise);
    for (int y = 1; y < 100; ++y) rows.insert(rows.end(), rows.begin(), rows.begin() + 100);
    EXPECT_LE(pack::PackPixelRuns(rows, 100, 100).size(), 4u + 2u + 50u + 3u);
    // Noise goes out as literals: at most half a byte a pixel and two bytes per 256 pixels.
    const std::vector<std::uint8_t> noise = RandomPixels(random, 200, 100, PixelShape::Noise);
    EXPECT_LE(pack::PackPixelRuns(noise, 200, 100).size(), 4u + 10000u + 2u * (20000 / 256 + 1));
    // One colour: a single 16-bit run.
    const std::vector<std::uint8_t> flat(255 * 255, 9);
    EXPECT_EQ(pack::PackPixelRuns(flat, 255, 255).size(), 4u + 3u);
}

TEST(PackPixelRuns, RefusesWhatTheHeaderCannotHold) {
    const std::vector<std::uint8_t> wide(256, 0);
    EXPECT_THROW(pack::PackPixelRuns(wide, 256, 1), std::invalid_argument);
    const std::vector<std::uint8_t> four(4, 0);
    EXPECT_THROW(pack::PackPixelRuns(four, 3, 1), std::invalid_argument);
    const std::vector<std::uint8_t> bright = {0, 16};
    EXPECT_THROW(pack::PackPixelRuns(bright, 2, 1), std::invalid_argument);
}

// ---- BRR ----

// The extraction's own decoder: the item through WriteWaveFile, the WAV file's samples back.
std::vector<std::int16_t> DecodeBrrItem(std::vector<std::uint8_t> item) {
    std::vector<std::uint8_t> wave(kWaveHeaderSize + 32 * item.size());
    MemoryByteStream source(item.data(), static_cast<std::int32_t>(item.size()));
    MemoryByteStream sink(wave.data(), static_cast<std::int32_t>(wave.size()));
    EXPECT_TRUE(WriteWaveFile(source, sink));
    std::vector<std::int16_t> samples;
    for (std::int32_t at = kWaveHeaderSize; at + 1 < sink.position; at += 2)
        samples.push_back(static_cast<std::int16_t>(wave[at] | (wave[at + 1] << 8)));
    return samples;
}

struct SmoothSignal {
    const char* name;
    double startHz;
    double endHz;  // a sweep when it differs from startHz
    double amplitude;
    int sampleCount;
};

class BrrRoundTrip : public ::testing::TestWithParam<SmoothSignal> {};

TEST_P(BrrRoundTrip, StaysCloseToSmoothSignals) {
    const SmoothSignal& signal = GetParam();
    constexpr double kRate = 16000.0;
    std::vector<std::int16_t> input(static_cast<std::size_t>(signal.sampleCount));
    double phase = 0.0;
    for (int i = 0; i < signal.sampleCount; ++i) {
        const double t = static_cast<double>(i) / signal.sampleCount;
        phase += 2.0 * M_PI * (signal.startHz + (signal.endHz - signal.startHz) * t) / kRate;
        input[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(std::lround(signal.amplitude * std::sin(phase)));
    }

    const std::vector<std::uint8_t> item = pack::MakeSoundItem(input, pack::RateValueFor(16000));
    const std::size_t blocks = (input.size() + 15) / 16 + 1;
    ASSERT_EQ(item.size(), 11 + 9 * blocks);
    const std::vector<std::int16_t> output = DecodeBrrItem(item);
    ASSERT_EQ(output.size(), 16 * blocks);

    double squares = 0.0;
    int worst = 0;
    for (std::size_t i = 0; i < input.size(); ++i) {
        const int error = std::abs(output[i] - input[i]);
        worst = std::max(worst, error);
        squares += static_cast<double>(error) * error;
    }
    const double rms = std::sqrt(squares / std::max<std::size_t>(1, input.size()));
    EXPECT_LE(rms, 0.01 * signal.amplitude + 2.0) << signal.name;
    // Single samples stray further where a block has to start a steep stretch.
    EXPECT_LE(worst, 0.1 * signal.amplitude + 16.0) << signal.name;
    // The silent last block adds nothing audible.
    for (std::size_t i = output.size() - 16; i < output.size(); ++i) EXPECT_EQ(output[i], 0) << i;
}

INSTANTIATE_TEST_SUITE_P(
    Pack, BrrRoundTrip,
    ::testing::Values(SmoothSignal{"Sine440Loud", 440, 440, 30000, 4000},
                      SmoothSignal{"Sine100Quiet", 100, 100, 300, 4000},
                      SmoothSignal{"Sine1000OddLength", 1000, 1000, 12000, 3001},
                      SmoothSignal{"SweepUp", 100, 1200, 20000, 8000},
                      SmoothSignal{"SweepDown", 1500, 150, 8000, 8000},
                      SmoothSignal{"OneSample", 440, 440, 1000, 1},
                      SmoothSignal{"Empty", 440, 440, 1000, 0}),
    [](const ::testing::TestParamInfo<SmoothSignal>& info) { return info.param.name; });

TEST(BrrEncoder, ModelsTheDecoderExactly) {
    // Random blocks of every shift the encoder uses and every filter, decoded by the extraction
    // and by the encoder's model of it: the same samples, so the encoder's history is the
    // decoder's.
    std::mt19937 random(6020);
    std::uniform_int_distribution<int> anyByte(0, 255);
    for (int round = 0; round < 50; ++round) {
        const int blocks = 1 + round % 40;
        std::vector<std::uint8_t> item(11 + 9 * blocks);
        item[0] = static_cast<std::uint8_t>(item.size() & 0xFF);
        item[1] = static_cast<std::uint8_t>(item.size() >> 8);
        for (std::size_t i = 11; i < item.size(); ++i) item[i] = static_cast<std::uint8_t>(anyByte(random));
        std::vector<std::int16_t> modelled;
        pack::BrrHistory history;
        for (int b = 0; b < blocks; ++b) {
            std::uint8_t& header = item[11 + 9 * b];
            const int shift = (header >> 4) % (pack::kBrrMaxShift + 1);
            header = static_cast<std::uint8_t>((shift << 4) | (header & 0x0F));
            for (int k = 0; k < 16; ++k) {
                const std::uint8_t pair = item[11 + 9 * b + 1 + k / 2];
                int code = k % 2 == 0 ? pair >> 4 : pair & 0x0F;
                if (code >= 8) code -= 16;
                const std::int32_t out = pack::DecodeBrrSample(code, shift, (header >> 2) & 3, history);
                modelled.push_back(b + 1 == blocks ? 0 : static_cast<std::int16_t>(static_cast<std::uint16_t>(out)));
            }
        }
        ASSERT_EQ(DecodeBrrItem(item), modelled) << "round " << round;
    }
}

TEST(BrrEncoder, WritesTheSoundItemHeaderAndBlockHeaders) {
    std::vector<std::int16_t> samples(40);
    for (std::size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<std::int16_t>(i * 500);
    const std::vector<std::uint8_t> item = pack::MakeSoundItem(samples, 0x0102);
    // 40 samples take three blocks, plus the silent last one.
    ASSERT_EQ(item.size(), 11u + 4u * 9u);
    EXPECT_EQ(item[0], 47);  // length, little-endian
    EXPECT_EQ(item[1], 0);
    EXPECT_EQ(item[7], 0x01);  // rate value, big-endian
    EXPECT_EQ(item[8], 0x02);
    for (std::size_t b = 0; b < 4; ++b) {
        const std::uint8_t header = item[11 + 9 * b];
        EXPECT_LE(header >> 4, pack::kBrrMaxShift);
        EXPECT_EQ(header & 1, b == 3 ? 1 : 0) << "end flag, block " << b;
    }
    EXPECT_EQ(pack::RateValueFor(16000), 1000);
    EXPECT_EQ(pack::RateValueFor(22050), 2210);
}

TEST(BrrEncoder, RefusesItemsBeyondTheLengthField) {
    const std::vector<std::int16_t> tooLong(16 * 7280, 0);
    EXPECT_THROW(pack::MakeSoundItem(tooLong, 0), std::length_error);
    const std::vector<std::int16_t> longest(16 * 7279, 0);
    EXPECT_EQ(pack::MakeSoundItem(longest, 0).size(), 11u + 9u * 7280u);
}

}  // namespace
