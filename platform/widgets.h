#pragma once
// The Qt widgets behind the platform handles (platform/ only).
#include "platform/platform.h"

#include <QWidget>

namespace platform {

// A top-level toolkit window. Its background is the border colour of a graphic window.
class ToolkitWindow : public QWidget {
  public:
    explicit ToolkitWindow(const QString& name);

  protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
};

// View00 ... View07: shows the image of graphic window n and takes its keys and clicks.
class GraphicView : public QWidget {
  public:
    GraphicView(int number, QWidget* parent);
    int number() const { return viewnumber; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

  private:
    void modifierschanged(QKeyEvent* event);

    int viewnumber;
    Image frame; // reused from paint to paint
};

// Key translation (platform/keys.cpp): a Qt key event in the original platform's terms.
KeyPress translatekeyevent(const class QKeyEvent* event);
uint64_t translatemodifiers(Qt::KeyboardModifiers modifiers, bool keypad);
// Shift, Control, Alt, AltGr, Super, Caps Lock, Num Lock, and the PC keys the original keyboard
// lacks (Insert, Menu, Print, Scroll Lock, Pause): their presses at most change the modifier state.
bool ismodifierkey(const class QKeyEvent* event);
// The modifier flags once a modifier key's press or release has taken effect.
uint64_t modifierflagsafter(const class QKeyEvent* event);

} // namespace platform
