#include "platform/qtinternal.h"
#include "platform/widgets.h"

#include <QApplication>
#include <QCloseEvent>
#include <QScreen>

#include <algorithm>

namespace platform {

ToolkitWindow::ToolkitWindow(const QString& name) : QWidget(nullptr) {
    setObjectName(name);
    setAttribute(Qt::WA_QuitOnClose, false);
    attachmenubar(this);
}

void ToolkitWindow::closeEvent(QCloseEvent* event) {
    const Handlers& h = handlers();
    if (h.windowshouldclose && !h.windowshouldclose(handle(this))) {
        event->ignore();
        return;
    }
    // Toolkit windows are only ever hidden, so that the program can show them again.
    event->ignore();
    hide();
}

void ToolkitWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fitmenubar(this);
    if (handlers().windowdidresize) {
        handlers().windowdidresize(handle(this));
    }
}

namespace {

QScreen* screenof(QWidget* w) {
    QScreen* screen = w->screen();
    return screen != nullptr ? screen : QGuiApplication::primaryScreen();
}

} // namespace

double screenheightof(QWidget* w) {
    QScreen* screen = screenof(w);
    return screen != nullptr ? screen->geometry().height() : 0.0;
}

Window windowofview(View view) {
    return view == nullptr ? nullptr : handle(qt(view)->window());
}

void windowshow(Window w) {
    qt(w)->show();
    qt(w)->raise();
}

void windowhide(Window w) {
    qt(w)->hide();
}

void windowmakekeyandfront(Window w) {
    QWidget* widget = qt(w);
    widget->show();
    widget->raise();
    widget->activateWindow();
}

bool windowisvisible(Window w) {
    return qt(w)->isVisible();
}

void windowcenter(Window w) {
    QWidget* widget = qt(w);
    QScreen* screen = screenof(widget);
    if (screen == nullptr) {
        return;
    }
    QRect frame = widget->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    widget->move(frame.topLeft());
}

void windowsettitle(Window w, const std::string& title) {
    qt(w)->setWindowTitle(QString::fromStdString(title));
}

std::string windowtitle(Window w) {
    return qt(w)->windowTitle().toStdString();
}

void windowsettitlebar(Window w, bool visible) {
    QWidget* widget = qt(w);
    bool wasvisible = widget->isVisible();
    widget->setWindowFlag(Qt::FramelessWindowHint, !visible);
    showmenubar(widget, visible); // the bar belongs to the window's top strip
    if (wasvisible) {
        widget->show(); // changing the flags hides a window
    }
}

int64_t windowtitlebarheight(Window w) {
    QWidget* widget = qt(w);
    int title = widget->frameGeometry().height() - widget->geometry().height();
    return title > 0 ? title : 0;
}

Rect windowframe(Window w) {
    QWidget* widget = qt(w);
    QRect frame = widget->frameGeometry();
    int64_t title = windowtitlebarheight(w);
    double height = widget->height() + static_cast<double>(title);
    double y = screenheightof(widget) - frame.y() - height;
    return Rect{double(frame.x()), y, double(widget->width()), height};
}

void windowsetframe(Window w, const Rect& r) {
    QWidget* widget = qt(w);
    int64_t title = windowtitlebarheight(w);
    int contentheight = static_cast<int>(r.height) - static_cast<int>(title);
    widget->resize(static_cast<int>(r.width), contentheight > 0 ? contentheight : 0);
    // As with titled windows on the original platform, the top edge stays on the screen, so that
    // a window that grows keeps its title bar reachable.
    double top = std::max(0.0, screenheightof(widget) - r.y - r.height);
    widget->move(static_cast<int>(r.x), static_cast<int>(top));
}

Rect windowscreenframe(Window w) {
    QScreen* screen = screenof(qt(w));
    if (screen == nullptr) {
        return Rect{};
    }
    QRect g = screen->geometry();
    return Rect{double(g.x()), 0.0, double(g.width()), double(g.height())};
}

void windowsetbackground(Window w, uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha) {
    QWidget* widget = qt(w);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, QColor(red, green, blue, alpha));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
    widget->update();
}

Window activewindow() {
    QWidget* active = QApplication::activeWindow();
    return active == nullptr ? nullptr : handle(active);
}

void windowclose(Window w) {
    qt(w)->close();
}

} // namespace platform
