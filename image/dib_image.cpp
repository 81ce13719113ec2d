#include "image/dib_image.h"

#include "archive/little_endian.h"
#include "platform/file.h"

#include <cstring>

namespace {

// The one pixel storage every bitmap borrows in turn.
alignas(8) std::uint8_t gStorage[CDibImage::kStorageBytes];
bool gStorageInUse = false;

bool DepthSupported(std::uint16_t bitsPerPixel) {
    switch (bitsPerPixel) {
    case 1: case 4: case 8: case 16: case 24: case 32:
        return true;
    default:
        return false;
    }
}

bool WriteBlock(std::FILE* stream, const void* bytes, std::size_t length) {
    // One element of the block's length: a block of 0 bytes reports 0 elements written.
    return std::fwrite(bytes, length, 1, stream) == 1;
}

}  // namespace

bool CDibImage::Create(std::int32_t width, std::int32_t height, std::uint16_t bitsPerPixel,
                       const RgbQuad* colours, std::uint32_t colourCount) {
    Release();
    if (width < 0 || height < 0 || !DepthSupported(bitsPerPixel) || gStorageInUse) return false;
    const std::int64_t stride = StrideFor(width, bitsPerPixel);
    if (stride * height > static_cast<std::int64_t>(kStorageBytes)) return false;

    gStorageInUse = true;
    pixels_ = gStorage;
    width_ = width;
    height_ = height;
    bitsPerPixel_ = bitsPerPixel;
    stride_ = static_cast<std::int32_t>(stride);
    std::memset(pixels_, 0, ImageSize());

    colourEntries_ = bitsPerPixel <= 8 ? 1u << bitsPerPixel : 0;
    for (std::uint32_t i = 0; i < kMaxColours; ++i)
        colours_[i] = (colours && i < colourCount && i < colourEntries_) ? colours[i] : RgbQuad{};
    return true;
}

void CDibImage::Release() {
    if (!pixels_) return;
    pixels_ = nullptr;
    gStorageInUse = false;
    width_ = height_ = stride_ = 0;
    bitsPerPixel_ = 0;
    colourEntries_ = 0;
}

std::uint32_t CDibImage::GetColourTable(std::uint32_t start, std::uint32_t count,
                                        RgbQuad* entries) const {
    if (start >= colourEntries_) return 0;
    const std::uint32_t delivered = count < colourEntries_ - start ? count : colourEntries_ - start;
    std::memcpy(entries, colours_ + start, delivered * sizeof(RgbQuad));
    return delivered;
}

bool CDibImage::WriteBitmapFile(const char* path) const {
    platform::File file;
    if (!file.CreateForWriting(path)) return false;

    const std::uint32_t colours = BitmapFileColours(bitsPerPixel_);
    const std::uint32_t imageSize = static_cast<std::uint32_t>(ImageSize());
    const std::uint32_t pixelOffset = kBitmapFileHeaderSize + kBitmapInfoHeaderSize + 4 * colours;

    std::uint8_t fileHeader[kBitmapFileHeaderSize] = {'B', 'M'};
    PutLe32(fileHeader + 2, pixelOffset + imageSize);
    PutLe32(fileHeader + 10, pixelOffset);  // the two reserved words stay 0

    std::uint8_t infoHeader[kBitmapInfoHeaderSize] = {};
    PutLe32(infoHeader + 0, kBitmapInfoHeaderSize);
    PutLe32(infoHeader + 4, static_cast<std::uint32_t>(width_));
    PutLe32(infoHeader + 8, static_cast<std::uint32_t>(height_));  // positive: bottom row first
    PutLe16(infoHeader + 12, 1);
    PutLe16(infoHeader + 14, bitsPerPixel_);
    PutLe32(infoHeader + 20, imageSize);  // compression 0 and both resolutions 0 stay
    PutLe32(infoHeader + 32, colours);
    PutLe32(infoHeader + 36, colours);

    RgbQuad table[kMaxColours];
    if (colours != 0 && GetColourTable(0, colours, table) != colours) return false;

    if (!WriteBlock(file.Stream(), fileHeader, sizeof fileHeader)) return false;
    if (!WriteBlock(file.Stream(), infoHeader, sizeof infoHeader)) return false;
    if (colours != 0 && !WriteBlock(file.Stream(), table, 4 * colours)) return false;
    if (!WriteBlock(file.Stream(), pixels_, imageSize)) return false;
    // Buffered bytes reach the disk only now; a close that fails has lost them.
    return file.Close();
}
