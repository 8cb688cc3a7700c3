#include "display/bell.h"

#include "base/lasting.h"
#include "base/log.h"
#include "core/bridge.h"
#include "display/resources.h"
#include "formats/aiff.h"

#include <atomic>
#include <filesystem>

namespace display {

namespace {

constexpr const char* bellsoundname = "sysbeep.aif";

// The sound as first looked up; touched on the main thread only.
struct BellSound {
    bool lookedup = false;
    bool exists = false;
    platform::SoundData sound;
};

struct BellState {
    BellSound bell;
    bool nodevicereported = false;
    bool refusalreported = false;
    std::atomic<uint64_t> rung{0};
};

BellState& state() {
    return base::lasting<BellState>();
}

// A file that is missing is silently the platform beep; one that cannot be played says so.
BellSound lookupbellsound() {
    BellSound found;
    found.lookedup = true;
    const std::filesystem::path file = findresourcefile(bellsoundname);
    std::error_code error;
    if (file.empty() ? builtinresource(bellsoundname).empty()
                     : !std::filesystem::is_regular_file(file, error)) {
        return found;
    }
    formats::AiffSound sound = formats::parseaiff(readresource(bellsoundname));
    if (sound.status != formats::AiffStatus::Ok || sound.samples.empty()) {
        base::logline(std::string("bell: ") + bellsoundname +
                      " is not a playable sound, using the platform beep.");
        return found;
    }
    found.exists = true;
    found.sound.channels = sound.channels;
    found.sound.samplerate = sound.samplerate;
    found.sound.samples = std::move(sound.samples);
    return found;
}

void reportonce(bool& reported, const char* line) {
    if (!reported) {
        reported = true;
        base::logline(line);
    }
}

void ring() {
    BellSound& bellsound = state().bell;
    if (!bellsound.lookedup) {
        bellsound = lookupbellsound();
    }
    if (!bellsound.exists) {
        platform::beep();
        return;
    }
    if (platform::soundisplaying()) {
        return;
    }
    switch (platform::soundplay(bellsound.sound)) {
    case platform::SoundStart::Playing:
        return;
    case platform::SoundStart::NoDevice:
        reportonce(state().nodevicereported,
                   "bell: No audio output device, using the platform beep.");
        break;
    case platform::SoundStart::Refused:
        reportonce(state().refusalreported, "bell: The audio output refused the sound, using the "
                                            "platform beep.");
        break;
    }
    platform::beep();
}

} // namespace

void bell() {
    ++state().rung;
    core::onmain(ring);
}

uint64_t bellcount() {
    return state().rung;
}

} // namespace display
