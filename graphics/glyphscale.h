#pragma once
// Enlarged glyphs: each glyph pixel covers a block of window pixels, cut to the window.
#include "graphics/canvas.h"

#include <cstdint>

// Window pixels from (inclusive) to (exclusive) along one axis.
struct Span {
    int64_t from = 0;
    int64_t to = 0;
    bool empty() const { return from >= to; }
};

// The pixels covered by glyph pixel index along an axis: origin + index × scale, scale pixels
// wide, cut to 0 ... limit − 1. Safe against overflow for any scale of 1 or more.
Span scaledspan(int64_t origin, int64_t index, int64_t scale, int64_t limit);

// origin + count × scale, held at the largest Int instead of overflowing.
int64_t advanced(int64_t origin, int64_t count, int64_t scale);

// Where a glyph goes: its top left corner, its size in glyph pixels and its scales.
struct GlyphPlacement {
    int64_t x = 0, y = 0;
    int64_t columns = 0, rows = 0;
    int64_t scalex = 1, scaley = 1;
};

// Calls visit(row, column, xs, ys) for every glyph pixel that has window pixels inside the
// canvas, with the part of its block that lies inside: a glyph reaching past an edge is cut
// pixel by pixel there and never writes beyond it.
template <typename Visit>
void forglyphblocks(const Canvas& c, const GlyphPlacement& g, Visit visit) {
    for (int64_t r = 0; r < g.rows; ++r) {
        Span ys = scaledspan(g.y, r, g.scaley, c.height);
        if (ys.empty()) {
            continue;
        }
        for (int64_t i = 0; i < g.columns; ++i) {
            Span xs = scaledspan(g.x, i, g.scalex, c.width);
            if (!xs.empty()) {
                visit(r, i, xs, ys);
            }
        }
    }
}

// The number of window pixels the glyph covers inside the canvas.
int64_t glyphpixelsinside(const Canvas& c, const GlyphPlacement& g);
