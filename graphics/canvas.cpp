#include "graphics/canvas.h"

#include "base/log.h"
#include "display/blend.h"
#include "display/videomemory.h"
#include "quorvinthal/toolkit.h"

#include <string>

namespace graphics {

namespace {

uint8_t greyof(t_RGBColor c) {
    return static_cast<uint8_t>((c.Red + c.Green + c.Blue) / 3);
}

bool palettedepth(int64_t depth) {
    return depth == 1 || depth == 4;
}

} // namespace

Pen colourpen(t_RGBColor colour, int64_t depth) {
    Pen pen{colour, 0, greyof(colour)};
    if (palettedepth(depth)) { // the nearest-colour search is only paid where it is needed
        pen.index = t_NearestColor(colour.Red, colour.Green, colour.Blue);
    }
    return pen;
}

Pen windowpen(const display::t_Window& w) {
    t_RGBColor colour = w.RGBColor;
    return Pen{colour, static_cast<uint8_t>(w.TextColor >> 4), greyof(colour)};
}

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

Canvas windowcanvas(const display::t_Window& w) {
    Canvas c{nullptr, w.Width, w.Height, w.BitDepth};
    int64_t start = w.MemoryStart, end = w.MemoryEnd;
    if (!drawabledepth(c.depth) || start < 0 || end >= display::videomemorylength() ||
        canvasbytes(c.depth, c.width, c.height) > end - start + 1) {
        return c;
    }
    c.pixels = display::videomemory() + start;
    return c;
}

t_RGBColor getpixel(const Canvas& c, int64_t x, int64_t y) {
    switch (c.depth) {
    case 1: {
        bool set = (c.pixels[y * (c.width / 8) + x / 8] >> (7 - (x & 7))) & 1;
        return t_PaletteColor(set ? t_White : t_Black);
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

bool graphicwindowready(const char* command, uint8_t n) {
    if (n >= t_GraphicWindows) {
        base::logline(std::string(command) + ": Window is not a graphic window.");
        return false;
    }
    if (!display::windowready(n)) {
        base::logline(std::string(command) + ": Graphic window #" + std::to_string(n) +
                      " not initialized.");
        return false;
    }
    return true;
}

void logillegaldepth(int64_t depth) {
    base::logline("g_Plot: Illegal bit depth (" + std::to_string(depth) + ").");
}

} // namespace graphics

// The same rule that places blended glyph colours on depth-4 windows.
uint8_t t_NearestColor(uint8_t red, uint8_t green, uint8_t blue) {
    return display::nearestpaletteindex(display::RGB{red, green, blue});
}
