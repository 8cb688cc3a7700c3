#include "display/bell.h"

#include "core/bridge.h"
#include "core/bundle.h"
#include "core/log.h"
#include "formats/aiff.h"
#include "formats/binaryfile.h"

#include <filesystem>

namespace display {

namespace {

constexpr const char* bellsoundname = "sysbeep.aif";

// The sound as first looked up; touched on the main thread only.
struct BellSound {
    bool LookedUp = false;
    bool Exists = false;
    platform::SoundData Sound;
};

BellSound bellsound;
bool nodevicereported = false;
bool refusalreported = false;

// A file that is missing is silently the platform beep; one that cannot be played says so.
BellSound lookupbellsound() {
    BellSound found;
    found.LookedUp = true;
    const std::string path = core::resourcepath(bellsoundname);
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return found;
    }
    formats::AiffSound sound = formats::parseaiff(formats::getbinaryfromfile(path));
    if (sound.status != formats::AiffStatus::Ok || sound.samples.empty()) {
        core::logline(std::string("bell: ") + bellsoundname +
                      " is not a playable sound, using the platform beep.");
        return found;
    }
    found.Exists = true;
    found.Sound.channels = sound.channels;
    found.Sound.samplerate = sound.samplerate;
    found.Sound.samples = std::move(sound.samples);
    return found;
}

void reportonce(bool& reported, const char* line) {
    if (!reported) {
        reported = true;
        core::logline(line);
    }
}

void ring() {
    if (!bellsound.LookedUp) {
        bellsound = lookupbellsound();
    }
    if (!bellsound.Exists) {
        platform::beep();
        return;
    }
    if (platform::soundisplaying()) {
        return;
    }
    switch (platform::soundplay(bellsound.Sound)) {
    case platform::SoundStart::Playing:
        return;
    case platform::SoundStart::NoDevice:
        reportonce(nodevicereported, "bell: No audio output device, using the platform beep.");
        break;
    case platform::SoundStart::Refused:
        reportonce(refusalreported, "bell: The audio output refused the sound, using the "
                                    "platform beep.");
        break;
    }
    platform::beep();
}

} // namespace

void bell() {
    core::onmain(ring);
}

} // namespace display
