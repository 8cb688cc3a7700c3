#include "ui/mouseevents.h"

#include "core/clock.h"
#include "core/log.h"
#include "core/process.h"
#include "core/threads.h"
#include "display/videomemory.h"
#include "input/keyevents.h"

#include <cmath>
#include <mutex>

std::atomic<bool> leftmousebutton{false};
std::atomic<bool> rightmousebutton{false};

namespace {

// Reported for clicks that are not queued.
constexpr int64_t NoClick = -3;

struct MouseQueue {
    std::mutex lock;
    std::vector<t_Event> events;
    std::atomic<bool> available{false};
};

MouseQueue& mousequeue() {
    static MouseQueue queue;
    return queue;
}

struct MouseHandler {
    std::mutex lock;
    std::function<void()> handler = [] {};
};

MouseHandler& mousehandler() {
    static MouseHandler slot;
    return slot;
}

void appendmouseevent(const t_Event& event) {
    MouseQueue& queue = mousequeue();
    std::lock_guard guard(queue.lock);
    queue.events.push_back(event);
}

void refreshavailable() {
    MouseQueue& queue = mousequeue();
    std::lock_guard guard(queue.lock);
    queue.available.store(!queue.events.empty());
}

t_Event mouseevent(uint8_t n, const platform::MouseClick& click, int64_t x, int64_t y,
                   int64_t time) {
    const uint64_t m = click.modifierflags;
    const t_Window& w = windowrecord(n);
    t_Event event;
    event.Kind = MouseEventKind;
    event.Index = click.buttons;
    event.WindowX = x;
    event.WindowY = y;
    event.ClickX = clickpixel(x - w.BorderWidth, w.Width);
    event.ClickY = clickpixel(w.BorderHeight + w.Height - y, w.Height);
    event.Window = n;
    event.Time = time;
    setmodifierfields(event, m);
    event.FunctionKeyPressed = (m & FunctionModifier) != 0;
    return event;
}

void startmousehandler() {
    startbackgroundprocess([] {
        if (currentthreadnumber() >= 3) {
            namecurrentthread("t_EventMouse");
        }
        std::function<void()> handler;
        {
            MouseHandler& slot = mousehandler();
            std::lock_guard guard(slot.lock);
            handler = slot.handler;
        }
        handler();
    });
}

} // namespace

int64_t clickpixel(int64_t offset, int64_t size) {
    if (offset < 0) {
        return ClickBefore;
    }
    return offset < size ? offset : ClickAfter;
}

bool mouseeventavailable() {
    return mousequeue().available.load();
}

int64_t mouseeventcount() {
    MouseQueue& queue = mousequeue();
    std::lock_guard guard(queue.lock);
    return static_cast<int64_t>(queue.events.size());
}

std::vector<t_Event> mouseevents() {
    MouseQueue& queue = mousequeue();
    std::lock_guard guard(queue.lock);
    return queue.events;
}

bool takemouseevent(t_Event& event) {
    MouseQueue& queue = mousequeue();
    std::lock_guard guard(queue.lock);
    if (queue.events.empty()) {
        return false;
    }
    event = queue.events.front();
    queue.events.erase(queue.events.begin());
    queue.available.store(!queue.events.empty());
    return true;
}

void setmousehandler(std::function<void()> handler) {
    MouseHandler& slot = mousehandler();
    std::lock_guard guard(slot.lock);
    slot.handler = handler ? std::move(handler) : [] {};
}

void viewmousepress(int view, const platform::MouseClick& event) {
    if (event.button != platform::MouseButton::Other) {
        viewMouseDown(static_cast<uint8_t>(view), event,
                      event.button == platform::MouseButton::Right);
    }
}

void viewmouserelease(int view, const platform::MouseClick& event) {
    if (event.button != platform::MouseButton::Other) {
        viewMouseUp(static_cast<uint8_t>(view), event);
    }
}

void viewMouseDown(uint8_t n, const platform::MouseClick& event, bool right) {
    if (memoryready && n < graphicwindowcount) {
        const t_Window& window = windowrecord(n);
        if (!window.Initialized) {
            logline("viewMouseDown: Graphic window (" + std::to_string(n) + ") not initialized.");
        } else if (!window.IgnoreEvents) {
            t_MouseEventHandler(n, event, event.windowx, event.windowy);
        }
    }
    leftmousebutton = !right;
    rightmousebutton = right;
}

void viewMouseUp(uint8_t, const platform::MouseClick&) {
    leftmousebutton = false;
    rightmousebutton = false;
}

void t_MouseEventHandler(uint8_t n, const platform::MouseClick& event, double x, double y) {
    const int64_t time = absolutemilliseconds();
    const auto windowx = static_cast<int64_t>(std::trunc(x));
    const auto windowy = static_cast<int64_t>(std::trunc(y));
    int64_t clickx = NoClick, clicky = NoClick;
    std::string windowtext;
    if (n >= graphicwindowcount) {
        logline("t_MouseEventHandler: Unknown window, AbsX = " + std::to_string(windowx) +
                ", AbsY = " + std::to_string(windowy));
    } else if (!memoryready || !windowrecord(n).Initialized) {
        logline("t_MouseEventHandler: Window #" + std::to_string(n) + " not initialized.");
    } else {
        const t_Event queued = mouseevent(n, event, windowx, windowy, time);
        appendmouseevent(queued);
        clickx = queued.ClickX;
        clicky = queued.ClickY;
        windowtext = "Graphic #" + std::to_string(n);
    }
    logline("t_MouseEventHandler: " + windowtext + " window, X = " + std::to_string(clickx) +
            ", Y = " + std::to_string(clicky));
    refreshavailable();
    startmousehandler();
    logline("t_MouseEventHandler: Calling program mouse handler asynchronously.");
}
