#pragma once
// Shared between the Qt implementation files of platform/; never included outside it.
#include "platform/platform.h"

#include <QImage>
#include <QPlainTextEdit>
#include <QWidget>

#include <functional>

class QApplication;

namespace platform {

// The handle types are the Qt widgets themselves, except those of the toolkit's own text and
// plain windows: they name an outlet, which makes the window's widgets when first used
// (platform/outlets.cpp).
struct OutletWidgets {
    QWidget* window = nullptr;
    QWidget* scroll = nullptr;
    QPlainTextEdit* text = nullptr;
    QWidget* field = nullptr;
};
struct OutletHandles {
    void* window = nullptr;
    void* scroll = nullptr;
    void* text = nullptr;
    void* field = nullptr;
};
// An outlet made by make when first used; scroll, text and field handles only when it has them.
OutletHandles addoutlet(std::function<OutletWidgets()> make, bool scrolls, bool hasfield);
// The widget a handle names (an outlet's made now if need be); the handle of a widget.
QWidget* widgetof(const void* handle);
void* handleof(QWidget* widget);

inline QWidget* qt(Window w) {
    return widgetof(w);
}
inline QWidget* qt(View v) {
    return reinterpret_cast<QWidget*>(v);
}
inline QWidget* qt(ScrollView s) {
    return widgetof(s);
}
inline QWidget* qt(TextField f) {
    return widgetof(f);
}
inline QPlainTextEdit* qt(TextView t) {
    return static_cast<QPlainTextEdit*>(widgetof(t));
}
inline Window handle(QWidget* w) {
    return static_cast<Window>(handleof(w));
}

// The image's pixels seen as a QImage, not copied: valid while image is.
inline QImage qtimage(const Image& image) {
    return QImage(reinterpret_cast<const uchar*>(image.pixels.data()),
                  static_cast<int>(image.width), static_cast<int>(image.height),
                  static_cast<qsizetype>(image.width * 4), QImage::Format_ARGB32);
}

// The application object; null before initapplication.
QApplication* qtapplication();

// The registered handlers (main thread only).
const Handlers& handlers();

// Wayland: the compositor places the windows, and a program learns neither its windows'
// positions nor their frames.
bool compositorplaces();

// Screen height used to flip between Qt's y-down and the frame convention's y-up coordinates.
double screenheightof(QWidget* w);

// The image in a PNG file, null when it cannot be read. Read as PNG only: a reader that may guess
// the format loads every image plugin to ask it (platform/pngfiles.cpp).
QImage readpng(const QString& file);

// The application's style with the menu bar's extension arrow read as PNG (platform/barstyle.cpp);
// set before the first widget is made.
void usebarstyle();

// Every toolkit window carries a bar with the menus of the main menu (platform/menus.cpp). The
// bar is part of the window's top strip: the toolkit counts it into the title-bar height. It is
// made when the window is first measured, placed or shown.
void attachmenubar(QWidget* window);
// The height of the window's menu bar; 0 when it is hidden.
int menubarheight(const QWidget* window);
// Keeps the bar across the window's full width.
void fitmenubar(QWidget* window);
void showmenubar(QWidget* window, bool visible);

} // namespace platform
