// The hand-over from a view (GUI thread) to a recording's writer thread: a few pictures at most.
// When the writer falls behind, a new picture replaces the newest waiting one, so that the view
// never waits for the writer and memory never grows: the recording then has fewer frames, never
// later ones.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

struct t_Frame {
    std::vector<uint32_t> Pixels;
    int64_t Time = 0;  // steady-clock microseconds at which the view made the picture
};

constexpr size_t framesqueued = 3;

// Every field is guarded by Lock.
struct t_FrameQueue {
    std::mutex Lock;
    std::condition_variable Ready;
    std::deque<t_Frame> Waiting;                // at most framesqueued
    std::vector<std::vector<uint32_t>> Spare;  // buffers the writer has finished with
    bool Closed = false;
    int64_t CloseTime = 0;                      // when the recording ended
    uint64_t Merged = 0;                        // pictures that replaced a waiting one
};

// Copies the picture in; pictures after closequeue are dropped.
void pushframe(t_FrameQueue& queue, const uint32_t* pixels, size_t count, int64_t time);
// Waits for the oldest picture; false once the queue is closed and empty.
bool popframe(t_FrameQueue& queue, t_Frame& frame);
void returnbuffer(t_FrameQueue& queue, std::vector<uint32_t>&& buffer);  // for the next pushframe
void closequeue(t_FrameQueue& queue, int64_t time);  // the writer takes what waits, then ends
int64_t closetime(t_FrameQueue& queue);
