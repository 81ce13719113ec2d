// The output tree: six subfolders of the folder the user chose, one per stage.
#pragma once

#include <cstddef>

enum class OutputFolder : std::size_t { Raw, Creatures, WallOrnates, FloorOrnates, Misc, Snd };

inline constexpr std::size_t kOutputFolderCount = 6;

// Indexed by OutputFolder.
inline constexpr const char* kOutputFolderNames[kOutputFolderCount] = {
    "Raw", "Creatures", "Wall_Ornates", "Floor_Ornates", "Misc", "Snd"};

inline constexpr const char* OutputFolderName(OutputFolder folder) {
    return kOutputFolderNames[static_cast<std::size_t>(folder)];
}

// The longest path a run composes below the output folder: a floor ornate picture.
inline constexpr const char kLongestRunPath[] = "Floor_Ornates/00.0.0.bmp";

// What one stage tells its caller beyond its boolean result. Stages take it by pointer, which may
// be null when nobody asks.
struct StageReport {
    bool ran = false;
    bool succeeded = false;
    // Output files that could not be created or written whole; the stage goes on after each.
    unsigned failedFiles = 0;
    // Why the stage returned false, as a phrase for the front ends; null when it did not.
    const char* failure = nullptr;
    // The system's error number behind the failure, 0 when there is none.
    int error = 0;
};

// The failure phrase of a stage whose own folder could not be found or created.
inline constexpr const char kFolderNotCreated[] = "cannot create the folder";

inline void CountFailedFile(StageReport* report) {
    if (report) ++report->failedFiles;
}

inline bool FailStage(StageReport* report, const char* why, int error = 0) {
    if (report) {
        report->failure = why;
        report->error = error;
    }
    return false;
}
