// Arbitrary bytes as an AIFF sound file.
#include "display/aiff.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <span>

namespace {

void require(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

void checksound(const AiffSound& sound, size_t inputsize) {
    if (sound.Status != AiffStatus::Ok) {
        require(sound.Samples.empty() && sound.Channels == 0);
        return;
    }
    require(sound.Channels >= 1 && sound.Channels <= AiffMaxChannels);
    require(sound.Bits >= 1 && sound.Bits <= 32);
    require(sound.SampleRate >= 1 && sound.SampleRate <= AiffMaxSampleRate);
    require(sound.Samples.size() % static_cast<size_t>(sound.Channels) == 0);
    // Every sample comes from at least one byte of the input.
    require(sound.Samples.size() <= inputsize);
}

// A 16-bit sound written again reads back the same.
void checkroundtrip(const AiffSound& sound) {
    if (sound.Status != AiffStatus::Ok) {
        return;
    }
    const AiffSound again = parseaiff(
        encodeaiff(sound.Channels, static_cast<uint32_t>(sound.SampleRate), sound.Samples));
    require(again.Status == AiffStatus::Ok && again.Channels == sound.Channels &&
            again.SampleRate == sound.SampleRate && again.Bits == 16 &&
            again.Samples == sound.Samples);
}

void checkextended(std::span<const uint8_t> bytes) {
    if (bytes.size() < 10) {
        return;
    }
    const double value = extendedtodouble(bytes.first<10>());
    if (std::isfinite(value) && value >= 0 && value < 4294967296.0) {
        const auto rate = static_cast<uint32_t>(value);
        require(extendedtodouble(extendedfromrate(rate)) == rate);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    const AiffSound sound = parseaiff(bytes);
    checksound(sound, size);
    checkroundtrip(sound);
    checkextended(bytes);
    return 0;
}
