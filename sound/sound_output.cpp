#include "sound/sound_output.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <thread>
#include <vector>

#include "app/startup.h"
#include "core/report.h"
#include "host/framework_calls.h"
#include "host/host.h"
#include "sound/wav_writer.h"

namespace {

constexpr int64_t clockblock = soundrate / 100;  // the clock renders 10 ms at a time
constexpr auto clockperiod = std::chrono::milliseconds(5);
constexpr auto waitperiod = std::chrono::milliseconds(2);
constexpr int64_t stalledms = 3000;  // a device that took nothing for this long is gone

enum class t_OutputKind { Undecided, Device, Clock, Off };

// Decided once, by the first sound on whichever thread makes it; Kind is read without the lock
// by every wait.
struct t_SoundOutput {
    std::mutex Lock;  // guards the fields below but the atomics
    std::atomic<t_OutputKind> Kind{t_OutputKind::Undecided};
    bool ClockWanted = false;  // a scripted run: never the device
    std::string WavPath;
    int64_t OriginUs = 0;      // steady-clock time of the clock's frame 0
    bool Announced = false;    // the "No audio output" line is out
    // The clock thread: it alone writes Writer while it runs.
    std::atomic<bool> ClockStop{false};
    bool ClockRunning = false;
    std::mutex ClockLock;  // guards ClockEnded
    std::condition_variable ClockChanged;
    bool ClockEnded = true;
    t_WavWriter Writer;
};
t_SoundOutput output;

int64_t steadymicroseconds() {
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Renders the mix as time passes, from the start of the program's timeline: a scripted run
// sounds (and is written) as long as it takes, whatever the machine's load, without a device.
void clockloop() {
    namethread("s_Sound clock");
    std::vector<float> block(2 * clockblock);
    const int64_t origin = output.OriginUs;
    int64_t rendered = 0;
    while (!output.ClockStop.load()) {
        const int64_t due = (steadymicroseconds() - origin) * soundrate / 1000000;
        while (rendered < due && !output.ClockStop.load()) {
            const int64_t frames = std::min(clockblock, due - rendered);
            mixerrender(soundmixer(), block.data(), frames);
            wavappend(output.Writer, block.data(), frames);
            rendered += frames;
        }
        std::this_thread::sleep_for(clockperiod);
    }
    std::lock_guard<std::mutex> lock(output.ClockLock);
    output.ClockEnded = true;
    output.ClockChanged.notify_all();
}

// Under output.Lock.
void startclock() {
    if (output.ClockRunning) return;
    output.ClockRunning = true;
    output.ClockStop = false;
    output.ClockEnded = false;
    output.OriginUs = steadymicroseconds();  // a queued note starts where the clock now is
    startasyncprocess(clockloop);
    output.Kind = t_OutputKind::Clock;
}

// Under output.Lock; true when there was a clock to stop.
bool stopclock() {
    if (!output.ClockRunning) return false;
    output.ClockStop = true;
    std::unique_lock<std::mutex> lock(output.ClockLock);
    output.ClockChanged.wait_for(lock, std::chrono::seconds(5), [] { return output.ClockEnded; });
    output.ClockRunning = false;
    return true;
}

void announce(std::string_view operation) {
    if (output.Announced) return;
    output.Announced = true;
    reportfailure(operation, "No audio output, sound is off.");
}

bool renderdevice(float* stereo, int64_t frames) { return mixerrender(soundmixer(), stereo, frames); }

// Under output.Lock.
void decide(std::string_view operation) {
    if (output.ClockWanted) return startclock();
    std::string message;
    soundmixer().RenderedAt = steadymilliseconds();
    if (host::openaudiooutput(renderdevice, message)) {
        output.Kind = t_OutputKind::Device;
        return;
    }
    output.Kind = t_OutputKind::Off;
    std::fprintf(stderr, "stangenspiel: audio output: %s\n", message.c_str());
    announce(operation);
}

bool stalled() {
    if (output.Kind.load() != t_OutputKind::Device) return false;
    if (steadymilliseconds() - soundmixer().RenderedAt.load() <= stalledms) return false;
    return mixerstatus(soundmixer()).Busy;
}

}  // namespace

t_Mixer& soundmixer() {
    static t_Mixer* const mixer = new t_Mixer;  // threads of the output outlive every destructor
    return *mixer;
}

void usesoundclock(const std::string& wavpath) {
    std::lock_guard<std::mutex> lock(output.Lock);
    output.ClockWanted = true;
    output.WavPath = wavpath;
    if (wavpath.empty()) return;
    wavopen(output.Writer, wavpath);  // a failure is told when the run ends
    startclock();
}

bool soundon(std::string_view operation) {
    if (output.Kind.load() == t_OutputKind::Undecided) {
        std::lock_guard<std::mutex> lock(output.Lock);
        if (output.Kind.load() == t_OutputKind::Undecided) decide(operation);
    }
    return soundrunning(operation);
}

bool soundrunning(std::string_view operation) {
    if (stalled()) {
        std::lock_guard<std::mutex> lock(output.Lock);
        if (stalled()) {
            output.Kind = t_OutputKind::Off;
            host::closeaudiooutput();
            mixerstop(soundmixer());
            std::fputs("stangenspiel: audio output: the device stopped taking sound\n", stderr);
            announce(operation);
        }
    }
    const t_OutputKind kind = output.Kind.load();
    return kind == t_OutputKind::Device || kind == t_OutputKind::Clock;
}

void soundqueued() {
    if (output.Kind.load() == t_OutputKind::Device) host::wakeaudiooutput();
}

void waitforframe(std::string_view operation, int64_t frame, int64_t stops) {
    for (;;) {
        const t_MixerStatus status = mixerstatus(soundmixer());
        if (status.Position >= frame || status.Stops != stops || !soundrunning(operation)) return;
        std::this_thread::sleep_for(waitperiod);
    }
}

void waitforsilence(std::string_view operation) {
    for (;;) {
        if (!mixerstatus(soundmixer()).Busy || !soundrunning(operation)) return;
        std::this_thread::sleep_for(waitperiod);
    }
}

bool endsoundrecording() {
    std::lock_guard<std::mutex> lock(output.Lock);
    if (!stopclock()) return output.WavPath.empty() || wavclose(output.Writer);
    output.Kind = t_OutputKind::Off;  // nothing renders any more: later sound is off, silently
    output.Announced = true;
    if (output.WavPath.empty()) return true;
    if (output.Writer.Full)
        logline("Scripted run: " + output.WavPath + " ends at the format's 4 GB; later sound is left out.");
    if (wavclose(output.Writer)) return true;
    logline("Scripted run: Could not write " + output.WavPath + ".");
    return false;
}

void restartsoundoutput(bool clock) {
    std::lock_guard<std::mutex> lock(output.Lock);
    stopclock();
    if (!output.WavPath.empty()) wavclose(output.Writer);
    if (output.Kind.load() == t_OutputKind::Device) host::closeaudiooutput();
    mixerstop(soundmixer());
    output.Kind = t_OutputKind::Undecided;
    output.Announced = false;
    output.ClockWanted = clock;
    output.WavPath.clear();
}

namespace hostcalls {

bool soundplaying() {
    const t_OutputKind kind = output.Kind.load();
    return (kind == t_OutputKind::Device || kind == t_OutputKind::Clock) && mixerstatus(soundmixer()).Busy;
}

bool endsoundrecording() { return ::endsoundrecording(); }

}  // namespace hostcalls
