// Input as the window system would deliver it, for programs run without one.
#include "platform/qtinternal.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace platform {

namespace {

struct KeySpec {
    int key;
    Qt::KeyboardModifiers modifiers;
};

KeySpec keyspecof(uint32_t scalar) {
    switch (scalar) {
    case '\r':
        return {Qt::Key_Return, Qt::NoModifier};
    case 27:
        return {Qt::Key_Escape, Qt::NoModifier};
    case 127:
        return {Qt::Key_Backspace, Qt::NoModifier};
    case '\t':
        return {Qt::Key_Tab, Qt::NoModifier};
    default:
        break;
    }
    if (scalar >= 1 && scalar <= 26) {
        return {Qt::Key_A + static_cast<int>(scalar) - 1, Qt::ControlModifier};
    }
    // Qt names printable keys by the upper-case form of their character.
    QChar upper = QChar(static_cast<char16_t>(scalar <= 0xFFFF ? scalar : 0)).toUpper();
    return {upper.unicode() != 0 ? static_cast<int>(upper.unicode()) : Qt::Key_unknown,
            Qt::NoModifier};
}

} // namespace

void typecharacter(View view, uint32_t scalar) {
    KeySpec spec = keyspecof(scalar);
    char32_t character = scalar;
    QString text = QString::fromUcs4(&character, 1);
    QKeyEvent press(QEvent::KeyPress, spec.key, spec.modifiers, text);
    QCoreApplication::sendEvent(qt(view), &press);
    QKeyEvent release(QEvent::KeyRelease, spec.key, spec.modifiers, text);
    QCoreApplication::sendEvent(qt(view), &release);
}

} // namespace platform
