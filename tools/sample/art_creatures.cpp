// Creature pictures: a front, side, back and attack view of each kind, scaled to the sizes the
// creature table gives.
#include "tools/sample/art.h"

#include <algorithm>
#include <cmath>

namespace sample {

namespace {

struct Look {
    Ramp body;
    std::uint8_t accent;
    std::uint8_t eye;
};

// Colourings per kind: variant 0 is the usual one.
Look LookOf(CreatureKind kind, int variant) {
    const int v = variant % 3;
    switch (kind) {
    case CreatureKind::Slime:
        return v == 0 ? Look{{kDarkGreen, kGreen, kYellow}, kDarkGreen, kWhite}
             : v == 1 ? Look{{kDarkBlue, kLightBlue, kWhite}, kDarkBlue, kYellow}
                      : Look{{kDarkRed, kRed, kOrange}, kDarkRed, kYellow};
    case CreatureKind::Bat:
        return v == 0 ? Look{{kDarkBrown, kBrown, kTan}, kDarkBrown, kRed}
                      : Look{{kDarkGrey, kGrey, kWhite}, kDarkGrey, kYellow};
    case CreatureKind::Skeleton:
        return v == 0 ? Look{{kDarkGrey, kGrey, kWhite}, kGrey, kRed}
                      : Look{{kDarkBrown, kTan, kWhite}, kTan, kLightBlue};
    case CreatureKind::Ghost:
        return v == 0 ? Look{{kDarkBlue, kLightBlue, kWhite}, kLightBlue, kDarkBlue}
                      : Look{{kDarkGreen, kGreen, kWhite}, kGreen, kDarkGreen};
    case CreatureKind::Spider:
        return v == 0 ? Look{{kShadow, kDarkGrey, kGrey}, kDarkRed, kRed}
                      : Look{{kDarkBrown, kBrown, kTan}, kDarkBrown, kGreen};
    case CreatureKind::Worm:
        return v == 0 ? Look{{kDarkBrown, kBrown, kTan}, kDarkRed, kYellow}
                      : Look{{kDarkGreen, kGreen, kYellow}, kDarkGreen, kRed};
    case CreatureKind::Eye:
        return v == 0 ? Look{{kDarkRed, kRed, kOrange}, kDarkRed, kGreen}
                      : Look{{kDarkBlue, kLightBlue, kWhite}, kDarkBlue, kRed};
    case CreatureKind::Golem:
        return v == 0 ? Look{{kShadow, kDarkGrey, kGrey, kWhite}, kOrange, kYellow}
                      : Look{{kDarkBrown, kBrown, kTan}, kDarkGreen, kLightBlue};
    case CreatureKind::Knight:
        return v == 0 ? Look{{kDarkGrey, kGrey, kWhite}, kRed, kYellow}
                      : Look{{kShadow, kDarkGrey, kGrey}, kDarkBlue, kRed};
    case CreatureKind::Dragon:
        return v == 0 ? Look{{kDarkRed, kRed, kOrange}, kYellow, kYellow}
                      : Look{{kDarkGreen, kGreen, kYellow}, kTan, kRed};
    case CreatureKind::Rat:
        return Look{{kShadow, kDarkGrey, kGrey}, kTan, kRed};
    case CreatureKind::Mushroom:
        return v == 0 ? Look{{kDarkRed, kRed, kOrange}, kTan, kBlack}
                      : Look{{kDarkBlue, kLightBlue, kWhite}, kTan, kBlack};
    case CreatureKind::Wizard:
        return v == 0 ? Look{{kDarkBlue, kLightBlue}, kYellow, kYellow}
                      : Look{{kDarkRed, kRed}, kGreen, kGreen};
    case CreatureKind::Scorpion:
        return v == 0 ? Look{{kDarkBrown, kBrown, kTan}, kDarkRed, kRed}
                      : Look{{kShadow, kDarkGrey, kGrey}, kDarkBlue, kYellow};
    case CreatureKind::Plant:
        return Look{{kDarkGreen, kGreen, kYellow}, kRed, kWhite};
    case CreatureKind::Mummy:
        return v == 0 ? Look{{kDarkBrown, kTan, kWhite}, kBrown, kRed}
                      : Look{{kDarkGrey, kGrey, kWhite}, kDarkGrey, kGreen};
    }
    return Look{{kDarkGrey, kGrey, kWhite}, kRed, kWhite};
}

// Coordinates as fractions of the picture.
struct Frame {
    double w, h;
    double X(double f) const { return f * w; }
    double Y(double f) const { return f * h; }
    int Xi(double f) const { return static_cast<int>(std::lround(f * w)); }
    int Yi(double f) const { return static_cast<int>(std::lround(f * h)); }
};

// Two eyes facing the viewer, or one shifted to the facing side.
void Eyes(Canvas& c, const Frame& f, double cx, double cy, double spread, double r,
          std::uint8_t white, std::uint8_t pupil, CreatureView view) {
    if (view == CreatureView::Back) return;
    const double rx = std::max(1.0, f.X(r));
    const double ry = std::max(1.0, f.Y(r) * f.w / f.h * 1.1);
    auto eye = [&](double x) {
        c.FillEllipse(f.X(x), f.Y(cy), rx, ry, white);
        if (rx >= 2.0) c.FillEllipse(f.X(x) + rx * 0.25, f.Y(cy), rx * 0.5, ry * 0.5, pupil);
    };
    if (view == CreatureView::Side) {
        eye(cx + spread * 1.3);
    } else {
        eye(cx - spread);
        eye(cx + spread);
    }
}

void Slime(Canvas& c, const Frame& f, const Look& look, CreatureView view) {
    const bool attack = view == CreatureView::Attack;
    const double top = attack ? 0.08 : 0.28;
    c.ShadedEllipse(f.X(0.5), f.Y((top + 0.98) / 2), f.X(view == CreatureView::Side ? 0.44 : 0.47),
                    f.Y((0.98 - top) / 2), look.body);
    c.FillRect(f.Xi(0.12), f.Yi(0.92), f.Xi(0.76), f.Yi(0.06), look.accent);
    // Drips along the base.
    for (double x : {0.2, 0.45, 0.7}) c.FillEllipse(f.X(x), f.Y(0.95), f.X(0.05), f.Y(0.04), look.body[1]);
    Eyes(c, f, 0.5, top + 0.22, 0.13, 0.08, look.eye, kBlack, view);
    if (view == CreatureView::Back) {
        c.FillEllipse(f.X(0.36), f.Y(top + 0.18), f.X(0.08), f.Y(0.05), look.body.back());
    } else if (attack) {
        c.FillEllipse(f.X(0.5), f.Y(0.66), f.X(0.2), f.Y(0.14), kBlack);
        c.FillEllipse(f.X(0.5), f.Y(0.72), f.X(0.12), f.Y(0.06), kRed);
    } else {
        const double mx = view == CreatureView::Side ? 0.68 : 0.5;
        c.Line(f.Xi(mx - 0.12), f.Yi(top + 0.4), f.Xi(mx + 0.12), f.Yi(top + 0.4), kBlack);
    }
}

void Bat(Canvas& c, const Frame& f, const Look& look, CreatureView view) {
    const bool attack = view == CreatureView::Attack;
    const double wingTip = attack ? 0.05 : 0.3;
    const std::uint8_t wing = look.body[1];
    if (view == CreatureView::Side) {
        c.FillPolygon({{f.X(0.45), f.Y(0.4)}, {f.X(0.1), f.Y(0.1)}, {f.X(0.05), f.Y(0.65)},
                       {f.X(0.25), f.Y(0.55)}, {f.X(0.35), f.Y(0.7)}}, wing);
    } else {
        for (int side = -1; side <= 1; side += 2) {
            auto X = [&](double d) { return f.X(0.5 + side * d); };
            c.FillPolygon({{X(0.08), f.Y(0.35)}, {X(0.48), f.Y(wingTip)}, {X(0.47), f.Y(0.62)},
                           {X(0.38), f.Y(0.52)}, {X(0.3), f.Y(0.66)}, {X(0.2), f.Y(0.55)},
                           {X(0.1), f.Y(0.68)}}, wing);
            c.Line(static_cast<int>(X(0.08)), f.Yi(0.35), static_cast<int>(X(0.47)), f.Yi(wingTip + 0.02),
                   look.body[0]);
        }
    }
    const double bx = view == CreatureView::Side ? 0.55 : 0.5;
    c.ShadedEllipse(f.X(bx), f.Y(0.5), f.X(0.12), f.Y(0.22), look.body);
    c.ShadedEllipse(f.X(bx), f.Y(0.3), f.X(0.1), f.Y(0.1), look.body);
    c.FillPolygon({{f.X(bx - 0.09), f.Y(0.26)}, {f.X(bx - 0.07), f.Y(0.1)}, {f.X(bx - 0.02), f.Y(0.22)}}, look.body[1]);
    c.FillPolygon({{f.X(bx + 0.09), f.Y(0.26)}, {f.X(bx + 0.07), f.Y(0.1)}, {f.X(bx + 0.02), f.Y(0.22)}}, look.body[1]);
    Eyes(c, f, bx, 0.29, 0.04, 0.025, look.eye, look.eye, view);
    if (attack) {
        c.FillRect(f.Xi(bx - 0.03), f.Yi(0.35), 1, std::max(1, f.Yi(0.04)), kWhite);
        c.FillRect(f.Xi(bx + 0.02), f.Yi(0.35), 1, std::max(1, f.Yi(0.04)), kWhite);
    }
}

void Skeleton(Canvas& c, const Frame& f, const Look& look, CreatureView view) {
    const std::uint8_t bone = look.body[1];
    const std::uint8_t light = look.body.back();
    const bool side = view == CreatureView::Side;
    const double cx = side ? 0.52 : 0.5;
    const int t = std::max(1, f.Xi(0.05));
    // Legs and arms.
    c.Line(f.Xi(cx - 0.08), f.Yi(0.62), f.Xi(cx - 0.12), f.Yi(0.98), bone, t);
    c.Line(f.Xi(cx + 0.08), f.Yi(0.62), f.Xi(cx + 0.12), f.Yi(0.98), bone, t);
    if (view == CreatureView::Attack) {
        c.Line(f.Xi(cx + 0.2), f.Yi(0.3), f.Xi(cx + 0.36), f.Yi(0.12), bone, t);
        c.Line(f.Xi(cx + 0.36), f.Yi(0.14), f.Xi(cx + 0.44), f.Yi(0.0), kGrey, t + 1);
        c.Line(f.Xi(cx - 0.2), f.Yi(0.3), f.Xi(cx - 0.3), f.Yi(0.55), bone, t);
    } else if (!side) {
        c.Line(f.Xi(cx - 0.2), f.Yi(0.3), f.Xi(cx - 0.26), f.Yi(0.6), bone, t);
        c.Line(f.Xi(cx + 0.2), f.Yi(0.3), f.Xi(cx + 0.26), f.Yi(0.6), bone, t);
    } else {
        c.Line(f.Xi(cx), f.Yi(0.3), f.Xi(cx + 0.12), f.Yi(0.58), bone, t);
    }
    // Spine, ribs, pelvis.
    c.Line(f.Xi(cx), f.Yi(0.22), f.Xi(cx), f.Yi(0.6), bone, t);
    const double ribWidth = side ? 0.1 : 0.18;
    for (int r = 0; r < 4; ++r) {
        const double y = 0.3 + r * 0.065;
        c.Line(f.Xi(cx - ribWidth + r * 0.02), f.Yi(y), f.Xi(cx + ribWidth - r * 0.02), f.Yi(y), light,
               std::max(1, f.Yi(0.02)));
    }
    c.ShadedEllipse(f.X(cx), f.Y(0.62), f.X(side ? 0.08 : 0.14), f.Y(0.05), look.body);
    // Skull.
    c.ShadedEllipse(f.X(cx + (side ? 0.04 : 0.0)), f.Y(0.12), f.X(0.16), f.Y(0.11), look.body);
    c.FillRect(f.Xi(cx - 0.07 + (side ? 0.08 : 0.0)), f.Yi(0.2), f.Xi(0.14), f.Yi(0.05), bone);
    if (view != CreatureView::Back) {
        Eyes(c, f, cx + (side ? 0.04 : 0.0), 0.11, 0.065, 0.045, kBlack, look.eye, view);
        c.FillRect(f.Xi(cx - 0.05 + (side ? 0.1 : 0.0)), f.Yi(0.21), f.Xi(0.1), 1, kBlack);
    }
}

void Ghost(Canvas& c, const Frame& f, const Look& look, CreatureView view) {
    const bool attack = view == CreatureView::Attack;
    std::vector<std::pair<double, double>> sheet = {{f.X(0.15), f.Y(0.35)}, {f.X(0.85), f.Y(0.35)}};
    for (int i = 0; i <= 8; ++i) {
        const double x = 0.85 - i * 0.7 / 8;
        sheet.push_back({f.X(x), f.Y(i % 2 == 0 ? 0.98 : 0.86)});
    }
    c.FillPolygon(sheet, look.body[1]);
    c.ShadedEllipse(f.X(0.5), f.Y(0.35), f.X(0.35), f.Y(0.3), look.body);
    c.ShadedRect(f.Xi(0.15), f.Yi(0.35), f.Xi(0.7), f.Yi(0.5), look.body);
    if (attack) {
        c.FillPolygon({{f.X(0.2), f.Y(0.45)}, {f.X(0.0), f.Y(0.3)}, {f.X(0.05), f.Y(0.5)}}, look.body[1]);
        c.FillPolygon({{f.X(0.8), f.Y(0.45)}, {f.X(1.0), f.Y(0.3)}, {f.X(0.95), f.Y(0.5)}}, look.body[1]);
    }
    Eyes(c, f, 0.5, 0.32, 0.12, 0.07, look.eye, look.eye, view);
    if (view != CreatureView::Back) {
        const double mx = view == CreatureView::Side ? 0.66 : 0.5;
        c.FillEllipse(f.X(mx), f.Y(0.5), f.X(attack ? 0.1 : 0.05), f.Y(attack ? 0.1 : 0.05), look.eye);
    }
}

void Spider(Canvas& c, const Frame& f, const Look& look, CreatureView view) {
    const bool attack = view == CreatureView::Attack;
    const int t = std::max(1, f.Xi(0.03));
    for (int side = -1; side <= 1; side += 2) {
        if (view == CreatureView::Side && side < 0) continue;
        for (int leg = 0; leg < 4; ++leg) {
            const double y = 0.45 + leg * 0.08;
            const double kneeX = 0.5 + side * (0.25 + leg * 0.03);
            const double kneeY = (attack && leg == 0) ? 0.05 : y - 0.22;
            const double footX = 0.5 + side * (0.45 - leg * 0.02);
            const double footY = (attack && leg == 0) ? 0.2 : 0.95;
            c.Line(f.Xi(0.5 + side * 0.1), f.Yi(y), f.Xi(kneeX), f.Yi(kneeY), look.body[1], t);
            c.Line(f.Xi(kneeX), f.Yi(kneeY), f.Xi(footX), f.Yi(footY), look.body[1], t);
        }
    }
    c.ShadedEllipse(f.X(0.5), f.Y(0.42), f.X(0.24), f.Y(0.2), look.body);
    c.ShadedEllipse(f.X(0.5), f.Y(0.62), f.X(0.14), f.Y(0.12), look.body);
    if (view == CreatureView::Back) {
        c.FillEllipse(f.X(0.5), f.Y(0.4), f.X(0.08), f.Y(0.1), look.accent);
        return;
    }
    for (int i = 0; i < 4; ++i)
        c.FillEllipse(f.X(0.42 + i * 0.055), f.Y(0.6 - (i % 3 == 0 ? 0 : 0.04)), f.X(0.025), f.Y(0.025), look.eye);
    c.Line(f.Xi(0.45), f.Yi(0.7), f.Xi(0.43), f.Yi(0.78), kWhite);
    c.Line(f.Xi(0.55), f.Yi(0.7), f.Xi(0.57), f.Yi(0.78), kWhite);
}

void Worm(Canvas& c, const Frame& f, const Look& look, CreatureView view) {
    const bool attack = view == CreatureView::Attack;
    const int segments = 6;
    for (int i = 0; i < segments; ++i) {
        const double t = static_cast<double>(i) / (segments - 1);
        const double sway = view == CreatureView::Side ? 0.15 * std::sin(t * 3.0) : 0.06 * std::sin(t * 5.0);
        const double y = 0.9 - t * (attack ? 0.72 : 0.62);
        c.ShadedEllipse(f.X(0.5 + sway), f.Y(y), f.X(0.3 - t * 0.06), f.Y(0.1), look.body);
        c.Line(f.Xi(0.3 + sway), f.Yi(y + 0.02), f.Xi(0.7 + sway), f.Yi(y + 0.02), look.body[0]);
    }
    if (view == CreatureView::Back) return;
    const double headY = attack ? 0.18 : 0.28;
    const double open = attack ? 0.13 : 0.06;
    const double hx = view == CreatureView::Side ? 0.58 : 0.5;
    c.FillEllipse(f.X(hx), f.Y(headY), f.X(0.18), f.Y(open), kBlack);
    c.FillEllipse(f.X(hx), f.Y(headY), f.X(0.1), f.Y(open * 0.5), look.accent);
    for (int i = 0; i < 5; ++i) c.Set(f.Xi(hx - 0.14 + i * 0.07), f.Yi(headY - open + 0.02), kWhite);
}

void Eye(Canvas& c, const Frame& f, const Look& look, CreatureView view) {
    const bool attack = view == CreatureView::Attack;
    for (int i = 0; i < 5; ++i) {
        const double x = 0.25 + i * 0.125;
        c.Line(f.Xi(x), f.Yi(0.7), f.Xi(x + 0.05 * std::sin(i * 2.0)), f.Yi(0.98), look.body[1],
               std::max(1, f.Xi(0.04)));
    }
    c.ShadedEllipse(f.X(0.5), f.Y(0.45), f.X(0.42), f.Y(0.38), look.body);
    if (view == CreatureView::Back) return;
    const double ex = view == CreatureView::Side ? 0.66 : 0.5;
    const double erx = view == CreatureView::Side ? 0.16 : 0.27;
    c.FillEllipse(f.X(ex), f.Y(0.45), f.X(erx), f.Y(0.2), kWhite);
    c.FillEllipse(f.X(ex), f.Y(0.45), f.X(erx * 0.5), f.Y(0.14), attack ? std::uint8_t{kRed} : look.eye);
    c.FillEllipse(f.X(ex), f.Y(0.45), f.X(erx * 0.2), f.Y(0.07), kBlack);
    c.Line(f.Xi(ex - erx), f.Yi(0.3), f.Xi(ex + erx), f.Yi(0.3), look.body[0]);
    if (attack)
        for (int i = 1; i < 4; ++i) c.Line(f.Xi(ex), f.Yi(0.45), f.Xi(ex - 0.3 + i * 0.15), f.Yi(0.0), kYellow);
}

void Golem(Canvas& c, const Frame& f, const Look& look, CreatureView view) {
    const bool attack = view == CreatureView::Attack;
    const bool side = view == CreatureView::Side;
    const double bodyW = side ? 0.4 : 0.56;
    const double bx = 0.5 - bodyW / 2;
    c.ShadedRect(f.Xi(0.3), f.Yi(0.7), f.Xi(0.14), f.Yi(0.3), look.body);
    c.ShadedRect(f.Xi(0.56), f.Yi(0.7), f.Xi(0.14), f.Yi(0.3), look.body);
    c.ShadedRect(f.Xi(bx), f.Yi(0.25), f.Xi(bodyW), f.Yi(0.47), look.body);
    c.ShadedRect(f.Xi(0.36), f.Yi(0.05), f.Xi(0.28), f.Yi(0.2), look.body);
    if (!side) {
        const double armY = attack ? 0.02 : 0.28;
        c.ShadedRect(f.Xi(0.02), f.Yi(armY), f.Xi(0.18), f.Yi(0.42), look.body);
        c.ShadedRect(f.Xi(0.8), f.Yi(armY), f.Xi(0.18), f.Yi(0.42), look.body);
    } else {
        c.ShadedRect(f.Xi(0.45), f.Yi(0.3), f.Xi(0.16), f.Yi(0.4), look.body);
    }
    // Cracks and the glowing core.
    c.Line(f.Xi(bx + 0.1), f.Yi(0.3), f.Xi(bx + 0.2), f.Yi(0.45), kBlack);
    c.Line(f.Xi(bx + 0.2), f.Yi(0.45), f.Xi(bx + 0.15), f.Yi(0.6), kBlack);
    if (view != CreatureView::Back) {
        c.FillEllipse(f.X(0.5), f.Y(0.45), f.X(0.07), f.Y(0.06), look.accent);
        Eyes(c, f, side ? 0.46 : 0.5, 0.14, 0.06, 0.035, look.eye, look.eye, view);
    }
}

void Knight(Canvas& c, const Frame& f, const Look& look, CreatureView view) {
    const bool side = view == CreatureView::Side;
    const bool attack = view == CreatureView::Attack;
    c.ShadedRect(f.Xi(0.33), f.Yi(0.62), f.Xi(0.14), f.Yi(0.38), look.body);
    c.ShadedRect(f.Xi(0.53), f.Yi(0.62), f.Xi(0.14), f.Yi(0.38), look.body);
    c.ShadedEllipse(f.X(0.5), f.Y(0.45), f.X(side ? 0.16 : 0.24), f.Y(0.22), look.body);
    c.FillRect(f.Xi(0.3), f.Yi(0.6), f.Xi(0.4), f.Yi(0.05), look.accent);
    // Helmet with a visor slit and a plume.
    c.ShadedEllipse(f.X(0.5), f.Y(0.15), f.X(0.14), f.Y(0.13), look.body);
    c.FillPolygon({{f.X(0.47), f.Y(0.03)}, {f.X(0.53), f.Y(0.03)}, {f.X(side ? 0.3 : 0.5), f.Y(0.0)}}, look.accent);
    c.FillRect(f.Xi(0.45), f.Yi(0.0), f.Xi(0.1), f.Yi(0.04), look.accent);
    if (view != CreatureView::Back) {
        const double vx = side ? 0.54 : 0.38;
        c.FillRect(f.Xi(vx), f.Yi(0.14), f.Xi(side ? 0.1 : 0.24), std::max(1, f.Yi(0.025)), kBlack);
        c.Set(f.Xi(vx + 0.05), f.Yi(0.145), look.eye);
    }
    // Sword and shield.
    if (attack) {
        c.Line(f.Xi(0.72), f.Yi(0.35), f.Xi(0.95), f.Yi(0.02), kWhite, std::max(1, f.Xi(0.04)));
        c.FillRect(f.Xi(0.66), f.Yi(0.33), f.Xi(0.14), std::max(1, f.Yi(0.03)), kYellow);
    } else if (view != CreatureView::Back) {
        c.Line(f.Xi(0.82), f.Yi(0.2), f.Xi(0.82), f.Yi(0.75), kWhite, std::max(1, f.Xi(0.04)));
        c.FillRect(f.Xi(0.74), f.Yi(0.55), f.Xi(0.16), std::max(1, f.Yi(0.03)), kYellow);
    }
    if (!side) {
        c.FillPolygon({{f.X(0.04), f.Y(0.32)}, {f.X(0.3), f.Y(0.32)}, {f.X(0.3), f.Y(0.58)},
                       {f.X(0.17), f.Y(0.7)}, {f.X(0.04), f.Y(0.58)}}, look.accent);
        c.FillRect(f.Xi(0.155), f.Yi(0.36), std::max(1, f.Xi(0.03)), f.Yi(0.28), kYellow);
    }
}

void Dragon(Canvas& c, const Frame& f, const Look& look, CreatureView view) {
    const bool attack = view == CreatureView::Attack;
    const bool side = view == CreatureView::Side;
    for (int s = -1; s <= 1; s += 2) {
        if (side && s < 0) continue;
        auto X = [&](double d) { return f.X(0.5 + s * d); };
        c.FillPolygon({{X(0.1), f.Y(0.45)}, {X(0.48), f.Y(0.1)}, {X(0.44), f.Y(0.55)}, {X(0.3), f.Y(0.5)},
                       {X(0.2), f.Y(0.6)}}, look.body[0]);
    }
    c.ShadedEllipse(f.X(0.5), f.Y(0.66), f.X(0.24), f.Y(0.26), look.body);
    c.FillEllipse(f.X(0.5), f.Y(0.7), f.X(0.12), f.Y(0.18), look.accent);
    c.ShadedRect(f.Xi(0.44), f.Yi(0.28), f.Xi(0.12), f.Yi(0.2), look.body);
    const double hx = side ? 0.6 : 0.5;
    c.ShadedEllipse(f.X(hx), f.Y(0.24), f.X(0.15), f.Y(0.12), look.body);
    c.FillPolygon({{f.X(hx - 0.1), f.Y(0.16)}, {f.X(hx - 0.16), f.Y(0.0)}, {f.X(hx - 0.04), f.Y(0.13)}}, look.accent);
    c.FillPolygon({{f.X(hx + 0.1), f.Y(0.16)}, {f.X(hx + 0.16), f.Y(0.0)}, {f.X(hx + 0.04), f.Y(0.13)}}, look.accent);
    Eyes(c, f, hx, 0.21, 0.06, 0.03, look.eye, kBlack, view);
    if (attack) {
        c.FillEllipse(f.X(hx), f.Y(0.33), f.X(0.07), f.Y(0.05), kBlack);
        c.FillPolygon({{f.X(hx - 0.05), f.Y(0.36)}, {f.X(hx + 0.05), f.Y(0.36)}, {f.X(hx + 0.3), f.Y(0.6)},
                       {f.X(hx - 0.3), f.Y(0.6)}}, kOrange);
        c.FillPolygon({{f.X(hx - 0.03), f.Y(0.37)}, {f.X(hx + 0.03), f.Y(0.37)}, {f.X(hx + 0.15), f.Y(0.55)},
                       {f.X(hx - 0.15), f.Y(0.55)}}, kYellow);
    }
}

void Rat(Canvas& c, const Frame& f, const Look& look, CreatureView view) {
    const bool side = view == CreatureView::Side;
    c.Line(f.Xi(0.5), f.Yi(0.9), f.Xi(side ? 0.02 : 0.9), f.Yi(side ? 0.7 : 0.6), look.accent, std::max(1, f.Xi(0.03)));
    c.ShadedEllipse(f.X(0.5), f.Y(0.65), f.X(side ? 0.4 : 0.32), f.Y(0.3), look.body);
    const double hx = side ? 0.72 : 0.5;
    c.ShadedEllipse(f.X(hx), f.Y(view == CreatureView::Attack ? 0.3 : 0.4), f.X(0.2), f.Y(0.18), look.body);
    const double hy = view == CreatureView::Attack ? 0.3 : 0.4;
    c.FillEllipse(f.X(hx - 0.15), f.Y(hy - 0.17), f.X(0.09), f.Y(0.09), look.accent);
    c.FillEllipse(f.X(hx + 0.15), f.Y(hy - 0.17), f.X(0.09), f.Y(0.09), look.accent);
    if (view == CreatureView::Back) return;
    Eyes(c, f, hx, hy - 0.03, 0.07, 0.03, look.eye, look.eye, view);
    c.FillEllipse(f.X(hx + (side ? 0.14 : 0.0)), f.Y(hy + 0.1), f.X(0.03), f.Y(0.03), kBlack);
    for (int s = -1; s <= 1; s += 2)
        c.Line(f.Xi(hx + s * 0.05), f.Yi(hy + 0.1), f.Xi(hx + s * 0.28), f.Yi(hy + 0.06), kGrey);
    if (view == CreatureView::Attack) c.FillRect(f.Xi(hx - 0.03), f.Yi(hy + 0.13), f.Xi(0.06), f.Yi(0.05), kWhite);
}

void Mushroom(Canvas& c, const Frame& f, const Look& look, CreatureView view) {
    const bool attack = view == CreatureView::Attack;
    c.ShadedRect(f.Xi(0.32), f.Yi(0.4), f.Xi(0.36), f.Yi(0.55), {kDarkBrown, kBrown, kTan, kWhite});
    c.FillRect(f.Xi(0.25), f.Yi(0.93), f.Xi(0.5), f.Yi(0.07), kDarkBrown);
    const double capTop = attack ? 0.0 : 0.05;
    c.ShadedEllipse(f.X(0.5), f.Y(0.35), f.X(0.48), f.Y(0.35 - capTop), look.body);
    c.FillRect(0, f.Yi(0.38), f.Xi(1.0), f.Yi(0.35), kBlack);
    c.FillRect(f.Xi(0.32), f.Yi(0.38), f.Xi(0.36), f.Yi(0.1), kBrown);
    c.FillEllipse(f.X(0.5), f.Y(0.38), f.X(0.47), f.Y(0.04), look.body[0]);
    for (auto [x, y] : {std::pair{0.3, 0.18}, {0.55, 0.12}, {0.72, 0.25}, {0.42, 0.28}})
        c.FillEllipse(f.X(x), f.Y(y), f.X(0.06), f.Y(0.045), kWhite);
    if (view == CreatureView::Back) return;
    Eyes(c, f, 0.5, 0.55, 0.07, 0.035, kBlack, kBlack, view);
    const double mx = view == CreatureView::Side ? 0.58 : 0.5;
    if (attack) c.FillEllipse(f.X(mx), f.Y(0.72), f.X(0.08), f.Y(0.07), kBlack);
    else c.Line(f.Xi(mx - 0.06), f.Yi(0.7), f.Xi(mx + 0.06), f.Yi(0.7), kBlack);
}

void Wizard(Canvas& c, const Frame& f, const Look& look, CreatureView view) {
    const bool attack = view == CreatureView::Attack;
    const bool side = view == CreatureView::Side;
    // Staff with its orb.
    const double sx = attack ? 0.85 : (side ? 0.7 : 0.8);
    c.Line(f.Xi(sx), f.Yi(0.12), f.Xi(sx), f.Yi(0.99), kBrown, std::max(1, f.Xi(0.035)));
    c.ShadedEllipse(f.X(sx), f.Y(0.1), f.X(0.07), f.Y(0.06), {kDarkGrey, look.accent, kWhite});
    c.FillPolygon({{f.X(0.5), f.Y(0.12)}, {f.X(side ? 0.74 : 0.8), f.Y(1.0)}, {f.X(side ? 0.26 : 0.2), f.Y(1.0)}},
                  look.body[0]);
    c.FillPolygon({{f.X(0.5), f.Y(0.2)}, {f.X(side ? 0.66 : 0.7), f.Y(1.0)}, {f.X(side ? 0.4 : 0.3), f.Y(1.0)}},
                  look.body[1]);
    c.FillPolygon({{f.X(0.5), f.Y(0.0)}, {f.X(0.68), f.Y(0.3)}, {f.X(0.32), f.Y(0.3)}}, look.body[0]);
    c.FillRect(f.Xi(0.3), f.Yi(0.62), f.Xi(0.4), std::max(1, f.Yi(0.03)), look.accent);
    if (view != CreatureView::Back) {
        c.FillEllipse(f.X(side ? 0.56 : 0.5), f.Y(0.25), f.X(0.1), f.Y(0.07), kBlack);
        Eyes(c, f, side ? 0.54 : 0.5, 0.24, 0.04, 0.02, look.eye, look.eye, view);
        c.FillPolygon({{f.X(0.44), f.Y(0.3)}, {f.X(0.56), f.Y(0.3)}, {f.X(0.5), f.Y(0.48)}}, kWhite);
    }
    if (attack)
        for (int i = 0; i < 6; ++i) {
            const double a = i * 1.047;
            c.Line(f.Xi(sx), f.Yi(0.1), f.Xi(sx + 0.12 * std::cos(a)), f.Yi(0.1 + 0.1 * std::sin(a)), look.accent);
        }
}

void Scorpion(Canvas& c, const Frame& f, const Look& look, CreatureView view) {
    const bool attack = view == CreatureView::Attack;
    const int t = std::max(1, f.Xi(0.025));
    for (int s = -1; s <= 1; s += 2)
        for (int leg = 0; leg < 3; ++leg)
            c.Line(f.Xi(0.5 + s * 0.1), f.Yi(0.65 + leg * 0.06), f.Xi(0.5 + s * 0.4), f.Yi(0.8 + leg * 0.06),
                   look.body[0], t);
    // Tail segments curling over the back.
    const double tailTop = attack ? 0.02 : 0.12;
    for (int i = 0; i < 5; ++i) {
        const double a = 3.14159 * (0.1 + i * 0.2);
        const double x = view == CreatureView::Side ? 0.35 - 0.15 * std::cos(a) : 0.5 + 0.12 * std::cos(a) * 0.3;
        c.ShadedEllipse(f.X(x), f.Y(0.6 - (0.6 - tailTop) * std::sin(a * 0.5 + 0.3)), f.X(0.07), f.Y(0.06), look.body);
    }
    c.FillPolygon({{f.X(0.46), f.Y(tailTop)}, {f.X(0.54), f.Y(tailTop)}, {f.X(0.5), f.Y(tailTop + 0.12)}}, look.accent);
    c.ShadedEllipse(f.X(0.5), f.Y(0.68), f.X(0.2), f.Y(0.14), look.body);
    if (view == CreatureView::Back) return;
    for (int s = -1; s <= 1; s += 2) {
        const double cy = attack ? 0.4 : 0.55;
        c.Line(f.Xi(0.5 + s * 0.15), f.Yi(0.7), f.Xi(0.5 + s * 0.32), f.Yi(cy + 0.05), look.body[1], t + 1);
        c.ShadedEllipse(f.X(0.5 + s * 0.34), f.Y(cy), f.X(0.1), f.Y(0.08), look.body);
        c.Line(f.Xi(0.5 + s * 0.3), f.Yi(cy - 0.04), f.Xi(0.5 + s * 0.42), f.Yi(cy - 0.1), look.body[1], t);
    }
    Eyes(c, f, 0.5, 0.66, 0.05, 0.025, look.eye, look.eye, view);
}

void Plant(Canvas& c, const Frame& f, const Look& look, CreatureView view) {
    const bool attack = view == CreatureView::Attack;
    c.FillEllipse(f.X(0.5), f.Y(0.96), f.X(0.3), f.Y(0.05), kDarkBrown);
    c.Line(f.Xi(0.5), f.Yi(0.95), f.Xi(view == CreatureView::Side ? 0.42 : 0.5), f.Yi(0.4), look.body[0],
           std::max(2, f.Xi(0.06)));
    for (int s = -1; s <= 1; s += 2)
        c.FillPolygon({{f.X(0.5), f.Y(0.8)}, {f.X(0.5 + s * 0.42), f.Y(0.62)}, {f.X(0.5 + s * 0.2), f.Y(0.82)}},
                      look.body[1]);
    const double hy = attack ? 0.25 : 0.3;
    c.ShadedEllipse(f.X(0.5), f.Y(hy), f.X(0.34), f.Y(0.24), look.body);
    if (view == CreatureView::Back) {
        for (int i = 0; i < 3; ++i) c.FillEllipse(f.X(0.38 + i * 0.12), f.Y(hy - 0.05), f.X(0.03), f.Y(0.03), look.accent);
        return;
    }
    const double open = attack ? 0.14 : 0.05;
    c.FillEllipse(f.X(view == CreatureView::Side ? 0.62 : 0.5), f.Y(hy + 0.04), f.X(0.24), f.Y(open), look.accent);
    for (int i = 0; i < 6; ++i) {
        const double x = (view == CreatureView::Side ? 0.42 : 0.3) + i * 0.07;
        c.FillPolygon({{f.X(x), f.Y(hy + 0.04 - open)}, {f.X(x + 0.05), f.Y(hy + 0.04 - open)},
                       {f.X(x + 0.025), f.Y(hy + 0.04 - open + 0.06)}}, kWhite);
    }
}

void Mummy(Canvas& c, const Frame& f, const Look& look, CreatureView view) {
    const bool attack = view == CreatureView::Attack;
    c.ShadedRect(f.Xi(0.34), f.Yi(0.6), f.Xi(0.13), f.Yi(0.4), look.body);
    c.ShadedRect(f.Xi(0.53), f.Yi(0.6), f.Xi(0.13), f.Yi(0.4), look.body);
    c.ShadedEllipse(f.X(0.5), f.Y(0.42), f.X(0.2), f.Y(0.24), look.body);
    const double armY = attack ? 0.3 : 0.36;
    if (view != CreatureView::Side) {
        c.ShadedRect(f.Xi(0.1), f.Yi(armY), f.Xi(0.2), f.Yi(0.08), look.body);
        c.ShadedRect(f.Xi(0.7), f.Yi(armY), f.Xi(0.2), f.Yi(0.08), look.body);
    } else {
        c.ShadedRect(f.Xi(0.5), f.Yi(armY), f.Xi(0.45), f.Yi(0.08), look.body);
    }
    c.ShadedEllipse(f.X(0.5), f.Y(0.13), f.X(0.14), f.Y(0.12), look.body);
    // Bandage lines.
    for (int i = 0; i < 12; ++i) {
        const double y = 0.05 + i * 0.08;
        c.Line(f.Xi(0.3), f.Yi(y), f.Xi(0.7), f.Yi(y + 0.04), look.accent);
    }
    if (view != CreatureView::Back) {
        c.FillRect(f.Xi(view == CreatureView::Side ? 0.5 : 0.38), f.Yi(0.1), f.Xi(view == CreatureView::Side ? 0.14 : 0.24),
                   std::max(1, f.Yi(0.04)), kBlack);
        Eyes(c, f, 0.5, 0.115, 0.06, 0.02, look.eye, look.eye, view);
    }
}

}  // namespace

Canvas DrawCreature(CreatureKind kind, int variant, CreatureView view, int width, int height) {
    Canvas canvas(width, height);
    const Frame f{static_cast<double>(width), static_cast<double>(height)};
    const Look look = LookOf(kind, variant);
    switch (kind) {
    case CreatureKind::Slime: Slime(canvas, f, look, view); break;
    case CreatureKind::Bat: Bat(canvas, f, look, view); break;
    case CreatureKind::Skeleton: Skeleton(canvas, f, look, view); break;
    case CreatureKind::Ghost: Ghost(canvas, f, look, view); break;
    case CreatureKind::Spider: Spider(canvas, f, look, view); break;
    case CreatureKind::Worm: Worm(canvas, f, look, view); break;
    case CreatureKind::Eye: Eye(canvas, f, look, view); break;
    case CreatureKind::Golem: Golem(canvas, f, look, view); break;
    case CreatureKind::Knight: Knight(canvas, f, look, view); break;
    case CreatureKind::Dragon: Dragon(canvas, f, look, view); break;
    case CreatureKind::Rat: Rat(canvas, f, look, view); break;
    case CreatureKind::Mushroom: Mushroom(canvas, f, look, view); break;
    case CreatureKind::Wizard: Wizard(canvas, f, look, view); break;
    case CreatureKind::Scorpion: Scorpion(canvas, f, look, view); break;
    case CreatureKind::Plant: Plant(canvas, f, look, view); break;
    case CreatureKind::Mummy: Mummy(canvas, f, look, view); break;
    }
    canvas.Outline(kShadow);
    return canvas;
}

}  // namespace sample
