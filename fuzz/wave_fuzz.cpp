// WriteWaveFile on arbitrary raw sound items, into a sink that holds every byte or one that
// refuses after a given count, compared with a plain re-statement of the conversion.
#include "archive/byte_stream.h"
#include "fuzz/fuzz_input.h"
#include "sound/wave.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace {

// The largest WAV a sound item can give: a length field of 0xFFFF announces 7,280 blocks.
constexpr std::size_t kLargestWave = 58 + 32 * ((0xFFFFu - 11) / 9);

struct PlainWave {
    bool written = false;
    std::vector<std::uint8_t> bytes;
};

void Put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    Put16(out, value);
    Put16(out, value >> 16);
}

void PutTag(std::vector<std::uint8_t>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

// The conversion as its description reads, with the one choice it leaves open made as the product
// makes it: a length field below the 11-byte header is refused before anything is written.
PlainWave Convert(const std::uint8_t* item, std::size_t size) {
    PlainWave wave;
    if (size < 11) return wave;
    const std::uint32_t length = item[0] + 256u * item[1];
    if (length < 11) return wave;
    const std::uint32_t blocks = (length - 11) / 9;
    const std::uint32_t rate = 5 * (256u * item[7] + item[8]) + 11000;

    std::vector<std::uint8_t>& out = wave.bytes;
    PutTag(out, "RIFF");
    Put32(out, 32 * blocks + 50);
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, 18);
    Put16(out, 1);
    Put16(out, 1);
    Put32(out, rate);
    Put32(out, 2 * rate);
    Put16(out, 2);
    Put16(out, 16);
    Put16(out, 0);
    PutTag(out, "fact");
    Put32(out, 4);
    Put32(out, 16 * blocks);
    PutTag(out, "data");
    Put32(out, 32 * blocks);

    std::int32_t p1 = 0;
    std::int32_t p2 = 0;
    for (std::uint32_t b = 1; b <= blocks; ++b) {
        const std::size_t at = 11 + 9 * static_cast<std::size_t>(b - 1);
        if (at + 9 > size) return wave;
        const std::uint8_t* block = item + at;
        const int shift = block[0] >> 4;
        const int filter = (block[0] >> 2) & 3;
        for (int k = 0; k < 16; ++k) {
            int code = k % 2 == 0 ? block[1 + k / 2] >> 4 : block[1 + k / 2] & 0x0F;
            if (code >= 8) code -= 16;
            std::int32_t s = code * (1 << shift) / 2;
            switch (filter) {
            case 1: s += p1 / 2 - p1 / 32; break;
            case 2: s += p1 - (p1 + p1 / 2) / 32 + p2 / 32 - p2 / 2; break;
            case 3: s += p1 - (16 * p1) / 128 + p2 / 16 - p2 / 2; break;
            default: break;
            }
            s = std::clamp(s, -32768, 32767);
            const std::int32_t sample = b == blocks ? 0 : 2 * s;
            Put16(out, static_cast<std::uint32_t>(sample));
            p2 = p1;
            p1 = sample;
        }
    }
    wave.written = true;
    return wave;
}

}  // namespace

// Input: one byte, odd for a sink that refuses after the count in the next two bytes; then the item.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const bool limited = input.Byte() & 1;
    const std::size_t capacity = limited ? input.U16() : kLargestWave;

    std::unique_ptr<std::uint8_t[]> item(new std::uint8_t[input.RestSize()]);
    if (input.RestSize()) std::memcpy(item.get(), input.Rest(), input.RestSize());
    std::unique_ptr<std::uint8_t[]> wave(new std::uint8_t[capacity]);

    MemoryByteStream source(item.get(), static_cast<std::int32_t>(input.RestSize()));
    MemoryByteStream sink(wave.get(), static_cast<std::int32_t>(capacity));
    const bool written = WriteWaveFile(source, sink);

    const PlainWave plain = Convert(input.Rest(), input.RestSize());
    const std::size_t expected = std::min(plain.bytes.size(), capacity);
    fuzz::Require(static_cast<std::size_t>(sink.position) == expected, "WAV length as described");
    fuzz::Require(expected == 0 || std::memcmp(wave.get(), plain.bytes.data(), expected) == 0,
                  "WAV bytes as described");
    fuzz::Require(written == (plain.written && plain.bytes.size() <= capacity),
                  "success only when every byte was written");
    return 0;
}
