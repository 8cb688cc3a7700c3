#pragma once
// The line editor (t_InputForm, t_InputEdit, t_InputInsert): one line of typed input in a graphic
// window's text area, held in the window record's input fields and redrawn after every change.
// These are the pieces its files share.
#include <cstdint>
#include <string>

namespace input {

// Writes text from the start of the line, control characters shown visibly.
void redrawinput(uint8_t n, const std::string& text);

// Control-^: up to three digits typed next form a character code to insert.
void numericentry(uint8_t n);

// Control-L: the line, escape forms decoded, to the pasteboard.
void copyinputline(uint8_t n);
// Control-V: the first line of the pasteboard, as keys.
void pasteinputline();

} // namespace input
