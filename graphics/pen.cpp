#include "graphics/pen.h"

#include "graphics/nearestcolor.h"

namespace {

uint8_t greyof(t_RGBColor c) {
    return static_cast<uint8_t>((c.Red + c.Green + c.Blue) / 3);
}

bool palettedepth(int64_t depth) {
    return depth == 1 || depth == 4;
}

} // namespace

Pen colourpen(t_RGBColor colour, int64_t depth) {
    Pen pen{colour, 0, greyof(colour)};
    if (palettedepth(depth)) { // the nearest-colour search is only paid where it is needed
        pen.index = t_NearestColor(colour.Red, colour.Green, colour.Blue);
    }
    return pen;
}

Pen windowpen(const t_Window& w) {
    t_RGBColor colour = w.RGBColor;
    return Pen{colour, static_cast<uint8_t>(w.TextColor >> 4), greyof(colour)};
}
