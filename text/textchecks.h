#pragma once
// The window checks every text command starts with.
#include "display/videomemory.h"

#include <cstdint>

namespace text {

// Window n is graphic, the memory is ready, the window initialised and it has a text block;
// otherwise the command's line is logged and false returned.
bool textcommandready(const char* command, uint8_t n);
// The same without requiring a text block.
bool windowcommandready(const char* command, uint8_t n);

// Index of cell (x, y) in each plane of the text block, or -1 when the cell is not in the grid.
int64_t cellindex(const display::t_Window& w, int64_t x, int64_t y);
// Half the text block: the offset of the attribute plane from the character plane.
int64_t attributeoffset(const display::t_Window& w);

} // namespace text
