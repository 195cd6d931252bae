// Zoom and full screen on the Qt side: the screen area a zoomed window must fit, full screen
// without title and menu bar, and the integer scaling of window images.
#include "host/qt/zoom.h"

#include <QGuiApplication>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>

#include <cstring>

#include "host/host.h"
#include "host/qt/graphic_view.h"
#include "host/qt/interface.h"
#include "host/qt/menubar.h"

namespace {

const QScreen* screenof(const QWidget* window) {
    const QScreen* screen = window != nullptr ? window->screen() : nullptr;
    return screen != nullptr ? screen : QGuiApplication::primaryScreen();
}

// One row, each pixel factor times: the compiler unrolls the small factors.
template <int factor>
void widenrow(const uint32_t* from, int width, uint32_t* to) {
    for (int x = 0; x < width; ++x, to += factor)
        for (int k = 0; k < factor; ++k) to[k] = from[x];
}

void widenrow(const uint32_t* from, int width, int factor, uint32_t* to) {
    switch (factor) {
        case 2: widenrow<2>(from, width, to); return;
        case 3: widenrow<3>(from, width, to); return;
        case 4: widenrow<4>(from, width, to); return;
        default:
            for (int x = 0; x < width; ++x, to += factor) std::fill(to, to + factor, from[x]);
    }
}

// Every source row is widened once and then copied: the copies cost a memcpy, not a pixel loop.
void scaleinto(const QImage& image, int factor, QImage& target) {
    const int width = image.width();
    const size_t rowbytes = static_cast<size_t>(width) * static_cast<size_t>(factor) * 4;
    for (int y = 0; y < image.height(); ++y) {
        auto* first = reinterpret_cast<uint32_t*>(target.scanLine(y * factor));
        widenrow(reinterpret_cast<const uint32_t*>(image.constScanLine(y)), width, factor, first);
        for (int k = 1; k < factor; ++k) std::memcpy(target.scanLine(y * factor + k), first, rowbytes);
    }
}

}  // namespace

int wholefactor(QSize view, QSize image) {
    if (image.isEmpty() || view.width() % image.width() != 0) return 0;
    const int factor = view.width() / image.width();
    return factor > 0 && view.height() == factor * image.height() ? factor : 0;
}

void drawzoomed(QPainter& painter, const QRect& target, const QImage& image) {
    painter.drawImage(target, image);
}

QImage zoomedimage(const QImage& image, int factor) {
    if (factor <= 1) return image;
    QImage zoomed(image.width() * factor, image.height() * factor, QImage::Format_RGB32);
    if (zoomed.isNull()) return image;  // no memory for it: the picture as it is
    scaleinto(image.convertToFormat(QImage::Format_RGB32), factor, zoomed);
    return zoomed;
}

namespace host {

t_Frame screenarea(int window) {
    t_Frame area;
    runsync([&] {
        const QScreen* screen = screenof(hostwindow(window));
        if (screen == nullptr) return;
        const QRect whole = screen->geometry(), free = screen->availableGeometry();
        // Framework coordinates count up from the screen's bottom edge.
        const int bottom = whole.y() + whole.height();
        area = {free.x(), bottom - (free.y() + free.height()), free.width(), free.height()};
    });
    return area;
}

void setwindowfullscreen(int window, bool on, bool titled) {
    runsync([window, on, titled] {
        HostWindow* w = window >= 0 && window < 8 ? hostwindow(window) : nullptr;
        if (w == nullptr) return;
        // Title bar and menu bar go the way a title-less window loses them, in place.
        setwindowtitled(window, on ? false : titled);
        // A shortcut works only while its menu hangs in a visible widget: with the menu bar gone
        // the window itself carries the menus, or Ctrl+Shift+F could never end full screen.
        if (auto* bar = w->findChild<QMenuBar*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (on) w->addActions(bar->actions());
            else
                for (QAction* menu : bar->actions()) w->removeAction(menu);
        }
        if (!on) return;
        if (const QScreen* screen = screenof(w)) w->setGeometry(screen->geometry());
        if (!w->isVisible()) return;
        w->raise();
        w->activateWindow();
        if (GraphicView* view = interface().Views[window]) view->setFocus();
    });
}

}  // namespace host
