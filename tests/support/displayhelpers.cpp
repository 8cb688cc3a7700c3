#include "tests/support/displayhelpers.h"

void graphicwindow(uint8_t n, int64_t depth, int64_t width, int64_t height, int64_t border) {
    t_InitWindow(n, depth, false, width, height, border, border, t_Font{}, true);
}

uint8_t* block(uint8_t n) {
    return display::videomemory() + display::windowrecord(n).MemoryStart;
}

std::vector<uint8_t> memorybytes(int64_t address, int64_t count) {
    const uint8_t* start = display::videomemory() + address;
    return std::vector<uint8_t>(start, start + count);
}
