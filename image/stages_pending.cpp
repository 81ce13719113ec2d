// Placeholders until the picture stages exist: they produce nothing.
#include "image/creatures.h"
#include "image/misc.h"
#include "image/ornates.h"

bool ExtractCreatures(platform::File*, PathBuffer, const VersionProfile*, StageReport*) { return true; }
bool ExtractOrnates(platform::File*, PathBuffer, bool, const VersionProfile*, StageReport*) { return true; }
bool ExtractMisc(platform::File*, PathBuffer, StageReport*) { return true; }
