#pragma once
// A window's graphic block as a surface of pixels: its size, its depth, where each row starts and
// the pixel routines of its depth, chosen once when the surface is made so that no inner loop asks
// for the depth. Callers hold the video lock around every access to the pixels.
#include "display/blend.h"
#include "display/pixelformats.h"
#include "display/window.h"

#include <cstdint>

namespace display {

// Glyph bytes to blend: rows of count bytes, stride bytes apart (0 repeats one row).
struct GlyphRows {
    const uint8_t* bytes;
    int64_t stride;
    int64_t count;
    int64_t rows;
};

// The pixel routines of one depth (display/pixelformats.h), from the row of the first pixel on.
struct DepthRoutines {
    void (*put)(uint8_t* row, int64_t x, const Pen& pen, int64_t mode);
    t_RGBColor (*get)(const uint8_t* row, int64_t x);
    void (*blend)(uint8_t* row, int64_t rowbytes, int64_t x, const GlyphRows& glyph,
                  const BlendValues& values);
    void (*convert)(const uint8_t* source, uint32_t* target, int64_t count);
};

// The routines of depth; null for a depth without a pixel layout.
const DepthRoutines* depthroutines(int64_t depth);

// One of the depths 1, 4, 8, 16, 24 and 32.
bool drawabledepth(int64_t depth);

// Bytes of a row: rows start on whole bytes for widths that t_InitWindow made.
int64_t rowbytes(int64_t depth, int64_t width);

// Bytes from the first pixel to the end of the last one; -1 when that does not fit 64 bits.
// Rows of a width that is not a whole number of bytes overlap by the byte they share.
int64_t blockbytes(int64_t depth, int64_t width, int64_t height);

struct Surface {
    uint8_t* pixels = nullptr; // null when nothing may be drawn (see surfaceof)
    int64_t width = 0;
    int64_t height = 0;
    int64_t depth = 0;
    int64_t rowbytes = 0;
    const DepthRoutines* routines = nullptr;

    bool inside(int64_t x, int64_t y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    uint8_t* row(int64_t y) const { return pixels + y * rowbytes; }

    // Single pixels, and glyph rows blended into rows y, y + 1 ... from x on. Every pixel lies
    // inside.
    void put(int64_t x, int64_t y, const Pen& pen, int64_t mode) const {
        routines->put(row(y), x, pen, mode);
    }
    t_RGBColor get(int64_t x, int64_t y) const { return routines->get(row(y), x); }
    void blend(int64_t x, int64_t y, const GlyphRows& glyph, const BlendTable& table) const {
        routines->blend(row(y), rowbytes, x, glyph, table.value);
    }
    // Rows first ... first + count − 1 as 0xAARRGGBB pixels.
    void convert(int64_t first, int64_t count, uint32_t* target) const {
        routines->convert(row(first), target, count * width);
    }
};

// The graphic block of window w. pixels stays null when the depth has no layout, the size is not
// positive, or the block lies outside video memory or cannot hold the pixels, so that a damaged
// record never leads to a write outside its block.
Surface surfaceof(const t_Window& w);

} // namespace display
