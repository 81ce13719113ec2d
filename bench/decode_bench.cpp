// Throughput of the two item decoders over memory streams, in input bytes per second.
#include "archive/decompress.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// A 192 x 111 picture in pixel runs: a mix of short runs, literals and row copies, as pictures
// of that size are packed.
Bytes PixelItem() {
    Bytes input = {192, 0, 111, 0};
    std::mt19937 random(7);
    for (int row = 0; row < 111; ++row) {
        if (row > 0 && row % 3 == 0) {
            input.insert(input.end(), {0xF0, 0x00, 190});  // 192 pixels from the row above
            continue;
        }
        for (int x = 0; x < 192;) {
            if (random() % 2) {
                input.push_back(static_cast<std::uint8_t>(0x70 | (random() % 16)));  // 8 pixels
                x += 8;
            } else {
                input.insert(input.end(), {0x9F, 0x07});  // 8 literal pixels
                for (int i = 0; i < 4; ++i) input.push_back(static_cast<std::uint8_t>(random()));
                x += 8;
            }
        }
    }
    return input;
}

// 16 KiB of LZ: literal runs and back-references in turn.
Bytes LzItem() {
    Bytes input = {0, 0, 0x40, 0x00};
    std::mt19937 random(11);
    for (int written = 0; written < 0x4000;) {
        input.push_back(0x10);
        for (int i = 0; i < 16; ++i) input.push_back(static_cast<std::uint8_t>(random()));
        written += 16;
        if (written > 64) {
            input.push_back(static_cast<std::uint8_t>(0x80 | (40 << 1)));  // 40 bytes from 64 back
            input.push_back(64);
            written += 40;
        }
    }
    return input;
}

void Decode(benchmark::State& state, void (*decoder)(ByteSource&, MemoryByteStream&), Bytes input) {
    static std::uint8_t buffer[kItemBufferSize];
    for (auto _ : state) {
        MemoryByteStream source(input.data(), static_cast<std::int32_t>(input.size()));
        MemoryByteStream output(buffer, kItemBufferSize);
        decoder(source, output);
        benchmark::DoNotOptimize(output.position);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.size()));
}

void BM_DecodePixelRle(benchmark::State& state) { Decode(state, DecodePixelRle, PixelItem()); }
void BM_DecodeLz(benchmark::State& state) { Decode(state, DecodeLz, LzItem()); }

BENCHMARK(BM_DecodePixelRle);
BENCHMARK(BM_DecodeLz);

}  // namespace
