#include "text/cells.h"

#include "display/videomemory.h"

namespace text {

int64_t cellindex(const display::t_Window& w, int64_t x, int64_t y) {
    int64_t columns = w.TextWidth, lines = w.TextHeight;
    if (x < 1 || y < 1 || x > columns || y > lines) {
        return -1;
    }
    int64_t index = (y - 1) * columns + (x - 1);
    return index < attributeoffset(w) ? index : -1;
}

int64_t attributeoffset(const display::t_Window& w) {
    return (w.TextMemoryEnd - w.TextMemoryStart + 1) / 2;
}

Cell readcell(const display::t_Window& w, int64_t x, int64_t y) {
    int64_t index = cellindex(w, x, y);
    if (index < 0) {
        return Cell{};
    }
    display::VideoLock guard(display::videolock());
    const uint8_t* characters = display::videomemory() + w.TextMemoryStart;
    return Cell{characters[index], characters[index + attributeoffset(w)]};
}

} // namespace text
