// g_Line plots the floating-point walk: positions accumulated from (x1, y1) by dx / steps and
// dy / steps, each coordinate plus one half truncated toward zero, then the end point. Walks longer
// than any window needs are clipped to the window first and computed exactly, so that a line from
// far away costs what its visible part costs.
//
// The lines are drawn in drawing mode 1 (each plot averages white into the pixel), so a pixel's
// value tells how often it was plotted: a point the walk visits twice must be plotted twice.
#include "tests/support/displayhelpers.h"

#include <cmath>
#include <cstring>
#include <map>

namespace {

constexpr int64_t MAX = INT64_MAX, MIN = INT64_MIN;

using Visits = std::map<Pos, int>; // how often each point was plotted

// Window 0, 24 bits, black, averaging the white drawing colour into every plotted pixel.
void averagingwindow(int64_t width, int64_t height) {
    graphicwindow(0, 24, width, height);
    t_Color(0, 15);
    windowrecord(0).DrawingMode = 1;
}

int64_t linemilliseconds = 0; // what the last g_Line took

// Draws the line from a cleared window and position (7, 7) and reads back the plots per pixel
// from the averaged red bytes: 0, 127, 191, 223, 239 ...
Visits drawn(int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
    const display::t_Window& w = windowrecord(0);
    std::memset(block(0), 0, w.Width * w.Height * 3);
    g_GotoXY(0, 7, 7);
    auto start = std::chrono::steady_clock::now();
    g_Line(0, x1, y1, x2, y2);
    linemilliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(
                           std::chrono::steady_clock::now() - start)
                           .count();
    static const std::map<int, int> counts = {{127, 1}, {191, 2}, {223, 3}, {239, 4}, {247, 5}};
    Visits visits;
    for (int64_t y = 0; y < w.Height; ++y) {
        for (int64_t x = 0; x < w.Width; ++x) {
            if (int v = block(0)[3 * (y * w.Width + x)]; v != 0) {
                visits[{x, y}] = counts.count(v) ? counts.at(v) : -v;
            }
        }
    }
    return visits;
}

} // namespace

// The end points, the runs of points visited (from x, y to x, y inclusive along a row, column or
// diagonal) in order, and the position after; each walk costs only its visible part.
TEST(Line, ExtremeEndPointsDrawTheVisiblePointsOfTheWalk) {
    setuptoolkit();
    averagingwindow(1280, 800);
    LogCapture log;
    const struct {
        int64_t x1, y1, x2, y2;
        Numbers runs;
        Pos last;
    } cases[] = {
        {MAX, MAX, 0, 0, {799, 799, 0, 0}, {0, 0}},
        {0, 0, MAX, MAX, {0, 0, 799, 799}, {799, 799}},
        // Positions -1 and 0 both round to 0, so the walk visits the origin twice.
        {MIN, MIN, MAX, MAX, {0, 0, 0, 0, 0, 0, 799, 799}, {799, 799}},
        {MIN, 400, MAX, 400, {0, 400, 0, 400, 0, 400, 1279, 400}, {1279, 400}},
        {MAX, MIN, MIN, MAX, {0, 0, 0, 0, 0, 0, 0, 0}, {0, 0}},
        {MIN, MIN, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}, {0, 0}},
        {MAX, 0, MIN, 799, {1279, 399, 0, 399, 0, 400, 0, 400}, {0, 400}},
        {MAX, 3, MIN, 700, {1279, 351, 0, 351, 0, 352, 0, 352}, {0, 352}},
        {MIN, 0, MAX, 799, {0, 399, 0, 399, 0, 400, 1279, 400}, {1279, 400}},
        {0, MIN, 1279, MAX, {639, 0, 639, 0, 640, 0, 640, 799}, {640, 799}},
        {5, MAX, 900, MIN, {452, 799, 452, 0, 453, 0, 453, 0}, {453, 0}},
        {-1000000000, 400, 640, 400, {0, 400, 0, 400, 0, 400, 640, 400}, {640, 400}},
        {MIN, MAX, MAX, MAX, {}, {7, 7}},
        // Short lines: steps of 1 and 0.5, a single point, leaving and entering the window.
        {0, 0, 3, 1, {0, 0, 1, 0, 2, 1, 3, 1}, {3, 1}},
        // Five additions of 0.3 to 2 give 3.4999…, which stays on row 3.
        {3, 2, 13, 5, {3, 2, 4, 2, 5, 3, 8, 3, 9, 4, 11, 4, 12, 5, 13, 5}, {13, 5}},
        {10, 30, 4, 27, {10, 30, 9, 30, 8, 29, 7, 29, 6, 28, 5, 28, 4, 27, 4, 27}, {4, 27}},
        {20, 20, 20, 20, {20, 20, 20, 20}, {20, 20}},
        {1276, 10, 1000000000, 10, {1276, 10, 1279, 10}, {1279, 10}},
        {-20, 20, 3, 20, {0, 20, 0, 20, 0, 20, 3, 20}, {3, 20}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x1 << ", " << c.y1 << " to " << c.x2 << ", " << c.y2);
        Visits expected;
        for (size_t r = 0; r < c.runs.size(); r += 4) {
            Pos p{c.runs[r], c.runs[r + 1]};
            const Pos to{c.runs[r + 2], c.runs[r + 3]};
            for (++expected[p]; p != to; ++expected[p]) {
                p.first += (to.first > p.first) - (to.first < p.first);
                p.second += (to.second > p.second) - (to.second < p.second);
            }
        }
        EXPECT_EQ(drawn(c.x1, c.y1, c.x2, c.y2), expected);
        EXPECT_EQ(position(0), c.last);
        EXPECT_LT(linemilliseconds, 20);
    }
    EXPECT_TRUE(log.lines().empty());
}

namespace {

// The walk as the reference text describes it, written on its own: steps = max(|dx|, |dy|), the
// increments dx / steps and dy / steps in double precision added up step by step, each coordinate
// rounded by adding 0.5 and truncating; then (x2, y2). Only points inside width × height count.
struct ReferenceWalk {
    Visits visits;
    Pos last{7, 7};
    ReferenceWalk(int64_t x1, int64_t y1, int64_t x2, int64_t y2, int64_t width, int64_t height) {
        auto plot = [&](int64_t x, int64_t y) {
            if (x >= 0 && y >= 0 && x < width && y < height) {
                ++visits[{x, y}];
                last = {x, y};
            }
        };
        const int64_t steps = std::max(std::abs(x2 - x1), std::abs(y2 - y1));
        if (steps >= 1) {
            const double sx = double(x2 - x1) / double(steps), sy = double(y2 - y1) / double(steps);
            double x = double(x1), y = double(y1);
            for (int64_t k = 0; k < steps; ++k, x += sx, y += sy) {
                plot(int64_t(std::trunc(x + 0.5)), int64_t(std::trunc(y + 0.5)));
            }
        }
        plot(x2, y2);
    }
};

} // namespace

// Steep, shallow, reversed and partly or wholly outside lines, a few of them millions of steps
// long, against the reference walk: the same pixels, as often, and the same final position.
TEST(Line, EveryPointOfTheFloatingPointWalkAndTheFinalPosition) {
    setuptoolkit();
    constexpr int64_t width = 64, height = 48;
    averagingwindow(width, height);
    std::mt19937_64 random(2024);
    std::uniform_int_distribution<int64_t> xs(-100, width + 100), ys(-100, height + 100);
    std::uniform_int_distribution<int64_t> far(-2'000'000, 2'000'000);
    int crossing = 0, steep = 0, reversed = 0;
    for (int i = 0; i < 1500; ++i) {
        int64_t x1 = xs(random), y1 = ys(random), x2 = xs(random), y2 = ys(random);
        if (i % 100 == 0) {
            (i % 200 == 0 ? x1 : y2) = far(random); // half-way rounding errors pile up
        }
        const ReferenceWalk expected(x1, y1, x2, y2, width, height);
        crossing += expected.visits.empty() ? 0 : 1;
        steep += std::abs(y2 - y1) > std::abs(x2 - x1) ? 1 : 0;
        reversed += x2 < x1 ? 1 : 0;
        ASSERT_EQ(drawn(x1, y1, x2, y2), expected.visits)
            << x1 << ", " << y1 << " to " << x2 << ", " << y2;
        ASSERT_EQ(position(0), expected.last) << x1 << ", " << y1 << " to " << x2 << ", " << y2;
    }
    EXPECT_GT(crossing, 500);
    EXPECT_GT(steep, 300);
    EXPECT_GT(reversed, 300);
}
