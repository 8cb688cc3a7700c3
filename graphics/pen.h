#pragma once
// A drawing colour prepared for every depth, so that a line or a glyph converts it once and not
// per pixel.
#include "display/window.h"

#include <cstdint>

struct Pen {
    t_RGBColor colour; // depths 16, 24, 32
    uint8_t index = 0; // palette index at depths 1 (bright from 9 on) and 4
    uint8_t grey = 0;  // (Red + Green + Blue) / 3 at depths 8 and 16
};

// An explicit colour: its nearest palette entry stands for it at depths 1 and 4.
Pen colourpen(t_RGBColor colour, int64_t depth);
// The window's current colour: the TextColor foreground at depths 1 and 4, RGBColor elsewhere.
Pen windowpen(const t_Window& w);
