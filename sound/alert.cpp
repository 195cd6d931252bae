#include "sound/alert.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

#include "app/startup.h"
#include "core/resources.h"
#include "host/host.h"
#include "sound/file_stream.h"
#include "sound/sound_output.h"

namespace {

constexpr int64_t longestalert = 10;  // seconds; a longer file is not an alert sound
constexpr int64_t readframes = 4096;

// Loaded at the first alert and kept; any thread.
struct t_Alert {
    std::mutex Lock;  // guards the fields below
    bool Tried = false;
    std::shared_ptr<const std::vector<float>> Clip;  // interleaved frames of the file
    host::t_AudioFileInfo Info;
    std::shared_ptr<t_FileStream> Playing;  // the last alert, while it sounds
};
t_Alert alert;
std::atomic<int64_t> pending{0};

void load() {
    alert.Tried = true;
    std::string reason;
    host::t_AudioFile file = host::openaudiofile(resourcepath("sysbeep.aif"), alert.Info, reason);
    if (file == nullptr) return;
    auto clip = std::make_shared<std::vector<float>>();
    const int64_t limit = longestalert * alert.Info.Rate * alert.Info.Channels;
    for (int64_t got = 1; got > 0 && static_cast<int64_t>(clip->size()) <= limit;) {
        const size_t used = clip->size();
        clip->resize(used + static_cast<size_t>(readframes * alert.Info.Channels));
        got = host::readaudiofile(file, clip->data() + used, readframes);
        clip->resize(used + static_cast<size_t>(got * alert.Info.Channels));
    }
    host::closeaudiofile(file);
    if (!clip->empty() && static_cast<int64_t>(clip->size()) <= limit) alert.Clip = std::move(clip);
}

// The clip from its beginning, as a stream's source.
t_SoundSource clipsource() {
    auto offset = std::make_shared<size_t>(0);
    const std::shared_ptr<const std::vector<float>> clip = alert.Clip;
    const int64_t channels = alert.Info.Channels;
    auto read = [clip, offset, channels](float* frames, int64_t count) -> int64_t {
        const size_t samples = std::min(clip->size() - *offset, static_cast<size_t>(count * channels));
        std::copy_n(clip->data() + *offset, samples, frames);
        *offset += samples;
        return static_cast<int64_t>(samples) / channels;
    };
    return {alert.Info.Rate, channels, read, [] {}};
}

void sound() {
    std::lock_guard<std::mutex> lock(alert.Lock);
    if (!soundon("playalert")) return host::beep();
    if (!alert.Tried) load();
    if (!alert.Clip) return host::beep();
    if (alert.Playing && !alert.Playing->Finished.load()) return;  // still sounding: once at a time
    alert.Playing = openfilestream(clipsource());
    feedfilestream(alert.Playing);
    if (mixeraddfile(soundmixer(), alert.Playing)) return soundqueued();
    alert.Playing->Finished = true;
    host::beep();
}

}  // namespace

// On a thread of its own: the first alert opens the audio output and loads the file, which the
// caller (a menu command on the GUI thread, t_Print under the framework lock) must not wait for.
void playalert() {
    ++pending;
    startasyncprocess([] {
        sound();
        --pending;
    });
}

int64_t alertspending() { return pending; }
