#pragma once
// The line editor (t_InputForm, t_InputEdit, t_InputInsert): one line of typed input in a graphic
// window's text area, held in the window record's input fields and redrawn after every change.
// These are the pieces its files share.
#include "display/window.h"

#include <cstdint>
#include <string>

namespace input {

// Writes text from the start of the line, control characters shown visibly.
void redrawinput(uint8_t n, const std::string& text);

// Characters the line can still take: the field's maximum and the text area's last column (which
// the line never reaches) both limit it.
int64_t roomleft(const display::t_Window& w);
// Inserts c at the cursor when there is room and the input mode accepts it; no redraw.
bool insertatcursor(display::t_Window& w, int64_t c);

// Control-^: up to three digits typed next form a character code to insert.
void numericentry(uint8_t n);

// Control-L: the line, escape forms decoded, to the pasteboard.
void copyinputline(uint8_t n);
// Control-V: the pasteboard's first line inserted at the cursor, as far as the field can take it.
void pasteinputline(uint8_t n);

} // namespace input
