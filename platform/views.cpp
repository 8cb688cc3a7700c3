#include "platform/qtinternal.h"
#include "platform/widgets.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace platform {

GraphicView::GraphicView(int number, QWidget* parent) : QWidget(parent), viewnumber(number) {
    setObjectName(QStringLiteral("View%1").arg(number, 2, 10, QLatin1Char('0')));
    setFocusPolicy(Qt::StrongFocus);
    // The whole view is painted from the image; no background erase, no flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GraphicView::paintEvent(QPaintEvent* event) {
    const Handlers& h = handlers();
    if (h.paintstarted) {
        h.paintstarted(viewnumber);
    }
    PixelRect changed;
    bool haveimage = h.paintview && h.paintview(viewnumber, frame, changed);
    QPainter painter(this);
    if (haveimage && frame.width > 0 && frame.height > 0) {
        // The pixels are opaque, so the frame is drawn as RGB32: a plain copy into the backing
        // store, where ARGB32 would be converted first (by Qt's pooled threads for large areas).
        QImage image(reinterpret_cast<const uchar*>(frame.pixels.data()),
                     static_cast<int>(frame.width), static_cast<int>(frame.height),
                     static_cast<qsizetype>(frame.width * 4), QImage::Format_RGB32);
        if (quick()) {
            QRect part = event->rect() & image.rect();
            painter.drawImage(part.topLeft(), image, part);
        } else {
            painter.drawImage(event->rect(), image);
        }
        // Rows the handler converted beyond this paint's area still have to reach the screen.
        QRegion rest = QRegion(viewrect(changed)).subtracted(event->region());
        if (!rest.isEmpty()) {
            update(rest);
        }
    } else {
        painter.fillRect(event->rect(), palette().window());
    }
    if (h.paintfinished) {
        h.paintfinished(viewnumber);
    }
}

bool GraphicView::quick() const {
    const Handlers& h = handlers();
    return !h.quickupdate || h.quickupdate(viewnumber);
}

QRect GraphicView::viewrect(const PixelRect& part) const {
    if (part.empty()) {
        return QRect();
    }
    if (!quick()) { // the picture is scaled to the area being painted
        return rect();
    }
    return QRect(static_cast<int>(part.x), static_cast<int>(part.y), static_cast<int>(part.width),
                 static_cast<int>(part.height)) &
           rect();
}

void GraphicView::keyPressEvent(QKeyEvent* event) {
    if (ismodifierkey(event)) {
        modifierschanged(event);
    } else if (handlers().keydown) {
        handlers().keydown(viewnumber, translatekeyevent(event));
    }
}

// A held key repeats as further presses only, as on the original; Qt's repeated releases would
// clear the key-held flag in between.
void GraphicView::keyReleaseEvent(QKeyEvent* event) {
    if (ismodifierkey(event)) {
        modifierschanged(event);
    } else if (handlers().keyup && !event->isAutoRepeat()) {
        handlers().keyup(viewnumber, translatekeyevent(event));
    }
}

void GraphicView::modifierschanged(QKeyEvent* event) {
    if (handlers().modifierschanged) {
        handlers().modifierschanged(viewnumber, modifierflagsafter(event));
    }
}

bool GraphicView::event(QEvent* e) {
    // Tab and Backtab belong to the program, not to focus navigation.
    if (e->type() == QEvent::KeyPress) {
        keyPressEvent(static_cast<QKeyEvent*>(e));
        return true;
    }
    return QWidget::event(e);
}

namespace {

MouseClick clickof(const QWidget* view, const QMouseEvent* event) {
    const QWidget* window = view->window();
    // The pixel under the pointer, so that a fractional position on a scaled screen counts for
    // the pixel it lies in once flipped to y-up.
    QPointF inwindow = view->mapTo(window, event->position());
    MouseClick click;
    click.windowx = std::floor(inwindow.x());
    click.windowy = window->height() - std::floor(inwindow.y()); // window coordinates are y-up
    switch (event->button()) {
    case Qt::LeftButton:
        click.button = MouseButton::Left;
        break;
    case Qt::RightButton:
        click.button = MouseButton::Right;
        break;
    default:
        click.button = MouseButton::Other;
        break;
    }
    Qt::MouseButtons b = event->buttons() | event->button();
    click.buttons = ((b & Qt::LeftButton) ? 1 : 0) | ((b & Qt::RightButton) ? 2 : 0) |
                    ((b & ~(Qt::LeftButton | Qt::RightButton)) ? 4 : 0);
    click.modifierflags = translatemodifiers(event->modifiers(), false);
    return click;
}

} // namespace

void GraphicView::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    if (handlers().mousedown) {
        handlers().mousedown(viewnumber, clickof(this, event));
    }
}

void GraphicView::mouseReleaseEvent(QMouseEvent* event) {
    if (handlers().mouseup) {
        handlers().mouseup(viewnumber, clickof(this, event));
    }
}

void viewsetneedsdisplayin(View v, const PixelRect& part) {
    auto* view = static_cast<GraphicView*>(qt(v));
    view->update(view->viewrect(part));
}
void viewdisplayin(View v, const PixelRect& part) {
    auto* view = static_cast<GraphicView*>(qt(v));
    view->repaint(view->viewrect(part));
}
void viewsetframesize(View v, double width, double height) {
    qt(v)->resize(static_cast<int>(width), static_cast<int>(height));
}

// Origins are given y-up within the window's content, as the original views are placed.
void viewsetframeorigin(View v, double x, double y) {
    QWidget* view = qt(v);
    QWidget* parent = view->parentWidget();
    int parentheight = parent != nullptr ? parent->height() : 0;
    view->move(static_cast<int>(x), static_cast<int>(parentheight - y - view->height()));
}

Rect viewframe(View v) {
    QWidget* view = qt(v);
    QWidget* parent = view->parentWidget();
    int parentheight = parent != nullptr ? parent->height() : 0;
    return Rect{double(view->x()), double(parentheight - view->y() - view->height()),
                double(view->width()), double(view->height())};
}

int viewnumber(View v) {
    return static_cast<GraphicView*>(qt(v))->number();
}

} // namespace platform
