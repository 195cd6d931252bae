// The baseline for the sound latency: the least a Qt program does to play a tone at a moment of
// its choosing. One QAudioSink at 48 kHz with the framework's buffer of 30 ms, fed every 5 ms
// with silence and, every 400 ms (or the gap given after the number of tones), with 100 ms of a
// 1 kHz sine, announced on standard output as
// "tone <ns>" (the monotonic clock) when it is written.
#include <QAudioFormat>
#include <QAudioSink>
#include <QCoreApplication>
#include <QMediaDevices>
#include <QTimer>

#include <cmath>
#include <cstdio>
#include <ctime>
#include <numbers>
#include <vector>

namespace {

long long monotonicns() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const int tones = argc > 1 ? std::atoi(argv[1]) : 20;
    const int gapms = argc > 2 ? std::atoi(argv[2]) : 400;
    QAudioFormat format;
    format.setSampleRate(48000);
    format.setChannelCount(2);
    format.setSampleFormat(QAudioFormat::Float);
    QAudioSink sink(QMediaDevices::defaultAudioOutput(), format);
    sink.setBufferSize(format.bytesForDuration(30000));
    QIODevice* io = sink.start();
    if (io == nullptr) return 1;
    // The feed: what is due of the tone (from its first frame once asked for), else silence.
    std::vector<float> block;
    long long toneframe = -1;  // the next frame of the tone to write, -1 none
    QTimer feed;
    feed.setTimerType(Qt::PreciseTimer);
    QObject::connect(&feed, &QTimer::timeout, [&] {
        const long long frames = sink.bytesFree() / format.bytesPerFrame();
        if (frames <= 0) return;
        block.assign(static_cast<size_t>(2 * frames), 0.0f);
        for (long long i = 0; i < frames && toneframe >= 0 && toneframe < 4800; ++i, ++toneframe) {
            const double t = static_cast<double>(toneframe) / 48000.0;
            const auto value = static_cast<float>(0.25 * std::sin(2 * std::numbers::pi * 1000 * t));
            block[static_cast<size_t>(2 * i)] = block[static_cast<size_t>(2 * i + 1)] = value;
        }
        io->write(reinterpret_cast<const char*>(block.data()), frames * format.bytesPerFrame());
    });
    feed.start(5);
    // The program asks for a tone every 400 ms (or the gap given), after two seconds as the probe does.
    int asked = 0;
    QTimer ask;
    QObject::connect(&ask, &QTimer::timeout, [&] {
        if (asked++ == tones) {
            std::puts("done");
            std::fflush(stdout);
            QCoreApplication::quit();
            return;
        }
        std::printf("tone %lld\n", monotonicns());
        std::fflush(stdout);
        toneframe = 0;
    });
    QTimer::singleShot(2000, [&] { ask.start(gapms); });
    return QCoreApplication::exec();
}
