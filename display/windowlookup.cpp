#include "display/windowlookup.h"

#include "base/log.h"
#include "core/lookup.h"
#include "display/videomemory.h"
#include "quorvinthal/toolkit.h"

#include <string>

namespace display {

namespace {

void lognumbered(const char* command, const char* what, uint8_t n, const char* state) {
    base::logline(std::string(command) + ": " + what + std::to_string(n) + state);
}

void loggraphicnotinitialized(const char* command, uint8_t n) {
    lognumbered(command, "Graphic window #", n, " not initialized.");
}

// The numbered window when ready(w) holds; "not initialized" otherwise.
t_Window* readywindow(const char* command, uint8_t n, bool (*ready)(const t_Window&)) {
    t_Window* w = numberedwindow(command, n);
    if (w != nullptr && !ready(*w)) {
        lognotinitialized(command, n);
        return nullptr;
    }
    return w;
}

} // namespace

void lognotinitialized(const char* command, uint8_t n) {
    lognumbered(command, "Window #", n, " not initialized.");
}

bool graphicwindownumber(const char* command, uint8_t n) {
    if (n < t_GraphicWindows) {
        return true;
    }
    base::logline(std::string(command) + ": Window is not a graphic window.");
    return false;
}

t_Window* numberedwindow(const char* command, uint8_t n) {
    if (!graphicwindownumber(command, n)) {
        return nullptr;
    }
    if (!memoryready()) {
        lognotinitialized(command, n);
        return nullptr;
    }
    return &windowrecord(n);
}

t_Window* initializedwindow(const char* command, uint8_t n) {
    return readywindow(command, n, [](const t_Window& w) -> bool { return w.Initialized; });
}

t_Window* textwindow(const char* command, uint8_t n) {
    return readywindow(command, n, textready);
}

t_Window* graphicwindow(const char* command, uint8_t n) {
    if (!graphicwindownumber(command, n)) {
        return nullptr;
    }
    if (!windowready(n)) {
        loggraphicnotinitialized(command, n);
        return nullptr;
    }
    return &windowrecord(n);
}

t_Window* shownwindow(const char* command, uint8_t n) {
    if (!memoryready() || n >= t_GraphicWindows) {
        return nullptr;
    }
    t_Window& w = windowrecord(n);
    if (!w.Initialized) {
        loggraphicnotinitialized(command, n);
        return nullptr;
    }
    return w.Visible ? &w : nullptr;
}

bool takesevents(const char* method, uint8_t n) {
    if (!memoryready() || n >= t_GraphicWindows) {
        return false;
    }
    const t_Window& w = windowrecord(n);
    if (!w.Initialized) {
        lognumbered(method, "Graphic window (", n, ") not initialized.");
        return false;
    }
    return !w.IgnoreEvents;
}

platform::Window existingwindow(const char* command, uint8_t n) {
    platform::Window window = core::getwindow(n);
    if (window == nullptr) {
        base::logline(std::string(command) + ": Window does not exist.");
    }
    return window;
}

platform::View existingview(const char* command, uint8_t n) {
    platform::View view = core::getview(n);
    if (view == nullptr) {
        lognumbered(command, "Window #", n, " view is nil, resource undefined.");
    }
    return view;
}

} // namespace display
