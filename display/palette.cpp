#include "display/palette.h"

#include "base/log.h"
#include "core/bridge.h"
#include "display/videomemory.h"
#include "quorvinthal/toolkit.h"

#include <string>

namespace display {

namespace {

const Palette colours{
    {0, 255, 0, 255, 0, 84, 0, 0, 128, 255, 168, 255, 0, 255, 0, 255},
    {0, 0, 0, 0, 128, 84, 0, 128, 64, 128, 168, 128, 255, 255, 255, 255},
    {0, 0, 128, 255, 0, 84, 255, 255, 0, 0, 168, 128, 0, 0, 255, 255},
};

// The shared checks of a colour command; logs and returns false when the window cannot take it.
bool colourwindowready(const char* command, uint8_t n) {
    if (n >= t_GraphicWindows) {
        base::logline(std::string(command) + ": Window is not a graphic window.");
        return false;
    }
    if (!windowready(n)) {
        base::logline(std::string(command) + ": Window #" + std::to_string(n) +
                      " not initialized.");
        return false;
    }
    return true;
}

} // namespace

const Palette& palette() {
    return colours;
}

} // namespace display

t_RGBColor t_PaletteColor(int64_t index) {
    if (index < t_Black || index > t_White) {
        return t_RGBColor{255, 0, 0, 0};
    }
    return t_RGBColor{255, display::colours.Red[index], display::colours.Green[index],
                      display::colours.Blue[index]};
}

void t_Color(uint8_t n, int64_t color) {
    if (!display::colourwindowready("t_Color", n)) {
        return;
    }
    display::t_Window& w = display::windowrecord(n);
    w.TextColor = static_cast<uint8_t>(((color * 16) & 0xFF) | (w.TextColor & 15));
    w.RGBColor = t_PaletteColor(color & 15);
}

void t_ColorBorder(uint8_t n, int64_t color) {
    if (!display::colourwindowready("t_ColorBorder", n)) {
        return;
    }
    display::t_Window& w = display::windowrecord(n);
    t_RGBColor c = t_PaletteColor(color & 15);
    w.RGBColorBorder = c;
    platform::Window window = w.Window;
    if (window == nullptr) {
        return;
    }
    core::onmain([&] { platform::windowsetbackground(window, c.Red, c.Green, c.Blue, c.Alpha); });
}
