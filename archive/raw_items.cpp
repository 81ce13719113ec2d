#include "archive/raw_items.h"

#include "archive/byte_stream.h"
#include "archive/decompress.h"
#include "archive/palette.h"
#include "extract/version_profile.h"
#include "platform/file.h"

#include <cerrno>
#include <cstdio>

void PlaceItems(ItemRecord (&directory)[kItemCount]) {
    std::uint32_t address = kBankStartAddress;
    std::uint32_t bank = kFirstItemBank;
    for (ItemRecord& item : directory) {
        // ">" and not ">=": an item ending exactly at the bank's end (address + size = 0x10000)
        // also moves on, as does any item of a whole bank or more, even into an empty bank.
        if (address + item.storedSize > kBankLastAddress) {
            address = kBankStartAddress;
            bank += kBankSize;
        }
        item.fileOffset = bank + (address & 0x7FFF) + kCopierHeaderSize;
        address += item.storedSize;
    }
}

std::int32_t DecodeItem(const ItemRecord& item, platform::File& rom, FileByteStream& romBytes,
                        MemoryByteStream& output) {
    switch (item.itemType) {
    case 0:
    case 1:
        return static_cast<std::int32_t>(rom.Read(output.buffer, item.storedSize));
    case 2:
        DecodePixelRle(romBytes, output);
        return output.position;
    case 3:
        DecodeLz(romBytes, output);
        return output.position;
    default:
        return 0;
    }
}

namespace {

// One write of the whole item, nothing for an empty one. False when the file could not be
// created, written whole or closed.
bool WriteRawItem(const char* path, const std::uint8_t* bytes, std::int32_t length) {
    platform::File file;
    if (!file.CreateForWriting(path)) return false;
    const bool written =
        length == 0 || std::fwrite(bytes, static_cast<std::size_t>(length), 1, file.Stream()) == 1;
    return file.Close() && written;
}

}  // namespace

bool ExtractRawItems(platform::File* rom, PathBuffer folder, const VersionProfile* profile,
                     StageReport* report) {
    folder.Join(OutputFolderName(OutputFolder::Raw));
    if (!EnsureFolder(folder.Text())) return FailStage(report, kFolderNotCreated, errno);

    FileByteStream romBytes(rom->Stream());
    ItemRecord directory[kItemCount];

    // The types are read before the sizes, although the size table comes first in the file.
    rom->Seek(ItemTypeTableOffset);
    for (ItemRecord& item : directory) {
        std::int32_t type = romBytes.Get();
        if (type < 0) return FailStage(report, "the image ends inside the item type table");
        item.itemType = static_cast<std::uint32_t>(type);
    }
    rom->Seek(ItemSizeTableOffset);
    for (ItemRecord& item : directory) {
        std::int32_t low = romBytes.Get();
        std::int32_t high = low < 0 ? -1 : romBytes.Get();
        if (high < 0) return FailStage(report, "the image ends inside the item size table");
        item.storedSize = static_cast<std::uint32_t>(low + 256 * high);
    }
    PlaceItems(directory);

    MemoryByteStream output(ItemBuffer(), kItemBufferSize);
    for (std::uint32_t number = 0; number < kItemCount; ++number) {
        output.position = 0;
        output.size = kItemBufferSize;
        rom->Seek(directory[number].fileOffset);
        const std::int32_t length = DecodeItem(directory[number], *rom, romBytes, output);

        char name[16];
        std::snprintf(name, sizeof name, kRawItemNamePattern, number);
        PathBuffer path = folder;
        path.Join(name);
        if (!WriteRawItem(path.Text(), output.buffer, length)) CountFailedFile(report);
    }

    if (!ReadPaletteTables(*rom, romBytes, *profile))
        return FailStage(report, "the image ends inside the palette tables");
    return true;
}
