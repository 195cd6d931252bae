// The sound module: the alert sound decoded once and played through the default audio output,
// one alert at a time. Built as a module of its own and loaded at the first alert
// (host/qt/alert.cpp), so that its audio libraries stay out of every launch. It needs nothing of
// the framework: the caller names the file and beeps when this answers false.
#include <sndfile.h>

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QCoreApplication>
#include <QMediaDevices>

#include <string>
#include <vector>

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

void load(const char* path) {
    alert.tried = true;
    if (!decode(path, alert.samples, alert.format)) return;
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

}  // namespace

// Runs on the GUI thread. False when nothing can sound (no readable file, no device, a refused
// start): the caller gives the desktop beep instead. The file is read at the first call only.
extern "C" __attribute__((visibility("default"))) bool stangenspiel_playalert(const char* path) {
    if (!alert.tried) load(path);
    if (!alert.playable) return false;
    if (alert.sink->state() == QAudio::ActiveState) return true;  // still sounding: once at a time
    alert.buffer->seek(0);
    alert.sink->start(alert.buffer);
    if (alert.sink->error() == QAudio::NoError) return true;
    alert.sink->stop();
    return false;
}
