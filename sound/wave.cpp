#include "sound/wave.h"

#include "archive/byte_stream.h"
#include "archive/little_endian.h"

#include <algorithm>

namespace {

// The sample rate is 5 * P + 11000 Hz for the item's rate value P.
constexpr std::uint32_t kRateBase = 11000;
constexpr std::uint32_t kRateStep = 5;

void PutTag(std::uint8_t* at, const char (&tag)[5]) { std::copy(tag, tag + 4, at); }

void BuildWaveHeader(std::uint8_t (&header)[kWaveHeaderSize], std::uint32_t blocks,
                     std::uint32_t rate) {
    const std::uint32_t samples = kSamplesPerBlock * blocks;
    const std::uint32_t dataSize = 2 * samples;
    PutTag(header + 0, "RIFF");
    PutLe32(header + 4, dataSize + kWaveHeaderSize - 8);
    PutTag(header + 8, "WAVE");
    PutTag(header + 12, "fmt ");
    PutLe32(header + 16, 18);  // the format block carries its extra-size field
    PutLe16(header + 20, 1);   // PCM
    PutLe16(header + 22, 1);   // mono
    PutLe32(header + 24, rate);
    PutLe32(header + 28, 2 * rate);
    PutLe16(header + 32, 2);   // bytes per sample frame
    PutLe16(header + 34, 16);  // bits per sample
    PutLe16(header + 36, 0);   // no extra format bytes
    PutTag(header + 38, "fact");
    PutLe32(header + 42, 4);
    PutLe32(header + 46, samples);
    PutTag(header + 50, "data");
    PutLe32(header + 54, dataSize);
}

// The filter's prediction from the two previous outputs. The history holds doubled samples, so
// in terms of the previous clamped samples q1 and q2 the filters add
//   1: q1 * 15/16
//   2: q1 * 61/32 - q2 * 15/16
//   3: q1 * 7/4   - q2 * 7/8
// Every '/' is C++ integer division and so truncates toward zero; the decoded sounds depend on
// it, because an arithmetic shift would round negative history values down instead.
std::int32_t Prediction(std::uint32_t filter, std::int32_t p1, std::int32_t p2) {
    switch (filter) {
    case 1: return p1 / 2 - p1 / 32;
    case 2: return p1 - (p1 + p1 / 2) / 32 + p2 / 32 - p2 / 2;
    case 3: return p1 - (16 * p1) / 128 + p2 / 16 - p2 / 2;
    default: return 0;
    }
}

}  // namespace

bool WriteWaveFile(ByteSource& source, ByteSink& sink) {
    std::int32_t h[kSoundHeaderSize];
    for (std::int32_t& byte : h)
        if ((byte = source.Get()) < 0) return false;

    const std::uint32_t length = static_cast<std::uint32_t>(h[0] + 256 * h[1]);
    // Below the header size the unsigned count would wrap to some 477 million blocks and promise
    // a file far larger than the item; such an item holds no sound.
    if (length < kSoundHeaderSize) return false;
    const std::uint32_t blocks = (length - kSoundHeaderSize) / kBrrBlockSize;
    const std::uint32_t rate = kRateStep * static_cast<std::uint32_t>(256 * h[7] + h[8]) + kRateBase;

    std::uint8_t header[kWaveHeaderSize];
    BuildWaveHeader(header, blocks, rate);
    for (std::uint8_t byte : header)
        if (!sink.Put(byte)) return false;

    std::int32_t p1 = 0;
    std::int32_t p2 = 0;
    for (std::uint32_t block = 1; block <= blocks; ++block) {
        std::int32_t d[kBrrBlockSize];
        for (std::int32_t& byte : d)
            if ((byte = source.Get()) < 0) return false;

        const std::int32_t shift = d[0] >> 4;
        const std::uint32_t filter = static_cast<std::uint32_t>(d[0] >> 2) & 3;
        // The last block is read but written as silence.
        const bool silent = block == blocks;

        for (std::uint32_t k = 0; k < kSamplesPerBlock; ++k) {
            const std::int32_t packed = d[1 + k / 2];
            std::int32_t code = k % 2 == 0 ? packed >> 4 : packed & 0x0F;
            if (code >= 8) code -= 16;

            std::int32_t s = code * (1 << shift) / 2;
            s += Prediction(filter, p1, p2);
            s = std::clamp(s, -32768, 32767);

            // The file keeps the low 16 bits of 2 * s, so clamped values beyond +-16383 wrap;
            // the history keeps the whole doubled value.
            const std::int32_t out = silent ? 0 : 2 * s;
            if (!sink.Put(out & 0xFF) || !sink.Put((out >> 8) & 0xFF)) return false;
            p2 = p1;
            p1 = out;
        }
    }
    return true;
}
