// The sound module: the desktop's audio output and the sound-file decoder. Built as a module of
// its own and loaded at the first sound (host/qt/audio.cpp), so that Qt Multimedia, libsndfile
// and what they bring stay out of every launch. It knows nothing of the framework: the caller
// hands it the function that renders the mix.
#include <sndfile.h>

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBasicTimer>
#include <QCoreApplication>
#include <QEvent>
#include <QMediaDevices>
#include <QThread>

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#define STANGENSPIEL_MODULE_ENTRY extern "C" __attribute__((visibility("default")))

namespace {

using t_Render = bool (*)(float* stereo, int64_t frames);  // answers whether anything still sounds

constexpr int rate = 48000;
constexpr int feedms = 5;           // how often the output thread tops the device's buffer up
constexpr int64_t mostframes = 9600;  // frames rendered at one top-up
constexpr int mostchannels = 8;

void answer(char* message, int64_t size, const std::string& text) {
    if (message == nullptr || size <= 0) return;
    const size_t length = std::min<size_t>(text.size(), static_cast<size_t>(size - 1));
    std::memcpy(message, text.data(), length);
    message[length] = '\0';
}

// How an opening ends, told by the output thread to the caller waiting for it. A caller that
// gave up waiting abandons it, and the output then never starts.
struct t_Opening {
    std::mutex Lock;
    std::condition_variable Changed;
    bool Answered = false;
    bool Opened = false;
    bool Abandoned = false;
    std::string Message;

    // False when the caller has gone: the output must not start.
    bool tell(bool opened, const std::string& message) {
        std::lock_guard<std::mutex> lock(Lock);
        Answered = true;
        Opened = opened && !Abandoned;
        Message = message;
        Changed.notify_all();
        return Opened;
    }
};

// Feeds the sink from a precise timer while there is sound and rests once the mix has been
// quiet for a second, so that a program which played once costs no wake-ups while it waits (nor
// does the sound server: the stream is suspended). A wake from any thread starts it again.
class Feeder : public QObject {
public:
    Feeder(t_Render render, QAudioSink& sink, QIODevice& io)
        : render_(render), sink_(sink), io_(io), format_(sink.format()) {}

    static inline const QEvent::Type wakeevent = static_cast<QEvent::Type>(QEvent::User + 7);

    void resume() {
        if (timer_.isActive()) return;
        quietframes_ = 0;
        if (sink_.state() == QAudio::SuspendedState) sink_.resume();
        feed();
        timer_.start(feedms, Qt::PreciseTimer, this);
    }

protected:
    bool event(QEvent* event) override {
        if (event->type() != wakeevent) return QObject::event(event);
        resume();
        return true;
    }
    void timerEvent(QTimerEvent*) override { feed(); }

private:
    void feed() {
        const int64_t frames = std::min<int64_t>(sink_.bytesFree() / format_.bytesPerFrame(), mostframes);
        if (frames <= 0) return;
        mix_.resize(static_cast<size_t>(frames * 2));
        const bool sounding = render_(mix_.data(), frames);
        quietframes_ = sounding ? 0 : quietframes_ + frames;
        if (quietframes_ >= rate) {
            timer_.stop();
            sink_.suspend();  // the server rests too
        }
        if (format_.sampleFormat() == QAudioFormat::Float) {
            io_.write(reinterpret_cast<const char*>(mix_.data()), frames * format_.bytesPerFrame());
            return;
        }
        pcm_.resize(mix_.size());
        for (size_t i = 0; i < mix_.size(); ++i)
            pcm_[i] = static_cast<int16_t>(std::clamp(mix_[i], -1.0f, 1.0f) * 32767.0f);
        io_.write(reinterpret_cast<const char*>(pcm_.data()), frames * format_.bytesPerFrame());
    }

    t_Render render_;
    QAudioSink& sink_;
    QIODevice& io_;
    const QAudioFormat format_;
    QBasicTimer timer_;
    int64_t quietframes_ = 0;
    std::vector<float> mix_;
    std::vector<int16_t> pcm_;
};

// The feeder of the running output, for wakes from other threads; set and cleared by the
// output thread under the lock, so that no wake is posted to a feeder that is gone.
std::mutex feederlock;
Feeder* runningfeeder = nullptr;

// The output's own thread: it owns the sink and its feeder, so neither the GUI thread nor the
// program thread ever stands between the mix and the device.
class OutputThread : public QThread {
public:
    OutputThread(t_Render render, int latencyms, std::shared_ptr<t_Opening> opening)
        : render_(render), latencyms_(latencyms), opening_(std::move(opening)) {}

protected:
    void run() override {
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull()) return (void)opening_->tell(false, "no audio output device");
        QAudioFormat format;
        format.setSampleRate(rate);
        format.setChannelCount(2);
        format.setSampleFormat(QAudioFormat::Float);
        if (!device.isFormatSupported(format)) format.setSampleFormat(QAudioFormat::Int16);
        if (!device.isFormatSupported(format))
            return (void)opening_->tell(false, "the device takes no 48 kHz stereo");
        QAudioSink sink(device, format);
        // The buffer is the latency: a note starts about this much after it is queued.
        sink.setBufferSize(format.bytesForDuration(latencyms_ * 1000));
        QIODevice* io = sink.start();
        if (io == nullptr || sink.error() != QAudio::NoError)
            return (void)opening_->tell(false, "the audio output refused to start");
        if (!opening_->tell(true, "")) return sink.stop();
        Feeder feeder(render_, sink, *io);
        setfeeder(&feeder);
        feeder.resume();
        exec();
        setfeeder(nullptr);
        sink.stop();
    }

private:
    static void setfeeder(Feeder* feeder) {
        std::lock_guard<std::mutex> lock(feederlock);
        runningfeeder = feeder;
    }

    t_Render render_;
    int latencyms_;
    std::shared_ptr<t_Opening> opening_;
};

OutputThread* output = nullptr;  // the running output; opened and closed by one caller at a time

}  // namespace

// Starts the audio output on a thread of its own, which calls render for every block the
// device wants (interleaved stereo float at 48 kHz) while render says something sounds. False with a reason in message when there
// is no device or it gives no answer within timeoutms; render is then never called.
STANGENSPIEL_MODULE_ENTRY bool stangenspiel_openoutput(t_Render render, int64_t latencyms, int64_t timeoutms,
                                                       char* message, int64_t messagesize) {
    auto opening = std::make_shared<t_Opening>();
    auto* thread = new OutputThread(render, static_cast<int>(latencyms), opening);
    thread->setObjectName("s_Sound output");
    thread->start(QThread::TimeCriticalPriority);
    std::unique_lock<std::mutex> lock(opening->Lock);
    if (!opening->Changed.wait_for(lock, std::chrono::milliseconds(timeoutms), [&] { return opening->Answered; })) {
        opening->Abandoned = true;  // a server that hangs keeps the thread; it never plays
        answer(message, messagesize, "no answer from the sound server");
        return false;
    }
    answer(message, messagesize, opening->Message);
    lock.unlock();
    if (!opening->Opened) {
        thread->wait(2000);
        if (thread->isFinished()) delete thread;
        return false;
    }
    output = thread;
    return true;
}

// Stops the output started last; render is not called after it returns.
STANGENSPIEL_MODULE_ENTRY void stangenspiel_closeoutput() {
    if (output == nullptr) return;
    output->quit();
    if (output->wait(2000)) delete output;  // one stuck in a hung server is left to itself
    output = nullptr;
}

// Something was queued: an output resting after a quiet second feeds the device again.
STANGENSPIEL_MODULE_ENTRY void stangenspiel_wakeoutput() {
    std::lock_guard<std::mutex> lock(feederlock);
    if (runningfeeder != nullptr) QCoreApplication::postEvent(runningfeeder, new QEvent(Feeder::wakeevent));
}

// Opens a sound file (WAV, AIFF, FLAC, Ogg, ...) for reading as float frames; nullptr with a
// reason in message when it cannot be read.
STANGENSPIEL_MODULE_ENTRY void* stangenspiel_openfile(const char* path, int64_t* samplerate, int64_t* channels,
                                                       char* message, int64_t messagesize) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path, SFM_READ, &info);
    if (file == nullptr) {
        answer(message, messagesize, sf_strerror(nullptr));
        return nullptr;
    }
    if (info.channels < 1 || info.channels > mostchannels || info.samplerate < 1000 || info.samplerate > 384000) {
        sf_close(file);
        answer(message, messagesize, "unusual channels or sample rate");
        return nullptr;
    }
    *samplerate = info.samplerate;
    *channels = info.channels;
    return file;
}

// Reads up to `frames` interleaved frames; fewer at the end of the file, 0 after it.
STANGENSPIEL_MODULE_ENTRY int64_t stangenspiel_readfile(void* file, float* samples, int64_t frames) {
    const sf_count_t got = sf_readf_float(static_cast<SNDFILE*>(file), samples, frames);
    return got > 0 ? got : 0;
}

STANGENSPIEL_MODULE_ENTRY void stangenspiel_closefile(void* file) { sf_close(static_cast<SNDFILE*>(file)); }
