// Throughput of the WAV converter over memory streams and of the item image builder over a raw
// file in a temporary folder, in bytes written per second.
#include "image/item_image.h"
#include "sound/wave.h"

#include "archive/byte_stream.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

// A sound item of 400 blocks (6,400 samples) cycling through the four filters.
Bytes SoundItem() {
    constexpr int kBlocks = 400;
    const int length = 11 + 9 * kBlocks;
    Bytes item = {static_cast<std::uint8_t>(length & 0xFF), static_cast<std::uint8_t>(length >> 8),
                  0, 0, 0, 0, 0, 0x03, 0xE8, 0, 0};
    std::mt19937 random(3);
    for (int block = 0; block < kBlocks; ++block) {
        item.push_back(static_cast<std::uint8_t>((8 << 4) | ((block % 4) << 2)));
        for (int i = 0; i < 8; ++i) item.push_back(static_cast<std::uint8_t>(random()));
    }
    return item;
}

void BM_WriteWaveFile(benchmark::State& state) {
    Bytes item = SoundItem();
    Bytes wave(58 + 32 * 400);
    for (auto _ : state) {
        MemoryByteStream source(item.data(), static_cast<std::int32_t>(item.size()));
        MemoryByteStream sink(wave.data(), static_cast<std::int32_t>(wave.size()));
        benchmark::DoNotOptimize(WriteWaveFile(source, sink));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * wave.size()));
}
BENCHMARK(BM_WriteWaveFile);

// The largest misc picture, 192 x 111, from its raw file to a BMP file.
void BM_ExportItemImage(benchmark::State& state) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "quillmere-bench";
    std::filesystem::create_directories(folder);
    Bytes raw(96 * 111);
    std::mt19937 random(5);
    for (std::uint8_t& byte : raw) byte = static_cast<std::uint8_t>(random());
    std::FILE* file = std::fopen((folder / "012.bin").c_str(), "wb");
    std::fwrite(raw.data(), raw.size(), 1, file);
    std::fclose(file);

    std::uint32_t palette[16] = {};
    const std::string output = (folder / "012.bmp").string();
    for (auto _ : state) {
        ItemImageRequest request{PathBuffer(folder.c_str()), 12, 192, 111, palette, output.c_str()};
        benchmark::DoNotOptimize(ExportItemImage(request));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * (118 + 96 * 111)));
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_ExportItemImage);

}  // namespace
