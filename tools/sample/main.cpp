// quillmere-sample --game jp|us OUT.smc
// Writes a sample cartridge image of the project's own making, laid out for the chosen version.
#include "tools/sample/sample_image.h"

#include <CLI/CLI.hpp>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
    CLI::App app{"Writes a sample cartridge image, made from scratch, for trying the extraction."};
    std::string game;
    std::string output;
    app.add_option("--game", game, "Version whose table offsets the image follows: jp or us")
        ->required()
        ->check(CLI::IsMember({"jp", "us"}));
    app.add_option("OUT", output, "Image file to write (.smc)")->required();
    CLI11_PARSE(app, argc, argv);

    const sample::SampleImage image = sample::BuildSampleImage(game == "jp" ? sample::Game::Jp : sample::Game::Us);

    std::FILE* file = std::fopen(output.c_str(), "wb");
    if (!file) {
        std::fprintf(stderr, "quillmere-sample: cannot create '%s': %s\n", output.c_str(), std::strerror(errno));
        return 1;
    }
    const bool written = std::fwrite(image.bytes.data(), 1, image.bytes.size(), file) == image.bytes.size();
    const int writeError = errno;
    if (std::fclose(file) != 0 || !written) {
        std::fprintf(stderr, "quillmere-sample: cannot write '%s': %s\n", output.c_str(),
                     std::strerror(written ? errno : writeError));
        return 1;
    }
    std::printf("%s: %zu bytes, %zu pictures, laid out for --game %s\n", output.c_str(), image.bytes.size(),
                image.pictures.size(), game.c_str());
    return 0;
}
