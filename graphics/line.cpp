#include "graphics/line.h"

#include "display/videomemory.h"
#include "graphics/graphicchecks.h"
#include "graphics/linewalk.h"
#include "graphics/pixelaccess.h"

bool drawline(const Canvas& c, int64_t x1, int64_t y1, int64_t x2, int64_t y2, const Pen& pen,
              int64_t mode, int64_t& lastx, int64_t& lasty) {
    bool drawn = false;
    walkline(c, x1, y1, x2, y2, [&](int64_t x, int64_t y) {
        putpixel(c, x, y, pen, mode);
        lastx = x;
        lasty = y;
        drawn = true;
    });
    return drawn;
}

void g_Line(uint8_t n, int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
    if (!graphicwindowready("g_Line", n)) {
        return;
    }
    t_Window& w = windowrecord(n);
    Canvas c = windowcanvas(w);
    if (!drawabledepth(c.depth)) { // every point inside the window is refused on its own
        walkline(c, x1, y1, x2, y2, [&](int64_t, int64_t) { logillegaldepth(c.depth); });
        return;
    }
    if (c.pixels == nullptr) {
        return;
    }
    Pen pen = windowpen(w);
    int64_t mode = w.DrawingMode;
    int64_t lastx = 0, lasty = 0;
    bool drawn = false;
    {
        VideoLock guard(videolock());
        drawn = drawline(c, x1, y1, x2, y2, pen, mode, lastx, lasty);
    }
    if (drawn) {
        w.PositionX = lastx;
        w.PositionY = lasty;
    }
}
