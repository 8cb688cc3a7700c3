#include "display/windowcommands.h"

#include "core/appdelegate.h"
#include "core/bridge.h"
#include "core/log.h"
#include "core/lookup.h"
#include "display/bell.h"
#include "display/videomemory.h"

#include <cmath>

namespace {

constexpr uint8_t pasteboardwindow = 8;
constexpr uint8_t printerwindow = 9;
constexpr uint8_t consolewindow = 10;

platform::Window existingwindow(const char* command, uint8_t n) {
    platform::Window window = getwindow(n);
    if (window == nullptr) {
        logline(std::string(command) + ": Window does not exist.");
    }
    return window;
}

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
    onmain([&] {
        platform::Rect frame = platform::windowframe(window);
        platform::Rect screen = platform::windowscreenframe(window);
        f.W = truncated(frame.width);
        f.H = truncated(frame.height);
        f.x = truncated(frame.x);
        f.y = truncated(frame.y);
        f.screenwidth = truncated(screen.width);
        f.screenheight = truncated(screen.height);
    });
    f.T = titlebarheight;
    if (n < graphicwindowcount && memoryready) {
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

void showtextwindow(uint8_t n, platform::Window window, platform::TextView text, bool visible) {
    onmain([&] {
        if (!visible) {
            platform::windowhide(window);
            return;
        }
        if (n == pasteboardwindow) {
            platform::textviewsetstring(text, platform::pasteboardstring());
        }
        platform::windowshow(window);
        platform::textviewsetneedsdisplay(text);
    });
}

const char* missingtextwindowline(uint8_t n) {
    switch (n) {
    case pasteboardwindow:
        return "t_WindowVisible: Pasteboard window is nil, resource undefined.";
    case printerwindow:
        return "t_WindowVisible: Virtual printer window is nil, resource undefined.";
    default:
        return "t_WindowVisible: System console window is nil, resource undefined.";
    }
}

void sizegraphicwindow(uint8_t n, platform::Window window, double x, double y, double width,
                       double height) {
    if (!windowready(n)) {
        logline("t_WindowSize: Window #" + std::to_string(n) + " not initialized.");
        return;
    }
    const t_Window& w = windowrecord(n);
    double bw = static_cast<double>(w.BorderWidth), bh = static_cast<double>(w.BorderHeight);
    double title = static_cast<double>(w.TitleHeight);
    platform::View view = w.View;
    onmain([&] {
        platform::windowsetframe(window, {x, y, width + 2 * bw, height + title + 2 * bh});
        if (view != nullptr) {
            platform::viewsetframesize(view, width, height);
            platform::viewsetframeorigin(view, bw, bh);
        }
    });
}

void sizetextwindow(uint8_t n, platform::Window window, double x, double y, double width,
                    double height) {
    platform::TextView text = gettextview(n);
    double title = static_cast<double>(titlebarheight);
    onmain([&] {
        if (platform::windowisvisible(window)) {
            platform::windowshow(window);
        }
        platform::windowsetframe(window, {x, y, width, height + title});
        platform::ScrollView scroll = platform::scrollviewoftextview(text);
        if (scroll == nullptr) {
            return;
        }
        platform::Rect frame = platform::scrollviewframe(scroll);
        frame.x = std::trunc(frame.x);
        frame.y = std::trunc(frame.y);
        if (width - 40 > 0) {
            frame.width = width - 40;
        }
        if (height - 77 > 0) {
            frame.height = height - 77;
        }
        platform::scrollviewsetframe(scroll, frame);
    });
}

} // namespace

platform::TextView gettextview(uint8_t n) {
    return onmain([n]() -> platform::TextView {
        const AppDelegate& d = appdelegate();
        switch (n) {
        case pasteboardwindow:
            return d.PasteboardTextView;
        case printerwindow:
            return d.VirtualPrinterTextView;
        case consolewindow:
            return d.SystemConsoleTextView;
        default:
            return nullptr;
        }
    });
}

void t_WindowCenter(uint8_t n) {
    if (platform::Window window = existingwindow("t_WindowCenter", n)) {
        onmain([&] { platform::windowcenter(window); });
    }
}

void t_WindowFront(uint8_t n) {
    platform::Window window = existingwindow("t_WindowFront", n);
    if (window == nullptr) {
        return;
    }
    t_WindowVisible(n, true);
    onmain([&] { platform::windowmakekeyandfront(window); });
}

void t_WindowTitle(uint8_t n, const std::string& title) {
    platform::Window window = existingwindow("t_WindowTitle", n);
    if (window == nullptr) {
        return;
    }
    if (platform::ismainthread()) {
        platform::windowsettitle(window, title);
    } else {
        platform::postonmain([window, title] { platform::windowsettitle(window, title); });
    }
}

void t_WindowVisible(uint8_t n, bool visible) {
    platform::Window window = existingwindow("t_WindowVisible", n);
    if (window == nullptr) {
        return;
    }
    if (n >= pasteboardwindow && n <= consolewindow) {
        platform::TextView text = gettextview(n);
        if (text == nullptr) {
            logline(missingtextwindowline(n));
            bell();
            return;
        }
        showtextwindow(n, window, text, visible);
        return;
    }
    onmain([&] { visible ? platform::windowshow(window) : platform::windowhide(window); });
    if (n < graphicwindowcount && memoryready) {
        t_Window& w = windowrecord(n);
        w.Visible = visible;
        if (!visible) {
            w.UpdateDuration = 0;
        }
    }
}

void t_WindowTitleVisible(uint8_t n, bool visible) {
    platform::Window window = existingwindow("t_WindowTitleVisible", n);
    if (window == nullptr) {
        return;
    }
    if (n < graphicwindowcount && memoryready) {
        windowrecord(n).TitleHeight = visible ? titlebarheight.load() : 0;
    }
    onmain([&] { platform::windowsettitlebar(window, visible); });
}

void t_WindowSize(uint8_t n, int64_t x, int64_t y, int64_t width, int64_t height) {
    platform::Window window = existingwindow("t_WindowSize", n);
    if (window == nullptr) {
        return;
    }
    x = x == -1 ? t_WindowPos(n, 13) : x;
    y = y == -1 ? t_WindowPos(n, 20) : y;
    width = width == -1 ? t_WindowPos(n, 8) : width;
    height = height == -1 ? t_WindowPos(n, 9) : height;
    double fx = static_cast<double>(x), fy = static_cast<double>(y);
    double fw = static_cast<double>(width), fh = static_cast<double>(height);
    if (n < graphicwindowcount) {
        sizegraphicwindow(n, window, fx, fy, fw, fh);
    } else if (n <= consolewindow) {
        sizetextwindow(n, window, fx, fy, fw, fh);
    } else {
        double title = static_cast<double>(titlebarheight);
        onmain([&] { platform::windowsetframe(window, {fx, fy, fw, fh + title}); });
    }
}

int64_t t_WindowPos(uint8_t n, int64_t selector) {
    platform::Window window = existingwindow("t_WindowPos", n);
    if (window == nullptr || selector < 0 || selector > 20) {
        return 0;
    }
    bool graphic = n < graphicwindowcount;
    if (selector <= 7) {
        if (graphic && memoryready) {
            return textselector(windowrecord(n), selector);
        }
        if (graphic) {
            return 0;
        }
    }
    FrameFacts facts = framefacts(n, window);
    if (selector <= 7) {
        return frameselector(facts, selector);
    }
    return frameselectorfrom8(facts, selector);
}

void windowDidResize(platform::Window) {
    platform::Window main = platform::activewindow();
    if (main == nullptr) {
        return;
    }
    const AppDelegate& d = appdelegate();
    platform::Rect frame = platform::windowframe(main);
    double W = frame.width, H = frame.height, T = static_cast<double>(titlebarheight);
    if (main == d.PasteboardWindow && d.PasteboardScrollView != nullptr) {
        platform::scrollviewsetframe(d.PasteboardScrollView, {10, 10, W - 20, H - 20 - T});
        return;
    }
    auto fit = [&](platform::ScrollView scroll, platform::TextField ruler) {
        if (scroll != nullptr) {
            platform::scrollviewsetframe(scroll, {20, 20, W - 40, H - 40 - T - 15});
        }
        if (ruler != nullptr) {
            platform::textfieldsetsize(ruler, W - 48, 19);
        }
    };
    if (main == d.VirtualPrinterWindow) {
        fit(d.VirtualPrinterScrollView, d.VirtualPrinterRuler);
    } else if (main == d.SystemConsoleWindow) {
        fit(d.SystemConsoleScrollView, d.SystemConsoleRuler);
    }
}
