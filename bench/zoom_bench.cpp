// A 1280 x 800 window image drawn at factor 2 into a window's picture, as a view paints it.
// Counters:
//   x_memcpy  our time / memcpy of the 16,384,000 bytes drawn, measured in the same run
//   x_qt      our time / QPainter's own nearest-neighbour scaling of the same image
//   ours_us, base_us, qt_us  the three times behind the ratios
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstring>
#include <vector>

#include "bench/thread_clock.h"
#include "host/qt/zoomed_image.h"

namespace {

constexpr int width = 1280, height = 800, factor = 2;
constexpr size_t drawnbytes = size_t{width} * height * factor * factor * 4;

template <typename Job>
double secondsper(Job job) {
    double best = 1e9;
    for (int round = 0; round < 5; ++round) {
        const double start = cpuseconds();
        for (int i = 0; i < 10; ++i) job();
        best = std::min(best, (cpuseconds() - start) / 10);
    }
    return best;
}

void zoomedpicture(benchmark::State& state) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.setPixel(x, y, 0xFF000000u | static_cast<uint32_t>(x * 7919 + y * 104729));
    // The window: the picture inside a border, as the view lies in it.
    QImage window(width * factor + 64, height * factor + 64, QImage::Format_RGB32);
    const QRect target(32, 32, width * factor, height * factor);
    const auto ours = [&] {
        QPainter painter(&window);
        drawzoomed(painter, target, image, target);
    };
    const auto qt = [&] {
        QPainter painter(&window);
        painter.drawImage(target, image);
    };
    std::vector<uint8_t> from(drawnbytes, 1), to(drawnbytes);
    const auto copy = [&] {
        std::memcpy(to.data(), from.data(), drawnbytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    };
    for (auto _ : state) ours();
    const double oursseconds = secondsper(ours), baseseconds = secondsper(copy), qtseconds = secondsper(qt);
    state.counters["x_memcpy"] = oursseconds / baseseconds;
    state.counters["x_qt"] = oursseconds / qtseconds;
    state.counters["ours_us"] = oursseconds * 1e6;
    state.counters["base_us"] = baseseconds * 1e6;
    state.counters["qt_us"] = qtseconds * 1e6;
}

}  // namespace

BENCHMARK(zoomedpicture)->Unit(benchmark::kMicrosecond);
