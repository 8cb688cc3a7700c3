#pragma once
// The points g_Line visits: max(|dx|, |dy|) steps from (x1, y1), each at the position reached by
// adding dx / steps and dy / steps to the previous one in floating point, rounded by adding one
// half and truncating toward zero; then the end point itself. A walk of more steps than any
// window needs is clipped to the window first and computed exactly, so that a line from far away
// costs what its visible part costs.
#include "display/surface.h"

#include <cstdint>
#include <variant>

namespace graphics {

// Longer walks are clipped first: the floating-point walk of every step would take seconds.
constexpr uint64_t longestfloatwalk = uint64_t{1} << 22;

// Steps 0 ... count − 1 of the floating-point walk.
struct FloatWalk {
    double x = 0, y = 0, sx = 0, sy = 0;
    int64_t count = 0;

    // Calls visit(px, py) for the steps whose pixel lies inside width × height. A coordinate c
    // truncates into 0 ... limit − 1 exactly when −1 < c + 1/2 < limit.
    template <typename Visit> void each(int64_t width, int64_t height, Visit visit) const {
        const double right = static_cast<double>(width), bottom = static_cast<double>(height);
        const double stepx = sx, stepy = sy;
        double px = x, py = y;
        for (int64_t k = 0; k < count; ++k, px += stepx, py += stepy) {
            const double cx = px + 0.5, cy = py + 0.5;
            if (cx > -1.0 && cx < right && cy > -1.0 && cy < bottom) {
                visit(static_cast<int64_t>(cx), static_cast<int64_t>(cy));
            }
        }
    }
};

class Axis;

// One coordinate of the exact walk, stepped Bresenham's way from a visible step on.
class AxisWalk {
  public:
    AxisWalk(const Axis& axis, uint64_t k);
    int64_t value() const { return floor < 0 ? 0 : floor; }
    void advance() {
        bool wraps = rest >= carry; // rest + |delta| >= steps, without overflowing
        rest = wraps ? rest - carry : rest + magnitude;
        floor += wraps ? direction : 0;
    }

  private:
    // Copies, not a reference to the axis: the pixel writes between steps could alias it.
    uint64_t magnitude, steps, carry;
    int64_t direction;
    int64_t floor = 0;
    uint64_t rest = 0;
};

// The steps of a long walk that lie inside the window: count steps from the first visible one on,
// at the exact positions x1 + k × dx / steps (no floating-point accumulation).
struct ClippedWalk {
    AxisWalk x, y;
    int64_t count;

    template <typename Visit> void each(int64_t width, int64_t height, Visit visit) const {
        AxisWalk px = x, py = y; // local copies stay in registers across the pixel writes
        for (int64_t i = 0; i < count; ++i, px.advance(), py.advance()) {
            const int64_t cx = px.value(), cy = py.value();
            if (cx < width && cy < height) {
                visit(cx, cy);
            }
        }
    }
};

// No steps (a single point, or a long walk that misses the window), or one of the two walks.
using LineWalk = std::variant<std::monostate, FloatWalk, ClippedWalk>;

LineWalk linewalk(const display::Surface& c, int64_t x1, int64_t y1, int64_t x2, int64_t y2);

// Calls visit(px, py) for every step of the walk inside the surface, in order.
template <typename Visit>
void eachstep(const display::Surface& c, const LineWalk& walk, Visit visit) {
    if (const auto* floating = std::get_if<FloatWalk>(&walk)) {
        floating->each(c.width, c.height, visit);
    } else if (const auto* clipped = std::get_if<ClippedWalk>(&walk)) {
        clipped->each(c.width, c.height, visit);
    }
}

} // namespace graphics
