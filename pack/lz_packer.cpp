#include "pack/lz_packer.h"

#include <array>
#include <stdexcept>

namespace pack {

namespace {

constexpr std::size_t kMaxLiteralRun = 127;
constexpr std::size_t kMaxMatchLength = 63;
constexpr std::size_t kMaxDistance = 511;
// A back-reference costs two bytes, so shorter matches do not pay.
constexpr std::size_t kMinMatchLength = 3;
constexpr std::size_t kHashBits = 12;
constexpr int kNone = -1;

struct Match {
    std::size_t length = 0;
    std::size_t distance = 0;
};

// Finds earlier positions by the hash of the three bytes that start there.
class MatchFinder {
public:
    explicit MatchFinder(std::span<const std::uint8_t> bytes)
        : bytes_(bytes), previous_(bytes.size(), kNone) {
        head_.fill(kNone);
    }

    // Longest match at position, among positions inserted so far.
    Match Longest(std::size_t position) const {
        Match best;
        if (position + kMinMatchLength > bytes_.size()) return best;
        const std::size_t limit = std::min(kMaxMatchLength, bytes_.size() - position);
        for (int candidate = head_[Hash(position)]; candidate != kNone;
             candidate = previous_[static_cast<std::size_t>(candidate)]) {
            const std::size_t distance = position - static_cast<std::size_t>(candidate);
            if (distance > kMaxDistance) break;
            std::size_t length = 0;
            // Overlapping source and target is fine: the decoder copies byte by byte.
            while (length < limit && bytes_[candidate + length] == bytes_[position + length]) ++length;
            if (length > best.length) best = {length, distance};
            if (length == limit) break;
        }
        return best.length >= kMinMatchLength ? best : Match{};
    }

    void Insert(std::size_t position) {
        if (position + kMinMatchLength > bytes_.size()) return;
        int& head = head_[Hash(position)];
        previous_[position] = head;
        head = static_cast<int>(position);
    }

private:
    std::size_t Hash(std::size_t position) const {
        const std::uint32_t key = bytes_[position] | (bytes_[position + 1] << 8) |
                                  (bytes_[position + 2] << 16);
        return (key * 2654435761u) >> (32 - kHashBits);
    }

    std::span<const std::uint8_t> bytes_;
    std::array<int, 1 << kHashBits> head_;
    std::vector<int> previous_;
};

}  // namespace

std::vector<std::uint8_t> PackLz(std::span<const std::uint8_t> bytes) {
    if (bytes.size() > kLzMaxLength)
        throw std::length_error("LZ item longer than 65535 bytes");

    std::vector<std::uint8_t> packed = {0, 0, static_cast<std::uint8_t>(bytes.size() >> 8),
                                        static_cast<std::uint8_t>(bytes.size() & 0xFF)};
    std::size_t literalStart = 0;
    std::size_t literalCount = 0;
    auto flushLiterals = [&] {
        while (literalCount > 0) {
            const std::size_t run = std::min(literalCount, kMaxLiteralRun);
            packed.push_back(static_cast<std::uint8_t>(run));
            packed.insert(packed.end(), bytes.begin() + literalStart,
                          bytes.begin() + literalStart + run);
            literalStart += run;
            literalCount -= run;
        }
    };

    MatchFinder finder(bytes);
    std::size_t position = 0;
    while (position < bytes.size()) {
        Match match = finder.Longest(position);
        finder.Insert(position);
        // One step of lazy matching: when a longer match starts one byte on, this byte goes out
        // as a literal and the next one is looked at afresh.
        if (match.length > 0 && match.length < kMaxMatchLength &&
            finder.Longest(position + 1).length > match.length)
            match = Match{};

        if (match.length == 0) {
            if (literalCount == 0) literalStart = position;
            ++literalCount;
            ++position;
            continue;
        }
        flushLiterals();
        packed.push_back(static_cast<std::uint8_t>(0x80 | (match.length << 1) | (match.distance >> 8)));
        packed.push_back(static_cast<std::uint8_t>(match.distance & 0xFF));
        for (std::size_t i = 1; i < match.length; ++i) finder.Insert(position + i);
        position += match.length;
    }
    flushLiterals();
    return packed;
}

}  // namespace pack
