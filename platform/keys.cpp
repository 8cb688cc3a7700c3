// Qt key events in the terms of the toolkit's key table: the original platform's key code of the
// physical key, the characters it produced there and its modifier bits.
#include "platform/keycodes.h"
#include "platform/widgets.h"

#include <QKeyEvent>
#include <algorithm>
#include <array>
#include <optional>

namespace platform {

namespace {

// X11 and xkb both keep the Lock modifier in bit 1 of the native modifier state.
constexpr quint32 nativelockmask = 1u << 1;
// X11 and Wayland key codes are evdev codes plus 8.
constexpr quint32 evdevoffset = 8;

constexpr char32_t firstfunctionkeycharacter = 0xF704; // F1
constexpr char32_t helpcharacter = 0xF746;

struct SpecialKey {
    int key;
    char32_t character;
};

// The characters the original produces for keys that type no text.
constexpr auto specialkeys = std::to_array<SpecialKey>({
    {Qt::Key_Backspace, 0x7F},
    {Qt::Key_Delete, 0xF728},
    {Qt::Key_Return, 13},
    {Qt::Key_Enter, 3},
    {Qt::Key_Tab, 9},
    {Qt::Key_Backtab, 25},
    {Qt::Key_Escape, 27},
    {Qt::Key_Up, 0xF700},
    {Qt::Key_Down, 0xF701},
    {Qt::Key_Left, 0xF702},
    {Qt::Key_Right, 0xF703},
    {Qt::Key_Home, 0xF729},
    {Qt::Key_End, 0xF72B},
    {Qt::Key_PageUp, 0xF72C},
    {Qt::Key_PageDown, 0xF72D},
    {Qt::Key_Help, helpcharacter},
    {Qt::Key_Clear, 0xF739},
});

// Control with these keys types a control character, whatever the layout puts beside them.
constexpr auto controlkeys = std::to_array<SpecialKey>({
    {Qt::Key_BracketLeft, 27},
    {Qt::Key_Backslash, 28},
    {Qt::Key_BracketRight, 29},
    {Qt::Key_AsciiCircum, 30},
    {Qt::Key_Dead_Circumflex, 30},
    {Qt::Key_Underscore, 31},
    {Qt::Key_Minus, 31},
});

constexpr auto modifierkeys = std::to_array<SpecialKey>({
    {Qt::Key_Shift, 0},
    {Qt::Key_Control, 0},
    {Qt::Key_Alt, 0},
    {Qt::Key_AltGr, 0},
    {Qt::Key_Meta, 0},
    {Qt::Key_Super_L, 0},
    {Qt::Key_Super_R, 0},
    {Qt::Key_CapsLock, 0},
    {Qt::Key_Hyper_L, 0},
    {Qt::Key_Hyper_R, 0},
    {Qt::Key_Mode_switch, 0},
    {Qt::Key_NumLock, 0}, // the original's keypad always types its digits
});

// PC keys without a counterpart on the original keyboard: they neither type nor count as held.
// Keypad 0 reports Insert while Num Lock is off; it keeps its digit.
constexpr auto foreignkeys = std::to_array<SpecialKey>({
    {Qt::Key_Insert, 0},
    {Qt::Key_Menu, 0},
    {Qt::Key_Print, 0},
    {Qt::Key_SysReq, 0},
    {Qt::Key_ScrollLock, 0},
    {Qt::Key_Pause, 0},
});

template <typename Table> const SpecialKey* find(const Table& table, int key) {
    const auto found = std::find_if(table.begin(), table.end(),
                                    [key](const SpecialKey& k) { return k.key == key; });
    return found == table.end() ? nullptr : &*found;
}

std::string utf8(char32_t character) {
    return QString::fromUcs4(&character, 1).toStdString();
}

bool isdeadkey(int key) {
    return key >= Qt::Key_Dead_Grave && key <= Qt::Key_Dead_Longsolidusoverlay;
}

bool isfunctionkey(int key) {
    return key >= Qt::Key_F1 && key <= Qt::Key_F35;
}

// One printable character, not a control character or a navigation key's private-use one.
bool typesprintable(const QKeyEvent* event) {
    const QString text = event->text();
    return text.size() == 1 && text[0].isPrint();
}

bool islockon(const QKeyEvent* event) {
    return (event->nativeModifiers() & nativelockmask) != 0;
}

// A scan code names a physical key only where the keymap is a real keyboard's. A virtual keyboard
// (wtype, an on-screen keyboard, a remote desktop) makes up a keymap of its own and hands out
// scan codes in the order it needs characters, so that a "5" may come from Escape's place and an
// "x" from Backspace's. Letters and signs move with the layout, so two typing keys may differ;
// a typing key and a command key, keypad or not, are never the same key. A key Qt names but the
// table does not (a media key, a layout's own letter) is a typing key when it types text.
bool samekey(int64_t fromscancode, int64_t fromqtkey, bool typestext) {
    if (fromqtkey == unknownkeycode) {
        return !typestext || istypingkeycode(fromscancode);
    }
    return fromscancode == fromqtkey ||
           (istypingkeycode(fromscancode) && istypingkeycode(fromqtkey));
}

int64_t keycodeof(const QKeyEvent* event) {
    const int64_t fromqtkey = keycodeofqtkey(event->key(), event->modifiers() & Qt::KeypadModifier);
    const quint32 scancode = event->nativeScanCode();
    if (scancode > evdevoffset) {
        const int64_t keycode = keycodeofevdev(scancode - evdevoffset);
        if (keycode != unknownkeycode && samekey(keycode, fromqtkey, typesprintable(event))) {
            return keycode;
        }
    }
    return fromqtkey;
}

std::optional<char32_t> controlcharacter(const QKeyEvent* event, int64_t keycode) {
    if (!(event->modifiers() & Qt::ControlModifier) || iskeypadkeycode(keycode)) {
        return std::nullopt;
    }
    const int key = event->key();
    if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        return static_cast<char32_t>(key - Qt::Key_A + 1);
    }
    if (const SpecialKey* control = find(controlkeys, key)) {
        return control->character;
    }
    return std::nullopt;
}

std::string charactersof(const QKeyEvent* event, int64_t keycode) {
    const int key = event->key();
    if (const auto control = controlcharacter(event, keycode)) {
        return utf8(*control);
    }
    if (isdeadkey(key)) {
        return {};
    }
    if (iskeypadkeycode(keycode)) {
        // The original's keypad has no Num Lock: its keys always type their own character.
        // Qt's text counts only when it is printable: with Num Lock off the keys report
        // navigation and Delete characters.
        return typesprintable(event) && key != Qt::Key_Enter ? event->text().toStdString()
                                                             : utf8(keypadcharacter(keycode));
    }
    if (isfunctionkey(key)) {
        return utf8(firstfunctionkeycharacter + static_cast<char32_t>(key - Qt::Key_F1));
    }
    if (const SpecialKey* special = find(specialkeys, key)) {
        return utf8(special->character);
    }
    return event->text().toStdString();
}

uint64_t flagofmodifierkey(int key) {
    switch (key) {
    case Qt::Key_Shift:
        return ShiftModifier;
    case Qt::Key_Control:
        return ControlModifier;
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Mode_switch:
        return OptionModifier;
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
        return CommandModifier;
    default:
        return 0;
    }
}

} // namespace

uint64_t translatemodifiers(Qt::KeyboardModifiers m, bool keypad) {
    uint64_t flags = 0;
    if (m & Qt::ShiftModifier) {
        flags |= ShiftModifier;
    }
    if (m & Qt::ControlModifier) {
        flags |= ControlModifier;
    }
    if (m & (Qt::AltModifier | Qt::GroupSwitchModifier)) {
        flags |= OptionModifier;
    }
    if (m & Qt::MetaModifier) {
        flags |= CommandModifier;
    }
    if (keypad || (m & Qt::KeypadModifier)) {
        flags |= NumericPadModifier;
    }
    return flags;
}

KeyPress translatekeyevent(const QKeyEvent* event) {
    KeyPress press;
    press.keycode = keycodeof(event);
    press.characters = charactersof(event, press.keycode);
    press.modifierflags = translatemodifiers(event->modifiers(), iskeypadkeycode(press.keycode)) |
                          (islockon(event) ? CapsLockModifier : 0);
    return press;
}

bool ismodifierkey(const QKeyEvent* event) {
    return find(modifierkeys, event->key()) != nullptr ||
           (find(foreignkeys, event->key()) != nullptr &&
            !(event->modifiers() & Qt::KeypadModifier));
}

// Qt reports the modifier state of a modifier key's own event before or after the change,
// depending on the platform; the key itself says which bit changed and how.
uint64_t modifierflagsafter(const QKeyEvent* event) {
    const bool pressed = event->type() == QEvent::KeyPress;
    uint64_t flags = translatemodifiers(event->modifiers() & ~Qt::KeypadModifier, false);
    const uint64_t changed = flagofmodifierkey(event->key());
    flags = pressed ? (flags | changed) : (flags & ~changed);
    bool lock = islockon(event);
    if (event->key() == Qt::Key_CapsLock && pressed) {
        lock = !lock; // the state before this press
    }
    return flags | (lock ? CapsLockModifier : 0);
}

} // namespace platform
