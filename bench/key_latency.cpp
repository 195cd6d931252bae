// Key-to-screen latency as a person sees it: a key is sent through the X server's test
// extension to a window that has the focus, and the window's pixels are read back through X
// until they change.
//   stangenspiel_key_latency WINDOW-ID PRESSES [KEYSYM [last]]
// One calibration press finds the rows the key changes (the first band of them, or with `last`
// the last: the puzzle's move line, which every move rewrites); then every press watches them.
// Presses are spaced at random, so they land at every phase of the refresh period. Prints one
// line of milliseconds per press ("latency 5.21"), or "timeout" when nothing changed in 1 s.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Area {
    int Y = 0, Height = 0, Width = 0;
};

// The pixels of rows [y, y + height) of the window, one 32-bit value each.
std::vector<unsigned long> rows(Display* display, Window window, int width, int y, int height) {
    std::vector<unsigned long> pixels;
    XImage* image = XGetImage(display, window, 0, y, static_cast<unsigned>(width), static_cast<unsigned>(height),
                              AllPlanes, ZPixmap);
    if (image == nullptr) return pixels;
    pixels.reserve(static_cast<size_t>(width) * static_cast<size_t>(height));
    for (int row = 0; row < height; ++row)
        for (int x = 0; x < width; ++x) pixels.push_back(XGetPixel(image, x, row));
    XDestroyImage(image);
    return pixels;
}

void press(Display* display, KeyCode key) {
    XTestFakeKeyEvent(display, key, True, 0);
    XTestFakeKeyEvent(display, key, False, 0);
    XFlush(display);
}

void sleepms(int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

// Presses once and finds the band of rows the answer changed (at most 8 rows are watched).
Area calibrate(Display* display, Window window, KeyCode key, int width, int height, bool last) {
    const std::vector<unsigned long> before = rows(display, window, width, 0, height);
    press(display, key);
    sleepms(400);
    const std::vector<unsigned long> after = rows(display, window, width, 0, height);
    if (before.empty() || before.size() != after.size()) return Area{};
    const auto changed = [&](int y) {
        return !std::equal(before.begin() + y * width, before.begin() + (y + 1) * width, after.begin() + y * width);
    };
    for (int k = 0; k < height; ++k) {
        const int y = last ? height - 1 - k : k;
        if (!changed(y)) continue;
        const int top = last ? std::max(0, y - 7) : y;
        return Area{top, std::min(8, height - top), width};
    }
    return Area{};
}

// Milliseconds from the press until the watched rows change; negative after a second.
double measure(Display* display, Window window, KeyCode key, const Area& area) {
    const std::vector<unsigned long> before = rows(display, window, area.Width, area.Y, area.Height);
    const Clock::time_point start = Clock::now();
    press(display, key);
    while (Clock::now() - start < std::chrono::seconds(1)) {
        if (rows(display, window, area.Width, area.Y, area.Height) != before)
            return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s WINDOW-ID PRESSES [KEYSYM]\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    int event = 0, error = 0, major = 0, minor = 0;
    if (display == nullptr || !XTestQueryExtension(display, &event, &error, &major, &minor)) {
        std::fprintf(stderr, "key_latency: no X display with the test extension\n");
        return 1;
    }
    const auto window = static_cast<Window>(std::strtoul(argv[1], nullptr, 0));
    const int presses = std::max(1, std::atoi(argv[2]));
    const KeyCode key = XKeysymToKeycode(display, XStringToKeysym(argc > 3 ? argv[3] : "a"));
    XWindowAttributes attributes{};
    if (key == 0 || XGetWindowAttributes(display, window, &attributes) == 0) {
        std::fprintf(stderr, "key_latency: no such window or key\n");
        return 1;
    }
    XSetInputFocus(display, window, RevertToParent, CurrentTime);
    XSync(display, False);
    sleepms(200);
    const bool last = argc > 4 && std::strcmp(argv[4], "last") == 0;
    const Area area = calibrate(display, window, key, attributes.width, attributes.height, last);
    if (area.Height == 0) {
        std::fprintf(stderr, "key_latency: the key changed nothing on screen\n");
        return 1;
    }
    std::mt19937 random(11);
    for (int i = 0; i < presses; ++i) {
        sleepms(120 + static_cast<int>(random() % 67));  // a random phase of a 30 Hz period
        const double latency = measure(display, window, key, area);
        if (latency < 0) std::puts("timeout");
        else std::printf("latency %.2f\n", latency);
        std::fflush(stdout);
    }
    XCloseDisplay(display);
    return 0;
}
