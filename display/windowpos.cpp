// t_WindowPos: window facts by selector.
#include "core/appdelegate.h"
#include "core/bridge.h"
#include "display/videomemory.h"
#include "display/windowlookup.h"
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
    if (n < t_GraphicWindows && memoryready()) {
        const t_Window& w = windowrecord(n);
        f.BW = w.BorderWidth;
        f.BH = w.BorderHeight;
        f.T = w.TitleHeight;
        f.W = w.Width + 2 * f.BW;
        f.H = w.Height + 2 * f.BH + f.T;
    }
    return f;
}

// The text selectors (t_PosFirstColumn ... t_PosLines) of a graphic window with its memory
// ready: the text area and the cell grid.
int64_t textselector(const t_Window& w, int64_t selector) {
    switch (selector) {
    case t_PosFirstColumn:
        return w.TextFirstColumn;
    case t_PosFirstLine:
        return w.TextFirstLine;
    case t_PosLastColumn:
        return w.TextLastColumn;
    case t_PosLastLine:
        return w.TextLastLine;
    case t_PosAreaColumns:
        return w.TextLastColumn - w.TextFirstColumn + 1;
    case t_PosAreaLines:
        return w.TextLastLine - w.TextFirstLine + 1;
    case t_PosColumns:
        return w.TextWidth;
    default:
        return w.TextHeight;
    }
}

// The text selectors of the other windows: the frame.
int64_t frameselector(const FrameFacts& f, int64_t selector) {
    switch (selector) {
    case t_PosFirstColumn:
    case t_PosFirstLine:
        return 0;
    case t_PosLastColumn:
        return f.W - 1;
    case t_PosLastLine:
        return f.H - 1;
    case t_PosAreaColumns:
    case t_PosColumns:
        return f.W;
    default:
        return f.H;
    }
}

int64_t frameselectorfrom8(const FrameFacts& f, int64_t selector) {
    switch (selector) {
    case t_PosWidth:
        return f.W - 2 * f.BW;
    case t_PosHeight:
        return f.H - f.T - 2 * f.BH;
    case t_PosFrameWidth:
        return f.W;
    case t_PosContentHeight:
        return f.H - f.T;
    case t_PosFrameHeight:
        return f.H;
    case t_PosLeft:
        return f.x;
    case t_PosTop:
        return f.screenheight - f.y - f.H;
    case t_PosScreenWidth:
        return f.screenwidth;
    case t_PosScreenHeight:
        return f.screenheight;
    case t_PosTitleHeight:
        return f.T;
    case t_PosBorderWidth:
        return f.BW;
    case t_PosBorderHeight:
        return f.BH;
    case t_PosBottom:
        return f.y;
    default:
        return 0;
    }
}

} // namespace

} // namespace display

int64_t t_WindowPos(uint8_t n, int64_t selector) {
    platform::Window window = display::existingwindow("t_WindowPos", n);
    if (window == nullptr || selector < t_PosFirstColumn || selector > t_PosBottom) {
        return 0;
    }
    bool graphic = n < t_GraphicWindows;
    if (selector <= t_PosLines) {
        if (graphic && display::memoryready()) {
            return display::textselector(display::windowrecord(n), selector);
        }
        if (graphic) {
            return 0;
        }
    }
    display::FrameFacts facts = display::framefacts(n, window);
    if (selector <= t_PosLines) {
        return display::frameselector(facts, selector);
    }
    return display::frameselectorfrom8(facts, selector);
}
