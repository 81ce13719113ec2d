// Stage 6: the sound items, decoded from BRR into Snd/NNN.wav.
#pragma once

#include "extract/output_folders.h"
#include "extract/path_buffer.h"

#include <cstddef>
#include <cstdint>

namespace platform { class File; }

// The archive items that hold sound samples, in the order the stage converts them.
inline constexpr std::size_t kSoundItemCount = 45;
inline constexpr std::uint32_t SoundItemTable[kSoundItemCount] = {
    583, 584, 585, 586, 587, 588, 589, 590, 591, 592, 593, 594, 595, 596, 597,
    599, 600, 601, 615, 616, 617, 619, 620, 622, 623, 624, 625, 626, 627, 628,
    629, 630, 631, 635, 637, 638, 639, 640, 641, 642, 643, 644, 646, 647, 648,
};

inline constexpr const char* kSoundNamePattern = "%03u.wav";

// Reads each sound item back from Raw/NNN.bin and writes Snd/NNN.wav; the image is not touched.
// A missing raw item is skipped. A WAV file that cannot be created, written or closed is counted
// in the report. False only when the Snd folder cannot be made.
bool ExtractSounds(platform::File* rom, PathBuffer folder, StageReport* report = nullptr);
