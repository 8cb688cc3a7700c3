#include "platform/qtinternal.h"

#include <QFont>
#include <QFontDatabase>
#include <QLineEdit>

namespace platform {

ScrollView scrollviewoftextview(TextView t) {
    return t == nullptr ? nullptr : static_cast<ScrollView>(handleof(qt(t)->parentWidget()));
}

void textviewsetstring(TextView t, const std::string& text) {
    qt(t)->setPlainText(QString::fromStdString(text));
}

std::string textviewstring(TextView t) {
    return qt(t)->toPlainText().toStdString();
}

void textviewsetneedsdisplay(TextView t) {
    qt(t)->viewport()->update();
}

// Scroll view frames use the window content's y-up convention, as views do.
Rect scrollviewframe(ScrollView s) {
    QWidget* scroll = qt(s);
    int parentheight = scroll->parentWidget() != nullptr ? scroll->parentWidget()->height() : 0;
    return Rect{double(scroll->x()), double(parentheight - scroll->y() - scroll->height()),
                double(scroll->width()), double(scroll->height())};
}

namespace {

void placechild(QWidget* child, const Rect& r) {
    int parentheight = child->parentWidget() != nullptr ? child->parentWidget()->height() : 0;
    child->setGeometry(static_cast<int>(r.x), static_cast<int>(parentheight - r.y - r.height),
                       static_cast<int>(r.width), static_cast<int>(r.height));
}

} // namespace

void scrollviewsetframe(ScrollView s, const Rect& frame) {
    placechild(qt(s), frame);
}
void textfieldsetsize(TextField f, double width, double height) {
    qt(f)->resize(static_cast<int>(width), static_cast<int>(height));
}

namespace {

// The wanted family where it exists, else the face the bundle's fonts are drawn from, else any
// fixed-pitch family: the generic "monospace" alias may resolve to a face that is not.
QString monospacedfamily(const QString& wanted) {
    if (QFontDatabase::hasFamily(wanted)) {
        return wanted;
    }
    const QString preferred = QStringLiteral("DejaVu Sans Mono");
    if (QFontDatabase::hasFamily(preferred)) {
        return preferred;
    }
    for (const QString& family : QFontDatabase::families()) {
        if (QFontDatabase::isFixedPitch(family)) {
            return family;
        }
    }
    return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
}

} // namespace

void textviewsetmonospacedfont(TextView t, const std::string& family, double points) {
    QFont font(monospacedfamily(QString::fromStdString(family)));
    font.setPointSizeF(points);
    font.setFixedPitch(true);
    qt(t)->setFont(font);
}

} // namespace platform
