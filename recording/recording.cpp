#include "recording/recording.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>
#include <thread>

#include "app/startup.h"
#include "core/framework_state.h"
#include "core/guards.h"
#include "core/report.h"
#include "host/framework_calls.h"
#include "host/host.h"
#include "recording/frame_queue.h"
#include "recording/gif_encoder.h"

namespace {

constexpr const char* titlemark = " \u25CF Aufnahme";  // after the title of a window that records

struct t_Recording {
    uint8_t Window = 0;
    int64_t Width = 0, Height = 0, Depth = 0;  // the window's when the recording began
    t_FrameQueue Queue;
    t_GifEncoder Gif;                  // the writer's alone once it runs (Target is read-only)
    std::thread Writer;
    std::atomic<bool> Ended{false};    // takes no more pictures: stopped, failed, or its window changed
    const char* Closer = "g_RecordStop";  // names the line that reports the end; set before the queue closes
    int Result = 0;                    // the writer's outcome: read after joining it
    std::atomic<bool> Failed{false};   // the writer gave up, said so and removed the temporary

    ~t_Recording() {
        closequeue(Queue, 0);
        if (Writer.joinable()) Writer.join();
    }
};

// Written by the threads that start and stop recordings, read by the view's tap on the GUI
// thread: guarded by the framework lock. Active and Armed are also read without it, first, so
// that the tap costs nothing while no recording runs.
struct t_RecordingState {
    std::array<std::unique_ptr<t_Recording>, windowcount> Recordings;  // one per window at most
    std::atomic<int> Active{0};       // recordings in the table
    std::atomic<bool> Armed{false};   // a scripted run waits for the main window's first picture
    std::string ArmedPath;
    int ArmedResult = 0;              // the errno of a start at the first picture that failed
};
t_RecordingState recording;

int64_t steadymicroseconds() {
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

std::string windowname(int window) { return "Window #" + std::to_string(window); }
std::string errorof(int error) { return std::string("Error #") + std::strerror(error); }

// "6,93 s": the length in the system's figures.
std::string lengthof(int64_t centiseconds) {
    const std::string hundredths = std::to_string(centiseconds % 100);
    return std::to_string(centiseconds / 100) + "," + (hundredths.size() < 2 ? "0" : "") + hundredths + " s";
}

void reportend(const t_Recording& r) {
    if (r.Result == ENODATA) {
        reportfailure(r.Closer, windowname(r.Window) + " showed no picture, nothing was recorded.");
    } else if (r.Result != 0) {
        reportfailure(r.Closer, windowname(r.Window) + ": " + errorof(r.Result));
    } else {
        logline(std::string(r.Closer) + ": " + windowname(r.Window) + " recorded " + std::to_string(r.Gif.Frames) +
                (r.Gif.Frames == 1 ? " frame in " : " frames in ") + lengthof(r.Gif.Delays.Written) + ".");
    }
}

// The writer thread: encodes what the view hands over until the queue closes, then completes
// the file. A failure ends the recording at once, with its line and without a file.
void writeframes(t_Recording* r) {
    namethread("t_Recording");
    t_Frame frame;
    int error = 0;
    while (error == 0 && popframe(r->Queue, frame)) {
        error = addgifframe(r->Gif, frame.Pixels, frame.Time);
        returnbuffer(r->Queue, std::move(frame.Pixels));
    }
    if (error != 0) {
        abandongif(r->Gif);
        r->Result = error;
        r->Failed = true;
        reportfailure("recordframe", windowname(r->Window) + ": " + errorof(error));
        r->Ended = true;
        closequeue(r->Queue, 0);  // pictures still on their way are dropped
        host::refreshwindowtitlemark(r->Window);
        return;
    }
    r->Result = closegif(r->Gif, closetime(r->Queue));
    reportend(*r);
}

// Joins a recording's writer; the caller may hold the framework lock, which the GUI thread may
// need meanwhile to paint.
void joinwriter(const std::unique_ptr<t_Recording>& r) {
    if (r == nullptr || !r->Writer.joinable()) return;
    FrameworkUnlock unlocked;
    r->Writer.join();
}

// A recording that ended by itself leaves the table when its window is next recorded or
// stopped. Framework lock held.
std::unique_ptr<t_Recording> takeended(uint8_t window) {
    std::unique_ptr<t_Recording>& slot = recording.Recordings[window];
    if (slot == nullptr || !slot->Ended) return nullptr;
    --recording.Active;
    return std::move(slot);
}

// Starts the window's recording with `first` as its first picture when there is one. Framework
// lock held.
int startrecording(uint8_t window, const std::string& path, const t_Image* first) {
    const t_Window* w = windowguard("g_RecordStart", window);
    if (w == nullptr) return EINVAL;
    if (recording.Recordings[window] != nullptr) {
        reportfailure("g_RecordStart", windowname(window) + " is already recording.");
        return EBUSY;
    }
    auto r = std::make_unique<t_Recording>();
    r->Window = window;
    r->Width = w->Width;
    r->Height = w->Height;
    r->Depth = w->BitDepth;
    if (const int error = opengif(r->Gif, path, r->Width, r->Height, r->Depth); error != 0) {
        reportfailure("g_RecordStart", errorof(error));
        return error;
    }
    try {
        r->Writer = std::thread(writeframes, r.get());
    } catch (const std::system_error& refusal) {
        abandongif(r->Gif);
        reportfailure("g_RecordStart", "Thread could not be created (" + refusal.code().message() + ").");
        return refusal.code().value();
    }
    if (first != nullptr && first->Width == r->Width && first->Height == r->Height)
        pushframe(r->Queue, first->Pixels.data(), static_cast<size_t>(r->Width * r->Height), steadymicroseconds());
    logline("g_RecordStart: " + windowname(window) + " records into " + path + ".");
    recording.Recordings[window] = std::move(r);
    ++recording.Active;
    return 0;
}

}  // namespace

int64_t g_RecordStart(uint8_t window, const std::string& path) {
    std::unique_ptr<t_Recording> ended;
    int error = 0;
    {
        FrameworkLock lock;
        if (window < windowcount) ended = takeended(window);
        // The recording begins with the picture as it is, without waiting for the view to draw.
        t_Image first;
        const bool shown = window < windowcount && framework.frameworkready &&
                           framework.windows[window].Initialized && t_WindowImage(window, first);
        error = startrecording(window, path, shown ? &first : nullptr);
    }
    joinwriter(ended);
    if (error == 0) host::refreshwindowtitlemark(window);
    return error;
}

int64_t g_RecordStop(uint8_t window) {
    std::unique_ptr<t_Recording> r;
    {
        FrameworkLock lock;
        if (window >= windowcount) {
            reportfailure("g_RecordStop", "Window is not a graphic window.");
            return EINVAL;
        }
        r = std::move(recording.Recordings[window]);
        if (r == nullptr) {
            reportfailure("g_RecordStop", windowname(window) + " is not recording.");
            return EINVAL;
        }
        --recording.Active;
        if (!r->Ended) {
            // Completing the file can take a while (the disk is flushed): this line marks the end.
            const int64_t now = steadymicroseconds();
            logline("g_RecordStop: " + windowname(window) + " Start.");
            r->Ended = true;
            // The picture as it is now ends the recording, also when the view has not drawn it.
            const t_Window& w = framework.windows[window];
            t_Image last;
            if (w.Initialized && w.Width == r->Width && w.Height == r->Height && w.BitDepth == r->Depth &&
                t_WindowImage(window, last))
                pushframe(r->Queue, last.Pixels.data(), static_cast<size_t>(r->Width * r->Height), now);
            closequeue(r->Queue, now);
        }
    }
    // The writer says how it ended (a failure already did, when it happened).
    joinwriter(r);
    host::refreshwindowtitlemark(window);
    return r->Result;
}

void recordframe(int window, const t_Image& image) {
    if (recording.Active.load(std::memory_order_relaxed) == 0 && !recording.Armed.load(std::memory_order_relaxed))
        return;
    if (window < 0 || window >= windowcount) return;
    FrameworkLock lock;
    const auto number = static_cast<uint8_t>(window);
    if (recording.Armed && number == framework.mainwindow) {
        recording.Armed = false;
        recording.ArmedResult = startrecording(number, recording.ArmedPath, &image);
        if (recording.ArmedResult == 0) host::refreshwindowtitlemark(window);
        return;
    }
    t_Recording* r = recording.Recordings[number].get();
    if (r == nullptr || r->Ended) return;
    const int64_t now = steadymicroseconds();
    // A window created anew has another size or depth than the file: the file ends there.
    if (image.Width != r->Width || image.Height != r->Height || framework.windows[number].BitDepth != r->Depth) {
        r->Ended = true;
        r->Closer = "recordframe";
        reportfailure("recordframe", windowname(window) + " was created anew, its recording ends.");
        closequeue(r->Queue, now);
        host::refreshwindowtitlemark(window);
        return;
    }
    pushframe(r->Queue, image.Pixels.data(), static_cast<size_t>(image.Width * image.Height), now);
}

bool isrecording(int window) {
    if (window < 0 || window >= windowcount) return false;
    FrameworkLock lock;
    const t_Recording* r = recording.Recordings[static_cast<size_t>(window)].get();
    return r != nullptr && !r->Ended;
}

bool isrecordingtarget(const std::string& path) {
    const std::filesystem::path wanted = std::filesystem::path(path).lexically_normal();
    FrameworkLock lock;
    for (const std::unique_ptr<t_Recording>& r : recording.Recordings)
        if (r != nullptr && !r->Failed && std::filesystem::path(r->Gif.Target).lexically_normal() == wanted)
            return true;
    return false;
}

void stopallrecordings() {
    recording.Armed = false;
    for (uint8_t window = 0; window < windowcount; ++window) {
        bool present = false;
        {
            FrameworkLock lock;
            present = recording.Recordings[window] != nullptr;
        }
        if (present) g_RecordStop(window);
    }
}

void recordmainwindow(const std::string& path) {
    FrameworkLock lock;
    recording.ArmedPath = path;
    recording.ArmedResult = 0;
    recording.Armed = true;
}

int64_t finishmainrecording() {
    bool armed = false;
    int started = 0;
    uint8_t window = nowindow;
    {
        FrameworkLock lock;
        armed = recording.Armed.exchange(false);
        started = recording.ArmedResult;
        window = framework.mainwindow;
    }
    if (armed) {
        logline("Scripted run: The main window showed no picture, nothing was recorded.");
        return ENODATA;
    }
    if (started != 0) return started;  // its line came when it failed
    return g_RecordStop(window);
}

namespace hostcalls {

bool windowrecording(int window) { return isrecording(window); }
std::string windowtitlemark(int window) { return isrecording(window) ? titlemark : ""; }
void recordmainwindow(const std::string& path) { ::recordmainwindow(path); }
int64_t finishmainrecording() { return ::finishmainrecording(); }

}  // namespace hostcalls
