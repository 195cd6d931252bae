#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

#include <cstring>

#include "host/images.h"

namespace host {

std::vector<uint8_t> encodepng(const uint32_t* pixels, int64_t width, int64_t height, bool withalpha) {
    if (pixels == nullptr || width < 1 || height < 1 || width > INT32_MAX / 4 || height > INT32_MAX) return {};
    const QImage image(reinterpret_cast<const uchar*>(pixels), static_cast<int>(width), static_cast<int>(height),
                       static_cast<qsizetype>(width) * 4, withalpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return {};
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

bool decodepng(const std::vector<uint8_t>& bytes, int64_t maxpixels, std::vector<uint32_t>& pixels, int64_t& width,
               int64_t& height, std::string& error) {
    QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "PNG");
    const QSize size = reader.size();  // from the header, before any pixel is decoded
    if (size.isValid() && static_cast<int64_t>(size.width()) * size.height() > maxpixels) {
        error = "picture too large";
        return false;
    }
    if (!reader.canRead() || !size.isValid()) {
        error = "not a PNG picture";
        return false;
    }
    QImage image;
    if (!reader.read(&image)) {
        error = reader.errorString().toStdString();
        return false;
    }
    image = image.convertToFormat(QImage::Format_ARGB32);
    width = image.width();
    height = image.height();
    pixels.resize(static_cast<size_t>(width * height));
    for (int y = 0; y < image.height(); ++y)
        std::memcpy(pixels.data() + y * width, image.constScanLine(y), static_cast<size_t>(width) * 4);
    return true;
}

}  // namespace host
