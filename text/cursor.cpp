// Moving the text cursor (t_Cr, t_CursorRight ... t_Vtab).
#include "display/windowlookup.h"
#include "quorvinthal/toolkit.h"

void t_Cr(uint8_t n) {
    display::t_Window* w = display::textwindow("t_Cr", n);
    if (w == nullptr) {
        return;
    }
    w->TextHpos = w->TextFirstColumn.load();
    w->TextVpos += 1;
    if (w->TextVpos > w->TextLastLine) {
        t_ScrollUp(n);
        w->TextVpos -= 1;
    }
}

void t_CursorRight(uint8_t n) {
    display::t_Window* w = display::textwindow("t_CursorRight", n);
    if (w == nullptr) {
        return;
    }
    w->TextHpos += 1;
    if (w->TextHpos > w->TextLastColumn) {
        t_Cr(n);
    }
}

void t_CursorLeft(uint8_t n) {
    display::t_Window* w = display::textwindow("t_CursorLeft", n);
    if (w == nullptr) {
        return;
    }
    w->TextHpos -= 1;
    if (w->TextHpos < w->TextFirstColumn) {
        w->TextHpos = w->TextLastColumn.load();
        t_CursorUp(n);
    }
}

void t_CursorDown(uint8_t n) {
    display::t_Window* w = display::textwindow("t_CursorDown", n);
    if (w == nullptr) {
        return;
    }
    w->TextVpos += 1;
    if (w->TextVpos > w->TextLastLine) {
        t_ScrollUp(n);
        w->TextVpos -= 1;
    }
}

void t_CursorUp(uint8_t n) {
    display::t_Window* w = display::textwindow("t_CursorUp", n);
    if (w == nullptr) {
        return;
    }
    w->TextVpos -= 1;
    if (w->TextVpos < w->TextFirstLine) {
        t_ScrollDown(n);
        w->TextVpos += 1;
    }
}

void t_CursorHome(uint8_t n) {
    display::t_Window* w = display::textwindow("t_CursorHome", n);
    if (w == nullptr) {
        return;
    }
    w->TextHpos = w->TextFirstColumn.load();
    w->TextVpos = w->TextFirstLine.load();
}

void t_CursorEnd(uint8_t n) {
    display::t_Window* w = display::textwindow("t_CursorEnd", n);
    if (w == nullptr) {
        return;
    }
    w->TextHpos = w->TextLastColumn.load();
    w->TextVpos = w->TextLastLine.load();
}

void t_Htab(uint8_t n, int64_t column) {
    display::t_Window* w = display::textwindow("t_Htab", n);
    if (w == nullptr) {
        return;
    }
    // Compared before adding, so that no column overflows.
    if (column >= 1 && column - 1 <= w->TextWidth - w->TextFirstColumn) {
        w->TextHpos = column + w->TextFirstColumn - 1;
    }
}

void t_Vtab(uint8_t n, int64_t line) {
    display::t_Window* w = display::textwindow("t_Vtab", n);
    if (w == nullptr) {
        return;
    }
    if (line >= 1 && line <= w->TextHeight) {
        w->TextVpos = line;
    }
}
