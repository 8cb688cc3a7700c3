// t_WindowFont: another font for a window's text.
#include "display/windowlookup.h"
#include "quorvinthal/toolkit.h"

void t_WindowFont(uint8_t n, const t_Font& font) {
    if (display::t_Window* w = display::initializedwindow("t_WindowFont", n)) {
        w->Font = font;
    }
}
