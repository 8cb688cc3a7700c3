#include "text/print.h"

#include "core/log.h"
#include "display/bell.h"
#include "display/palette.h"
#include "input/graphemes.h"
#include "input/keyqueue.h"
#include "input/strings.h"
#include "text/cursor.h"
#include "text/displaymode.h"
#include "text/printsymbol.h"
#include "text/scroll.h"
#include "text/textchecks.h"

namespace {

constexpr int64_t pausekey = 19; // Control-S

// Prints one code through the display mode at the cursor; the code range the caller accepts
// differs between t_Print (anything, "?" above 255) and t_PrintChar (0 ... 255).
void printthroughdisplaymode(uint8_t n, int64_t u, bool questionmarkabove255) {
    t_Window& w = windowrecord(n);
    DisplayModeResult r = t_ApplyDisplayMode(n, u);
    int64_t c = r.code;
    if (questionmarkabove255 && c >= 256) {
        if (w.TextDisplayMode == 4) {
            t_Color(n, 1);
        }
        c = '?';
    }
    if (c >= 0 && c <= 255) {
        t_PrintSymbol(n, static_cast<uint8_t>(c), w.TextColor, w.TextHpos, w.TextVpos);
        t_CursorRight(n);
    }
    w.TextInverse = r.inverse;
    w.TextColor = r.color;
}

template <typename Codes> void printcodes(uint8_t n, bool empty, Codes eachcode) {
    if (!textcommandready("t_Print", n)) {
        return;
    }
    if (windowrecord(n).Font.Data.empty()) {
        logline("t_Print: Window #" + std::to_string(n) + " has no text font.");
        return;
    }
    if (!empty) {
        eachcode([n](int64_t u) {
            if (u < 32 && windowrecord(n).TextDisplayMode <= 2) {
                if (u == 13) {
                    t_CheckPause(pausekey, true);
                }
                t_PrintControl(n, static_cast<uint8_t>(u));
                return;
            }
            printthroughdisplaymode(n, u, true);
        });
    }
    t_CheckPause(pausekey, true);
}

// Mode 99's tab to the next stop of a grid of step columns.
void tabtogrid(uint8_t n, int64_t step) {
    const t_Window& w = windowrecord(n);
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

// A character of command mode 99; the result code, or nothing when the mode stays 99.
DisplayModeResult commandcharacter(uint8_t n, int64_t c, bool inverse, uint8_t colour) {
    t_Window& w = windowrecord(n);
    DisplayModeResult consumed{-1, inverse, colour};
    if (c >= 64 && c <= 79) {
        consumed.color = static_cast<uint8_t>((c - 64) * 16 + (colour & 15));
    } else if (c >= 80 && c <= 95) {
        consumed.color = static_cast<uint8_t>((colour & 0xF0) + (c - 80));
    } else if (c != 101 && c != 102 && !(c >= 105 && c <= 107) && !(c >= 110 && c <= 127)) {
        return DisplayModeResult{c, inverse, colour};
    }
    w.TextDisplayMode = 0;
    if (c == 101) {
        t_CursorEnd(n);
    } else if (c == 102) {
        t_Htab(n, w.TextWidth - w.TextFirstColumn + 1);
    } else if (c >= 105 && c <= 107) {
        tabtogrid(n, c == 105 ? 10 : c == 106 ? 20 : 40);
    } else if (c >= 110) {
        t_ColorBorder(n, c - 110);
    }
    return consumed;
}

void controlaction(uint8_t n, uint8_t code) {
    t_Window& w = windowrecord(n);
    switch (code) {
    case 7:
        bell();
        break;
    case 8:
        t_CursorLeft(n);
        break;
    case 10:
        t_CursorDown(n);
        break;
    case 11:
        t_ClearEndOfWindow(n);
        break;
    case 12:
        t_CursorHome(n);
        t_ClearEndOfWindow(n);
        break;
    case 13:
        t_Cr(n);
        break;
    case 14:
        t_Normal(n);
        break;
    case 15:
        t_Inverse(n);
        break;
    case 17:
        t_Reverse(n);
        break;
    case 18:
        t_Htab(n, 1);
        break;
    case 19:
        w.TextDisplayMode = 0;
        break;
    case 20:
        w.TextDisplayMode = 1;
        break;
    case 22:
        t_ScrollDown(n);
        break;
    case 23:
        t_ScrollUp(n);
        break;
    case 25:
        t_CursorHome(n);
        break;
    case 26:
        t_Htab(n, 1);
        t_ClearEndOfLine(n);
        break;
    case 27:
        w.TextDisplayMode = 99;
        break;
    case 28:
        t_CursorRight(n);
        break;
    case 29:
        t_ClearEndOfLine(n);
        break;
    case 30:
        t_CursorUp(n);
        break;
    case 31:
        w.TextDisplayMode = 2;
        break;
    default:
        break; // the other codes have no meaning
    }
}

std::string headertext(const std::string& left, const std::string& right, int64_t width) {
    int64_t gap = width - graphemecount(left) - graphemecount(right);
    if (gap >= 1) {
        return left + std::string(static_cast<size_t>(gap), ' ') + right;
    }
    return width < 1 ? std::string() : t_Left(left + right, width);
}

std::string trimmedscreen(const std::string& text) {
    std::vector<std::string> lines;
    size_t begin = 0;
    while (true) {
        size_t end = text.find('\r', begin);
        std::string line = text.substr(begin, end == std::string::npos ? end : end - begin);
        line.erase(line.find_last_not_of(' ') + 1);
        lines.push_back(line);
        if (end == std::string::npos) {
            break;
        }
        begin = end + 1;
    }
    while (lines.size() > 1 && lines.back().empty()) {
        lines.pop_back();
    }
    std::string joined;
    for (size_t i = 0; i < lines.size(); ++i) {
        joined += (i > 0 ? "\r" : "") + lines[i];
    }
    return joined;
}

} // namespace

void t_Print(uint8_t n, const std::string& text) {
    printcodes(n, text.empty(), [&](auto print) {
        for (size_t pos = 0; pos < text.size();) {
            int32_t scalar = 0;
            pos += decodescalar(text, pos, scalar);
            print(scalar);
        }
    });
}

void t_Print(uint8_t n, const std::vector<uint8_t>& bytes) {
    printcodes(n, bytes.empty(), [&](auto print) {
        for (uint8_t b : bytes) {
            print(b);
        }
    });
}

void t_PrintChar(uint8_t n, uint8_t c) {
    if (textcommandready("t_PrintChar", n)) {
        printthroughdisplaymode(n, c, false);
    }
}

void t_PrintSpc(uint8_t n, int64_t count) {
    for (int64_t i = 0; i < count; ++i) {
        t_PrintChar(n, 32);
    }
}

void t_PrintTab(uint8_t n, int64_t column, uint8_t fill) {
    if (!textcommandready("t_PrintTab", n)) {
        return;
    }
    int64_t count = column - windowrecord(n).TextHpos;
    for (int64_t i = 0; i < count; ++i) {
        t_PrintChar(n, fill);
    }
}

void t_PrintControl(uint8_t n, uint8_t code) {
    if (n >= graphicwindowcount) {
        logline("t_PrintControl: Window is not a graphic window.");
        return;
    }
    int64_t redirect = memoryready ? windowrecord(n).TextRedirectOutput.load() : 1;
    if (redirect == 1 && textwindowready(n)) {
        controlaction(n, code);
    } else if (redirect == 2) {
        writeoutput(scalartext(code));
    } else if (redirect == 1) {
        logline("t_PrintControl: Window #" + std::to_string(n) + " not initialized.");
    }
}

DisplayModeResult t_ApplyDisplayMode(uint8_t n, int64_t c) {
    if (!textcommandready("t_ApplyDisplayMode", n)) {
        return DisplayModeResult{};
    }
    t_Window& w = windowrecord(n);
    bool inverse = w.TextInverse;
    uint8_t colour = w.TextColor;
    DisplayModeResult same{c, inverse, colour};
    switch (w.TextDisplayMode) {
    case 1:
        return c >= 32 && c <= 127 ? DisplayModeResult{c + 128, inverse, colour} : same;
    case 2:
        if (c >= 64 && c <= 95) {
            return DisplayModeResult{c - 64, inverse, colour};
        }
        return c >= 96 && c <= 127 ? DisplayModeResult{c + 32, inverse, colour} : same;
    case 3:
        if (c >= 0 && c <= 31) {
            t_Inverse(n);
            return DisplayModeResult{c + 64, inverse, colour};
        }
        return same;
    case 4:
        if (c >= 0 && c <= 31) {
            t_Color(n, 1);
            return DisplayModeResult{c + 64, inverse, colour};
        }
        return same;
    case 99:
        return commandcharacter(n, c, inverse, colour);
    default:
        return same;
    }
}

void t_Header(uint8_t n, const std::string& left, const std::string& right) {
    if (!textcommandready("t_Header", n)) {
        return;
    }
    t_Window& w = windowrecord(n);
    uint8_t colour = w.TextColor;
    std::string header = headertext(left, right, w.TextLastColumn - w.TextFirstColumn + 1);
    int64_t m = graphemecount(header);
    t_Print(n, m - 1 >= 1 ? t_Left(header, m - 1) : std::string());
    std::string last = t_CharAt(header, m);
    int32_t scalar = 0;
    if (!last.empty()) {
        decodescalar(last, 0, scalar);
    }
    t_PrintSymbol(n, static_cast<uint8_t>(scalar & 0xFF), colour, w.TextHpos, w.TextVpos);
    if (w.TextLastLine - w.TextFirstLine + 1 < 2) {
        t_Htab(n, 1);
    } else {
        t_Cr(n);
    }
}

std::string t_GetScreen(uint8_t n, const std::string& separator) {
    if (!textcommandready("t_GetScreen", n)) {
        return {};
    }
    const t_Window& w = windowrecord(n);
    int64_t columns = w.TextWidth, lines = w.TextHeight;
    std::vector<uint8_t> characters(static_cast<size_t>(std::max<int64_t>(columns * lines, 0)));
    {
        VideoLock guard(videolock());
        std::copy_n(videomemory() + w.TextMemoryStart, characters.size(), characters.begin());
    }
    std::string text;
    for (int64_t line = 0; line < lines; ++line) {
        for (int64_t column = 0; column < columns; ++column) {
            text += scalartext(characters[static_cast<size_t>(line * columns + column)]);
        }
        text += separator;
    }
    return separator.empty() ? text : trimmedscreen(text);
}
