// Stages 3 and 4: wall ornate pictures (Wall_Ornates/NN.J.bmp) or floor ornate pictures
// (Floor_Ornates/MM.V.J.bmp), as the walls flag says.
#pragma once

#include "extract/output_folders.h"
#include "extract/path_buffer.h"

class VersionProfile;
namespace platform { class File; }

bool ExtractOrnates(platform::File* rom, PathBuffer folder, bool walls,
                    const VersionProfile* profile, StageReport* report = nullptr);
