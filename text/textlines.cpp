// t_TextHline and t_TextLine: ruled lines of one symbol across text cells.
#include "display/windowlookup.h"
#include "quorvinthal/toolkit.h"

#include <algorithm>
#include <cstdint>

namespace {

// Refusals past this many on either side of the window only repeat, and the range may be huge.
constexpr int64_t refusedcolumnslimit = 1024;

// Calls each(x) for x = first ... last, also when last is INT64_MAX.
template <typename Each> void eachcolumn(int64_t first, int64_t last, Each each) {
    for (int64_t x = first; x <= last; ++x) {
        each(x);
        if (x == last) {
            return;
        }
    }
}

int64_t plusrefused(int64_t x) {
    return x > INT64_MAX - (refusedcolumnslimit - 1) ? INT64_MAX : x + (refusedcolumnslimit - 1);
}

} // namespace

void t_TextHline(uint8_t n, int64_t from, int64_t to, int64_t line, uint8_t c) {
    const display::t_Window* w = display::textwindow("t_TextHline", n);
    if (w == nullptr || to < from) {
        return;
    }
    const uint8_t colour = w->TextColor;
    const auto print = [&](int64_t x) { t_PrintSymbol(n, c, colour, x, line); };
    // Every column of the range is printed or refused with a line of its own, the illegal ones
    // left and right of the window for at most refusedcolumnslimit columns from where the range
    // starts on that side.
    const int64_t columns = w->Width / std::max<int64_t>(1, w->Font.Width);
    eachcolumn(from, std::min({to, int64_t{0}, plusrefused(from)}), print);
    eachcolumn(std::max<int64_t>(from, 1), std::min(to, columns), print);
    const int64_t right = std::max(from, columns + 1);
    eachcolumn(right, std::min(to, plusrefused(right)), print);
}

void t_TextLine(uint8_t n) {
    const display::t_Window* w = display::textwindow("t_TextLine", n);
    if (w == nullptr) {
        return;
    }
    t_TextHline(n, w->TextHpos, w->TextLastColumn, w->TextVpos, 156);
    t_Cr(n);
}
