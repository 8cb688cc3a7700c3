// Printing at the text cursor: t_Print, t_PrintChar, t_PrintSpc and t_PrintTab.
#include "base/log.h"
#include "display/windowlookup.h"
#include "quorvinthal/toolkit.h"
#include "text/displaymode.h"
#include "unicode/graphemes.h"

namespace text {

namespace {

constexpr int64_t pausekey = 19; // Control-S

// Prints one code through the display mode at the cursor; the code range the caller accepts
// differs between t_Print (anything, "?" above 255) and t_PrintChar (0 ... 255).
void printthroughdisplaymode(uint8_t n, display::t_Window& w, int64_t u,
                             bool questionmarkabove255) {
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
    display::t_Window* w = display::textwindow("t_Print", n);
    if (w == nullptr) {
        return;
    }
    if (w->Font.Data.empty()) {
        base::logline("t_Print: Window #" + std::to_string(n) + " has no text font.");
        return;
    }
    if (!empty) {
        eachcode([n, w](int64_t u) {
            // Up to t_DisplaySymbols a control code acts; above, it goes through the display mode.
            if (u < 32 && w->TextDisplayMode <= t_DisplaySymbols) {
                if (u == 13) {
                    t_CheckPause(pausekey, true);
                }
                t_PrintControl(n, static_cast<uint8_t>(u));
                return;
            }
            printthroughdisplaymode(n, *w, u, true);
        });
    }
    t_CheckPause(pausekey, true);
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
    if (display::t_Window* w = display::textwindow("t_PrintChar", n)) {
        text::printthroughdisplaymode(n, *w, c, false);
    }
}

void t_PrintSpc(uint8_t n, int64_t count) {
    if (display::textwindow("t_PrintSpc", n) == nullptr) {
        return;
    }
    for (int64_t i = 0; i < count; ++i) {
        t_PrintChar(n, 32);
    }
}

void t_PrintTab(uint8_t n, int64_t column, uint8_t fill) {
    display::t_Window* w = display::textwindow("t_PrintTab", n);
    if (w == nullptr) {
        return;
    }
    // A column far left of the cursor would overflow the difference.
    if (column <= w->TextHpos) {
        return;
    }
    const int64_t count = column - w->TextHpos;
    for (int64_t i = 0; i < count; ++i) {
        t_PrintChar(n, fill);
    }
}
