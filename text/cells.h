#pragma once
// The text block: a character plane and, half the block further, an attribute plane, one byte
// per cell in each.
#include "display/window.h"

#include <cstdint>

namespace text {

// Half the text block: the offset of the attribute plane from the character plane.
inline int64_t attributeoffset(const display::t_Window& w) {
    return (w.TextMemoryEnd - w.TextMemoryStart + 1) / 2;
}

// Index of cell (x, y) in each plane of the text block, or -1 when the cell is not in the grid.
inline int64_t cellindex(const display::t_Window& w, int64_t x, int64_t y) {
    int64_t columns = w.TextWidth, lines = w.TextHeight;
    if (x < 1 || y < 1 || x > columns || y > lines) {
        return -1;
    }
    int64_t index = (y - 1) * columns + (x - 1);
    return index < attributeoffset(w) ? index : -1;
}

struct Cell {
    uint8_t character = 32;
    uint8_t colour = 0;
};

// The recorded cell (x, y); a blank in colour 0 for a cell outside the grid.
Cell readcell(const display::t_Window& w, int64_t x, int64_t y);

} // namespace text
