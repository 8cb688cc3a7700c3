// g_Line: straight lines in the window's current colour.
#include "display/pixelformats.h"
#include "display/surface.h"
#include "display/videomemory.h"
#include "display/windowchanges.h"
#include "display/windowlookup.h"
#include "graphics/pens.h"
#include "quorvinthal/toolkit.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <utility>

namespace graphics {

namespace {

// Coordinates, differences and their products reach far beyond 64 bits for int64 end points.
using Wide = __int128;
using UWide = unsigned __int128;
using display::Pen;
using display::Surface;

// One coordinate of the walk: at step k it is start + k × delta / steps, rounded by adding one
// half and truncating toward zero, computed exactly for any int64 start and delta.
class Axis {
  public:
    Axis(int64_t from, Wide delta, uint64_t stepcount)
        : start(from), magnitude(static_cast<uint64_t>(delta < 0 ? -delta : delta)),
          negative(delta < 0), steps(stepcount) {}

    // The coordinate keeps pace with the step: the longer axis, which moves one pixel a step.
    bool major() const { return magnitude == steps; }
    bool increasing() const { return !negative; }

    // k × |delta| / steps as a whole part and a remainder below steps.
    std::pair<uint64_t, uint64_t> quotient(uint64_t k) const {
        UWide product = static_cast<UWide>(k) * magnitude;
        return {static_cast<uint64_t>(product / steps), static_cast<uint64_t>(product % steps)};
    }

    Wide at(uint64_t k) const {
        auto [wholes, rest] = quotient(k);
        Wide base = static_cast<Wide>(start) + (negative ? -Wide{wholes} : Wide{wholes});
        return rounded(base, rest, steps, negative);
    }

    // start ± (q + r / steps) + 1/2 truncated toward zero, with base = start ± q.
    template <typename Int>
    static Int rounded(Int base, uint64_t rest, uint64_t steps, bool negative) {
        uint64_t other = steps - rest; // rest + 1/2 reaches a whole step when rest >= other
        Int floor = negative ? base - (rest > other ? 1 : 0) : base + (rest >= other ? 1 : 0);
        bool whole = rest == other;
        return floor >= 0 || whole ? floor : floor + 1; // truncation rounds negatives up
    }

  private:
    friend class AxisWalk;
    int64_t start;
    uint64_t magnitude;
    bool negative;
    uint64_t steps;
};

// The axis walked step by step from a visible step on, Bresenham's way. At a visible step the
// coordinate is 0 or more, so the truncation toward zero only matters for a floor of −1 (the
// position −1 + x with 0 < x < 1/2, drawn at 0), and the floor itself is
//     start ± floor((k × |delta| + c) / steps),  c = floor(steps / 2) going up and
//                                                c = ceil(steps / 2) − 1 going down.
// The quotient grows by at most one a step, so the walk keeps it as the coordinate's floor and
// the remainder of the division, which only adds |delta| each step. The floor stays within the
// window's reach, so 64 bits suffice.
class AxisWalk {
  public:
    AxisWalk(const Axis& a, uint64_t k)
        : magnitude(a.magnitude), steps(a.steps), carry(a.steps - a.magnitude),
          direction(a.negative ? -1 : 1) {
        uint64_t c = a.negative ? a.steps - a.steps / 2 - 1 : a.steps / 2;
        UWide numerator = static_cast<UWide>(k) * a.magnitude + c;
        auto quotient = static_cast<Wide>(numerator / steps);
        floor = static_cast<int64_t>(a.start + (a.negative ? -quotient : quotient));
        rest = static_cast<uint64_t>(numerator % steps);
    }
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

// Steps first ... last of the walk, empty when first > last.
struct StepRange {
    Wide first = 0;
    Wide last = -1;
    bool empty() const { return first > last; }
};

StepRange intersect(StepRange a, StepRange b) {
    return StepRange{std::max(a.first, b.first), std::min(a.last, b.last)};
}

// The steps at which a major axis lies in 0 ... limit − 1. It moves by one a step, so the
// bounds follow directly; the truncation puts position −1 on 0 as well.
StepRange majorrange(int64_t start, bool increasing, int64_t limit) {
    if (increasing) {
        return StepRange{Wide{-1} - start, Wide{limit} - 1 - start};
    }
    return StepRange{Wide{start} - limit + 1, Wide{start} + 1};
}

// The first step in range at which holds(k) is true, for holds false up to some step and true
// from there on; range.last + 1 when it never is. The range is at most a window side long.
template <typename Holds> Wide firststep(StepRange range, Holds holds) {
    Wide low = range.first, high = range.last + 1;
    while (low < high) {
        Wide middle = low + (high - low) / 2;
        if (holds(static_cast<uint64_t>(middle))) {
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    return low;
}

// The steps within range at which a minor axis lies in 0 ... limit − 1. Its coordinate is
// monotonic, so the steps inside form one run, found by halving.
StepRange minorrange(const Axis& axis, int64_t limit, StepRange range) {
    if (range.empty()) {
        return range;
    }
    auto below = [&](uint64_t k) { return axis.at(k) < 0; };
    auto beyond = [&](uint64_t k) { return axis.at(k) >= limit; };
    if (axis.increasing()) {
        return StepRange{firststep(range, [&](uint64_t k) { return !below(k); }),
                         firststep(range, beyond) - 1};
    }
    return StepRange{firststep(range, [&](uint64_t k) { return !beyond(k); }),
                     firststep(range, below) - 1};
}

// The steps whose points lie inside the surface.
StepRange visiblesteps(const Surface& c, const Axis& x, const Axis& y, int64_t x1, int64_t y1,
                       uint64_t steps) {
    StepRange range{0, Wide{steps} - 1};
    if (x.major()) {
        range = intersect(range, majorrange(x1, x.increasing(), c.width));
    }
    if (y.major()) {
        range = intersect(range, majorrange(y1, y.increasing(), c.height));
    }
    if (!x.major()) {
        range = minorrange(x, c.width, range);
    }
    if (!y.major()) {
        range = minorrange(y, c.height, range);
    }
    return range;
}

// The steps of a line that lie inside the surface: count steps from the first visible one on.
struct VisibleWalk {
    AxisWalk x, y;
    int64_t count;
};

// steps = max(|dx|, |dy|) points at positions x1 + k × dx / steps for k = 0 ... steps − 1
// (rounded by adding 0.5 and truncating toward zero), of which only those inside the surface are
// walked, so a line costs what its visible part costs. Nothing when none is inside.
std::optional<VisibleWalk> visiblewalk(const Surface& c, int64_t x1, int64_t y1, int64_t x2,
                                       int64_t y2) {
    Wide dx = Wide{x2} - x1, dy = Wide{y2} - y1;
    Wide longer = std::max(dx < 0 ? -dx : dx, dy < 0 ? -dy : dy);
    auto steps = static_cast<uint64_t>(longer);
    if (steps == 0) {
        return std::nullopt;
    }
    Axis x(x1, dx, steps), y(y1, dy, steps);
    StepRange range = visiblesteps(c, x, y, x1, y1, steps);
    if (range.empty()) {
        return std::nullopt;
    }
    auto first = static_cast<uint64_t>(range.first);
    return VisibleWalk{AxisWalk(x, first), AxisWalk(y, first),
                       static_cast<int64_t>(range.last - range.first + 1)};
}

// Calls visit(x, y) for every point of the line from (x1, y1) to (x2, y2) that lies inside the
// surface, in order: the visible steps of the walk, then (x2, y2) itself.
template <typename Visit>
void walkline(const Surface& c, int64_t x1, int64_t y1, int64_t x2, int64_t y2, Visit visit) {
    if (std::optional<VisibleWalk> walk = visiblewalk(c, x1, y1, x2, y2)) {
        for (int64_t i = 0; i < walk->count; ++i, walk->x.advance(), walk->y.advance()) {
            int64_t px = walk->x.value(), py = walk->y.value();
            if (c.inside(px, py)) {
                visit(px, py);
            }
        }
    }
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

// Draws the visible steps in one pixel format, compiled for it: a step costs a few instructions,
// so the pixel write is inlined instead of called through the surface's table. The loop works on
// local copies: a pixel write (a byte store) may alias any memory whose address is known, so
// values read through a reference would be read again at every point.
template <typename Format>
[[gnu::noinline]] Drawn drawsteps(const Surface& s, const VisibleWalk& walk, const Pen& pen,
                                  int64_t mode) {
    Surface surface = s;
    Pen ink = pen;
    AxisWalk x = walk.x, y = walk.y;
    int64_t count = walk.count, px = x.value(), py = y.value();
    // Every step of the range lies inside, and y runs one way: the first and the last step give
    // the rows drawn.
    Drawn drawn;
    drawn.add(px, py);
    for (int64_t i = 0; i < count; ++i, x.advance(), y.advance()) {
        px = x.value();
        py = y.value();
        if (surface.inside(px, py)) {
            Format::put(surface.row(py), px, ink, mode);
        }
    }
    drawn.add(px, py);
    return drawn;
}

// Draws the line's points that lie inside the surface and marks their rows (the caller holds the
// video lock and checked that the surface has pixels).
Drawn drawline(uint8_t n, const Surface& s, int64_t x1, int64_t y1, int64_t x2, int64_t y2,
               const Pen& pen, int64_t mode) {
    Drawn drawn;
    if (std::optional<VisibleWalk> walk = visiblewalk(s, x1, y1, x2, y2)) {
        drawn = display::visitdepth(
            s.depth,
            [&]<typename Format>(Format) { return drawsteps<Format>(s, *walk, pen, mode); },
            [] { return Drawn{}; });
    }
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
