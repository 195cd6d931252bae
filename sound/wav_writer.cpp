#include "sound/wav_writer.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>

#include "sound/voice.h"

namespace {

constexpr int64_t channels = 2, bytespersample = 2, bytesperframe = channels * bytespersample;
// The RIFF sizes are 32 bits: the data may not push the file past 4 GiB.
constexpr int64_t mostframes = (0xFFFFFFFFLL - wavheaderbytes) / bytesperframe;

// Little-endian fields into a header of fixed size.
struct t_Header {
    std::vector<uint8_t> Bytes = std::vector<uint8_t>(wavheaderbytes);
    size_t At = 0;
    void put(uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) Bytes[At++] = static_cast<uint8_t>(value >> (8 * i) & 0xFF);
    }
    void tag(const char* text) {
        for (int i = 0; i < 4; ++i) Bytes[At++] = static_cast<uint8_t>(text[i]);
    }
};

bool writeall(std::FILE* file, const void* data, size_t bytes) { return std::fwrite(data, 1, bytes, file) == bytes; }

}  // namespace

std::vector<uint8_t> wavheader(int64_t frames) {
    const auto databytes = static_cast<uint32_t>(std::clamp<int64_t>(frames, 0, mostframes) * bytesperframe);
    t_Header header;
    header.tag("RIFF");
    header.put(databytes + wavheaderbytes - 8, 4);
    header.tag("WAVE");
    header.tag("fmt ");
    header.put(16, 4);  // the format chunk of plain PCM
    header.put(1, 2);   // PCM
    header.put(channels, 2);
    header.put(soundrate, 4);
    header.put(soundrate * bytesperframe, 4);
    header.put(bytesperframe, 2);
    header.put(bytespersample * 8, 2);
    header.tag("data");
    header.put(databytes, 4);
    return header.Bytes;
}

bool wavopen(t_WavWriter& writer, const std::string& path) {
    writer = t_WavWriter{};
    writer.Target = path;
    writer.Temporary = path + ".part" + std::to_string(::getpid());
    writer.File = std::fopen(writer.Temporary.c_str(), "wbx");  // never someone else's file
    const std::vector<uint8_t> header = wavheader(0);
    writer.Failed = writer.File == nullptr || !writeall(writer.File, header.data(), header.size());
    return !writer.Failed;
}

void wavappend(t_WavWriter& writer, const float* stereo, int64_t frames) {
    if (writer.Failed || writer.File == nullptr) return;
    frames = std::min(frames, mostframes - writer.Frames);
    if (frames <= 0) {
        writer.Full = true;
        return;
    }
    writer.Samples.resize(static_cast<size_t>(frames * channels));
    for (size_t i = 0; i < writer.Samples.size(); ++i)
        writer.Samples[i] = static_cast<int16_t>(std::lround(std::clamp(stereo[i], -1.0f, 1.0f) * 32767.0f));
    writer.Failed = !writeall(writer.File, writer.Samples.data(), writer.Samples.size() * bytespersample);
    writer.Frames += frames;
}

bool wavclose(t_WavWriter& writer) {
    if (writer.File != nullptr) {
        const std::vector<uint8_t> header = wavheader(writer.Frames);
        bool written = !writer.Failed && std::fseek(writer.File, 0, SEEK_SET) == 0 &&
                       writeall(writer.File, header.data(), header.size()) && std::fflush(writer.File) == 0 &&
                       ::fsync(::fileno(writer.File)) == 0;
        written = std::fclose(writer.File) == 0 && written;
        writer.File = nullptr;
        writer.Failed = !written || std::rename(writer.Temporary.c_str(), writer.Target.c_str()) != 0;
        if (writer.Failed) std::remove(writer.Temporary.c_str());
    }
    return !writer.Failed;
}
