#include "text/windowfont.h"

#include "core/log.h"
#include "display/videomemory.h"

#include <string>

void t_WindowFont(uint8_t n, const t_Font& font) {
    if (n >= graphicwindowcount) {
        logline("t_WindowFont: Window is not a graphic window.");
        return;
    }
    if (!windowready(n)) {
        logline("t_WindowFont: Window #" + std::to_string(n) + " not initialized.");
        return;
    }
    windowrecord(n).Font = font;
}
