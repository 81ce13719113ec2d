// A 16-colour drawing surface for the sample image's pictures: pixels are palette indices 0..15,
// rows top first, colour 0 is the background.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <utility>
#include <vector>

namespace sample {

// Colours from dark to light, for shading.
using Ramp = std::vector<std::uint8_t>;

class Canvas {
public:
    Canvas(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }
    const std::vector<std::uint8_t>& Pixels() const { return pixels_; }
    std::uint8_t At(int x, int y) const;
    // Rows of (width + 1) / 2 bytes, the left pixel in the high nibble: the raw item layout.
    std::vector<std::uint8_t> PackedRows() const;

    // Every drawing call clips to the canvas.
    void Set(int x, int y, std::uint8_t colour);
    void FillRect(int x, int y, int w, int h, std::uint8_t colour);
    void FrameRect(int x, int y, int w, int h, std::uint8_t colour);
    void FillEllipse(double cx, double cy, double rx, double ry, std::uint8_t colour);
    void Line(int x0, int y0, int x1, int y1, std::uint8_t colour, int thickness = 1);
    void FillPolygon(std::initializer_list<std::pair<double, double>> points, std::uint8_t colour);
    void FillPolygon(const std::vector<std::pair<double, double>>& points, std::uint8_t colour);

    // An ellipse lit from the upper left, its ramp spread by ordered dithering.
    void ShadedEllipse(double cx, double cy, double rx, double ry, const Ramp& ramp);
    // A rectangle shaded from light (left) to dark (right), or top to bottom.
    void ShadedRect(int x, int y, int w, int h, const Ramp& ramp, bool vertical = false);
    // Rows of bricks with mortar lines between them.
    void Bricks(int x, int y, int w, int h, int brickW, int brickH, std::uint8_t brick,
                std::uint8_t shade, std::uint8_t mortar);

    // Upper-case letters, digits and a few marks in a 5 x 7 font, each glyph scale pixels a dot.
    void Text(int x, int y, std::string_view text, std::uint8_t colour, int scale = 1);
    static int TextWidth(std::string_view text, int scale = 1);

    // Draws colour on every background pixel next to a drawn one, so shapes stand out.
    void Outline(std::uint8_t colour);
    void MirrorX();
    // Replaces one colour with another everywhere.
    void Recolour(std::uint8_t from, std::uint8_t to);

private:
    int width_;
    int height_;
    std::vector<std::uint8_t> pixels_;
};

}  // namespace sample
