#include "platform/qtinternal.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <algorithm>

namespace platform {

std::string pasteboardstring() {
    return QGuiApplication::clipboard()->text().toStdString();
}

PasteboardLine pasteboardfirstline(int64_t limit) {
    // Only the characters taken are converted; the rest of a long text is not looked at.
    const QString text = QGuiApplication::clipboard()->text();
    PasteboardLine line;
    const int64_t wanted = std::max<int64_t>(limit, 0);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (unit == u'\r' || unit == u'\n') {
            return line;
        }
        if (static_cast<int64_t>(line.characters.size()) == wanted) {
            line.more = true;
            return line;
        }
        char32_t character = 0xFFFD;
        if (QChar::isHighSurrogate(unit) && i + 1 < text.size() &&
            QChar::isLowSurrogate(text[i + 1].unicode())) {
            character = QChar::surrogateToUcs4(unit, text[i + 1].unicode());
            ++i;
        } else if (!QChar::isSurrogate(unit)) {
            character = unit;
        }
        line.characters.push_back(character);
    }
    return line;
}

void pasteboardsetstring(const std::string& text) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

void pasteboardsetimage(const Image& image) {
    QGuiApplication::clipboard()->setImage(qtimage(image).copy()); // the clipboard outlives image
}

} // namespace platform
