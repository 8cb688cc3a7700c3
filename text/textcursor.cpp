// The visible text cursor: t_CursorOn and t_CursorOff count its level, t_CursorDraw inverts the
// cell under it.
#include "display/windowlookup.h"
#include "quorvinthal/toolkit.h"

void t_CursorDraw(uint8_t n) {
    if (const display::t_Window* w = display::textwindow("t_CursorDraw", n)) {
        t_InvertRect(n, w->TextHpos, w->TextVpos, w->TextHpos, w->TextVpos);
    }
}

void t_CursorOn(uint8_t n) {
    display::t_Window* w = display::textwindow("t_CursorOn", n);
    if (w == nullptr) {
        return;
    }
    int64_t level = w->TextCursorLevel;
    w->TextCursorLevel = level + 1;
    if (level == 0) {
        t_CursorDraw(n);
    }
}

void t_CursorOff(uint8_t n) {
    display::t_Window* w = display::textwindow("t_CursorOff", n);
    if (w == nullptr) {
        return;
    }
    int64_t level = w->TextCursorLevel;
    w->TextCursorLevel = level - 1;
    if (level == 1) {
        t_CursorDraw(n);
    }
}
