// ExportItemImage on arbitrary raw items, sizes (below 1 and far too large included), item
// numbers and palettes; the bitmap file it writes is compared with one composed here.
#include "fuzz/fuzz_input.h"
#include "image/dib_image.h"
#include "image/item_image.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put16(Bytes& out, std::size_t at, std::uint32_t value) {
    out[at] = static_cast<std::uint8_t>(value);
    out[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void Put32(Bytes& out, std::size_t at, std::uint32_t value) {
    Put16(out, at, value);
    Put16(out, at + 2, value >> 16);
}

// The bitmap file as described: 14 + 40 header bytes, 16 colours blue-green-red-0, then the raw
// rows bottom row first, each raw byte in place, rows padded to 4 bytes and zero where the raw
// item has ended.
Bytes ExpectedBitmap(std::int32_t width, std::int32_t height, const std::uint32_t* palette,
                     const std::uint8_t* raw, std::size_t rawSize) {
    const std::size_t stride = (static_cast<std::size_t>(width) * 4 + 31) / 32 * 4;
    const std::size_t imageSize = stride * static_cast<std::size_t>(height);
    Bytes file(118 + imageSize, 0);
    file[0] = 'B';
    file[1] = 'M';
    Put32(file, 2, static_cast<std::uint32_t>(file.size()));
    Put32(file, 10, 118);
    Put32(file, 14, 40);
    Put32(file, 18, static_cast<std::uint32_t>(width));
    Put32(file, 22, static_cast<std::uint32_t>(height));
    Put16(file, 26, 1);
    Put16(file, 28, 4);
    Put32(file, 34, static_cast<std::uint32_t>(imageSize));
    Put32(file, 46, 16);
    Put32(file, 50, 16);
    for (std::size_t k = 0; k < 16; ++k) {
        file[54 + 4 * k] = static_cast<std::uint8_t>(palette[k] >> 16);
        file[55 + 4 * k] = static_cast<std::uint8_t>(palette[k] >> 8);
        file[56 + 4 * k] = static_cast<std::uint8_t>(palette[k]);
    }
    const std::size_t rowBytes = (static_cast<std::size_t>(width) + 1) / 2;
    std::size_t next = 0;
    for (std::size_t i = 0; i < static_cast<std::size_t>(height) && next < rawSize; ++i) {
        const std::size_t row = 118 + (static_cast<std::size_t>(height) - 1 - i) * stride;
        for (std::size_t x = 0; x < rowBytes && next < rawSize; ++x) file[row + x] = raw[next++];
    }
    return file;
}

}  // namespace

// Input: a byte whose low bit asks for 32-bit sizes (else 16-bit ones), the width, the height, a
// 32-bit item number, a byte the 16 colours are made from, then the raw item's bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    const bool wide = input.Byte() & 1;
    const std::int32_t width = wide ? static_cast<std::int32_t>(input.U32()) : static_cast<std::int16_t>(input.U16());
    const std::int32_t height = wide ? static_cast<std::int32_t>(input.U32()) : static_cast<std::int16_t>(input.U16());
    const std::uint32_t item = input.U32();
    const std::uint8_t colourSeed = input.Byte();
    std::uint32_t palette[16];
    for (std::uint32_t k = 0; k < 16; ++k) palette[k] = 0x01030507u * (colourSeed + k) ^ 0xA5000000u;

    namespace fs = std::filesystem;
    const fs::path folder = fuzz::ScratchFolder("item-image");
    const fs::path rawFolder = folder / "Raw";
    const fs::path output = folder / "picture.bmp";
    std::error_code error;
    fs::remove_all(rawFolder, error);
    fs::remove(output, error);
    fs::create_directory(rawFolder);
    char name[16];
    std::snprintf(name, sizeof name, "%03u.bin", item);
    {
        std::ofstream raw(rawFolder / name, std::ios::binary);
        raw.write(reinterpret_cast<const char*>(input.Rest()), static_cast<std::streamsize>(input.RestSize()));
    }

    const ItemImageRequest request{PathBuffer(rawFolder.c_str()), item, width, height, palette,
                                   output.c_str()};
    StageReport report;
    const bool written = ExportItemImage(request, &report);

    fuzz::Require(report.failedFiles == 0, "a writable bitmap is not counted as failed");
    const bool drawable = width >= 1 && height >= 1 &&
                          CDibImage::StrideFor(width, 4) * height <=
                              static_cast<std::int64_t>(CDibImage::kStorageBytes);
    fuzz::Require(written == drawable, "a bitmap for every picture with pixels that fits");
    if (!written) {
        fuzz::Require(!fs::exists(output, error), "no file for a picture not made");
        return 0;
    }
    std::ifstream in(output, std::ios::binary);
    const Bytes file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    fuzz::Require(file == ExpectedBitmap(width, height, palette, input.Rest(), input.RestSize()),
                  "bitmap file as described");
    return 0;
}
