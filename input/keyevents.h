#pragma once
// Key presses of the graphic-window views as key events (t_KeyEventHandler); t_GetKey waits for
// them (input/getkey.cpp).
//
// The key table is keyed by the original platform's virtual key codes and tuned to a German
// layout: selected Option characters and dead keys become codes of the toolkit's fonts, the
// navigation keys the control codes of an old home computer (left 8, right 21, down 10, up 11).
#include "platform/platform.h"

#include <cstdint>

namespace input {

// The first function-key character (F1) and the value it gets: F1 is 129.
constexpr int64_t firstfunctionkeycharacter = 0xF704;
constexpr int64_t functionkeyoffset = 0xF683;

// Key down in view n (main thread): queues the key unless the window ignores events; sets the
// key-held flag in every case.
void viewkeydown(uint8_t n, const platform::KeyPress& press);
// Key up in view n: clears the key-held flag.
void viewkeyup(uint8_t n, const platform::KeyPress& press);
// A modifier key went down or up in view n.
void viewflagschanged(uint8_t n, uint64_t modifierflags);

} // namespace input

// Translates one key press and appends at most one event.
void t_KeyEventHandler(uint8_t n, const platform::KeyPress& press);
