#include "tools/sample/sample_image.h"

#include "tools/sample/art.h"
#include "tools/sample/sounds.h"

#include "archive/raw_items.h"
#include "extract/version_profile.h"
#include "image/misc.h"
#include "image/ornates.h"
#include "pack/brr_encoder.h"
#include "pack/lz_packer.h"
#include "pack/pixel_run_packer.h"
#include "sound/sounds.h"

#include <algorithm>
#include <array>
#include <map>
#include <stdexcept>
#include <string>

namespace sample {

namespace {

constexpr std::uint32_t kFirstCreatureItem = 373;
constexpr std::uint32_t kCreatureCount = 27;
constexpr std::uint32_t kCreatureRecordSize = 12;
constexpr std::uint32_t kWallSetBytes = kWallRecordsPerSet * kOrnateRecordSize;    // 78
constexpr std::uint32_t kFloorSetBytes = kFloorRecordsPerSet * kOrnateRecordSize;  // 54

// Item handlings as the archive's type table codes them.
constexpr std::uint8_t kStored = 0;
constexpr std::uint8_t kStoredToo = 1;
constexpr std::uint8_t kPixelRuns = 2;
constexpr std::uint8_t kLz = 3;
// Types the extraction has no handling for: their items come out empty.
constexpr std::uint8_t kUnhandledTypes[] = {7, 4, 5, 9};

struct Size {
    int width = 0;
    int height = 0;
};

// ---- creatures ----

struct CreatureDesign {
    CreatureKind kind;
    int variant;
    Size front;   // size pair 0: views 0 and 2
    Size side;    // size pair 1: views 1 and 2 exist when set
    Size attack;  // size pair 2: view 3 exists when set
};

constexpr CreatureDesign kCreatures[kCreatureCount] = {
    {CreatureKind::Slime, 0, {32, 24}, {28, 24}, {32, 32}},
    {CreatureKind::Bat, 0, {48, 32}, {32, 32}, {}},
    {CreatureKind::Skeleton, 0, {32, 64}, {24, 64}, {40, 64}},
    {CreatureKind::Ghost, 0, {40, 48}, {32, 48}, {56, 48}},
    {CreatureKind::Spider, 0, {56, 40}, {}, {56, 48}},
    {CreatureKind::Worm, 0, {40, 56}, {40, 56}, {40, 64}},
    {CreatureKind::Eye, 0, {40, 40}, {32, 40}, {}},
    {CreatureKind::Golem, 0, {56, 72}, {40, 72}, {64, 72}},
    {CreatureKind::Knight, 0, {40, 72}, {32, 72}, {48, 72}},
    {CreatureKind::Dragon, 0, {80, 72}, {64, 72}, {80, 80}},
    {CreatureKind::Rat, 0, {32, 24}, {40, 24}, {}},
    {CreatureKind::Mushroom, 0, {32, 40}, {}, {}},
    {CreatureKind::Wizard, 0, {32, 64}, {28, 64}, {40, 64}},
    {CreatureKind::Scorpion, 0, {56, 40}, {}, {56, 48}},
    {CreatureKind::Plant, 0, {40, 56}, {}, {40, 56}},
    {CreatureKind::Mummy, 0, {32, 64}, {28, 64}, {40, 64}},
    {CreatureKind::Slime, 1, {24, 18}, {}, {}},
    {CreatureKind::Bat, 1, {40, 28}, {28, 28}, {}},
    {CreatureKind::Skeleton, 1, {32, 64}, {24, 64}, {40, 64}},
    {CreatureKind::Ghost, 1, {40, 48}, {32, 48}, {}},
    {CreatureKind::Spider, 1, {40, 28}, {}, {40, 36}},
    {CreatureKind::Worm, 1, {32, 48}, {}, {}},
    {CreatureKind::Eye, 1, {48, 48}, {40, 48}, {48, 48}},
    {CreatureKind::Golem, 1, {56, 72}, {40, 72}, {}},
    {CreatureKind::Knight, 1, {40, 72}, {32, 72}, {48, 72}},
    {CreatureKind::Mushroom, 1, {24, 32}, {24, 32}, {}},
    {CreatureKind::Dragon, 1, {96, 80}, {72, 80}, {96, 88}},
};

// ---- ornates ----

// A wall record set as the walls read it: record 11 for picture 0, record 12 for picture 1.
struct WallSet {
    std::uint8_t index;
    Size front;
    Size side;
};

// Sets 8 to 13 are not used: their records 11 and 12 would lie inside the floor sets, which
// start 624 bytes (eight wall sets) after the wall table.
constexpr WallSet kWallSets[] = {
    {0, {16, 40}, {8, 40}},  {1, {32, 24}, {16, 24}}, {2, {16, 16}, {8, 16}},   {3, {24, 48}, {12, 48}},
    {4, {32, 32}, {16, 32}}, {5, {24, 28}, {12, 28}}, {6, {40, 56}, {20, 56}},  {7, {48, 32}, {24, 32}},
    {14, {8, 48}, {4, 48}},  {15, {24, 16}, {12, 16}}, {16, {56, 40}, {28, 40}},
};

constexpr std::uint8_t kWallSetOfKind[] = {
    0,  0,  1, 0, 0, 2, 2, 2, 5, 3,   // Torch .. Banner
    4,  7,  6, 1, 3, 14, 4, 4, 5, 15, // Shield .. Vent
    4,  2,  2, 14, 2, 7, 5, 15, 0, 16, // Moss .. Tapestry
};
constexpr int kWallKinds = 30;

// Floor sets: for each group (near, middle, far) the sizes of picture 0 and picture 1.
struct FloorSet {
    Size pictures[kFloorGroups][kOrnatePictures];
};

constexpr FloorSet kFloorSets[] = {
    {{{{64, 20}, {48, 18}}, {{44, 14}, {32, 12}}, {{28, 8}, {20, 8}}}},
    {{{{48, 16}, {36, 14}}, {{32, 11}, {24, 10}}, {{20, 7}, {16, 6}}}},
    {{{{56, 18}, {40, 16}}, {{40, 12}, {28, 11}}, {{24, 8}, {18, 7}}}},
    {{{{40, 14}, {30, 12}}, {{28, 10}, {20, 9}}, {{18, 6}, {14, 6}}}},
};

constexpr std::uint8_t kFloorSetOfKind[kFloorOrnateCount] = {0, 1, 1, 2, 2, 1, 3, 1, 3};

const WallSet& WallSetOf(std::uint8_t index) {
    for (const WallSet& set : kWallSets)
        if (set.index == index) return set;
    throw std::logic_error("wall set not defined");
}

// ---- the items ----

struct Item {
    std::uint8_t type = kStored;
    std::vector<std::uint8_t> stored;
};

// Chooses a picture's handling by its item number, so that every handling occurs among the
// pictures: mostly pixel runs, some LZ, some stored as they are.
std::uint8_t PictureHandling(std::uint32_t item) {
    if (item % 6 == 0) return kLz;
    if (item % 6 == 3) return kStored;
    return kPixelRuns;
}

Item PictureItem(std::uint32_t item, const Canvas& canvas) {
    const std::uint8_t type = PictureHandling(item);
    switch (type) {
    case kLz: return {type, pack::PackLz(canvas.PackedRows())};
    case kStored: return {type, canvas.PackedRows()};
    default: return {type, pack::PackPixelRuns(canvas.Pixels(), canvas.Width(), canvas.Height())};
    }
}

std::vector<std::uint8_t> TextBytes(const std::string& text) { return {text.begin(), text.end()}; }

// A dungeon level of 32 x 32 cells: walls round the edge, rooms joined by corridors.
std::vector<std::uint8_t> LevelMap(int level) {
    constexpr int kSide = 32;
    std::vector<std::uint8_t> cells(kSide * kSide, 1);
    auto carve = [&](int x0, int y0, int x1, int y1, std::uint8_t cell) {
        for (int y = std::max(1, y0); y <= std::min(kSide - 2, y1); ++y)
            for (int x = std::max(1, x0); x <= std::min(kSide - 2, x1); ++x) cells[y * kSide + x] = cell;
    };
    int px = 2 + level % 5;
    int py = 2 + level % 3;
    for (int room = 0; room < 6; ++room) {
        const int x = 2 + (level * 7 + room * 11) % 24;
        const int y = 2 + (level * 5 + room * 13) % 24;
        carve(x, y, x + 3 + room % 3, y + 2 + level % 3, 0);
        carve(std::min(px, x), py, std::max(px, x), py, 0);
        carve(x, std::min(py, y), x, std::max(py, y), 0);
        px = x;
        py = y;
    }
    cells[py * kSide + px] = 2;  // stairs
    return cells;
}

// Contents for the items no table names: texts, maps, small tables and items of types without
// a handling.
Item FillerItem(std::uint32_t item) {
    static const char* const kTexts[] = {
        "THE GATE OPENS ONLY TO THOSE WHO CARRY THE SILVER KEY.",
        "HERE LIES THE SAMPLE DUNGEON. NOTHING IN IT IS BORROWED.",
        "A COLD WIND BLOWS FROM THE STAIRS BELOW.",
        "THE FOUNTAIN RESTORES THOSE WHO DRINK FROM IT.",
        "WELCOME TO QUILLMERE. EVERY PICTURE AND SOUND IN THIS IMAGE WAS MADE BY ITS GENERATOR.",
    };
    switch (item % 5) {
    case 0: {
        std::string text;
        for (int repeat = 0; repeat < 3; ++repeat) text += std::string(kTexts[(item / 5 + repeat) % 5]) + '\n';
        return {kLz, pack::PackLz(TextBytes(text))};
    }
    case 1: {
        std::vector<std::uint8_t> table(16 + item % 48);
        for (std::size_t i = 0; i < table.size(); ++i) table[i] = static_cast<std::uint8_t>((item * 31 + i * 7) & 0xFF);
        return {kStoredToo, table};
    }
    case 2:
        return {kLz, pack::PackLz(LevelMap(static_cast<int>(item)))};
    case 3: {
        std::vector<std::uint8_t> bytes(8 + item % 24, static_cast<std::uint8_t>(item & 0xFF));
        return {kUnhandledTypes[(item / 5) % std::size(kUnhandledTypes)], bytes};
    }
    default: {
        std::vector<std::uint8_t> table(item % 7 == 0 ? 0 : 32);
        for (std::size_t i = 0; i < table.size(); ++i) table[i] = static_cast<std::uint8_t>(i * item);
        return {kStored, table};
    }
    }
}

// Fails generation when two tables would claim the same byte: the ROM holds one value a byte.
class ImageWriter {
public:
    explicit ImageWriter(std::size_t size) : bytes_(size, 0), owner_(size, nullptr) {}

    void Put(std::uint32_t fileOffset, const std::vector<std::uint8_t>& bytes, const char* owner) {
        if (fileOffset + bytes.size() > bytes_.size()) throw std::logic_error(std::string(owner) + " past the image's end");
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            const char*& current = owner_[fileOffset + i];
            if (current && current != owner && bytes_[fileOffset + i] != bytes[i])
                throw std::logic_error(std::string(owner) + " overlaps " + current);
            current = owner;
            bytes_[fileOffset + i] = bytes[i];
        }
    }
    void Put16(std::uint32_t fileOffset, std::uint16_t value, const char* owner) {
        Put(fileOffset, {static_cast<std::uint8_t>(value & 0xFF), static_cast<std::uint8_t>(value >> 8)}, owner);
    }
    std::vector<std::uint8_t> Take() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
    std::vector<const char*> owner_;
};

std::vector<std::uint8_t> ColourBytes(const std::vector<std::uint16_t>& words) {
    std::vector<std::uint8_t> bytes;
    for (std::uint16_t word : words) {
        bytes.push_back(static_cast<std::uint8_t>(word & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(word >> 8));
    }
    return bytes;
}

std::vector<std::uint8_t> OrnateRecord(std::uint8_t x, std::uint8_t y, Size size) {
    return {x, y, 0, 0, static_cast<std::uint8_t>(size.width / 2), static_cast<std::uint8_t>(size.height)};
}

}  // namespace

const DrawnPicture* SampleImage::Picture(std::uint32_t item) const {
    for (const DrawnPicture& picture : pictures)
        if (picture.item == item) return &picture;
    return nullptr;
}

SampleImage BuildSampleImage(Game game) {
    const VersionProfileJp10 jp;
    const VersionProfileUs us;
    const VersionProfile& profile = game == Game::Jp ? static_cast<const VersionProfile&>(jp) : us;

    std::map<std::uint32_t, Canvas> drawn;
    auto draw = [&](std::uint32_t item, Canvas canvas) {
        if (!drawn.emplace(item, std::move(canvas)).second)
            throw std::logic_error("item " + std::to_string(item) + " drawn twice");
    };

    // Creatures: consecutive items from 373 on, views in slot order.
    std::vector<std::uint8_t> creatureTable;
    std::uint32_t nextCreatureItem = kFirstCreatureItem;
    for (const CreatureDesign& design : kCreatures) {
        const std::uint32_t first = nextCreatureItem;
        std::vector<std::pair<CreatureView, Size>> views = {{CreatureView::Front, design.front}};
        if (design.side.width) {
            views.push_back({CreatureView::Side, design.side});
            views.push_back({CreatureView::Back, design.front});
        }
        if (design.attack.width) views.push_back({CreatureView::Attack, design.attack});
        for (const auto& [view, size] : views)
            draw(nextCreatureItem++, DrawCreature(design.kind, design.variant, view, size.width, size.height));
        const std::uint8_t record[kCreatureRecordSize] = {
            static_cast<std::uint8_t>(first - kFirstCreatureItem),
            static_cast<std::uint8_t>(design.kind), static_cast<std::uint8_t>(design.variant), 0,
            static_cast<std::uint8_t>(design.front.width / 2), static_cast<std::uint8_t>(design.front.height),
            static_cast<std::uint8_t>(design.side.width / 2), static_cast<std::uint8_t>(design.side.height),
            static_cast<std::uint8_t>(design.attack.width / 2), static_cast<std::uint8_t>(design.attack.height),
            0, 0};
        creatureTable.insert(creatureTable.end(), std::begin(record), std::end(record));
    }

    // Wall ornates: two pictures each, sized by their set's records 11 and 12.
    std::vector<std::uint8_t> wallIndex;
    for (std::uint32_t n = 0; n < kWallOrnateCount; ++n) {
        const auto kind = static_cast<WallOrnateKind>(n % kWallKinds);
        const int variant = static_cast<int>(n / kWallKinds + n % 4);
        const std::uint8_t setIndex = kWallSetOfKind[n % kWallKinds];
        const WallSet& set = WallSetOf(setIndex);
        wallIndex.push_back(setIndex);
        draw(kFirstWallItem + 2 * n, DrawWallOrnate(kind, variant, 0, set.front.width, set.front.height));
        draw(kFirstWallItem + 2 * n + 1, DrawWallOrnate(kind, variant, 1, set.side.width, set.side.height));
    }

    // Floor ornates: three groups of two pictures each.
    std::vector<std::uint8_t> floorIndex;
    for (std::uint32_t m = 0; m < kFloorOrnateCount; ++m) {
        const std::uint8_t setIndex = kFloorSetOfKind[m];
        floorIndex.push_back(setIndex);
        for (std::uint32_t v = 0; v < kFloorGroups; ++v)
            for (std::uint32_t j = 0; j < kOrnatePictures; ++j) {
                const Size size = kFloorSets[setIndex].pictures[v][j];
                draw(kFirstFloorItem + 6 * m + 2 * v + j,
                     DrawFloorOrnate(static_cast<FloorOrnateKind>(m), static_cast<int>(v), static_cast<int>(j),
                                     size.width, size.height));
            }
    }

    for (const MiscImageEntry& entry : MiscImagesPaletteA) draw(entry.itemNumber, DrawMisc(entry.itemNumber, entry.width, entry.height));
    for (const MiscImageEntry& entry : MiscImagesPaletteB) draw(entry.itemNumber, DrawMisc(entry.itemNumber, entry.width, entry.height));

    // Rune icons in items no table names, so that the Raw folder holds pictures of its own too.
    for (std::uint32_t item = 243; item <= 270; ++item) draw(item, DrawRuneIcon(static_cast<int>(item - 243), 16, 16));

    // The items: pictures, sounds, and filler for the rest.
    std::array<Item, kItemCount> items;
    std::array<bool, kItemCount> assigned{};
    for (const auto& [number, canvas] : drawn) {
        items[number] = PictureItem(number, canvas);
        assigned[number] = true;
    }
    for (std::size_t i = 0; i < kSoundItemCount; ++i) {
        const std::uint32_t number = SoundItemTable[i];
        if (assigned[number]) throw std::logic_error("sound item " + std::to_string(number) + " holds a picture");
        const SynthesizedSound sound = SynthesizeSound(static_cast<int>(i));
        std::vector<std::uint8_t> bytes = pack::MakeSoundItem(sound.samples, pack::RateValueFor(sound.sampleRate));
        items[number] = i % 3 == 2 ? Item{kLz, pack::PackLz(bytes)} : Item{kStoredToo, std::move(bytes)};
        assigned[number] = true;
    }
    for (std::uint32_t number = 0; number < kItemCount; ++number)
        if (!assigned[number]) items[number] = FillerItem(number);

    // Placement by the bank rule: an item that would pass address 0xFFFF starts the next bank.
    std::array<std::uint32_t, kItemCount> fileOffsets{};
    std::uint32_t address = kBankStartAddress;
    std::uint32_t bank = kFirstItemBank;
    for (std::uint32_t number = 0; number < kItemCount; ++number) {
        const auto size = static_cast<std::uint32_t>(items[number].stored.size());
        if (size > 0xFFFF) throw std::logic_error("item " + std::to_string(number) + " too large");
        if (address + size > kBankLastAddress) {
            address = kBankStartAddress;
            bank += kBankSize;
        }
        fileOffsets[number] = bank + (address & 0x7FFF) + kCopierHeaderSize;
        address += size;
    }
    const std::uint32_t romSize = bank + kBankSize;

    ImageWriter image(kCopierHeaderSize + romSize);
    // Copier header: the ROM size in 8 KiB units, the rest zero.
    image.Put16(0, static_cast<std::uint16_t>(romSize / 0x2000), "copier header");
    for (std::uint32_t number = 0; number < kItemCount; ++number) {
        image.Put16(ItemSizeTableOffset + 2 * number, static_cast<std::uint16_t>(items[number].stored.size()), "size table");
        image.Put(ItemTypeTableOffset + number, {items[number].type}, "type table");
        image.Put(fileOffsets[number], items[number].stored, "item data");
    }

    const std::uint32_t header = kCopierHeaderSize;
    image.Put(profile.paletteAOffset() + header, ColourBytes(PaletteAWords()), "paletteA");
    image.Put(profile.paletteBOffset() + header, ColourBytes(PaletteBWords()), "paletteB");
    image.Put(profile.creatureTableOffset() + header, creatureTable, "creature table");
    image.Put(profile.wallOrnateIndexOffset() + header, wallIndex, "wall set indices");
    image.Put(profile.floorOrnateIndexOffset() + header, floorIndex, "floor set indices");

    // Wall sets: records 11 and 12 are the ones read; sets 0 to 7 also get the records of the
    // nearer and farther distances, scaled down, in the bytes before them.
    for (const WallSet& set : kWallSets) {
        const std::uint32_t start = profile.wallOrnateTableOffset() + header + kWallSetBytes * set.index;
        if (set.index < 8)
            for (std::uint32_t r = 0; r < WallOrnateRecords[0]; ++r) {
                const Size scaled = {std::max(2, set.front.width * static_cast<int>(r + 3) / 14 / 2 * 2),
                                     std::max(1, set.front.height * static_cast<int>(r + 3) / 14)};
                image.Put(start + kOrnateRecordSize * r, OrnateRecord(static_cast<std::uint8_t>(r), 0, scaled), "wall records");
            }
        image.Put(start + kOrnateRecordSize * WallOrnateRecords[0], OrnateRecord(11, 0, set.front), "wall records");
        image.Put(start + kOrnateRecordSize * WallOrnateRecords[1], OrnateRecord(12, 0, set.side), "wall records");
    }
    for (std::size_t s = 0; s < std::size(kFloorSets); ++s) {
        const std::uint32_t start = profile.floorOrnateTableOffset() + header + kFloorSetBytes * static_cast<std::uint32_t>(s);
        for (std::uint32_t v = 0; v < kFloorGroups; ++v) {
            const Size* pictures = kFloorSets[s].pictures[v];
            // The record before each group's pair is not read; it holds the far-side size.
            image.Put(start + kOrnateRecordSize * (3 * v), OrnateRecord(0, static_cast<std::uint8_t>(v), pictures[1]), "floor records");
            for (std::uint32_t j = 0; j < kOrnatePictures; ++j)
                image.Put(start + kOrnateRecordSize * FloorOrnateRecords[v][j],
                          OrnateRecord(static_cast<std::uint8_t>(j), static_cast<std::uint8_t>(v), pictures[j]), "floor records");
        }
    }

    SampleImage result;
    result.bytes = image.Take();
    for (const Item& item : items) result.itemTypes.push_back(item.type);
    for (auto& [number, canvas] : drawn)
        result.pictures.push_back({number, canvas.Width(), canvas.Height(), canvas.Pixels()});
    return result;
}

}  // namespace sample
