#include "display/blend.h"

#include "display/palette.h"
#include "quorvinthal/toolkit.h"

namespace display {

GlyphColours glyphcolours(uint8_t foregroundindex, uint8_t backgroundindex) {
    const Palette& p = palette();
    return GlyphColours{
        RGB{p.Red[foregroundindex], p.Green[foregroundindex], p.Blue[foregroundindex]},
        RGB{p.Red[backgroundindex], p.Green[backgroundindex], p.Blue[backgroundindex]}};
}

namespace {

int blendchannel(int g, int foreground, int background) {
    return g * foreground / 255 + (255 - g) * background / 255;
}

} // namespace

RGB blendedcolour(const GlyphColours& c, int g) {
    return RGB{blendchannel(g, c.foreground.r, c.background.r),
               blendchannel(g, c.foreground.g, c.background.g),
               blendchannel(g, c.foreground.b, c.background.b)};
}

uint8_t blendedgrey(const GlyphColours& c, int g) {
    int gf = (c.foreground.r + c.foreground.g + c.foreground.b) / 3;
    int gb = (c.background.r + c.background.g + c.background.b) / 3;
    return static_cast<uint8_t>(blendchannel(g, gf, gb));
}

bool blendedbit(const GlyphColours& c, int g) {
    int sum = g * c.foreground.r / 255 + g * c.foreground.g / 255 + g * c.foreground.b / 255 +
              (255 - g) * c.background.r / 255 + (255 - g) * c.background.g / 255 +
              (255 - g) * c.background.b / 255;
    return sum / 3 >= 128;
}

uint8_t nearestpaletteindex(RGB colour) {
    if (colour.r == colour.g && colour.g == colour.b) {
        int q = colour.r + colour.g + colour.b;
        return q < 192 ? t_Black : q < 384 ? t_DarkGrey : q < 576 ? t_LightGrey : t_White;
    }
    const Palette& p = palette();
    uint8_t best = 0;
    int bestdistance = 65535;
    for (int i = 0; i < 16; ++i) {
        int dr = colour.r - p.Red[i], dg = colour.g - p.Green[i], db = colour.b - p.Blue[i];
        int distance = dr * dr + dg * dg + db * db;
        if (distance < bestdistance) {
            best = static_cast<uint8_t>(i);
            bestdistance = distance;
        }
    }
    return best;
}

namespace {

std::array<uint8_t, 4> blendedvalue(const GlyphColours& c, int g, int64_t depth) {
    switch (depth) {
    case 1:
        return {static_cast<uint8_t>(blendedbit(c, g) ? 1 : 0), 0, 0, 0};
    case 4:
        return {nearestpaletteindex(blendedcolour(c, g)), 0, 0, 0};
    case 8:
    case 16:
        return {blendedgrey(c, g), 0, 0, 0};
    default: {
        RGB rgb = blendedcolour(c, g);
        return {static_cast<uint8_t>(rgb.r), static_cast<uint8_t>(rgb.g),
                static_cast<uint8_t>(rgb.b), 0};
    }
    }
}

// The table of the last key asked for on this thread; colours() gives the pair on a miss.
template <typename Colours>
const BlendTable& cachedtable(int64_t key, int64_t depth, Colours colours) {
    thread_local BlendTable table;
    thread_local int64_t tablekey = -1;
    if (tablekey != key) {
        GlyphColours pair = colours();
        for (int g = 0; g < 256; ++g) {
            table.value[g] = blendedvalue(pair, g, depth);
        }
        tablekey = key;
    }
    return table;
}

} // namespace

const BlendTable& blendtable(const GlyphColours& colours, int64_t depth) {
    // Colour components are bytes: the pair and the depth fit one number.
    const RGB& f = colours.foreground;
    const RGB& b = colours.background;
    int64_t key = depth << 48 | int64_t{f.r} << 40 | int64_t{f.g} << 32 | int64_t{f.b} << 24 |
                  b.r << 16 | b.g << 8 | b.b;
    return cachedtable(key, depth, [&] { return colours; });
}

const BlendTable& blendtable(uint8_t foregroundindex, uint8_t backgroundindex, int64_t depth) {
    int64_t key = depth << 8 | foregroundindex << 4 | backgroundindex;
    return cachedtable(key, depth, [&] { return glyphcolours(foregroundindex, backgroundindex); });
}

} // namespace display
