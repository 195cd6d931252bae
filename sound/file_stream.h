// Sound files on their way to the mixer. A feeder thread reads and resamples each file ahead of
// the mixer into a ring of its own; the mixer only takes frames out of the ring, so no file is
// ever read on the thread that feeds the audio device, and a file of any length costs the same
// memory.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

constexpr int64_t streamringframes = 24000;  // half a second ahead of the mixer

// Where a stream's frames come from: a decoded file or frames held in memory.
struct t_SoundSource {
    int64_t Rate = 48000;
    int64_t Channels = 2;
    std::function<int64_t(float* frames, int64_t count)> Read;  // interleaved; 0 at the end
    std::function<void()> Close = [] {};
};

struct t_FileStream {
    // Stereo frames at the mixer's rate. One writer (the feeder) and one reader (the mixer):
    // each owns its counter, and the other only reads it.
    std::vector<float> Ring = std::vector<float>(2 * streamringframes);
    std::atomic<int64_t> Written{0};
    std::atomic<int64_t> Taken{0};
    std::atomic<bool> Drained{false};   // the source has given its last frame
    std::atomic<bool> Finished{false};  // the mixer is done with it (played out or stopped)
    // The feeder's side: the source and the linear resampler between two of its frames.
    t_SoundSource Source;
    std::vector<float> Input;        // source frames read and not yet used, interleaved
    int64_t InputUsed = 0;           // frames of Input already used
    double Step = 1;                 // source frames per output frame
    double Fraction = 0;             // position between Before and After
    float Before[2] = {0, 0}, After[2] = {0, 0};
    bool Started = false;
    bool Closed = false;             // its source is closed; the feeder lets go of it
};

// A stream over the source with its ring already filled, ready for the mixer.
std::shared_ptr<t_FileStream> openfilestream(t_SoundSource source);
// Mixer side: adds up to `frames` frames to the stereo buffer and answers how many it had.
int64_t filestreammix(t_FileStream& stream, float* stereo, int64_t frames);
bool filestreamended(const t_FileStream& stream);  // drained and every frame taken
// Hands the stream to the feeder thread, which keeps its ring full and closes its source once
// the stream is finished.
void feedfilestream(std::shared_ptr<t_FileStream> stream);
// Tops the ring up from the source (the feeder's work; tests call it directly).
void fillfilestream(t_FileStream& stream);
