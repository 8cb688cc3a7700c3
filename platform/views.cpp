#include "platform/qtinternal.h"
#include "platform/widgets.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace platform {

namespace {

// A strip of converted rows stays within the processor's second-level cache.
constexpr int64_t stripbytes = 256 * 1024;

// The strip buffer all views share (main thread only).
std::vector<uint32_t>& stripbuffer() {
    static std::vector<uint32_t> strip;
    return strip;
}

} // namespace

GraphicView::GraphicView(int number, QWidget* parent) : QWidget(parent), viewnumber(number) {
    setObjectName(QStringLiteral("View%1").arg(number, 2, 10, QLatin1Char('0')));
    setFocusPolicy(Qt::StrongFocus);
    // The whole view is painted from the image; no background erase, no flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);
    installviewaccessibility();
}

void GraphicView::paintEvent(QPaintEvent* event) {
    const Handlers& h = handlers();
    if (h.viewpaintstarted) {
        h.viewpaintstarted(viewnumber);
    }
    PicturePaint picture;
    QPainter painter(this);
    if (h.viewpicture && h.viewpicture(viewnumber, picture) && picture.width > 0 &&
        picture.height > 0) {
        if (wholefactor()) {
            paintrows(painter, event->rect() & rect(), picture);
        } else {
            paintsmoothed(painter, picture);
        }
        // Rows that changed beyond this paint's area still have to reach the screen.
        QRegion rest = QRegion(viewrect(picture.changed)).subtracted(event->region());
        if (!rest.isEmpty()) {
            update(rest);
        }
    } else {
        painter.fillRect(event->rect(), palette().window());
    }
    if (h.viewpaintfinished) {
        h.viewpaintfinished(viewnumber);
    }
    // What changed in the picture changed in the text a reader hears, if one listens.
    if (QAccessible::isActive()) {
        announceviewtext(this);
    }
}

// Exact pixel copies of the picture's rows behind the area being painted, converted a strip at a
// time into one small buffer: the backing store is the only full copy of the picture. The pixels
// are opaque, so a strip is drawn as RGB32: a plain copy, where ARGB32 would be converted first.
void GraphicView::paintrows(QPainter& painter, const QRect& target, const PicturePaint& picture) {
    const double s = shownscale;
    const auto first =
        std::clamp<int64_t>(static_cast<int64_t>(std::floor(target.top() / s)), 0, picture.height);
    const auto end =
        std::clamp<int64_t>(static_cast<int64_t>(std::ceil((target.top() + target.height()) / s)),
                            first, picture.height);
    const int64_t rows = std::max<int64_t>(1, stripbytes / (picture.width * 4));
    std::vector<uint32_t>& strip = stripbuffer();
    strip.resize(static_cast<size_t>(rows * picture.width));
    for (int64_t row = first; row < end; row += rows) {
        const int64_t count = std::min(rows, end - row);
        if (!handlers().viewrows(viewnumber, row, count, picture.width, strip.data())) {
            return;
        }
        const QImage image(reinterpret_cast<const uchar*>(strip.data()),
                           static_cast<int>(picture.width), static_cast<int>(count),
                           static_cast<qsizetype>(picture.width * 4), QImage::Format_RGB32);
        painter.drawImage(QRectF(target.x(), row * s, target.width(), count * s), image,
                          QRectF(target.x() / s, 0, target.width() / s, count));
    }
}

// Smoothed: the whole picture, which the painter clips to the area being painted.
void GraphicView::paintsmoothed(QPainter& painter, const PicturePaint& picture) {
    QImage image(static_cast<int>(picture.width), static_cast<int>(picture.height),
                 QImage::Format_RGB32);
    if (image.isNull() || !handlers().viewrows(viewnumber, 0, picture.height, picture.width,
                                               reinterpret_cast<uint32_t*>(image.bits()))) {
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), image);
}

// Whole factors (a window at its own size, a screen of double density) copy pixels exactly; any
// other factor is smoothed.
bool GraphicView::wholefactor() const {
    const double factor = shownscale * devicePixelRatioF();
    return std::abs(factor - std::round(factor)) < 1e-9;
}

QRect GraphicView::viewrect(const PixelRect& part) const {
    if (part.empty()) {
        return QRect();
    }
    const QRect shown = QRectF(part.x * shownscale, part.y * shownscale, part.width * shownscale,
                               part.height * shownscale)
                            .toAlignedRect();
    // Smoothing reaches one pixel beyond a changed part.
    return (wholefactor() ? shown : shown.adjusted(-1, -1, 1, 1)) & rect();
}

void GraphicView::keyPressEvent(QKeyEvent* event) {
    if (ismodifierkey(event)) {
        flagschanged(event);
    } else if (handlers().viewkeydown) {
        handlers().viewkeydown(viewnumber, translatekeyevent(event));
    }
}

// A held key repeats as further presses only, as on the original; Qt's repeated releases would
// clear the key-held flag in between.
void GraphicView::keyReleaseEvent(QKeyEvent* event) {
    if (ismodifierkey(event)) {
        flagschanged(event);
    } else if (handlers().viewkeyup && !event->isAutoRepeat()) {
        handlers().viewkeyup(viewnumber, translatekeyevent(event));
    }
}

void GraphicView::flagschanged(QKeyEvent* event) {
    if (handlers().viewflagschanged) {
        handlers().viewflagschanged(viewnumber, modifierflagsafter(event));
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

// The picture pixel under the pointer (a fractional position counts for the pixel it lies in),
// as a position in the window's logical content, y upward.
MouseClick clickof(const GraphicView* view, const QMouseEvent* event, double scale) {
    const auto* window = static_cast<const ToolkitWindow*>(view->window());
    const QRect logical = view->logicalframe();
    MouseClick click;
    click.windowx = logical.x() + std::floor(event->position().x() / scale);
    click.windowy =
        window->logicalsize().height() - (logical.y() + std::floor(event->position().y() / scale));
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
    if (handlers().viewmousedown) {
        handlers().viewmousedown(viewnumber, clickof(this, event, shownscale));
    }
}

void GraphicView::mouseReleaseEvent(QMouseEvent* event) {
    if (handlers().viewmouseup) {
        handlers().viewmouseup(viewnumber, clickof(this, event, shownscale));
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
void GraphicView::layout(double scale, QPointF offset) {
    shownscale = scale > 0 ? scale : 1;
    const int bar = menubarheight(window());
    const QPointF topleft(offset.x() + logical.x() * shownscale,
                          bar + offset.y() + (logical.y() - bar) * shownscale);
    setGeometry(QRectF(topleft, QSizeF(logical.size()) * shownscale).toRect());
}

namespace {

GraphicView* graphicview(View v) {
    return static_cast<GraphicView*>(qt(v));
}

int logicalheightofwindow(const GraphicView* view) {
    return static_cast<const ToolkitWindow*>(view->window())->logicalsize().height();
}

void relayout(GraphicView* view, QRect logical) {
    view->setlogicalframe(logical);
    static_cast<ToolkitWindow*>(view->window())->layoutviews();
}

} // namespace

void viewsetframesize(View v, double width, double height) {
    GraphicView* view = graphicview(v);
    QRect logical = view->logicalframe();
    logical.setSize(QSize(static_cast<int>(width), static_cast<int>(height)));
    relayout(view, logical);
}

void viewsetframeorigin(View v, double x, double y) {
    GraphicView* view = graphicview(v);
    QRect logical = view->logicalframe();
    logical.moveTo(static_cast<int>(x),
                   static_cast<int>(logicalheightofwindow(view) - y - logical.height()));
    relayout(view, logical);
}

Rect viewframe(View v) {
    const GraphicView* view = graphicview(v);
    const QRect logical = view->logicalframe();
    return Rect{double(logical.x()),
                double(logicalheightofwindow(view) - logical.y() - logical.height()),
                double(logical.width()), double(logical.height())};
}

int viewnumber(View v) {
    return static_cast<GraphicView*>(qt(v))->number();
}

} // namespace platform
