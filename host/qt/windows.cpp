// Window geometry, titles and visibility in the framework's bottom-left coordinates.
#include <QApplication>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>

#include <atomic>

#include "host/host.h"
#include "host/qt/graphic_view.h"
#include "host/qt/interface.h"
#include "host/qt/menubar.h"
#include "host/qt/window_tracking.h"

namespace {

std::atomic<int> activewindow{255};

QScreen* screenof(QWidget* window) {
    QScreen* screen = window != nullptr ? window->screen() : nullptr;
    return screen != nullptr ? screen : QGuiApplication::primaryScreen();
}

// Bottom edge of the screen in Qt's top-down coordinates: framework y runs up from it.
int screenbottom(QWidget* window) {
    const QScreen* screen = screenof(window);
    return screen != nullptr ? screen->geometry().y() + screen->geometry().height() : 0;
}

// Decoration heights are known only once a window manager has framed a shown window.
QSize decoration(QWidget* window) {
    if (!window->isVisible()) return {0, static_cast<int>(host::titlebarheight()) - menubarheight()};
    return window->frameGeometry().size() - window->size();
}

template <typename Result, typename Job>
Result ongui(Job job) {
    Result result{};
    host::runsync([&] { result = job(); });
    return result;
}

}  // namespace

void noteactivewindow(int number) { activewindow = number; }
int lastactivewindow() { return activewindow; }

namespace host {

bool windowexists(int window) {
    return ongui<bool>([window] { return hostwindow(window) != nullptr; });
}

bool viewexists(int window) {
    return ongui<bool>([window] { return window >= 0 && window < 8 && interface().Views[window] != nullptr; });
}

t_Frame windowframe(int window) {
    return ongui<t_Frame>([window] {
        QWidget* w = hostwindow(window);
        if (w == nullptr) return t_Frame{};
        const QRect frame = w->frameGeometry();
        return t_Frame{frame.x(), screenbottom(w) - (frame.y() + frame.height()), frame.width(), frame.height()};
    });
}

void setwindowframe(int window, t_Frame frame) {
    runsync([window, frame] {
        QWidget* w = hostwindow(window);
        if (w == nullptr || frame.Width <= 0 || frame.Height <= 0) return;
        const QSize extra = decoration(w);
        const int top = screenbottom(w) - static_cast<int>(frame.Y + frame.Height);
        w->resize(static_cast<int>(frame.Width) - extra.width(), static_cast<int>(frame.Height) - extra.height());
        w->move(static_cast<int>(frame.X), top);
        w->repaint();
    });
}

void setviewframe(int window, t_Frame frame) {
    runsync([window, frame] {
        if (window < 0 || window >= 8 || interface().Views[window] == nullptr) return;
        GraphicView* view = interface().Views[window];
        const int parentheight = view->parentWidget()->height();
        const int top = parentheight - static_cast<int>(frame.Y + frame.Height);
        view->setGeometry(static_cast<int>(frame.X), top, static_cast<int>(frame.Width), static_cast<int>(frame.Height));
    });
}

t_Frame screenframe(int window) {
    return ongui<t_Frame>([window] {
        const QScreen* screen = screenof(hostwindow(window));
        if (screen == nullptr) return t_Frame{};
        const QRect g = screen->geometry();
        return t_Frame{g.x(), 0, g.width(), g.height()};
    });
}

// The menu bar sits inside each window above the drawing area, so it counts as title bar.
int64_t titlebarheight() {
    return ongui<int64_t>([] {
        int64_t decorations = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible()) {
                decorations = w->geometry().y() - w->frameGeometry().y();
                break;
            }
        return decorations + menubarheight();
    });
}

std::string windowtitle(int window) {
    return ongui<std::string>([window] {
        QWidget* w = hostwindow(window);
        return w != nullptr ? w->windowTitle().toStdString() : std::string();
    });
}

void setwindowtitle(int window, const std::string& title) {
    auto job = [window, title] {
        if (QWidget* w = hostwindow(window)) w->setWindowTitle(QString::fromStdString(title));
    };
    if (isguithread()) job();
    else runasync(job);  // a title change need not hold up the program
}

void setwindowtitled(int window, bool titled) {
    runsync([window, titled] {
        QWidget* w = hostwindow(window);
        if (w == nullptr) return;
        const bool shown = w->isVisible();
        w->setWindowFlag(Qt::FramelessWindowHint, !titled);
        if (shown) w->show();  // changing flags hides a window
    });
}

void showwindow(int window, bool visible) {
    runsync([window, visible] {
        QWidget* w = hostwindow(window);
        if (w == nullptr) return;
        if (visible) {
            w->show();
            w->raise();
        } else {
            w->hide();
        }
    });
}

bool windowisvisible(int window) {
    return ongui<bool>([window] {
        QWidget* w = hostwindow(window);
        return w != nullptr && w->isVisible();
    });
}

void makekeywindow(int window) {
    runsync([window] {
        QWidget* w = hostwindow(window);
        if (w == nullptr) return;
        w->raise();
        w->activateWindow();
        if (window < 8 && interface().Views[window] != nullptr) interface().Views[window]->setFocus();
        noteactivewindow(window);
    });
}

void centerwindow(int window) {
    runsync([window] {
        QWidget* w = hostwindow(window);
        if (w == nullptr) return;
        const QScreen* screen = screenof(w);
        if (screen == nullptr) return;
        QRect frame = w->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        w->move(frame.topLeft());
    });
}

int frontwindow() {
    return ongui<int>([] {
        if (QWidget* active = QApplication::activeWindow())
            if (auto* hw = dynamic_cast<HostWindow*>(active)) return hw->number();
        return lastactivewindow();
    });
}

void setwindowbackground(int window, uint32_t argb) {
    runsync([window, argb] {
        QWidget* w = hostwindow(window);
        if (w == nullptr) return;
        QPalette palette = w->palette();
        palette.setColor(QPalette::Window, QColor::fromRgb(argb));
        w->setPalette(palette);
        w->setAutoFillBackground(true);
        w->update();
    });
}

void markviewfordisplay(int window) {
    runsync([window] {
        if (window >= 0 && window < 8 && interface().Views[window] != nullptr) interface().Views[window]->update();
    });
}

void displayviewnow(int window) {
    runsync([window] {
        if (window >= 0 && window < 8 && interface().Views[window] != nullptr) interface().Views[window]->repaint();
    });
}

}  // namespace host
