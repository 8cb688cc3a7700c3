#pragma once
// Drawing one character into a text cell of a graphic window.
#include <cstdint>

// Draws character c with colour byte k (high nibble foreground, low nibble background) into the
// cell at column x, line y (from 1) and records it in the text block. Does not move the cursor.
void t_PrintSymbol(uint8_t n, uint8_t c, uint8_t k, int64_t x, int64_t y);

// Where window n's text goes: 0 nowhere, 1 the window, 2 standard output.
void t_RedirectOutput(uint8_t n, int64_t target);
