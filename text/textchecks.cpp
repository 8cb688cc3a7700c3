#include "text/textchecks.h"

#include "base/log.h"

#include <string>

namespace text {

namespace {

bool graphicwindownumber(const char* command, uint8_t n) {
    if (n < t_GraphicWindows) {
        return true;
    }
    base::logline(std::string(command) + ": Window is not a graphic window.");
    return false;
}

void lognotinitialized(const char* command, uint8_t n) {
    base::logline(std::string(command) + ": Window #" + std::to_string(n) + " not initialized.");
}

} // namespace

bool textcommandready(const char* command, uint8_t n) {
    if (!graphicwindownumber(command, n)) {
        return false;
    }
    if (!display::textwindowready(n)) {
        lognotinitialized(command, n);
        return false;
    }
    return true;
}

bool windowcommandready(const char* command, uint8_t n) {
    if (!graphicwindownumber(command, n)) {
        return false;
    }
    if (!display::windowready(n)) {
        lognotinitialized(command, n);
        return false;
    }
    return true;
}

int64_t cellindex(const display::t_Window& w, int64_t x, int64_t y) {
    int64_t columns = w.TextWidth, lines = w.TextHeight;
    if (x < 1 || y < 1 || x > columns || y > lines) {
        return -1;
    }
    int64_t index = (y - 1) * columns + (x - 1);
    return index < attributeoffset(w) ? index : -1;
}

int64_t attributeoffset(const display::t_Window& w) {
    return (w.TextMemoryEnd - w.TextMemoryStart + 1) / 2;
}

} // namespace text
