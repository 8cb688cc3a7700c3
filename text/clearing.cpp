// Clearing the text area from the cursor on: t_ClearEndOfLine and t_ClearEndOfWindow.
#include "display/windowlookup.h"
#include "quorvinthal/toolkit.h"
#include "text/printsymbol.h"

void t_ClearEndOfLine(uint8_t n) {
    if (const display::t_Window* w = display::textwindow("t_ClearEndOfLine", n)) {
        text::printrun(n, 32, w->TextColor, w->TextHpos, w->TextLastColumn, w->TextVpos);
    }
}

void t_ClearEndOfWindow(uint8_t n) {
    display::t_Window* w = display::textwindow("t_ClearEndOfWindow", n);
    if (w == nullptr) {
        return;
    }
    t_ClearEndOfLine(n);
    int64_t hpos = w->TextHpos, vpos = w->TextVpos;
    if (vpos < w->TextLastLine) {
        w->TextHpos = w->TextFirstColumn.load();
        for (int64_t line = vpos + 1; line <= w->TextLastLine; ++line) {
            w->TextVpos = line;
            t_ClearEndOfLine(n);
        }
    }
    w->TextHpos = hpos;
    w->TextVpos = vpos;
}
