// The latency probe on the framework: a 1 kHz tone with s_Sound every 400 ms (or the gap given
// after the number of tones: beyond a second the output rests between tones), each announced on
// standard output with the monotonic clock's time just before the call ("tone <ns>"). A
// recording of the sound server's monitor finds each onset (bench/sound_report.py). The first
// rest opens the audio output two seconds ahead: no tone pays for that, nor for the server
// settling a new stream's latency (a null sink plays the first half second or so late).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <thread>

#include <stangenspiel/stangenspiel.h>

namespace {

long long monotonicns() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

void probe(int tones, int gapms) {
    s_Voice(0, 4, 0, 0, 15, 2);  // a sine that starts at once
    s_Sound(0, 10);
    std::this_thread::sleep_for(std::chrono::milliseconds(2000));
    for (int i = 0; i < tones; ++i) {
        std::printf("tone %lld\n", monotonicns());
        std::fflush(stdout);
        s_Sound(1000, 100);
        std::this_thread::sleep_for(std::chrono::milliseconds(gapms));
    }
    std::puts("done");
    std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
    const int tones = argc > 1 ? std::atoi(argv[1]) : 20;
    const int gapms = argc > 2 ? std::atoi(argv[2]) : 400;
    return runprogram(1, argv, {"Klangprobe", "", ""}, [tones, gapms] {
        probe(tones, gapms);
        std::_Exit(0);  // a program's application otherwise lives until the user quits it
    });
}
