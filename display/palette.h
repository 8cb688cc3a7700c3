#pragma once
// The fixed 16-colour palette and the commands that set a window's colours.
#include "display/window.h"

#include <array>
#include <cstdint>

struct Palette {
    std::array<uint8_t, 16> Red;
    std::array<uint8_t, 16> Green;
    std::array<uint8_t, 16> Blue;
};

const Palette& palette();

// (255, Red, Green, Blue) of the index; (255, 0, 0, 0) outside 0 ... 15.
t_RGBColor t_PaletteColor(int64_t index);

// Text foreground and drawing colour of window n (low four bits of color).
void t_Color(uint8_t n, int64_t color);
// Border colour of window n (low four bits of color).
void t_ColorBorder(uint8_t n, int64_t color);
