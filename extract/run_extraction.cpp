#include "extract/run_extraction.h"

#include "archive/raw_items.h"
#include "extract/path_buffer.h"
#include "extract/version_profile.h"
#include "image/creatures.h"
#include "image/misc.h"
#include "image/ornates.h"
#include "platform/file.h"
#include "sound/sounds.h"

#include <cstring>

unsigned ExtractionReport::FailedFiles() const {
    unsigned total = 0;
    for (const StageReport& stage : stages) total += stage.failedFiles;
    return total;
}

bool OutputFolderFits(const char* outputFolder) {
    if (!outputFolder || outputFolder[0] == '\0') return false;
    const std::size_t length = std::strlen(outputFolder);
    const std::size_t separator = outputFolder[length - 1] == PathBuffer::kSeparator ? 0 : 1;
    return length + separator + std::strlen(kLongestRunPath) <= PathBuffer::kMaxLength;
}

std::int32_t RunExtraction(const char* romPath, const char* outputFolder, std::int32_t versionIndex,
                           ExtractionReport* report) {
    ExtractionReport unused;
    ExtractionReport& told = report ? *report : unused;
    told = ExtractionReport{};

    // A folder whose paths the buffers would cut could make a stage write to an unrelated file,
    // and an empty one would put the tree at the file system's root: refuse both up front.
    if (!OutputFolderFits(outputFolder)) return kRunOutputFolderRefused;

    platform::File rom;
    if (!rom.OpenForReading(romPath)) {
        told.openError = rom.OpenError();
        return kRunImageNotOpened;
    }

    const VersionProfileJp10 jp10;
    const VersionProfileUs us;
    const VersionProfile* profile = versionIndex == 0 ? static_cast<const VersionProfile*>(&jp10)
                                                      : static_cast<const VersionProfile*>(&us);

    // Each stage gets its own copy of the folder and tells its own report.
    auto run = [&](OutputFolder folder, auto stage) {
        StageReport& stageReport = told.Stage(folder);
        stageReport.ran = true;
        stageReport.succeeded = stage(PathBuffer(outputFolder), &stageReport);
        return stageReport.succeeded;
    };

    platform::File* file = &rom;
    const bool rawItems = run(OutputFolder::Raw, [&](PathBuffer folder, StageReport* stage) {
        return ExtractRawItems(file, folder, profile, stage);
    });
    if (!rawItems) return kRunRawItemsFailed;

    // The later stages' results do not stop the run: each writes what it can.
    run(OutputFolder::Creatures, [&](PathBuffer folder, StageReport* stage) {
        return ExtractCreatures(file, folder, profile, stage);
    });
    run(OutputFolder::WallOrnates, [&](PathBuffer folder, StageReport* stage) {
        return ExtractOrnates(file, folder, true, profile, stage);
    });
    run(OutputFolder::FloorOrnates, [&](PathBuffer folder, StageReport* stage) {
        return ExtractOrnates(file, folder, false, profile, stage);
    });
    run(OutputFolder::Misc, [&](PathBuffer folder, StageReport* stage) {
        return ExtractMisc(file, folder, stage);
    });
    run(OutputFolder::Snd, [&](PathBuffer folder, StageReport* stage) {
        return ExtractSounds(file, folder, stage);
    });
    return kRunCompleted;
}
