// g_PrintSymbol: a glyph of any font at the graphics position, enlarged and cut at the edges.
#include "base/log.h"
#include "display/surface.h"
#include "display/videomemory.h"
#include "display/windowchanges.h"
#include "display/windowlookup.h"
#include "graphics/glyphs.h"
#include "graphics/pens.h"
#include "quorvinthal/toolkit.h"

#include <algorithm>

namespace graphics {

namespace {

// Marks the window rows the glyph covers (the caller holds the video lock).
void markglyphrows(uint8_t n, const display::Surface& s, const GlyphPlacement& place) {
    int64_t first = std::max<int64_t>(place.y, 0);
    int64_t end = std::min(advanced(place.y, place.rows, place.scaley), s.height);
    display::markrows(n, first, end - first);
}

// Monochrome pixels go the way of g_Plot: the drawing mode applies and a depth without a rule is
// refused once for every pixel that would have been drawn.
void printmono(uint8_t n, const display::Surface& s, const GlyphPlacement& place,
               const display::t_Window& w, const t_Font& font, uint8_t c, t_RGBColor foreground,
               t_RGBColor background) {
    if (!drawable(s, [&] { return glyphpixelsinside(s, place); })) {
        return;
    }
    display::Pen fg = colourpen(foreground, s.depth), bg = colourpen(background, s.depth);
    int64_t mode = w.DrawingMode;
    display::VideoLock guard(display::videolock());
    drawmonoglyph(s, place, font, c, fg, bg, mode);
    markglyphrows(n, s, place);
}

// A depth without a rule draws nothing.
void printgrey(uint8_t n, const display::Surface& s, const GlyphPlacement& place,
               const t_Font& font, uint8_t c, t_RGBColor foreground, t_RGBColor background) {
    if (s.pixels == nullptr) {
        return;
    }
    display::VideoLock guard(display::videolock());
    drawgreyglyph(s, place, font, c, foreground, background);
    markglyphrows(n, s, place);
}

} // namespace

} // namespace graphics

void g_PrintSymbol(uint8_t n, uint8_t c, int64_t scalex, int64_t scaley, t_RGBColor foreground,
                   t_RGBColor background, const t_Font& font) {
    display::t_Window* found = display::graphicwindow("g_PrintSymbol", n);
    if (found == nullptr) {
        return;
    }
    display::t_Window& w = *found;
    display::Surface surface = display::surfaceof(w);
    graphics::GlyphPlacement place{w.PositionX, w.PositionY, font.Width,
                                   font.Height, scalex,      scaley};
    // The fit test is the unscaled one; enlarged glyphs are cut at the edges instead.
    if (c < font.Start || c > font.End || scalex < 1 || scaley < 1 ||
        !graphics::fitsbefore(place.x, font.Width, surface.width) ||
        !graphics::fitsbefore(place.y, font.Height, surface.height)) {
        return;
    }
    switch (font.Format) {
    case t_Font::Monochrome:
        graphics::printmono(n, surface, place, w, font, c, foreground, background);
        break;
    case t_Font::Grey:
        graphics::printgrey(n, surface, place, font, c, foreground, background);
        break;
    case t_Font::CompressedMonochrome:
    case t_Font::CompressedGrey:
        base::logline(
            "g_PrintSymbol: Font format must be uncompressed monochrome or grey for printing.");
        break;
    default:
        base::logline("g_PrintSymbol: Illegal font format.");
        break;
    }
    w.PositionX = graphics::advanced(place.x, font.Width, scalex);
}
