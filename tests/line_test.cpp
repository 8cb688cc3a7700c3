// g_Line walks only the part of a line inside the window, for any int64 end points, and draws
// exactly the points of the whole walk that lie inside: positions x1 + k × dx / steps for k = 0
// ... steps − 1, each plus one half truncated toward zero, then the end point.
//
// The lines are drawn in drawing mode 1 (each plot averages white into the pixel), so a pixel's
// value tells how often it was plotted: a point the walk visits twice must be plotted twice.
#include "display/videomemory.h"
#include "quorvinthal/toolkit.h"
#include "tests/support/logcapture.h"
#include "tests/support/toolkit.h"

#include <chrono>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <map>
#include <random>
#include <utility>
#include <vector>

namespace {

constexpr int64_t MAX = std::numeric_limits<int64_t>::max();
constexpr int64_t MIN = std::numeric_limits<int64_t>::min();

using Point = std::pair<int64_t, int64_t>;
using Visits = std::map<Point, int>; // how often each point was plotted

// A 24-bit window, black, that averages the white drawing colour into every plotted pixel.
void averagingwindow(uint8_t n, int64_t width, int64_t height) {
    t_InitWindow(n, 24, false, width, height, 0, 0, t_Font{}, true);
    t_Color(n, 15);
    display::windowrecord(n).DrawingMode = 1;
}

void clear(uint8_t n) {
    const display::t_Window& w = display::windowrecord(n);
    display::VideoLock guard(display::videolock());
    std::memset(display::videomemory() + w.MemoryStart, 0, w.Width * w.Height * 3);
}

// The plots per pixel, read back from the averaged red bytes: 0, 127, 191, 223, 239 ...
Visits plotted(uint8_t n) {
    const display::t_Window& w = display::windowrecord(n);
    static const std::map<int, int> counts = {{127, 1}, {191, 2}, {223, 3}, {239, 4}, {247, 5}};
    Visits visits;
    display::VideoLock guard(display::videolock());
    const uint8_t* block = display::videomemory() + w.MemoryStart;
    for (int64_t y = 0; y < w.Height; ++y) {
        for (int64_t x = 0; x < w.Width; ++x) {
            int v = block[3 * (y * w.Width + x)];
            if (v != 0) {
                visits[{x, y}] = counts.count(v) ? counts.at(v) : -v;
            }
        }
    }
    return visits;
}

Point position(uint8_t n) {
    return {display::windowrecord(n).PositionX, display::windowrecord(n).PositionY};
}

// The points from a to b inclusive, one step at a time along a row, a column or a diagonal.
void addrun(Visits& visits, Point a, Point b) {
    int64_t sx = (b.first > a.first) - (b.first < a.first);
    int64_t sy = (b.second > a.second) - (b.second < a.second);
    for (Point p = a;; p.first += sx, p.second += sy) {
        ++visits[p];
        if (p == b) {
            break;
        }
    }
}

} // namespace

TEST(Line, ExtremeEndPointsDrawTheVisiblePointsOfTheWalk) {
    setuptoolkit();
    averagingwindow(0, 1280, 800);
    LogCapture log;
    const struct {
        const char* what;
        int64_t x1, y1, x2, y2;
        std::vector<std::pair<Point, Point>> runs; // the visits, in order
        Point last;
    } cases[] = {
        {"from the far corner to the origin", MAX, MAX, 0, 0, {{{799, 799}, {0, 0}}}, {0, 0}},
        {"from the origin to the far corner", 0, 0, MAX, MAX, {{{0, 0}, {799, 799}}}, {799, 799}},
        // Positions -1 and 0 both round to 0, so the walk visits the origin twice.
        {"corner to corner",
         MIN,
         MIN,
         MAX,
         MAX,
         {{{0, 0}, {0, 0}}, {{0, 0}, {799, 799}}},
         {799, 799}},
        {"along row 400",
         MIN,
         400,
         MAX,
         400,
         {{{0, 400}, {0, 400}}, {{0, 400}, {1279, 400}}},
         {1279, 400}},
        {"through the origin, falling",
         MAX,
         MIN,
         MIN,
         MAX,
         {{{0, 0}, {0, 0}}, {{0, 0}, {0, 0}}},
         {0, 0}},
        {"from the negative corner to the origin",
         MIN,
         MIN,
         0,
         0,
         {{{0, 0}, {0, 0}}, {{0, 0}, {0, 0}}},
         {0, 0}},
        {"shallow, right to left",
         MAX,
         0,
         MIN,
         799,
         {{{1279, 399}, {0, 399}}, {{0, 400}, {0, 400}}},
         {0, 400}},
        {"shallow, left to right",
         MIN,
         0,
         MAX,
         799,
         {{{0, 399}, {0, 399}}, {{0, 400}, {1279, 400}}},
         {1279, 400}},
        {"steep", 0, MIN, 1279, MAX, {{{639, 0}, {639, 0}}, {{640, 0}, {640, 799}}}, {640, 799}},
        {"from x = -1e9",
         -1000000000,
         400,
         640,
         400,
         {{{0, 400}, {0, 400}}, {{0, 400}, {640, 400}}},
         {640, 400}},
        {"never inside", MIN, MAX, MAX, MAX, {}, {7, 7}},
    };
    for (const auto& c : cases) {
        clear(0);
        g_GotoXY(0, 7, 7);
        g_Line(0, c.x1, c.y1, c.x2, c.y2);
        Visits expected;
        for (const auto& [from, to] : c.runs) {
            addrun(expected, from, to);
        }
        EXPECT_EQ(plotted(0), expected) << c.what;
        EXPECT_EQ(position(0), c.last) << c.what;
    }
    EXPECT_TRUE(log.lines().empty());
}

// The whole walk of every step, with exact integer rounding, against what g_Line drew.
TEST(Line, ClippedWalkMatchesTheWholeWalkForRandomSegments) {
    setuptoolkit();
    LogCapture log;
    constexpr int64_t width = 64, height = 48;
    averagingwindow(0, width, height);
    std::mt19937_64 random(2024);
    std::uniform_int_distribution<int64_t> xs(-300, width + 300), ys(-300, height + 300);
    int crossing = 0;
    for (int i = 0; i < 3000; ++i) {
        int64_t x1 = xs(random), y1 = ys(random), x2 = xs(random), y2 = ys(random);
        int64_t dx = x2 - x1, dy = y2 - y1, steps = std::max(std::abs(dx), std::abs(dy));
        Visits expected;
        Point last{7, 7};
        auto visit = [&](int64_t x, int64_t y) {
            if (x >= 0 && y >= 0 && x < width && y < height) {
                ++expected[{x, y}];
                last = {x, y};
            }
        };
        for (int64_t k = 0; k < steps; ++k) {
            // (x1 + k dx / steps + 1/2) over a common denominator; C++ division truncates.
            visit((2 * x1 * steps + 2 * k * dx + steps) / (2 * steps),
                  (2 * y1 * steps + 2 * k * dy + steps) / (2 * steps));
        }
        visit(x2, y2);
        crossing += expected.empty() ? 0 : 1;
        clear(0);
        g_GotoXY(0, 7, 7);
        g_Line(0, x1, y1, x2, y2);
        ASSERT_EQ(plotted(0), expected) << x1 << ", " << y1 << " to " << x2 << ", " << y2;
        ASSERT_EQ(position(0), last) << x1 << ", " << y1 << " to " << x2 << ", " << y2;
    }
    EXPECT_GT(crossing, 300);
}

TEST(Line, CostDependsOnTheVisiblePartOnly) {
    setuptoolkit();
    LogCapture log;
    averagingwindow(0, 1280, 800);
    const int64_t lines[][4] = {
        {-1000000000, 400, 640, 400}, {MIN, MIN, MAX, MAX}, {MAX, 3, MIN, 700}, {5, MAX, 900, MIN}};
    for (const auto& l : lines) {
        auto start = std::chrono::steady_clock::now();
        g_Line(0, l[0], l[1], l[2], l[3]);
        auto took = std::chrono::steady_clock::now() - start;
        EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(took).count(), 20)
            << l[0] << ", " << l[1] << " to " << l[2] << ", " << l[3];
    }
}
