// DecodeLz on arbitrary items and output buffer sizes.
#include "fuzz/decoder_fuzz.h"

namespace {

// The LZ format as its description reads: two unused bytes and a big-endian length, then literal
// runs (control 0nnnnnnn) and back-references (1ccccccd dddddddd) until the length is reached.
void PlainLz(fuzz::PlainInput& in, fuzz::PlainOutput& out) {
    std::int32_t header[4];
    for (std::int32_t& byte : header)
        if ((byte = in.Get()) < 0) return;
    const std::int32_t length = header[2] * 256 + header[3];
    while (out.position < length) {
        const std::int32_t control = in.Get();
        if (control < 0) return;
        if (control >= 0x80) {
            const std::int32_t low = in.Get();
            if (low < 0 || !out.Copy((control & 1) * 256 + low, (control >> 1) & 0x3F)) return;
            continue;
        }
        for (std::int32_t i = 0; i < control; ++i) {
            const std::int32_t byte = in.Get();
            if (byte < 0 || !out.Put(byte)) return;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fuzz::RunDecoder(data, size, DecodeLz, PlainLz);
}
