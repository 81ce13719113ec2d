#include "pack/brr_encoder.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace pack {

namespace {

constexpr int kFilterCount = 4;
constexpr std::uint8_t kEndFlag = 0x01;
constexpr std::size_t kSoundHeaderBytes = 11;

// Filter prediction, in the decoder's integer form (see the header).
std::int32_t Prediction(int filter, std::int32_t p1, std::int32_t p2) {
    switch (filter) {
    case 1: return p1 / 2 - p1 / 32;
    case 2: return p1 - (p1 + p1 / 2) / 32 + p2 / 32 - p2 / 2;
    case 3: return p1 - (16 * p1) / 128 + p2 / 16 - p2 / 2;
    default: return 0;
    }
}

// The sample as written to the file: the low 16 bits of the full output.
std::int32_t Stored(std::int32_t out) { return static_cast<std::int16_t>(static_cast<std::uint16_t>(out)); }

struct BlockChoice {
    std::int64_t error = std::numeric_limits<std::int64_t>::max();
    int shift = 0;
    int filter = 0;
    std::array<int, kBrrBlockSamples> codes{};
    BrrHistory history;
};

// Encodes one block with a given shift and filter, choosing each code for the least error of the
// decoded sample against the input, from the history the decoder will have. Gives up once the
// error reaches limit, the best another choice has reached.
BlockChoice TryBlock(const std::int16_t* input, int shift, int filter, BrrHistory history,
                     std::int64_t limit) {
    BlockChoice choice;
    choice.shift = shift;
    choice.filter = filter;
    choice.error = 0;
    const double step = shift == 0 ? 0.5 : static_cast<double>(1 << (shift - 1));
    for (int k = 0; k < kBrrBlockSamples; ++k) {
        const std::int32_t target = input[k];
        const std::int32_t predicted = Prediction(filter, history.p1, history.p2);
        const int ideal =
            static_cast<int>(std::clamp(std::lround((target / 2.0 - predicted) / step), -8L, 7L));
        std::int64_t bestError = std::numeric_limits<std::int64_t>::max();
        int bestCode = 0;
        BrrHistory bestHistory;
        for (int code = std::max(-8, ideal - 1); code <= std::min(7, ideal + 1); ++code) {
            BrrHistory next = history;
            const std::int64_t diff = Stored(DecodeBrrSample(code, shift, filter, next)) - target;
            if (diff * diff < bestError) {
                bestError = diff * diff;
                bestCode = code;
                bestHistory = next;
            }
        }
        choice.codes[k] = bestCode;
        choice.error += bestError;
        if (choice.error >= limit) return choice;
        history = bestHistory;
    }
    choice.history = history;
    return choice;
}

void AppendBlock(std::vector<std::uint8_t>& out, int shift, int filter, std::uint8_t flags,
                 const std::array<int, kBrrBlockSamples>& codes) {
    out.push_back(static_cast<std::uint8_t>((shift << 4) | (filter << 2) | flags));
    for (int k = 0; k < kBrrBlockSamples; k += 2)
        out.push_back(static_cast<std::uint8_t>(((codes[k] & 0x0F) << 4) | (codes[k + 1] & 0x0F)));
}

}  // namespace

std::int32_t DecodeBrrSample(int code, int shift, int filter, BrrHistory& history) {
    std::int32_t s = code * (1 << shift) / 2 + Prediction(filter, history.p1, history.p2);
    s = std::clamp<std::int32_t>(s, -32768, 32767);
    const std::int32_t out = 2 * s;
    history.p2 = history.p1;
    history.p1 = out;
    return out;
}

std::vector<std::uint8_t> EncodeBrr(std::span<const std::int16_t> samples) {
    std::vector<std::uint8_t> out;
    const std::size_t blocks = (samples.size() + kBrrBlockSamples - 1) / kBrrBlockSamples;
    out.reserve((blocks + 1) * kBrrBlockBytes);
    BrrHistory history;
    for (std::size_t b = 0; b < blocks; ++b) {
        std::array<std::int16_t, kBrrBlockSamples> input{};
        const std::size_t first = b * kBrrBlockSamples;
        std::copy_n(samples.begin() + first, std::min<std::size_t>(kBrrBlockSamples, samples.size() - first),
                    input.begin());
        BlockChoice best;
        for (int filter = 0; filter < kFilterCount; ++filter)
            for (int shift = 0; shift <= kBrrMaxShift; ++shift) {
                BlockChoice candidate = TryBlock(input.data(), shift, filter, history, best.error);
                if (candidate.error < best.error) best = candidate;
            }
        AppendBlock(out, best.shift, best.filter, 0, best.codes);
        history = best.history;
    }
    AppendBlock(out, 0, 0, kEndFlag, {});
    return out;
}

std::vector<std::uint8_t> MakeSoundItem(std::span<const std::int16_t> samples, std::uint16_t rateValue) {
    const std::vector<std::uint8_t> blocks = EncodeBrr(samples);
    const std::size_t length = kSoundHeaderBytes + blocks.size();
    if (length > 0xFFFF) throw std::length_error("sound item longer than 65535 bytes");

    std::vector<std::uint8_t> item(length, 0);
    item[0] = static_cast<std::uint8_t>(length & 0xFF);
    item[1] = static_cast<std::uint8_t>(length >> 8);
    item[7] = static_cast<std::uint8_t>(rateValue >> 8);
    item[8] = static_cast<std::uint8_t>(rateValue & 0xFF);
    std::copy(blocks.begin(), blocks.end(), item.begin() + kSoundHeaderBytes);
    return item;
}

}  // namespace pack
