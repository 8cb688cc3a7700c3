#include "core/log.h"
#include "display/videomemory.h"
#include "display/windowchanges.h"
#include "graphics/canvas.h"
#include "quorvinthal/toolkit.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace graphics {

namespace {

// Calls visit(x, y) for every point of the line from (x1, y1) to (x2, y2) that lies inside the
// canvas, in order: steps = max(|dx|, |dy|) points at accumulated positions x1 + k × dx / steps
// (rounded by adding 0.5 and truncating), then (x2, y2) itself.
template <typename Visit>
void walkline(const Canvas& c, int64_t x1, int64_t y1, int64_t x2, int64_t y2, Visit visit) {
    int64_t dx = x2 - x1, dy = y2 - y1;
    int64_t steps = std::max(std::abs(dx), std::abs(dy));
    if (steps >= 1) {
        double sx = static_cast<double>(dx) / static_cast<double>(steps);
        double sy = static_cast<double>(dy) / static_cast<double>(steps);
        double fx = static_cast<double>(x1), fy = static_cast<double>(y1);
        for (int64_t k = 0; k < steps; ++k, fx += sx, fy += sy) {
            int64_t x = static_cast<int64_t>(fx + 0.5), y = static_cast<int64_t>(fy + 0.5);
            if (inside(c, x, y)) {
                visit(x, y);
                continue;
            }
            // Positions only move one way, so once past an edge in the direction of travel no
            // later step can come back in: a long line out of the window ends here.
            if ((x >= c.width && sx >= 0) || (x < 0 && sx <= 0) || (y >= c.height && sy >= 0) ||
                (y < 0 && sy <= 0)) {
                break;
            }
        }
    }
    if (inside(c, x2, y2)) {
        visit(x2, y2);
    }
}

// Draws the line's points that lie inside the canvas and marks their rows (the caller holds the
// video lock). Returns false when none did; otherwise (lastx, lasty) is the last point drawn.
bool drawline(uint8_t n, const Canvas& c, int64_t x1, int64_t y1, int64_t x2, int64_t y2,
              const Pen& pen, int64_t mode, int64_t& lastx, int64_t& lasty) {
    bool drawn = false;
    int64_t top = c.height, bottom = -1;
    walkline(c, x1, y1, x2, y2, [&](int64_t x, int64_t y) {
        putpixel(c, x, y, pen, mode);
        lastx = x;
        lasty = y;
        top = std::min(top, y);
        bottom = std::max(bottom, y);
        drawn = true;
    });
    display::markrows(n, top, bottom - top + 1);
    return drawn;
}

} // namespace

} // namespace graphics

void g_Line(uint8_t n, int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
    if (!graphics::graphicwindowready("g_Line", n)) {
        return;
    }
    display::t_Window& w = display::windowrecord(n);
    graphics::Canvas c = graphics::windowcanvas(w);
    if (!graphics::drawabledepth(c.depth)) { // every point inside the window is refused on its own
        graphics::walkline(c, x1, y1, x2, y2,
                           [&](int64_t, int64_t) { graphics::logillegaldepth(c.depth); });
        return;
    }
    if (c.pixels == nullptr) {
        return;
    }
    graphics::Pen pen = graphics::windowpen(w);
    int64_t mode = w.DrawingMode;
    int64_t lastx = 0, lasty = 0;
    bool drawn = false;
    {
        display::VideoLock guard(display::videolock());
        drawn = graphics::drawline(n, c, x1, y1, x2, y2, pen, mode, lastx, lasty);
    }
    if (drawn) {
        w.PositionX = lastx;
        w.PositionY = lasty;
    }
}
