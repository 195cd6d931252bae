// Creates the 13 host windows: eight graphic windows with their views, the pasteboard,
// printer and console windows with their text views and rulers, preferences and main window.
#include "host/qt/interface.h"

#include <QCloseEvent>
#include <QFont>
#include <QFontDatabase>
#include <QMouseEvent>
#include <QTimer>

#include "host/framework_calls.h"
#include "host/qt/graphic_view.h"
#include "host/qt/menubar.h"
#include "host/qt/ruler_line.h"
#include "host/qt/window_tracking.h"

namespace {

t_Interface theinterface;

void maketextview(t_TextWindowParts& parts) {
    auto* view = new QPlainTextEdit(parts.Window);
    view->setReadOnly(true);
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (!parts.FontFamily.isEmpty()) font.setFamilies({parts.FontFamily, font.family()});
    font.setPointSize(parts.FontPoints);
    view->setFont(font);
    view->setGeometry(parts.ViewGeometry);
    parts.TextView = view;
    if (parts.WithRuler) {
        parts.Ruler = new RulerLine(view, parts.Window);
        if (!parts.RulerGeometry.isEmpty()) parts.Ruler->setGeometry(parts.RulerGeometry);
    }
    // Children made after their window was shown stay hidden unless shown themselves.
    if (parts.Window->isVisible()) {
        view->show();
        if (parts.Ruler != nullptr) parts.Ruler->show();
    }
}

void buildtextwindow(int number, const QString& title, bool withruler) {
    auto* window = new HostWindow(number, title);
    window->resize(760, 520);
    t_TextWindowParts& parts = theinterface.TextWindows[number - 8];
    parts.Window = window;
    parts.WithRuler = withruler;
    theinterface.Windows[number] = window;
}

}  // namespace

HostWindow::HostWindow(int number, const QString& title) : QWidget(nullptr), Number(number) {
    setWindowTitle(title);
    setAttribute(Qt::WA_QuitOnClose, false);
}

void HostWindow::closeEvent(QCloseEvent* event) {
    // Only the window system's close box hides a window; the application closing its windows
    // as it quits is no click of anybody's and must not hold up the quit.
    if (!event->spontaneous()) return;
    event->ignore();  // the close box hides a framework window; it is never closed
    hostcalls::windowshouldclose(Number);
}

void HostWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    laidout();
}

bool HostWindow::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    if (event->type() == QEvent::Show) {
        textwindow(Number);  // a text window shows its text view from now on
        // A window manager frames a window some moments after it is mapped.
        for (int delay : {50, 250, 1000}) QTimer::singleShot(delay, this, [this] { notedecoration(this); });
    }
    if (event->type() == QEvent::Show || event->type() == QEvent::Move) notedecoration(this);
    return handled;
}

void HostWindow::laidout() {
    const host::t_Frame frame = windowframeof(this);
    hostcalls::windowdidresize(Number, frame.Width, frame.Height, windowtitleheight(this));
}

void HostWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) noteactivewindow(Number);
}

// A click on a graphic window's border, or beside its picture when full screen, is a click
// outside the drawing area; the framework tells the program so.
void HostWindow::mousePressEvent(QMouseEvent* event) {
    if (Number < 8) forwardmousepress(Number, this, *event);
    else QWidget::mousePressEvent(event);
}

void HostWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (Number < 8) forwardmouserelease(Number, *event);
    else QWidget::mouseReleaseEvent(event);
}

t_Interface& interface() { return theinterface; }

HostWindow* hostwindow(int number) {
    if (number < 0 || number >= 13) return nullptr;
    return theinterface.Windows[number];
}

t_TextWindowParts* textwindowparts(int number) {
    if (number < 8 || number > 10 || theinterface.TextWindows[number - 8].Window == nullptr) return nullptr;
    return &theinterface.TextWindows[number - 8];
}

t_TextWindowParts* textwindow(int number) {
    t_TextWindowParts* parts = textwindowparts(number);
    if (parts != nullptr && parts->TextView == nullptr) maketextview(*parts);
    return parts;
}

void buildinterface() {
    for (int number = 0; number < 8; ++number) {
        auto* window = new HostWindow(number, "Stangenspiel");
        window->setAutoFillBackground(true);
        auto* view = new GraphicView(number, window);
        window->resize(640, 480);
        view->setGeometry(0, 0, 640, 480);
        theinterface.Windows[number] = window;
        theinterface.Views[number] = view;
    }
    buildtextwindow(8, "Zwischenablage", false);
    buildtextwindow(9, "Drucker", true);
    buildtextwindow(10, "Systemkonsole", true);
    theinterface.Windows[11] = new HostWindow(11, "Einstellungen");
    theinterface.Windows[11]->resize(480, 320);
    theinterface.Windows[12] = new HostWindow(12, "Stangenspiel");
    theinterface.Windows[12]->resize(480, 320);
    for (HostWindow* window : theinterface.Windows) attachmenubar(window);
    for (int number = 8; number <= 10; ++number) theinterface.Windows[number]->laidout();
}
