#include "graphics/pixelaccess.h"

#include "display/palette.h"

t_RGBColor getpixel(const Canvas& c, int64_t x, int64_t y) {
    switch (c.depth) {
    case 1: {
        bool set = (c.pixels[y * (c.width / 8) + x / 8] >> (7 - (x & 7))) & 1;
        return t_PaletteColor(set ? 15 : 0);
    }
    case 4: {
        uint8_t byte = c.pixels[y * (c.width / 2) + x / 2];
        return t_PaletteColor((x & 1) ? byte & 15 : byte >> 4);
    }
    case 8: {
        uint8_t v = c.pixels[y * c.width + x];
        return t_RGBColor{0, v, v, v};
    }
    case 16: {
        const uint8_t* p = c.pixels + 2 * (y * c.width + x);
        return t_RGBColor{p[0], p[1], p[1], p[1]};
    }
    case 24: {
        const uint8_t* p = c.pixels + 3 * (y * c.width + x);
        return t_RGBColor{0, p[0], p[1], p[2]};
    }
    case 32: {
        const uint8_t* p = c.pixels + 4 * (y * c.width + x);
        return t_RGBColor{p[0], p[1], p[2], p[3]};
    }
    default:
        return t_RGBColor{255, 0, 0, 0};
    }
}
