#pragma once
// Writing and reading single pixels of a canvas. Callers hold the video lock, have checked that
// the canvas has pixels and that (x, y) lies inside it.
#include "graphics/canvas.h"
#include "graphics/drawingmode.h"
#include "graphics/pen.h"

#include <cstdint>

inline void putpixel(const Canvas& c, int64_t x, int64_t y, const Pen& pen, int64_t mode) {
    switch (c.depth) {
    case 1: {
        uint8_t& byte = c.pixels[y * (c.width / 8) + x / 8];
        uint8_t bit = static_cast<uint8_t>(0x80 >> (x & 7));
        byte = pen.index >= 9 ? byte | bit : byte & ~bit;
        break;
    }
    case 4: {
        uint8_t& byte = c.pixels[y * (c.width / 2) + x / 2];
        byte = (x & 1) ? (byte & 0xF0) | pen.index : (byte & 0x0F) | (pen.index << 4);
        break;
    }
    case 8:
        c.pixels[y * c.width + x] = pen.grey;
        break;
    case 16: {
        uint8_t* p = c.pixels + 2 * (y * c.width + x);
        p[0] = pen.colour.Alpha;
        p[1] = pen.grey;
        break;
    }
    case 24:
        drawpixel24(c.pixels + 3 * (y * c.width + x), pen.colour, mode);
        break;
    case 32:
        drawpixel32(c.pixels + 4 * (y * c.width + x), pen.colour, mode);
        break;
    default:
        break;
    }
}

// The colour of a pixel: palette colours with Alpha 255 at depths 1 and 4, Alpha 0 at 8 and 24,
// the stored first byte at 16 and the stored Alpha at 32.
t_RGBColor getpixel(const Canvas& c, int64_t x, int64_t y);
