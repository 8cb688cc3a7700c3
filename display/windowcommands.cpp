#include "display/windowcommands.h"

#include "base/log.h"
#include "core/appdelegate.h"
#include "core/bridge.h"
#include "display/bell.h"
#include "display/videomemory.h"
#include "display/windowlookup.h"
#include "quorvinthal/toolkit.h"

#include <cmath>

namespace display {

namespace {

void showtextwindow(uint8_t n, platform::Window window, platform::TextView text, bool visible) {
    core::onmain([&] {
        if (!visible) {
            platform::windowhide(window);
            return;
        }
        if (n == t_WindowPasteboard) {
            platform::textviewsetstring(text, platform::pasteboardstring());
        }
        platform::windowshow(window);
        platform::textviewsetneedsdisplay(text);
    });
}

const char* missingtextwindowline(uint8_t n) {
    switch (n) {
    case t_WindowPasteboard:
        return "t_WindowVisible: Pasteboard window is nil, resource undefined.";
    case t_WindowPrinter:
        return "t_WindowVisible: Virtual printer window is nil, resource undefined.";
    default:
        return "t_WindowVisible: System console window is nil, resource undefined.";
    }
}

void sizegraphicwindow(uint8_t n, platform::Window window, double x, double y, double width,
                       double height) {
    const t_Window* found = initializedwindow("t_WindowSize", n);
    if (found == nullptr) {
        return;
    }
    const t_Window& w = *found;
    double bw = static_cast<double>(w.BorderWidth), bh = static_cast<double>(w.BorderHeight);
    double title = static_cast<double>(w.TitleHeight);
    platform::View view = w.View;
    core::onmain([&] {
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
    double title = static_cast<double>(core::titlebarheight());
    core::onmain([&] {
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
    return core::onmain([n]() -> platform::TextView {
        const core::AppDelegate& d = core::appdelegate();
        switch (n) {
        case t_WindowPasteboard:
            return d.PasteboardTextView;
        case t_WindowPrinter:
            return d.VirtualPrinterTextView;
        case t_WindowConsole:
            return d.SystemConsoleTextView;
        default:
            return nullptr;
        }
    });
}

void windowdidresize(platform::Window) {
    platform::Window main = platform::activewindow();
    if (main == nullptr) {
        return;
    }
    const core::AppDelegate& d = core::appdelegate();
    platform::Rect frame = platform::windowframe(main);
    double W = frame.width, H = frame.height, T = static_cast<double>(core::titlebarheight());
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

} // namespace display

void t_WindowCenter(uint8_t n) {
    if (platform::Window window = display::existingwindow("t_WindowCenter", n)) {
        core::onmain([&] { platform::windowcenter(window); });
    }
}

void t_WindowFront(uint8_t n) {
    platform::Window window = display::existingwindow("t_WindowFront", n);
    if (window == nullptr) {
        return;
    }
    t_WindowVisible(n, true);
    core::onmain([&] { platform::windowmakekeyandfront(window); });
}

void t_WindowTitle(uint8_t n, const std::string& title) {
    platform::Window window = display::existingwindow("t_WindowTitle", n);
    if (window == nullptr) {
        return;
    }
    if (platform::ismainthread()) {
        platform::windowsettitle(window, title);
    } else {
        platform::postonmain([window, title] { platform::windowsettitle(window, title); });
    }
}

void t_WindowDescription(uint8_t n, const std::string& text) {
    if (!display::graphicwindownumber("t_WindowDescription", n)) {
        return;
    }
    if (platform::View view = display::existingview("t_WindowDescription", n)) {
        core::onmain([&] { platform::viewsetdescription(view, text); });
    }
}

void t_WindowVisible(uint8_t n, bool visible) {
    platform::Window window = display::existingwindow("t_WindowVisible", n);
    if (window == nullptr) {
        return;
    }
    if (n >= t_WindowPasteboard && n <= t_WindowConsole) {
        platform::TextView text = display::gettextview(n);
        if (text == nullptr) {
            base::logline(display::missingtextwindowline(n));
            display::bell();
            return;
        }
        display::showtextwindow(n, window, text, visible);
        return;
    }
    bool graphic = n < t_GraphicWindows && display::memoryready();
    if (graphic && visible) { // before showing: the first paint comes as soon as it is shown
        display::windowrecord(n).Visible = true;
    }
    core::onmain([&] { visible ? platform::windowshow(window) : platform::windowhide(window); });
    if (graphic) {
        display::t_Window& w = display::windowrecord(n);
        w.Visible = visible;
        if (!visible) {
            w.UpdateDuration = 0;
        }
    }
}

void t_WindowTitleVisible(uint8_t n, bool visible) {
    platform::Window window = display::existingwindow("t_WindowTitleVisible", n);
    if (window == nullptr) {
        return;
    }
    if (n < t_GraphicWindows && display::memoryready()) {
        display::windowrecord(n).TitleHeight = visible ? core::titlebarheight() : 0;
    }
    core::onmain([&] { platform::windowsettitlebar(window, visible); });
}

void t_WindowSize(uint8_t n, int64_t x, int64_t y, int64_t width, int64_t height) {
    platform::Window window = display::existingwindow("t_WindowSize", n);
    if (window == nullptr) {
        return;
    }
    x = x == t_Keep ? t_WindowPos(n, t_PosLeft) : x;
    y = y == t_Keep ? t_WindowPos(n, t_PosBottom) : y;
    width = width == t_Keep ? t_WindowPos(n, t_PosWidth) : width;
    height = height == t_Keep ? t_WindowPos(n, t_PosHeight) : height;
    double fx = static_cast<double>(x), fy = static_cast<double>(y);
    double fw = static_cast<double>(width), fh = static_cast<double>(height);
    if (n < t_GraphicWindows) {
        display::sizegraphicwindow(n, window, fx, fy, fw, fh);
    } else if (n <= t_WindowConsole) {
        display::sizetextwindow(n, window, fx, fy, fw, fh);
    } else {
        double title = static_cast<double>(core::titlebarheight());
        core::onmain([&] { platform::windowsetframe(window, {fx, fy, fw, fh + title}); });
    }
}
