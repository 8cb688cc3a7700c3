#pragma once
// Reading the text block.
#include "display/window.h"

#include <cstdint>

namespace text {

struct Cell {
    uint8_t character = 32;
    uint8_t colour = 0;
};

// The recorded cell (x, y); a blank in colour 0 for a cell outside the grid.
Cell readcell(const display::t_Window& w, int64_t x, int64_t y);

} // namespace text
