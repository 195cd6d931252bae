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
}  // namespace

GraphicView::GraphicView(int number, QWidget* parent) : QWidget(parent), Number(number) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

void GraphicView::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    bool drawn = false;
    hostcalls::viewdrawstarted(Number);
    hostcalls::viewimage(Number, [&](const uint32_t* pixels, int width, int height) {
        // Wraps the framework's buffer without copying; it is drawn before the lock is let go.
        const QImage image(reinterpret_cast<const uchar*>(pixels), width, height, width * 4, QImage::Format_RGB32);
        drawzoomed(painter, rect(), image);
        drawn = true;
    });
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
