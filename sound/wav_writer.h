// The WAV file of a scripted run: 48 kHz, 16-bit stereo, written as the run goes on. It grows
// beside the target under a temporary name and is renamed once its sizes are filled in, so a
// run that stops half-way leaves no half file under the target's name.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

struct t_WavWriter {
    std::string Target;      // the name the finished file gets
    std::string Temporary;   // where it grows
    std::FILE* File = nullptr;
    int64_t Frames = 0;      // frames written so far
    bool Failed = false;     // a write went wrong: the file is not finished
    bool Full = false;       // the format's 4 GB are reached; later frames are left out
    std::vector<int16_t> Samples;  // conversion buffer
};

constexpr int64_t wavheaderbytes = 44;
std::vector<uint8_t> wavheader(int64_t frames);  // the canonical 44-byte header for that many frames
bool wavopen(t_WavWriter& writer, const std::string& path);
void wavappend(t_WavWriter& writer, const float* stereo, int64_t frames);  // clamped to 16 bits
bool wavclose(t_WavWriter& writer);  // false when anything failed; no file under the target's name then
