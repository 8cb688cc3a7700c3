#include "tests/support/displayhelpers.h"

#include "core/bridge.h"
#include "display/render.h"

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

platform::Image renderedimage(uint8_t n) {
    t_WindowVisible(n, true);
    return core::onmain([n] { return t_WindowImage(n); }).value_or(platform::Image{});
}
