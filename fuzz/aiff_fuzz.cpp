// Arbitrary bytes as an AIFF sound file.
#include "formats/aiff.h"
#include "quorvinthal/toolkit.h"

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

void checksound(const formats::AiffSound& sound, size_t inputsize) {
    if (sound.status != formats::AiffStatus::Ok) {
        require(sound.samples.empty() && sound.channels == 0);
        return;
    }
    require(sound.channels >= 1 && sound.channels <= formats::aiffmaxchannels);
    require(sound.bits >= 1 && sound.bits <= 32);
    require(sound.samplerate >= 1 && sound.samplerate <= formats::aiffmaxsamplerate);
    require(sound.samples.size() % static_cast<size_t>(sound.channels) == 0);
    // Every sample comes from at least one byte of the input.
    require(sound.samples.size() <= inputsize);
}

// A 16-bit sound written again reads back the same.
void checkroundtrip(const formats::AiffSound& sound) {
    if (sound.status != formats::AiffStatus::Ok) {
        return;
    }
    const formats::AiffSound again = formats::parseaiff(formats::encodeaiff(
        sound.channels, static_cast<uint32_t>(sound.samplerate), sound.samples));
    require(again.status == formats::AiffStatus::Ok && again.channels == sound.channels &&
            again.samplerate == sound.samplerate && again.bits == 16 &&
            again.samples == sound.samples);
}

void checkextended(std::span<const uint8_t> bytes) {
    if (bytes.size() < 10) {
        return;
    }
    const double value = formats::extendedtodouble(bytes.first<10>());
    if (std::isfinite(value) && value >= 0 && value < 4294967296.0) {
        const auto rate = static_cast<uint32_t>(value);
        require(formats::extendedtodouble(formats::extendedfromrate(rate)) == rate);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    const formats::AiffSound sound = formats::parseaiff(bytes);
    checksound(sound, size);
    checkroundtrip(sound);
    checkextended(bytes);
    return 0;
}
