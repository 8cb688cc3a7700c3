// t_WindowFont: another font for a window's text.
#include "base/log.h"
#include "display/videomemory.h"
#include "quorvinthal/toolkit.h"

#include <string>

void t_WindowFont(uint8_t n, const t_Font& font) {
    if (n >= t_GraphicWindows) {
        base::logline("t_WindowFont: Window is not a graphic window.");
        return;
    }
    if (!display::windowready(n)) {
        base::logline("t_WindowFont: Window #" + std::to_string(n) + " not initialized.");
        return;
    }
    display::windowrecord(n).Font = font;
}
