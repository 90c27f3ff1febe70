#include "Sounds.h"

#include "platform/Sound.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr int SampleRate = 22050;

int16_t ToSample(double value) {
    return static_cast<int16_t>(std::lround(std::clamp(value, -1.0, 1.0) * 32767.0));
}

}  // namespace

std::vector<uint8_t> ReturnBlockWave() {
    // About 0.3 s gliding from 660 Hz down to 330 Hz, faded in and out so it never clicks.
    const int count = SampleRate * 3 / 10;
    std::vector<int16_t> samples(count);
    double phase = 0.0;
    for (int i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / count;
        const double frequency = 660.0 * std::pow(0.5, t);
        phase += 2.0 * std::numbers::pi * frequency / SampleRate;
        const double envelope = std::min(1.0, t * 20.0) * std::pow(1.0 - t, 2.0);
        samples[i] = ToSample(0.35 * envelope * (std::sin(phase) + 0.25 * std::sin(2.0 * phase)));
    }
    return MakeWaveFile(samples, SampleRate);
}

std::vector<uint8_t> BlockSetWave() {
    // About 30 ms: a high tick over a quickly dying low knock, like a piece set on a board.
    const int count = SampleRate * 3 / 100;
    std::vector<int16_t> samples(count);
    uint32_t noise = 12345;
    for (int i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / SampleRate;
        noise = noise * 1664525u + 1013904223u;
        const double white = static_cast<double>(noise >> 8) / static_cast<double>(1u << 24) * 2.0 - 1.0;
        const double tick = white * std::exp(-t * 900.0);
        const double knock = std::sin(2.0 * std::numbers::pi * 1800.0 * t) * std::exp(-t * 220.0);
        samples[i] = ToSample(0.45 * tick + 0.5 * knock);
    }
    return MakeWaveFile(samples, SampleRate);
}
