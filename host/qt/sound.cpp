// The alert sound: "sysbeep.aif" decoded once and played through the default audio output,
// one alert at a time; the desktop beep when there is no device or no readable file.
#include <sndfile.h>

#include <QApplication>
#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>

#include <string>
#include <vector>

#include "core/resources.h"
#include "host/host.h"

namespace {

constexpr sf_count_t longestalert = 10;  // seconds; a longer file is not an alert sound
constexpr int mostchannels = 8;

// GUI-thread state: loaded on the first alert, kept for the life of the process.
struct t_AlertSound {
    bool tried = false;        // loading was attempted
    bool playable = false;     // samples and an output device are there
    QAudioDevice device;
    QAudioFormat format;
    QByteArray samples;        // 16-bit PCM, interleaved
    QBuffer* buffer = nullptr;
    QAudioSink* sink = nullptr;
};
t_AlertSound alert;

bool decode(const std::string& path, QByteArray& samples, QAudioFormat& format) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) return false;
    const bool sane = info.frames > 0 && info.channels >= 1 && info.channels <= mostchannels && info.samplerate > 0 &&
                      info.samplerate <= 384000 && info.frames <= longestalert * info.samplerate;
    std::vector<int16_t> pcm;
    if (sane) {
        pcm.resize(static_cast<size_t>(info.frames * info.channels));
        pcm.resize(static_cast<size_t>(sf_readf_short(file, pcm.data(), info.frames) * info.channels));
    }
    sf_close(file);
    if (pcm.empty()) return false;
    samples = QByteArray(reinterpret_cast<const char*>(pcm.data()), static_cast<qsizetype>(pcm.size() * sizeof(int16_t)));
    format.setSampleRate(info.samplerate);
    format.setChannelCount(info.channels);
    format.setSampleFormat(QAudioFormat::Int16);
    return true;
}

void load() {
    alert.tried = true;
    if (!decode(resourcepath("sysbeep.aif"), alert.samples, alert.format)) return;
    alert.device = QMediaDevices::defaultAudioOutput();
    if (alert.device.isNull() || !alert.device.isFormatSupported(alert.format)) return;
    alert.buffer = new QBuffer(&alert.samples, qApp);
    alert.buffer->open(QIODevice::ReadOnly);
    alert.sink = new QAudioSink(alert.device, alert.format, qApp);
    // A finished sound leaves the sink idle; stopping it lets the next alert start afresh.
    QObject::connect(alert.sink, &QAudioSink::stateChanged, alert.sink, [](QAudio::State state) {
        if (state == QAudio::IdleState) alert.sink->stop();
    });
    alert.playable = true;
}

void play() {
    if (!alert.tried) load();
    if (!alert.playable) {
        QApplication::beep();
        return;
    }
    if (alert.sink->state() == QAudio::ActiveState) return;  // still sounding: once at a time
    alert.buffer->seek(0);
    alert.sink->start(alert.buffer);
    if (alert.sink->error() != QAudio::NoError) {
        alert.sink->stop();
        QApplication::beep();
    }
}

}  // namespace

namespace host {

void playalert() { runasync(play); }

}  // namespace host
