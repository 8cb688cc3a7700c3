#pragma once
// The Qt widgets behind the platform handles (platform/ only).
#include "platform/platform.h"

#include <QBasicTimer>
#include <QWidget>

class QPainter;

namespace platform {

// A top-level toolkit window. Its background is the border colour of a graphic window.
//
// The toolkit sizes a window in picture pixels (its logical size). The window shows at that size
// unless it does not fit the screen or the user resizes it; then its graphic view is scaled, and
// the toolkit still sees the logical size.
class ToolkitWindow : public QWidget {
  public:
    explicit ToolkitWindow(const QString& name);

    QSize logicalsize() const;
    // Sets the logical size and shows the window at its position (top left of the content, in
    // screen coordinates), scaled down where it would not fit.
    void place(QPoint topleft, QSize size);
    // Where the window starts, before the toolkit places it: neither laid out nor measured.
    void startat(QPoint topleft, QSize size);
    // The factor from logical to shown pixels below the menu bar.
    double scale() const;
    // Shows the graphic views at the window's scale.
    void layoutviews();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

  private:
    QSize fittedsize(const QRect& area, const QMargins& margins) const;
    void keeponscreen();
    void fitscreen();

    QSize logical;
    // Placed by the toolkit, the window manager's frame not yet taken into account.
    bool placing = true;
    QBasicTimer framewatch;
    int framewaits = 0;
};

// View00 ... View07: shows the image of graphic window n and takes its keys and clicks.
class GraphicView : public QWidget {
  public:
    GraphicView(int number, QWidget* parent);
    int number() const { return viewnumber; }
    // Where a part of the picture lies in the view (empty for an empty part).
    QRect viewrect(const PixelRect& part) const;

    // The view's place in its window's logical content (y downward) and its picture size.
    QRect logicalframe() const { return logical; }
    void setlogicalframe(const QRect& placed) { logical = placed; }
    // Shows the view at the window's scale, offset to centre the scaled content.
    void layout(double scale, QPointF offset);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

  private:
    void flagschanged(QKeyEvent* event);
    bool wholefactor() const;
    void paintrows(QPainter& painter, const QRect& target, const PicturePaint& picture);
    void paintsmoothed(QPainter& painter, const PicturePaint& picture);

    int viewnumber;
    QRect logical{0, 0, 640, 400};
    double shownscale = 1;
};

// Screen readers (platform/accessibility.cpp): views answer as accessible text or pictures once
// installed; a paint announces what changed in the view's text to a listening reader.
void installviewaccessibility();
void announceviewtext(GraphicView* view);

// Key translation (platform/keys.cpp): a Qt key event in the original platform's terms.
KeyPress translatekeyevent(const class QKeyEvent* event);
uint64_t translatemodifiers(Qt::KeyboardModifiers modifiers, bool keypad);
// Shift, Control, Alt, AltGr, Super, Caps Lock, Num Lock, and the PC keys the original keyboard
// lacks (Insert, Menu, Print, Scroll Lock, Pause): their presses at most change the modifier state.
bool ismodifierkey(const class QKeyEvent* event);
// The modifier flags once a modifier key's press or release has taken effect.
uint64_t modifierflagsafter(const class QKeyEvent* event);

} // namespace platform
