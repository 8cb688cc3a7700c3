#include "text/cells.h"

#include "display/videomemory.h"
#include "text/textchecks.h"

Cell readcell(const t_Window& w, int64_t x, int64_t y) {
    int64_t index = cellindex(w, x, y);
    if (index < 0) {
        return Cell{};
    }
    VideoLock guard(videolock());
    const uint8_t* characters = videomemory() + w.TextMemoryStart;
    return Cell{characters[index], characters[index + attributeoffset(w)]};
}
