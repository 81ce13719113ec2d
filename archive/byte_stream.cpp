#include "archive/byte_stream.h"

bool MemoryByteStream::CopyBack(int distance, int count) {
    std::int32_t start = position - distance;
    if (start < 0) return false;
    if (size < start + count) return false;
    if (size < position + count) return false;
    // Byte by byte, each read after the bytes before it were written: with distance < count the
    // copy reads its own output. Distance 0 rewrites each byte with the value already there. The
    // checks above guarantee that every byte fits.
    for (std::int32_t i = start; i < start + count; ++i) buffer[position++] = buffer[i];
    return true;
}
