// The sound thread, which plays through the audio module.
#include "platform/audioloader.h"
#include "platform/platform.h"

#include "base/clock.h"
#include "base/lasting.h"

#include <QApplication>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <functional>
#include <future>
#include <memory>
#include <mutex>

namespace platform {

namespace {

// The thread that talks to the audio server, with an event loop for the sinks' timers. A server
// that takes the connection and never answers holds it, not the windows nor the program; it lives
// as long as the process, since such a server may hold it for good.
struct SoundThread {
    QThread thread;
    QObject context; // lives on the thread: work queued to it runs there
    std::mutex postlock;
    std::atomic<int64_t> busysince{0}; // when the running request began (ms), 0 when idle

    SoundThread() {
        thread.setObjectName(QStringLiteral("sound"));
        context.moveToThread(&thread);
        thread.start();
    }
};

SoundThread& soundthread() {
    return base::lasting<SoundThread>();
}

// Qt's queue synchronises through primitives that thread sanitizers cannot see, so the hand-over
// is also ordered by the post lock, held while Qt queues the work and taken by the work before it
// reads anything it carries (the lock itself is found through the lasting record, not a capture).
void postonsound(std::function<void()> work) {
    SoundThread& sound = soundthread();
    std::lock_guard lock(sound.postlock);
    QMetaObject::invokeMethod(
        &sound.context,
        [work = std::move(work)] {
            SoundThread& here = soundthread();
            { std::lock_guard ordered(here.postlock); }
            here.busysince = std::max<int64_t>(base::steadymilliseconds(), 1);
            work();
            here.busysince = 0;
        },
        Qt::QueuedConnection);
}

// Runs question on the sound thread and waits for its answer.
template <typename Question> auto askonsound(Question question) {
    std::promise<decltype(question())> answer;
    auto answered = answer.get_future();
    postonsound([&] { answer.set_value(question()); });
    return answered.get();
}

SoundStart startsound(const SoundData& sound) {
    const audio::Module* module = audiomodule();
    if (module == nullptr) {
        return SoundStart::NoDevice;
    }
    return static_cast<SoundStart>(module->start(sound.samplerate, sound.channels,
                                                 sound.samples.data(), sound.samples.size()));
}

} // namespace

void soundplay(std::shared_ptr<const SoundData> sound, std::function<void(SoundStart)> answered) {
    postonsound([sound = std::move(sound), answered = std::move(answered)] {
        answered(startsound(*sound));
    });
}

int64_t soundbusymilliseconds() {
    const int64_t since = soundthread().busysince;
    return since == 0 ? 0 : std::max<int64_t>(base::steadymilliseconds() - since, 1);
}

bool soundisplaying() {
    return askonsound([] {
        const audio::Module* module = audiomodule();
        return module != nullptr && module->isplaying();
    });
}

void beep() {
    QApplication::beep();
}

bool soundhasoutput() {
    return askonsound([] {
        const audio::Module* module = audiomodule();
        return module != nullptr && module->hasoutput();
    });
}

} // namespace platform
