// g_Scrn: the colour of a pixel.
#include "display/surface.h"
#include "display/videomemory.h"
#include "display/windowlookup.h"
#include "quorvinthal/toolkit.h"

t_RGBColor g_Scrn(uint8_t n, int64_t x, int64_t y) {
    const t_RGBColor none{255, 0, 0, 0};
    const display::t_Window* w = display::graphicwindow("g_Scrn", n);
    if (w == nullptr) {
        return none;
    }
    display::Surface s = display::surfaceof(*w);
    if (s.pixels == nullptr || !s.inside(x, y)) {
        return none;
    }
    display::VideoLock guard(display::videolock());
    return s.get(x, y);
}
