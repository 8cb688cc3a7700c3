// The audio module: sound output through Qt Multimedia, on the platform's sound thread (which runs
// an event loop for the sinks' timers).
#include "platform/audio/audiomodule.h"
#include "platform/platform.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QByteArray>
#include <QMediaDevices>

#include <memory>

namespace {

// The sound being played, with the bytes its sink reads. It stays until the next sound replaces
// it, so the sink is never destroyed inside its own signal, and it is never destroyed at exit,
// when the audio backend may already be gone.
struct Playback {
    QByteArray bytes;
    QBuffer buffer;
    std::unique_ptr<QAudioSink> sink;
};

Playback*& current() {
    static Playback* playing = nullptr; // the sound thread's own
    return playing;
}

QAudioFormat formatof(int64_t samplerate, int64_t channels) {
    QAudioFormat format;
    format.setSampleRate(static_cast<int>(samplerate));
    format.setChannelCount(static_cast<int>(channels));
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

platform::SoundStart startsound(int64_t samplerate, int64_t channels, const int16_t* samples,
                                size_t count) {
    if (isplaying()) {
        return platform::SoundStart::StillPlaying;
    }
    stopcurrent();
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) {
        return platform::SoundStart::NoDevice;
    }
    const QAudioFormat format = formatof(samplerate, channels);
    if (!format.isValid() || !device.isFormatSupported(format)) {
        return platform::SoundStart::Refused;
    }
    auto playback = std::make_unique<Playback>();
    playback->bytes = QByteArray(reinterpret_cast<const char*>(samples),
                                 static_cast<qsizetype>(count * sizeof(int16_t)));
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
        return platform::SoundStart::Refused;
    }
    current() = playback.release();
    return platform::SoundStart::Playing;
}

int start(int64_t samplerate, int64_t channels, const int16_t* samples, size_t count) {
    return static_cast<int>(startsound(samplerate, channels, samples, count));
}

bool hasoutput() {
    return !QMediaDevices::defaultAudioOutput().isNull();
}

constexpr platform::audio::Module module{platform::audio::moduleversion, start, isplaying,
                                         hasoutput};

} // namespace

extern "C" [[gnu::visibility("default")]] const platform::audio::Module*
quorvinthal_audio_module() {
    return &module;
}
