// t_TextHline and t_TextLine: ruled lines of one symbol across text cells.
#include "display/windowlookup.h"
#include "quorvinthal/toolkit.h"

#include <algorithm>

void t_TextHline(uint8_t n, int64_t from, int64_t to, int64_t line, uint8_t c) {
    const display::t_Window* w = display::textwindow("t_TextHline", n);
    if (w == nullptr) {
        return;
    }
    uint8_t colour = w->TextColor;
    // Each illegal column is refused with a line of its own, for at most one window width on
    // either side: further out the refusals only repeat, and the range may be huge.
    const int64_t columns = w->Width / std::max<int64_t>(1, w->Font.Width);
    const int64_t span = std::max<int64_t>(columns, 1);
    from = std::max(from, 1 - span);
    to = std::min(to, columns + span);
    for (int64_t x = from; x <= to; ++x) {
        t_PrintSymbol(n, c, colour, x, line);
    }
}

void t_TextLine(uint8_t n) {
    const display::t_Window* w = display::textwindow("t_TextLine", n);
    if (w == nullptr) {
        return;
    }
    t_TextHline(n, w->TextHpos, w->TextLastColumn, w->TextVpos, 156);
    t_Cr(n);
}
