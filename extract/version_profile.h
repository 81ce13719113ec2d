// Where the version-dependent tables lie in the ROM data. The offsets count from the start of the
// cartridge data, not of the image file: every user adds the 512-byte copier header.
#pragma once

#include <cstdint>

class VersionProfile {
public:
    virtual std::uint32_t paletteAOffset() const = 0;
    virtual std::uint32_t paletteBOffset() const = 0;
    virtual std::uint32_t creatureTableOffset() const = 0;
    virtual std::uint32_t wallOrnateIndexOffset() const = 0;
    virtual std::uint32_t wallOrnateTableOffset() const = 0;
    virtual std::uint32_t floorOrnateIndexOffset() const = 0;
    virtual std::uint32_t floorOrnateTableOffset() const = 0;

protected:
    ~VersionProfile() = default;
};

// "DM snes JP 1.0", version index 0.
class VersionProfileJp10 final : public VersionProfile {
public:
    std::uint32_t paletteAOffset() const override { return 0x326; }
    std::uint32_t paletteBOffset() const override { return 0x270DD; }
    std::uint32_t creatureTableOffset() const override { return 0x192FB; }
    std::uint32_t wallOrnateIndexOffset() const override { return 0x1846E; }
    std::uint32_t wallOrnateTableOffset() const override { return 0x188D7; }
    std::uint32_t floorOrnateIndexOffset() const override { return 0x184AA; }
    std::uint32_t floorOrnateTableOffset() const override { return 0x18B47; }
};

// "DM snes US", version index 1 (and any other non-zero index).
class VersionProfileUs final : public VersionProfile {
public:
    std::uint32_t paletteAOffset() const override { return 0x32E; }
    std::uint32_t paletteBOffset() const override { return 0x2717A; }
    std::uint32_t creatureTableOffset() const override { return 0x1947E; }
    std::uint32_t wallOrnateIndexOffset() const override { return 0x185F1; }
    std::uint32_t wallOrnateTableOffset() const override { return 0x18A5A; }
    std::uint32_t floorOrnateIndexOffset() const override { return 0x1862D; }
    std::uint32_t floorOrnateTableOffset() const override { return 0x18CCA; }
};

// Bytes of copier header in front of the ROM data in an image file.
inline constexpr std::uint32_t kCopierHeaderSize = 512;
