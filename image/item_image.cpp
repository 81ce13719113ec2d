#include "image/item_image.h"

#include "archive/byte_stream.h"
#include "archive/raw_items.h"
#include "image/dib_image.h"
#include "platform/file.h"

#include <cstdio>

namespace {

constexpr std::uint16_t kItemImageBits = 4;
constexpr std::uint32_t kItemImageColours = 16;

}  // namespace

bool ExportItemImage(ItemImageRequest request, StageReport* report) {
    // A short image makes the ornate stage ask for sizes such as -2 x -1; such a picture has no
    // pixels to draw, so it gets no file.
    if (request.width < 1 || request.height < 1) return false;

    char name[16];
    std::snprintf(name, sizeof name, kRawItemNamePattern, request.itemNumber);
    PathBuffer rawPath = request.sourceFolder;
    rawPath.Join(name);
    platform::File raw;
    if (!raw.OpenForReading(rawPath.Text())) return false;

    RgbQuad colours[kItemImageColours] = {};
    for (std::uint32_t k = 0; request.palette && k < kItemImageColours; ++k) {
        const std::uint32_t colour = request.palette[k];
        colours[k] = RgbQuad{static_cast<std::uint8_t>(colour >> 16),
                             static_cast<std::uint8_t>(colour >> 8),
                             static_cast<std::uint8_t>(colour), 0};
    }

    CDibImage bitmap;
    if (!bitmap.Create(request.width, request.height, kItemImageBits, colours, kItemImageColours))
        return false;

    // Raw rows run top first, storage rows bottom first. x steps two pixels at a time, so each raw
    // byte lands unchanged in byte x / 2 of its row; for an odd width the low nibble of a row's
    // last byte fills the half byte after the last pixel. Pixels past the file's end stay 0.
    FileByteStream rawBytes(raw.Stream());
    for (std::int32_t i = 0; i < request.height; ++i) {
        std::uint8_t* row = bitmap.StorageRow(request.height - 1 - i);
        for (std::int32_t x = 0; x < request.width; x += 2) {
            const std::int32_t byte = rawBytes.Get();
            if (byte < 0) break;
            row[x / 2] = static_cast<std::uint8_t>(byte);
        }
    }

    if (!bitmap.WriteBitmapFile(request.outputPath)) {
        CountFailedFile(report);
        return false;
    }
    return true;
}
