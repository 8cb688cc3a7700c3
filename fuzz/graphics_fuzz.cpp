// g_Plot, g_Line, g_GotoXY and g_PrintString/g_PrintSymbol with extreme coordinates, scales, fonts
// and drawing modes, at every depth: video memory outside the window's blocks never changes and no
// call takes long, however far its coordinates reach.
#include "display/videomemory.h"
#include "fuzz/support/toolkitfuzz.h"
#include "tests/support/testfonts.h"

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>

namespace {

constexpr uint8_t n = 0;
constexpr size_t mostcalls = 32;
constexpr auto longestcall = std::chrono::seconds(2);
constexpr int64_t largestglyphdata = 40;

t_RGBColor colour(fuzz::Reader& in) {
    return t_RGBColor{in.byte(), in.byte(), in.byte(), in.byte()};
}

// Monochrome or grey glyphs of any cell size; data for at most 40 x 40 pixels a glyph.
t_Font font(fuzz::Reader& in) {
    const int64_t width = in.flag() ? in.within(1, 33) : in.extreme();
    const int64_t height = in.flag() ? in.within(1, 33) : in.extreme();
    t_Font f = makegreyfont(std::clamp<int64_t>(width, 1, largestglyphdata),
                            std::clamp<int64_t>(height, 1, largestglyphdata), in.byte());
    f.End = in.flag() ? 255 : in.byte();
    static constexpr int64_t formats[] = {t_Font::Monochrome, t_Font::Grey,
                                          t_Font::CompressedMonochrome, t_Font::CompressedGrey, 9};
    f.Format = in.pick(formats);
    f.Width = width;
    f.Height = height;
    return f;
}

int64_t scale(fuzz::Reader& in) {
    return in.flag() ? in.within(-1, 40) : in.extreme();
}

void call(fuzz::Reader& in) {
    switch (in.byte() % 8) {
    case 0:
        g_Plot(n, in.extreme(), in.extreme(), colour(in));
        break;
    case 1:
        g_Plot(n, in.extreme(), in.extreme());
        break;
    case 2:
    case 3:
        g_Line(n, in.extreme(), in.extreme(), in.extreme(), in.extreme());
        break;
    case 4:
        g_GotoXY(n, in.extreme(), in.extreme());
        break;
    case 5: {
        const t_Font f = font(in);
        const int64_t sx = scale(in), sy = scale(in);
        g_PrintString(n, in.text(12), sx, sy, colour(in), colour(in), f);
        break;
    }
    case 6: {
        const t_Font f = font(in);
        const int64_t sx = scale(in), sy = scale(in);
        g_PrintSymbol(n, in.byte(), sx, sy, colour(in), colour(in), f);
        break;
    }
    default:
        display::windowrecord(n).DrawingMode = in.flag() ? in.within(-1, 6) : in.extreme();
        t_Color(n, in.within(-1, 16));
        (void)g_Scrn(n, in.extreme(), in.extreme());
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::MemoryGuard& memory = fuzz::startedmemory();
    fuzz::Reader in({data, size});
    static constexpr int64_t depths[] = {1, 4, 8, 16, 24, 32, 1, 4, 8, 16, 24, 32, 2, 0};
    const int64_t depth = in.pick(depths);
    const int64_t width = in.byte() < 240 ? in.within(1, 400) : in.extreme();
    const int64_t height = in.byte() < 240 ? in.within(1, 300) : in.extreme();
    t_InitWindow(n, depth, false, width, height, 0, 0, t_Font{}, true);
    for (size_t i = 0; i < mostcalls && !in.empty(); ++i) {
        const auto start = std::chrono::steady_clock::now();
        call(in);
        fuzz::require(std::chrono::steady_clock::now() - start < longestcall);
    }
    fuzz::require(memory.unchangedoutside(n));
    memory.refresh(n);
    return 0;
}
