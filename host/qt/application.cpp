// The Qt application, the hand-over of work to the GUI thread and the resource folder.
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>
#include <QWindow>

#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <unistd.h>

#include <deque>
#include <future>
#include <mutex>
#include <thread>

#include "core/framework_state.h"
#include "host/framework_calls.h"
#include "host/host.h"
#include "host/qt/interface.h"
#include "host/qt/menubar_style.h"
#include "host/qt/scripted_run.h"

namespace {

// Jobs for the GUI thread wait here; a posted event wakes the event loop to run them.
// The queue's own mutex is never held while a job runs.
struct t_JobQueue {
    std::mutex Mutex;
    std::deque<std::function<void()>> Jobs;
};
t_JobQueue jobqueue;

const QEvent::Type jobevent = static_cast<QEvent::Type>(QEvent::User + 1);

class Dispatcher : public QObject {
public:
    bool event(QEvent* event) override {
        // Job events are created and posted while the queue mutex is held; taking it before
        // reading one publishes the event's fields in a way race checkers see (Qt's own hand-over
        // of posted events uses locks they cannot observe).
        bool isjob = false;
        {
            std::lock_guard<std::mutex> lock(jobqueue.Mutex);
            isjob = event->type() == jobevent;
        }
        if (!isjob) return QObject::event(event);
        runpending();
        return true;
    }
    static void runpending() {
        for (;;) {
            std::function<void()> job;
            {
                std::lock_guard<std::mutex> lock(jobqueue.Mutex);
                if (jobqueue.Jobs.empty()) return;
                job = std::move(jobqueue.Jobs.front());
                jobqueue.Jobs.pop_front();
            }
            job();
        }
    }
};

host::t_ScriptedRun scriptedrun;        // set before the application starts
Dispatcher* dispatcher = nullptr;       // lives on the GUI thread while the loop runs
bool loopended = false;                 // after the event loop, jobs are dropped, not queued
std::thread::id guithreadid;

// Answers false when no GUI thread will ever run the job.
bool enqueue(std::function<void()> job) {
    std::lock_guard<std::mutex> lock(jobqueue.Mutex);
    if (loopended) return false;
    jobqueue.Jobs.push_back(std::move(job));
    if (dispatcher != nullptr) QCoreApplication::postEvent(dispatcher, new QEvent(jobevent));
    return true;
}

// A termination signal (log-out, kill, Ctrl+C in the terminal) quits the application the
// ordinary way, so that applicationWillTerminate and the terminate handler run. The handler only
// writes a byte into a pipe; the event loop reads it.
int signalpipe[2] = {-1, -1};

void onsignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(signalpipe[1], &byte, 1);
}

void quitonsignals(QObject* parent) {
    if (::pipe(signalpipe) != 0) return;
    auto* notifier = new QSocketNotifier(signalpipe[0], QSocketNotifier::Read, parent);
    QObject::connect(notifier, &QSocketNotifier::activated, [] {
        char byte = 0;
        [[maybe_unused]] const ssize_t got = ::read(signalpipe[0], &byte, 1);
        QCoreApplication::quit();
    });
    struct sigaction action {};
    action.sa_handler = onsignal;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
}

// Windows are placed by coordinates, which only an X server honours. On a Wayland session the
// program therefore goes through XWayland when there is one, unless the user chose a platform.
void chooseplatform() {
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) return;
    const bool wayland = qEnvironmentVariableIsSet("WAYLAND_DISPLAY") || qgetenv("XDG_SESSION_TYPE") == "wayland";
    if (!wayland) return;
    if (qEnvironmentVariableIsSet("DISPLAY")) qputenv("QT_QPA_PLATFORM", "xcb");
    else std::fputs("stangenspiel: Wayland without XWayland: window positions cannot be honoured.\n", stderr);
}

// Qt's own texts (file dialogs, text-view menus, message boxes) in German like the program's.
void translateqt(QApplication& application) {
    auto* translator = new QTranslator(&application);
    if (translator->load(QLocale(QLocale::German, QLocale::Germany), "qtbase", "_",
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
}

}  // namespace

namespace host {

bool isguithread() { return std::this_thread::get_id() == guithreadid; }

void runsync(const std::function<void()>& job) {
    if (isguithread()) {
        job();
        return;
    }
    // The GUI thread may be waiting for the framework lock to paint: never hold it here.
    FrameworkUnlock unlocked;
    std::promise<void> done;
    std::future<void> finished = done.get_future();
    if (enqueue([&job, &done] {
            job();
            done.set_value();
        }))
        finished.wait();
}

void runasync(std::function<void()> job) { (void)enqueue(std::move(job)); }

std::string applicationpath() { return QCoreApplication::applicationFilePath().toStdString(); }

void setscriptedrun(const t_ScriptedRun& run) { scriptedrun = run; }

int runapplication(int argc, char** argv) {
    guithreadid = std::this_thread::get_id();
    if (scriptedrun.Enabled) qputenv("QT_QPA_PLATFORM", "offscreen");  // no display needed
    chooseplatform();
    QApplication application(argc, argv);
    installmenubarstyle();
    translateqt(application);
    QApplication::setApplicationName(QString::fromStdString(hostcalls::programname()));
    QApplication::setQuitOnLastWindowClosed(false);
    Dispatcher localdispatcher;
    {
        std::lock_guard<std::mutex> lock(jobqueue.Mutex);
        dispatcher = &localdispatcher;
        if (!jobqueue.Jobs.empty()) QCoreApplication::postEvent(dispatcher, new QEvent(jobevent));
    }
    buildinterface();
    quitonsignals(&application);
    QObject::connect(&application, &QGuiApplication::applicationStateChanged, [](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive) hostcalls::applicationdidbecomeactive();
        else hostcalls::applicationwillresignactive();
    });
    QObject::connect(&application, &QCoreApplication::aboutToQuit, [] { hostcalls::applicationwillterminate(); });
    hostcalls::applicationwillfinishlaunching();
    QTimer::singleShot(0, [] {
        hostcalls::applicationdidfinishlaunching();
        if (scriptedrun.Enabled) startscriptedrun(scriptedrun);
    });
    const int code = QApplication::exec();
    {
        std::lock_guard<std::mutex> lock(jobqueue.Mutex);
        dispatcher = nullptr;
        loopended = true;
    }
    Dispatcher::runpending();  // no caller may hang on a job queued at the very end
    return code;
}

void quitapplication(int code) {
    runasync([code] { QCoreApplication::exit(code); });
}

}  // namespace host
