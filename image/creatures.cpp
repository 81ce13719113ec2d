#include "image/creatures.h"

#include "archive/palette.h"
#include "extract/version_profile.h"
#include "image/item_image.h"
#include "platform/file.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>

namespace {

constexpr std::uint32_t kCreatureCount = 27;
constexpr std::size_t kCreatureRecordSize = 12;
// A creature's first picture is this raw item plus byte 0 of its record.
constexpr std::uint32_t kFirstCreatureItem = 373;
constexpr const char* kCreatureNamePattern = "%02u.%1u.bmp";

// Record bytes: 0 the first-item byte; 4 + 2h and 5 + 2h width in bytes and height of size pair h.
constexpr std::size_t kFirstItemByte = 0;
constexpr std::size_t kSizePairBytes = 4;

}  // namespace

bool ExtractCreatures(platform::File* rom, PathBuffer folder, const VersionProfile* profile,
                      StageReport* report) {
    PathBuffer creaturesFolder = folder;
    creaturesFolder.Join(OutputFolderName(OutputFolder::Creatures));
    folder.Join(OutputFolderName(OutputFolder::Raw));
    if (!EnsureFolder(creaturesFolder.Text())) return FailStage(report, kFolderNotCreated, errno);

    // The one seek: the records follow one another and nothing else moves the image's position.
    rom->Seek(profile->creatureTableOffset() + kCopierHeaderSize);
    for (std::uint32_t creature = 0; creature < kCreatureCount; ++creature) {
        std::uint8_t record[kCreatureRecordSize];
        if (rom->Read(record, sizeof record) < sizeof record)
            return FailStage(report, "the image ends inside the creature table");

        auto pairWidth = [&](int pair) { return record[kSizePairBytes + 2 * pair]; };
        auto pairHeight = [&](int pair) { return record[kSizePairBytes + 2 * pair + 1]; };
        // Without size pair 0 the creature has no pictures, whatever the other pairs hold.
        if (pairWidth(0) == 0) continue;
        const int(&offsets)[kCreatureViewSlots] = CreatureViewOffsets[pairWidth(1) != 0][pairWidth(2) != 0];

        for (int slot = 0; slot < kCreatureViewSlots; ++slot) {
            if (offsets[slot] < 0) continue;
            const int pair = CreatureViewPairs[slot];
            char name[32];
            std::snprintf(name, sizeof name, kCreatureNamePattern, creature,
                          static_cast<unsigned>(slot));
            PathBuffer output = creaturesFolder;
            output.Join(name);
            ExportItemImage(ItemImageRequest{folder,
                                             kFirstCreatureItem + record[kFirstItemByte] +
                                                 static_cast<std::uint32_t>(offsets[slot]),
                                             2 * pairWidth(pair), pairHeight(pair),
                                             Palettes().paletteA, output.Text()},
                            report);
        }
    }
    return true;
}
