// One sound item, BRR blocks in, a mono 16-bit PCM WAV file out.
#pragma once

#include <cstdint>

class ByteSink;
class ByteSource;

// The sound item's own header: a little-endian total length at bytes 0-1 and a big-endian rate
// value at bytes 7-8; the 9-byte blocks follow.
inline constexpr std::uint32_t kSoundHeaderSize = 11;
inline constexpr std::uint32_t kBrrBlockSize = 9;
inline constexpr std::uint32_t kSamplesPerBlock = 16;
// "RIFF", an 18-byte "fmt " block, "fact" with the sample count, then the "data" header.
inline constexpr std::uint32_t kWaveHeaderSize = 58;

// Reads one sound item byte by byte from source and writes its WAV file byte by byte to sink.
// True when the header and every sample were written; false as soon as the source runs out or
// the sink refuses a byte, with what was written so far left in the sink. An item whose length
// field is below its own header size is refused before anything is written.
bool WriteWaveFile(ByteSource& source, ByteSink& sink);
