// Images as PNG files: the headless snapshot's pictures, saved windows and the tests' references.
#include "platform/qtinternal.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>

#include <algorithm>

namespace platform {

QImage readpng(const QString& file) {
    QImageReader reader(file, "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

bool saveimagepng(const Image& image, const std::string& path) {
    return qtimage(image).save(QString::fromStdString(path), "PNG");
}

std::string pngdata(const Image& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!qtimage(image).save(&buffer, "PNG")) {
        return {};
    }
    return bytes.toStdString();
}

std::optional<Image> loadimagepng(const std::string& path) {
    QImage read = readpng(QString::fromStdString(path));
    if (read.isNull()) {
        return std::nullopt;
    }
    read = read.convertToFormat(QImage::Format_ARGB32);
    Image image{read.width(), read.height(), {}};
    image.pixels.resize(static_cast<size_t>(image.width * image.height));
    for (int y = 0; y < read.height(); ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(read.constScanLine(y));
        std::copy(row, row + read.width(), image.pixels.begin() + y * read.width());
    }
    return image;
}

} // namespace platform
