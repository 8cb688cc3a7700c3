// Scrolling the text area: t_ScrollUp and t_ScrollDown.
#include "display/videomemory.h"
#include "display/windowchanges.h"
#include "display/windowlookup.h"
#include "quorvinthal/toolkit.h"
#include "text/cells.h"
#include "text/printsymbol.h"

#include <algorithm>
#include <cstring>

namespace text {

namespace {

// The window to scroll. The scroll commands stay silent while ScrollLock is set, even on a window
// that is not ready.
display::t_Window* scrollwindow(const char* command, uint8_t n) {
    display::t_Window* w = display::numberedwindow(command, n);
    if (w == nullptr || w->ScrollLock) {
        return nullptr;
    }
    return display::textwindow(command, n);
}

// Moves count bytes from source to target when both ranges lie within [low, high]; a range that
// reaches outside (a font of another cell size than the grid was made for) is cut to fit.
void moveinside(int64_t target, int64_t source, int64_t count, int64_t low, int64_t high) {
    if (count < 1 || target < low || source < low) {
        return;
    }
    count = std::min({count, high - target + 1, high - source + 1});
    if (count < 1) {
        return;
    }
    uint8_t* memory = display::videomemory();
    std::memmove(memory + target, memory + source, static_cast<size_t>(count));
}

struct ScrollGeometry {
    int64_t F, L, T, FW, FH, D, P, M, S, h;
};

ScrollGeometry geometryof(const display::t_Window& w) {
    return ScrollGeometry{w.TextFirstLine,   w.TextLastLine,    w.TextWidth, w.Font.Width,
                          w.Font.Height,     w.BitDepth,        w.Width,     w.MemoryStart,
                          w.TextMemoryStart, attributeoffset(w)};
}

// A font whose cells are larger than the window never draws (t_PrintSymbol refuses every cell),
// so there are no pixels to move, and its sizes could overflow the offsets.
bool haspixelstomove(const ScrollGeometry& g, int64_t height) {
    return g.FW >= 0 && g.FW <= g.P && g.FH >= 0 && g.FH <= height;
}

bool fullwidth(const display::t_Window& w) {
    return w.TextFirstColumn == 1 && w.TextLastColumn == w.TextWidth;
}

// The pixel rows of the text window's lines, which a block move changes.
void markmoved(uint8_t n, const ScrollGeometry& g) {
    display::markrows(n, (g.F - 1) * g.FH, (g.L - g.F + 1) * g.FH);
}

void moveblocksup(uint8_t n, const display::t_Window& w) {
    ScrollGeometry g = geometryof(w);
    int64_t textcount = g.T * g.L - g.T * g.F;
    int64_t textlow = w.TextMemoryStart, texthigh = w.TextMemoryEnd;
    display::VideoLock guard(display::videolock());
    moveinside(g.S + g.h + g.T * g.F - g.T, g.S + g.h + g.T * g.F, textcount, textlow, texthigh);
    moveinside(g.S + g.T * g.F - g.T, g.S + g.T * g.F, textcount, textlow, texthigh);
    if (haspixelstomove(g, w.Height)) {
        int64_t pixels = g.M + g.D * g.FH * g.F * g.P / 8;
        int64_t pixelcount = g.M + (g.FW * g.T + (g.FH * g.L - 1) * g.P) * g.D / 8 - pixels;
        moveinside(pixels - g.D * g.FH * g.P / 8, pixels, pixelcount, w.MemoryStart, w.MemoryEnd);
        markmoved(n, g);
    }
}

void moveblocksdown(uint8_t n, const display::t_Window& w) {
    ScrollGeometry g = geometryof(w);
    int64_t textcount = (g.L - g.F) * g.T;
    int64_t textlow = w.TextMemoryStart, texthigh = w.TextMemoryEnd;
    int64_t firsttext = g.T * (g.F - 1);
    display::VideoLock guard(display::videolock());
    moveinside(g.S + g.h + firsttext + g.T, g.S + g.h + firsttext, textcount, textlow, texthigh);
    moveinside(g.S + firsttext + g.T, g.S + firsttext, textcount, textlow, texthigh);
    if (haspixelstomove(g, w.Height)) {
        int64_t pixels = g.M + g.D * g.FH * (g.F - 1) * g.P / 8;
        int64_t pixelcount = g.M + (g.FW * g.T + (g.FH * (g.L - 1) - 1) * g.P) * g.D / 8 - pixels;
        moveinside(pixels + g.D * g.FH * g.P / 8, pixels, pixelcount, w.MemoryStart, w.MemoryEnd);
        markmoved(n, g);
    }
}

// Redraws the cells of line y from those of line y + offset, with their own colours.
void redrawline(uint8_t n, const display::t_Window& w, int64_t y, int64_t offset) {
    for (int64_t x = w.TextFirstColumn; x <= w.TextLastColumn; ++x) {
        Cell cell = readcell(w, x, y + offset);
        t_PrintSymbol(n, cell.character, cell.colour, x, y);
    }
}

template <typename Lines> void redrawwithoutinverse(display::t_Window& w, Lines lines) {
    bool inverse = w.TextInverse;
    w.TextInverse = false;
    lines();
    w.TextInverse = inverse;
}

void blankline(uint8_t n, const display::t_Window& w, int64_t line) {
    printrun(n, 32, w.TextColor, w.TextFirstColumn, w.TextLastColumn, line);
}

} // namespace

} // namespace text

void t_ScrollUp(uint8_t n) {
    display::t_Window* w = text::scrollwindow("t_ScrollUp", n);
    if (w == nullptr) {
        return;
    }
    int64_t first = w->TextFirstLine, last = w->TextLastLine;
    if (text::fullwidth(*w)) {
        text::moveblocksup(n, *w);
    } else {
        text::redrawwithoutinverse(*w, [&] {
            for (int64_t y = first; y <= last - 1; ++y) {
                text::redrawline(n, *w, y, +1);
            }
        });
    }
    text::blankline(n, *w, last);
}

void t_ScrollDown(uint8_t n) {
    display::t_Window* w = text::scrollwindow("t_ScrollDown", n);
    if (w == nullptr) {
        return;
    }
    int64_t first = w->TextFirstLine, last = w->TextLastLine;
    if (text::fullwidth(*w)) {
        text::moveblocksdown(n, *w);
    } else {
        text::redrawwithoutinverse(*w, [&] {
            for (int64_t y = last; y >= first + 1; --y) {
                text::redrawline(n, *w, y, -1);
            }
        });
    }
    text::blankline(n, *w, first);
}
