// Zoom and full screen on the window side: the screen area a zoomed window must fit, and full
// screen without title and menu bar.
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>

#include "host/host.h"
#include "host/qt/graphic_view.h"
#include "host/qt/interface.h"

namespace {

const QScreen* screenof(const QWidget* window) {
    const QScreen* screen = window != nullptr ? window->screen() : nullptr;
    return screen != nullptr ? screen : QGuiApplication::primaryScreen();
}

}  // namespace

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
