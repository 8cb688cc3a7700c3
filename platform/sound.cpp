#include "platform/platform.h"

#include "base/lasting.h"

#include <QApplication>

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QByteArray>
#include <QMediaDevices>

#include <memory>

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

// Main thread only, like every sound command.
struct SoundState {
    Playback* current = nullptr;
};

Playback*& current() {
    return base::lasting<SoundState>().current;
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

} // namespace

SoundStart soundplay(const SoundData& sound) {
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

bool soundisplaying() {
    const Playback* playing = current();
    if (playing == nullptr) {
        return false;
    }
    const QAudio::State state = playing->sink->state();
    return state == QAudio::ActiveState || state == QAudio::IdleState;
}

void beep() {
    QApplication::beep();
}

bool soundhasoutput() {
    return !QMediaDevices::defaultAudioOutput().isNull();
}

} // namespace platform
