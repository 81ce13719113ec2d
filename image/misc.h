// Stage 5: the pictures of two built-in lists of items, Misc/NNN.bmp.
#pragma once

#include "extract/output_folders.h"
#include "extract/path_buffer.h"

#include <cstdint>
#include <iterator>

namespace platform { class File; }

struct MiscImageEntry {
    std::uint32_t itemNumber;
    std::uint8_t width;   // in pixels, unlike the ROM's tables, which give bytes
    std::uint8_t height;  // in rows
};

// Drawn with the first 16 colours of paletteA, in this order.
inline constexpr MiscImageEntry MiscImagesPaletteA[] = {
    {2, 24, 94},    {3, 24, 123},   {4, 24, 94},    {5, 36, 65},    {6, 24, 44},
    {7, 24, 43},    {10, 24, 136},  {11, 24, 136},  {12, 192, 111}, {13, 108, 71},
    {14, 96, 51},   {17, 60, 46},   {18, 72, 46},   {19, 48, 62},   {20, 72, 62},
    {22, 120, 100}, {23, 24, 44},   {24, 60, 41},   {25, 72, 43},   {26, 48, 62},
    {27, 72, 62},   {29, 120, 91},  {30, 24, 60},   {32, 24, 43},   {33, 24, 39},
    {35, 36, 41},   {36, 48, 61},   {37, 72, 88},   {38, 36, 41},   {39, 48, 61},
    {40, 72, 88},   {41, 36, 41},   {42, 48, 61},   {43, 72, 88},   {44, 36, 41},
    {45, 48, 61},   {46, 72, 88},   {168, 72, 9},   {169, 72, 9},   {170, 60, 15},
    {171, 84, 15},  {172, 48, 29},  {173, 120, 29}, {228, 72, 88},  {229, 72, 88},
    {230, 24, 19},  {231, 72, 88},  {232, 72, 88},  {233, 72, 88},  {234, 24, 19},
    {235, 24, 19},  {236, 24, 19},  {237, 72, 88},  {238, 24, 19},  {239, 24, 19},
    {240, 72, 88},  {241, 72, 88},  {242, 14, 16},  {271, 24, 28},  {272, 24, 11},
    {273, 24, 28},  {274, 24, 24},  {275, 120, 111}, {276, 96, 97}, {277, 120, 91},
    {460, 168, 70}, {461, 188, 29}, {462, 24, 136}, {463, 24, 136}, {464, 192, 111},
    {465, 108, 71}, {466, 96, 51},  {491, 72, 12},  {492, 48, 24},  {493, 120, 24},
    {495, 144, 12}, {503, 72, 5},   {504, 48, 9},   {505, 120, 9},  {508, 72, 51},
    {509, 60, 71},  {510, 48, 111}, {511, 24, 136}, {514, 72, 95},
};

// Drawn with the first 16 colours of paletteB, after the first list.
inline constexpr MiscImageEntry MiscImagesPaletteB[] = {
    {656, 168, 128},
    {658, 104, 21},
};

static_assert(std::size(MiscImagesPaletteA) == 84 && std::size(MiscImagesPaletteB) == 2);

bool ExtractMisc(platform::File* rom, PathBuffer folder, StageReport* report = nullptr);
