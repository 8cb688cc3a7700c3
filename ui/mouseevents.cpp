#include "ui/mouseevents.h"

#include "base/clock.h"
#include "base/lasting.h"
#include "base/log.h"
#include "base/slot.h"
#include "core/process.h"
#include "core/threads.h"
#include "display/videomemory.h"
#include "display/windowlookup.h"
#include "events/devicestate.h"
#include "events/queues.h"
#include "quorvinthal/toolkit.h"

#include <cmath>
#include <string>

namespace ui {

namespace {

// Reported for clicks that are not queued.
constexpr int64_t noclick = -3;

struct MouseHandlerState {
    base::Slot<std::function<void()>> handler{[] {}};
};

MouseHandlerState& state() {
    return base::lasting<MouseHandlerState>();
}

t_Event mouseevent(uint8_t n, const platform::MouseClick& click, int64_t x, int64_t y,
                   int64_t time) {
    const uint64_t m = click.modifierflags;
    const display::t_Window& w = display::windowrecord(n);
    t_Event event;
    event.Kind = t_EventMouse;
    event.Index = click.buttons;
    event.WindowX = x;
    event.WindowY = y;
    event.ClickX = clickpixel(x - w.BorderWidth, w.Width);
    event.ClickY = clickpixel(w.BorderHeight + w.Height - y, w.Height);
    event.Window = n;
    event.Time = time;
    events::setmodifierfields(event, m);
    event.FunctionKeyPressed = (m & platform::FunctionModifier) != 0;
    return event;
}

void startmousehandler() {
    core::startbackgroundprocess([] {
        if (core::currentthreadnumber() >= 3) {
            core::namecurrentthread("t_EventMouse");
        }
        state().handler.get()();
    });
}

void buttondown(uint8_t n, const platform::MouseClick& event, bool right) {
    if (display::takesevents("viewMouseDown", n)) {
        t_MouseEventHandler(n, event, event.windowx, event.windowy);
    }
    events::setmousebuttons(!right, right);
}

} // namespace

int64_t clickpixel(int64_t offset, int64_t size) {
    if (offset < 0) {
        return t_ClickBefore;
    }
    return offset < size ? offset : t_ClickAfter;
}

void viewmousedown(int view, const platform::MouseClick& event) {
    if (event.button != platform::MouseButton::Other) {
        buttondown(static_cast<uint8_t>(view), event, event.button == platform::MouseButton::Right);
    }
}

void viewmouseup(int, const platform::MouseClick& event) {
    if (event.button != platform::MouseButton::Other) {
        events::setmousebuttons(false, false);
    }
}

} // namespace ui

void t_SetMouseHandler(std::function<void()> handler) {
    ui::state().handler.set(handler ? std::move(handler) : [] {});
}

void t_MouseEventHandler(uint8_t n, const platform::MouseClick& event, double x, double y) {
    const int64_t time = base::absolutemilliseconds();
    const auto windowx = static_cast<int64_t>(std::trunc(x));
    const auto windowy = static_cast<int64_t>(std::trunc(y));
    int64_t clickx = ui::noclick, clicky = ui::noclick;
    std::string windowtext;
    if (n >= t_GraphicWindows) {
        base::logline("t_MouseEventHandler: Unknown window, AbsX = " + std::to_string(windowx) +
                      ", AbsY = " + std::to_string(windowy));
    } else if (!display::memoryready() || !display::windowrecord(n).Initialized) {
        base::logline("t_MouseEventHandler: Window #" + std::to_string(n) + " not initialized.");
    } else {
        const t_Event queued = ui::mouseevent(n, event, windowx, windowy, time);
        events::mousequeue().append(queued);
        clickx = queued.ClickX;
        clicky = queued.ClickY;
        windowtext = "Graphic #" + std::to_string(n);
    }
    base::logline("t_MouseEventHandler: " + windowtext + " window, X = " + std::to_string(clickx) +
                  ", Y = " + std::to_string(clicky));
    ui::startmousehandler();
    base::logline("t_MouseEventHandler: Calling program mouse handler asynchronously.");
}
