// quillmere-cli --game jp|us ROM OUTPUT-FOLDER
// Gathers the three inputs, runs the extraction and tells what it produced or why it failed.
#include "extract/run_extraction.h"
#include "extract/run_message.h"
#include "platform/file.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

constexpr int kExitCompleted = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

int Fail(const std::string& message) {
    std::fprintf(stderr, "quillmere-cli: %s\n", message.c_str());
    return kExitFailed;
}

std::size_t CountFiles(const std::filesystem::path& folder) {
    std::size_t count = 0;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error))
        if (it->is_regular_file(error)) ++count;
    return count;
}

// One line per output folder the run produced: its name and how many files it holds.
void PrintSummary(const std::filesystem::path& output, const ExtractionReport& report) {
    for (std::size_t i = 0; i < kOutputFolderCount; ++i) {
        std::filesystem::path folder = output / kOutputFolderNames[i];
        std::error_code error;
        if (!report.stages[i].ran || !std::filesystem::is_directory(folder, error)) continue;
        std::printf("%-14s %zu files\n", kOutputFolderNames[i], CountFiles(folder));
    }
}

int Extract(const std::string& game, const std::string& rom, const std::string& output) {
    ExtractionReport report;
    // Refuse what the run would refuse before making any folder for it.
    if (!OutputFolderFits(output.c_str()))
        return Fail(RunFailureMessage(kRunOutputFolderRefused, report, rom, output));
    platform::File image;
    if (!image.OpenForReading(rom.c_str())) {
        report.openError = image.OpenError();
        return Fail(RunFailureMessage(kRunImageNotOpened, report, rom, output));
    }
    image.Close();

    std::error_code error;
    std::filesystem::create_directories(output, error);
    if (error) return Fail("cannot create output folder '" + output + "': " + error.message());
    if (!std::filesystem::is_directory(output, error))
        return Fail("output folder '" + output + "' is not a folder");

    std::int32_t result = 0;
    try {
        result = RunExtraction(rom.c_str(), output.c_str(), game == "jp" ? 0 : 1, &report);
    } catch (const platform::FileError& fileError) {
        return Fail(std::string("extraction stopped: ") + fileError.what());
    }
    PrintSummary(output, report);
    if (RunSucceeded(result, report)) return kExitCompleted;
    return Fail(RunFailureMessage(result, report, rom, output));
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Unpacks the data archive, pictures and sounds of a DM cartridge image."};
    app.set_version_flag("--version", "quillmere-cli " QUILLMERE_VERSION);

    std::string game;
    std::string rom;
    std::string output;
    app.add_option("--game", game, "Game version: jp (DM snes JP 1.0) or us (DM snes US)")
        ->required()
        ->check(CLI::IsMember({"jp", "us"}));
    app.add_option("ROM", rom, "Cartridge image (.smc, with its 512-byte copier header)")->required();
    app.add_option("OUTPUT-FOLDER", output, "Folder to extract into; created when missing")->required();

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return kExitUsage;
    }
    return Extract(game, rom, output);
}
