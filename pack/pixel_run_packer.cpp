#include "pack/pixel_run_packer.h"

#include <algorithm>
#include <climits>
#include <deque>
#include <stdexcept>

namespace pack {

namespace {

// Command kinds by what they emit; the byte values are in Emit.
enum class Command : std::uint8_t {
    ShortRun,   // op 0-7: 1..8 pixels of v, one byte
    ByteRun,    // op 8: 1..256 pixels of v, two bytes
    WordRun,    // op 12: 1..65536 pixels of v, three bytes
    Literal,    // op 9: 1..256 pixels, 2 + pixels / 2 bytes
    CopyThenV,  // op 11: 1..256 pixels from the row above, then one of v, two bytes
    WordCopy,   // op 15: 2..65537 pixels from the row above, three bytes
};

constexpr int kShortRunMax = 8;
constexpr int kByteCountMax = 256;
constexpr int kWordRunMax = 65536;
constexpr int kWordCopyMax = 65537;

// One step of the cheapest parse: the command that ends at a position and where it started.
struct Step {
    int cost = INT_MAX;
    int from = 0;
    int length = 0;  // pixels the command covers
    Command command = Command::ShortRun;
};

int LiteralCost(int pixels) { return 2 + pixels / 2; }

void Emit(std::span<const std::uint8_t> pixels, int start, const Step& step,
          std::vector<std::uint8_t>& out) {
    const int v = pixels[start];
    const int length = step.length;
    auto byte = [&](int value) { out.push_back(static_cast<std::uint8_t>(value)); };
    switch (step.command) {
    case Command::ShortRun:
        byte(((length - 1) << 4) | v);
        break;
    case Command::ByteRun:
        byte(0x80 | v);
        byte(length - 1);
        break;
    case Command::WordRun:
        byte(0xC0 | v);
        byte((length - 1) >> 8);
        byte((length - 1) & 0xFF);
        break;
    case Command::Literal: {
        // n = length - 1; an even n puts the first pixel in the command's low nibble.
        const int n = length - 1;
        int next = start;
        byte(0x90 | (n % 2 == 0 ? pixels[next++] : 0));
        byte(n);
        for (const int end = start + length; next < end; next += 2)
            byte((pixels[next] << 4) | pixels[next + 1]);
        break;
    }
    case Command::CopyThenV:
        byte(0xB0 | pixels[start + length - 1]);
        byte(length - 2);
        break;
    case Command::WordCopy:
        byte(0xF0);
        byte((length - 2) >> 8);
        byte((length - 2) & 0xFF);
        break;
    }
}

}  // namespace

std::vector<std::uint8_t> PackPixelRuns(std::span<const std::uint8_t> pixels, int width, int height) {
    if (width < 0 || height < 0 || width > kPixelRunMaxSide || height > kPixelRunMaxSide)
        throw std::invalid_argument("pixel-run picture sides must be 0..255");
    const int total = width * height;
    if (pixels.size() != static_cast<std::size_t>(total))
        throw std::invalid_argument("pixel count differs from width x height");
    if (std::any_of(pixels.begin(), pixels.end(), [](std::uint8_t p) { return p > 15; }))
        throw std::invalid_argument("pixel value above 15");

    std::vector<std::uint8_t> out = {static_cast<std::uint8_t>(width), 0,
                                     static_cast<std::uint8_t>(height), 0};
    if (total == 0) return out;

    // run[i]: pixels from i on that repeat pixel i; copy[i]: pixels from i on that equal the pixel
    // one row above.
    std::vector<int> run(total + 1, 0);
    std::vector<int> copy(total + 1, 0);
    for (int i = total - 1; i >= 0; --i) {
        run[i] = (i + 1 < total && pixels[i + 1] == pixels[i]) ? run[i + 1] + 1 : 1;
        copy[i] = (i >= width && pixels[i] == pixels[i - width]) ? copy[i + 1] + 1 : 0;
    }

    // Cheapest parse by dynamic programming over pixel positions. Literal runs cost
    // 2 + floor(length / 2), so the best literal ending at j comes from the start i, within 256
    // pixels, that minimises 2 * cost[i] - i among the starts of each parity; one monotone queue
    // per parity keeps those minima.
    std::vector<Step> best(total + 1);
    best[0].cost = 0;
    std::deque<int> literalStarts[2];
    auto key = [&](int i) { return 2 * best[i].cost - i; };
    auto relax = [&](int from, int length, int cost, Command command) {
        Step& step = best[from + length];
        if (best[from].cost + cost < step.cost) step = {best[from].cost + cost, from, length, command};
    };

    for (int j = 0; j <= total; ++j) {
        for (int parity = 0; parity < 2; ++parity) {
            std::deque<int>& starts = literalStarts[parity];
            while (!starts.empty() && starts.front() < j - kByteCountMax) starts.pop_front();
            if (starts.empty()) continue;
            const int i = starts.front();
            relax(i, j - i, LiteralCost(j - i), Command::Literal);
        }
        if (j == total) break;

        std::deque<int>& starts = literalStarts[j % 2];
        while (!starts.empty() && key(starts.back()) >= key(j)) starts.pop_back();
        starts.push_back(j);

        const int r = run[j];
        for (int k = 1; k <= std::min(r, kShortRunMax); ++k) relax(j, k, 1, Command::ShortRun);
        if (r > kShortRunMax) relax(j, std::min(r, kByteCountMax), 2, Command::ByteRun);
        if (r > kByteCountMax) relax(j, std::min(r, kWordRunMax), 3, Command::WordRun);

        // A copy that ends with one pixel of v must not pass the end of the picture.
        const int c = std::min(copy[j], total - j - 1);
        for (int k = 1; k <= std::min(c, kShortRunMax); ++k) relax(j, k + 1, 2, Command::CopyThenV);
        if (c > kShortRunMax) relax(j, std::min(c, kByteCountMax) + 1, 2, Command::CopyThenV);
        if (copy[j] >= 2) relax(j, std::min(copy[j], kWordCopyMax), 3, Command::WordCopy);
    }

    std::vector<int> ends;
    for (int j = total; j > 0; j = best[j].from) ends.push_back(j);
    for (auto it = ends.rbegin(); it != ends.rend(); ++it) {
        const Step& step = best[*it];
        Emit(pixels, step.from, step, out);
    }
    return out;
}

}  // namespace pack
