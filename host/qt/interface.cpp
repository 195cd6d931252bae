// Creates the 13 host windows: eight graphic windows with their views, the pasteboard,
// printer and console windows with their text views and rulers, preferences and main window.
#include "host/qt/interface.h"

#include <QCloseEvent>
#include <QFont>
#include <QFontDatabase>

#include "host/framework_calls.h"
#include "host/qt/graphic_view.h"
#include "host/qt/menubar.h"
#include "host/qt/window_tracking.h"

namespace {

t_Interface theinterface;

QPlainTextEdit* maketextview(QWidget* parent) {
    auto* view = new QPlainTextEdit(parent);
    view->setReadOnly(true);
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(12);
    view->setFont(font);
    return view;
}

void buildtextwindow(int number, const QString& title, bool withruler) {
    auto* window = new HostWindow(number, title);
    window->resize(760, 520);
    t_TextWindowParts& parts = theinterface.TextWindows[number - 8];
    parts.Window = window;
    parts.TextView = maketextview(window);
    if (withruler) {
        parts.Ruler = new QLineEdit(window);
        parts.Ruler->setReadOnly(true);
        parts.Ruler->setFont(parts.TextView->font());
        parts.Ruler->setFrame(false);
    }
    theinterface.Windows[number] = window;
}

}  // namespace

HostWindow::HostWindow(int number, const QString& title) : QWidget(nullptr), Number(number) {
    setWindowTitle(title);
    setAttribute(Qt::WA_QuitOnClose, false);
}

void HostWindow::closeEvent(QCloseEvent* event) {
    event->ignore();  // the close box hides a framework window; it is never closed
    hostcalls::windowshouldclose(Number);
}

void HostWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const QRect frame = frameGeometry();
    hostcalls::windowdidresize(Number, frame.width(), frame.height());
}

void HostWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) noteactivewindow(Number);
}

t_Interface& interface() { return theinterface; }

HostWindow* hostwindow(int number) {
    if (number < 0 || number >= 13) return nullptr;
    return theinterface.Windows[number];
}

t_TextWindowParts* textwindow(int number) {
    if (number < 8 || number > 10) return nullptr;
    return &theinterface.TextWindows[number - 8];
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
    for (int number = 8; number <= 10; ++number) {
        const QRect frame = theinterface.Windows[number]->frameGeometry();
        hostcalls::windowdidresize(number, frame.width(), frame.height());
    }
}
