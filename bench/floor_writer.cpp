// quillmere-floor pack SOURCE-TREE ARCHIVE
// quillmere-floor write ARCHIVE TARGET-FOLDER
// "pack" stores every folder and file below SOURCE-TREE in one archive file. "write" reads that
// archive with one read and writes the same tree below TARGET-FOLDER with one fopen, one fwrite
// and one fclose per file: the least a program that turns one input file into this tree can do.
// Timing a whole "write" process against a whole extraction compares like with like.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Archive: entries of "D name\n" (a folder) or "F name size\n" followed by size bytes.
int Pack(const fs::path& source, const fs::path& archive) {
    std::ofstream out(archive, std::ios::binary);
    std::vector<fs::directory_entry> entries(fs::recursive_directory_iterator(source), {});
    std::sort(entries.begin(), entries.end());
    for (const fs::directory_entry& entry : entries) {
        const std::string name = fs::relative(entry.path(), source).string();
        if (entry.is_directory()) {
            out << "D " << name << "\n";
        } else if (entry.is_regular_file()) {
            std::ifstream in(entry.path(), std::ios::binary);
            const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
            out << "F " << name << " " << bytes.size() << "\n" << bytes;
        }
    }
    return out ? 0 : 1;
}

int Write(const fs::path& archive, const fs::path& target) {
    std::FILE* in = std::fopen(archive.c_str(), "rb");
    if (!in) return 1;
    std::fseek(in, 0, SEEK_END);
    std::vector<char> bytes(static_cast<std::size_t>(std::ftell(in)));
    std::rewind(in);
    if (std::fread(bytes.data(), 1, bytes.size(), in) != bytes.size()) return 1;
    std::fclose(in);

    fs::create_directory(target);
    std::string path = target.string() + "/";
    const std::size_t base = path.size();
    for (std::size_t at = 0; at < bytes.size();) {
        const char kind = bytes[at];
        const std::size_t end = static_cast<std::size_t>(
            std::find(bytes.begin() + static_cast<std::ptrdiff_t>(at), bytes.end(), '\n') - bytes.begin());
        std::string line(bytes.data() + at + 2, end - at - 2);
        at = end + 1;
        if (kind == 'D') {
            path.replace(base, std::string::npos, line);
            fs::create_directory(path);
            continue;
        }
        const std::size_t space = line.rfind(' ');
        const std::size_t size = std::stoul(line.substr(space + 1));
        path.replace(base, std::string::npos, line.substr(0, space));
        std::FILE* out = std::fopen(path.c_str(), "wb");
        if (!out) return 1;
        if (size != 0) std::fwrite(bytes.data() + at, size, 1, out);
        std::fclose(out);
        at += size;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "pack") == 0) return Pack(argv[2], argv[3]);
    if (argc == 4 && std::strcmp(argv[1], "write") == 0) return Write(argv[2], argv[3]);
    std::fprintf(stderr, "usage: quillmere-floor pack SOURCE-TREE ARCHIVE | write ARCHIVE TARGET-FOLDER\n");
    return 2;
}
