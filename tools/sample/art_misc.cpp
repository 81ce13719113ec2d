// The pictures of the misc lists, the rune icons and the palettes.
#include "tools/sample/art.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace sample {

namespace {

struct Rgb5 {
    int r, g, b;
};

std::uint16_t Word(Rgb5 c) { return static_cast<std::uint16_t>(c.r | (c.g << 5) | (c.b << 10)); }

// Indexed by Colour; five bits a channel.
constexpr Rgb5 kPaletteA[16] = {
    {0, 0, 0},    {5, 5, 6},    {11, 11, 12}, {18, 18, 19}, {28, 28, 27}, {8, 5, 2},
    {15, 9, 4},   {24, 17, 10}, {13, 2, 2},   {24, 5, 3},   {31, 16, 3},  {31, 28, 10},
    {3, 10, 3},   {9, 21, 6},   {4, 6, 17},   {12, 20, 31},
};

// The title palette: a blue ramp, a gold ramp, reds and greys.
enum TitleColour : std::uint8_t {
    tBlack, tNavy1, tNavy2, tNavy3, tNavy4, tGold1, tGold2, tGold3, tGold4, tPale,
    tDarkRed, tRed, tDarkGrey, tGrey, tLightGrey, tWhite,
};
constexpr Rgb5 kPaletteB[16] = {
    {0, 0, 0},    {2, 2, 7},    {3, 4, 12},   {6, 7, 18},   {11, 12, 25}, {12, 8, 2},
    {20, 13, 3},  {28, 20, 6},  {31, 27, 12}, {31, 31, 24}, {14, 2, 3},   {25, 6, 4},
    {8, 8, 9},    {15, 15, 16}, {23, 23, 24}, {31, 31, 31},
};

const Ramp kStone = {kShadow, kDarkGrey, kGrey};
const Ramp kMetal = {kShadow, kDarkGrey, kGrey, kWhite};
const Ramp kWood = {kDarkBrown, kBrown, kTan};
const Ramp kGold = {kDarkBrown, kOrange, kYellow};

int I(double v) { return static_cast<int>(std::lround(v)); }

void Door(Canvas& c, int style) {
    const int w = c.Width();
    const int h = c.Height();
    const double W = w;
    const double H = h;
    // Stone frame, then the door leaf inside it.
    c.Bricks(0, 0, w, h, std::max(6, w / 6), std::max(4, h / 12), kGrey, kDarkGrey, kShadow);
    const int fx = I(W * 0.12);
    const int fy = I(H * 0.1);
    const int dw = w - 2 * fx;
    const int dh = h - fy;
    c.FillRect(fx - 1, fy - 1, dw + 2, dh + 1, kShadow);
    switch (style % 12) {
    case 0:  // wooden planks with iron bands
    case 8:
        c.ShadedRect(fx, fy, dw, dh, kWood);
        for (int x = fx + dw / 5; x < fx + dw; x += dw / 5) c.FillRect(x, fy, 1, dh, kDarkBrown);
        for (double band : {0.25, 0.75}) c.ShadedRect(fx, fy + I(dh * band), dw, std::max(2, dh / 14), kMetal);
        c.FillEllipse(fx + dw * 0.8, fy + dh * 0.55, std::max(1.5, dw * 0.05), std::max(1.5, dw * 0.05), kYellow);
        if (style % 12 == 8) {  // broken
            c.FillPolygon({{fx + dw * 0.3, fy + dh * 0.3}, {fx + dw * 0.6, fy + dh * 0.4}, {fx + dw * 0.5, fy + dh * 0.6},
                           {fx + dw * 0.25, fy + dh * 0.55}}, kBlack);
        }
        break;
    case 1:  // portcullis
        c.FillRect(fx, fy, dw, dh, kBlack);
        for (int x = fx + 1; x < fx + dw; x += std::max(3, dw / 6)) c.ShadedRect(x, fy, std::max(1, dw / 16), dh, kMetal);
        for (int y = fy + 2; y < fy + dh; y += std::max(4, dh / 6)) c.FillRect(fx, y, dw, std::max(1, dh / 30), kGrey);
        break;
    case 2:  // stone slab with an emblem
        c.ShadedRect(fx, fy, dw, dh, kStone);
        c.FrameRect(fx + 2, fy + 2, dw - 4, dh - 4, kShadow);
        c.FillEllipse(fx + dw / 2.0, fy + dh * 0.4, dw * 0.22, dw * 0.22, kDarkBlue);
        c.FillPolygon({{fx + dw * 0.5, fy + dh * 0.4 - dw * 0.16}, {fx + dw * 0.62, fy + dh * 0.4},
                       {fx + dw * 0.5, fy + dh * 0.4 + dw * 0.16}, {fx + dw * 0.38, fy + dh * 0.4}}, kLightBlue);
        break;
    case 3:  // red lacquered door with gold studs
        c.ShadedRect(fx, fy, dw, dh, {kDarkRed, kRed});
        for (int y = fy + 3; y < fy + dh - 2; y += std::max(4, dh / 8))
            for (int x = fx + 3; x < fx + dw - 2; x += std::max(4, dw / 5)) c.Set(x, y, kYellow);
        break;
    case 4:  // riveted metal
        c.ShadedRect(fx, fy, dw, dh, kMetal);
        for (int y = fy + 2; y < fy + dh; y += std::max(3, dh / 10)) {
            c.Set(fx + 2, y, kWhite);
            c.Set(fx + dw - 3, y, kWhite);
        }
        c.FillRect(fx + dw / 2, fy, 1, dh, kShadow);
        break;
    case 5:  // wooden door with a barred window
        c.ShadedRect(fx, fy, dw, dh, kWood);
        c.FillRect(fx + dw / 4, fy + dh / 8, dw / 2, dh / 5, kBlack);
        for (int x = fx + dw / 4 + 2; x < fx + 3 * dw / 4; x += 4) c.FillRect(x, fy + dh / 8, 1, dh / 5, kGrey);
        break;
    case 6:  // magic door: swirling blue
        for (int y = fy; y < fy + dh; ++y)
            for (int x = fx; x < fx + dw; ++x) {
                const double a = std::atan2(y - (fy + dh / 2.0), x - (fx + dw / 2.0));
                const double r = std::hypot(x - (fx + dw / 2.0), (y - (fy + dh / 2.0)) * 0.7);
                const int band = static_cast<int>(r / 3.0 + a * 2.0 + 20.0) % 3;
                c.Set(x, y, band == 0 ? kDarkBlue : band == 1 ? kLightBlue : kWhite);
            }
        break;
    case 7:  // double door
        c.ShadedRect(fx, fy, dw / 2, dh, kWood);
        c.ShadedRect(fx + dw / 2, fy, dw - dw / 2, dh, kWood);
        c.FillRect(fx + dw / 2, fy, 1, dh, kBlack);
        c.FillEllipse(fx + dw * 0.42, fy + dh * 0.55, 1.5, 1.5, kYellow);
        c.FillEllipse(fx + dw * 0.58, fy + dh * 0.55, 1.5, 1.5, kYellow);
        break;
    case 9:  // overgrown door
        c.ShadedRect(fx, fy, dw, dh, kWood);
        for (int i = 0; i < 6; ++i)
            c.Line(fx + I(dw * (0.1 + i * 0.16)), fy, fx + I(dw * (0.2 + 0.1 * std::sin(i))), fy + dh - 1, i % 2 ? kGreen : kDarkGreen, 2);
        break;
    case 10:  // gold vault
        c.ShadedRect(fx, fy, dw, dh, kGold);
        c.FillEllipse(fx + dw / 2.0, fy + dh / 2.0, dw * 0.28, dw * 0.28, kDarkBrown);
        c.FillEllipse(fx + dw / 2.0, fy + dh / 2.0, dw * 0.2, dw * 0.2, kOrange);
        for (int i = 0; i < 4; ++i) {
            const double a = i * 1.5708;
            c.Line(fx + dw / 2, fy + dh / 2, fx + dw / 2 + I(std::cos(a) * dw * 0.26), fy + dh / 2 + I(std::sin(a) * dw * 0.26), kDarkBrown, 2);
        }
        break;
    default:  // arched door
        c.FillEllipse(fx + dw / 2.0, fy + dw / 2.0, dw / 2.0, dw / 2.0, kShadow);
        c.FillRect(0, 0, w, fy, kGrey);
        c.ShadedRect(fx, fy + dw / 2, dw, dh - dw / 2, kWood);
        c.ShadedEllipse(fx + dw / 2.0, fy + dw / 2.0 + 1, dw / 2.0 - 1, dw / 2.0 - 1, kWood);
        c.FillRect(fx + dw / 2, fy, 1, dh, kDarkBrown);
        break;
    }
}

void Column(Canvas& c, int variant) {
    const int w = c.Width();
    const int h = c.Height();
    c.ShadedRect(2, 0, w - 4, h, kStone);
    c.ShadedRect(0, 0, w, std::max(3, h / 16), kMetal);
    c.ShadedRect(0, h - std::max(3, h / 16), w, std::max(3, h / 16), kMetal);
    for (int y = h / 16 + 6; y < h - h / 16; y += 10) c.FillRect(2, y, w - 4, 1, kShadow);
    if (variant % 3 == 1) {  // a torch bracket on the column
        c.FillRect(w / 2 - 2, h / 3, 4, h / 10, kBrown);
        c.FillEllipse(w / 2.0, h / 3.0 - 2, 3, 4, kOrange);
        c.FillEllipse(w / 2.0, h / 3.0 - 1, 1.5, 2, kYellow);
    } else if (variant % 3 == 2) {  // ivy
        for (int y = 0; y < h; y += 3) c.Set(w / 2 + I(4 * std::sin(y * 0.3)), y, kGreen);
    }
}

// A corridor seen straight ahead: floor and ceiling narrowing to a far wall, with brick side walls.
void Corridor(Canvas& c, int variant) {
    const int w = c.Width();
    const int h = c.Height();
    const double W = w;
    const double H = h;
    const double fx0 = W * 0.32, fx1 = W * 0.68, fy0 = H * 0.3, fy1 = H * 0.7;
    c.Bricks(0, 0, w, h, 16, 8, kDarkGrey, kShadow, kBlack);
    c.FillPolygon({{0, H}, {W, H}, {fx1, fy1}, {fx0, fy1}}, kDarkBrown);
    for (int i = 1; i < 5; ++i) {
        const double t = i / 5.0;
        const double y = H + (fy1 - H) * t;
        c.Line(I(W * t * 0.32), I(y), I(W - W * t * 0.32), I(y), kShadow);
    }
    c.FillPolygon({{0, 0}, {W, 0}, {fx1, fy0}, {fx0, fy0}}, kShadow);
    c.Bricks(I(fx0), I(fy0), I(fx1 - fx0), I(fy1 - fy0), 8, 4, kGrey, kDarkGrey, kShadow);
    c.Line(0, 0, I(fx0), I(fy0), kBlack);
    c.Line(w - 1, 0, I(fx1), I(fy0), kBlack);
    c.Line(0, h - 1, I(fx0), I(fy1), kBlack);
    c.Line(w - 1, h - 1, I(fx1), I(fy1), kBlack);
    if (variant % 2 == 1) {
        for (int s = 0; s < 2; ++s) {
            const double x = s == 0 ? W * 0.12 : W * 0.88;
            c.FillRect(I(x) - 1, I(H * 0.35), 3, I(H * 0.12), kBrown);
            c.FillEllipse(x, H * 0.32, W * 0.025, H * 0.05, kOrange);
            c.FillEllipse(x, H * 0.34, W * 0.012, H * 0.025, kYellow);
        }
    }
    if (variant % 3 == 2) {  // a door at the end
        c.ShadedRect(I(W * 0.42), I(H * 0.4), I(W * 0.16), I(H * 0.3), kWood);
        c.FrameRect(I(W * 0.42), I(H * 0.4), I(W * 0.16), I(H * 0.3), kBlack);
    }
}

// A stretch of side wall in perspective, its near edge on the left or right.
void SideWall(Canvas& c, bool left) {
    const double W = c.Width();
    const double H = c.Height();
    c.Bricks(0, 0, c.Width(), c.Height(), 12, 6, kGrey, kDarkGrey, kShadow);
    const double near = left ? 0.0 : W;
    const double far = left ? W : 0.0;
    c.FillPolygon({{near, 0}, {far, 0}, {far, H * 0.2}}, kBlack);
    c.FillPolygon({{near, H}, {far, H}, {far, H * 0.8}}, kBlack);
}

void Stairs(Canvas& c, bool down) {
    const int w = c.Width();
    const int h = c.Height();
    c.Bricks(0, 0, w, h, 12, 6, kDarkGrey, kShadow, kBlack);
    const int steps = 6;
    for (int i = 0; i < steps; ++i) {
        const double t = static_cast<double>(i) / steps;
        const int inset = I(w * 0.4 * t);
        const int y = down ? I(h * (0.45 + 0.55 * (1 - t) - 0.1)) : I(h * (0.9 - 0.8 * t));
        const int stepH = std::max(2, I(h * 0.1 * (1 - t * 0.5)));
        c.ShadedRect(inset, y, w - 2 * inset, stepH, kStone, true);
        c.FillRect(inset, y, w - 2 * inset, 1, kWhite);
    }
    if (down) c.FillRect(I(w * 0.38), I(h * 0.3), I(w * 0.24), I(h * 0.12), kBlack);
}

void Pit(Canvas& c) {
    const double W = c.Width();
    const double H = c.Height();
    c.ShadedRect(0, 0, c.Width(), c.Height(), {kDarkBrown, kBrown}, true);
    c.FillEllipse(W / 2, H / 2, W * 0.45, H * 0.4, kDarkGrey);
    c.FillEllipse(W / 2, H / 2 + 2, W * 0.42, H * 0.36, kBlack);
}

void Strip(Canvas& c, int variant) {
    c.Bricks(0, 0, c.Width(), c.Height(), 10 + variant % 3 * 2, std::max(3, c.Height() / 2), kGrey, kDarkGrey, kShadow);
    c.FillRect(0, 0, c.Width(), 1, kWhite);
}

void Bar(Canvas& c, std::uint8_t colour, std::uint8_t dark, double fill) {
    const int w = c.Width();
    const int h = c.Height();
    c.FillRect(0, 0, w, h, kShadow);
    c.FrameRect(0, 0, w, h, kGrey);
    if (h > 2) c.ShadedRect(1, 1, I((w - 2) * fill), h - 2, {dark, colour, kWhite}, true);
}

void Button(Canvas& c, const char* label) {
    const int w = c.Width();
    const int h = c.Height();
    c.ShadedRect(0, 0, w, h, kStone, true);
    c.FrameRect(0, 0, w, h, kWhite);
    c.FillRect(1, h - 2, w - 2, 1, kShadow);
    c.Text((w - Canvas::TextWidth(label)) / 2 + 1, (h - 7) / 2 + 1, label, kShadow);
    c.Text((w - Canvas::TextWidth(label)) / 2, (h - 7) / 2, label, kYellow);
}

void TextPanel(Canvas& c, const char* line1, const char* line2) {
    const int w = c.Width();
    const int h = c.Height();
    c.FillRect(0, 0, w, h, kTan);
    c.ShadedRect(0, 0, w, h / 4, {kTan, kWhite}, true);
    c.FrameRect(0, 0, w, h, kDarkBrown);
    c.FrameRect(2, 2, w - 4, h - 4, kBrown);
    const int lines = line2 ? 2 : 1;
    const int top = (h - lines * 9) / 2;
    c.Text((w - Canvas::TextWidth(line1)) / 2, top, line1, kDarkRed);
    if (line2) c.Text((w - Canvas::TextWidth(line2)) / 2, top + 10, line2, kDarkBrown);
}

void Icon(Canvas& c, int which) {
    const double W = c.Width();
    const double H = c.Height();
    const int w = c.Width();
    const int h = c.Height();
    switch (which) {
    case 0:  // key
        c.FillEllipse(W * 0.25, H * 0.5, W * 0.16, H * 0.3, kYellow);
        c.FillEllipse(W * 0.25, H * 0.5, W * 0.07, H * 0.12, kBlack);
        c.FillRect(I(W * 0.38), I(H * 0.44), I(W * 0.55), std::max(2, h / 8), kYellow);
        c.FillRect(I(W * 0.75), I(H * 0.5), 2, std::max(2, h / 5), kYellow);
        c.FillRect(I(W * 0.86), I(H * 0.5), 2, std::max(2, h / 5), kYellow);
        break;
    case 1:  // potion
        c.FillRect(I(W * 0.42), I(H * 0.05), I(W * 0.16), I(H * 0.3), kLightBlue);
        c.FillRect(I(W * 0.4), 0, I(W * 0.2), std::max(2, h / 10), kBrown);
        c.ShadedEllipse(W * 0.5, H * 0.62, W * 0.3, H * 0.35, {kDarkRed, kRed, kOrange});
        break;
    case 2:  // scroll
        c.ShadedRect(I(W * 0.15), I(H * 0.2), I(W * 0.7), I(H * 0.6), {kBrown, kTan, kWhite}, true);
        c.ShadedEllipse(W * 0.15, H * 0.5, W * 0.08, H * 0.32, kWood);
        c.ShadedEllipse(W * 0.85, H * 0.5, W * 0.08, H * 0.32, kWood);
        for (int y = I(H * 0.35); y < I(H * 0.7); y += 3) c.FillRect(I(W * 0.3), y, I(W * 0.4), 1, kDarkBrown);
        break;
    case 3:  // sword
        c.Line(I(W * 0.2), h - 3, w - 3, 2, kWhite, 2);
        c.Line(I(W * 0.15), I(H * 0.55), I(W * 0.45), h - 1, kYellow, 2);
        c.Line(1, h - 1, I(W * 0.2), h - 4, kBrown, 2);
        break;
    case 4:  // shield
        c.FillPolygon({{W * 0.15, 0}, {W * 0.85, 0}, {W * 0.85, H * 0.5}, {W * 0.5, H}, {W * 0.15, H * 0.5}}, kLightBlue);
        c.FillPolygon({{W * 0.25, H * 0.1}, {W * 0.75, H * 0.1}, {W * 0.75, H * 0.48}, {W * 0.5, H * 0.85}, {W * 0.25, H * 0.48}}, kDarkBlue);
        c.FillRect(I(W * 0.47), I(H * 0.1), 2, I(H * 0.7), kYellow);
        break;
    case 5:  // coin
        c.ShadedEllipse(W / 2, H / 2, W * 0.38, H * 0.45, kGold);
        c.FillRect(I(W * 0.48), I(H * 0.3), 1, I(H * 0.4), kDarkBrown);
        break;
    case 6:  // torch
        c.FillPolygon({{W * 0.4, H * 0.35}, {W * 0.6, H * 0.35}, {W * 0.55, H}, {W * 0.45, H}}, kBrown);
        c.FillEllipse(W * 0.5, H * 0.25, W * 0.2, H * 0.2, kRed);
        c.FillEllipse(W * 0.5, H * 0.28, W * 0.12, H * 0.14, kOrange);
        c.FillEllipse(W * 0.5, H * 0.32, W * 0.06, H * 0.07, kYellow);
        break;
    case 7:  // arrow
        c.FillRect(2, h / 2, w - 6, 1, kTan);
        c.FillPolygon({{W - 1, H / 2 + 0.5}, {W - 6, H / 2 - 3}, {W - 6, H / 2 + 4}}, kGrey);
        c.FillPolygon({{0, H / 2 - 3}, {4, H / 2 + 0.5}, {0, H / 2 + 4}}, kWhite);
        break;
    case 8:  // gem
        c.FillPolygon({{W * 0.5, H * 0.05}, {W * 0.9, H * 0.4}, {W * 0.5, H * 0.95}, {W * 0.1, H * 0.4}}, kGreen);
        c.FillPolygon({{W * 0.5, H * 0.05}, {W * 0.9, H * 0.4}, {W * 0.5, H * 0.4}}, kYellow);
        c.FillPolygon({{W * 0.1, H * 0.4}, {W * 0.5, H * 0.4}, {W * 0.5, H * 0.95}}, kDarkGreen);
        break;
    default:  // pointing arrow cursor
        c.FillPolygon({{0, 0}, {W * 0.9, H * 0.6}, {W * 0.5, H * 0.62}, {W * 0.7, H}, {W * 0.5, H},
                       {W * 0.32, H * 0.7}, {0, H * 0.9}}, kWhite);
        break;
    }
    c.Outline(kShadow);
}

void Chest(Canvas& c) {
    const double W = c.Width();
    const double H = c.Height();
    c.ShadedRect(I(W * 0.05), I(H * 0.45), I(W * 0.9), I(H * 0.52), kWood);
    c.ShadedEllipse(W * 0.5, H * 0.45, W * 0.45, H * 0.35, kWood);
    c.FillRect(I(W * 0.05), I(H * 0.45), I(W * 0.9), std::max(2, I(H * 0.06)), kGold.back());
    for (double x : {0.2, 0.8}) c.FillRect(I(W * x) - 2, I(H * 0.12), 4, I(H * 0.85), kOrange);
    c.ShadedRect(I(W * 0.44), I(H * 0.42), I(W * 0.12), I(H * 0.18), kGold);
    c.FillRect(I(W * 0.49), I(H * 0.5), 2, 4, kBlack);
    c.Outline(kShadow);
}

void Statue(Canvas& c) {
    const double W = c.Width();
    const double H = c.Height();
    c.ShadedRect(I(W * 0.1), I(H * 0.85), I(W * 0.8), I(H * 0.15), kStone);
    c.ShadedRect(I(W * 0.3), I(H * 0.5), I(W * 0.4), I(H * 0.36), kStone);
    c.ShadedEllipse(W * 0.5, H * 0.35, W * 0.3, H * 0.18, kStone);
    c.ShadedEllipse(W * 0.5, H * 0.12, W * 0.2, H * 0.1, kStone);
    c.Line(I(W * 0.82), I(H * 0.05), I(W * 0.82), I(H * 0.8), kGrey, 3);
    c.Outline(kShadow);
}

void Fountain(Canvas& c) {
    const double W = c.Width();
    const double H = c.Height();
    c.Bricks(0, 0, c.Width(), c.Height(), 12, 6, kDarkGrey, kShadow, kBlack);
    c.ShadedEllipse(W * 0.5, H * 0.3, W * 0.25, H * 0.16, {kDarkGrey, kTan, kYellow});
    c.FillEllipse(W * 0.5, H * 0.36, W * 0.06, H * 0.03, kBlack);
    c.FillRect(I(W * 0.47), I(H * 0.37), std::max(2, I(W * 0.06)), I(H * 0.4), kLightBlue);
    c.ShadedRect(I(W * 0.1), I(H * 0.75), I(W * 0.8), I(H * 0.22), kStone);
    c.FillRect(I(W * 0.14), I(H * 0.75), I(W * 0.72), I(H * 0.06), kDarkBlue);
}

void Lantern(Canvas& c) {
    const double W = c.Width();
    const double H = c.Height();
    c.FillRect(I(W * 0.48), 0, 2, I(H * 0.3), kGrey);
    c.FillPolygon({{W * 0.2, H * 0.4}, {W * 0.5, H * 0.28}, {W * 0.8, H * 0.4}}, kDarkGrey);
    c.ShadedRect(I(W * 0.25), I(H * 0.4), I(W * 0.5), I(H * 0.4), {kOrange, kYellow, kWhite});
    for (double x : {0.25, 0.48, 0.72}) c.FillRect(I(W * x), I(H * 0.4), 2, I(H * 0.4), kDarkGrey);
    c.FillRect(I(W * 0.2), I(H * 0.8), I(W * 0.6), I(H * 0.06), kDarkGrey);
}

void Title(Canvas& c) {
    const int w = c.Width();
    const int h = c.Height();
    c.ShadedRect(0, 0, w, h, {tNavy1, tNavy2, tNavy3, tNavy4}, true);
    for (int i = 0; i < 40; ++i) c.Set((i * 97 + 13) % w, (i * 53 + 7) % (h / 2), i % 5 ? tLightGrey : tWhite);
    // A quill across an open book.
    c.FillPolygon({{w * 0.15, h * 0.9}, {w * 0.5, h * 0.82}, {w * 0.85, h * 0.9}, {w * 0.85, h * 0.98},
                   {w * 0.5, h * 0.9}, {w * 0.15, h * 0.98}}, tPale);
    c.Line(w / 2, I(h * 0.82), w / 2, I(h * 0.9), tGrey);
    for (int i = 0; i < 3; ++i) {
        c.Line(I(w * 0.2), I(h * (0.89 + i * 0.02)), I(w * 0.45), I(h * (0.84 + i * 0.02)), tGrey);
        c.Line(I(w * 0.55), I(h * (0.84 + i * 0.02)), I(w * 0.8), I(h * (0.89 + i * 0.02)), tGrey);
    }
    c.FillPolygon({{w * 0.62, h * 0.86}, {w * 0.95, h * 0.42}, {w * 0.9, h * 0.56}, {w * 0.84, h * 0.62},
                   {w * 0.76, h * 0.7}}, tWhite);
    c.FillPolygon({{w * 0.62, h * 0.86}, {w * 0.95, h * 0.42}, {w * 0.8, h * 0.55}, {w * 0.7, h * 0.68}}, tLightGrey);
    c.Line(I(w * 0.62), I(h * 0.86), I(w * 0.93), I(h * 0.45), tGrey);
    const char* name = "QUILLMERE";
    const int x = (w - Canvas::TextWidth(name, 2)) / 2;
    c.Text(x + 2, 22, name, tBlack, 2);
    c.Text(x, 20, name, tGold3, 2);
    for (int y = 20; y < 34; ++y)
        for (int xx = x; xx < x + Canvas::TextWidth(name, 2); ++xx)
            if (c.At(xx, y) == tGold3) c.Set(xx, y, y < 24 ? tGold4 : y < 30 ? tGold3 : tGold2);
    const char* subtitle = "THE SAMPLE DUNGEON";
    c.Text((w - Canvas::TextWidth(subtitle)) / 2, 44, subtitle, tLightGrey);
}

void Banner(Canvas& c) {
    const int w = c.Width();
    const int h = c.Height();
    c.FillPolygon({{0, 0}, {static_cast<double>(w), 0}, {w - 6.0, h / 2.0}, {static_cast<double>(w), static_cast<double>(h)},
                   {0, static_cast<double>(h)}, {6, h / 2.0}}, tDarkRed);
    c.FillRect(8, 2, w - 16, h - 4, tRed);
    const char* text = "SAMPLE IMAGE";
    c.Text((w - Canvas::TextWidth(text)) / 2 + 1, (h - 7) / 2 + 1, text, tDarkRed);
    c.Text((w - Canvas::TextWidth(text)) / 2, (h - 7) / 2, text, tGold4);
}

}  // namespace

std::vector<std::uint16_t> PaletteAWords() {
    std::vector<std::uint16_t> words;
    for (int row = 0; row < 16; ++row)
        for (const Rgb5& c : kPaletteA)
            words.push_back(Word({c.r * (16 - row) / 16, c.g * (16 - row) / 16, c.b * (16 - row) / 16}));
    return words;
}

std::vector<std::uint16_t> PaletteBWords() {
    std::vector<std::uint16_t> words;
    for (const Rgb5& c : kPaletteB) words.push_back(Word(c));
    // The second row: the same colours warmer, for a torch-lit title.
    for (const Rgb5& c : kPaletteB) words.push_back(Word({std::min(31, c.r + 4), c.g, c.b / 2}));
    return words;
}

Canvas DrawMisc(unsigned item, int width, int height) {
    Canvas c(width, height);
    switch (item) {
    case 35: case 36: case 37: Door(c, 0); break;
    case 38: case 39: case 40: Door(c, 1); break;
    case 41: case 42: case 43: Door(c, 2); break;
    case 44: case 45: case 46: Door(c, 3); break;
    case 228: Door(c, 4); break;
    case 229: Door(c, 5); break;
    case 231: Door(c, 6); break;
    case 232: Door(c, 7); break;
    case 233: Door(c, 8); break;
    case 237: Door(c, 9); break;
    case 240: Door(c, 10); break;
    case 241: Door(c, 11); break;
    case 514: Door(c, 1); break;
    case 2: case 3: case 4: case 6: case 7: case 10: case 11: case 23: case 30: case 32: case 33:
    case 462: case 463: case 511:
        Column(c, static_cast<int>(item));
        break;
    case 12: Corridor(c, 1); break;
    case 464: Corridor(c, 2); break;
    case 22: Corridor(c, 0); break;
    case 29: Corridor(c, 3); break;
    case 275: Corridor(c, 5); break;
    case 276: Corridor(c, 4); break;
    case 277: Corridor(c, 2); break;
    case 17: case 18: case 24: case 25: SideWall(c, true); break;
    case 19: case 20: case 26: case 27: SideWall(c, false); break;
    case 13: Stairs(c, true); break;
    case 465: Stairs(c, false); break;
    case 14: case 466: Pit(c); break;
    case 168: case 169: case 170: case 171: case 172: case 173: Strip(c, static_cast<int>(item)); break;
    case 230: Icon(c, 0); break;
    case 234: Icon(c, 1); break;
    case 235: Icon(c, 2); break;
    case 236: Icon(c, 3); break;
    case 238: Icon(c, 4); break;
    case 239: Icon(c, 5); break;
    case 271: Icon(c, 6); break;
    case 272: Icon(c, 7); break;
    case 273: Icon(c, 1); break;
    case 274: Icon(c, 8); break;
    case 242: Icon(c, 9); break;
    case 460: TextPanel(c, "WELCOME, TRAVELLER.", "EVERY PIXEL DRAWN IN CODE."); break;
    case 461: TextPanel(c, "A QUILLMERE SAMPLE IMAGE", nullptr); break;
    case 491: Bar(c, kRed, kDarkRed, 0.8); break;
    case 495: Bar(c, kLightBlue, kDarkBlue, 0.6); break;
    case 503: Bar(c, kGreen, kDarkGreen, 0.9); break;
    case 504: Bar(c, kYellow, kOrange, 0.5); break;
    case 505: Bar(c, kGreen, kDarkGreen, 0.35); break;
    case 492: Button(c, "OK"); break;
    case 493: Button(c, "NEW GAME"); break;
    case 508: Chest(c); break;
    case 509: Fountain(c); break;
    case 510: Statue(c); break;
    case 5: Lantern(c); break;
    case 656: Title(c); break;
    case 658: Banner(c); break;
    default:
        c.Bricks(0, 0, width, height, 8, 4, kGrey, kDarkGrey, kShadow);
        break;
    }
    return c;
}

Canvas DrawRuneIcon(int index, int width, int height) {
    Canvas c(width, height);
    const double W = width;
    const double H = height;
    constexpr std::uint8_t colours[] = {kRed, kLightBlue, kGreen, kYellow, kOrange, kWhite, kTan};
    const std::uint8_t colour = colours[index % 7];
    c.FillEllipse(W / 2, H / 2, W * 0.48, H * 0.48, kDarkGrey);
    c.FillEllipse(W / 2, H / 2, W * 0.4, H * 0.4, kShadow);
    // Three strokes chosen by the bits of the index.
    const int cx = width / 2;
    const int cy = height / 2;
    const int r = std::max(2, width / 3);
    for (int stroke = 0; stroke < 3; ++stroke) {
        const double a = (index * 7 + stroke * 5) % 12 * 0.5236;
        c.Line(cx, cy, cx + I(r * std::cos(a)), cy + I(r * std::sin(a)), colour);
    }
    c.Set(cx, cy, kWhite);
    return c;
}

}  // namespace sample
