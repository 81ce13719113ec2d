// One extraction: open the image, choose the version profile and run the six stages in order.
#pragma once

#include "extract/output_folders.h"

#include <array>
#include <cstdint>

// Results of RunExtraction.
inline constexpr std::int32_t kRunCompleted = 0;
inline constexpr std::int32_t kRunImageNotOpened = -1;
// The first stage failed (Raw folder, item directory or palettes), so no other stage ran.
inline constexpr std::int32_t kRunRawItemsFailed = 1;
// The output folder is empty, or so long that a path below it would not fit in a PathBuffer.
inline constexpr std::int32_t kRunOutputFolderRefused = 2;

// What a run met on the way, for the front ends to tell the user.
struct ExtractionReport {
    int openError = 0;  // system error number when the image could not be opened
    std::array<StageReport, kOutputFolderCount> stages{};  // indexed by OutputFolder

    StageReport& Stage(OutputFolder folder) { return stages[static_cast<std::size_t>(folder)]; }
    const StageReport& Stage(OutputFolder folder) const {
        return stages[static_cast<std::size_t>(folder)];
    }
    unsigned FailedFiles() const;
};

// True when every path a run composes below the folder fits in a PathBuffer uncut.
bool OutputFolderFits(const char* outputFolder);

// Version index 0 is "DM snes JP 1.0", any other "DM snes US". A file error raised by the image's
// file object (platform::FileError) leaves this function after the image has been closed.
std::int32_t RunExtraction(const char* romPath, const char* outputFolder, std::int32_t versionIndex,
                           ExtractionReport* report = nullptr);
