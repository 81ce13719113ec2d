// Wall and floor ornate pictures.
#include "tools/sample/art.h"

#include <algorithm>
#include <cmath>

namespace sample {

namespace {

const Ramp kStone = {kShadow, kDarkGrey, kGrey};
const Ramp kMetal = {kShadow, kDarkGrey, kGrey, kWhite};
const Ramp kWood = {kDarkBrown, kBrown, kTan};
const Ramp kGold = {kDarkBrown, kOrange, kYellow};
const Ramp kFire = {kDarkRed, kRed, kOrange, kYellow};

// Variant colours for ornates that come in several: red, blue, green, gold.
std::uint8_t VariantColour(int variant) {
    constexpr std::uint8_t colours[] = {kRed, kLightBlue, kGreen, kYellow};
    return colours[variant % 4];
}
std::uint8_t VariantDark(int variant) {
    constexpr std::uint8_t colours[] = {kDarkRed, kDarkBlue, kDarkGreen, kOrange};
    return colours[variant % 4];
}

void Flame(Canvas& c, double cx, double base, double w, double h) {
    c.FillPolygon({{cx - w / 2, base}, {cx - w / 3, base - h * 0.6}, {cx, base - h},
                   {cx + w / 3, base - h * 0.55}, {cx + w / 2, base}}, kRed);
    c.FillPolygon({{cx - w / 3, base}, {cx - w / 6, base - h * 0.5}, {cx + w / 10, base - h * 0.8},
                   {cx + w / 4, base - h * 0.4}, {cx + w / 3, base}}, kOrange);
    c.FillEllipse(cx, base - h * 0.22, w / 5, h * 0.22, kYellow);
}

void DrawFront(Canvas& c, WallOrnateKind kind, int variant) {
    const int w = c.Width();
    const int h = c.Height();
    const double W = w;
    const double H = h;
    switch (kind) {
    case WallOrnateKind::Torch:
    case WallOrnateKind::UnlitTorch:
        c.ShadedRect(static_cast<int>(W * 0.3), static_cast<int>(H * 0.75), static_cast<int>(W * 0.4), h / 12, kMetal);
        c.FillPolygon({{W * 0.36, H * 0.45}, {W * 0.64, H * 0.45}, {W * 0.56, H * 0.98}, {W * 0.44, H * 0.98}}, kBrown);
        c.ShadedRect(static_cast<int>(W * 0.3), static_cast<int>(H * 0.4), static_cast<int>(W * 0.4), h / 10, kMetal);
        if (kind == WallOrnateKind::Torch) Flame(c, W * 0.5, H * 0.42, W * 0.7, H * 0.4);
        else c.FillEllipse(W * 0.5, H * 0.4, W * 0.2, H * 0.04, kShadow);
        break;
    case WallOrnateKind::Grate:
    case WallOrnateKind::Vent: {
        c.FillRect(0, 0, w, h, kShadow);
        c.FrameRect(0, 0, w, h, kGrey);
        const int bars = kind == WallOrnateKind::Grate ? 5 : 4;
        for (int i = 1; i < bars; ++i) {
            if (kind == WallOrnateKind::Grate) c.FillRect(i * w / bars - 1, 1, 2, h - 2, kDarkGrey);
            else c.FillRect(1, i * h / bars, w - 2, std::max(1, h / 8), kDarkGrey);
        }
        if (kind == WallOrnateKind::Grate) c.FillRect(1, h / 2 - 1, w - 2, 2, kDarkGrey);
        break;
    }
    case WallOrnateKind::LeverUp:
    case WallOrnateKind::LeverDown: {
        c.ShadedRect(static_cast<int>(W * 0.2), static_cast<int>(H * 0.4), static_cast<int>(W * 0.6), static_cast<int>(H * 0.2), kMetal);
        const bool up = kind == WallOrnateKind::LeverUp;
        c.Line(w / 2, h / 2, w / 2 + (up ? w / 5 : -w / 5), up ? h / 12 : h - h / 12, kBrown, std::max(2, w / 6));
        c.ShadedEllipse(W * 0.5 + (up ? W * 0.2 : -W * 0.2), up ? H * 0.08 : H * 0.92, W * 0.16, W * 0.16,
                        {VariantDark(variant), VariantColour(variant), kWhite});
        break;
    }
    case WallOrnateKind::Button:
    case WallOrnateKind::GemSocket:
        c.ShadedRect(0, 0, w, h, kStone);
        c.FrameRect(0, 0, w, h, kShadow);
        c.ShadedEllipse(W / 2, H / 2, W * 0.32, H * 0.32, {VariantDark(variant), VariantColour(variant), kWhite});
        break;
    case WallOrnateKind::Keyhole:
        c.ShadedRect(0, 0, w, h, kGold);
        c.FrameRect(0, 0, w, h, kDarkBrown);
        c.FillEllipse(W / 2, H * 0.38, W * 0.18, W * 0.18, kBlack);
        c.FillPolygon({{W * 0.42, H * 0.4}, {W * 0.58, H * 0.4}, {W * 0.66, H * 0.85}, {W * 0.34, H * 0.85}}, kBlack);
        break;
    case WallOrnateKind::Ring:
    case WallOrnateKind::Hook:
        c.ShadedEllipse(W / 2, H * 0.18, W * 0.18, H * 0.14, kMetal);
        if (kind == WallOrnateKind::Ring) {
            c.FillEllipse(W / 2, H * 0.6, W * 0.42, H * 0.36, kGrey);
            c.FillEllipse(W / 2, H * 0.6, W * 0.28, H * 0.24, kBlack);
        } else {
            c.Line(w / 2, h / 4, w / 2, h * 3 / 4, kGrey, std::max(1, w / 6));
            c.Line(w / 2, h * 3 / 4, w / 4, h / 2, kGrey, std::max(1, w / 6));
        }
        break;
    case WallOrnateKind::Skull:
        c.ShadedEllipse(W / 2, H * 0.42, W * 0.45, H * 0.4, {kDarkGrey, kTan, kWhite});
        c.ShadedRect(static_cast<int>(W * 0.28), static_cast<int>(H * 0.7), static_cast<int>(W * 0.44), static_cast<int>(H * 0.26), {kDarkGrey, kTan, kWhite});
        c.FillEllipse(W * 0.32, H * 0.45, W * 0.12, H * 0.12, kBlack);
        c.FillEllipse(W * 0.68, H * 0.45, W * 0.12, H * 0.12, kBlack);
        c.FillPolygon({{W * 0.5, H * 0.58}, {W * 0.44, H * 0.7}, {W * 0.56, H * 0.7}}, kBlack);
        for (int i = 0; i < 3; ++i) c.FillRect(static_cast<int>(W * (0.34 + i * 0.12)), static_cast<int>(H * 0.78), 1, h / 6, kDarkGrey);
        break;
    case WallOrnateKind::Banner:
    case WallOrnateKind::Tapestry: {
        c.FillRect(0, 0, w, std::max(2, h / 16), kBrown);
        const std::uint8_t cloth = VariantColour(variant);
        c.FillPolygon({{W * 0.08, H * 0.05}, {W * 0.92, H * 0.05}, {W * 0.92, H * 0.95}, {W * 0.5, H * 0.8},
                       {W * 0.08, H * 0.95}}, cloth);
        c.FillRect(static_cast<int>(W * 0.16), static_cast<int>(H * 0.1), static_cast<int>(W * 0.08), static_cast<int>(H * 0.68), VariantDark(variant));
        c.FillRect(static_cast<int>(W * 0.76), static_cast<int>(H * 0.1), static_cast<int>(W * 0.08), static_cast<int>(H * 0.68), VariantDark(variant));
        // An emblem: a diamond, or a tree on the tapestry.
        if (kind == WallOrnateKind::Banner) {
            c.FillPolygon({{W * 0.5, H * 0.22}, {W * 0.7, H * 0.4}, {W * 0.5, H * 0.58}, {W * 0.3, H * 0.4}}, kYellow);
        } else {
            c.FillRect(static_cast<int>(W * 0.47), static_cast<int>(H * 0.4), static_cast<int>(W * 0.06), static_cast<int>(H * 0.35), kDarkBrown);
            c.FillEllipse(W * 0.5, H * 0.35, W * 0.2, H * 0.18, kDarkGreen);
        }
        break;
    }
    case WallOrnateKind::Shield:
        c.FillPolygon({{W * 0.05, H * 0.05}, {W * 0.95, H * 0.05}, {W * 0.95, H * 0.5}, {W * 0.5, H * 0.98},
                       {W * 0.05, H * 0.5}}, kGrey);
        c.FillPolygon({{W * 0.12, H * 0.1}, {W * 0.88, H * 0.1}, {W * 0.88, H * 0.48}, {W * 0.5, H * 0.9},
                       {W * 0.12, H * 0.48}}, VariantColour(variant));
        c.FillRect(static_cast<int>(W * 0.44), static_cast<int>(H * 0.1), std::max(1, static_cast<int>(W * 0.12)), static_cast<int>(H * 0.75), kYellow);
        c.FillRect(static_cast<int>(W * 0.12), static_cast<int>(H * 0.3), static_cast<int>(W * 0.76), std::max(1, static_cast<int>(H * 0.1)), kYellow);
        break;
    case WallOrnateKind::Swords:
        for (int s = -1; s <= 1; s += 2) {
            c.Line(static_cast<int>(W * (0.5 - s * 0.4)), static_cast<int>(H * 0.1), static_cast<int>(W * (0.5 + s * 0.3)),
                   static_cast<int>(H * 0.82), kWhite, std::max(1, w / 14));
            c.Line(static_cast<int>(W * (0.5 + s * 0.15)), static_cast<int>(H * 0.78), static_cast<int>(W * (0.5 + s * 0.45)),
                   static_cast<int>(H * 0.66), kYellow, std::max(1, w / 16));
            c.FillEllipse(W * (0.5 + s * 0.36), H * 0.9, W * 0.05, W * 0.05, kBrown);
        }
        break;
    case WallOrnateKind::Alcove:
        c.FillRect(0, 0, w, h, kGrey);
        c.FillEllipse(W / 2, H * 0.4, W * 0.38, H * 0.3, kShadow);
        c.FillRect(static_cast<int>(W * 0.12), static_cast<int>(H * 0.4), static_cast<int>(W * 0.76), static_cast<int>(H * 0.5), kShadow);
        c.FillRect(static_cast<int>(W * 0.08), static_cast<int>(H * 0.88), static_cast<int>(W * 0.84), std::max(1, h / 12), kWhite);
        if (variant % 2 == 1) c.ShadedEllipse(W / 2, H * 0.72, W * 0.12, H * 0.14, {kDarkRed, kRed, kOrange});
        break;
    case WallOrnateKind::Window:
    case WallOrnateKind::ArrowSlit:
        c.FillRect(0, 0, w, h, kGrey);
        c.ShadedRect(2, 2, w - 4, h - 4, {kLightBlue, kDarkBlue, kShadow}, true);
        if (kind == WallOrnateKind::Window)
            for (int i = 1; i < 4; ++i) c.FillRect(i * w / 4 - 1, 2, 2, h - 4, kDarkGrey);
        break;
    case WallOrnateKind::Crack:
        c.Line(w / 2, 0, w / 3, h / 3, kShadow, 2);
        c.Line(w / 3, h / 3, w * 2 / 3, h * 2 / 3, kShadow, 2);
        c.Line(w * 2 / 3, h * 2 / 3, w / 2, h - 1, kShadow, 2);
        c.Line(w / 3, h / 3, 0, h / 2, kShadow);
        c.Line(w * 2 / 3, h * 2 / 3, w - 1, h / 2, kShadow);
        break;
    case WallOrnateKind::Chain:
        for (int y = 0; y < h; y += std::max(4, w)) {
            const bool across = (y / std::max(4, w)) % 2 == 0;
            c.FillEllipse(W / 2, y + std::max(4, w) / 2.0, across ? W * 0.45 : W * 0.2, std::max(4, w) * 0.6, kGrey);
            c.FillEllipse(W / 2, y + std::max(4, w) / 2.0, across ? W * 0.2 : W * 0.05, std::max(4, w) * 0.3, kBlack);
        }
        break;
    case WallOrnateKind::Rune:
        c.FillEllipse(W / 2, H / 2, W * 0.48, H * 0.48, VariantDark(variant));
        c.FillEllipse(W / 2, H / 2, W * 0.4, H * 0.4, kBlack);
        c.Line(w / 2, h / 6, w / 2, h * 5 / 6, VariantColour(variant), std::max(1, w / 12));
        c.Line(w / 4, h / 3, w * 3 / 4, h * 2 / 3, VariantColour(variant), std::max(1, w / 12));
        c.Line(w * 3 / 4, h / 3, w / 2, h / 2, VariantColour(variant), std::max(1, w / 12));
        break;
    case WallOrnateKind::Painting:
    case WallOrnateKind::Mirror:
        c.ShadedRect(0, 0, w, h, kGold);
        if (kind == WallOrnateKind::Painting) {
            c.ShadedRect(3, 3, w - 6, h - 6, {kDarkBlue, kLightBlue}, true);
            c.FillPolygon({{3.0, H - 3}, {W * 0.35, H * 0.45}, {W * 0.6, H * 0.7}, {W * 0.75, H * 0.5}, {W - 3, H - 3}}, kDarkGreen);
            c.FillEllipse(W * 0.72, H * 0.28, W * 0.08, W * 0.08, kYellow);
        } else {
            c.FillEllipse(W / 2, H / 2, W * 0.4, H * 0.42, kDarkBlue);
            c.FillEllipse(W / 2, H / 2, W * 0.34, H * 0.36, kLightBlue);
            c.Line(static_cast<int>(W * 0.3), static_cast<int>(H * 0.35), static_cast<int>(W * 0.45), static_cast<int>(H * 0.2), kWhite);
        }
        break;
    case WallOrnateKind::Fountain:
        c.ShadedEllipse(W / 2, H * 0.3, W * 0.4, H * 0.28, {kDarkGrey, kTan, kYellow});
        c.FillEllipse(W * 0.36, H * 0.25, W * 0.06, W * 0.06, kBlack);
        c.FillEllipse(W * 0.64, H * 0.25, W * 0.06, W * 0.06, kBlack);
        c.FillEllipse(W / 2, H * 0.45, W * 0.1, H * 0.06, kBlack);
        c.FillRect(static_cast<int>(W * 0.45), static_cast<int>(H * 0.45), std::max(1, static_cast<int>(W * 0.1)), static_cast<int>(H * 0.4), kLightBlue);
        c.ShadedRect(static_cast<int>(W * 0.1), static_cast<int>(H * 0.82), static_cast<int>(W * 0.8), static_cast<int>(H * 0.16), kStone);
        break;
    case WallOrnateKind::Moss:
        for (int i = 0; i < 40; ++i) {
            const double x = W * (0.5 + 0.45 * std::sin(i * 2.3));
            const double y = H * (0.5 + 0.45 * std::cos(i * 1.7));
            c.FillEllipse(x, y, W * 0.08, H * 0.06, i % 3 == 0 ? kGreen : kDarkGreen);
        }
        break;
    case WallOrnateKind::Candle:
        c.ShadedRect(static_cast<int>(W * 0.25), static_cast<int>(H * 0.4), static_cast<int>(W * 0.5), static_cast<int>(H * 0.55), {kTan, kWhite});
        c.FillRect(0, h - 2, w, 2, kDarkGrey);
        Flame(c, W / 2, H * 0.4, W * 0.6, H * 0.38);
        break;
    case WallOrnateKind::Tablet:
    case WallOrnateKind::Plaque: {
        c.ShadedRect(0, 0, w, h, kind == WallOrnateKind::Tablet ? kStone : kGold);
        c.FrameRect(0, 0, w, h, kShadow);
        const char* words[] = {"REST", "EXIT", "BEWARE", "VAULT", "NORTH", "KEEP OUT"};
        const char* word = words[variant % 6];
        if (Canvas::TextWidth(word) <= w - 4) {
            c.Text((w - Canvas::TextWidth(word)) / 2, (h - 7) / 2, word, kBlack);
        } else {
            for (int y = 4; y + 2 < h; y += 4) c.FillRect(3, y, w - 6 - (y * 7) % 9, 1, kShadow);
        }
        break;
    }
    case WallOrnateKind::SwitchPanel:
        c.ShadedRect(0, 0, w, h, kMetal);
        c.FrameRect(0, 0, w, h, kShadow);
        for (int i = 0; i < 3; ++i)
            c.FillEllipse(W / 2, H * (0.22 + i * 0.28), W * 0.2, W * 0.2, i == variant % 3 ? kRed : kDarkRed);
        break;
    }
}

// The view from the side: the front squeezed to half its width and shrinking in height towards
// the far edge, as a flat thing on a wall looks when passed at an angle.
Canvas SideView(WallOrnateKind kind, int variant, int width, int height) {
    Canvas front(width * 2, height);
    DrawFront(front, kind, variant);
    Canvas side(width, height);
    for (int x = 0; x < width; ++x) {
        const double scale = 1.0 - 0.2 * x / std::max(1, width);
        for (int y = 0; y < height; ++y) {
            const double sy = (y - height / 2.0) / scale + height / 2.0;
            if (sy < 0 || sy >= height) continue;
            side.Set(x, y, front.At(2 * x, static_cast<int>(sy)));
        }
    }
    return side;
}

}  // namespace

Canvas DrawWallOrnate(WallOrnateKind kind, int variant, int picture, int width, int height) {
    if (picture == 1) return SideView(kind, variant, width, height);
    Canvas canvas(width, height);
    DrawFront(canvas, kind, variant);
    return canvas;
}

Canvas DrawFloorOrnate(FloorOrnateKind kind, int group, int picture, int width, int height) {
    Canvas c(width, height);
    const double W = width;
    const double H = height;
    // Picture 1 lies off to the side: the shape leans towards the far edge.
    const double lean = picture == 1 ? 0.12 : 0.0;
    auto X = [&](double fx, double fy) { return W * (fx + lean * (1.0 - fy)); };
    switch (kind) {
    case FloorOrnateKind::Puddle:
        c.FillEllipse(X(0.5, 0.5), H * 0.5, W * 0.44, H * 0.42, kDarkBlue);
        c.FillEllipse(X(0.45, 0.4), H * 0.42, W * 0.28, H * 0.22, kLightBlue);
        c.FillEllipse(X(0.4, 0.35), H * 0.35, W * 0.08, H * 0.08, kWhite);
        break;
    case FloorOrnateKind::Moss:
        for (int i = 0; i < 30; ++i) {
            const double fx = 0.5 + 0.42 * std::sin(i * 2.1);
            const double fy = 0.5 + 0.4 * std::cos(i * 1.3);
            c.FillEllipse(X(fx, fy), H * fy, W * 0.07, H * 0.14, i % 3 ? kDarkGreen : kGreen);
        }
        break;
    case FloorOrnateKind::Footprints:
        for (int i = 0; i < 4; ++i) {
            const double fy = 0.85 - i * 0.22;
            const double fx = 0.3 + (i % 2) * 0.3 + i * 0.05;
            c.FillEllipse(X(fx, fy), H * fy, W * 0.07, H * 0.1, kDarkBrown);
            c.FillEllipse(X(fx, fy - 0.1), H * (fy - 0.1), W * 0.05, H * 0.06, kDarkBrown);
        }
        break;
    case FloorOrnateKind::PressurePlate:
        c.FillPolygon({{X(0.15, 0.1), H * 0.1}, {X(0.85, 0.1), H * 0.1}, {X(0.98, 0.95), H * 0.95},
                       {X(0.02, 0.95), H * 0.95}}, kGrey);
        c.FillPolygon({{X(0.22, 0.25), H * 0.25}, {X(0.78, 0.25), H * 0.25}, {X(0.88, 0.8), H * 0.8},
                       {X(0.12, 0.8), H * 0.8}}, kDarkGrey);
        break;
    case FloorOrnateKind::RuneCircle:
        c.FillEllipse(X(0.5, 0.5), H * 0.5, W * 0.47, H * 0.46, kLightBlue);
        c.FillEllipse(X(0.5, 0.5), H * 0.5, W * 0.4, H * 0.36, kBlack);
        c.FillPolygon({{X(0.5, 0.2), H * 0.2}, {X(0.72, 0.75), H * 0.75}, {X(0.28, 0.75), H * 0.75}}, kDarkBlue);
        c.FillEllipse(X(0.5, 0.55), H * 0.55, W * 0.06, H * 0.12, kLightBlue);
        break;
    case FloorOrnateKind::Bones:
        for (int i = 0; i < 3; ++i) {
            const double fy = 0.3 + i * 0.25;
            c.Line(static_cast<int>(X(0.2 + i * 0.1, fy)), static_cast<int>(H * fy), static_cast<int>(X(0.75 - i * 0.05, fy + 0.1)),
                   static_cast<int>(H * (fy + 0.1)), kWhite, std::max(1, height / 8));
        }
        c.ShadedEllipse(X(0.75, 0.4), H * 0.4, W * 0.12, H * 0.3, {kDarkGrey, kTan, kWhite});
        break;
    case FloorOrnateKind::Drain:
        c.FillEllipse(X(0.5, 0.5), H * 0.5, W * 0.4, H * 0.44, kGrey);
        c.FillEllipse(X(0.5, 0.5), H * 0.5, W * 0.32, H * 0.34, kShadow);
        for (int i = 1; i < 4; ++i) c.FillRect(static_cast<int>(X(0.2 + i * 0.15, 0.5)), static_cast<int>(H * 0.2), 1, static_cast<int>(H * 0.6) + 1, kDarkGrey);
        break;
    case FloorOrnateKind::Weeds:
        for (int i = 0; i < 7; ++i) {
            const double fx = 0.1 + i * 0.13;
            c.Line(static_cast<int>(X(fx, 0.95)), static_cast<int>(H * 0.95), static_cast<int>(X(fx + 0.05 * std::sin(i * 3.0), 0.1)),
                   static_cast<int>(H * (0.1 + 0.3 * (i % 2))), i % 2 ? kGreen : kDarkGreen);
        }
        c.FillEllipse(X(0.45, 0.2), H * 0.2, W * 0.05, H * 0.14, kYellow);
        break;
    case FloorOrnateKind::Coins:
        for (int i = 0; i < 6; ++i) {
            const double fx = 0.2 + 0.12 * i;
            const double fy = 0.3 + 0.4 * ((i * 5) % 3) / 2.0;
            c.ShadedEllipse(X(fx, fy), H * fy, W * 0.08, H * 0.18, kGold);
        }
        break;
    }
    // Groups further away are drawn in darker colours.
    if (group == 2) {
        c.Recolour(kWhite, kGrey);
        c.Recolour(kLightBlue, kDarkBlue);
        c.Recolour(kYellow, kOrange);
    }
    return c;
}

}  // namespace sample
