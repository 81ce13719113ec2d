#include "archive/byte_stream.h"

// getc_unlocked and putc_unlocked are the one-byte fread and fwrite without the per-call lock:
// one thread runs an extraction, so the lock buys nothing.
std::int32_t FileByteStream::Get() {
    if (!stream) return -1;
    int byte = getc_unlocked(stream);
    return byte == EOF ? -1 : byte;
}

bool FileByteStream::Put(int value) {
    if (!stream) return false;
    return putc_unlocked(static_cast<unsigned char>(value), stream) != EOF;
}

std::int32_t MemoryByteStream::Get() {
    if (size < position + 1) return -1;
    return buffer[position++];
}

bool MemoryByteStream::Put(int value) {
    if (size < position + 1) return false;
    buffer[position++] = static_cast<std::uint8_t>(value);
    return true;
}

bool MemoryByteStream::CopyBack(int distance, int count) {
    std::int32_t start = position - distance;
    if (start < 0) return false;
    if (size < start + count) return false;
    if (size < position + count) return false;
    // Byte by byte through the sink: with distance < count the copy reads its own output.
    // Distance 0 rewrites each byte with the value the buffer already holds there.
    ByteSink& sink = *this;
    for (std::int32_t i = start; i < start + count; ++i) sink.Put(buffer[i]);
    return true;
}
