#include "host/qt/graphic_view.h"

#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <cstdlib>
#include <ctime>
#include <string>

#include "core/report.h"
#include "host/framework_calls.h"
#include "host/qt/key_mapping.h"
#include "host/qt/zoomed_image.h"

namespace {
// Set by the start-up measurement: the first frame that shows a window's picture is logged.
bool reportfirstframe = std::getenv("STANGENSPIEL_FIRST_FRAME") != nullptr;

// The part of the view that shows `area` of an image of size `image` drawn over `view`: whole
// blocks at a whole factor, else widened by a pixel for the scaler's rounding.
QRect viewrect(const host::t_PixelArea& area, QSize image, const QRect& view) {
    if (area.empty() || image.isEmpty()) return {};
    const int factor = wholefactor(view.size(), image);
    const auto left = static_cast<int>(area.Left), top = static_cast<int>(area.Top);
    const auto right = static_cast<int>(area.Right), bottom = static_cast<int>(area.Bottom);
    if (factor > 0)
        return QRect(view.x() + left * factor, view.y() + top * factor, (right - left) * factor, (bottom - top) * factor)
            .intersected(view);
    const double sx = double(view.width()) / image.width(), sy = double(view.height()) / image.height();
    return QRect(QPoint(int(left * sx) - 1, int(top * sy) - 1), QPoint(int(right * sx) + 1, int(bottom * sy) + 1))
        .intersected(view);
}
// The image pixels wholly painted when `part` of the view is: at a whole factor the blocks under
// it, else the whole image only when the whole view is painted.
host::t_PixelArea imagearea(const QRect& part, QSize image, const QRect& view) {
    const int factor = wholefactor(view.size(), image);
    if (factor == 0) return part.contains(view) ? host::t_PixelArea{0, 0, image.width(), image.height()} : host::t_PixelArea{};
    const QRect inview = part.intersected(view).translated(-view.topLeft());
    if (inview.isEmpty()) return {};
    return {inview.left() / factor, inview.top() / factor, inview.right() / factor + 1, inview.bottom() / factor + 1};
}
}  // namespace

void GraphicView::updatearea(const host::t_PixelArea& area, QSize image) {
    const QRect part = viewrect(area, image, rect());
    if (!part.isEmpty()) update(part);
}

GraphicView::GraphicView(int number, QWidget* parent) : QWidget(parent), Number(number) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

void GraphicView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    bool drawn = false;
    host::t_PixelArea painted;
    hostcalls::viewdrawstarted(Number);
    hostcalls::viewimage(Number, [&](const uint32_t* pixels, int width, int height) {
        // Wraps the framework's buffer without copying; it is drawn before the lock is let go.
        const QImage image(reinterpret_cast<const uchar*>(pixels), width, height, width * 4, QImage::Format_RGB32);
        drawzoomed(painter, rect(), image, event->rect());
        // Parts of the bounding rectangle outside a region of several rectangles are not shown.
        if (event->region().rectCount() == 1) painted = imagearea(event->rect(), image.size(), rect());
        drawn = true;
    }, &painted);
    hostcalls::viewdrawfinished(Number);
    if (!drawn) painter.fillRect(rect(), palette().color(QPalette::Window));
    if (drawn && reportfirstframe) {
        reportfirstframe = false;
        // The process's CPU time so far, all threads: the start-up measurement's figure.
        timespec cpu{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
        logline("first frame, CPU " + std::to_string(cpu.tv_sec * 1000000 + cpu.tv_nsec / 1000) + " us");
    }
}

void GraphicView::keyPressEvent(QKeyEvent* event) {
    const t_HostKey key = translatekeyevent(*event);
    if (key.ModifierOnly) hostcalls::viewflagschanged(Number, key.Modifiers);
    else hostcalls::viewkeydown(Number, key.KeyCode, key.Characters, key.Modifiers);
}

void GraphicView::keyReleaseEvent(QKeyEvent* event) {
    const t_HostKey key = translatekeyevent(*event);
    if (key.ModifierOnly) hostcalls::viewflagschanged(Number, key.Modifiers);
    else if (!event->isAutoRepeat()) hostcalls::viewkeyup(Number, key.KeyCode, key.Modifiers);
}

namespace {
int64_t buttonmask(Qt::MouseButtons buttons) {
    int64_t mask = 0;
    if (buttons & Qt::LeftButton) mask |= 1;
    if (buttons & Qt::RightButton) mask |= 2;
    if (buttons & Qt::MiddleButton) mask |= 4;
    return mask;
}
}  // namespace

void forwardmousepress(int window, const QWidget* from, const QMouseEvent& event) {
    // Positions go to the framework in the host window's coordinates, origin at the bottom left.
    const QPointF inwindow = from->mapTo(from->window(), event.position());
    const double y = from->window()->height() - inwindow.y();
    const int button = event.button() == Qt::RightButton ? 1 : 0;
    hostcalls::viewmousedown(window, inwindow.x(), y, button, buttonmask(event.buttons()),
                             modifierword(event.modifiers(), false));
}

void forwardmouserelease(int window, const QMouseEvent& event) {
    const int button = event.button() == Qt::RightButton ? 1 : 0;
    hostcalls::viewmouseup(window, button, modifierword(event.modifiers(), false));
}

void GraphicView::mousePressEvent(QMouseEvent* event) { forwardmousepress(Number, this, *event); }

void GraphicView::mouseReleaseEvent(QMouseEvent* event) { forwardmouserelease(Number, *event); }
