// t_Header: a line with one text at the left and one at the right edge of the text area.
#include "display/windowlookup.h"
#include "quorvinthal/toolkit.h"
#include "unicode/graphemes.h"

#include <string>

namespace text {

namespace {

std::string headertext(const std::string& left, const std::string& right, int64_t width) {
    int64_t gap = width - unicode::graphemecount(left) - unicode::graphemecount(right);
    if (gap >= 1) {
        return left + std::string(static_cast<size_t>(gap), ' ') + right;
    }
    return width < 1 ? std::string() : t_Left(left + right, width);
}

} // namespace

} // namespace text

void t_Header(uint8_t n, const std::string& left, const std::string& right) {
    display::t_Window* w = display::textwindow("t_Header", n);
    if (w == nullptr) {
        return;
    }
    uint8_t colour = w->TextColor;
    std::string header = text::headertext(left, right, w->TextLastColumn - w->TextFirstColumn + 1);
    int64_t m = unicode::graphemecount(header);
    t_Print(n, m - 1 >= 1 ? t_Left(header, m - 1) : std::string());
    std::string last = t_CharAt(header, m);
    int32_t scalar = 0;
    if (!last.empty()) {
        unicode::decodescalar(last, 0, scalar);
    }
    t_PrintSymbol(n, static_cast<uint8_t>(scalar & 0xFF), colour, w->TextHpos, w->TextVpos);
    if (w->TextLastLine - w->TextFirstLine + 1 < 2) {
        t_Htab(n, 1);
    } else {
        t_Cr(n);
    }
}
