#include "graphics/greyglyph.h"

#include "graphics/pixelaccess.h"
#include "text/glyphblend.h"

namespace {

// The pen that writes glyph byte g at the canvas depth.
class GreyInk {
  public:
    GreyInk(int64_t depth, t_RGBColor foreground, t_RGBColor background)
        : depth(depth), colours{rgbof(foreground), rgbof(background)}, indexes(colours) {}

    Pen pen(int g) {
        Pen p;
        if (depth == 1) {
            p.index = blendedbit(colours, g) ? 15 : 0;
        } else if (depth == 4) {
            p.index = indexes(g);
        } else if (depth == 8 || depth == 16) {
            p.grey = blendedgrey(colours, g);
        } else {
            RGB rgb = blendedcolour(colours, g);
            p.colour = t_RGBColor{255, static_cast<uint8_t>(rgb.r), static_cast<uint8_t>(rgb.g),
                                  static_cast<uint8_t>(rgb.b)};
        }
        return p;
    }

  private:
    static RGB rgbof(t_RGBColor c) { return RGB{c.Red, c.Green, c.Blue}; }

    int64_t depth;
    GlyphColours colours;
    PaletteIndexCache indexes;
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
