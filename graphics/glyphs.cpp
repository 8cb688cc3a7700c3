#include "graphics/glyphs.h"

#include "base/log.h"
#include "display/blend.h"
#include "display/videomemory.h"
#include "display/windowchanges.h"
#include "quorvinthal/toolkit.h"
#include "unicode/graphemes.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace graphics {

namespace {

constexpr int64_t largest = std::numeric_limits<int64_t>::max();

// origin + value, held at the largest int64_t.
int64_t saturatedsum(int64_t origin, int64_t value) {
    int64_t sum = 0;
    return __builtin_add_overflow(origin, value, &sum) ? largest : sum;
}

} // namespace

bool fitsbefore(int64_t origin, int64_t size, int64_t limit) {
    int64_t room = 0;
    // Only a negative size can overflow limit - size, and then any origin fits.
    return __builtin_sub_overflow(limit, size, &room) || origin <= room;
}

int64_t advanced(int64_t origin, int64_t count, int64_t scale) {
    int64_t product = 0;
    if (__builtin_mul_overflow(count, scale, &product)) {
        return largest;
    }
    return saturatedsum(origin, product);
}

Span scaledspan(int64_t origin, int64_t index, int64_t scale, int64_t limit) {
    int64_t from = advanced(origin, index, scale);
    int64_t to = saturatedsum(from, scale);
    return Span{std::max<int64_t>(from, 0), std::min(to, limit)};
}

int64_t glyphpixelsinside(const Canvas& c, const GlyphPlacement& g) {
    int64_t count = 0;
    forglyphblocks(c, g, [&](int64_t, int64_t, Span xs, Span ys) {
        count += (xs.to - xs.from) * (ys.to - ys.from);
    });
    return count;
}

uint64_t monorow(const t_Font& font, uint8_t c, int64_t r) {
    int64_t rowbytes = (font.Width + 7) / 8;
    if (rowbytes < 1) {
        return 0; // a glyph without columns; its offsets could overflow
    }
    int64_t glyph = static_cast<uint8_t>(c - font.Start);
    int64_t start = (glyph * font.Height + r) * rowbytes;
    int64_t length = static_cast<int64_t>(font.Data.size());
    uint64_t bits = 0;
    for (int64_t b = std::max<int64_t>(rowbytes - 8, 0); b < rowbytes; ++b) {
        int64_t at = start + b;
        bits = bits << 8 | (at < length ? font.Data[at] : 0);
    }
    return bits;
}

void drawmonoglyph(const Canvas& canvas, const GlyphPlacement& place, const t_Font& font, uint8_t c,
                   const Pen& foreground, const Pen& background, int64_t mode) {
    std::vector<uint64_t> rows(static_cast<size_t>(std::max<int64_t>(place.rows, 0)));
    for (int64_t r = 0; r < place.rows; ++r) {
        rows[r] = monorow(font, c, r);
    }
    forglyphblocks(canvas, place, [&](int64_t r, int64_t i, Span xs, Span ys) {
        bool set = i < 64 && (rows[r] >> i & 1);
        const Pen& pen = set ? foreground : background;
        for (int64_t y = ys.from; y < ys.to; ++y) {
            for (int64_t x = xs.from; x < xs.to; ++x) {
                putpixel(canvas, x, y, pen, mode);
            }
        }
    });
}

namespace {

// The pen that writes glyph byte g at the canvas depth.
class GreyInk {
  public:
    GreyInk(int64_t canvasdepth, t_RGBColor foreground, t_RGBColor background)
        : depth(canvasdepth), colours{rgbof(foreground), rgbof(background)}, indexes(colours) {}

    Pen pen(int g) {
        Pen p;
        if (depth == 1) {
            p.index = display::blendedbit(colours, g) ? t_White : t_Black;
        } else if (depth == 4) {
            p.index = indexes(g);
        } else if (depth == 8 || depth == 16) {
            p.grey = display::blendedgrey(colours, g);
        } else {
            display::RGB rgb = display::blendedcolour(colours, g);
            p.colour = t_RGBColor{255, static_cast<uint8_t>(rgb.r), static_cast<uint8_t>(rgb.g),
                                  static_cast<uint8_t>(rgb.b)};
        }
        return p;
    }

  private:
    static display::RGB rgbof(t_RGBColor c) { return display::RGB{c.Red, c.Green, c.Blue}; }

    int64_t depth;
    display::GlyphColours colours;
    display::PaletteIndexCache indexes;
};

// Replacing the colour bytes only: depth 32 keeps its Alpha byte.
int64_t colourmode(int64_t depth) {
    return depth == 32 ? 3 : 0;
}

} // namespace

uint8_t greybyte(const t_Font& font, uint8_t c, int64_t r, int64_t i) {
    int64_t at = (c * font.Height + r) * font.Width + i;
    return at < static_cast<int64_t>(font.Data.size()) ? font.Data[at] : 0;
}

void drawgreyglyph(const Canvas& canvas, const GlyphPlacement& place, const t_Font& font, uint8_t c,
                   t_RGBColor foreground, t_RGBColor background) {
    if (!drawabledepth(canvas.depth)) {
        return;
    }
    GreyInk ink(canvas.depth, foreground, background);
    int64_t mode = colourmode(canvas.depth);
    forglyphblocks(canvas, place, [&](int64_t r, int64_t i, Span xs, Span ys) {
        Pen pen = ink.pen(greybyte(font, c, r, i));
        for (int64_t y = ys.from; y < ys.to; ++y) {
            for (int64_t x = xs.from; x < xs.to; ++x) {
                if (canvas.depth == 16) { // the grey byte only; the first byte is not ours
                    canvas.pixels[2 * (y * canvas.width + x) + 1] = pen.grey;
                } else {
                    putpixel(canvas, x, y, pen, mode);
                }
            }
        }
    });
}

namespace {

// Marks the window rows the glyph covers (the caller holds the video lock).
void markglyphrows(uint8_t n, const Canvas& canvas, const GlyphPlacement& place) {
    int64_t first = std::max<int64_t>(place.y, 0);
    int64_t end = std::min(advanced(place.y, place.rows, place.scaley), canvas.height);
    display::markrows(n, first, end - first);
}

// Monochrome pixels go the way of g_Plot: the drawing mode applies and a depth without a rule is
// refused once for every pixel that would have been drawn.
void printmono(uint8_t n, const Canvas& canvas, const GlyphPlacement& place,
               const display::t_Window& w, const t_Font& font, uint8_t c, t_RGBColor foreground,
               t_RGBColor background) {
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
    display::VideoLock guard(display::videolock());
    drawmonoglyph(canvas, place, font, c, fg, bg, mode);
    markglyphrows(n, canvas, place);
}

void printgrey(uint8_t n, const Canvas& canvas, const GlyphPlacement& place, const t_Font& font,
               uint8_t c, t_RGBColor foreground, t_RGBColor background) {
    if (canvas.pixels == nullptr) {
        return;
    }
    display::VideoLock guard(display::videolock());
    drawgreyglyph(canvas, place, font, c, foreground, background);
    markglyphrows(n, canvas, place);
}

} // namespace

} // namespace graphics

void g_PrintSymbol(uint8_t n, uint8_t c, int64_t scalex, int64_t scaley, t_RGBColor foreground,
                   t_RGBColor background, const t_Font& font) {
    if (!graphics::graphicwindowready("g_PrintSymbol", n)) {
        return;
    }
    display::t_Window& w = display::windowrecord(n);
    graphics::Canvas canvas = graphics::windowcanvas(w);
    graphics::GlyphPlacement place{w.PositionX, w.PositionY, font.Width,
                                   font.Height, scalex,      scaley};
    // The fit test is the unscaled one; enlarged glyphs are cut at the edges instead.
    if (c < font.Start || c > font.End || scalex < 1 || scaley < 1 ||
        !graphics::fitsbefore(place.x, font.Width, canvas.width) ||
        !graphics::fitsbefore(place.y, font.Height, canvas.height)) {
        return;
    }
    switch (font.Format) {
    case t_Font::Monochrome:
        graphics::printmono(n, canvas, place, w, font, c, foreground, background);
        break;
    case t_Font::Grey:
        graphics::printgrey(n, canvas, place, font, c, foreground, background);
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

void g_PrintString(uint8_t n, const std::string& text, int64_t scalex, int64_t scaley,
                   t_RGBColor foreground, t_RGBColor background, const t_Font& font) {
    if (scalex < 1 || scaley < 1) {
        return;
    }
    for (size_t pos = 0; pos < text.size();) {
        int32_t scalar = 0;
        pos += unicode::decodescalar(text, pos, scalar);
        uint8_t code = static_cast<uint8_t>(scalar & 0xFF);
        if (code >= 32) {
            g_PrintSymbol(n, code, scalex, scaley, foreground, background, font);
        }
    }
}
