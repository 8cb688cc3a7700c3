#pragma once
// Key presses of the graphic-window views as key events, and waiting for them.
//
// The key table is keyed by the original platform's virtual key codes and tuned to a German
// layout: selected Option characters and dead keys become codes of the toolkit's fonts, the
// navigation keys the control codes of an old home computer (left 8, right 21, down 10, up 11).
#include "input/keyqueue.h"
#include "platform/platform.h"

#include <cstdint>
#include <string>

using platform::CapsLockModifier;
using platform::CommandModifier;
using platform::ControlModifier;
using platform::FunctionModifier;
using platform::HelpModifier;
using platform::NumericPadModifier;
using platform::OptionModifier;
using platform::ShiftModifier;

// The first function-key character (F1) and the value it gets: F1 is 129.
constexpr int64_t FirstFunctionKeyCharacter = 0xF704;
constexpr int64_t FunctionKeyOffset = 0xF683;

// Mods and the modifier flags of an event from the platform's modifier bits; bit 23 (function)
// means a function key for key events and is reported apart for mouse events, so the caller sets
// FnPressed or FunctionKeyPressed from it.
void setmodifierfields(t_Event& event, uint64_t modifierflags);

// Key down in view n (main thread): queues the key unless the window ignores events; sets the
// key-held flag in every case.
void viewKeyDown(uint8_t n, const platform::KeyPress& press);
// Key up in view n: clears the key-held flag.
void viewKeyUp(uint8_t n, const platform::KeyPress& press);
// A modifier key went down or up in view n.
void viewFlagsChanged(uint8_t n, uint64_t modifierflags);

// Translates one key press and appends at most one event.
void t_KeyEventHandler(uint8_t n, const platform::KeyPress& press);

// Waits for the next key (showing window n's text cursor meanwhile) and returns its value as a
// one-character string.
std::string t_GetKey(uint8_t n);
