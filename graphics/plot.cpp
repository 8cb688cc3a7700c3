#include "graphics/plot.h"

#include "display/videomemory.h"
#include "graphics/graphicchecks.h"
#include "graphics/pixelaccess.h"

namespace {

// Shared by both forms; pen is made only once the pixel is known to be drawn.
template <typename MakePen> void plot(uint8_t n, int64_t x, int64_t y, MakePen makepen) {
    if (!graphicwindowready("g_Plot", n)) {
        return;
    }
    t_Window& w = windowrecord(n);
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
        VideoLock guard(videolock());
        putpixel(c, x, y, pen, mode);
    }
    w.PositionX = x;
    w.PositionY = y;
}

} // namespace

void g_Plot(uint8_t n, int64_t x, int64_t y, t_RGBColor color) {
    plot(n, x, y, [color](const t_Window&, int64_t depth) { return colourpen(color, depth); });
}

void g_Plot(uint8_t n, int64_t x, int64_t y) {
    plot(n, x, y, [](const t_Window& w, int64_t) { return windowpen(w); });
}

t_RGBColor g_Scrn(uint8_t n, int64_t x, int64_t y) {
    const t_RGBColor none{255, 0, 0, 0};
    if (!graphicwindowready("g_Scrn", n)) {
        return none;
    }
    Canvas c = windowcanvas(windowrecord(n));
    if (c.pixels == nullptr || !inside(c, x, y)) {
        return none;
    }
    VideoLock guard(videolock());
    return getpixel(c, x, y);
}

void g_GotoXY(uint8_t n, int64_t x, int64_t y) {
    if (!graphicwindowready("g_GotoXY", n)) {
        return;
    }
    if (x >= 0 && y >= 0) {
        t_Window& w = windowrecord(n);
        w.PositionX = x;
        w.PositionY = y;
    }
}
