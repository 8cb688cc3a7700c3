#include "platform/qtinternal.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>

namespace platform {

std::string pasteboardstring() {
    return QGuiApplication::clipboard()->text().toStdString();
}

void pasteboardsetstring(const std::string& text) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

void pasteboardsetimage(const Image& image) {
    QImage wrapped(reinterpret_cast<const uchar*>(image.pixels.data()),
                   static_cast<int>(image.width), static_cast<int>(image.height),
                   static_cast<qsizetype>(image.width * 4), QImage::Format_ARGB32);
    QGuiApplication::clipboard()->setImage(wrapped.copy()); // the clipboard outlives image
}

void beep() {
    QApplication::beep();
}

} // namespace platform
