// Frames of a 1280 x 800 window at depth 24 as the view gets them: the whole picture against the
// frame after one 16 x 32 glyph, which converts and repaints only the glyph's rows. Beside them
// t_WindowImage against Qt's own conversion of the same pixels to ARGB32 and a memcpy of the
// output size, in the same run. Last, a printed line drawn against the same line announced to a
// screen reader (the view's whole text taken, compared and the change handed to Qt), each beside
// the printing alone.
//
// The windows are made on the main thread, where the toolkit does its platform work inline.
#include "bench/benchtoolkit.h"
#include "display/initwindow.h"
#include "display/palette.h"
#include "display/render.h"
#include "display/videomemory.h"
#include "display/windowchanges.h"
#include "display/windowcommands.h"
#include "platform/widgets.h"
#include "quorvinthal/toolkit.h"

#include <QImage>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <unistd.h>

namespace {

constexpr int width = 1280, height = 800;

uint8_t windowofdepth(int64_t depth) {
    return depth == 4 ? 0 : 1;
}

void fillrandom(uint8_t* bytes, size_t count) {
    std::mt19937 random(7);
    for (size_t i = 0; i < count; ++i) {
        bytes[i] = static_cast<uint8_t>(random());
    }
}

void setupwindows() {
    t_InitWindow(0, 4, false, width, height, 0, 0, t_Font{}, true);
    t_InitWindow(1, 24, false, width, height, 0, 0, t_LoadFontResource(t_FontBold16x32), true);
    if (display::windowrecord(1).TextWidth != 80) {
        std::fprintf(stderr, "render_bench: the 16 x 32 font is missing\n");
        _exit(1);
    }
    for (uint8_t n : {0, 1}) {
        t_WindowVisible(n, true);
        const display::t_Window& w = display::windowrecord(n);
        display::VideoLock guard(display::videolock());
        fillrandom(display::videomemory() + w.MemoryStart,
                   static_cast<size_t>(w.MemoryEnd - w.MemoryStart));
        display::markwholewindow(n);
    }
    // Let the views be shown and painted once, so that later repaints reach them at once.
    platform::runeventsuntil([] { return false; }, 300);
    t_WindowUpdate(1, false);
    if (!display::pendingpart(1).empty()) {
        std::fprintf(stderr, "render_bench: the view does not paint\n");
        _exit(1);
    }
}

// The whole picture changed: all of it is converted and drawn by the view.
void BM_FullFrame(benchmark::State& state) {
    for (auto _ : state) {
        {
            display::VideoLock guard(display::videolock());
            display::markwholewindow(1);
        }
        t_WindowUpdate(1, false);
    }
    state.SetBytesProcessed(state.iterations() * width * height * 4);
}

// One glyph printed, then the frame that shows it: only its 32 rows are converted and drawn.
void BM_FrameAfterOneGlyph(benchmark::State& state) {
    int64_t i = 0;
    for (auto _ : state) {
        t_PrintSymbol(1, static_cast<uint8_t>(33 + i % 90), 0x9E, 1 + i % 80, 1 + (i / 80) % 25);
        t_WindowUpdate(1, false);
        ++i;
    }
}

void BM_WindowImage(benchmark::State& state) {
    uint8_t n = windowofdepth(state.range(0));
    platform::Image image;
    for (auto _ : state) {
        display::windowimageinto(n, image);
        benchmark::DoNotOptimize(image.pixels.data());
    }
    state.SetBytesProcessed(state.iterations() * width * height * 4);
}

QImage sourceimage(int64_t depth) {
    const display::t_Window& w = display::windowrecord(windowofdepth(depth));
    const uint8_t* block = display::videomemory() + w.MemoryStart;
    if (depth == 24) {
        return QImage(block, width, height, width * 3, QImage::Format_RGB888).copy();
    }
    // Qt has no 4-bit format; its nearest is one palette index per byte.
    QImage indexed(width, height, QImage::Format_Indexed8);
    QList<QRgb> table;
    for (int i = 0; i < 16; ++i) {
        t_RGBColor c = t_PaletteColor(i);
        table.append(qRgb(c.Red, c.Green, c.Blue));
    }
    indexed.setColorTable(table);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            indexed.scanLine(y)[x] = static_cast<uchar>(block[(y * width + x) / 2] >> 4);
        }
    }
    return indexed;
}

void BM_QtConvertToARGB32(benchmark::State& state) {
    QImage source = sourceimage(state.range(0));
    for (auto _ : state) {
        QImage converted = source.convertToFormat(QImage::Format_ARGB32);
        benchmark::DoNotOptimize(converted.constBits());
    }
    state.SetBytesProcessed(state.iterations() * width * height * 4);
}

void BM_MemcpyOfTheOutput(benchmark::State& state) {
    std::vector<uint32_t> from(width * height, 0xFF102030), to(width * height);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), to.size() * sizeof(uint32_t));
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * width * height * 4);
}

// A line of 70 characters that differs from the one printed before; it neither wraps nor scrolls.
void printline(int64_t i) {
    t_Vtab(1, 1 + i % 25);
    t_Htab(1, 1);
    t_Print(1, std::string(70, static_cast<char>(33 + i % 90)));
}

void BM_LinePrinted(benchmark::State& state) {
    int64_t i = 0;
    for (auto _ : state) {
        printline(i++);
    }
}

void BM_LinePrintedAndDrawn(benchmark::State& state) {
    int64_t i = 0;
    for (auto _ : state) {
        printline(i++);
        t_WindowUpdate(1, false);
    }
}

void BM_LinePrintedAndAnnounced(benchmark::State& state) {
    auto* view = reinterpret_cast<platform::GraphicView*>(display::windowrecord(1).View.load());
    int64_t i = 0;
    for (auto _ : state) {
        printline(i++);
        platform::announceviewtext(view);
    }
}

} // namespace

BENCHMARK(BM_FullFrame)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FrameAfterOneGlyph)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowImage)->Arg(24)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QtConvertToARGB32)->Arg(24)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemcpyOfTheOutput)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LinePrinted)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LinePrintedAndDrawn)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LinePrintedAndAnnounced)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv) {
    return runtoolkitbenchmarks(argc, argv, setupwindows);
}
