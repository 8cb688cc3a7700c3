// g_Line: straight lines in the window's current colour.
#include "core/log.h"
#include "display/videomemory.h"
#include "graphics/canvas.h"
#include "quorvinthal/toolkit.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace graphics {

namespace {

// A line that starts this many steps or more away from the canvas jumps to a few steps before it
// could first reach it instead of walking there point by point.
constexpr long double farsteps = 65536;
constexpr __int128 backoffsteps = 4;

// The steps after which a coordinate that moves from start by delta in steps steps can lie in
// [low, high]. Extended precision keeps the count within a step for any 64-bit coordinates.
long double stepsuntil(int64_t start, __int128 delta, __int128 steps, double low, double high) {
    const long double from = start, by = static_cast<long double>(delta);
    const long double count = static_cast<long double>(steps);
    if (by > 0 && from < low) {
        return (low - from) * count / by;
    }
    if (by < 0 && from > high) {
        return (from - high) * count / -by;
    }
    return 0;
}

double positionafter(int64_t start, __int128 delta, __int128 steps, __int128 k) {
    return static_cast<double>(start + static_cast<long double>(k) *
                                           static_cast<long double>(delta) /
                                           static_cast<long double>(steps));
}

// Calls visit(x, y) for every point of the line from (x1, y1) to (x2, y2) that lies inside the
// canvas, in order: steps = max(|dx|, |dy|) points at accumulated positions x1 + k × dx / steps
// (rounded by adding 0.5 and truncating), then (x2, y2) itself. The differences of any two
// coordinates fit in 128 bits, and positions are compared before they become integers.
template <typename Visit>
void walkline(const Canvas& c, int64_t x1, int64_t y1, int64_t x2, int64_t y2, Visit visit) {
    const __int128 dx = __int128{x2} - x1, dy = __int128{y2} - y1;
    const __int128 steps = std::max(dx < 0 ? -dx : dx, dy < 0 ? -dy : dy);
    if (steps >= 1) {
        const double sx = static_cast<double>(dx) / static_cast<double>(steps);
        const double sy = static_cast<double>(dy) / static_cast<double>(steps);
        const double width = static_cast<double>(c.width), height = static_cast<double>(c.height);
        // Outside [-2, width + 1] a position rounds to a point outside the canvas.
        const long double away = std::max(stepsuntil(x1, dx, steps, -2, width + 1),
                                          stepsuntil(y1, dy, steps, -2, height + 1));
        __int128 k = 0;
        if (away >= static_cast<long double>(steps)) {
            k = steps;
        } else if (away > farsteps) {
            k = static_cast<__int128>(away) - backoffsteps;
        }
        double fx = positionafter(x1, dx, steps, k), fy = positionafter(y1, dy, steps, k);
        for (; k < steps; ++k, fx += sx, fy += sy) {
            // Truncated, x + 0.5 lands in 0 ... width - 1 exactly when it lies in (-1, width).
            const double x = fx + 0.5, y = fy + 0.5;
            if (x > -1 && y > -1 && x < width && y < height) {
                visit(static_cast<int64_t>(x), static_cast<int64_t>(y));
                continue;
            }
            // Positions only move one way, so once past an edge in the direction of travel no
            // later step can come back in: a long line out of the window ends here.
            if ((x >= width && sx >= 0) || (x <= -1 && sx <= 0) || (y >= height && sy >= 0) ||
                (y <= -1 && sy <= 0)) {
                break;
            }
        }
    }
    if (inside(c, x2, y2)) {
        visit(x2, y2);
    }
}

// Draws the line's points that lie inside the canvas (the caller holds the video lock). Returns
// false when none did; otherwise (lastx, lasty) is the last point drawn.
bool drawline(const Canvas& c, int64_t x1, int64_t y1, int64_t x2, int64_t y2, const Pen& pen,
              int64_t mode, int64_t& lastx, int64_t& lasty) {
    bool drawn = false;
    walkline(c, x1, y1, x2, y2, [&](int64_t x, int64_t y) {
        putpixel(c, x, y, pen, mode);
        lastx = x;
        lasty = y;
        drawn = true;
    });
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
        drawn = graphics::drawline(c, x1, y1, x2, y2, pen, mode, lastx, lasty);
    }
    if (drawn) {
        w.PositionX = lastx;
        w.PositionY = lasty;
    }
}
