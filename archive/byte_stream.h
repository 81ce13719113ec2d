// One-byte reading and writing, over a standard I/O stream or a fixed memory buffer.
#pragma once

#include <cstdint>
#include <cstdio>

class ByteSource {
public:
    // The next byte as 0..255, or -1 when none can be had.
    virtual std::int32_t Get() = 0;

protected:
    ~ByteSource() = default;
};

class ByteSink {
public:
    // Stores the low 8 bits of value; true on success.
    virtual bool Put(int value) = 0;

protected:
    ~ByteSink() = default;
};

// Reads and writes a stream it does not own. A null stream gives -1 and false.
class FileByteStream final : public ByteSource, public ByteSink {
public:
    explicit FileByteStream(std::FILE* stream) : stream(stream) {}

    // getc_unlocked and putc_unlocked are the one-byte fread and fwrite without the per-call
    // lock: one thread runs an extraction, so the lock buys nothing.
    std::int32_t Get() override {
        if (!stream) return -1;
        const int byte = getc_unlocked(stream);
        return byte == EOF ? -1 : byte;
    }
    bool Put(int value) override {
        if (!stream) return false;
        return putc_unlocked(static_cast<unsigned char>(value), stream) != EOF;
    }

    std::FILE* stream;
};

// A fixed buffer it does not own, with one position shared by reading and writing.
// Invariant: 0 <= position <= size.
class MemoryByteStream final : public ByteSource, public ByteSink {
public:
    MemoryByteStream(std::uint8_t* buffer, std::int32_t size) : buffer(buffer), size(size) {}

    // Defined here so that the decoders, which hold the stream by its own type, call them directly.
    std::int32_t Get() override {
        if (size < position + 1) return -1;
        return buffer[position++];
    }
    bool Put(int value) override {
        if (size < position + 1) return false;
        buffer[position++] = static_cast<std::uint8_t>(value);
        return true;
    }

    // Appends count bytes taken from distance bytes before the position, LZ77 fashion: each byte
    // is read after the ones before it were written, so a short distance repeats a pattern.
    // Refuses, writing nothing, when the source reaches before the buffer or either range would
    // pass size.
    bool CopyBack(int distance, int count);

    std::uint8_t* buffer;
    std::int32_t position = 0;
    std::int32_t size;
};
