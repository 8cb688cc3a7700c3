#include "display/bell.h"

#include "core/bridge.h"
#include "core/bundle.h"
#include "core/log.h"
#include "display/aiff.h"
#include "text/fontloader.h"

#include <filesystem>

namespace {

constexpr const char* BellSoundName = "sysbeep.aif";

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
    const std::string path = resourcepath(BellSoundName);
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return found;
    }
    AiffSound sound = parseaiff(getbinaryfromfile(path));
    if (sound.Status != AiffStatus::Ok || sound.Samples.empty()) {
        logline(std::string("bell: ") + BellSoundName +
                " is not a playable sound, using the platform beep.");
        return found;
    }
    found.Exists = true;
    found.Sound.channels = sound.Channels;
    found.Sound.samplerate = sound.SampleRate;
    found.Sound.samples = std::move(sound.Samples);
    return found;
}

void reportonce(bool& reported, const char* line) {
    if (!reported) {
        reported = true;
        logline(line);
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
    onmain(ring);
}
