#include "image/misc.h"

#include "archive/palette.h"
#include "image/item_image.h"

#include <cerrno>
#include <cstdio>

namespace {

// The name is the raw item's number, so each bitmap names the raw file it was made from.
constexpr const char* kMiscNamePattern = "%03u.bmp";

template <std::size_t N>
void ExportList(const MiscImageEntry (&list)[N], const std::uint32_t* palette,
                const PathBuffer& rawFolder, const PathBuffer& miscFolder, StageReport* report) {
    for (const MiscImageEntry& entry : list) {
        char name[16];
        std::snprintf(name, sizeof name, kMiscNamePattern, entry.itemNumber);
        PathBuffer output = miscFolder;
        output.Join(name);
        ExportItemImage(ItemImageRequest{rawFolder, entry.itemNumber, entry.width, entry.height,
                                         palette, output.Text()},
                        report);
    }
}

}  // namespace

// The image is not read: items, sizes and palettes all come from the built-in lists.
bool ExtractMisc(platform::File*, PathBuffer folder, StageReport* report) {
    PathBuffer miscFolder = folder;
    miscFolder.Join(OutputFolderName(OutputFolder::Misc));
    folder.Join(OutputFolderName(OutputFolder::Raw));
    if (!EnsureFolder(miscFolder.Text())) return FailStage(report, kFolderNotCreated, errno);

    ExportList(MiscImagesPaletteA, Palettes().paletteA, folder, miscFolder, report);
    ExportList(MiscImagesPaletteB, Palettes().paletteB, folder, miscFolder, report);
    return true;
}
