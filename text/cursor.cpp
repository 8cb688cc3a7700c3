// Moving the text cursor (t_Cr, t_CursorRight ... t_Vtab), the text area and ruled lines.
#include "quorvinthal/toolkit.h"
#include "text/textchecks.h"

#include <algorithm>

void t_Cr(uint8_t n) {
    if (!text::textcommandready("t_Cr", n)) {
        return;
    }
    display::t_Window& w = display::windowrecord(n);
    w.TextHpos = w.TextFirstColumn.load();
    w.TextVpos += 1;
    if (w.TextVpos > w.TextLastLine) {
        t_ScrollUp(n);
        w.TextVpos -= 1;
    }
}

void t_CursorRight(uint8_t n) {
    if (!text::textcommandready("t_CursorRight", n)) {
        return;
    }
    display::t_Window& w = display::windowrecord(n);
    w.TextHpos += 1;
    if (w.TextHpos > w.TextLastColumn) {
        t_Cr(n);
    }
}

void t_CursorLeft(uint8_t n) {
    if (!text::textcommandready("t_CursorLeft", n)) {
        return;
    }
    display::t_Window& w = display::windowrecord(n);
    w.TextHpos -= 1;
    if (w.TextHpos < w.TextFirstColumn) {
        w.TextHpos = w.TextLastColumn.load();
        t_CursorUp(n);
    }
}

void t_CursorDown(uint8_t n) {
    if (!text::textcommandready("t_CursorDown", n)) {
        return;
    }
    display::t_Window& w = display::windowrecord(n);
    w.TextVpos += 1;
    if (w.TextVpos > w.TextLastLine) {
        t_ScrollUp(n);
        w.TextVpos -= 1;
    }
}

void t_CursorUp(uint8_t n) {
    if (!text::textcommandready("t_CursorUp", n)) {
        return;
    }
    display::t_Window& w = display::windowrecord(n);
    w.TextVpos -= 1;
    if (w.TextVpos < w.TextFirstLine) {
        t_ScrollDown(n);
        w.TextVpos += 1;
    }
}

void t_CursorHome(uint8_t n) {
    if (!text::textcommandready("t_CursorHome", n)) {
        return;
    }
    display::t_Window& w = display::windowrecord(n);
    w.TextHpos = w.TextFirstColumn.load();
    w.TextVpos = w.TextFirstLine.load();
}

void t_CursorEnd(uint8_t n) {
    if (!text::textcommandready("t_CursorEnd", n)) {
        return;
    }
    display::t_Window& w = display::windowrecord(n);
    w.TextHpos = w.TextLastColumn.load();
    w.TextVpos = w.TextLastLine.load();
}

void t_Htab(uint8_t n, int64_t column) {
    if (!text::textcommandready("t_Htab", n)) {
        return;
    }
    display::t_Window& w = display::windowrecord(n);
    // Compared before adding, so that no column overflows.
    if (column >= 1 && column - 1 <= w.TextWidth - w.TextFirstColumn) {
        w.TextHpos = column + w.TextFirstColumn - 1;
    }
}

void t_Vtab(uint8_t n, int64_t line) {
    if (!text::textcommandready("t_Vtab", n)) {
        return;
    }
    display::t_Window& w = display::windowrecord(n);
    if (line >= 1 && line <= w.TextHeight) {
        w.TextVpos = line;
    }
}

void t_FullArea(uint8_t n) {
    if (!text::windowcommandready("t_FullArea", n)) {
        return;
    }
    display::t_Window& w = display::windowrecord(n);
    w.TextFirstColumn = 1;
    w.TextLastColumn = w.TextWidth.load();
    w.TextFirstLine = 1;
    w.TextLastLine = w.TextHeight.load();
}

void t_TextHline(uint8_t n, int64_t from, int64_t to, int64_t line, uint8_t c) {
    if (!text::textcommandready("t_TextHline", n)) {
        return;
    }
    const display::t_Window& w = display::windowrecord(n);
    uint8_t colour = w.TextColor;
    // Each illegal column is refused with a line of its own, for at most one window width on
    // either side: further out the refusals only repeat, and the range may be huge.
    const int64_t columns = w.Width / std::max<int64_t>(1, w.Font.Width);
    const int64_t span = std::max<int64_t>(columns, 1);
    from = std::max(from, 1 - span);
    to = std::min(to, columns + span);
    for (int64_t x = from; x <= to; ++x) {
        t_PrintSymbol(n, c, colour, x, line);
    }
}

void t_TextLine(uint8_t n) {
    if (!text::textcommandready("t_TextLine", n)) {
        return;
    }
    const display::t_Window& w = display::windowrecord(n);
    t_TextHline(n, w.TextHpos, w.TextLastColumn, w.TextVpos, 156);
    t_Cr(n);
}
