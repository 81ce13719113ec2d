#include "tools/sample/canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace sample {

namespace {

// 4 x 4 ordered dither thresholds, 0..15.
constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

// Picks a ramp entry for a brightness 0..1, dithering between neighbouring entries.
std::uint8_t Dithered(const Ramp& ramp, double brightness, int x, int y) {
    const double scaled = std::clamp(brightness, 0.0, 1.0) * static_cast<double>(ramp.size() - 1);
    const int low = static_cast<int>(scaled);
    const double fraction = scaled - low;
    const bool up = fraction * 16.0 > kBayer[y & 3][x & 3] + 0.5;
    return ramp[static_cast<std::size_t>(std::min<int>(low + (up ? 1 : 0), static_cast<int>(ramp.size()) - 1))];
}

struct Glyph {
    char character;
    std::uint8_t rows[7];  // five bits a row, the leftmost dot in bit 4
};

constexpr Glyph kFont[] = {
    {'A', {0x0E, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}}, {'B', {0x1E, 0x11, 0x11, 0x1E, 0x11, 0x11, 0x1E}},
    {'C', {0x0E, 0x11, 0x10, 0x10, 0x10, 0x11, 0x0E}}, {'D', {0x1E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x1E}},
    {'E', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F}}, {'F', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x10}},
    {'G', {0x0E, 0x11, 0x10, 0x17, 0x11, 0x11, 0x0F}}, {'H', {0x11, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}},
    {'I', {0x0E, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E}}, {'J', {0x07, 0x02, 0x02, 0x02, 0x02, 0x12, 0x0C}},
    {'K', {0x11, 0x12, 0x14, 0x18, 0x14, 0x12, 0x11}}, {'L', {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F}},
    {'M', {0x11, 0x1B, 0x15, 0x15, 0x11, 0x11, 0x11}}, {'N', {0x11, 0x11, 0x19, 0x15, 0x13, 0x11, 0x11}},
    {'O', {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}}, {'P', {0x1E, 0x11, 0x11, 0x1E, 0x10, 0x10, 0x10}},
    {'Q', {0x0E, 0x11, 0x11, 0x11, 0x15, 0x12, 0x0D}}, {'R', {0x1E, 0x11, 0x11, 0x1E, 0x14, 0x12, 0x11}},
    {'S', {0x0F, 0x10, 0x10, 0x0E, 0x01, 0x01, 0x1E}}, {'T', {0x1F, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04}},
    {'U', {0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}}, {'V', {0x11, 0x11, 0x11, 0x11, 0x11, 0x0A, 0x04}},
    {'W', {0x11, 0x11, 0x11, 0x15, 0x15, 0x15, 0x0A}}, {'X', {0x11, 0x11, 0x0A, 0x04, 0x0A, 0x11, 0x11}},
    {'Y', {0x11, 0x11, 0x0A, 0x04, 0x04, 0x04, 0x04}}, {'Z', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x10, 0x1F}},
    {'0', {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}}, {'1', {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'2', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}}, {'3', {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E}},
    {'4', {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}}, {'5', {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E}},
    {'6', {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}}, {'7', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08}},
    {'8', {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}}, {'9', {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C}},
    {'.', {0x00, 0x00, 0x00, 0x00, 0x00, 0x0C, 0x0C}}, {'-', {0x00, 0x00, 0x00, 0x1F, 0x00, 0x00, 0x00}},
    {'!', {0x04, 0x04, 0x04, 0x04, 0x04, 0x00, 0x04}}, {':', {0x00, 0x0C, 0x0C, 0x00, 0x0C, 0x0C, 0x00}},
    {'?', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x00, 0x04}}, {'/', {0x01, 0x01, 0x02, 0x04, 0x08, 0x10, 0x10}},
    {'+', {0x00, 0x04, 0x04, 0x1F, 0x04, 0x04, 0x00}}, {',', {0x00, 0x00, 0x00, 0x00, 0x0C, 0x04, 0x08}}, {'\'', {0x04, 0x04, 0x08, 0x00, 0x00, 0x00, 0x00}},
};

constexpr int kGlyphWidth = 5;
constexpr int kGlyphHeight = 7;
constexpr int kGlyphAdvance = 6;

}  // namespace

Canvas::Canvas(int width, int height)
    : width_(width), height_(height), pixels_(static_cast<std::size_t>(width * height), 0) {}

std::uint8_t Canvas::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    return pixels_[static_cast<std::size_t>(y * width_ + x)];
}

std::vector<std::uint8_t> Canvas::PackedRows() const {
    const int rowBytes = (width_ + 1) / 2;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(rowBytes * height_), 0);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            std::uint8_t& b = bytes[static_cast<std::size_t>(y * rowBytes + x / 2)];
            b = static_cast<std::uint8_t>(b | (x % 2 == 0 ? At(x, y) << 4 : At(x, y)));
        }
    return bytes;
}

void Canvas::Set(int x, int y, std::uint8_t colour) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[static_cast<std::size_t>(y * width_ + x)] = colour & 0x0F;
}

void Canvas::FillRect(int x, int y, int w, int h, std::uint8_t colour) {
    for (int yy = y; yy < y + h; ++yy)
        for (int xx = x; xx < x + w; ++xx) Set(xx, yy, colour);
}

void Canvas::FrameRect(int x, int y, int w, int h, std::uint8_t colour) {
    FillRect(x, y, w, 1, colour);
    FillRect(x, y + h - 1, w, 1, colour);
    FillRect(x, y, 1, h, colour);
    FillRect(x + w - 1, y, 1, h, colour);
}

void Canvas::FillEllipse(double cx, double cy, double rx, double ry, std::uint8_t colour) {
    if (rx <= 0 || ry <= 0) return;
    for (int y = static_cast<int>(std::floor(cy - ry)); y <= static_cast<int>(std::ceil(cy + ry)); ++y)
        for (int x = static_cast<int>(std::floor(cx - rx)); x <= static_cast<int>(std::ceil(cx + rx)); ++x) {
            const double dx = (x + 0.5 - cx) / rx;
            const double dy = (y + 0.5 - cy) / ry;
            if (dx * dx + dy * dy <= 1.0) Set(x, y, colour);
        }
}

void Canvas::ShadedEllipse(double cx, double cy, double rx, double ry, const Ramp& ramp) {
    if (rx <= 0 || ry <= 0) return;
    for (int y = static_cast<int>(std::floor(cy - ry)); y <= static_cast<int>(std::ceil(cy + ry)); ++y)
        for (int x = static_cast<int>(std::floor(cx - rx)); x <= static_cast<int>(std::ceil(cx + rx)); ++x) {
            const double dx = (x + 0.5 - cx) / rx;
            const double dy = (y + 0.5 - cy) / ry;
            const double d2 = dx * dx + dy * dy;
            if (d2 > 1.0) continue;
            const double dz = std::sqrt(1.0 - d2);
            // Light from the upper left and in front.
            const double light = -0.45 * dx - 0.55 * dy + 0.70 * dz;
            Set(x, y, Dithered(ramp, 0.15 + 0.85 * light, x, y));
        }
}

void Canvas::ShadedRect(int x, int y, int w, int h, const Ramp& ramp, bool vertical) {
    for (int yy = y; yy < y + h; ++yy)
        for (int xx = x; xx < x + w; ++xx) {
            const double t = vertical ? (yy - y + 0.5) / h : (xx - x + 0.5) / w;
            Set(xx, yy, Dithered(ramp, 1.0 - t, xx, yy));
        }
}

void Canvas::Line(int x0, int y0, int x1, int y1, std::uint8_t colour, int thickness) {
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    const int half = (thickness - 1) / 2;
    for (;;) {
        FillRect(x0 - half, y0 - half, thickness, thickness, colour);
        if (x0 == x1 && y0 == y1) break;
        const int e2 = 2 * error;
        if (e2 >= dy) {
            error += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            error += dx;
            y0 += sy;
        }
    }
}

void Canvas::FillPolygon(std::initializer_list<std::pair<double, double>> points, std::uint8_t colour) {
    FillPolygon(std::vector<std::pair<double, double>>(points), colour);
}

void Canvas::FillPolygon(const std::vector<std::pair<double, double>>& points, std::uint8_t colour) {
    // Even-odd scanlines through pixel centres.
    for (int y = 0; y < height_; ++y) {
        const double sy = y + 0.5;
        std::vector<double> crossings;
        for (std::size_t i = 0; i < points.size(); ++i) {
            const auto [x0, y0] = points[i];
            const auto [x1, y1] = points[(i + 1) % points.size()];
            if ((y0 <= sy && y1 > sy) || (y1 <= sy && y0 > sy))
                crossings.push_back(x0 + (sy - y0) / (y1 - y0) * (x1 - x0));
        }
        std::sort(crossings.begin(), crossings.end());
        for (std::size_t i = 0; i + 1 < crossings.size(); i += 2)
            for (int x = static_cast<int>(std::ceil(crossings[i] - 0.5));
                 x + 0.5 <= crossings[i + 1]; ++x)
                Set(x, y, colour);
    }
}

void Canvas::Bricks(int x, int y, int w, int h, int brickW, int brickH, std::uint8_t brick,
                    std::uint8_t shade, std::uint8_t mortar) {
    for (int yy = y; yy < y + h; ++yy) {
        const int row = (yy - y) / brickH;
        const int inRow = (yy - y) % brickH;
        for (int xx = x; xx < x + w; ++xx) {
            const int shifted = xx - x + (row % 2) * (brickW / 2);
            const int inBrick = shifted % brickW;
            std::uint8_t c = brick;
            if (inRow == brickH - 1 || inBrick == brickW - 1) c = mortar;
            else if (inRow == brickH - 2 || inBrick == brickW - 2) c = shade;
            Set(xx, yy, c);
        }
    }
}

void Canvas::Text(int x, int y, std::string_view text, std::uint8_t colour, int scale) {
    for (char character : text) {
        for (const Glyph& glyph : kFont) {
            if (glyph.character != character) continue;
            for (int row = 0; row < kGlyphHeight; ++row)
                for (int column = 0; column < kGlyphWidth; ++column)
                    if (glyph.rows[row] & (0x10 >> column))
                        FillRect(x + column * scale, y + row * scale, scale, scale, colour);
        }
        x += kGlyphAdvance * scale;
    }
}

int Canvas::TextWidth(std::string_view text, int scale) {
    return text.empty() ? 0 : (static_cast<int>(text.size()) * kGlyphAdvance - 1) * scale;
}

void Canvas::Outline(std::uint8_t colour) {
    std::vector<std::uint8_t> result = pixels_;
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            if (At(x, y) != 0) continue;
            const bool edge = (x > 0 && At(x - 1, y)) || (x + 1 < width_ && At(x + 1, y)) ||
                              (y > 0 && At(x, y - 1)) || (y + 1 < height_ && At(x, y + 1));
            if (edge) result[static_cast<std::size_t>(y * width_ + x)] = colour;
        }
    pixels_ = std::move(result);
}

void Canvas::MirrorX() {
    for (int y = 0; y < height_; ++y)
        std::reverse(pixels_.begin() + y * width_, pixels_.begin() + (y + 1) * width_);
}

void Canvas::Recolour(std::uint8_t from, std::uint8_t to) {
    std::replace(pixels_.begin(), pixels_.end(), from, to);
}

}  // namespace sample
