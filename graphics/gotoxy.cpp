// g_GotoXY: the graphics position.
#include "display/windowlookup.h"
#include "quorvinthal/toolkit.h"

void g_GotoXY(uint8_t n, int64_t x, int64_t y) {
    display::t_Window* w = display::graphicwindow("g_GotoXY", n);
    if (w != nullptr && x >= 0 && y >= 0) {
        w->PositionX = x;
        w->PositionY = y;
    }
}
