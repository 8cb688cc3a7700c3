#include "graphics/canvas.h"

#include "display/videomemory.h"

bool drawabledepth(int64_t depth) {
    return depth == 1 || depth == 4 || depth == 8 || depth == 16 || depth == 24 || depth == 32;
}

int64_t canvasbytes(int64_t depth, int64_t width, int64_t height) {
    if (width <= 0 || height <= 0) {
        return 0;
    }
    // Depths below 8 address x / (8 / depth) within rows of width / (8 / depth) bytes, so a width
    // that is not a whole number of bytes reaches one byte into the next row.
    if (depth == 1) {
        return (height - 1) * (width / 8) + (width - 1) / 8 + 1;
    }
    if (depth == 4) {
        return (height - 1) * (width / 2) + (width - 1) / 2 + 1;
    }
    return height * width * (depth / 8);
}

Canvas windowcanvas(const t_Window& w) {
    Canvas c{nullptr, w.Width, w.Height, w.BitDepth};
    int64_t start = w.MemoryStart, end = w.MemoryEnd;
    if (!drawabledepth(c.depth) || start < 0 || end >= videomemorylength() ||
        canvasbytes(c.depth, c.width, c.height) > end - start + 1) {
        return c;
    }
    c.pixels = videomemory() + start;
    return c;
}
