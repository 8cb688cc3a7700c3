#pragma once
// The palette index that stands for a colour on palette-based windows.
#include <cstdint>

// Greys go to one of the palette greys 0, 5, 10, 15 by their sum; other colours to the palette
// entry at the smallest squared distance, ties to the lower index.
uint8_t t_NearestColor(uint8_t red, uint8_t green, uint8_t blue);
