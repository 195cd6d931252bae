// The least a Qt Widgets program does to show a 1280 x 800 picture: the baseline for the start-up
// figure. It prints "first frame" on standard output when its first paint is done, as the real
// program does when STANGENSPIEL_FIRST_FRAME is set, and then runs until it is ended.
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QWidget>

#include <cstdio>

namespace {

class MinimalView : public QWidget {
public:
    MinimalView() : picture(1280, 800, QImage::Format_RGB32) {
        picture.fill(Qt::black);
        setAttribute(Qt::WA_OpaquePaintEvent);
        setWindowTitle("Minimal");
        resize(1280, 800);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawImage(rect(), picture);
        if (!painted) {
            painted = true;
            std::printf("first frame\n");
            std::fflush(stdout);
        }
    }

private:
    QImage picture;
    bool painted = false;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    MinimalView view;
    view.show();
    return QApplication::exec();
}
