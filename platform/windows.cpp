#include "platform/qtinternal.h"
#include "platform/widgets.h"

#include <QApplication>
#include <QCloseEvent>
#include <QScreen>
#include <QTimerEvent>

#include <algorithm>
#include <cmath>
#include <vector>

namespace platform {

namespace {

QScreen* screenof(QWidget* w) {
    QScreen* screen = w->screen();
    return screen != nullptr ? screen : QGuiApplication::primaryScreen();
}

// Whether a window manager frames the windows and tells their frames: not on the offscreen
// platform, which invents a frame no window manager draws, nor on Wayland, where the compositor
// places the windows and keeps their frames to itself.
bool windowmanagerframes() {
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && !compositorplaces();
}

// What the window manager's frame adds around the content; nothing before it has framed the
// window, and nothing where no window manager tells.
QMargins decoration(const QWidget* w) {
    if (!windowmanagerframes()) {
        return QMargins();
    }
    const QRect content = w->geometry(), frame = w->frameGeometry();
    return QMargins(content.left() - frame.left(), content.top() - frame.top(),
                    frame.right() - content.right(), frame.bottom() - content.bottom());
}

// The size the toolkit gave a window; a window that is not the toolkit's (a dialog) has its own.
QSize logicalsizeof(const QWidget* w) {
    const auto* window = dynamic_cast<const ToolkitWindow*>(w);
    return window != nullptr ? window->logicalsize() : w->size();
}

// GraphicView has no meta-object of its own, so Qt's findChildren cannot tell it from a QWidget.
std::vector<GraphicView*> graphicviewsof(const QWidget* window) {
    std::vector<GraphicView*> views;
    for (QObject* child : window->children()) {
        if (auto* view = dynamic_cast<GraphicView*>(child)) {
            views.push_back(view);
        }
    }
    return views;
}

} // namespace

ToolkitWindow::ToolkitWindow(const QString& name) : QWidget(nullptr) {
    setObjectName(name);
    setAttribute(Qt::WA_QuitOnClose, false);
}

// Closing a window hides it, so that the program can show it again; closing the last one shown
// quits, as desktops without a global menu bar expect.
void ToolkitWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    const Handlers& h = handlers();
    if (!h.windowshouldclose || h.windowshouldclose(handle(this))) {
        hide();
    }
    if (shownwindowcount() == 0) {
        QCoreApplication::quit();
    }
}

void ToolkitWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fitmenubar(this);
    layoutviews();
    if (placing) {
        keeponscreen();
    }
    if (handlers().windowdidresize) {
        handlers().windowdidresize(handle(this));
    }
}

void ToolkitWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (placing) {
        keeponscreen();
    }
}

// The window manager frames a window some time after it is shown, and Qt reports no event when
// it does; a placed window looks for its frame for a while.
void ToolkitWindow::showEvent(QShowEvent* event) {
    fitmenubar(this);
    QWidget::showEvent(event);
    if (placing) {
        keeponscreen();
    }
    if (placing && windowmanagerframes()) {
        framewaits = 40;
        framewatch.start(25, this);
    }
}

void ToolkitWindow::timerEvent(QTimerEvent* event) {
    if (event->timerId() != framewatch.timerId()) {
        QWidget::timerEvent(event);
        return;
    }
    if (placing) {
        keeponscreen();
    }
    if (!placing || --framewaits <= 0) {
        framewatch.stop();
    }
}

void ToolkitWindow::startat(QPoint topleft, QSize size) {
    logical = size;
    placing = true;
    setGeometry(QRect(topleft, size));
}

void ToolkitWindow::place(QPoint topleft, QSize size) {
    logical = size;
    placing = true;
    setGeometry(QRect(topleft, size));
    layoutviews();
    if (compositorplaces()) {
        fitscreen();
    } else {
        keeponscreen();
    }
}

// Only a picture scales; other windows simply have the size they are given.
QSize ToolkitWindow::logicalsize() const {
    return logical.isValid() && !graphicviewsof(this).empty() ? logical : size();
}

double ToolkitWindow::scale() const {
    const int bar = menubarheight(this);
    const QSize size = logicalsize();
    if (size.width() <= 0 || size.height() <= bar) {
        return 1;
    }
    return std::min(double(width()) / size.width(), double(height() - bar) / (size.height() - bar));
}

// The size the window shows at within an area of the screen, its frame's margins left free:
// its logical size, scaled down when that does not fit.
QSize ToolkitWindow::fittedsize(const QRect& area, const QMargins& m) const {
    const int bar = menubarheight(this);
    const QSize size = logicalsize();
    const double fit = std::min(
        {1.0, double(area.width() - m.left() - m.right()) / std::max(1, size.width()),
         double(area.height() - m.top() - m.bottom() - bar) / std::max(1, size.height() - bar)});
    return QSize(static_cast<int>(std::floor(size.width() * fit)),
                 bar + static_cast<int>(std::floor((size.height() - bar) * fit)));
}

// Once the window manager has framed a window the toolkit placed, the whole frame, title bar
// included, goes inside the screen's available area: moved there, and scaled down when it does
// not fit. Without a frame (no window manager, or not framed yet) the window stays as placed.
void ToolkitWindow::keeponscreen() {
    const QMargins m = decoration(this);
    QScreen* screen = screenof(this);
    if (m.isNull() || screen == nullptr || !isVisible()) {
        return;
    }
    placing = false;
    const QRect area = screen->availableGeometry();
    const QSize shown = fittedsize(area, m);
    const int x =
        std::clamp(geometry().x(), area.left() + m.left(),
                   std::max(area.left() + m.left(), area.right() + 1 - m.right() - shown.width()));
    const int y =
        std::clamp(geometry().y(), area.top() + m.top(),
                   std::max(area.top() + m.top(), area.bottom() + 1 - m.bottom() - shown.height()));
    setGeometry(QRect(QPoint(x, y), shown));
}

// Where the compositor places the window, only its size is the toolkit's: scaled down to the
// screen at once, as nothing will tell where the window went or how large its frame is.
void ToolkitWindow::fitscreen() {
    placing = false;
    if (QScreen* screen = screenof(this)) {
        resize(fittedsize(screen->availableGeometry(), QMargins()));
    }
}

// The content (picture and borders) scaled by one factor and centred below the menu bar; the
// rest shows the window's background, the border colour.
void ToolkitWindow::layoutviews() {
    const double s = scale();
    const int bar = menubarheight(this);
    const QSize size = logicalsize();
    const QPointF offset((width() - size.width() * s) / 2,
                         ((height() - bar) - (size.height() - bar) * s) / 2);
    for (GraphicView* view : graphicviewsof(this)) {
        view->layout(s, offset);
    }
}

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

void windowminimize(Window w) {
    qt(w)->showMinimized();
}

bool windowisminimized(Window w) {
    return qt(w)->isMinimized();
}

int64_t shownwindowcount() {
    int64_t shown = 0;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        shown += dynamic_cast<ToolkitWindow*>(w) != nullptr && w->isVisible();
    }
    return shown;
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
    // A toolkit window's content goes to the centre, whether the window manager has framed it yet
    // or not: the frame is known only from the second time on, and a program that centres its
    // window at each start would move it by the frame's margins when run again.
    if (auto* window = dynamic_cast<ToolkitWindow*>(widget)) {
        QRect content(QPoint(), window->logicalsize());
        content.moveCenter(screen->availableGeometry().center());
        window->place(content.topLeft(), content.size());
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

// Frames are logical: the size the toolkit gave the window, whatever scale it shows at.
Rect windowframe(Window w) {
    QWidget* window = qt(w);
    const QRect content = window->geometry();
    const QSize size = logicalsizeof(window);
    double y = screenheightof(window) - content.y() - size.height();
    return Rect{double(content.x()), y, double(size.width()), double(size.height())};
}

void windowsetframe(Window w, const Rect& r) {
    QWidget* widget = qt(w);
    // As with titled windows on the original platform, the top edge stays on the screen, so that
    // a window that grows keeps its title bar reachable.
    double top = std::max(double(windowtitlebarheight(w)), screenheightof(widget) - r.y - r.height);
    const QRect placed(static_cast<int>(r.x), static_cast<int>(top), static_cast<int>(r.width),
                       static_cast<int>(std::max(0.0, r.height)));
    if (auto* window = dynamic_cast<ToolkitWindow*>(widget)) {
        window->place(placed.topLeft(), placed.size());
    } else {
        widget->setGeometry(placed);
    }
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
