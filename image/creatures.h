// Stage 2: the creature pictures, Creatures/CC.V.bmp.
#pragma once

#include "extract/output_folders.h"
#include "extract/path_buffer.h"

class VersionProfile;
namespace platform { class File; }

bool ExtractCreatures(platform::File* rom, PathBuffer folder, const VersionProfile* profile,
                      StageReport* report = nullptr);
