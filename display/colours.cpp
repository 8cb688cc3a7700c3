// t_Color and t_ColorBorder: a window's drawing and text colour, and its border.
#include "core/bridge.h"
#include "display/windowlookup.h"
#include "quorvinthal/toolkit.h"

void t_Color(uint8_t n, int64_t color) {
    display::t_Window* w = display::initializedwindow("t_Color", n);
    if (w == nullptr) {
        return;
    }
    w->TextColor = static_cast<uint8_t>(((color * 16) & 0xFF) | (w->TextColor & 15));
    w->RGBColor = t_PaletteColor(color & 15);
}

void t_ColorBorder(uint8_t n, int64_t color) {
    display::t_Window* w = display::initializedwindow("t_ColorBorder", n);
    if (w == nullptr) {
        return;
    }
    t_RGBColor c = t_PaletteColor(color & 15);
    w->RGBColorBorder = c;
    platform::Window window = w->Window;
    if (window == nullptr) {
        return;
    }
    core::onmain([&] { platform::windowsetbackground(window, c.Red, c.Green, c.Blue, c.Alpha); });
}
