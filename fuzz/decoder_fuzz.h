// What the two decoder targets share: the output buffer chosen by the input, and the run of the
// product's decoder beside a plain re-statement of the format over a copy of the same buffer.
#pragma once

#include "archive/byte_stream.h"
#include "archive/decompress.h"
#include "fuzz/fuzz_input.h"

#include <cstring>
#include <memory>
#include <vector>

namespace fuzz {

// The re-statements write into a plain buffer with the same one-position rules as the item
// buffer's stream, so that the two can be compared byte for byte, buffer tail included.
struct PlainOutput {
    std::vector<std::uint8_t> bytes;
    std::int32_t position = 0;

    std::int32_t Size() const { return static_cast<std::int32_t>(bytes.size()); }
    bool Put(std::int32_t value) {
        if (position >= Size()) return false;
        bytes[position++] = static_cast<std::uint8_t>(value);
        return true;
    }
    bool Copy(std::int32_t distance, std::int32_t count) {
        const std::int32_t start = position - distance;
        if (start < 0 || start + count > Size() || position + count > Size()) return false;
        for (std::int32_t i = 0; i < count; ++i) bytes[position + i] = bytes[start + i];
        position += count;
        return true;
    }
};

struct PlainInput {
    const std::uint8_t* bytes;
    std::size_t size;
    std::size_t position = 0;

    std::int32_t Get() { return position < size ? bytes[position++] : -1; }
};

using Decoder = void (*)(ByteSource&, MemoryByteStream&);
using PlainDecoder = void (*)(PlainInput&, PlainOutput&);

// Input: one byte choosing the output size (0 for the item buffer's 65,536 bytes, 255 for an
// empty buffer, else that many bytes, odd sizes included), one byte the buffer is filled with
// (what earlier items left there), then the item's bytes.
inline int RunDecoder(const std::uint8_t* data, std::size_t size, Decoder decoder,
                      PlainDecoder plain) {
    Input input(data, size);
    const std::uint8_t sizeChoice = input.Byte();
    const std::uint8_t fill = input.Byte();
    const std::int32_t outputSize =
        sizeChoice == 0 ? kItemBufferSize : sizeChoice == 255 ? 0 : sizeChoice;

    // Exactly sized heap copies, so that any access past either end is caught.
    std::unique_ptr<std::uint8_t[]> item(new std::uint8_t[input.RestSize()]);
    if (input.RestSize()) std::memcpy(item.get(), input.Rest(), input.RestSize());
    std::unique_ptr<std::uint8_t[]> buffer(new std::uint8_t[outputSize]);
    std::memset(buffer.get(), fill, outputSize);

    MemoryByteStream source(item.get(), static_cast<std::int32_t>(input.RestSize()));
    MemoryByteStream output(buffer.get(), outputSize);
    decoder(source, output);

    Require(output.buffer == buffer.get() && output.size == outputSize, "output stream moved");
    Require(0 <= output.position && output.position <= output.size, "output position in range");
    Require(0 <= source.position && source.position <= source.size, "input position in range");

    PlainInput plainInput{input.Rest(), input.RestSize()};
    PlainOutput plainOutput{std::vector<std::uint8_t>(outputSize, fill)};
    plain(plainInput, plainOutput);
    Require(output.position == plainOutput.position, "output length as the format says");
    Require(static_cast<std::size_t>(source.position) == plainInput.position,
            "input bytes read as the format says");
    Require(outputSize == 0 || std::memcmp(buffer.get(), plainOutput.bytes.data(), outputSize) == 0,
            "buffer contents as the format says");
    return 0;
}

}  // namespace fuzz
