// The two packed item formats of the archive: 4-bit pixel runs (type 2) and LZ (type 3).
// Neither decoder fails: whatever stops it, what it produced so far is the item's output, and the
// output stream's position is the output length.
#pragma once

#include "archive/byte_stream.h"

#include <cstdint>

inline constexpr std::int32_t kItemBufferSize = 65536;

// The item buffer every item of every run is decoded into. It is zero at start and never cleared:
// an LZ back-reference of distance 0 reads what earlier items left behind.
std::uint8_t* ItemBuffer();

void DecodePixelRle(ByteSource& input, MemoryByteStream& output);
void DecodeLz(ByteSource& input, MemoryByteStream& output);
