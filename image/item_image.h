// Renders one raw item file as a 16-colour bitmap file. The raw file holds packed pixels only:
// rows top first, two 4-bit pixels a byte, the left one in the high nibble.
#pragma once

#include "extract/output_folders.h"
#include "extract/path_buffer.h"

#include <cstdint>

struct ItemImageRequest {
    PathBuffer sourceFolder;       // the run's Raw folder
    std::uint32_t itemNumber;      // names the raw file "%03u.bin" in it
    std::int32_t width;            // pixels per row
    std::int32_t height;           // rows
    const std::uint32_t* palette;  // 16 entries of a palette table: red bits 0-7, green 8-15, blue 16-23
    const char* outputPath;        // the bitmap file to write
};

// True when the bitmap file was written whole. A missing raw file, or a width or height below 1,
// gives false and writes nothing; so does a picture too large for the bitmap storage. A bitmap
// file that cannot be created or written whole is counted in the report.
bool ExportItemImage(ItemImageRequest request, StageReport* report = nullptr);
