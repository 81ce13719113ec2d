// quillmere-floor SOURCE-TREE TARGET-FOLDER
// Reads every file below SOURCE-TREE into memory, then writes the same tree below TARGET-FOLDER
// with one fopen, one fwrite and one fclose per file, and prints how long the writing took in
// seconds. That is the least any extraction producing this tree can cost on this disk.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: quillmere-floor SOURCE-TREE TARGET-FOLDER\n");
        return 2;
    }
    const fs::path source = argv[1];
    const fs::path target = argv[2];

    struct File {
        std::string relative;
        std::vector<char> bytes;
    };
    std::vector<std::string> folders;
    std::vector<File> files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(source)) {
        const std::string relative = fs::relative(entry.path(), source).string();
        if (entry.is_directory()) {
            folders.push_back((target / relative).string());
        } else if (entry.is_regular_file()) {
            std::ifstream in(entry.path(), std::ios::binary);
            files.push_back({(target / relative).string(),
                             {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()}});
        }
    }

    const auto start = std::chrono::steady_clock::now();
    fs::create_directory(target);
    for (const std::string& folder : folders) fs::create_directory(folder);
    for (const File& file : files) {
        std::FILE* out = std::fopen(file.relative.c_str(), "wb");
        if (!out) return 1;
        if (!file.bytes.empty()) std::fwrite(file.bytes.data(), file.bytes.size(), 1, out);
        std::fclose(out);
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    std::printf("%.6f\n", elapsed.count());
    return 0;
}
