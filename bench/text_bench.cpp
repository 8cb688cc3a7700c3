// Glyphs per second of t_PrintSymbol with the application's 16 x 32 font, and t_ScrollUp of a
// full 80 x 25 window against a memmove of the same bytes, in the same run.
#include "bench/benchtoolkit.h"
#include "display/initwindow.h"
#include "display/videomemory.h"
#include "formats/fontloader.h"
#include "quorvinthal/toolkit.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace {

uint8_t windowofdepth(int64_t depth) {
    return depth == 4 ? 0 : 1;
}

void setupwindows() {
    t_InitWindow(0, 4, 80, 25, 0, t_FontBold16x32);
    t_InitWindow(1, 24, 80, 25, 0, t_FontBold16x32);
    if (!display::windowrecord(0).Initialized || !display::windowrecord(1).Initialized) {
        std::fprintf(stderr, "text_bench: the windows could not be made (fonts missing?)\n");
        _exit(1);
    }
}

void BM_PrintSymbol(benchmark::State& state) {
    uint8_t n = windowofdepth(state.range(0));
    int64_t i = 0;
    for (auto _ : state) {
        t_PrintSymbol(n, static_cast<uint8_t>(33 + i % 90), 0x9E, 1 + i % 80, 1 + (i / 80) % 25);
        ++i;
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_ScrollUp(benchmark::State& state) {
    for (auto _ : state) {
        t_ScrollUp(1);
    }
}

// The bytes a full-window scroll moves: 24 of 25 text lines of pixels and both text planes.
void BM_MemmoveOfTheScrolledBytes(benchmark::State& state) {
    const display::t_Window& w = display::windowrecord(1);
    int64_t linebytes = w.Width * 3 * w.Font.Height;
    uint8_t* pixels = display::videomemory() + w.MemoryStart;
    for (auto _ : state) {
        std::memmove(pixels, pixels + linebytes, static_cast<size_t>(24 * linebytes));
        std::memmove(display::videomemory() + w.TextMemoryStart,
                     display::videomemory() + w.TextMemoryStart + 80, 24 * 80);
        std::memmove(display::videomemory() + w.TextMemoryStart + 2048,
                     display::videomemory() + w.TextMemoryStart + 2048 + 80, 24 * 80);
        benchmark::ClobberMemory();
    }
}

} // namespace

BENCHMARK(BM_PrintSymbol)->Arg(24)->Arg(4);
BENCHMARK(BM_ScrollUp)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MemmoveOfTheScrolledBytes)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    return runtoolkitbenchmarks(argc, argv, setupwindows);
}
