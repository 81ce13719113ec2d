#include "extract/run_message.h"

#include "extract/path_buffer.h"

#include <cstring>

namespace {

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

std::string FolderPath(const std::string& outputFolder, std::size_t stage) {
    PathBuffer folder(outputFolder.c_str());
    return folder.Join(kOutputFolderNames[stage]).Text();
}

// The stages after the first that could not do their work, and the files no stage could write.
std::string StageProblems(const ExtractionReport& report, const std::string& outputFolder) {
    std::string problems;
    auto add = [&](const std::string& problem) {
        problems += (problems.empty() ? "" : "; ") + problem;
    };
    for (std::size_t i = 0; i < kOutputFolderCount; ++i) {
        const StageReport& stage = report.stages[i];
        if (!stage.ran || stage.succeeded) continue;
        std::string problem = kOutputFolderNames[i] + std::string(": ");
        if (stage.failure == kFolderNotCreated)
            problem += "cannot create folder " + Quoted(FolderPath(outputFolder, i));
        else
            problem += stage.failure ? stage.failure : "the stage failed";
        if (stage.error) problem += std::string(": ") + std::strerror(stage.error);
        add(problem);
    }
    std::string unwritten;
    for (std::size_t i = 0; i < kOutputFolderCount; ++i) {
        if (report.stages[i].failedFiles == 0) continue;
        unwritten += (unwritten.empty() ? "" : ", ") + std::string(kOutputFolderNames[i]) + " " +
                     std::to_string(report.stages[i].failedFiles);
    }
    if (!unwritten.empty()) add("files that could not be written: " + unwritten);
    return problems;
}

}  // namespace

bool RunSucceeded(std::int32_t result, const ExtractionReport& report) {
    if (result != kRunCompleted) return false;
    for (const StageReport& stage : report.stages)
        if ((stage.ran && !stage.succeeded) || stage.failedFiles != 0) return false;
    return true;
}

std::string RunFailureMessage(std::int32_t result, const ExtractionReport& report,
                              const std::string& romPath, const std::string& outputFolder) {
    switch (result) {
    case kRunImageNotOpened:
        return "cannot open image " + Quoted(romPath) + ": " + std::strerror(report.openError);
    case kRunOutputFolderRefused:
        if (outputFolder.empty()) return "no output folder given";
        return "output folder " + Quoted(outputFolder) +
               " is too long: the paths below it would not fit in " +
               std::to_string(PathBuffer::kMaxLength) + " bytes";
    case kRunRawItemsFailed: {
        const StageReport& raw = report.Stage(OutputFolder::Raw);
        if (raw.failure == kFolderNotCreated)
            return StageProblems(report, outputFolder);
        return Quoted(romPath) + " is not a complete image: " +
               (raw.failure ? raw.failure : "the item archive could not be read") +
               "; no pictures or sounds were extracted";
    }
    default:
        break;
    }
    if (RunSucceeded(result, report)) return {};
    return "extraction incomplete: " + StageProblems(report, outputFolder);
}
