#pragma once
// The keyboard and mouse state as the views report it: a key held, the modifier keys, the mouse
// buttons. Written only on the main thread, read anywhere.
#include "quorvinthal/toolkit.h"

#include <cstdint>

namespace events {

struct ModifierState {
    bool capslock = false;
    bool shift = false;
    bool control = false;
    bool option = false;
    bool command = false;
    bool fn = false;
};

// From platform modifier flags: bits 16 (Caps Lock), 17, 18, 19, 20 and 23 (Fn).
void refreshmodifierstate(uint64_t modifierflags);
ModifierState modifierstate();

void setkeyheld(bool held);
bool keyheld();

// The last mouse-down in any graphic window sets its button's flag and clears the other; any
// mouse-up clears both.
void setmousebuttons(bool left, bool right);
bool leftmousebutton();
bool rightmousebutton();

// Mods and the modifier flags of an event from the platform's modifier bits; bit 23 (function)
// means a function key for key events and is reported apart for mouse events, so the caller sets
// FnPressed or FunctionKeyPressed from it.
void setmodifierfields(t_Event& event, uint64_t modifierflags);

} // namespace events
