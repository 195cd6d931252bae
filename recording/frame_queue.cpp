#include "recording/frame_queue.h"

void pushframe(t_FrameQueue& queue, const uint32_t* pixels, size_t count, int64_t time) {
    {
        std::lock_guard<std::mutex> lock(queue.Lock);
        if (queue.Closed) return;
        if (queue.Waiting.size() >= framesqueued) {
            // The newest waiting picture was never seen by the writer: this one takes its place.
            t_Frame& newest = queue.Waiting.back();
            newest.Pixels.assign(pixels, pixels + count);
            newest.Time = time;
            ++queue.Merged;
        } else {
            t_Frame frame;
            if (!queue.Spare.empty()) {
                frame.Pixels = std::move(queue.Spare.back());
                queue.Spare.pop_back();
            }
            frame.Pixels.assign(pixels, pixels + count);  // keeps a reused buffer's memory
            frame.Time = time;
            queue.Waiting.push_back(std::move(frame));
        }
    }
    queue.Ready.notify_one();
}

bool popframe(t_FrameQueue& queue, t_Frame& frame) {
    std::unique_lock<std::mutex> lock(queue.Lock);
    queue.Ready.wait(lock, [&] { return !queue.Waiting.empty() || queue.Closed; });
    if (queue.Waiting.empty()) return false;
    frame = std::move(queue.Waiting.front());
    queue.Waiting.pop_front();
    return true;
}

void returnbuffer(t_FrameQueue& queue, std::vector<uint32_t>&& buffer) {
    std::lock_guard<std::mutex> lock(queue.Lock);
    // Never more spares than could ever be waiting at once.
    if (queue.Spare.size() < framesqueued) queue.Spare.push_back(std::move(buffer));
}

void closequeue(t_FrameQueue& queue, int64_t time) {
    {
        std::lock_guard<std::mutex> lock(queue.Lock);
        if (queue.Closed) return;
        queue.Closed = true;
        queue.CloseTime = time;
    }
    queue.Ready.notify_one();
}

int64_t closetime(t_FrameQueue& queue) {
    std::lock_guard<std::mutex> lock(queue.Lock);
    return queue.CloseTime;
}
