#pragma once
// A graphic block as plain pixels, the pens that draw into it and the window checks of the
// graphics commands. The drawing routines work on a canvas so that they need no window record in
// their inner loops; the caller holds the video lock around every pixel access.
#include "display/window.h"

#include <cstdint>

namespace graphics {

struct Canvas {
    uint8_t* pixels = nullptr;
    int64_t width = 0;
    int64_t height = 0;
    int64_t depth = 0;
};

// One of the depths 1, 4, 8, 16, 24 and 32.
bool drawabledepth(int64_t depth);

inline bool inside(const Canvas& c, int64_t x, int64_t y) {
    return x >= 0 && y >= 0 && x < c.width && y < c.height;
}

// Bytes from the first pixel to the end of the last one.
int64_t canvasbytes(int64_t depth, int64_t width, int64_t height);

// The graphic block of window w. pixels stays null when the depth cannot be drawn or the block
// cannot hold the pixels, so that a damaged record never leads to a write outside its block.
Canvas windowcanvas(const display::t_Window& w);

struct Pen {
    t_RGBColor colour; // depths 16, 24, 32
    uint8_t index = 0; // palette index at depths 1 (bright from 9 on) and 4
    uint8_t grey = 0;  // (Red + Green + Blue) / 3 at depths 8 and 16
};

// An explicit colour: its nearest palette entry stands for it at depths 1 and 4.
Pen colourpen(t_RGBColor colour, int64_t depth);
// The window's current colour: the TextColor foreground at depths 1 and 4, RGBColor elsewhere.
Pen windowpen(const display::t_Window& w);

namespace drawingmode {

inline uint8_t average(uint8_t old, uint8_t c) {
    return static_cast<uint8_t>((old + c) / 2);
}

inline uint8_t alphablend(uint8_t old, uint8_t c, uint8_t a) {
    return static_cast<uint8_t>(old * (255 - a) / 255 + c * a / 255);
}

// Applies op(old, new) to the three colour bytes starting at rgb.
template <typename Op> inline void combine(uint8_t* rgb, t_RGBColor c, Op op) {
    rgb[0] = op(rgb[0], c.Red);
    rgb[1] = op(rgb[1], c.Green);
    rgb[2] = op(rgb[2], c.Blue);
}

inline uint8_t replace(uint8_t, uint8_t c) {
    return c;
}
inline uint8_t bitand_(uint8_t old, uint8_t c) {
    return old & c;
}
inline uint8_t bitor_(uint8_t old, uint8_t c) {
    return old | c;
}
inline uint8_t bitxor_(uint8_t old, uint8_t c) {
    return old ^ c;
}

// Modes 3 to 7 treat the colour bytes alike at both depths.
inline void combinecolour(uint8_t* rgb, t_RGBColor c, int64_t mode) {
    switch (mode) {
    case 3:
        combine(rgb, c, replace);
        break;
    case 4:
        combine(rgb, c, average);
        break;
    case 5:
        combine(rgb, c, bitand_);
        break;
    case 6:
        combine(rgb, c, bitor_);
        break;
    case 7:
        combine(rgb, c, bitxor_);
        break;
    default:
        break;
    }
}

} // namespace drawingmode

inline void drawpixel24(uint8_t* p, t_RGBColor c, int64_t mode) {
    using namespace drawingmode;
    if (mode == 0 || mode == 2) {
        combine(p, c, replace);
    } else if (mode == 1) {
        combine(p, c, average);
    } else {
        combinecolour(p, c, mode);
    }
}

inline void drawpixel32(uint8_t* p, t_RGBColor c, int64_t mode) {
    using namespace drawingmode;
    switch (mode) {
    case 0:
        p[0] = c.Alpha;
        combine(p + 1, c, replace);
        break;
    case 1:
        combine(p + 1, c, [a = c.Alpha](uint8_t old, uint8_t v) { return alphablend(old, v, a); });
        break;
    case 2:
        p[0] = 255;
        combine(p + 1, c, replace);
        break;
    default:
        combinecolour(p + 1, c, mode);
        break;
    }
}

// Writing and reading single pixels of a canvas. Callers hold the video lock, have checked that
// the canvas has pixels and that (x, y) lies inside it.
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

// Logs "<command>: Window is not a graphic window." or "<command>: Graphic window #<n> not
// initialized." and returns false when window n cannot be drawn into.
bool graphicwindowready(const char* command, uint8_t n);

// "g_Plot: Illegal bit depth (<depth>)."
void logillegaldepth(int64_t depth);

} // namespace graphics
