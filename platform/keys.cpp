// Qt key events in the terms of the toolkit's key table: modifier bits of the original platform.
#include "platform/qtinternal.h"
#include "platform/widgets.h"

#include <QKeyEvent>

namespace platform {

namespace {
constexpr uint64_t capslockflag = 1ull << 16;
constexpr uint64_t shiftflag = 1ull << 17;
constexpr uint64_t controlflag = 1ull << 18;
constexpr uint64_t optionflag = 1ull << 19;
constexpr uint64_t commandflag = 1ull << 20;
constexpr uint64_t keypadflag = 1ull << 21;
} // namespace

uint64_t translatemodifiers(Qt::KeyboardModifiers m, bool keypad) {
    uint64_t flags = 0;
    if (m & Qt::ShiftModifier) {
        flags |= shiftflag;
    }
    if (m & Qt::ControlModifier) {
        flags |= controlflag;
    }
    if (m & (Qt::AltModifier | Qt::GroupSwitchModifier)) {
        flags |= optionflag;
    }
    if (m & Qt::MetaModifier) {
        flags |= commandflag;
    }
    if (keypad || (m & Qt::KeypadModifier)) {
        flags |= keypadflag;
    }
    (void)capslockflag;
    return flags;
}

KeyPress translatekeyevent(const QKeyEvent* event) {
    KeyPress press;
    press.characters = event->text().toStdString();
    press.modifierflags = translatemodifiers(event->modifiers(), false);
    return press;
}

} // namespace platform
