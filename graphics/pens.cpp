#include "graphics/pens.h"

#include "base/log.h"
#include "quorvinthal/toolkit.h"

#include <string>

namespace graphics {

namespace {

uint8_t greyof(t_RGBColor c) {
    return static_cast<uint8_t>((c.Red + c.Green + c.Blue) / 3);
}

bool palettedepth(int64_t depth) {
    return depth == 1 || depth == 4;
}

} // namespace

display::Pen colourpen(t_RGBColor colour, int64_t depth) {
    display::Pen pen{colour, 0, greyof(colour)};
    if (palettedepth(depth)) { // the nearest-colour search is only paid where it is needed
        pen.index = t_NearestColor(colour.Red, colour.Green, colour.Blue);
    }
    return pen;
}

display::Pen windowpen(const display::t_Window& w) {
    t_RGBColor colour = w.RGBColor;
    return display::Pen{colour, static_cast<uint8_t>(w.TextColor >> 4), greyof(colour)};
}

void logillegaldepth(int64_t depth) {
    base::logline("g_Plot: Illegal bit depth (" + std::to_string(depth) + ").");
}

} // namespace graphics
