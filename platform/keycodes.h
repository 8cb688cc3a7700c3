#pragma once
// Physical keys as the original platform's virtual key codes (platform/ only).
#include <cstdint>

namespace platform {

// A key the original keyboard does not have.
constexpr int64_t unknownkeycode = 255;

// The original key code of the key at the same position as the given evdev key (the X11 and
// Wayland key code minus 8); unknownkeycode when that position has none.
int64_t keycodeofevdev(uint32_t evdev);

// The position of a Qt key when the platform gives no scan code: a US ANSI keyboard, with the
// keys of German caps (Umlauts, ß, ^, ´, <, +, #) where a German keyboard has them.
int64_t keycodeofqtkey(int qtkey, bool keypad);

// Keypad keys (the original sets the numeric-pad modifier for them).
bool iskeypadkeycode(int64_t keycode);
// Keys that type text in the main block, whatever the layout prints on them: not the keypad, nor
// Return, Tab, Backspace, Escape, the modifiers, function, navigation and media keys.
bool istypingkeycode(int64_t keycode);
// The character the original's keypad key produces (it has no Num Lock); 0 for other keys.
char32_t keypadcharacter(int64_t keycode);

} // namespace platform
