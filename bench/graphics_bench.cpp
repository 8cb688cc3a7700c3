// g_Line across a 1280 x 800 window, as the chart program draws its axes and curves.
//
// The benchmark brings up the offscreen application and creates its windows on the main thread,
// where the toolkit does platform work inline; no program thread is needed.
#include "bench/benchtoolkit.h"
#include "display/initwindow.h"
#include "display/palette.h"
#include "quorvinthal/toolkit.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int64_t width = 1280, height = 800;

// Window 0 has depth 4, window 1 depth 24.
uint8_t windowofdepth(int64_t depth) {
    return depth == 4 ? 0 : 1;
}

void setupwindows() {
    t_InitWindow(0, 4, false, width, height, 0, 0, t_Font{}, true);
    t_InitWindow(1, 24, false, width, height, 0, 0, t_Font{}, true);
    t_Color(0, t_Orange);
    t_Color(1, t_Orange);
}

// One line per iteration; items are the points plotted.
void linebench(benchmark::State& state, int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
    uint8_t n = windowofdepth(state.range(0));
    for (auto _ : state) {
        g_Line(n, x1, y1, x2, y2);
    }
    int64_t points = std::max(std::abs(x2 - x1), std::abs(y2 - y1)) + 1;
    state.SetItemsProcessed(state.iterations() * points);
}

void BM_LineHorizontal(benchmark::State& state) {
    linebench(state, 0, 400, width - 1, 400);
}
void BM_LineDiagonal(benchmark::State& state) {
    linebench(state, 0, 0, width - 1, height - 1);
}
void BM_LineVertical(benchmark::State& state) {
    linebench(state, 640, 0, 640, height - 1);
}
// Half the line lies outside the window.
void BM_LineHalfOutside(benchmark::State& state) {
    linebench(state, -width, 100, width - 1, 700);
}

// The same visible points, once from inside the window and once from a billion pixels away:
// only the visible part is walked, so both cost the same.
void linebench24(benchmark::State& state, int64_t x1) {
    for (auto _ : state) {
        g_Line(1, x1, 400, 640, 400);
    }
    state.SetItemsProcessed(state.iterations() * 641);
}
void BM_LineVisiblePart(benchmark::State& state) {
    linebench24(state, 0);
}
void BM_LineFromFarAway(benchmark::State& state) {
    linebench24(state, -1000000000);
}

// The chart's curves: a day's segment of about 40 x 30 pixels, 31 of them per curve.
void BM_LineChartSegments(benchmark::State& state) {
    uint8_t n = windowofdepth(state.range(0));
    for (auto _ : state) {
        for (int64_t day = 0; day < 31; ++day) {
            g_Line(n, 40 * day, 400 + (day % 2) * 30, 40 * day + 40, 430 - (day % 2) * 30);
        }
    }
    state.SetItemsProcessed(state.iterations() * 31 * 41);
}

// A day label of two characters of an 8 x 16 monochrome font.
void BM_PrintStringLabel(benchmark::State& state) {
    uint8_t n = windowofdepth(state.range(0));
    t_Font font;
    font.Start = 32;
    font.End = 127;
    font.Width = 8;
    font.Height = 16;
    font.Data.assign(96 * 16, 0x5A);
    t_RGBColor white{255, 255, 255, 255}, black{255, 0, 0, 0};
    for (auto _ : state) {
        g_GotoXY(n, 600, 700);
        g_PrintString(n, "31", 1, 1, white, black, font);
    }
    state.SetItemsProcessed(state.iterations() * 2 * 8 * 16);
}

BENCHMARK(BM_LineHorizontal)->Arg(4)->Arg(24);
BENCHMARK(BM_LineDiagonal)->Arg(4)->Arg(24);
BENCHMARK(BM_LineVertical)->Arg(4)->Arg(24);
BENCHMARK(BM_LineHalfOutside)->Arg(4)->Arg(24);
BENCHMARK(BM_LineVisiblePart);
BENCHMARK(BM_LineFromFarAway);
BENCHMARK(BM_LineChartSegments)->Arg(4)->Arg(24);
BENCHMARK(BM_PrintStringLabel)->Arg(4)->Arg(24);

} // namespace

int main(int argc, char** argv) {
    return runtoolkitbenchmarks(argc, argv, setupwindows);
}
