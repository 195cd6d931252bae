#include "host/qt/scripted_run.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QKeyEvent>
#include <QTimer>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <stangenspiel/stangenspiel.h>

#include "app/command_line.h"
#include "core/report.h"
#include "host/framework_calls.h"
#include "host/qt/graphic_view.h"
#include "host/qt/interface.h"
#include "host/qt/window_tracking.h"
#include "host/qt/zoomed_image.h"

namespace {

struct t_NamedKey {
    const char* Name;
    Qt::Key Key;
    const char* Text;
    bool Keypad;
};

const t_NamedKey namedkeys[] = {
    {"Return", Qt::Key_Return, "\r", false}, {"Enter", Qt::Key_Enter, "\x03", true},
    {"Tab", Qt::Key_Tab, "\t", false},       {"Space", Qt::Key_Space, " ", false},
    {"Escape", Qt::Key_Escape, "\x1b", false}, {"Backspace", Qt::Key_Backspace, "\x7f", false},
    {"Delete", Qt::Key_Delete, "", false},   {"Left", Qt::Key_Left, "", false},
    {"Right", Qt::Key_Right, "", false},     {"Up", Qt::Key_Up, "", false},
    {"Down", Qt::Key_Down, "", false},       {"Home", Qt::Key_Home, "", false},
    {"End", Qt::Key_End, "", false},         {"PageUp", Qt::Key_PageUp, "", false},
    {"PageDown", Qt::Key_PageDown, "", false}, {"F1", Qt::Key_F1, "", false},
    {"F2", Qt::Key_F2, "", false},           {"F3", Qt::Key_F3, "", false},
    {"F4", Qt::Key_F4, "", false},           {"F5", Qt::Key_F5, "", false},
    {"F6", Qt::Key_F6, "", false},           {"Help", Qt::Key_Help, "", false},
};

struct t_KeyPress {
    Qt::Key Key = Qt::Key_unknown;
    QString Text;
    Qt::KeyboardModifiers Modifiers;
};

t_KeyPress presskey(const t_TypedKey& typed) {
    t_KeyPress press;
    if (!typed.Name.empty()) {
        for (const t_NamedKey& named : namedkeys)
            if (typed.Name == named.Name) {
                press.Key = named.Key;
                press.Text = QString::fromLatin1(named.Text);
                if (named.Keypad) press.Modifiers |= Qt::KeypadModifier;
            }
        return press;
    }
    const QString text = QString::fromStdString(typed.Text);
    const QChar first = text.isEmpty() ? QChar() : text.at(0);
    // Qt names letter keys by their capital; other characters by their own code.
    press.Key = static_cast<Qt::Key>(first.toUpper().unicode());
    press.Text = text;
    if (first.isUpper()) press.Modifiers |= Qt::ShiftModifier;
    if (typed.Control) {
        press.Modifiers |= Qt::ControlModifier;
        press.Text = QString(QChar(first.toUpper().unicode() & 0x1F));
    }
    return press;
}

// The view the user would be typing into: the window that last had focus.
QWidget* targetview() {
    const int window = lastactivewindow();
    if (window >= 0 && window < 8) return interface().Views[window];
    for (GraphicView* view : interface().Views)
        if (view != nullptr && view->window()->isVisible()) return view;
    return nullptr;
}

template <typename Failed>
void writetext(const QString& path, const std::string& content, const Failed& failed) {
    QFile file(path);
    const QByteArray bytes = QByteArray::fromStdString(content);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush()) failed(path);
}

// Answers false after one line per file that could not be written: a run whose results are
// missing must not end as a success.
bool writeoutputs(const QString& folder) {
    bool written = true;
    auto failed = [&written](const QString& path) {
        logline("Scripted run: Could not write " + path.toStdString() + ".");
        written = false;
    };
    if (!QDir().mkpath(folder)) {
        failed(folder);
        return false;
    }
    for (int window = 0; window < 8; ++window) {
        if (!hostwindow(window)->isVisible()) continue;
        const QString picture = QString("%1/window%2.png").arg(folder).arg(window);
        hostcalls::viewimage(window, [&](const uint32_t* pixels, int width, int height) {
            const QImage image(reinterpret_cast<const uchar*>(pixels), width, height, width * 4, QImage::Format_RGB32);
            // As large as the window shows it: a zoomed window's pixels are whole blocks.
            const int factor = wholefactor(interface().Views[window]->size(), image.size());
            if (!zoomedimage(image, factor).save(picture, "PNG")) failed(picture);
        });
        writetext(QString("%1/window%2.txt").arg(folder).arg(window), hostcalls::screentext(window), failed);
    }
    // A program's transcript on the printer or the console is what a test compares, shown or not.
    for (const auto& [window, name] : {std::pair{printerwindow, "printer"}, std::pair{consolewindow, "console"}}) {
        std::string transcript;
        if (hostcalls::textwindowtranscript(window, transcript))
            writetext(QString("%1/%2.txt").arg(folder, name), transcript, failed);
    }
    return written;
}

struct t_Script {
    host::t_ScriptedRun Run;
    std::vector<t_TypedKey> Keys;
    size_t Next = 0;
    QElapsedTimer Clock;
    QTimer Timer;
};

void finish(t_Script& script, int code) {
    script.Timer.stop();
    if (!hostcalls::endsoundrecording() && code == 0) code = 1;
    if (!script.Run.OutputFolder.empty() && !writeoutputs(QString::fromStdString(script.Run.OutputFolder)) &&
        code == 0)
        code = 1;
    // The recording ends with the picture the outputs show; a run whose recording failed fails.
    if (!script.Run.RecordPath.empty() && hostcalls::finishmainrecording() != 0 && code == 0) code = 1;
    QCoreApplication::exit(code);
}

void step(t_Script& script) {
    if (script.Clock.elapsed() > script.Run.TimeoutMs) return finish(script, 1);
    // A program that has ended is heard to the end of what it played, as it would be on a desktop.
    if (hostcalls::programended() && !hostcalls::soundplaying()) return finish(script, 0);
    if (script.Next >= script.Keys.size()) return;
    QWidget* view = targetview();
    if (view == nullptr || !view->window()->isVisible()) return;  // nobody to type to yet
    const t_KeyPress press = presskey(script.Keys[script.Next++]);
    QKeyEvent down(QEvent::KeyPress, press.Key, press.Modifiers, press.Text);
    QKeyEvent up(QEvent::KeyRelease, press.Key, press.Modifiers, press.Text);
    QCoreApplication::sendEvent(view, &down);
    QCoreApplication::sendEvent(view, &up);
}

}  // namespace

void startscriptedrun(const host::t_ScriptedRun& run) {
    static std::unique_ptr<t_Script> script;  // lives as long as the event loop
    script = std::make_unique<t_Script>();
    script->Run = run;
    if (!run.RecordPath.empty()) {
        // Its folder is made as the output folder is; should that fail, the start says why.
        QDir().mkpath(QFileInfo(QString::fromStdString(run.RecordPath)).absolutePath());
        hostcalls::recordmainwindow(run.RecordPath);
    }
    std::string message;
    parsetypedkeys(run.Keys, script->Keys, message);  // checked when the options were read
    script->Clock.start();
    t_Script* current = script.get();
    QObject::connect(&script->Timer, &QTimer::timeout, [current] { step(*current); });
    script->Timer.start(static_cast<int>(std::max<int64_t>(run.PaceMs, 1)));
}
