// The walks of g_Line: the floating-point one, and the exact one clipped to the window for walks
// longer than any window needs.
#include "graphics/linewalk.h"

#include <algorithm>
#include <utility>

namespace graphics {

// Coordinates, differences and their products reach far beyond 64 bits for int64 end points.
using Wide = __int128;
using UWide = unsigned __int128;
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

// At a visible step the coordinate is 0 or more, so the truncation toward zero only matters for a
// floor of −1 (the position −1 + x with 0 < x < 1/2, drawn at 0), and the floor itself is
//     start ± floor((k × |delta| + c) / steps),  c = floor(steps / 2) going up and
//                                                c = ceil(steps / 2) − 1 going down.
// The quotient grows by at most one a step, so the walk keeps it as the coordinate's floor and
// the remainder of the division, which only adds |delta| each step. The floor stays within the
// window's reach, so 64 bits suffice.
AxisWalk::AxisWalk(const Axis& a, uint64_t k)
    : magnitude(a.magnitude), steps(a.steps), carry(a.steps - a.magnitude),
      direction(a.negative ? -1 : 1) {
    uint64_t c = a.negative ? a.steps - a.steps / 2 - 1 : a.steps / 2;
    UWide numerator = static_cast<UWide>(k) * a.magnitude + c;
    auto quotient = static_cast<Wide>(numerator / steps);
    floor = static_cast<int64_t>(a.start + (a.negative ? -quotient : quotient));
    rest = static_cast<uint64_t>(numerator % steps);
}

namespace {

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

// Only the steps inside the surface are walked, so a line costs what its visible part costs.
LineWalk clippedwalk(const Surface& c, int64_t x1, int64_t y1, Wide dx, Wide dy, uint64_t steps) {
    Axis x(x1, dx, steps), y(y1, dy, steps);
    StepRange range = visiblesteps(c, x, y, x1, y1, steps);
    if (range.empty()) {
        return {};
    }
    auto first = static_cast<uint64_t>(range.first);
    return ClippedWalk{AxisWalk(x, first), AxisWalk(y, first),
                       static_cast<int64_t>(range.last - range.first + 1)};
}

} // namespace

LineWalk linewalk(const Surface& c, int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
    Wide dx = Wide{x2} - x1, dy = Wide{y2} - y1;
    Wide longer = std::max(dx < 0 ? -dx : dx, dy < 0 ? -dy : dy);
    auto steps = static_cast<uint64_t>(longer);
    if (steps == 0) {
        return {};
    }
    if (steps > longestfloatwalk) {
        return clippedwalk(c, x1, y1, dx, dy, steps);
    }
    const double count = static_cast<double>(steps);
    return FloatWalk{static_cast<double>(x1), static_cast<double>(y1),
                     static_cast<double>(dx) / count, static_cast<double>(dy) / count,
                     static_cast<int64_t>(steps)};
}

} // namespace graphics
