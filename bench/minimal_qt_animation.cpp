// The least a Qt Widgets program does to animate N windows of 640 x 400 at 30 Hz from a QImage:
// the outside baseline for the framework's animating windows (window_load.cpp), drawing the same
// frames (a bright bar moves one column, its old column goes dark) the same way, a whole picture
// per frame, and measured the same way.
//   minimal_qt_animation N [seconds]
// Prints one line: windows, CPU of the whole process per window, the X server's CPU per window
// (when STANGENSPIEL_XSERVER_PID names it; else -1), and the frames each window painted per second.
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "process_cpu.h"

namespace {

constexpr int framewidth = 640, frameheight = 400;

class AnimatedView : public QWidget {
public:
    AnimatedView() : picture(framewidth, frameheight, QImage::Format_RGB32) {
        picture.fill(Qt::black);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setWindowTitle("Minimal");
        setFixedSize(framewidth, frameheight);
    }
    void step(int64_t n) {
        const auto column = [](int64_t k) { return static_cast<int>(k % framewidth); };
        for (int y = 0; y < frameheight; ++y) {
            auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
            row[column(n - 1)] = 0xFF000000u;
            row[column(n)] = 0xFFFFFFFFu;
        }
        update();
    }
    uint64_t painted = 0;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawImage(rect(), picture);
        ++painted;
    }

private:
    QImage picture;
};

}  // namespace

int main(int argc, char** argv) {
    const int windows = argc > 1 ? std::clamp(std::atoi(argv[1]), 1, 8) : 1;
    const double seconds = argc > 2 ? std::max(1.0, std::atof(argv[2])) : 4.0;
    int qtargc = 1;
    QApplication application(qtargc, argv);
    std::vector<std::unique_ptr<AnimatedView>> views;
    for (int w = 0; w < windows; ++w) {
        views.push_back(std::make_unique<AnimatedView>());
        views.back()->move(10 + (w % 4) * (framewidth + 10), 40 + (w / 4) * (frameheight + 60));
        views.back()->show();
    }
    // Frame k is due at k thirtieths of a second from the start, as the framework's run paces them.
    int64_t n = 0;
    QElapsedTimer since;
    since.start();
    std::function<void()> frame = [&] {
        ++n;
        for (auto& view : views) view->step(n);
        const int64_t wait = ((n + 1) * 1000000 / 30 - since.nsecsElapsed() / 1000) / 1000;
        QTimer::singleShot(static_cast<int>(std::max<int64_t>(wait, 0)), Qt::PreciseTimer, frame);
    };
    frame();

    // One second to show and paint every window once, as the framework's run has; then the measure.
    const pid_t server = xserverpid();
    std::vector<uint64_t> before(views.size());
    double cpu = 0, servercpu = 0;
    QElapsedTimer clock;
    QTimer::singleShot(1000, [&] {
        for (size_t i = 0; i < views.size(); ++i) before[i] = views[i]->painted;
        cpu = processcpuseconds(getpid());
        servercpu = server ? processcpuseconds(server) : -1;
        clock.start();
        QTimer::singleShot(static_cast<int>(seconds * 1000), [&] {
            const double elapsed = static_cast<double>(clock.nsecsElapsed()) * 1e-9;
            const double used = processcpuseconds(getpid()) - cpu;
            const double serverused = server ? processcpuseconds(server) - servercpu : -1;
            double slowest = 1e9, sum = 0;
            for (size_t i = 0; i < views.size(); ++i) {
                const double rate = static_cast<double>(views[i]->painted - before[i]) / elapsed;
                slowest = std::min(slowest, rate);
                sum += rate;
            }
            std::printf("windows %d cpu_per_window %.2f xserver_per_window %.2f fps_slowest %.1f fps_mean %.1f\n",
                        windows, used / elapsed / windows * 100,
                        server ? serverused / elapsed / windows * 100 : -1.0, slowest, sum / windows);
            std::fflush(stdout);
            QApplication::quit();
        });
    });
    return QApplication::exec();
}
