#pragma once
// Glyphs of any font at a pixel position (g_PrintSymbol, g_PrintString), each glyph pixel
// enlarged to a block of window pixels and cut at the window's edges.
//
// Monochrome glyphs are drawn pixel by pixel as g_Plot draws, set pixels in the foreground and
// clear ones in the background colour. In grey glyphs each glyph byte blends the
// foreground into the background colour, blended row by row into the graphic block as text cells
// are. On palette windows (depths 1 and
// 4) the pixel's colour is the same blend as on every other depth, g × F / 255 + (255 − g) × B /
// 255 per component: the bit is set when (red + green + blue) / 3 is 128 or more, the nibble takes
// the blend's nearest palette entry. Masking the glyph byte with the foreground instead would
// ignore the background, so dark ink on a light background would come out as ink on black; with the
// blend it looks as it does in text cells.
#include "display/pixelformats.h"
#include "display/surface.h"

#include <cstdint>

namespace graphics {

// Window pixels from (inclusive) to (exclusive) along one axis.
struct Span {
    int64_t from = 0;
    int64_t to = 0;
    bool empty() const { return from >= to; }
};

// The pixels covered by glyph pixel index along an axis: origin + index × scale, scale pixels
// wide, cut to 0 ... limit − 1. Safe against overflow for any scale of 1 or more.
Span scaledspan(int64_t origin, int64_t index, int64_t scale, int64_t limit);

// Whether a glyph of size pixels placed at origin ends within limit (origin <= limit - size),
// for any size a font record may hold.
bool fitsbefore(int64_t origin, int64_t size, int64_t limit);

// origin + count × scale, held at the largest int64_t instead of overflowing.
int64_t advanced(int64_t origin, int64_t count, int64_t scale);

// Where a glyph goes: its top left corner, its size in glyph pixels and its scales.
struct GlyphPlacement {
    int64_t x = 0, y = 0;
    int64_t columns = 0, rows = 0;
    int64_t scalex = 1, scaley = 1;
};

// Calls visit(row, column, xs, ys) for every glyph pixel that has window pixels inside the
// surface, with the part of its block that lies inside: a glyph reaching past an edge is cut
// pixel by pixel there and never writes beyond it.
template <typename Visit>
void forglyphblocks(const display::Surface& c, const GlyphPlacement& g, Visit visit) {
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

// The number of window pixels the glyph covers inside the surface.
int64_t glyphpixelsinside(const display::Surface& c, const GlyphPlacement& g);

// Row r of the glyph of code c as a number whose bit i is column i. Glyphs are stored from the
// font's Start on; rows are (Width + 7) / 8 bytes read big-endian, so only their last eight bytes
// count. Bytes past the end of Data read as 0.
uint64_t monorow(const t_Font& font, uint8_t c, int64_t r);

// Draws the glyph at its placement (the caller holds the video lock and checked that the surface
// has pixels).
void drawmonoglyph(const display::Surface& s, const GlyphPlacement& place, const t_Font& font,
                   uint8_t c, const display::Pen& foreground, const display::Pen& background,
                   int64_t mode);

// The glyph byte of code c at row r, column i (glyphs stored from code 0 on); 0 past the end of
// Data.
uint8_t greybyte(const t_Font& font, uint8_t c, int64_t r, int64_t i);

// Draws the glyph at its placement (the caller holds the video lock and checked that the surface
// has pixels).
void drawgreyglyph(const display::Surface& s, const GlyphPlacement& place, const t_Font& font,
                   uint8_t c, t_RGBColor foreground, t_RGBColor background);

} // namespace graphics
