#include "platform/qtinternal.h"

#include <QCoreApplication>
#include <QImage>
#include <QKeyEvent>

namespace platform {

namespace {

struct KeySpec {
    int key;
    Qt::KeyboardModifiers modifiers;
};

KeySpec keyspecof(uint32_t scalar) {
    switch (scalar) {
    case '\r':
        return {Qt::Key_Return, Qt::NoModifier};
    case 27:
        return {Qt::Key_Escape, Qt::NoModifier};
    case 127:
        return {Qt::Key_Backspace, Qt::NoModifier};
    case '\t':
        return {Qt::Key_Tab, Qt::NoModifier};
    default:
        break;
    }
    if (scalar >= 1 && scalar <= 26) {
        return {Qt::Key_A + static_cast<int>(scalar) - 1, Qt::ControlModifier};
    }
    // Qt names printable keys by the upper-case form of their character.
    QChar upper = QChar(static_cast<char16_t>(scalar <= 0xFFFF ? scalar : 0)).toUpper();
    return {upper.unicode() != 0 ? static_cast<int>(upper.unicode()) : Qt::Key_unknown,
            Qt::NoModifier};
}

} // namespace

void typecharacter(View view, uint32_t scalar) {
    KeySpec spec = keyspecof(scalar);
    char32_t character = scalar;
    QString text = QString::fromUcs4(&character, 1);
    QKeyEvent press(QEvent::KeyPress, spec.key, spec.modifiers, text);
    QCoreApplication::sendEvent(qt(view), &press);
    QKeyEvent release(QEvent::KeyRelease, spec.key, spec.modifiers, text);
    QCoreApplication::sendEvent(qt(view), &release);
}

bool saveimagepng(const Image& image, const std::string& path) {
    QImage wrapped(reinterpret_cast<const uchar*>(image.pixels.data()),
                   static_cast<int>(image.width), static_cast<int>(image.height),
                   static_cast<qsizetype>(image.width * 4), QImage::Format_ARGB32);
    return wrapped.save(QString::fromStdString(path), "PNG");
}

} // namespace platform

namespace platform {

std::optional<Image> loadimagepng(const std::string& path) {
    QImage read;
    if (!read.load(QString::fromStdString(path), "PNG")) {
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
