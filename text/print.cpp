// Printing at the text cursor (t_Print, t_PrintChar ...), the header line and the screen copy.
#include "base/log.h"
#include "display/palette.h"
#include "events/queues.h"
#include "quorvinthal/toolkit.h"
#include "text/displaymode.h"
#include "text/textchecks.h"
#include "unicode/graphemes.h"
#include "unicode/strings.h"

namespace text {

namespace {

constexpr int64_t pausekey = 19; // Control-S

// Prints one code through the display mode at the cursor; the code range the caller accepts
// differs between t_Print (anything, "?" above 255) and t_PrintChar (0 ... 255).
void printthroughdisplaymode(uint8_t n, int64_t u, bool questionmarkabove255) {
    display::t_Window& w = display::windowrecord(n);
    DisplayModeResult r = t_ApplyDisplayMode(n, u);
    int64_t c = r.code;
    if (questionmarkabove255 && c >= 256) {
        if (w.TextDisplayMode == t_DisplayRedControls) {
            t_Color(n, t_Red);
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
    if (display::windowrecord(n).Font.Data.empty()) {
        base::logline("t_Print: Window #" + std::to_string(n) + " has no text font.");
        return;
    }
    if (!empty) {
        eachcode([n](int64_t u) {
            // Up to t_DisplaySymbols a control code acts; above, it goes through the display mode.
            if (u < 32 && display::windowrecord(n).TextDisplayMode <= t_DisplaySymbols) {
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

std::string headertext(const std::string& left, const std::string& right, int64_t width) {
    int64_t gap = width - unicode::graphemecount(left) - unicode::graphemecount(right);
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

} // namespace text

void t_Print(uint8_t n, const std::string& text) {
    text::printcodes(n, text.empty(), [&](auto print) {
        for (size_t pos = 0; pos < text.size();) {
            int32_t scalar = 0;
            pos += unicode::decodescalar(text, pos, scalar);
            print(scalar);
        }
    });
}

void t_Print(uint8_t n, const std::vector<uint8_t>& bytes) {
    text::printcodes(n, bytes.empty(), [&](auto print) {
        for (uint8_t b : bytes) {
            print(b);
        }
    });
}

void t_PrintChar(uint8_t n, uint8_t c) {
    if (text::textcommandready("t_PrintChar", n)) {
        text::printthroughdisplaymode(n, c, false);
    }
}

void t_PrintSpc(uint8_t n, int64_t count) {
    if (!text::textcommandready("t_PrintSpc", n)) {
        return;
    }
    for (int64_t i = 0; i < count; ++i) {
        t_PrintChar(n, 32);
    }
}

void t_PrintTab(uint8_t n, int64_t column, uint8_t fill) {
    if (!text::textcommandready("t_PrintTab", n)) {
        return;
    }
    int64_t count = column - display::windowrecord(n).TextHpos;
    for (int64_t i = 0; i < count; ++i) {
        t_PrintChar(n, fill);
    }
}

void t_Header(uint8_t n, const std::string& left, const std::string& right) {
    if (!text::textcommandready("t_Header", n)) {
        return;
    }
    display::t_Window& w = display::windowrecord(n);
    uint8_t colour = w.TextColor;
    std::string header = text::headertext(left, right, w.TextLastColumn - w.TextFirstColumn + 1);
    int64_t m = unicode::graphemecount(header);
    t_Print(n, m - 1 >= 1 ? t_Left(header, m - 1) : std::string());
    std::string last = t_CharAt(header, m);
    int32_t scalar = 0;
    if (!last.empty()) {
        unicode::decodescalar(last, 0, scalar);
    }
    t_PrintSymbol(n, static_cast<uint8_t>(scalar & 0xFF), colour, w.TextHpos, w.TextVpos);
    if (w.TextLastLine - w.TextFirstLine + 1 < 2) {
        t_Htab(n, 1);
    } else {
        t_Cr(n);
    }
}

std::string t_GetScreen(uint8_t n, const std::string& separator) {
    if (!text::textcommandready("t_GetScreen", n)) {
        return {};
    }
    const display::t_Window& w = display::windowrecord(n);
    int64_t columns = w.TextWidth, lines = w.TextHeight;
    std::vector<uint8_t> characters(static_cast<size_t>(std::max<int64_t>(columns * lines, 0)));
    {
        display::VideoLock guard(display::videolock());
        std::copy_n(display::videomemory() + w.TextMemoryStart, characters.size(),
                    characters.begin());
    }
    std::string text;
    for (int64_t line = 0; line < lines; ++line) {
        for (int64_t column = 0; column < columns; ++column) {
            text += unicode::scalartext(characters[static_cast<size_t>(line * columns + column)]);
        }
        text += separator;
    }
    return separator.empty() ? text : text::trimmedscreen(text);
}
