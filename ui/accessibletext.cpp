#include "ui/accessibletext.h"

#include "base/lines.h"
#include "display/videomemory.h"
#include "quorvinthal/toolkit.h"
#include "ui/copyconversion.h"

#include <algorithm>
#include <string_view>

namespace ui {

namespace {

// Characters of UTF-8 text: every byte but the continuation bytes.
int64_t charactercount(std::string_view text) {
    return std::count_if(text.begin(), text.end(),
                         [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
}

} // namespace

bool viewtext(int view, platform::ViewText& text) {
    if (view < 0 || view >= t_GraphicWindows || !display::textwindowready(uint8_t(view))) {
        return false;
    }
    const auto n = static_cast<uint8_t>(view);
    const display::t_Window& w = display::windowrecord(n);
    // The cursor's cell counts from 1.
    const auto caretline = static_cast<size_t>(std::max<int64_t>(w.TextVpos - 1, 0));
    const int64_t caretcolumn = std::clamp<int64_t>(w.TextHpos - 1, 0, w.TextWidth);
    std::vector<std::string> lines = base::splitlines(copyconversion(t_GetScreen(n, "\r")), '\r');
    lines.resize(std::max(lines.size(), caretline + 1));
    std::string& caretlinetext = lines[caretline];
    caretlinetext.append(
        static_cast<size_t>(std::max<int64_t>(caretcolumn - charactercount(caretlinetext), 0)),
        ' ');
    text = platform::ViewText{};
    text.editing = w.InputActive;
    for (size_t line = 0; line < lines.size(); ++line) {
        if (line > 0) {
            text.text += '\n';
        }
        if (line == caretline) {
            text.caret = charactercount(text.text) + caretcolumn;
        }
        text.text += lines[line];
    }
    return true;
}

} // namespace ui
