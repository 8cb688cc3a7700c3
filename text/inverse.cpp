// Inverse output: t_Inverse, t_Normal, t_Reverse and the inverted cells of t_InvertRect.
#include "display/windowlookup.h"
#include "quorvinthal/toolkit.h"
#include "text/cells.h"

void t_Inverse(uint8_t n) {
    if (display::t_Window* w = display::initializedwindow("t_Inverse", n)) {
        w->TextInverse = true;
    }
}

void t_Normal(uint8_t n) {
    if (display::t_Window* w = display::initializedwindow("t_Normal", n)) {
        w->TextInverse = false;
    }
}

void t_Reverse(uint8_t n) {
    if (display::t_Window* w = display::initializedwindow("t_Reverse", n)) {
        w->TextInverse = !w->TextInverse;
    }
}

void t_InvertRect(uint8_t n, int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
    display::t_Window* w = display::textwindow("t_InvertRect", n);
    if (w == nullptr) {
        return;
    }
    if (!(1 <= x1 && x1 <= x2 && x2 <= w->TextWidth && 1 <= y1 && y1 <= y2 &&
          y2 <= w->TextHeight)) {
        return;
    }
    bool inverse = w->TextInverse;
    w->TextInverse = true;
    for (int64_t y = y1; y <= y2; ++y) {
        for (int64_t x = x1; x <= x2; ++x) {
            text::Cell cell = text::readcell(*w, x, y);
            t_PrintSymbol(n, cell.character, cell.colour, x, y);
        }
    }
    w->TextInverse = inverse;
}
