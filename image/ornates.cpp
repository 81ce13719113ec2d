#include "image/ornates.h"

#include "archive/byte_stream.h"
#include "archive/palette.h"
#include "extract/version_profile.h"
#include "image/item_image.h"
#include "platform/file.h"

#include <cerrno>
#include <cstdio>

namespace {

constexpr const char* kWallNamePattern = "%02u.%u.bmp";
constexpr const char* kFloorNamePattern = "%02u.%u.%u.bmp";

// Reads one picture's record and hands the picture on. The set index is read anew for every
// picture and every read follows an absolute seek. Reads are not tested: a missing byte counts as
// -1, so a missing set index reads the record one set before the table, and a missing width or
// height asks for a picture of width -2 or height -1, which gets no file.
void ExportOrnatePicture(platform::File& rom, FileByteStream& romBytes, std::uint32_t indexOffset,
                         std::uint32_t tableOffset, std::uint32_t recordsPerSet,
                         std::uint32_t ornate, std::uint32_t record, std::uint32_t item,
                         const PathBuffer& rawFolder, const PathBuffer& output,
                         StageReport* report) {
    rom.Seek(std::int64_t{indexOffset} + kCopierHeaderSize + ornate);
    const std::int64_t set = romBytes.Get();
    rom.Seek(std::int64_t{tableOffset} + kCopierHeaderSize +
             set * recordsPerSet * kOrnateRecordSize + record * kOrnateRecordSize);
    for (std::uint32_t skipped = 0; skipped < kOrnateWidthByte; ++skipped) romBytes.Get();
    const std::int32_t width = romBytes.Get();
    const std::int32_t height = romBytes.Get();
    ExportItemImage(ItemImageRequest{rawFolder, item, 2 * width, height, Palettes().paletteA,
                                     output.Text()},
                    report);
}

}  // namespace

bool ExtractOrnates(platform::File* rom, PathBuffer folder, bool walls,
                    const VersionProfile* profile, StageReport* report) {
    PathBuffer kindFolder = folder;
    kindFolder.Join(OutputFolderName(walls ? OutputFolder::WallOrnates : OutputFolder::FloorOrnates));
    folder.Join(OutputFolderName(OutputFolder::Raw));
    if (!EnsureFolder(kindFolder.Text())) return FailStage(report, kFolderNotCreated, errno);

    FileByteStream romBytes(rom->Stream());
    char name[32];
    if (walls) {
        for (std::uint32_t n = 0; n < kWallOrnateCount; ++n) {
            for (std::uint32_t j = 0; j < kOrnatePictures; ++j) {
                std::snprintf(name, sizeof name, kWallNamePattern, n, j);
                PathBuffer output = kindFolder;
                output.Join(name);
                ExportOrnatePicture(*rom, romBytes, profile->wallOrnateIndexOffset(),
                                    profile->wallOrnateTableOffset(), kWallRecordsPerSet, n,
                                    WallOrnateRecords[j], kFirstWallItem + 2 * n + j, folder,
                                    output, report);
            }
        }
        return true;
    }
    for (std::uint32_t m = 0; m < kFloorOrnateCount; ++m) {
        for (std::uint32_t v = 0; v < kFloorGroups; ++v) {
            for (std::uint32_t j = 0; j < kOrnatePictures; ++j) {
                std::snprintf(name, sizeof name, kFloorNamePattern, m, v, j);
                PathBuffer output = kindFolder;
                output.Join(name);
                ExportOrnatePicture(*rom, romBytes, profile->floorOrnateIndexOffset(),
                                    profile->floorOrnateTableOffset(), kFloorRecordsPerSet, m,
                                    FloorOrnateRecords[v][j], kFirstFloorItem + 6 * m + 2 * v + j,
                                    folder, output, report);
            }
        }
    }
    return true;
}
