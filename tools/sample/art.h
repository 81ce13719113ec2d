// The sample image's pictures and palettes, drawn in code.
#pragma once

#include "tools/sample/canvas.h"

#include <cstdint>
#include <vector>

namespace sample {

// The first row of paletteA, which every creature, ornate and first-list misc picture uses.
enum Colour : std::uint8_t {
    kBlack, kShadow, kDarkGrey, kGrey, kWhite, kDarkBrown, kBrown, kTan,
    kDarkRed, kRed, kOrange, kYellow, kDarkGreen, kGreen, kDarkBlue, kLightBlue,
};

// paletteA: 256 colour words, row 0 the picture colours and rows 1..15 the same dimmed step by
// step. paletteB: 32 colour words for the title pictures.
std::vector<std::uint16_t> PaletteAWords();
std::vector<std::uint16_t> PaletteBWords();

enum class CreatureKind {
    Slime, Bat, Skeleton, Ghost, Spider, Worm, Eye, Golem,
    Knight, Dragon, Rat, Mushroom, Wizard, Scorpion, Plant, Mummy,
};
enum class CreatureView { Front, Side, Back, Attack };

// variant picks one of a few colourings of the kind.
Canvas DrawCreature(CreatureKind kind, int variant, CreatureView view, int width, int height);

enum class WallOrnateKind {
    Torch, UnlitTorch, Grate, LeverUp, LeverDown, Button, Keyhole, Ring, Skull, Banner,
    Shield, Swords, Alcove, Window, Crack, Chain, Rune, Painting, Fountain, Vent,
    Moss, GemSocket, Candle, ArrowSlit, Hook, Tablet, Mirror, Plaque, SwitchPanel, Tapestry,
};
// picture 0 faces the viewer; picture 1 is the narrower view from the side.
Canvas DrawWallOrnate(WallOrnateKind kind, int variant, int picture, int width, int height);

enum class FloorOrnateKind {
    Puddle, Moss, Footprints, PressurePlate, RuneCircle, Bones, Drain, Weeds, Coins,
};
Canvas DrawFloorOrnate(FloorOrnateKind kind, int group, int picture, int width, int height);

// The pictures of the two built-in misc lists, by item number.
Canvas DrawMisc(unsigned item, int width, int height);

// Small rune icons for items no table names.
Canvas DrawRuneIcon(int index, int width, int height);

}  // namespace sample
