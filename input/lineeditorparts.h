#pragma once
// Pieces of the line editor shared between its files.
#include <cstdint>
#include <string>

// Writes text from the start of the line, control characters shown visibly.
void redrawinput(uint8_t n, const std::string& text);

// Control-^: up to three digits typed next form a character code to insert.
void numericentry(uint8_t n);

// Control-L: the line, escape forms decoded, to the pasteboard.
void copyinputline(uint8_t n);
// Control-V: the first line of the pasteboard, as keys.
void pasteinputline();
