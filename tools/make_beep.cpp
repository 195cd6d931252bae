// Build-time tool: writes the alert sound, a short soft 880 Hz beep, as a 16-bit mono
// 44.1 kHz AIFF file.   make_beep <output file>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int samplerate = 44100;
constexpr double frequency = 880.0;
constexpr double duration = 0.15;  // seconds
constexpr double fadein = 0.005;   // a hard start would click
constexpr double loudness = 0.25;  // of full scale: an alert, not an alarm

void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v >> 8));
    out.push_back(static_cast<uint8_t>(v));
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v >> 16);
    put16(out, v & 0xFFFF);
}

void puttag(std::vector<uint8_t>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_beep <output file>\n");
        return 2;
    }
    const int frames = static_cast<int>(samplerate * duration);
    std::vector<uint8_t> samples;
    for (int i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / samplerate;
        // Rises over 5 ms, then dies away along a half cosine to silence at the end.
        const double envelope = std::min(1.0, t / fadein) * 0.5 * (1.0 + std::cos(M_PI * t / duration));
        const double value = loudness * envelope * std::sin(2.0 * M_PI * frequency * t);
        put16(samples, static_cast<uint16_t>(static_cast<int16_t>(std::lround(value * 32767.0))));
    }

    std::vector<uint8_t> file;
    puttag(file, "FORM");
    put32(file, static_cast<uint32_t>(4 + 8 + 18 + 8 + 8 + samples.size()));
    puttag(file, "AIFF");
    puttag(file, "COMM");
    put32(file, 18);
    put16(file, 1);                       // channels
    put32(file, static_cast<uint32_t>(frames));
    put16(file, 16);                      // bits per sample
    // 44100 as an 80-bit extended float: exponent 15 + bias, mantissa with its leading 1 bit.
    const uint8_t rate[10] = {0x40, 0x0E, 0xAC, 0x44, 0, 0, 0, 0, 0, 0};
    file.insert(file.end(), rate, rate + 10);
    puttag(file, "SSND");
    put32(file, static_cast<uint32_t>(8 + samples.size()));
    put32(file, 0);                       // offset
    put32(file, 0);                       // block size
    file.insert(file.end(), samples.begin(), samples.end());

    std::FILE* out = std::fopen(argv[1], "wb");
    const bool written = out != nullptr && std::fwrite(file.data(), 1, file.size(), out) == file.size();
    if (out != nullptr && std::fclose(out) != 0) return 1;
    if (!written) {
        std::fprintf(stderr, "make_beep: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
