// g_Line: straight lines in the window's current colour.
#include "display/pixelformats.h"
#include "display/surface.h"
#include "display/videomemory.h"
#include "display/windowchanges.h"
#include "display/windowlookup.h"
#include "graphics/linewalk.h"
#include "graphics/pens.h"
#include "quorvinthal/toolkit.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace graphics {

namespace {

using display::Pen;
using display::Surface;

// Calls visit(x, y) for every point of the line from (x1, y1) to (x2, y2) that lies inside the
// surface, in order: the steps of the walk, then (x2, y2) itself.
template <typename Visit>
void walkline(const Surface& c, int64_t x1, int64_t y1, int64_t x2, int64_t y2, Visit visit) {
    eachstep(c, linewalk(c, x1, y1, x2, y2), visit);
    if (c.inside(x2, y2)) {
        visit(x2, y2);
    }
}

// The rows and the last point a line drew.
struct Drawn {
    int64_t top = std::numeric_limits<int64_t>::max(), bottom = -1;
    int64_t lastx = 0, lasty = 0;
    bool any() const { return bottom >= 0; }
    void add(int64_t x, int64_t y) {
        top = std::min(top, y);
        bottom = std::max(bottom, y);
        lastx = x;
        lasty = y;
    }
};

// Draws the steps inside the surface in one pixel format, compiled for it: a step costs a few
// instructions, so the pixel write is inlined instead of called through the surface's table. The
// loop works on local copies: a pixel write (a byte store) may alias any memory whose address is
// known, so values read through a reference would be read again at every point.
template <typename Format>
[[gnu::noinline]] Drawn drawsteps(const Surface& s, const LineWalk& walk, const Pen& pen,
                                  int64_t mode) {
    const Surface surface = s;
    const Pen ink = pen;
    Drawn drawn;
    eachstep(surface, walk, [&](int64_t px, int64_t py) {
        Format::put(surface.row(py), px, ink, mode);
        drawn.add(px, py);
    });
    return drawn;
}

// Draws the line's points that lie inside the surface and marks their rows (the caller holds the
// video lock and checked that the surface has pixels).
Drawn drawline(uint8_t n, const Surface& s, int64_t x1, int64_t y1, int64_t x2, int64_t y2,
               const Pen& pen, int64_t mode) {
    const LineWalk walk = linewalk(s, x1, y1, x2, y2);
    Drawn drawn = display::visitdepth(
        s.depth, [&]<typename Format>(Format) { return drawsteps<Format>(s, walk, pen, mode); },
        [] { return Drawn{}; });
    if (s.inside(x2, y2)) {
        s.put(x2, y2, pen, mode);
        drawn.add(x2, y2);
    }
    display::markrows(n, drawn.top, drawn.bottom - drawn.top + 1);
    return drawn;
}

} // namespace

} // namespace graphics

void g_Line(uint8_t n, int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
    display::t_Window* w = display::graphicwindow("g_Line", n);
    if (w == nullptr) {
        return;
    }
    display::Surface s = display::surfaceof(*w);
    // Every point inside the window is refused on its own.
    auto points = [&] {
        int64_t count = 0;
        graphics::walkline(s, x1, y1, x2, y2, [&](int64_t, int64_t) { ++count; });
        return count;
    };
    if (!graphics::drawable(s, points)) {
        return;
    }
    display::Pen pen = graphics::windowpen(*w);
    int64_t mode = w->DrawingMode;
    graphics::Drawn drawn;
    {
        display::VideoLock guard(display::videolock());
        drawn = graphics::drawline(n, s, x1, y1, x2, y2, pen, mode);
    }
    if (drawn.any()) {
        w->PositionX = drawn.lastx;
        w->PositionY = drawn.lasty;
    }
}
