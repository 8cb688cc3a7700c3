#include "graphics/graphictext.h"

#include "core/log.h"
#include "display/videomemory.h"
#include "graphics/graphicchecks.h"
#include "graphics/greyglyph.h"
#include "graphics/monoglyph.h"
#include "input/graphemes.h"

namespace {

// Monochrome pixels go the way of g_Plot: the drawing mode applies and a depth without a rule is
// refused once for every pixel that would have been drawn.
void printmono(const Canvas& canvas, const GlyphPlacement& place, const t_Window& w,
               const t_Font& font, uint8_t c, t_RGBColor foreground, t_RGBColor background) {
    if (!drawabledepth(canvas.depth)) {
        for (int64_t k = glyphpixelsinside(canvas, place); k > 0; --k) {
            logillegaldepth(canvas.depth);
        }
        return;
    }
    if (canvas.pixels == nullptr) {
        return;
    }
    Pen fg = colourpen(foreground, canvas.depth), bg = colourpen(background, canvas.depth);
    int64_t mode = w.DrawingMode;
    VideoLock guard(videolock());
    drawmonoglyph(canvas, place, font, c, fg, bg, mode);
}

void printgrey(const Canvas& canvas, const GlyphPlacement& place, const t_Font& font, uint8_t c,
               t_RGBColor foreground, t_RGBColor background) {
    if (canvas.pixels == nullptr) {
        return;
    }
    VideoLock guard(videolock());
    drawgreyglyph(canvas, place, font, c, foreground, background);
}

} // namespace

void g_PrintSymbol(uint8_t n, uint8_t c, int64_t scalex, int64_t scaley, t_RGBColor foreground,
                   t_RGBColor background, const t_Font& font) {
    if (!graphicwindowready("g_PrintSymbol", n)) {
        return;
    }
    t_Window& w = windowrecord(n);
    Canvas canvas = windowcanvas(w);
    GlyphPlacement place{w.PositionX, w.PositionY, font.Width, font.Height, scalex, scaley};
    // The fit test is the unscaled one; enlarged glyphs are cut at the edges instead.
    if (c < font.Start || c > font.End || scalex < 1 || scaley < 1 ||
        place.x > canvas.width - font.Width || place.y > canvas.height - font.Height) {
        return;
    }
    switch (font.Format) {
    case FontMonochrome:
        printmono(canvas, place, w, font, c, foreground, background);
        break;
    case FontGrey:
        printgrey(canvas, place, font, c, foreground, background);
        break;
    case FontCompressedMonochrome:
    case FontCompressedGrey:
        logline("g_PrintSymbol: Font format must be uncompressed monochrome or grey for printing.");
        break;
    default:
        logline("g_PrintSymbol: Illegal font format.");
        break;
    }
    w.PositionX = advanced(place.x, font.Width, scalex);
}

void g_PrintString(uint8_t n, const std::string& text, int64_t scalex, int64_t scaley,
                   t_RGBColor foreground, t_RGBColor background, const t_Font& font) {
    if (scalex < 1 || scaley < 1) {
        return;
    }
    for (size_t pos = 0; pos < text.size();) {
        int32_t scalar = 0;
        pos += decodescalar(text, pos, scalar);
        uint8_t code = static_cast<uint8_t>(scalar & 0xFF);
        if (code >= 32) {
            g_PrintSymbol(n, code, scalex, scaley, foreground, background, font);
        }
    }
}
