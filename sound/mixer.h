// The mixer: four voices and any number of sound files, rendered as stereo float frames at
// 48 kHz into a buffer, through a limiter instead of clipping. Whatever pulls the frames (the
// audio device's thread, the clock of a scripted run, a test) is the one mixer thread; the
// program side only appends, under the mixer's lock, which a render holds for one block.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "core/clock.h"
#include "sound/file_stream.h"
#include "sound/music_string.h"
#include "sound/voice.h"

constexpr int64_t mostfiles = 16;  // files sounding at once

struct t_Mixer {
    static constexpr int64_t mixblock = 1024;  // frames of a voice rendered at once
    static std::vector<std::shared_ptr<t_FileStream>> reservedfiles() {
        std::vector<std::shared_ptr<t_FileStream>> files;
        files.reserve(mostfiles);  // the mixer thread never allocates when a file ends
        return files;
    }

    std::mutex Lock;                // guards everything below but RenderedAt
    int64_t Position = 0;           // frames rendered so far: the mixer's timeline
    std::array<t_Voice, voicecount> Voices;
    std::vector<std::shared_ptr<t_FileStream>> Files = reservedfiles();
    float Envelope = 0;             // the limiter's peak follower
    int64_t Stops = 0;              // how often everything was stopped: ends waits for stopped sound
    std::vector<float> Scratch = std::vector<float>(mixblock);  // one voice's block
    std::atomic<int64_t> RenderedAt{0};  // steady-clock ms of the last render, for a stalled device
};

// Renders the next `frames` frames into stereo (interleaved, overwritten); answers whether
// anything is still to play after them.
bool mixerrender(t_Mixer& mixer, float* stereo, int64_t frames);

// Queues a string's notes on a voice after everything it plays (at once when it is idle). False
// when its queue has no room for them all: nothing is queued, `room` says how many would fit.
// `end` is the frame where the string ends, rests included.
bool mixerqueue(t_Mixer& mixer, int64_t voice, const t_Music& music, const t_Instrument& instrument, int64_t& end,
                int64_t& room);
// Adds a stream that starts with the next frame rendered; false when mostfiles are sounding.
bool mixeraddfile(t_Mixer& mixer, const std::shared_ptr<t_FileStream>& stream);
void mixerstop(t_Mixer& mixer);  // silence at once: every queue and file dropped

struct t_MixerStatus {
    int64_t Position = 0;
    bool Busy = false;   // a note queued or sounding, a string not yet at its end, a file playing
    int64_t Stops = 0;
};
t_MixerStatus mixerstatus(t_Mixer& mixer);
