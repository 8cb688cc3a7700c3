#include "platform/platform.h"

#include "base/clock.h"
#include "base/lasting.h"

#include <QApplication>

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QByteArray>
#include <QMediaDevices>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <functional>
#include <future>
#include <memory>
#include <mutex>

namespace platform {

namespace {

// The sound being played, with the bytes its sink reads. It stays until the next sound replaces
// it, so the sink is never destroyed inside its own signal, and it is never destroyed at exit,
// when the audio backend may already be gone.
struct Playback {
    QByteArray bytes;
    QBuffer buffer;
    std::unique_ptr<QAudioSink> sink;
};

// The thread that talks to the audio server, with an event loop for the sinks' timers. A server
// that takes the connection and never answers holds it, not the windows nor the program; it lives
// as long as the process, since such a server may hold it for good.
struct SoundThread {
    QThread thread;
    QObject context; // lives on the thread: work queued to it runs there
    std::mutex postlock;
    std::atomic<int64_t> busysince{0}; // when the running request began (ms), 0 when idle
    Playback* current = nullptr;       // the sound thread's own

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

Playback*& current() {
    return soundthread().current;
}

QAudioFormat formatof(const SoundData& sound) {
    QAudioFormat format;
    format.setSampleRate(static_cast<int>(sound.samplerate));
    format.setChannelCount(static_cast<int>(sound.channels));
    format.setSampleFormat(QAudioFormat::Int16);
    return format;
}

void stopcurrent() {
    if (Playback*& playing = current(); playing != nullptr) {
        playing->sink->stop();
        delete playing;
        playing = nullptr;
    }
}

bool isplaying() {
    const Playback* playing = current();
    if (playing == nullptr) {
        return false;
    }
    const QAudio::State state = playing->sink->state();
    return state == QAudio::ActiveState || state == QAudio::IdleState;
}

SoundStart startsound(const SoundData& sound) {
    if (isplaying()) {
        return SoundStart::StillPlaying;
    }
    stopcurrent();
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) {
        return SoundStart::NoDevice;
    }
    const QAudioFormat format = formatof(sound);
    if (!format.isValid() || !device.isFormatSupported(format)) {
        return SoundStart::Refused;
    }
    auto playback = std::make_unique<Playback>();
    playback->bytes = QByteArray(reinterpret_cast<const char*>(sound.samples.data()),
                                 static_cast<qsizetype>(sound.samples.size() * sizeof(int16_t)));
    playback->buffer.setBuffer(&playback->bytes);
    playback->buffer.open(QIODevice::ReadOnly);
    playback->sink = std::make_unique<QAudioSink>(device, format);
    QAudioSink* sink = playback->sink.get();
    // Idle means the buffer has run dry: the sound is over.
    QObject::connect(sink, &QAudioSink::stateChanged, sink, [sink](QAudio::State state) {
        if (state == QAudio::IdleState) {
            sink->stop();
        }
    });
    sink->start(&playback->buffer);
    if (sink->error() != QAudio::NoError || sink->state() == QAudio::StoppedState) {
        sink->stop();
        return SoundStart::Refused;
    }
    current() = playback.release();
    return SoundStart::Playing;
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
    return askonsound(isplaying);
}

void beep() {
    QApplication::beep();
}

bool soundhasoutput() {
    return askonsound([] { return !QMediaDevices::defaultAudioOutput().isNull(); });
}

} // namespace platform
