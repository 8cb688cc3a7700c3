#include "text/cells.h"

#include "display/videomemory.h"

namespace text {

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
