#include "display/bell.h"

#include "base/clock.h"
#include "base/lasting.h"
#include "base/log.h"
#include "display/resources.h"
#include "formats/aiff.h"
#include "platform/platform.h"

#include <atomic>
#include <filesystem>
#include <memory>
#include <mutex>

namespace display {

namespace {

constexpr const char* bellsoundname = "sysbeep.aif";

// A request the audio output has not answered by then gets the platform beep instead, and the
// output is left alone for a minute: a server that hangs once mostly hangs again.
constexpr int64_t answermilliseconds = 300;
constexpr int64_t retrymilliseconds = 60'000;

struct BellState {
    std::once_flag lookup;
    std::shared_ptr<const platform::SoundData> sound; // null: the platform beep serves
    std::atomic<bool> nodevicereported{false};
    std::atomic<bool> refusalreported{false};
    std::atomic<bool> hangreported{false};
    std::atomic<int64_t> quietuntil{0}; // no audio output requests before this time (ms)
    std::atomic<uint64_t> rung{0};
};

BellState& state() {
    return base::lasting<BellState>();
}

int64_t now() {
    return base::steadymilliseconds();
}

std::string soundproblem(std::span<const uint8_t> bytes) {
    const formats::AiffSound sound = formats::parseaiff(bytes);
    return sound.status == formats::AiffStatus::Ok && !sound.samples.empty()
               ? std::string()
               : "is not a playable sound";
}

// A file that is missing is silently the platform beep; a damaged one is named and its built-in
// copy serves; one that cannot be played without a copy says so.
std::shared_ptr<const platform::SoundData> lookupbellsound() {
    const std::filesystem::path file = findresourcefile(bellsoundname);
    std::error_code error;
    if (file.empty() ? builtinresource(bellsoundname).empty()
                     : !std::filesystem::is_regular_file(file, error)) {
        return nullptr;
    }
    formats::AiffSound sound =
        formats::parseaiff(readcheckedresource("bell", bellsoundname, soundproblem));
    if (sound.status != formats::AiffStatus::Ok || sound.samples.empty()) {
        base::logline(std::string("bell: ") + bellsoundname +
                      " is not a playable sound, using the platform beep.");
        return nullptr;
    }
    auto found = std::make_shared<platform::SoundData>();
    found->channels = sound.channels;
    found->samplerate = sound.samplerate;
    found->samples = std::move(sound.samples);
    return found;
}

// The sound as first looked up.
const std::shared_ptr<const platform::SoundData>& bellsound() {
    BellState& bell = state();
    std::call_once(bell.lookup, [&bell] { bell.sound = lookupbellsound(); });
    return bell.sound;
}

void reportonce(std::atomic<bool>& reported, const char* line) {
    if (!reported.exchange(true)) {
        base::logline(line);
    }
}

// The platform beep, from any thread without waiting for the main thread.
void beep() {
    platform::postonmain(platform::beep);
}

void unanswered() {
    state().quietuntil = now() + retrymilliseconds;
    reportonce(state().hangreported,
               "bell: The audio output does not answer, using the platform beep.");
    beep();
}

void answer(platform::SoundStart result) {
    switch (result) {
    case platform::SoundStart::Playing:
    case platform::SoundStart::StillPlaying:
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
    beep();
}

// Asks the sound thread to play and returns at once; whichever comes first, its answer or the
// deadline, decides.
void requestsound(std::shared_ptr<const platform::SoundData> sound) {
    enum Outcome { Pending, Answered, Late };
    auto outcome = std::make_shared<std::atomic<int>>(Pending);
    platform::soundplay(std::move(sound), [outcome](platform::SoundStart result) {
        if (outcome->exchange(Answered) == Pending) {
            answer(result);
        }
    });
    platform::postonmainafter(answermilliseconds, [outcome] {
        if (outcome->exchange(Late) == Pending) {
            unanswered();
        }
    });
}

void ring() {
    const std::shared_ptr<const platform::SoundData>& sound = bellsound();
    if (!sound || now() < state().quietuntil) {
        beep();
        return;
    }
    // A request still with the output: a bell while the last one sounds is silent, one behind a
    // request that is long unanswered gets the beep.
    if (const int64_t busy = platform::soundbusymilliseconds(); busy > 0) {
        if (busy >= answermilliseconds) {
            unanswered();
        }
        return;
    }
    requestsound(sound);
}

} // namespace

void bell() {
    ++state().rung;
    ring();
}

uint64_t bellcount() {
    return state().rung;
}

} // namespace display
