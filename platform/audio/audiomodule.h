#pragma once
// What the audio module offers the platform: sound output through Qt Multimedia, built as a
// module of its own and loaded with the first sound, so that a program that never rings the bell
// never loads Qt Multimedia and the sound server's client libraries (some 25 libraries). A plain
// record of functions under one C name, checked by its version when loaded.
#include <cstddef>
#include <cstdint>

namespace platform::audio {

// Raised when a function is added or changes: a module of another version is not used.
constexpr int moduleversion = 1;

// The entry point's name, looked up with dlsym.
constexpr const char* entryname = "quorvinthal_audio_module";

struct Module {
    int version;
    // Starts interleaved 16-bit PCM on the default output unless the last sound still plays; the
    // result is a platform::SoundStart. The samples are copied. Sound thread only, like the rest.
    int (*start)(int64_t samplerate, int64_t channels, const int16_t* samples, size_t count);
    bool (*isplaying)();
    bool (*hasoutput)(); // an audio output device exists
};

using Entry = const Module* (*)();

} // namespace platform::audio
