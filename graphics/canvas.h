#pragma once
// A graphic block as plain pixels: where it starts, its size and its depth. The drawing routines
// work on a canvas so that they need no window record in their inner loops.
#include "display/window.h"

#include <cstdint>

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
Canvas windowcanvas(const t_Window& w);
