#include "tools/sample/sounds.h"

#include <algorithm>
#include <cmath>

namespace sample {

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr double kPeak = 20000.0;
constexpr int kRates[] = {11025, 16000, 22050, 12000, 14000, 18000, 20000};

// A small xorshift generator, so that the noise is the same on every platform and every run.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : state_(seed * 2654435761u + 1u) {}
    double Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return static_cast<double>(state_) / 2147483648.0 - 1.0;
    }

private:
    std::uint32_t state_;
};

// Attack and release in seconds; the rest at full level.
double Envelope(double t, double duration, double attack, double release) {
    if (t < attack) return t / attack;
    if (t > duration - release) return std::max(0.0, (duration - t) / release);
    return 1.0;
}

enum class Kind { Tone, Sweep, NoiseBurst, Bell, Thud, Chirps, Warble };

}  // namespace

SynthesizedSound SynthesizeSound(int index) {
    const Kind kind = static_cast<Kind>(index % 7);
    const int rate = kRates[(index * 3) % 7];
    const double duration = 0.15 + 0.05 * (index % 8);
    const int count = static_cast<int>(duration * rate);
    const double base = 220.0 * std::pow(2.0, (index % 12) / 12.0);
    Noise noise(static_cast<std::uint32_t>(index + 1));

    SynthesizedSound sound{rate, std::vector<std::int16_t>(static_cast<std::size_t>(count))};
    double phase = 0.0;
    double low = 0.0;  // one-pole low-pass state for the noises
    for (int i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / rate;
        const double progress = t / duration;
        double value = 0.0;
        switch (kind) {
        case Kind::Tone:
            phase += kTwoPi * base * 2.0 / rate;
            value = (std::sin(phase) + 0.3 * std::sin(3.0 * phase)) / 1.3 * Envelope(t, duration, 0.01, 0.08);
            break;
        case Kind::Sweep: {
            const bool up = index % 2 == 0;
            const double f = up ? base * (1.0 + 4.0 * progress) : base * (5.0 - 4.0 * progress);
            phase += kTwoPi * f / rate;
            value = std::sin(phase) * Envelope(t, duration, 0.01, 0.05);
            break;
        }
        case Kind::NoiseBurst:
            low += 0.25 * (noise.Next() - low);
            value = low * 2.5 * std::exp(-6.0 * progress);
            break;
        case Kind::Bell:
            phase += kTwoPi * base * 3.0 / rate;
            value = (std::sin(phase) + 0.5 * std::sin(2.76 * phase) + 0.25 * std::sin(5.4 * phase)) / 1.75 *
                    std::exp(-5.0 * progress) * Envelope(t, duration, 0.002, 0.02);
            break;
        case Kind::Thud:
            phase += kTwoPi * (60.0 + 80.0 * std::exp(-8.0 * progress)) / rate;
            low += 0.05 * (noise.Next() - low);
            value = (0.8 * std::sin(phase) + 2.0 * low) * std::exp(-7.0 * progress);
            break;
        case Kind::Chirps: {
            // Three short rising chirps.
            const double local = std::fmod(progress * 3.0, 1.0);
            phase += kTwoPi * base * (2.0 + 3.0 * local) / rate;
            value = std::sin(phase) * (local < 0.7 ? std::sin(3.14159 * local / 0.7) : 0.0);
            break;
        }
        case Kind::Warble:
            phase += kTwoPi * base * (1.5 + 0.1 * std::sin(kTwoPi * 8.0 * t)) / rate;
            value = std::sin(phase) * (0.6 + 0.4 * std::sin(kTwoPi * 5.0 * t)) * Envelope(t, duration, 0.03, 0.1);
            break;
        }
        sound.samples[static_cast<std::size_t>(i)] =
            static_cast<std::int16_t>(std::lround(std::clamp(value, -1.0, 1.0) * kPeak));
    }
    return sound;
}

}  // namespace sample
