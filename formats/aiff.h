#pragma once
// AIFF sound files: uncompressed PCM in big-endian chunks (FORM "AIFF" holding COMM and SSND).
// The reader takes any bytes, including hostile ones, and never reads outside them.
#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace formats {

enum class AiffStatus {
    Ok,
    NotAiff,       // no FORM header of form type "AIFF"
    Truncated,     // a chunk or the sound data runs past the end of the bytes
    NoCommonChunk, // no COMM chunk
    NoSoundData,   // no SSND chunk
    Unsupported,   // channel count, sample size or sample rate outside what is played
};

struct AiffSound {
    AiffStatus status = AiffStatus::NotAiff;
    int64_t channels = 0;
    int64_t samplerate = 0; // frames per second, rounded to the nearest integer
    int64_t bits = 0;       // sample size in the file (1 ... 32)
    // Interleaved frames as 16-bit samples in host byte order; every sample size is scaled to 16
    // bits. Empty unless status is Ok.
    std::vector<int16_t> samples;
};

constexpr int64_t aiffmaxchannels = 64;
constexpr int64_t aiffmaxsamplerate = 1000000;

AiffSound parseaiff(std::span<const uint8_t> bytes);

// The 80-bit IEEE 754 extended number (big-endian) in which COMM stores the sample rate.
// Infinity and NaN come back as such.
double extendedtodouble(std::span<const uint8_t, 10> bytes);
std::array<uint8_t, 10> extendedfromrate(uint32_t rate);

// A 16-bit AIFF file of the given interleaved samples (the sample count is a multiple of
// channels).
std::vector<uint8_t> encodeaiff(int64_t channels, uint32_t samplerate,
                                std::span<const int16_t> samples);

} // namespace formats
