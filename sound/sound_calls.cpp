// The public sound calls: tones, music strings on four voices, instruments, sound files.
#include <sys/stat.h>

#include <array>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstring>
#include <mutex>
#include <thread>

#include "core/report.h"
#include "host/host.h"
#include "sound/mixer.h"
#include "sound/music_string.h"
#include "sound/sound_output.h"

namespace {

constexpr double lowestfrequency = 10, highestfrequency = 20000;
constexpr int64_t longesttone = 3600000;  // ms: an hour
constexpr int64_t longestramp = 10000;    // ms of attack, decay or release

// What the next string and tone on each voice are read and played with. Any program thread;
// the lock is held from reading a string to queueing it, so that two strings on one voice keep
// their order and each starts from the state the other left.
struct t_SoundCalls {
    std::mutex Lock;
    std::array<t_MusicState, voicecount> Music;
    std::array<t_Instrument, voicecount> Instruments;
};
t_SoundCalls calls;

std::string number(double value) {
    std::array<char, 32> text{};
    const auto [end, error] = std::to_chars(text.data(), text.data() + text.size(), value);
    return std::string(text.data(), error == std::errc() ? end : text.data());
}

bool checkvoice(std::string_view operation, int64_t voice) {
    if (voice >= 0 && voice < voicecount) return true;
    reportfailure(operation, "Voice " + std::to_string(voice) + " does not exist (0-3).");
    return false;
}

bool checkrange(std::string_view operation, const char* what, int64_t value, int64_t highest, const char* unit) {
    if (value >= 0 && value <= highest) return true;
    reportfailure(operation, std::string(what) + " " + std::to_string(value) + unit + " out of range (0-" +
                                 std::to_string(highest) + ").");
    return false;
}

// Queues what was read on the voice and commits its state; a string in MF waits until it has
// played. Without sound it is taken as played: MF then waits its length all the same.
void queue(std::string_view operation, int64_t voice, const t_Music& music, std::unique_lock<std::mutex>& lock) {
    if (!soundon(operation)) {
        calls.Music[static_cast<size_t>(voice)] = music.State;
        lock.unlock();
        if (music.State.Foreground)
            std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(music.LengthMs));
        return;
    }
    t_Mixer& mixer = soundmixer();
    const int64_t stops = mixerstatus(mixer).Stops;
    int64_t end = 0, room = 0;
    if (!mixerqueue(mixer, voice, music, calls.Instruments[static_cast<size_t>(voice)], end, room)) {
        reportfailure(operation, "Queue of voice " + std::to_string(voice) + " has room for " + std::to_string(room) +
                                     (room == 1 ? " note" : " notes") + ", not " + std::to_string(music.NoteCount) +
                                     "; nothing is played.");
        return;
    }
    soundqueued();
    calls.Music[static_cast<size_t>(voice)] = music.State;
    lock.unlock();
    if (music.State.Foreground) waitforframe(operation, end, stops);
}

void playmusic(std::string_view operation, int64_t voice, const std::string& text) {
    std::unique_lock<std::mutex> lock(calls.Lock);
    t_Music music;
    std::string error;
    if (!parsemusic(text, calls.Music[static_cast<size_t>(voice)], mostqueuednotes, music, error))
        return reportfailure(operation, error);
    queue(operation, voice, music, lock);
}

// Only plain files: a pipe or a device could block the decoder or never end.
bool plainfile(const std::string& path, std::string& reason) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) reason = std::strerror(errno);
    else if (!S_ISREG(info.st_mode)) reason = "not a plain file";
    return reason.empty();
}

}  // namespace

void s_Sound(double frequency, int64_t milliseconds) {
    if (!(frequency == 0 || (frequency >= lowestfrequency && frequency <= highestfrequency)))
        return reportfailure("s_Sound", "Frequency " + number(frequency) + " Hz out of range (10-20000, 0 a rest).");
    if (!checkrange("s_Sound", "Length", milliseconds, longesttone, " ms")) return;
    std::unique_lock<std::mutex> lock(calls.Lock);
    t_Music music;
    music.State = calls.Music[0];
    music.LengthMs = static_cast<double>(milliseconds);
    if (frequency > 0 && milliseconds > 0) {
        music.Events.push_back({frequency, 0, music.LengthMs, music.State.Volume});
        music.NoteCount = 1;
    }
    queue("s_Sound", 0, music, lock);
}

void s_Play(const std::string& music) { playmusic("s_Play", 0, music); }

void s_PlayVoice(int64_t voice, const std::string& music) {
    if (checkvoice("s_PlayVoice", voice)) playmusic("s_PlayVoice", voice, music);
}

void s_Voice(int64_t voice, int64_t waveform, int64_t attack, int64_t decay, int64_t sustain, int64_t release) {
    constexpr const char* operation = "s_Voice";
    if (!checkvoice(operation, voice)) return;
    if (waveform < 0 || waveform >= waveformcount)
        return reportfailure(operation, "Waveform " + std::to_string(waveform) +
                                            " unknown (0 square, 1 triangle, 2 sawtooth, 3 noise, 4 sine).");
    if (!checkrange(operation, "Attack", attack, longestramp, " ms") ||
        !checkrange(operation, "Decay", decay, longestramp, " ms") || !checkrange(operation, "Sustain", sustain, 15, "") ||
        !checkrange(operation, "Release", release, longestramp, " ms"))
        return;
    std::lock_guard<std::mutex> lock(calls.Lock);
    calls.Instruments[static_cast<size_t>(voice)] = {waveform, attack, decay, sustain, release};
}

void s_PlayFile(const std::string& path) {
    constexpr const char* operation = "s_PlayFile";
    if (!soundon(operation)) return;
    std::string reason;
    host::t_AudioFileInfo info;
    host::t_AudioFile file = plainfile(path, reason) ? host::openaudiofile(path, info, reason) : nullptr;
    if (file == nullptr) return reportfailure(operation, "Cannot play \"" + path + "\" (" + reason + ").");
    t_SoundSource source{info.Rate, info.Channels,
                         [file](float* frames, int64_t count) { return host::readaudiofile(file, frames, count); },
                         [file] { host::closeaudiofile(file); }};
    const std::shared_ptr<t_FileStream> stream = openfilestream(std::move(source));
    feedfilestream(stream);
    if (mixeraddfile(soundmixer(), stream)) return soundqueued();
    stream->Finished = true;  // the feeder closes it
    reportfailure(operation, std::to_string(mostfiles) + " files are playing already; \"" + path + "\" is not played.");
}

void s_Wait() {
    if (soundrunning("s_Wait")) waitforsilence("s_Wait");
}

bool s_Playing() { return soundrunning("s_Playing") && mixerstatus(soundmixer()).Busy; }

void s_Stop() { mixerstop(soundmixer()); }
