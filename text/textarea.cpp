// t_FullArea: the text area back to the whole grid.
#include "display/windowlookup.h"
#include "quorvinthal/toolkit.h"

void t_FullArea(uint8_t n) {
    display::t_Window* w = display::initializedwindow("t_FullArea", n);
    if (w == nullptr) {
        return;
    }
    w->TextFirstColumn = 1;
    w->TextLastColumn = w->TextWidth.load();
    w->TextFirstLine = 1;
    w->TextLastLine = w->TextHeight.load();
}
