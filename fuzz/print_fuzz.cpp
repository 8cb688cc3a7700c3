// Byte streams with every control code, in every display mode, through t_Print and the other text
// commands, at every depth, in windows whose font has an odd cell size (made for it or set
// afterwards): video memory outside the window's two blocks never changes.
#include "display/videomemory.h"
#include "fuzz/support/toolkitfuzz.h"
#include "tests/support/testfonts.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

constexpr uint8_t n = 0;
constexpr size_t mostcommands = 48;
constexpr int64_t mostcells = 80 * 30;
constexpr int64_t largestglyphdata = 40; // larger cells keep their size but not their glyphs

int64_t cellside(fuzz::Reader& in) {
    return in.flag() ? in.within(1, 33) : in.extreme();
}

// A font of the given cell size; cells beyond the data's size read as blank.
t_Font oddfont(fuzz::Reader& in) {
    const int64_t width = cellside(in), height = cellside(in);
    t_Font font = makegreyfont(std::clamp<int64_t>(width, 1, largestglyphdata),
                               std::clamp<int64_t>(height, 1, largestglyphdata),
                               static_cast<uint8_t>(in.flag() ? 0 : in.byte()));
    font.Width = width;
    font.Height = height;
    if (in.byte() < 16) {
        static constexpr int64_t formats[] = {t_Font::Monochrome, t_Font::CompressedGrey, 7, -1};
        font.Format = in.pick(formats);
    }
    return font;
}

// A side of the window: mostly a whole number of cells (at most 80 columns or 30 lines, 640 by
// 400 pixels, so that clearing and scrolling stay quick) and a remainder, sometimes anything.
int64_t windowside(fuzz::Reader& in, int64_t cell, int64_t cells, int64_t pixels) {
    if (in.byte() >= 240) {
        return in.extreme();
    }
    if (cell < 1 || cell > largestglyphdata) {
        return in.within(1, pixels);
    }
    return std::min(in.within(1, cells) * cell + in.within(0, cell - 1), pixels);
}

void openwindow(fuzz::Reader& in) {
    static constexpr int64_t depths[] = {1, 4, 8, 16, 24, 32, 1, 4, 8, 16, 24, 32, 2, 0};
    const int64_t depth = in.pick(depths);
    const t_Font font = oddfont(in);
    const int64_t width = windowside(in, font.Width, 80, 640);
    const int64_t height = windowside(in, font.Height, 30, 400);
    t_InitWindow(n, depth, false, width, height, 0, 0, font, true);
    if (in.byte() < 64) {
        t_WindowFont(n, oddfont(in));
    }
    static constexpr int64_t modes[] = {0, 0, 0, 1, 2, 3, 4, 99, 5, -7};
    t_DisplayMode(n, in.pick(modes));
    static constexpr int64_t targets[] = {1, 1, 1, 1, 0, 2, 3};
    t_RedirectOutput(n, in.pick(targets));
    t_Color(n, in.within(-2, 17));
    if (in.flag()) {
        t_Htab(n, in.extreme());
        t_Vtab(n, in.extreme());
    }
}

std::vector<uint8_t> bytes(fuzz::Reader& in) {
    const std::string text = in.text(200);
    return {text.begin(), text.end()};
}

// Mostly t_Print; now and then another text command that moves, scrolls, clears or rules.
void command(fuzz::Reader& in) {
    const uint8_t which = in.byte();
    if (which < 120) {
        t_Print(n, bytes(in));
        return;
    }
    if (which < 200) {
        t_Print(n, in.text(200)); // UTF-8, scalars above 255 included
        return;
    }
    switch (which % 14) {
    case 0:
        t_PrintChar(n, in.byte());
        break;
    case 1:
        t_PrintSpc(n, in.within(-2, 300));
        break;
    case 2:
        t_PrintTab(n, in.within(-2, 300), in.byte());
        break;
    case 3:
        t_PrintControl(n, in.byte());
        break;
    case 4:
        t_Header(n, in.text(30), in.text(30));
        break;
    case 5:
        t_TextLine(n);
        break;
    case 6:
        t_TextHline(n, in.extreme(), in.extreme(), in.extreme(), in.byte());
        break;
    case 7:
        t_ScrollUp(n);
        break;
    case 8:
        t_ScrollDown(n);
        break;
    case 9:
        t_InvertRect(n, in.extreme(), in.extreme(), in.extreme(), in.extreme());
        break;
    case 10:
        t_PrintSymbol(n, in.byte(), in.byte(), in.extreme(), in.extreme());
        break;
    case 11:
        t_CursorOn(n);
        t_CursorOff(n);
        break;
    case 12:
        t_DisplayMode(n, in.within(-1, 100));
        break;
    default:
        t_WindowFont(n, oddfont(in));
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::MemoryGuard& memory = fuzz::startedmemory();
    fuzz::Reader in({data, size});
    openwindow(in);
    // A window of any side (an odd one becomes 1280 x 800) in one-pixel cells has a million of
    // them: every clear would take seconds. Such windows are only made.
    const display::t_Window& w = display::windowrecord(n);
    const bool quick = w.TextWidth * w.TextHeight <= mostcells;
    for (size_t i = 0; quick && i < mostcommands && !in.empty(); ++i) {
        command(in);
    }
    fuzz::require(memory.unchangedoutside(n));
    memory.refresh(n);
    return 0;
}
