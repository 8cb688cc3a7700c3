#include "ui/accessibletext.h"

#include "display/videomemory.h"
#include "quorvinthal/toolkit.h"
#include "text/getscreen.h"
#include "ui/copyconversion.h"

#include <algorithm>

namespace ui {

namespace {

// Where t_GetScreen ends a line: after its last character that is not a blank.
int64_t lineend(const std::vector<uint8_t>& cells, int64_t line, int64_t columns) {
    int64_t end = columns;
    while (end > 0 && cells[static_cast<size_t>(line * columns + end - 1)] == ' ') {
        --end;
    }
    return end;
}

} // namespace

// The cells are read once and converted one by one as the copy converts them: a whole screen
// costs far less than drawing one line of it.
bool viewtext(int view, platform::ViewText& text) {
    if (view < 0 || view >= t_GraphicWindows || !display::textwindowready(uint8_t(view))) {
        return false;
    }
    const display::t_Window& w = display::windowrecord(static_cast<uint8_t>(view));
    const int64_t columns = w.TextWidth, lines = w.TextHeight;
    // The cursor's cell counts from 1.
    const int64_t caretline = std::clamp<int64_t>(w.TextVpos - 1, 0, lines - 1);
    const int64_t caretcolumn = std::clamp<int64_t>(w.TextHpos - 1, 0, columns);
    const std::vector<uint8_t> cells = text::screencells(w);
    int64_t last = lines - 1;
    while (last > caretline && lineend(cells, last, columns) == 0) {
        --last;
    }
    text = platform::ViewText{};
    text.editing = w.InputActive;
    for (int64_t line = 0; line <= last; ++line) {
        int64_t end = lineend(cells, line, columns);
        if (line == caretline) {
            end = std::max(end, caretcolumn); // the blanks up to the caret stay
            text.caret = static_cast<int64_t>(text.text.size()) + caretcolumn;
        }
        for (int64_t column = 0; column < end; ++column) {
            text.text +=
                static_cast<char16_t>(copiedscalar(cells[size_t(line * columns + column)]));
        }
        text.text += line < last ? u"\n" : u"";
    }
    return true;
}

} // namespace ui
