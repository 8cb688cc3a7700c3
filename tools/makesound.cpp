// Build-time generator of the bell's sound.
//
//   makesound <output.aif>
//       Writes a short bell: a sine at 880 Hz with a faint octave above, a quick attack and an
//       exponential decay, as 16-bit mono PCM at 44.1 kHz.
#include "formats/aiff.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <vector>

namespace {

constexpr uint32_t SampleRate = 44100;
constexpr double Duration = 0.15;  // seconds
constexpr double Pitch = 880;      // Hz
constexpr double Overtone = 0.18;  // level of the octave, which makes the tone ring
constexpr double Attack = 0.003;   // seconds, long enough to avoid a click
constexpr double DecayTime = 0.04; // seconds per factor e
constexpr double Release = 0.01;   // seconds of fade to silence at the end
constexpr double Peak = 0.45;      // of full scale

double envelope(double t) {
    const double attack = std::min(1.0, t / Attack);
    const double release = std::min(1.0, (Duration - t) / Release);
    return attack * std::exp(-t / DecayTime) * std::max(0.0, release);
}

std::vector<int16_t> bellsamples() {
    const size_t frames = static_cast<size_t>(SampleRate * Duration);
    std::vector<int16_t> samples(frames);
    for (size_t i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / SampleRate;
        const double phase = 2 * std::numbers::pi * Pitch * t;
        const double tone = (std::sin(phase) + Overtone * std::sin(2 * phase)) / (1 + Overtone);
        samples[i] = static_cast<int16_t>(std::lround(32767 * Peak * envelope(t) * tone));
    }
    return samples;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: makesound <output.aif>\n");
        return 2;
    }
    const std::vector<int16_t> samples = bellsamples();
    const std::vector<uint8_t> file = formats::encodeaiff(1, SampleRate, samples);
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(file.data()),
              static_cast<std::streamsize>(file.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "makesound: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
