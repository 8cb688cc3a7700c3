#include "text/displaymode.h"

#include "display/windowlookup.h"
#include "quorvinthal/toolkit.h"

namespace text {

namespace {

// Command mode's tab to the next stop of a grid of step columns.
void tabtogrid(uint8_t n, const display::t_Window& w, int64_t step) {
    int64_t p = w.TextHpos;
    int64_t stop = (p / step) * step + step + 1;
    int64_t room = w.TextWidth - w.TextFirstColumn + 1;
    if (room < stop) {
        t_ClearEndOfLine(n);
        t_Cr(n);
    } else {
        t_PrintTab(n, stop, 32);
    }
}

// A character of command mode; the result code, or nothing when the mode stays.
DisplayModeResult commandcharacter(uint8_t n, display::t_Window& w, int64_t c, bool inverse,
                                   uint8_t colour) {
    DisplayModeResult consumed{-1, inverse, colour};
    if (c >= 64 && c <= 79) {
        consumed.color = static_cast<uint8_t>((c - 64) * 16 + (colour & 15));
    } else if (c >= 80 && c <= 95) {
        consumed.color = static_cast<uint8_t>((colour & 0xF0) + (c - 80));
    } else if (c != 101 && c != 102 && !(c >= 105 && c <= 107) && !(c >= 110 && c <= 127)) {
        return DisplayModeResult{c, inverse, colour};
    }
    w.TextDisplayMode = t_DisplayPlain;
    if (c == 101) {
        t_CursorEnd(n);
    } else if (c == 102) {
        t_Htab(n, w.TextWidth - w.TextFirstColumn + 1);
    } else if (c >= 105 && c <= 107) {
        tabtogrid(n, w, c == 105 ? 10 : c == 106 ? 20 : 40);
    } else if (c >= 110) {
        t_ColorBorder(n, c - 110);
    }
    return consumed;
}

} // namespace

} // namespace text

text::DisplayModeResult t_ApplyDisplayMode(uint8_t n, int64_t c) {
    display::t_Window* w = display::textwindow("t_ApplyDisplayMode", n);
    if (w == nullptr) {
        return text::DisplayModeResult{};
    }
    bool inverse = w->TextInverse;
    uint8_t colour = w->TextColor;
    text::DisplayModeResult same{c, inverse, colour};
    switch (w->TextDisplayMode) {
    case t_DisplayUpperHalf:
        return c >= 32 && c <= 127 ? text::DisplayModeResult{c + 128, inverse, colour} : same;
    case t_DisplaySymbols:
        if (c >= 64 && c <= 95) {
            return text::DisplayModeResult{c - 64, inverse, colour};
        }
        return c >= 96 && c <= 127 ? text::DisplayModeResult{c + 32, inverse, colour} : same;
    case t_DisplayInverseControls:
        if (c >= 0 && c <= 31) {
            t_Inverse(n);
            return text::DisplayModeResult{c + 64, inverse, colour};
        }
        return same;
    case t_DisplayRedControls:
        if (c >= 0 && c <= 31) {
            t_Color(n, t_Red);
            return text::DisplayModeResult{c + 64, inverse, colour};
        }
        return same;
    case t_DisplayCommand:
        return text::commandcharacter(n, *w, c, inverse, colour);
    default:
        return same;
    }
}

void t_DisplayMode(uint8_t n, int64_t mode) {
    if (display::t_Window* w = display::initializedwindow("t_DisplayMode", n)) {
        w->TextDisplayMode = mode;
    }
}
