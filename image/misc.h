// Stage 5: the pictures of two built-in lists of items, Misc/NNN.bmp.
#pragma once

#include "extract/output_folders.h"
#include "extract/path_buffer.h"

namespace platform { class File; }

bool ExtractMisc(platform::File* rom, PathBuffer folder, StageReport* report = nullptr);
