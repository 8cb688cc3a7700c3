#pragma once
// Printing a symbol into a text cell (t_PrintSymbol), and a run of cells with the same symbol.
#include <cstdint>

namespace text {

// t_PrintSymbol; true when it drew the glyph and recorded the cell.
bool printsymbol(uint8_t n, uint8_t c, uint8_t k, int64_t x, int64_t y);

// The same as t_PrintSymbol for each cell first ... last of line y, left to right (blanking a
// line). Where the cells cover whole bytes the first cell is drawn and copied into the others.
void printrun(uint8_t n, uint8_t c, uint8_t k, int64_t first, int64_t last, int64_t y);

} // namespace text
