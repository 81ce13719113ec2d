// Stage 1: the archive's 695 items, each written to Raw/NNN.bin as its plain bytes, then the
// palette tables. Every later stage works from these files.
#pragma once

#include "extract/output_folders.h"
#include "extract/path_buffer.h"

#include <cstdint>

class FileByteStream;
class MemoryByteStream;
class VersionProfile;
namespace platform { class File; }

inline constexpr std::uint32_t kItemCount = 695;

// File offsets (header included), the same for both game versions.
inline constexpr std::uint32_t ItemSizeTableOffset = 0x85D2;  // 695 little-endian 16-bit sizes
inline constexpr std::uint32_t ItemTypeTableOffset = 0x8B40;  // 695 type bytes
// ROM items fill LoROM banks of 0x8000 bytes, seen at addresses 0x8000..0xFFFF; the first bank
// of items starts at ROM offset 0x48000.
inline constexpr std::uint32_t kFirstItemBank = 0x48000;
inline constexpr std::uint32_t kBankSize = 0x8000;
inline constexpr std::uint32_t kBankStartAddress = 0x8000;
inline constexpr std::uint32_t kBankLastAddress = 0xFFFF;

inline constexpr const char* kRawItemNamePattern = "%03u.bin";

struct ItemRecord {
    std::uint32_t itemType;
    std::uint32_t fileOffset;
    std::uint32_t storedSize;
};

// Places items bank by bank: an item that would pass the bank's last address starts the next bank.
void PlaceItems(ItemRecord (&directory)[kItemCount]);

// Turns one item into its plain bytes in the output stream, by type: 0 and 1 stored, 2 pixel
// runs, 3 LZ, any other type empty. The ROM must be positioned at the item. Returns the length.
std::int32_t DecodeItem(const ItemRecord& item, platform::File& rom, FileByteStream& romBytes,
                        MemoryByteStream& output);

bool ExtractRawItems(platform::File* rom, PathBuffer folder, const VersionProfile* profile,
                     StageReport* report = nullptr);
