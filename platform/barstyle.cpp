// The application's style, but with the menu bar's extension arrow read as PNG. Qt's styles load
// their standard icons through a reader that asks every image plugin whether it knows the file,
// which loaded the JPEG, GIF and other plugins with the first menu bar (2 ms and 0.2 MB at start)
// for an arrow that shows only when a bar is too narrow for its menus.
#include "platform/qtinternal.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QProxyStyle>

namespace platform {

namespace {

QIcon pngicon(std::initializer_list<const char*> files) {
    QIcon icon;
    for (const char* file : files) {
        const QImage image = readpng(QString::fromLatin1(file));
        if (!image.isNull()) {
            icon.addPixmap(QPixmap::fromImage(image));
        }
    }
    return icon;
}

class BarStyle : public QProxyStyle {
  public:
    QIcon standardIcon(StandardPixmap which, const QStyleOption* option,
                       const QWidget* widget) const override {
        const Qt::LayoutDirection direction =
            widget != nullptr ? widget->layoutDirection() : QApplication::layoutDirection();
        if (which == SP_ToolBarHorizontalExtensionButton && direction == Qt::LeftToRight) {
            // Qt's own pictures of the arrow, in its style's resources.
            static const QIcon arrow =
                pngicon({":/qt-project.org/styles/commonstyle/images/toolbar-ext-h-8.png",
                         ":/qt-project.org/styles/commonstyle/images/toolbar-ext-h-16.png",
                         ":/qt-project.org/styles/commonstyle/images/toolbar-ext-h-32.png"});
            if (!arrow.isNull()) {
                return arrow;
            }
        }
        return QProxyStyle::standardIcon(which, option, widget);
    }
};

} // namespace

void usebarstyle() {
    QApplication::setStyle(new BarStyle);
}

} // namespace platform
