#pragma once
// Shared between the Qt implementation files of platform/; never included outside it.
#include "platform/platform.h"

#include <QImage>
#include <QPlainTextEdit>
#include <QWidget>

class QApplication;

namespace platform {

// The handle types are the Qt widgets themselves.
inline QWidget* qt(Window w) {
    return reinterpret_cast<QWidget*>(w);
}
inline QWidget* qt(View v) {
    return reinterpret_cast<QWidget*>(v);
}
inline QWidget* qt(ScrollView s) {
    return reinterpret_cast<QWidget*>(s);
}
inline QWidget* qt(TextField f) {
    return reinterpret_cast<QWidget*>(f);
}
inline QPlainTextEdit* qt(TextView t) {
    return reinterpret_cast<QPlainTextEdit*>(t);
}
inline Window handle(QWidget* w) {
    return reinterpret_cast<Window>(w);
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

// Every toolkit window carries a bar with the menus of the main menu (platform/menus.cpp). The
// bar is part of the window's top strip: the toolkit counts it into the title-bar height.
void attachmenubar(QWidget* window);
// The height of the window's menu bar; 0 when it has none or it is hidden.
int menubarheight(const QWidget* window);
// Keeps the bar across the window's full width.
void fitmenubar(QWidget* window);
void showmenubar(QWidget* window, bool visible);

} // namespace platform
