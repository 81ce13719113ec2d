// DecodePixelRle on arbitrary items and output buffer sizes.
#include "fuzz/decoder_fuzz.h"

namespace {

// The pixel-run format as its description reads: a header of width, -, height, -; then commands
// by their high nibble until the pixel total is reached; then two pixels a byte in place.
void PlainPixelRle(fuzz::PlainInput& in, fuzz::PlainOutput& out) {
    std::int32_t header[4];
    bool complete = true;
    for (std::int32_t& byte : header)
        if (complete && (byte = in.Get()) < 0) complete = false;

    const std::int32_t width = complete ? header[0] : 0;
    const std::int32_t total = complete ? header[0] * header[2] : 0;
    auto run = [&](std::int32_t count, std::int32_t v) {
        for (std::int32_t i = 0; i < count; ++i)
            if (!out.Put(v)) return false;
        return true;
    };
    auto copies = [&](std::int32_t count) {
        for (std::int32_t i = 0; i < count; ++i)
            if (!out.Copy(width, 1)) return false;
        return true;
    };
    for (std::int32_t produced = 0; produced < total;) {
        const std::int32_t c = in.Get();
        if (c < 0) break;
        const std::int32_t op = c >> 4;
        const std::int32_t v = c & 0x0F;
        std::int32_t added = 0;
        bool done = true;
        if (op <= 7) {
            added = op + 1;
            done = run(op + 1, v);
        } else if (op == 8 || op == 9 || op == 11) {
            const std::int32_t n = in.Get();
            if (n < 0) break;
            if (op == 8) {
                added = n + 1;
                done = run(n + 1, v);
            } else if (op == 11) {
                added = n + 2;
                done = copies(n + 1) && out.Put(v);
            } else {
                added = n + 1;
                if (n % 2 == 0) done = out.Put(v);
                for (std::int32_t b = 0; done && b < (n + 1) / 2; ++b) {
                    const std::int32_t pair = in.Get();
                    done = pair >= 0 && out.Put(pair >> 4) && out.Put(pair & 0x0F);
                }
            }
        } else if (op == 12 || op == 15) {
            const std::int32_t hi = in.Get();
            if (hi < 0) break;
            const std::int32_t lo = in.Get();
            if (lo < 0) break;
            added = hi * 256 + lo + (op == 12 ? 1 : 2);
            done = op == 12 ? run(added, v) : copies(added);
        }
        if (!done) break;
        produced += added;
    }

    const std::int32_t emitted = out.position;
    for (std::int32_t k = 0; 2 * k < emitted; ++k) {
        // The odd last pixel pairs with the byte after it, which the output then leaves out.
        const std::int32_t right = 2 * k + 1 < out.Size() ? out.bytes[2 * k + 1] : 0;
        out.bytes[k] = static_cast<std::uint8_t>(out.bytes[2 * k] << 4 | right);
    }
    out.position = emitted / 2;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return fuzz::RunDecoder(data, size, DecodePixelRle, PlainPixelRle);
}
