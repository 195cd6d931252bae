// Window geometry, titles and visibility in the framework's bottom-left coordinates.
#include <QApplication>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <array>
#include <atomic>

#include "host/framework_calls.h"
#include "host/host.h"
#include "host/qt/graphic_view.h"
#include "host/qt/interface.h"
#include "host/qt/menubar.h"
#include "host/qt/window_tracking.h"

namespace {

std::atomic<int> activewindow{255};

QScreen* screenof(const QWidget* window) {
    QScreen* screen = window != nullptr ? window->screen() : nullptr;
    return screen != nullptr ? screen : QGuiApplication::primaryScreen();
}

// Bottom edge of the screen in Qt's top-down coordinates: framework y runs up from it.
int screenbottom(const QWidget* window) {
    const QScreen* screen = screenof(window);
    return screen != nullptr ? screen->geometry().y() + screen->geometry().height() : 0;
}

// What the window manager draws around a titled window's client area. It is the same for every
// window under one window manager, so the first framed window tells it for all, the hidden ones
// included; on a bare X server or offscreen it stays empty. GUI thread only.
QMargins managerframe;

bool titled(const QWidget* w) { return !w->windowFlags().testFlag(Qt::FramelessWindowHint); }

// The strip the window manager adds above a window's client area.
int managertitle(const QWidget* w) { return titled(w) ? managerframe.top() : 0; }

// The framework's frame of a window: its client area plus the window manager's title bar above
// it. Side and bottom borders are left out, so that a frame read and written back stays put.
host::t_Frame frameof(const QWidget* w) {
    const QRect client = w->geometry();
    return host::t_Frame{client.x(), screenbottom(w) - (client.y() + client.height()), client.width(),
                         client.height() + managertitle(w)};
}

// Where a window's client area may lie so that its title (the window manager's title bar and
// frame, and the menu bar below) is inside the available area of its screen, as the classic
// desktop keeps a title bar on the screen when it orders a window front: a window that grows
// with its lower-left corner kept would otherwise rise past the top of the screen.
QRect titleonscreen(const QWidget* w, QRect client) {
    const QScreen* screen = screenof(w);
    if (screen == nullptr) return client;
    const QRect area = screen->availableGeometry();
    const QMargins frame = titled(w) ? managerframe : QMargins();
    const int title = std::max(1, frame.top() + (titled(w) ? menubarheight() : 0));
    const int width = frame.left() + client.width() + frame.right();
    const int left = std::clamp(client.x() - frame.left(), area.left(), std::max(area.left(), area.right() + 1 - width));
    const int top = std::clamp(client.y() - frame.top(), area.top(), std::max(area.top(), area.bottom() + 1 - title));
    client.moveTo(left + frame.left(), top + frame.top());
    return client;
}

void keeptitleonscreen(QWidget* w) {
    if (const QRect fitted = titleonscreen(w, w->geometry()); fitted != w->geometry()) w->setGeometry(fitted);
}

template <typename Result, typename Job>
Result ongui(Job job) {
    Result result{};
    host::runsync([&] { result = job(); });
    return result;
}

// What stands after each window's title without being part of it (the recording mark). GUI
// thread only.
std::array<QString, 13> titlemarks;

QString plaintitle(int window, const QWidget* w) {
    QString title = w->windowTitle();
    const QString& mark = titlemarks[static_cast<size_t>(window)];
    if (!mark.isEmpty() && title.endsWith(mark)) title.chop(mark.size());
    return title;
}

}  // namespace

void noteactivewindow(int number) { activewindow = number; }
int lastactivewindow() { return activewindow; }

void notedecoration(QWidget* w) {
    if (w == nullptr || !w->isVisible() || !titled(w)) return;
    const QRect client = w->geometry(), frame = w->frameGeometry();
    const QMargins margins(client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
                           frame.bottom() - client.bottom());
    // A window not framed yet shows no margins; it says nothing about the window manager.
    if (margins.top() <= 0 || margins == managerframe) return;
    managerframe = margins;
    // Windows shown before the window manager's frame was known were kept on the screen without it.
    for (int number = 0; number < 13; ++number)
        if (QWidget* shown = hostwindow(number); shown != nullptr && shown->isVisible()) keeptitleonscreen(shown);
    hostcalls::titleheightchanged(managerframe.top() + menubarheight());
}

int64_t windowtitleheight(const QWidget* w) { return managertitle(w) + (titled(w) ? menubarheight() : 0); }

host::t_Frame windowframeof(const QWidget* w) { return frameof(w); }

namespace host {

bool windowexists(int window) {
    return ongui<bool>([window] { return hostwindow(window) != nullptr; });
}

bool viewexists(int window) {
    return ongui<bool>([window] { return window >= 0 && window < 8 && interface().Views[window] != nullptr; });
}

t_Frame windowframe(int window) {
    return ongui<t_Frame>([window] {
        const QWidget* w = hostwindow(window);
        return w != nullptr ? frameof(w) : t_Frame{};
    });
}

void setwindowframe(int window, t_Frame frame) {
    runsync([window, frame] {
        QWidget* w = hostwindow(window);
        if (w == nullptr || frame.Width <= 0 || frame.Height <= 0) return;
        // setGeometry places the client area (move would place the window manager's frame).
        const int height = std::max(1, static_cast<int>(frame.Height) - managertitle(w));
        const int top = screenbottom(w) - static_cast<int>(frame.Y) - height;
        w->setGeometry(titleonscreen(w, QRect(static_cast<int>(frame.X), top, static_cast<int>(frame.Width), height)));
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
        for (QWidget* w : QApplication::topLevelWidgets()) notedecoration(w);
        return int64_t{managerframe.top()} + menubarheight();
    });
}

int64_t windowtitleheight(int window) {
    return ongui<int64_t>([window] {
        const QWidget* w = hostwindow(window);
        return w != nullptr ? ::windowtitleheight(w) : 0;
    });
}

std::string windowtitle(int window) {
    return ongui<std::string>([window] {
        QWidget* w = hostwindow(window);
        return w != nullptr ? plaintitle(window, w).toStdString() : std::string();
    });
}

void setwindowtitle(int window, const std::string& title) {
    auto job = [window, title] {
        if (QWidget* w = hostwindow(window)) w->setWindowTitle(QString::fromStdString(title) + titlemarks[static_cast<size_t>(window)]);
    };
    if (isguithread()) job();
    else runasync(job);  // a title change need not hold up the program
}

void refreshwindowtitlemark(int window) {
    auto job = [window] {
        QWidget* w = hostwindow(window);
        if (w == nullptr) return;
        const QString plain = plaintitle(window, w);
        QString& mark = titlemarks[static_cast<size_t>(window)];
        mark = QString::fromStdString(hostcalls::windowtitlemark(window));
        w->setWindowTitle(plain + mark);
    };
    if (isguithread()) job();
    else runasync(job);  // asked for at the end of a recording, which must not wait for the GUI thread
}

void setwindowtitled(int window, bool titled) {
    runsync([window, titled] {
        QWidget* w = hostwindow(window);
        if (w == nullptr) return;
        const QRect client = w->geometry();
        Qt::WindowFlags flags = w->windowFlags();
        flags.setFlag(Qt::FramelessWindowHint, !titled);
        // Qt re-creates a shown window whose flags change, and the window manager then places it
        // anew; a created window is told its new decoration in place instead.
        if (QWindow* native = w->windowHandle()) {
            w->overrideWindowFlags(flags);
            native->setFlags(flags);
        } else {
            w->setWindowFlags(flags);
        }
        // A title-less window shows its whole drawing area: no menu bar over the top of it.
        showmenubar(w, titled);
        w->setGeometry(client);
    });
}

void showwindow(int window, bool visible) {
    runsync([window, visible] {
        QWidget* w = hostwindow(window);
        if (w == nullptr) return;
        if (visible) {
            keeptitleonscreen(w);
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

void markviewarea(int window, t_PixelArea area, int64_t imagewidth, int64_t imageheight) {
    runsync([=] {
        if (window >= 0 && window < 8 && interface().Views[window] != nullptr)
            interface().Views[window]->updatearea(area, QSize(static_cast<int>(imagewidth), static_cast<int>(imageheight)));
    });
}

void displayviewnow(int window) {
    runsync([window] {
        if (window >= 0 && window < 8 && interface().Views[window] != nullptr) interface().Views[window]->repaint();
    });
}

}  // namespace host
