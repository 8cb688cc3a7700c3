// t_GetScreen: the characters of a window's text block as text.
#include "text/getscreen.h"
#include "display/videomemory.h"
#include "display/windowlookup.h"
#include "quorvinthal/toolkit.h"
#include "unicode/strings.h"

#include <algorithm>
#include <string>
#include <vector>

namespace text {

namespace {

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

std::vector<uint8_t> screencells(const display::t_Window& w) {
    std::vector<uint8_t> cells(
        static_cast<size_t>(std::max<int64_t>(w.TextWidth * w.TextHeight, 0)));
    display::VideoLock guard(display::videolock());
    std::copy_n(display::videomemory() + w.TextMemoryStart, cells.size(), cells.begin());
    return cells;
}

} // namespace text

std::string t_GetScreen(uint8_t n, const std::string& separator) {
    const display::t_Window* w = display::textwindow("t_GetScreen", n);
    if (w == nullptr) {
        return {};
    }
    const int64_t columns = w->TextWidth, lines = w->TextHeight;
    const std::vector<uint8_t> characters = text::screencells(*w);
    std::string text;
    for (int64_t line = 0; line < lines; ++line) {
        for (int64_t column = 0; column < columns; ++column) {
            text += unicode::scalartext(characters[static_cast<size_t>(line * columns + column)]);
        }
        text += separator;
    }
    return separator.empty() ? text : text::trimmedscreen(text);
}
