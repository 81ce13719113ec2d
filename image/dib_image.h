// An uncompressed bitmap held in memory, bottom row first, with its colour table, and its writer
// to a BMP file.
#pragma once

#include <cstddef>
#include <cstdint>

// One colour table entry in the order a BMP file stores it.
struct RgbQuad {
    std::uint8_t blue;
    std::uint8_t green;
    std::uint8_t red;
    std::uint8_t reserved;
};

// The pixel storage comes from one process-wide buffer, so at most one bitmap exists at a time and
// making one allocates nothing. The buffer holds the largest picture a stage can ask for (510 x 255
// pixels of 4 bits: 255 rows of 256 bytes) several times over; a larger bitmap is refused.
class CDibImage {
public:
    static constexpr std::size_t kStorageBytes = 256 * 1024;
    static constexpr std::uint32_t kMaxColours = 256;

    CDibImage() = default;
    ~CDibImage() { Release(); }
    CDibImage(const CDibImage&) = delete;
    CDibImage& operator=(const CDibImage&) = delete;

    // Makes a bitmap of width x height pixels with zero-filled storage. Depths of 1, 4, 8, 16, 24
    // and 32 bits are taken; one of 8 bits or fewer keeps a table of 2^bits colours, filled from
    // colours (up to colourCount of them) and zero beyond. False, holding nothing, for a negative
    // size, another depth, storage past the buffer, or while another bitmap holds the buffer.
    bool Create(std::int32_t width, std::int32_t height, std::uint16_t bitsPerPixel,
                const RgbQuad* colours, std::uint32_t colourCount);
    // Gives the storage back; the object then holds no bitmap.
    void Release();

    bool IsCreated() const { return pixels_ != nullptr; }
    std::int32_t Width() const { return width_; }
    std::int32_t Height() const { return height_; }
    std::uint16_t BitsPerPixel() const { return bitsPerPixel_; }
    // Bytes per row, a multiple of 4.
    std::int32_t Stride() const { return stride_; }
    std::size_t ImageSize() const { return static_cast<std::size_t>(stride_) * height_; }

    // Storage row 0 is the bottom row of the picture.
    std::uint8_t* StorageRow(std::int32_t row) { return pixels_ + static_cast<std::size_t>(row) * stride_; }
    const std::uint8_t* Pixels() const { return pixels_; }

    // Copies up to count colour entries from entry start on; returns how many it delivered.
    std::uint32_t GetColourTable(std::uint32_t start, std::uint32_t count, RgbQuad* entries) const;

    // Saves the bitmap as a BMP file: file header, info header, colour table (16 entries at 4 bits,
    // 256 at 8, none otherwise) and the storage unchanged. True only when the file was created,
    // every block written whole and the file closed without error. A bitmap without pixel bytes
    // leaves the headers and colour table on disk and gives false.
    bool WriteBitmapFile(const char* path) const;

    // Bytes per row for a width and depth: rows are padded to whole 32-bit words.
    static std::int64_t StrideFor(std::int64_t width, std::uint16_t bitsPerPixel) {
        return (width * bitsPerPixel + 31) / 32 * 4;
    }

private:
    std::uint8_t* pixels_ = nullptr;
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
    std::uint16_t bitsPerPixel_ = 0;
    std::int32_t stride_ = 0;
    std::uint32_t colourEntries_ = 0;
    RgbQuad colours_[kMaxColours] = {};
};

// Colour table entries a BMP file of this depth carries.
constexpr std::uint32_t BitmapFileColours(std::uint16_t bitsPerPixel) {
    return bitsPerPixel == 4 ? 16 : bitsPerPixel == 8 ? 256 : 0;
}

inline constexpr std::uint32_t kBitmapFileHeaderSize = 14;
inline constexpr std::uint32_t kBitmapInfoHeaderSize = 40;

static_assert(sizeof(RgbQuad) == 4);
