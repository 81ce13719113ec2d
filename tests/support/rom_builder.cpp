#include "tests/support/rom_builder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace test {

RomBuilder::RomBuilder() {
    // Past both versions' second palette (32 colour words).
    const std::size_t end = kHeader + std::max(kJp.paletteB, kUs.paletteB) + 64;
    bytes_.assign(end, 0);
}

std::uint16_t RomBuilder::StoredSize(std::size_t number) const {
    return static_cast<std::uint16_t>(bytes_[kSizeTable + 2 * number] |
                                      (bytes_[kSizeTable + 2 * number + 1] << 8));
}

RomBuilder& RomBuilder::Item(std::size_t number, std::uint8_t type, std::uint16_t storedSize) {
    bytes_[kTypeTable + number] = type;
    bytes_[kSizeTable + 2 * number] = static_cast<std::uint8_t>(storedSize & 0xFF);
    bytes_[kSizeTable + 2 * number + 1] = static_cast<std::uint8_t>(storedSize >> 8);
    return *this;
}

RomBuilder& RomBuilder::ItemBytes(std::size_t number, std::uint8_t type,
                                  const std::vector<std::uint8_t>& bytes) {
    Item(number, type, static_cast<std::uint16_t>(bytes.size()));
    return Put(ItemOffset(number), bytes);
}

std::size_t RomBuilder::ItemOffset(std::size_t number) const {
    std::size_t address = 0x8000;
    std::size_t bank = 0x48000;
    std::size_t offset = 0;
    for (std::size_t i = 0; i <= number; ++i) {
        const std::size_t size = StoredSize(i);
        if (address + size >= 0x10000) {
            address = 0x8000;
            bank += 0x8000;
        }
        offset = bank + (address - 0x8000) + kHeader;
        address += size;
    }
    return offset;
}

RomBuilder& RomBuilder::Put(std::size_t fileOffset, const std::vector<std::uint8_t>& bytes) {
    if (bytes_.size() < fileOffset + bytes.size()) bytes_.resize(fileOffset + bytes.size(), 0);
    std::copy(bytes.begin(), bytes.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(fileOffset));
    return *this;
}

RomBuilder& RomBuilder::Colours(std::uint32_t romOffset, const std::vector<std::uint16_t>& words) {
    std::vector<std::uint8_t> bytes;
    for (std::uint16_t word : words) {
        bytes.push_back(static_cast<std::uint8_t>(word & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(word >> 8));
    }
    return Put(kHeader + romOffset, bytes);
}

RomBuilder& RomBuilder::Truncate(std::size_t length) {
    bytes_.resize(length);
    return *this;
}

void RomBuilder::WriteTo(const std::string& path) const { WriteFile(path, bytes_); }

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "quillmere-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code error;
    // Tests may leave read-only files or folders behind; make them removable first.
    for (auto it = std::filesystem::recursive_directory_iterator(path_, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error))
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, error);
    std::filesystem::remove_all(path_, error);
}

std::vector<std::uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

bool FileExists(const std::string& path) { return std::filesystem::exists(path); }

}  // namespace test
