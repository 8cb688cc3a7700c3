#pragma once
// Single pixels and the graphics position of a graphic window.
#include "display/window.h"

#include <cstdint>

// Sets pixel (x, y) to color and moves the graphics position there. Outside the window nothing
// happens.
void g_Plot(uint8_t n, int64_t x, int64_t y, t_RGBColor color);
// The same with the window's current colour (TextColor at depths 1 and 4, RGBColor elsewhere).
void g_Plot(uint8_t n, int64_t x, int64_t y);

// The colour of pixel (x, y); (255, 0, 0, 0) outside the window or for a window that cannot be
// read.
t_RGBColor g_Scrn(uint8_t n, int64_t x, int64_t y);

// Moves the graphics position; negative values leave it alone, values past the window do not.
void g_GotoXY(uint8_t n, int64_t x, int64_t y);
