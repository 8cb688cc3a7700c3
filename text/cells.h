#pragma once
// The text block: a character plane and, half the block further, an attribute plane, one byte
// per cell in each.
#include "display/window.h"

#include <cstdint>

namespace text {

// Index of cell (x, y) in each plane of the text block, or -1 when the cell is not in the grid.
int64_t cellindex(const display::t_Window& w, int64_t x, int64_t y);
// Half the text block: the offset of the attribute plane from the character plane.
int64_t attributeoffset(const display::t_Window& w);

struct Cell {
    uint8_t character = 32;
    uint8_t colour = 0;
};

// The recorded cell (x, y); a blank in colour 0 for a cell outside the grid.
Cell readcell(const display::t_Window& w, int64_t x, int64_t y);

} // namespace text
