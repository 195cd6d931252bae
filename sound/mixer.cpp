#include "sound/mixer.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace {

// The limiter holds every peak under this level (-1 dB) by turning the whole mix down, and lets
// it back up over about 50 ms: loud chords are quieter rather than clipped.
constexpr float ceiling = 0.89f;
const float envelopefall = std::exp(-1.0f / (0.05f * soundrate));

void limit(t_Mixer& mixer, float* stereo, int64_t frames) {
    float envelope = mixer.Envelope;
    for (int64_t i = 0; i < frames; ++i) {
        const float peak = std::max(std::abs(stereo[2 * i]), std::abs(stereo[2 * i + 1]));
        envelope = std::max(peak, envelope * envelopefall);
        if (envelope > ceiling) {
            const float gain = ceiling / envelope;
            stereo[2 * i] *= gain;
            stereo[2 * i + 1] *= gain;
        }
    }
    mixer.Envelope = envelope;
}

void mixvoices(t_Mixer& mixer, float* stereo, int64_t frames) {
    for (int64_t done = 0; done < frames; done += t_Mixer::mixblock) {
        const int64_t count = std::min(t_Mixer::mixblock, frames - done);
        float* mono = mixer.Scratch.data();
        std::fill(mono, mono + count, 0.0f);
        bool sounding = false;
        for (t_Voice& voice : mixer.Voices) {
            if (!voicesounding(voice)) continue;
            voicerender(voice, mixer.Position + done, mono, count);
            sounding = true;
        }
        if (!sounding) continue;
        for (int64_t i = 0; i < count; ++i) {
            stereo[2 * (done + i)] += mono[i];
            stereo[2 * (done + i) + 1] += mono[i];
        }
    }
}

void mixfiles(t_Mixer& mixer, float* stereo, int64_t frames) {
    for (size_t i = 0; i < mixer.Files.size();) {
        t_FileStream* stream = mixer.Files[i].get();
        filestreammix(*stream, stereo, frames);
        if (!filestreamended(*stream)) {
            ++i;
            continue;
        }
        // The feeder still holds the stream until it sees Finished: it is freed there, not here.
        mixer.Files.erase(mixer.Files.begin() + static_cast<std::ptrdiff_t>(i));
        stream->Finished.store(true, std::memory_order_release);
    }
}

int64_t toframes(double ms) { return std::llround(ms * soundrate / 1000); }

// Under the mixer's lock.
bool busy(const t_Mixer& mixer) {
    bool busy = !mixer.Files.empty();
    for (const t_Voice& voice : mixer.Voices) busy = busy || voicesounding(voice) || voice.QueueEnd > mixer.Position;
    return busy;
}

}  // namespace

bool mixerrender(t_Mixer& mixer, float* stereo, int64_t frames) {
    std::lock_guard<std::mutex> lock(mixer.Lock);
    std::fill(stereo, stereo + 2 * frames, 0.0f);
    mixvoices(mixer, stereo, frames);
    mixfiles(mixer, stereo, frames);
    limit(mixer, stereo, frames);
    mixer.Position += frames;
    mixer.RenderedAt.store(steadymilliseconds(), std::memory_order_relaxed);
    return busy(mixer);
}

bool mixerqueue(t_Mixer& mixer, int64_t voice, const t_Music& music, const t_Instrument& instrument, int64_t& end,
                int64_t& room) {
    std::lock_guard<std::mutex> lock(mixer.Lock);
    t_Voice& target = mixer.Voices[static_cast<size_t>(voice)];
    room = voiceroom(target);
    if (music.NoteCount > room || static_cast<int64_t>(music.Events.size()) < music.NoteCount) return false;
    const int64_t begin = std::max(mixer.Position, target.QueueEnd);
    for (const t_MusicEvent& event : music.Events)
        voicepush(target, makenote(begin + toframes(event.StartMs), toframes(event.SoundingMs), event.Frequency,
                                   event.Volume, instrument));
    target.QueueEnd = begin + toframes(music.LengthMs);
    end = target.QueueEnd;
    return true;
}

bool mixeraddfile(t_Mixer& mixer, const std::shared_ptr<t_FileStream>& stream) {
    std::lock_guard<std::mutex> lock(mixer.Lock);
    if (static_cast<int64_t>(mixer.Files.size()) >= mostfiles) return false;
    mixer.Files.push_back(stream);
    return true;
}

void mixerstop(t_Mixer& mixer) {
    std::lock_guard<std::mutex> lock(mixer.Lock);
    for (t_Voice& voice : mixer.Voices) {
        voicesilence(voice);
        voice.QueueEnd = mixer.Position;
    }
    for (const std::shared_ptr<t_FileStream>& stream : mixer.Files) stream->Finished.store(true, std::memory_order_release);
    mixer.Files.clear();
    ++mixer.Stops;
}

t_MixerStatus mixerstatus(t_Mixer& mixer) {
    std::lock_guard<std::mutex> lock(mixer.Lock);
    return {mixer.Position, busy(mixer), mixer.Stops};
}
