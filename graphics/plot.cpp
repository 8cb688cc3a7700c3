// g_Plot: a single pixel in an explicit or the window's current colour.
#include "display/surface.h"
#include "display/videomemory.h"
#include "display/windowchanges.h"
#include "display/windowlookup.h"
#include "graphics/pens.h"
#include "quorvinthal/toolkit.h"

namespace graphics {

namespace {

// Shared by both forms; pen is made only once the pixel is known to be drawn.
template <typename MakePen> void plot(uint8_t n, int64_t x, int64_t y, MakePen makepen) {
    display::t_Window* w = display::graphicwindow("g_Plot", n);
    if (w == nullptr) {
        return;
    }
    display::Surface s = display::surfaceof(*w);
    if (!s.inside(x, y)) {
        return;
    }
    if (!drawable(s, [] { return 1; })) {
        return;
    }
    display::Pen pen = makepen(*w, s.depth);
    int64_t mode = w->DrawingMode;
    {
        display::VideoLock guard(display::videolock());
        s.put(x, y, pen, mode);
        display::markrows(n, y, 1);
    }
    w->PositionX = x;
    w->PositionY = y;
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
