// The sample image's sounds, synthesized: tones, sweeps, noise bursts, bells and thuds.
#pragma once

#include <cstdint>
#include <vector>

namespace sample {

struct SynthesizedSound {
    int sampleRate;  // 11000..22000 Hz, a multiple of 5 above 11000
    std::vector<std::int16_t> samples;
};

// The index-th of the 45 sounds; the same samples on every call.
SynthesizedSound SynthesizeSound(int index);

}  // namespace sample
