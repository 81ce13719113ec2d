#include "archive/decompress.h"

#include <cstddef>

std::uint8_t* ItemBuffer() {
    static std::uint8_t buffer[kItemBufferSize];
    return buffer;
}

namespace {

// Pixel-run commands, by the high nibble of the command byte. v is the low nibble.
enum class PixelOp : std::uint8_t {
    ShortRun,   // op + 1 pixels of v
    ByteRun,    // n + 1 pixels of v
    Literal,    // n + 1 literal pixels, v first when n is even
    Skip,       // nothing
    CopyThenV,  // n + 1 pixels from the row above, then one of v
    WordRun,    // hi:lo + 1 pixels of v
    WordCopy,   // hi:lo + 2 pixels from the row above
};

constexpr PixelOp kPixelOps[16] = {
    PixelOp::ShortRun, PixelOp::ShortRun,  PixelOp::ShortRun, PixelOp::ShortRun,
    PixelOp::ShortRun, PixelOp::ShortRun,  PixelOp::ShortRun, PixelOp::ShortRun,
    PixelOp::ByteRun,  PixelOp::Literal,   PixelOp::Skip,     PixelOp::CopyThenV,
    PixelOp::WordRun,  PixelOp::Skip,      PixelOp::Skip,     PixelOp::WordCopy,
};

// Carries out one command; false when input ran out or the output refused a pixel. added gets
// the command's pixel count, which the caller counts only when the command completed.
bool RunPixelCommand(int command, int width, ByteSource& input, MemoryByteStream& output,
                     std::int32_t& added) {
    const int op = command >> 4;
    const int v = command & 0x0F;
    auto run = [&](std::int32_t count) {
        for (std::int32_t i = 0; i < count; ++i)
            if (!output.Put(v)) return false;
        return true;
    };
    // Each pixel repeats the one a row above. One CopyBack of the whole count reads and writes
    // the same bytes in the same order as one copy per pixel; near the buffer's end it copies
    // only the pixels that fit, as single copies would, and the command then fails.
    auto copyFromRowAbove = [&](std::int32_t count) {
        const std::int32_t room = output.size - output.position;
        const std::int32_t fitting = count < room ? count : room;
        return output.CopyBack(width, fitting) && fitting == count;
    };
    auto readWord = [&](std::int32_t& word) {
        std::int32_t hi = input.Get();
        if (hi < 0) return false;
        std::int32_t lo = input.Get();
        if (lo < 0) return false;
        word = hi * 256 + lo;
        return true;
    };

    std::int32_t n = 0;
    switch (kPixelOps[op]) {
    case PixelOp::ShortRun:
        added = op + 1;
        return run(op + 1);
    case PixelOp::ByteRun:
        if ((n = input.Get()) < 0) return false;
        added = n + 1;
        return run(n + 1);
    case PixelOp::Literal: {
        if ((n = input.Get()) < 0) return false;
        added = n + 1;
        // An even n leaves one pixel over for the bytes to fill: v stands first.
        if (n % 2 == 0 && !output.Put(v)) return false;
        for (std::int32_t bytes = (n + 1) / 2; bytes > 0; --bytes) {
            std::int32_t b = input.Get();
            if (b < 0 || !output.Put(b >> 4) || !output.Put(b & 0x0F)) return false;
        }
        return true;
    }
    case PixelOp::Skip:
        added = 0;
        return true;
    case PixelOp::CopyThenV:
        if ((n = input.Get()) < 0) return false;
        added = n + 2;
        return copyFromRowAbove(n + 1) && output.Put(v);
    case PixelOp::WordRun:
        if (!readWord(n)) return false;
        added = n + 1;
        return run(n + 1);
    case PixelOp::WordCopy:
        if (!readWord(n)) return false;
        added = n + 2;
        return copyFromRowAbove(n + 2);
    }
    return false;
}

}  // namespace

void DecodePixelRle(ByteSource& input, MemoryByteStream& output) {
    // Header: width, unused, height, unused.
    std::int32_t header[4];
    bool complete = true;
    for (std::int32_t& byte : header)
        if (complete && (byte = input.Get()) < 0) complete = false;

    if (complete) {
        const std::int32_t width = header[0];
        const std::int32_t total = width * header[2];
        // The total is tested only between commands, so the last run may overshoot it; all of
        // its pixels are kept.
        for (std::int32_t produced = 0; produced < total;) {
            std::int32_t command = input.Get();
            std::int32_t added = 0;
            if (command < 0 || !RunPixelCommand(command, width, input, output, added)) break;
            produced += added;
        }
    }

    // Pack two pixels a byte in place, the first in the high nibble. For an odd count the last
    // pair takes whatever byte follows the last pixel in the buffer (none past its end), and the
    // odd pixel is dropped from the output length.
    std::uint8_t* pixels = output.buffer;
    const std::int32_t emitted = output.position;
    for (std::int32_t k = 0; 2 * k < emitted; ++k) {
        const int right = 2 * k + 1 < output.size ? pixels[2 * k + 1] : 0;
        pixels[k] = static_cast<std::uint8_t>((pixels[2 * k] << 4) | right);
    }
    output.position = emitted / 2;
}

void DecodeLz(ByteSource& input, MemoryByteStream& output) {
    // Header: two unused bytes, then the output length, big-endian.
    std::int32_t header[4];
    for (std::int32_t& byte : header)
        if ((byte = input.Get()) < 0) return;
    const std::int32_t length = header[2] * 256 + header[3];

    // The length is tested only between commands, so the last one may run past it.
    while (output.position < length) {
        std::int32_t control = input.Get();
        if (control < 0) return;
        if (control & 0x80) {
            // 1ccccccd dddddddd: count c (0..63) from distance d (0..511).
            std::int32_t low = input.Get();
            if (low < 0) return;
            const int distance = (control & 1) * 256 + low;
            const int count = (control >> 1) & 0x3F;
            if (!output.CopyBack(distance, count)) return;
        } else {
            // 0nnnnnnn: n literal bytes.
            for (std::int32_t i = 0; i < control; ++i) {
                std::int32_t byte = input.Get();
                if (byte < 0 || !output.Put(byte)) return;
            }
        }
    }
}
