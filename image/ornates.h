// Stages 3 and 4: wall ornate pictures (Wall_Ornates/NN.J.bmp) or floor ornate pictures
// (Floor_Ornates/MM.V.J.bmp), as the walls flag says.
#pragma once

#include "extract/output_folders.h"
#include "extract/path_buffer.h"

#include <cstdint>

class VersionProfile;
namespace platform { class File; }

// Each ornate has a set index byte that picks a set of 6-byte records; bytes 4 and 5 of a record
// give a picture's width in bytes (two pixels each) and its height in rows.
inline constexpr std::uint32_t kOrnateRecordSize = 6;
inline constexpr std::uint32_t kOrnateWidthByte = 4;
inline constexpr std::uint32_t kOrnateHeightByte = 5;
inline constexpr std::uint32_t kOrnatePictures = 2;

inline constexpr std::uint32_t kWallOrnateCount = 60;
inline constexpr std::uint32_t kWallRecordsPerSet = 13;
inline constexpr std::uint32_t kFirstWallItem = 48;  // + 2n + j
// The record of wall picture j within its set; records 0 to 10 serve no picture.
inline constexpr std::uint32_t WallOrnateRecords[kOrnatePictures] = {11, 12};

inline constexpr std::uint32_t kFloorOrnateCount = 9;
inline constexpr std::uint32_t kFloorGroups = 3;
inline constexpr std::uint32_t kFloorRecordsPerSet = 9;
inline constexpr std::uint32_t kFirstFloorItem = 174;  // + 6m + 2v + j
// The record of floor picture j of group v within its set (3v + 2 - j); records 0, 3 and 6
// serve no picture.
inline constexpr std::uint32_t FloorOrnateRecords[kFloorGroups][kOrnatePictures] = {
    {2, 1}, {5, 4}, {8, 7}};

bool ExtractOrnates(platform::File* rom, PathBuffer folder, bool walls,
                    const VersionProfile* profile, StageReport* report = nullptr);
