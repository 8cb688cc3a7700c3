#pragma once
#include "text/font.h"

#include <cstdint>

// Gives window n another font; the text grid, the cursor and what is drawn stay as they are.
void t_WindowFont(uint8_t n, const t_Font& font);
