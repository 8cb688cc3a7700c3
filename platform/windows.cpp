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

// Qt knows a window's decoration only once the window manager has framed it, so frames are the
// windows' content rectangles and the decoration lies outside them; the title-bar height is
// what the window manager adds above a shown window.
int64_t windowtitlebarheight(Window w) {
    QWidget* widget = qt(w);
    if (!widget->isVisible()) {
        return 0;
    }
    int title = widget->geometry().y() - widget->frameGeometry().y();
    return title > 0 ? title : 0;
}

Rect windowframe(Window w) {
    QWidget* widget = qt(w);
    QRect content = widget->geometry();
    double y = screenheightof(widget) - content.y() - content.height();
    return Rect{double(content.x()), y, double(content.width()), double(content.height())};
}

void windowsetframe(Window w, const Rect& r) {
    QWidget* widget = qt(w);
    // As with titled windows on the original platform, the top edge stays on the screen, so that
    // a window that grows keeps its title bar reachable.
    double top = std::max(double(windowtitlebarheight(w)), screenheightof(widget) - r.y - r.height);
    widget->setGeometry(static_cast<int>(r.x), static_cast<int>(top), static_cast<int>(r.width),
                        static_cast<int>(std::max(0.0, r.height)));
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
