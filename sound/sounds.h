// Stage 6: the sound items, decoded from BRR into Snd/NNN.wav.
#pragma once

#include "extract/output_folders.h"
#include "extract/path_buffer.h"

namespace platform { class File; }

bool ExtractSounds(platform::File* rom, PathBuffer folder, StageReport* report = nullptr);
