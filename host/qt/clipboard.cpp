#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

#include "host/host.h"

namespace host {

std::string clipboardtext() {
    std::string text;
    runsync([&] { text = QGuiApplication::clipboard()->text().toStdString(); });
    return text;
}

void setclipboardtext(const std::string& text) {
    runsync([&] { QGuiApplication::clipboard()->setText(QString::fromStdString(text)); });
}

void setclipboardimage(const uint32_t* pixels, int width, int height) {
    if (pixels == nullptr || width <= 0 || height <= 0) return;
    // Copied before the hand-over: the caller's buffer may change once it lets go of the lock.
    QImage image(reinterpret_cast<const uchar*>(pixels), width, height, width * 4, QImage::Format_RGB32);
    QImage copy = image.copy();
    runsync([&] { QGuiApplication::clipboard()->setImage(copy); });
}

}  // namespace host
