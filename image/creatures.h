// Stage 2: the creature pictures, Creatures/CC.V.bmp.
#pragma once

#include "extract/output_folders.h"
#include "extract/path_buffer.h"

class VersionProfile;
namespace platform { class File; }

inline constexpr int kCreatureViewSlots = 4;

// The size pair that gives each view slot its width and height: slot 2 shares pair 0.
inline constexpr int CreatureViewPairs[kCreatureViewSlots] = {0, 1, 0, 2};

// Each view slot's position among the creature's consecutive pictures, by whether size pair 1
// and size pair 2 exist (their widths are not zero); -1 where the slot has no picture. Pair 1
// brings slots 1 and 2, pair 2 slot 3. Only used when pair 0 exists.
inline constexpr int CreatureViewOffsets[2][2][kCreatureViewSlots] = {
    {{0, -1, -1, -1}, {0, -1, -1, 1}},
    {{0, 1, 2, -1}, {0, 1, 2, 3}},
};

bool ExtractCreatures(platform::File* rom, PathBuffer folder, const VersionProfile* profile,
                      StageReport* report = nullptr);
