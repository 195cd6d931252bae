#include "sound/file_stream.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "app/startup.h"
#include "sound/voice.h"

namespace {

constexpr int64_t readframes = 4096;  // source frames read at once
constexpr auto feedperiod = std::chrono::milliseconds(20);  // far inside the ring's half second

// The feeder thread's list of streams: the program side adds, the feeder removes finished ones.
struct t_Feeder {
    std::mutex Lock;  // guards the fields below
    std::condition_variable Wake;
    std::vector<std::shared_ptr<t_FileStream>> Streams;
    bool Running = false;
};
t_Feeder feeder;

bool nextsourceframe(t_FileStream& stream, float frame[2]) {
    const int64_t channels = stream.Source.Channels;
    if (stream.InputUsed * channels >= static_cast<int64_t>(stream.Input.size())) {
        stream.Input.resize(static_cast<size_t>(readframes * channels));
        const int64_t got = std::clamp<int64_t>(stream.Source.Read(stream.Input.data(), readframes), 0, readframes);
        stream.Input.resize(static_cast<size_t>(got * channels));
        stream.InputUsed = 0;
        if (got == 0) return false;
    }
    const float* source = &stream.Input[static_cast<size_t>(stream.InputUsed * channels)];
    frame[0] = source[0];
    frame[1] = channels > 1 ? source[1] : source[0];  // mono on both sides; beyond two, the front pair
    ++stream.InputUsed;
    return true;
}

void feederloop() {
    namethread("s_PlayFile feed");
    std::unique_lock<std::mutex> lock(feeder.Lock);
    for (;;) {
        feeder.Wake.wait(lock, [] { return !feeder.Streams.empty(); });
        std::vector<std::shared_ptr<t_FileStream>> streams = feeder.Streams;
        lock.unlock();
        for (const std::shared_ptr<t_FileStream>& stream : streams) {
            if (!stream->Finished.load(std::memory_order_acquire)) {
                fillfilestream(*stream);
                continue;
            }
            stream->Source.Close();
            stream->Closed = true;
        }
        lock.lock();
        std::erase_if(feeder.Streams, [](const std::shared_ptr<t_FileStream>& stream) { return stream->Closed; });
        feeder.Wake.wait_for(lock, feedperiod);
    }
}

}  // namespace

void fillfilestream(t_FileStream& stream) {
    if (stream.Drained.load(std::memory_order_relaxed)) return;
    if (!stream.Started) {
        stream.Started = true;
        if (!nextsourceframe(stream, stream.Before) || !nextsourceframe(stream, stream.After)) {
            stream.Drained.store(true, std::memory_order_release);
            return;
        }
    }
    const int64_t written = stream.Written.load(std::memory_order_relaxed);
    const int64_t room = streamringframes - (written - stream.Taken.load(std::memory_order_acquire));
    bool ended = false;
    int64_t made = 0;
    for (; made < room && !ended; ++made) {
        float* out = &stream.Ring[static_cast<size_t>((written + made) % streamringframes * 2)];
        const auto fraction = static_cast<float>(stream.Fraction);
        out[0] = stream.Before[0] + (stream.After[0] - stream.Before[0]) * fraction;
        out[1] = stream.Before[1] + (stream.After[1] - stream.Before[1]) * fraction;
        for (stream.Fraction += stream.Step; stream.Fraction >= 1 && !ended; stream.Fraction -= 1) {
            stream.Before[0] = stream.After[0];
            stream.Before[1] = stream.After[1];
            ended = !nextsourceframe(stream, stream.After);
        }
    }
    stream.Written.store(written + made, std::memory_order_release);
    if (ended) stream.Drained.store(true, std::memory_order_release);
}

std::shared_ptr<t_FileStream> openfilestream(t_SoundSource source) {
    auto stream = std::make_shared<t_FileStream>();
    stream->Step = static_cast<double>(source.Rate) / soundrate;
    stream->Source = std::move(source);
    fillfilestream(*stream);
    return stream;
}

int64_t filestreammix(t_FileStream& stream, float* stereo, int64_t frames) {
    const int64_t taken = stream.Taken.load(std::memory_order_relaxed);
    const int64_t count = std::min(frames, stream.Written.load(std::memory_order_acquire) - taken);
    for (int64_t i = 0; i < count; ++i) {
        const float* frame = &stream.Ring[static_cast<size_t>((taken + i) % streamringframes * 2)];
        stereo[2 * i] += frame[0];
        stereo[2 * i + 1] += frame[1];
    }
    stream.Taken.store(taken + count, std::memory_order_release);
    return count;
}

bool filestreamended(const t_FileStream& stream) {
    // Drained is set after the last frame was written, so reading it first sees them all.
    return stream.Drained.load(std::memory_order_acquire) &&
           stream.Taken.load(std::memory_order_relaxed) == stream.Written.load(std::memory_order_acquire);
}

void feedfilestream(std::shared_ptr<t_FileStream> stream) {
    std::lock_guard<std::mutex> lock(feeder.Lock);
    feeder.Streams.push_back(std::move(stream));
    if (!feeder.Running) {
        feeder.Running = true;
        startasyncprocess(feederloop);
    }
    feeder.Wake.notify_all();
}
