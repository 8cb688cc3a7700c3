// t_WindowPos: window facts by selector.
#include "core/appdelegate.h"
#include "core/bridge.h"
#include "display/videomemory.h"
#include "display/windowcommands.h"
#include "quorvinthal/toolkit.h"

#include <cmath>

namespace display {

namespace {

int64_t truncated(double v) {
    return static_cast<int64_t>(std::trunc(v));
}

// The frame values of a window as the selectors use them.
struct FrameFacts {
    int64_t W = 0, H = 0, T = 0, BW = 0, BH = 0;
    int64_t x = 0, y = 0, screenwidth = 0, screenheight = 0;
};

FrameFacts framefacts(uint8_t n, platform::Window window) {
    FrameFacts f;
    core::onmain([&] {
        platform::Rect frame = platform::windowframe(window);
        platform::Rect screen = platform::windowscreenframe(window);
        f.W = truncated(frame.width);
        f.H = truncated(frame.height);
        f.x = truncated(frame.x);
        f.y = truncated(frame.y);
        f.screenwidth = truncated(screen.width);
        f.screenheight = truncated(screen.height);
    });
    f.T = core::titlebarheight();
    if (n < graphicwindowcount && memoryready()) {
        const t_Window& w = windowrecord(n);
        f.BW = w.BorderWidth;
        f.BH = w.BorderHeight;
        f.T = w.TitleHeight;
        f.W = w.Width + 2 * f.BW;
        f.H = w.Height + 2 * f.BH + f.T;
    }
    return f;
}

// Selectors 0 ... 7 of a graphic window with its memory ready: the text area.
int64_t textselector(const t_Window& w, int64_t selector) {
    switch (selector) {
    case 0:
        return w.TextFirstColumn;
    case 1:
        return w.TextFirstLine;
    case 2:
        return w.TextLastColumn;
    case 3:
        return w.TextLastLine;
    case 4:
        return w.TextLastColumn - w.TextFirstColumn + 1;
    case 5:
        return w.TextLastLine - w.TextFirstLine + 1;
    case 6:
        return w.TextWidth;
    default:
        return w.TextHeight;
    }
}

// Selectors 0 ... 7 of the special windows: the frame.
int64_t frameselector(const FrameFacts& f, int64_t selector) {
    switch (selector) {
    case 0:
    case 1:
        return 0;
    case 2:
        return f.W - 1;
    case 3:
        return f.H - 1;
    case 4:
    case 6:
        return f.W;
    default:
        return f.H;
    }
}

int64_t frameselectorfrom8(const FrameFacts& f, int64_t selector) {
    switch (selector) {
    case 8:
        return f.W - 2 * f.BW;
    case 9:
        return f.H - f.T - 2 * f.BH;
    case 10:
        return f.W;
    case 11:
        return f.H - f.T;
    case 12:
        return f.H;
    case 13:
        return f.x;
    case 14:
        return f.screenheight - f.y - f.H;
    case 15:
        return f.screenwidth;
    case 16:
        return f.screenheight;
    case 17:
        return f.T;
    case 18:
        return f.BW;
    case 19:
        return f.BH;
    case 20:
        return f.y;
    default:
        return 0;
    }
}

} // namespace

} // namespace display

int64_t t_WindowPos(uint8_t n, int64_t selector) {
    platform::Window window = display::existingwindow("t_WindowPos", n);
    if (window == nullptr || selector < 0 || selector > 20) {
        return 0;
    }
    bool graphic = n < display::graphicwindowcount;
    if (selector <= 7) {
        if (graphic && display::memoryready()) {
            return display::textselector(display::windowrecord(n), selector);
        }
        if (graphic) {
            return 0;
        }
    }
    display::FrameFacts facts = display::framefacts(n, window);
    if (selector <= 7) {
        return display::frameselector(facts, selector);
    }
    return display::frameselectorfrom8(facts, selector);
}
