// The least a Qt Widgets program does to show a 1280 x 800 picture: the baseline for the start-up
// figure and the key latency. It prints "first frame" on standard output when its first paint is
// done, as the real program does when STANGENSPIEL_FIRST_FRAME is set, turns its picture from
// black to white and back on every key press, and runs until it is ended. With --menu the picture
// sits under a one-item menu bar: the least any program with menus pays, its text's fonts included.
#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QWidget>

#include <cstdio>
#include <cstring>
#include <ctime>

namespace {

class MinimalView : public QWidget {
public:
    MinimalView() : picture(1280, 800, QImage::Format_RGB32) {
        picture.fill(Qt::black);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setFocusPolicy(Qt::StrongFocus);
        setWindowTitle("Minimal");
        resize(1280, 800);
    }

protected:
    void keyPressEvent(QKeyEvent*) override {
        white = !white;
        picture.fill(white ? Qt::white : Qt::black);
        update();
    }

    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawImage(rect(), picture);
        if (!painted) {
            painted = true;
            timespec cpu{};
            clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
            std::printf("first frame, CPU %lld us\n", static_cast<long long>(cpu.tv_sec) * 1000000 + cpu.tv_nsec / 1000);
            std::fflush(stdout);
        }
    }

private:
    QImage picture;
    bool painted = false;
    bool white = false;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "--menu") == 0) {
        QMainWindow window;
        window.setCentralWidget(new MinimalView);
        window.menuBar()->addMenu("Datei")->addAction("Ende");
        window.show();
        return QApplication::exec();
    }
    MinimalView view;
    view.show();
    return QApplication::exec();
}
