// Builds cartridge images in memory for the tests: the item type and size tables at their fixed
// offsets, items placed bank by bank, and any bytes at any offset.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace test {

inline constexpr std::size_t kHeader = 512;
inline constexpr std::size_t kItems = 695;
inline constexpr std::size_t kSizeTable = 0x85D2;
inline constexpr std::size_t kTypeTable = 0x8B40;

// Version-dependent ROM offsets (without the header), written out here independently of the
// product's profiles so that a wrong profile value shows.
struct Offsets {
    std::uint32_t paletteA, paletteB, creatures, wallIndex, wallTable, floorIndex, floorTable;
};
inline constexpr Offsets kJp = {0x326, 0x270DD, 0x192FB, 0x1846E, 0x188D7, 0x184AA, 0x18B47};
inline constexpr Offsets kUs = {0x32E, 0x2717A, 0x1947E, 0x185F1, 0x18A5A, 0x1862D, 0x18CCA};

class RomBuilder {
public:
    // An image that holds the tables and both versions' palettes; every item type 0, size 0.
    RomBuilder();

    // Sets an item's type and stored size in the tables.
    RomBuilder& Item(std::size_t number, std::uint8_t type, std::uint16_t storedSize);
    // Sets an item's type and stored size and lays its bytes at its placed offset (the stored size
    // is the byte count). The image grows as needed.
    RomBuilder& ItemBytes(std::size_t number, std::uint8_t type, const std::vector<std::uint8_t>& bytes);
    // File offset of an item by the bank rule, from the sizes set so far.
    std::size_t ItemOffset(std::size_t number) const;

    // Bytes at a file offset; the image grows as needed.
    RomBuilder& Put(std::size_t fileOffset, const std::vector<std::uint8_t>& bytes);
    // 16-bit colour words at a ROM offset (the header is added).
    RomBuilder& Colours(std::uint32_t romOffset, const std::vector<std::uint16_t>& words);

    // Cuts the image to a length.
    RomBuilder& Truncate(std::size_t length);

    std::vector<std::uint8_t>& Bytes() { return bytes_; }
    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
    void WriteTo(const std::string& path) const;

private:
    std::uint16_t StoredSize(std::size_t number) const;
    std::vector<std::uint8_t> bytes_;
};

// A folder below the system's temporary folder, removed with everything in it on destruction.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

std::vector<std::uint8_t> ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
bool FileExists(const std::string& path);

}  // namespace test
