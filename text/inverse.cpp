// Inverse output, the display mode setting and the visible text cursor.
#include "quorvinthal/toolkit.h"
#include "text/cells.h"
#include "text/displaymode.h"
#include "text/textchecks.h"

void t_Inverse(uint8_t n) {
    if (text::windowcommandready("t_Inverse", n)) {
        display::windowrecord(n).TextInverse = true;
    }
}

void t_Normal(uint8_t n) {
    if (text::windowcommandready("t_Normal", n)) {
        display::windowrecord(n).TextInverse = false;
    }
}

void t_Reverse(uint8_t n) {
    if (text::windowcommandready("t_Reverse", n)) {
        display::t_Window& w = display::windowrecord(n);
        w.TextInverse = !w.TextInverse;
    }
}

void t_DisplayMode(uint8_t n, int64_t mode) {
    if (text::windowcommandready("t_DisplayMode", n)) {
        display::windowrecord(n).TextDisplayMode = mode;
    }
}

void t_InvertRect(uint8_t n, int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
    if (!text::textcommandready("t_InvertRect", n)) {
        return;
    }
    display::t_Window& w = display::windowrecord(n);
    if (!(1 <= x1 && x1 <= x2 && x2 <= w.TextWidth && 1 <= y1 && y1 <= y2 && y2 <= w.TextHeight)) {
        return;
    }
    bool inverse = w.TextInverse;
    w.TextInverse = true;
    for (int64_t y = y1; y <= y2; ++y) {
        for (int64_t x = x1; x <= x2; ++x) {
            text::Cell cell = text::readcell(w, x, y);
            t_PrintSymbol(n, cell.character, cell.colour, x, y);
        }
    }
    w.TextInverse = inverse;
}

void t_CursorDraw(uint8_t n) {
    if (text::textcommandready("t_CursorDraw", n)) {
        const display::t_Window& w = display::windowrecord(n);
        t_InvertRect(n, w.TextHpos, w.TextVpos, w.TextHpos, w.TextVpos);
    }
}

void t_CursorOn(uint8_t n) {
    if (!text::textcommandready("t_CursorOn", n)) {
        return;
    }
    display::t_Window& w = display::windowrecord(n);
    int64_t level = w.TextCursorLevel;
    w.TextCursorLevel = level + 1;
    if (level == 0) {
        t_CursorDraw(n);
    }
}

void t_CursorOff(uint8_t n) {
    if (!text::textcommandready("t_CursorOff", n)) {
        return;
    }
    display::t_Window& w = display::windowrecord(n);
    int64_t level = w.TextCursorLevel;
    w.TextCursorLevel = level - 1;
    if (level == 1) {
        t_CursorDraw(n);
    }
}
