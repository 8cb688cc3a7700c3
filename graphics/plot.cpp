// g_Plot, g_Scrn and g_GotoXY: single pixels and the graphics position.
#include "display/videomemory.h"
#include "display/windowchanges.h"
#include "graphics/canvas.h"
#include "quorvinthal/toolkit.h"

namespace graphics {

namespace {

// Shared by both forms; pen is made only once the pixel is known to be drawn.
template <typename MakePen> void plot(uint8_t n, int64_t x, int64_t y, MakePen makepen) {
    if (!graphicwindowready("g_Plot", n)) {
        return;
    }
    display::t_Window& w = display::windowrecord(n);
    Canvas c = windowcanvas(w);
    if (!inside(c, x, y)) {
        return;
    }
    if (!drawabledepth(c.depth)) {
        logillegaldepth(c.depth);
        return;
    }
    if (c.pixels == nullptr) {
        return;
    }
    Pen pen = makepen(w, c.depth);
    int64_t mode = w.DrawingMode;
    {
        display::VideoLock guard(display::videolock());
        putpixel(c, x, y, pen, mode);
        display::markrows(n, y, 1);
    }
    w.PositionX = x;
    w.PositionY = y;
}

} // namespace

} // namespace graphics

void g_Plot(uint8_t n, int64_t x, int64_t y, t_RGBColor color) {
    graphics::plot(n, x, y, [color](const display::t_Window&, int64_t depth) {
        return graphics::colourpen(color, depth);
    });
}

void g_Plot(uint8_t n, int64_t x, int64_t y) {
    graphics::plot(n, x, y,
                   [](const display::t_Window& w, int64_t) { return graphics::windowpen(w); });
}

t_RGBColor g_Scrn(uint8_t n, int64_t x, int64_t y) {
    const t_RGBColor none{255, 0, 0, 0};
    if (!graphics::graphicwindowready("g_Scrn", n)) {
        return none;
    }
    graphics::Canvas c = graphics::windowcanvas(display::windowrecord(n));
    if (c.pixels == nullptr || !graphics::inside(c, x, y)) {
        return none;
    }
    display::VideoLock guard(display::videolock());
    return graphics::getpixel(c, x, y);
}

void g_GotoXY(uint8_t n, int64_t x, int64_t y) {
    if (!graphics::graphicwindowready("g_GotoXY", n)) {
        return;
    }
    if (x >= 0 && y >= 0) {
        display::t_Window& w = display::windowrecord(n);
        w.PositionX = x;
        w.PositionY = y;
    }
}
