// Little-endian fields of the file headers the stages write (BMP, WAV).
#pragma once

#include <cstdint>

inline void PutLe16(std::uint8_t* at, std::uint32_t value) {
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}

inline void PutLe32(std::uint8_t* at, std::uint32_t value) {
    PutLe16(at, value);
    PutLe16(at + 2, value >> 16);
}
